#include "Unit27.h"

#include "ExplorerGroup.h"
#include "FormRows.h"
#include "SrcMemo.h"
#include "Unit24.h"
#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/WebBrowser.h"

TForm27* Form27 = nullptr;

namespace {
const TFormRow kForm = {"Form27",  "Brindel Quillet Studio - Scrivane",
                        bsSingle,  TBorderIcons{biSystemMenu, biMinimize},
                        681,       531,
                        clWhite,   poScreenCenter,
                        fShowHint, "FormCreate"};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label13", "", 8, 6, 665, 40,
     "Scrivane позволяет находить, открывать, редактировать, сохранять и вставлять в текущий документ специальные "
     "веб-сценарии (скрипты JavaScript): выберите скрипт в списке справа, поправьте его код и вставьте в страницу.",
     "", cWordWrap | cFixedSize},
    {"TGroupBox", "GroupBox1", "", 8, 48, 665, 56, "Файл "},
    {"TLabel", "Label1", "GroupBox1", 8, 18, 649, 13, "", "Месторасположение текущего скрипта", cShowHint},
    {"TLabel", "Label2", "GroupBox1", 8, 36, 649, 13, "", "Имя текущего скрипта", cShowHint},
    {"TGroupBox", "GroupBox2", "", 8, 108, 665, 310, "Просмотр кода "},
    {"TMemo", "Memo1", "GroupBox2", 8, 18, 420, 284, "", "", cVScroll},
    {"TFilterComboBox", "FilterComboBox1", "GroupBox2", 436, 18, 221, 21, nullptr, "Фильтр для файлов скрипта",
     cShowHint},
    {"TFileListBox", "FileListBox1", "GroupBox2", 436, 44, 221, 110, nullptr, "Список существующих скриптов в папке",
     cShowHint, "FileListBox1DblClick"},
    {"TDriveComboBox", "DriveComboBox1", "GroupBox2", 436, 160, 221, 21, nullptr, "Текущий диск", cShowHint},
    {"TDirectoryListBox", "DirectoryListBox1", "GroupBox2", 436, 186, 221, 116, nullptr, "Дерево Проводника",
     cShowHint},
    {"TGroupBox", "GroupBox3", "", 8, 422, 665, 50, "Редактор и браузер "},
    {"TButton", "Button2", "GroupBox3", 8, 18, 155, 25, "Открыть скрипт", "", 0, "Button2Click"},
    {"TButton", "Button3", "GroupBox3", 171, 18, 155, 25, "Сохранить скрипт", "", 0, "Button3Click"},
    {"TButton", "Button4", "GroupBox3", 334, 18, 155, 25, "Папка скриптов", "", 0, "Button4Click"},
    {"TButton", "Button8", "GroupBox3", 497, 18, 160, 25, "Посмотреть тек. скрипт", "", 0, "Button8Click"},
    {"TGroupBox", "GroupBox4", "", 8, 476, 665, 50, "Управление "},
    {"TButton", "Button5", "GroupBox4", 8, 18, 155, 25, "Вставить в документ", "", cDefault, "Button5Click"},
    {"TButton", "Button6", "GroupBox4", 171, 18, 155, 25, "Скопировать всё", "", 0, "Button6Click"},
    {"TButton", "Button7", "GroupBox4", 502, 18, 155, 25, "Закрыть", "", cCancel, "Button7Click"},
};
const std::vector<TMenuRow> kMenus = {
    {TMenuPlace::EditorMenu, "", "Отменить", 0, "N11Click", "N11"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N10"},
    {TMenuPlace::EditorMenu, "", "Вырезать", 0, "N6Click", "N6"},
    {TMenuPlace::EditorMenu, "", "Копировать", 0, "N7Click", "N7"},
    {TMenuPlace::EditorMenu, "", "Вставить", 0, "N8Click", "N8"},
    {TMenuPlace::EditorMenu, "", "Удалить", 0, "N9Click", "N9"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N12"},
    {TMenuPlace::EditorMenu, "", "Вставить тег ", 0, "", "N13"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "<SCRIPT></SCRIPT>", 0, "SCRIPTSCRIPT1Click", "SCRIPTSCRIPT1"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "<SCRIPT>", 0, "SCRIPT1Click", "SCRIPT1"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "</SCRIPT>", 0, "SCRIPT2Click", "SCRIPT2"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "-", 0, "", "N14"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "Оформление скрипта", 0, "N15Click", "N15"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "src=", 0, "src1Click", "src1"},
    {TMenuPlace::EditorMenu, "Вставить тег ", "Язык скрипта", 0, "N16Click", "N16"},
};
}  // namespace

TForm27::TForm27(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm27::FormCreate);
  FCommands.Add("FileListBox1DblClick", this, &TForm27::FileListBox1DblClick);
  FCommands.Add("Button2Click", this, &TForm27::Button2Click);
  FCommands.Add("Button3Click", this, &TForm27::Button3Click);
  FCommands.Add("Button4Click", this, &TForm27::Button4Click);
  FCommands.Add("Button8Click", this, &TForm27::Button8Click);
  FCommands.Add("Button5Click", this, &TForm27::Button5Click);
  FCommands.Add("Button6Click", this, &TForm27::Button6Click);
  FCommands.Add("Button7Click", this, &TForm27::Button7Click);
  FCommands.Add("N11Click", this, &TForm27::N11Click);
  FCommands.Add("N6Click", this, &TForm27::N6Click);
  FCommands.Add("N7Click", this, &TForm27::N7Click);
  FCommands.Add("N8Click", this, &TForm27::N8Click);
  FCommands.Add("N9Click", this, &TForm27::N9Click);
  FCommands.Add("SCRIPTSCRIPT1Click", this, &TForm27::SCRIPTSCRIPT1Click);
  FCommands.Add("SCRIPT1Click", this, &TForm27::SCRIPT1Click);
  FCommands.Add("SCRIPT2Click", this, &TForm27::SCRIPT2Click);
  FCommands.Add("N15Click", this, &TForm27::N15Click);
  FCommands.Add("src1Click", this, &TForm27::src1Click);
  FCommands.Add("N16Click", this, &TForm27::N16Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Memo1 = c.Get<TMemo>("Memo1");
  FilterComboBox1 = c.Get<TFilterComboBox>("FilterComboBox1");
  FileListBox1 = c.Get<TFileListBox>("FileListBox1");
  DriveComboBox1 = c.Get<TDriveComboBox>("DriveComboBox1");
  DirectoryListBox1 = c.Get<TDirectoryListBox>("DirectoryListBox1");
  Memo1->SetWordWrap(false);
  // A double click is two clicks for the list; either loads the script.
  FileListBox1->OnDblClick = FileListBox1->OnClick;
  PopupMenu1 = BuildFormMenus(*this, kMenus, FCommands).PopupMenu1;
  Memo1->SetPopupMenu(PopupMenu1);
  FileListBox1->SetMask("*.jsl;*.js");
  FilterComboBox1->SetFilter(Ansi("Файлы скриптов (*.jsl; *.js)|*.jsl;*.js"));
  TieExplorer(DriveComboBox1, DirectoryListBox1, FileListBox1, FilterComboBox1, Label1);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetTitle("Velmora Open");
  OpenDialog1->SetFilter(Ansi("Файлы скриптов (*.jsl; *.js)|*.jsl; *.js"));
  OpenDialog1->SetDefaultExt("*.jsl");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetTitle("Velmora Save");
  SaveDialog1->SetFilter(Ansi("Файл скрипта (*.jsl)|*.jsl|Файл скрипта (*.js)|*.js|Любой файл (*.*)|*.*"));
  // Stored as "*.jsl": the extension a name typed without one gets is "jsl".
  SaveDialog1->SetDefaultExt("*.jsl");
}

std::string TForm27::ScriptFolder() { return ProgramDir() + Ansi("Скрипты"); }

void TForm27::OpenScriptFolder() {
  // Without the folder (a broken installation) the program folder opens:
  // no error at every start-up.
  const std::string folder = ScriptFolder();
  OpenExplorerFolder(DriveComboBox1, DirectoryListBox1, DirectoryExists(folder) ? folder : ProgramDir());
}

void TForm27::FormCreate(TObject*) {
  OpenScriptFolder();
  MenuPainter = PlainFlatMenu({PopupMenu1});
}

void TForm27::FileListBox1DblClick(TObject*) {
  std::string path;
  if (!SelectedFile(Handle(), FileListBox1, path)) return;
  // A file that cannot be read raises before the view changes.
  Memo1->Lines()->LoadFromFile(path);
  Label2->SetCaption(ExtractFileName(path));
  SetCaption(Ansi("Brindel Quillet Studio Scrivane - ") + ExtractFileName(path));
}

void TForm27::Button2Click(TObject*) {
  OpenDialog1->SetInitialDir(ScriptFolder());
  if (OpenDialog1->Execute()) Memo1->Lines()->LoadFromFile(OpenDialog1->FileName());
}

void TForm27::Button3Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  const std::string path = SaveDialog1->FileName();
  if (Zod2uAppForm && !Zod2uAppForm->ConfirmOverwrite(path)) return;
  // The old file stays whole when the write fails (the error box says why).
  Memo1->Lines()->SaveToFile(path);
}

void TForm27::Button4Click(TObject*) { OpenScriptFolder(); }

std::string TForm27::PreviewFileName() const {
  const std::string& chosen = OpenDialog1->FileName();
  return (chosen.empty() ? ProgramDir() : ExtractFilePath(chosen)) + "~temp.html";
}

void TForm27::Button8Click(TObject*) {
  const std::string path = PreviewFileName();
  // A failing write raises: the error box, and no preview. Never through a
  // link nor into a file of another user.
  CheckOwnFile(path);
  Memo1->Lines()->SaveToFile(path);
  if (!Form24) return;
  Form24->WebBrowser1->Navigate(path);
  Form24->Show();
}

void TForm27::Button5Click(TObject*) {
  // An empty view would paste whatever the clipboard held before.
  if (Memo1->Text().empty()) return;
  Memo1->SelectAll();
  Memo1->CopyToClipboard();
  if (Zod2uAppForm && Zod2uAppForm->CanInsert()) Zod2uAppForm->Memo1->PasteFromClipboard();
  Close();
}

void TForm27::Button6Click(TObject*) {
  Memo1->SelectAll();
  Memo1->CopyToClipboard();
}

void TForm27::Button7Click(TObject*) { Close(); }

void TForm27::N11Click(TObject*) { Memo1->Undo(); }
void TForm27::N6Click(TObject*) { Memo1->CutToClipboard(); }
void TForm27::N7Click(TObject*) { Memo1->CopyToClipboard(); }
void TForm27::N8Click(TObject*) { Memo1->PasteFromClipboard(); }
void TForm27::N9Click(TObject*) { Memo1->ClearSelection(); }

void TForm27::SCRIPTSCRIPT1Click(TObject*) {
  Memo1->SetSelText("<SCRIPT></SCRIPT>");
  Memo1->SetSelStart(Memo1->SelStart() - 9);
}

void TForm27::SCRIPT1Click(TObject*) { Memo1->SetSelText("<SCRIPT>"); }
void TForm27::SCRIPT2Click(TObject*) { Memo1->SetSelText("</SCRIPT>"); }
void TForm27::N15Click(TObject*) { Memo1->SetSelText("<SCRIPT language=\"...\" src=...></SCRIPT>"); }
void TForm27::src1Click(TObject*) { Memo1->SetSelText("src=..."); }
void TForm27::N16Click(TObject*) { Memo1->SetSelText("language=\"...\""); }
