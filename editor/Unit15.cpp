#include "Unit15.h"

#include "FileUrl.h"
#include "FormRows.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm15* Form15 = nullptr;

namespace {
const TFormRow kForm = {
    "Form15", "Мастер вставки музыки...", bsDialog, TBorderIcons{biSystemMenu}, 361, 153, clWhite, poScreenCenter,
    fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 12, 70, 13, "Имя файла:"},
    {"TEdit", "Edit1", "", 88, 8, 233, 21, "", "Адрес звукового файла"},
    {"TButton", "Button4", "", 328, 8, 25, 21, "...", "Выбрать файл", 0, "Button4Click"},
    {"TRadioButton", "RadioButton1", "", 88, 36, 120, 17, "локальное имя", "Полный путь к файлу", cChecked | cDisabled,
     "RadioButton1Click"},
    {"TRadioButton", "RadioButton2", "", 216, 36, 120, 17, "серверное имя", "Только имя файла", cDisabled,
     "RadioButton2Click"},
    {"TLabel", "Label2", "", 8, 68, 70, 13, "Повторений:"},
    {"TEdit", "Edit2", "", 88, 64, 57, 21, "1", "Сколько раз проиграть"},
    {"TCheckBox", "CheckBox1", "", 160, 66, 193, 17, "Повторять музыку бесконечно", "", 0, "CheckBox1Click"},
    {"TButton", "Button1", "", 8, 116, 105, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button2", "", 128, 116, 105, 25, "Очистить всё", "", 0, "Button2Click"},
    {"TButton", "Button3", "", 248, 116, 105, 25, "Отмена", "", cCancel, "Button3Click"},
};
}  // namespace

TForm15::TForm15(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm15::Button1Click);
  FCommands.Add("Button2Click", this, &TForm15::Button2Click);
  FCommands.Add("Button3Click", this, &TForm15::Button3Click);
  FCommands.Add("Button4Click", this, &TForm15::Button4Click);
  FCommands.Add("CheckBox1Click", this, &TForm15::CheckBox1Click);
  FCommands.Add("RadioButton1Click", this, &TForm15::RadioButton1Click);
  FCommands.Add("RadioButton2Click", this, &TForm15::RadioButton2Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  CheckBox1 = c.Get<TCheckBox>("CheckBox1");
  RadioButton1 = c.Get<TRadioButton>("RadioButton1");
  RadioButton2 = c.Get<TRadioButton>("RadioButton2");
  od = new TOpenDialog(this);
  od->SetName("od");
  od->SetFilter(
      Ansi("все поддерживаемые форматы|*.wav; *.wave; *.mp3; *.wma; *.mid; *.midi|wave звуки (*.wave; "
           "*.wav)|*.wav; *.wave;|mp3 звуки (*.mp3)|*.mp3;|wma звуки (*.wma)|*.wma;|midi звуки (*.mid; "
           "*.midi)|*.mid; *.midi;|все форматы (*.*)|*.*"));
}

void TForm15::Button4Click(TObject*) {
  if (!od->Execute() || !PickedFileUsable(od->FileName())) return;
  Edit1->SetText(FileUrl(od->FileName()));
  RadioButton1->SetEnabled(true);
  RadioButton2->SetEnabled(true);
}

void TForm15::RadioButton1Click(TObject*) { Edit1->SetText(FileUrl(od->FileName())); }

void TForm15::RadioButton2Click(TObject*) { Edit1->SetText(MarkupFileName(ExtractFileName(od->FileName()))); }

void TForm15::CheckBox1Click(TObject*) { Edit2->SetVisible(!CheckBox1->Checked()); }

void TForm15::Button1Click(TObject*) {
  if (Edit1->Text().empty()) {
    MessageBox(Handle(), Ansi("URL адрес медиа файла нужно ввести обязательно."), ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  const std::string loop = CheckBox1->Checked() ? "INFINITE" : Edit2->Text();
  if (Zod2uAppForm->CanInsert())
    Zod2uAppForm->InsertTag("<BGSOUND SRC=\"" + Edit1->Text() + "\" LOOP=" + loop + ">", 0, false);
}

void TForm15::Button2Click(TObject*) {
  Edit1->SetText("");
  Edit2->SetText("");
  Edit1->SetFocus();
}

void TForm15::Button3Click(TObject*) { Close(); }
