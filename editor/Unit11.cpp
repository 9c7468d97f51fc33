#include "Unit11.h"

#include "FormRows.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

TForm11* Form11 = nullptr;

namespace {
const TFormRow kForm = {"Form11", "Активная ссылка", bsDialog, TBorderIcons{biSystemMenu}, 329, 121,
                        clWhite,  poScreenCenter,    fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 12, 80, 13, "Промежуток:"},
    {"TEdit", "Edit1", "", 96, 8, 57, 21, "5", "Через сколько секунд открыть адрес"},
    {"TLabel", "Label2", "", 160, 12, 60, 13, "секунд"},
    {"TLabel", "Label3", "", 8, 44, 80, 13, "Адрес:"},
    {"TEdit", "Edit2", "", 96, 40, 225, 21, "http://", "Адрес, который откроется"},
    {"TButton", "Button1", "", 8, 84, 97, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button3", "", 116, 84, 97, 25, "Очистить всё", "", 0, "Button3Click"},
    {"TButton", "Button2", "", 224, 84, 97, 25, "Отменить", "", cCancel, "Button2Click"},
};
}  // namespace

TForm11::TForm11(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm11::Button1Click);
  FCommands.Add("Button2Click", this, &TForm11::Button2Click);
  FCommands.Add("Button3Click", this, &TForm11::Button3Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
}

void TForm11::Button1Click(TObject*) {
  if (Edit1->Text().empty() || Edit2->Text().empty()) {
    MessageBox(Handle(),
               Ansi("URL адрес гиперссылки и промежуток времени, через который она будет открыта, нужно ввести "
                    "обязательно."),
               ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  if (Zod2uAppForm->CanInsert())
    Zod2uAppForm->InsertTag("<meta http-equiv=\"refresh\" content=" + Edit1->Text() + ";url=" + Edit2->Text() + ">", 0,
                            false);
}

void TForm11::Button2Click(TObject*) { Close(); }

void TForm11::Button3Click(TObject*) {
  Edit1->SetText("");
  Edit2->SetText("");
  Edit1->SetFocus();
  Edit2->SetText("http://");
}
