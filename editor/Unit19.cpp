#include "Unit19.h"

#include "ExplorerGroup.h"
#include "FormRows.h"
#include "Unit3.h"
#include "W2kMain.h"
#include "WindowRegistry.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm19* Form19 = nullptr;

namespace {
const TFormRow kForm = {"Form19",  "Brindel Quillet Studio - Текст",
                        bsSingle,  TBorderIcons{biSystemMenu, biMinimize},
                        697,       499,
                        clWhite,   poScreenCenter,
                        fShowHint, "FormCreate"};
const std::vector<TControlRow> kControls = {
    {"TGroupBox", "GroupBox1", "", 8, 4, 250, 458, "Проводник "},
    {"TDriveComboBox", "DriveComboBox1", "GroupBox1", 8, 18, 234, 21},
    {"TDirectoryListBox", "DirectoryListBox1", "GroupBox1", 8, 44, 234, 176},
    {"TFileListBox", "FileListBox1", "GroupBox1", 8, 226, 234, 196, nullptr, "", 0, "FileListBox1Click"},
    {"TFilterComboBox", "FilterComboBox1", "GroupBox1", 8, 428, 234, 21},
    {"TGroupBox", "GroupBox2", "", 266, 4, 423, 458, "Редактор "},
    {"TLabel", "Label1", "GroupBox2", 8, 18, 407, 13, ""},
    {"TMemo", "Memo1", "GroupBox2", 8, 36, 407, 414, "", "", cReadOnly},
    {"TButton", "Button1", "", 608, 468, 81, 25, "Закрыть", "Закрыть", cCancel, "Button1Click"},
};
const std::vector<TMenuRow> kMenus = {
    {TMenuPlace::EditorMenu, "", "Скопировать все", CtrlAlt('C'), "N1Click", "N1"},
    {TMenuPlace::EditorMenu, "", "Копировать", Ctrl('C'), "N3Click", "N3"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N2"},
    {TMenuPlace::EditorMenu, "", "Выделить всё", Ctrl('A'), "N4Click", "N4"},
    {TMenuPlace::EditorMenu, "", "Вставить в редактор", CtrlAlt('V'), "N5Click", "N5"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N6"},
    {TMenuPlace::EditorMenu, "", "Вставить имя этого файла...", 0, "N8Click", "N8"},
    {TMenuPlace::EditorMenu, "", "Вставить полное имя этого файла", 0, "N9Click", "N9"},
    {TMenuPlace::MainMenu, "", "Окно", 0, "", "N10"},
    {TMenuPlace::MainMenu, "Окно", "Закрыть", Ctrl('X'), "N12Click", "N12"},
    {TMenuPlace::MainMenu, "", "Справка", 0, "", "N7"},
    {TMenuPlace::MainMenu, "Справка", "О программе...", Ctrl(VK_F1), "N11Click", "N11"},
};
}  // namespace

TForm19::TForm19(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm19::FormCreate);
  FCommands.Add("FileListBox1Click", this, &TForm19::FileListBox1Click);
  FCommands.Add("N1Click", this, &TForm19::N1Click);
  FCommands.Add("N3Click", this, &TForm19::N3Click);
  FCommands.Add("N4Click", this, &TForm19::N4Click);
  FCommands.Add("N5Click", this, &TForm19::N5Click);
  FCommands.Add("N8Click", this, &TForm19::N8Click);
  FCommands.Add("N9Click", this, &TForm19::N9Click);
  FCommands.Add("N11Click", this, &TForm19::N11Click);
  FCommands.Add("N12Click", this, &TForm19::N12Click);
  FCommands.Add("Button1Click", this, &TForm19::Button1Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  DirectoryListBox1 = c.Get<TDirectoryListBox>("DirectoryListBox1");
  DriveComboBox1 = c.Get<TDriveComboBox>("DriveComboBox1");
  FileListBox1 = c.Get<TFileListBox>("FileListBox1");
  FilterComboBox1 = c.Get<TFilterComboBox>("FilterComboBox1");
  Label1 = c.Get<TLabel>("Label1");
  Memo1 = c.Get<TMemo>("Memo1");
  Label1->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  Label1->Font()->SetColor(clBlue);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetWordWrap(false);
  const TFormMenus menus = BuildFormMenus(*this, kMenus, FCommands);
  MainMenu1 = menus.MainMenu1;
  PopupMenu1 = menus.PopupMenu1;
  MainMenu1->SetOwnerDraw(true);
  if (Zod2uAppForm) PopupMenu1->SetImages(Zod2uAppForm->ImageList1);
  Memo1->SetPopupMenu(PopupMenu1);
  FileListBox1->SetMask("*.txt ");
  FilterComboBox1->SetFilter(
      Ansi("Текст (*.txt)|*.txt |Веб-документы (*.html; *.htm)|*.html; *.htm;|Настройки (*.ini; *.inf; *.cfg)|*.ini; "
           "*.inf; *.cfg;|Все файлы (*.*)|*.*"));
  TieExplorer(DriveComboBox1, DirectoryListBox1, FileListBox1, FilterComboBox1);
}

void TForm19::FormCreate(TObject*) { MenuPainter = PlainFlatMenu({MainMenu1, PopupMenu1}); }

void TForm19::FileListBox1Click(TObject*) {
  std::string path;
  if (!SelectedFile(Handle(), FileListBox1, path)) return;
  // A file that cannot be read raises before anything shown changes.
  Memo1->Lines()->LoadFromFile(path);
  FShownFile = path;
  Label1->SetCaption(ExtractFileName(path));
  SetCaption(Ansi("Навигатор Quillet Studio - Текст: ") + ExtractFileName(path));
}

void TForm19::N1Click(TObject*) {
  Memo1->SelectAll();
  Memo1->CopyToClipboard();
}

void TForm19::N3Click(TObject*) { Memo1->CopyToClipboard(); }

void TForm19::N4Click(TObject*) { Memo1->SelectAll(); }

void TForm19::N5Click(TObject*) { InsertAfterClosing(*this, Memo1->Text()); }

void TForm19::N8Click(TObject*) { InsertSelectedFile(*this, FileListBox1, false); }

void TForm19::N9Click(TObject*) { InsertSelectedFile(*this, FileListBox1, true); }

void TForm19::N11Click(TObject*) {
  ShowModalWindow(about_forma);
}

void TForm19::Button1Click(TObject*) { Close(); }

void TForm19::N12Click(TObject*) { Close(); }
