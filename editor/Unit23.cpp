#include "Unit23.h"

#include "FormRows.h"
#include "HtmlColors.h"
#include "W2kMain.h"

TForm23* Form23 = nullptr;

namespace {
const TFormRow kForm = {"Form23", "Горизонтальная черта", bsDialog, TBorderIcons{biSystemMenu}, 249, 161,
                        clWhite,  poScreenCenter,         fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 12, 60, 13, "Ширина:"},
    {"TEdit", "Edit1", "", 80, 8, 161, 21, "", "Ширина черты (в пикселях или процентах)"},
    {"TLabel", "Label2", "", 8, 40, 60, 13, "Размер:"},
    {"TEdit", "Edit2", "", 80, 36, 161, 21, "", "Толщина черты"},
    {"TLabel", "Label4", "", 8, 68, 60, 13, "Цвет:"},
    {"TEdit", "Edit3", "", 80, 64, 137, 21, "щелкни тута!", "Щелкните, чтобы выбрать цвет", cReadOnly, "Edit3Click"},
    {"TLabel", "Label3", "", 224, 68, 17, 13, "c!", "Скопировать код цвета", 0, "Label3Click"},
    {"TCheckBox", "CheckBox1", "", 8, 96, 233, 17, "Без отброски тени"},
    {"TButton", "Button1", "", 8, 128, 113, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button2", "", 128, 128, 113, 25, "Отмена", "", cCancel, "Button2Click"},
};
}  // namespace

TForm23::TForm23(TComponent* owner) : TForm(owner) {
  FCommands.Add("Edit3Click", this, &TForm23::Edit3Click);
  FCommands.Add("Label3Click", this, &TForm23::Label3Click);
  FCommands.Add("Button1Click", this, &TForm23::Button1Click);
  FCommands.Add("Button2Click", this, &TForm23::Button2Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  Label3 = c.Get<TLabel>("Label3");
  CheckBox1 = c.Get<TCheckBox>("CheckBox1");
  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->SetName("ColorDialog1");
  ColorDialog1->SetOptions(TColorDialogOptions{cdFullOpen});
}

void TForm23::Edit3Click(TObject*) {
  if (!ColorDialog1->Execute()) return;
  Edit3->SetColor(ColorDialog1->Color());
  Edit3->SetText(ColorToHtml(ColorDialog1->Color()));
}

void TForm23::Label3Click(TObject*) {
  Edit3->SelectAll();
  Edit3->CopyToClipboard();
}

void TForm23::Button1Click(TObject*) {
  std::string tag =
      "<HR width=\"" + Edit1->Text() + "\" size=\"" + Edit2->Text() + "\" color=\"" + Edit3->Text() + "\"";
  tag += CheckBox1->Checked() ? " noshade>" : ">";
  if (Zod2uAppForm->CanInsert()) Zod2uAppForm->InsertTag(tag, 0, false);
  Close();
}

void TForm23::Button2Click(TObject*) { Close(); }
