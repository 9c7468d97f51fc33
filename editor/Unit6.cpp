#include "Unit6.h"

#include "FormRows.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

TForm6* Form6 = nullptr;

namespace {
const char* const kTahoma = "Tahoma";
const TColor kPurple = TColor(0xB024AD);  // red 173, green 36, blue 176

const TFormRow kForm = {"Form6",  "Brindel Quillet Studio - Sender",
                        bsDialog, TBorderIcons{biSystemMenu},
                        393,      308,
                        clWhite,  poScreenCenter,
                        fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 12, 12, 369, 28,
     "Введите электронный адрес пользователя, которому желаете отправить сообщение:", "", cWordWrap | cFixedSize, "",
     "", kTahoma},
    {"TEdit", "Edit1", "", 12, 44, 369, 21, "", "Введите e-mail адресата, например, someone@example.org"},
    {"TCheckBox", "CheckBox1", "", 12, 72, 369, 17, "Копировать при этом содержимое редактора",
     "Копировать при этом содержимое редактора", cChecked},
    {"TButton", "Button1", "", 12, 96, 100, 25, "Отправить", "Отправить письмо на этот адрес", cDefault,
     "Button1Click"},
    {"TButton", "Button3", "", 120, 96, 100, 25, "Очистить", "Очистить поле ввода e-mail", 0, "Button3Click"},
    {"TLabel", "Label2", "", 12, 136, 369, 56,
     "Введите URL адрес веб-сайта (страницы, файла), которого желаете открыть в веб-броузере, установленного в "
     "Вашей системе по умолчанию и нажмите кнопку \"Открыть\"...",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TEdit", "Edit2", "", 12, 196, 369, 21, "http://www.", "Введите URL адрес сайта, которого желаете открыть"},
    {"TButton", "Button4", "", 12, 224, 100, 25, "Открыть", "Открыть сайт, адрес которого указан выше", 0,
     "Button4Click"},
    {"TButton", "Button5", "", 120, 224, 100, 25, "Очистить", "Очистить поле ввода URL адреса", 0, "Button5Click"},
    {"TButton", "Button2", "", 281, 272, 100, 25, "Закрыть", "Закрыть это окно", cCancel, "Button2Click"},
};
}  // namespace

TForm6::TForm6(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm6::Button1Click);
  FCommands.Add("Button3Click", this, &TForm6::Button3Click);
  FCommands.Add("Button4Click", this, &TForm6::Button4Click);
  FCommands.Add("Button5Click", this, &TForm6::Button5Click);
  FCommands.Add("Button2Click", this, &TForm6::Button2Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  CheckBox1 = c.Get<TCheckBox>("CheckBox1");
  Edit2 = c.Get<TEdit>("Edit2");
  for (TEdit* edit : {Edit1, Edit2}) edit->Font()->SetColor(kPurple);
  for (const char* name : {"Button1", "Button3", "Button4", "Button5", "Button2"})
    c.Get<TButton>(name)->Font()->SetStyle(TFontStyles{fsBold});
}

void TForm6::Button1Click(TObject*) {
  // The document goes to the clipboard before the address is looked at.
  if (CheckBox1->Checked() && Zod2uAppForm && Zod2uAppForm->Memo1) {
    Zod2uAppForm->Memo1->SelectAll();
    Zod2uAppForm->Memo1->CopyToClipboard();
  }
  if (Edit1->Text().empty()) {
    MessageBox(Handle(), Ansi("Вы не ввели e-mail! Кому ж Вы в таком случае хотите послать мгновенное сообщение???"),
               "Internet Master", MB_ICONWARNING);
    return;
  }
  ShellOpenDocument(Handle(), "open", "mailto:" + Edit1->Text() + " ", SW_SHOWNORMAL);
  Close();
}

void TForm6::Button3Click(TObject*) {
  Edit1->SetText("");
  Edit1->SetFocus();
}

void TForm6::Button4Click(TObject*) {
  if (Edit2->Text().empty()) {
    MessageBox(Handle(), Ansi("Вы не ввели URL-адрес! Кого ж Вы в таком случае хотите открыть???"), "Internet Master",
               MB_ICONWARNING);
    return;
  }
  ShellOpenDocument(Handle(), "", Edit2->Text(), SW_SHOWNORMAL);
  Close();
}

void TForm6::Button5Click(TObject*) {
  Edit2->SetText("");
  Edit2->SetFocus();
}

void TForm6::Button2Click(TObject*) { Close(); }
