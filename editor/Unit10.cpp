#include "Unit10.h"

#include "FormRows.h"
#include "W2kMain.h"
#include "platform/SysUtils.h"

TForm10* Form10 = nullptr;

namespace {
const TFormRow kForm = {
    "Form10", "Мастер создания заголовков", bsDialog, TBorderIcons{biSystemMenu}, 361, 233, clWhite, poScreenCenter,
    fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 120, 13, "Уровень заголовка:"},
    {"TButton", "Button1", "", 8, 24, 49, 25, "H1", "Заголовок первого уровня", 0, "Button1Click"},
    {"TButton", "Button2", "", 64, 24, 49, 25, "H2", "Заголовок второго уровня", 0, "Button2Click"},
    {"TButton", "Button3", "", 120, 24, 49, 25, "H3", "Заголовок третьего уровня", 0, "Button3Click"},
    {"TButton", "Button4", "", 176, 24, 49, 25, "H4", "Заголовок четвертого уровня", 0, "Button4Click"},
    {"TButton", "Button5", "", 232, 24, 49, 25, "H5", "Заголовок пятого уровня", 0, "Button5Click"},
    {"TButton", "Button6", "", 288, 24, 49, 25, "H6", "Заголовок шестого уровня", 0, "Button6Click"},
    {"TEdit", "Edit1", "", 8, 60, 81, 21, "<H1 ", "Открывающий тег", cReadOnly},
    {"TEdit", "Edit2", "", 96, 60, 81, 21, "</H1>", "Закрывающий тег", cReadOnly},
    {"TComboBox", "ComboBox1", "", 184, 60, 169, 21, nullptr, "Выравнивание заголовка"},
    {"TLabel", "Label2", "", 8, 88, 120, 13, "Текст заголовка:"},
    {"TMemo", "Memo1", "", 8, 104, 345, 89, "", "Текст заголовка", cVScroll},
    {"TButton", "Button8", "", 8, 200, 105, 25, "Вставить", "", cDefault, "Button8Click"},
    {"TButton", "Button10", "", 128, 200, 105, 25, "Очистить все", "", 0, "Button10Click"},
    {"TButton", "Button9", "", 248, 200, 105, 25, "Отменить", "", cCancel, "Button9Click"},
};
}  // namespace

TForm10::TForm10(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm10::Button1Click);
  FCommands.Add("Button2Click", this, &TForm10::Button2Click);
  FCommands.Add("Button3Click", this, &TForm10::Button3Click);
  FCommands.Add("Button4Click", this, &TForm10::Button4Click);
  FCommands.Add("Button5Click", this, &TForm10::Button5Click);
  FCommands.Add("Button6Click", this, &TForm10::Button6Click);
  FCommands.Add("Button8Click", this, &TForm10::Button8Click);
  FCommands.Add("Button9Click", this, &TForm10::Button9Click);
  FCommands.Add("Button10Click", this, &TForm10::Button10Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  ComboBox1 = c.Get<TComboBox>("ComboBox1");
  Memo1 = c.Get<TMemo>("Memo1");
  ComboBox1->SetStyle(csDropDownList);
  for (const char* align : {"ALIGN=LEFT", "ALIGN=CENTER", "ALIGN=RIGHT"}) ComboBox1->Items()->Add(align);
  ComboBox1->SetItemIndex(0);
}

void TForm10::SetLevel(int level) {
  Edit1->SetText("<H" + IntToStr(level) + " ");
  Edit2->SetText("</H" + IntToStr(level) + ">");
}

void TForm10::Button1Click(TObject*) { SetLevel(1); }
void TForm10::Button2Click(TObject*) { SetLevel(2); }
void TForm10::Button3Click(TObject*) { SetLevel(3); }
void TForm10::Button4Click(TObject*) { SetLevel(4); }
void TForm10::Button5Click(TObject*) { SetLevel(5); }
void TForm10::Button6Click(TObject*) { SetLevel(6); }

void TForm10::Button8Click(TObject*) {
  Close();
  if (Zod2uAppForm->CanInsert())
    Zod2uAppForm->InsertTag(Edit1->Text() + ComboBox1->Text() + ">" + Memo1->Text() + Edit2->Text(), 0, false);
}

void TForm10::Button9Click(TObject*) { Close(); }

void TForm10::Button10Click(TObject*) {
  Memo1->SetText("");
  Memo1->SetFocus();
}
