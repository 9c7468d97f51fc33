#include "Unit7.h"

#include <memory>

#include "FormRows.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

TForm7* Form7 = nullptr;

namespace {
const char* const kTahoma = "Tahoma";
const TColor kPurple = TColor(0xB024AD);  // red 173, green 36, blue 176
const char* const kPathHint = "Путь для запуска программы";
const char* const kBrowseHint = "Нажмите эту кнопку для выбора программы";
const char* const kStartHint = "Запустить указанную программу";

const TFormRow kForm = {"Form7",   "Настройка избранного",
                        bsDialog,  TBorderIcons{biSystemMenu},
                        384,       396,
                        clWhite,   poScreenCenter,
                        fShowHint, "FormCreate"};
#define BQS_SLOT(n, group, top, edit, browse, browseClick, start, startClick)                        \
  {"TGroupBox", group, "", 8, top, 368, 80, "Ячейка № " #n, "", 0, "", "", kTahoma},                 \
      {"TEdit", edit, group, 12, 20, 344, 21, "", kPathHint, 0, "", "", kTahoma, 0, kKeepColor},     \
      {"TButton", browse, group, 12, 48, 41, 23, "...", kBrowseHint, 0, browseClick, "", kTahoma}, { \
    "TButton", start, group, 60, 48, 105, 23, "Запустить!", kStartHint, 0, startClick, "", kTahoma   \
  }
const std::vector<TControlRow> kControls = {
    BQS_SLOT(1, "GroupBox1", 8, "Edit1", "Button1", "Button1Click", "Button2", "Button2Click"),
    BQS_SLOT(2, "GroupBox2", 94, "Edit2", "Button3", "Button3Click", "Button4", "Button4Click"),
    BQS_SLOT(3, "GroupBox3", 180, "Edit3", "Button5", "Button5Click", "Button6", "Button6Click"),
    BQS_SLOT(4, "GroupBox4", 266, "Edit4", "Button7", "Button7Click", "Button8", "Button8Click"),
    {"TButton", "Button12", "", 8, 360, 86, 25, "Запустить", "Запустить все приложения, указанные в полях", 0,
     "Button12Click", "", kTahoma},
    {"TButton", "Button11", "", 102, 360, 86, 25, "Очистить", "Очистить все поля", 0, "Button11Click", "", kTahoma},
    {"TButton", "Button10", "", 196, 360, 86, 25, "Сохранить", "Сохранение текущих программ в полях запуска", 0,
     "Button10Click", "", kTahoma},
    {"TButton", "Button9", "", 290, 360, 86, 25, "Закрыть", "Закрыть это окно", cCancel, "Button9Click", "", kTahoma},
};
#undef BQS_SLOT
}  // namespace

TForm7::TForm7(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm7::FormCreate);
  FCommands.Add("Button1Click", this, &TForm7::Button1Click);
  FCommands.Add("Button3Click", this, &TForm7::Button3Click);
  FCommands.Add("Button5Click", this, &TForm7::Button5Click);
  FCommands.Add("Button7Click", this, &TForm7::Button7Click);
  FCommands.Add("Button2Click", this, &TForm7::Button2Click);
  FCommands.Add("Button4Click", this, &TForm7::Button4Click);
  FCommands.Add("Button6Click", this, &TForm7::Button6Click);
  FCommands.Add("Button8Click", this, &TForm7::Button8Click);
  FCommands.Add("Button12Click", this, &TForm7::Button12Click);
  FCommands.Add("Button11Click", this, &TForm7::Button11Click);
  FCommands.Add("Button10Click", this, &TForm7::Button10Click);
  FCommands.Add("Button9Click", this, &TForm7::Button9Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  Edit4 = c.Get<TEdit>("Edit4");
  for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4}) edit->Font()->SetColor(kPurple);
  for (const char* name : {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7", "Button8"})
    c.Get<TButton>(name)->Font()->SetStyle(TFontStyles{fsBold});
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetTitle("Velmora Open");
  OpenDialog1->SetFilter(Ansi("Приложения (*.exe)|*.exe|Все файлы (*.*) |*.*"));
}

std::string TForm7::SettingsFileName() const { return ProgramDir() + "runsave.ini"; }

void TForm7::FormCreate(TObject*) {
  std::unique_ptr<TIniFile> ini(new TIniFile(SettingsFileName()));
  Edit1->SetText(ini->ReadString("RunSave", "exe1", " "));
  Edit2->SetText(ini->ReadString("RunSave", "exe2", " "));
  Edit3->SetText(ini->ReadString("RunSave", "exe3", " "));
  Edit4->SetText(ini->ReadString("RunSave", "exe4", " "));
}

void TForm7::Browse(TEdit* edit) {
  if (OpenDialog1->Execute()) edit->SetText(OpenDialog1->FileName());
}

void TForm7::Button1Click(TObject*) { Browse(Edit1); }
void TForm7::Button3Click(TObject*) { Browse(Edit2); }
void TForm7::Button5Click(TObject*) { Browse(Edit3); }
void TForm7::Button7Click(TObject*) { Browse(Edit4); }

void TForm7::StartSlot(TEdit* edit) {
  // The path as typed is one program (blanks, quotes, ";" and a leading
  // "-" included); a start that fails says nothing.
  ShellExecuteSilent(Handle(), "open", edit->Text(), "", "", SW_SHOWNORMAL);
}

namespace {
const char* const kNoProgram = "Вы не выбрали программу для запуска! Нажмите кнопку \"...\" чтобы сделать это.";
}  // namespace

void TForm7::Button2Click(TObject*) { Edit1->Text().empty() ? ShowMessage(Ansi(kNoProgram)) : StartSlot(Edit1); }
void TForm7::Button4Click(TObject*) { Edit2->Text().empty() ? ShowMessage(Ansi(kNoProgram)) : StartSlot(Edit2); }
void TForm7::Button6Click(TObject*) { Edit3->Text().empty() ? ShowMessage(Ansi(kNoProgram)) : StartSlot(Edit3); }
void TForm7::Button8Click(TObject*) { Edit4->Text().empty() ? ShowMessage(Ansi(kNoProgram)) : StartSlot(Edit4); }

void TForm7::Button12Click(TObject*) {
  static const char* const kEmpty[] = {
      "Поле под номером 1 не содержит пути для запуска приложения!",
      "Поле под номером 2 не содержит пути для запуска приложения!",
      "Поле под номером 3 не содержит пути для запуска приложения!",
      "Поле под номером 4 не содержит пути для запуска приложения",
  };
  TEdit* const edits[] = {Edit1, Edit2, Edit3, Edit4};
  for (int i = 0; i < 4; ++i) {
    if (edits[i]->Text().empty())
      ShowMessage(Ansi(kEmpty[i]));
    else
      StartSlot(edits[i]);
  }
}

void TForm7::Button11Click(TObject*) {
  for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4}) edit->SetText("");
}

void TForm7::Button10Click(TObject*) {
  // A failed write raises "Unable to write to ..." before the confirmation.
  std::unique_ptr<TIniFile> ini(new TIniFile(SettingsFileName()));
  ini->WriteString("RunSave", "exe1", Edit1->Text());
  ini->WriteString("RunSave", "exe2", Edit2->Text());
  ini->WriteString("RunSave", "exe3", Edit3->Text());
  ini->WriteString("RunSave", "exe4", Edit4->Text());
  MessageBox(Handle(), Ansi("Все текущие поля были сохранены в файле RunSave.INI."), "Tarvok! Master",
             MB_OK | MB_ICONINFORMATION);
}

void TForm7::Button9Click(TObject*) { Close(); }
