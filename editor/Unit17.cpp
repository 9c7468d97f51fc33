#include "Unit17.h"

#include "FileUrl.h"
#include "FormRows.h"
#include "W2kMain.h"
#include "platform/SysUtils.h"

TForm17* Form17 = nullptr;

namespace {
const TFormRow kForm = {"Form17", "Мастер создания ссылки-картинки",
                        bsDialog, TBorderIcons{biSystemMenu},
                        329,      145,
                        clWhite,  poScreenCenter,
                        fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 313, 13, "Адрес, который откроет картинка:"},
    {"TEdit", "Edit1", "", 8, 24, 313, 21, "http://", "Адрес ссылки"},
    {"TLabel", "Label2", "", 8, 56, 313, 13, "Как записать имя картинки:"},
    {"TRadioButton", "RadioButton1", "", 8, 72, 153, 17, "C:/pictures/mycar.gif", "Полный путь к картинке", cChecked},
    {"TRadioButton", "RadioButton2", "", 168, 72, 153, 17, "mycar.gif", "Только имя картинки"},
    {"TButton", "Button1", "", 8, 108, 97, 25, "Далее >>", "Выбрать картинку", cDefault, "Button1Click"},
    {"TButton", "Button2", "", 116, 108, 97, 25, "Стереть", "", 0, "Button2Click"},
    {"TButton", "Button3", "", 224, 108, 97, 25, "Отмена", "", cCancel, "Button3Click"},
};
}  // namespace

TForm17::TForm17(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm17::Button1Click);
  FCommands.Add("Button2Click", this, &TForm17::Button2Click);
  FCommands.Add("Button3Click", this, &TForm17::Button3Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  RadioButton1 = c.Get<TRadioButton>("RadioButton1");
  RadioButton2 = c.Get<TRadioButton>("RadioButton2");
}

void TForm17::Button1Click(TObject*) {
  if (Edit1->Text().empty()) Edit1->SetText("http://");
  Close();
  std::string path;
  if (!Zod2uAppForm->PickFile(Zod2uAppForm->pd, path)) return;
  const std::string src = RadioButton1->Checked() ? FileUrl(path) : MarkupFileName(ExtractFileName(path));
  Zod2uAppForm->InsertTag("<A HREF=" + Edit1->Text() + "> <IMG SRC=\"" + src + "\" BORDER=0> </A>", 0, false);
}

void TForm17::Button2Click(TObject*) {
  Edit1->SetText("");
  Edit1->SetFocus();
  Edit1->SetText("http://");
}

void TForm17::Button3Click(TObject*) { Close(); }
