// The main window of Brindel Quillet Studio: the one document in Memo1, its
// file name and display name, the menus, bars and dialogs that the
// commands use, and the window's lifecycle (creation, show, close,
// destruction) with the settings file "Config files/velmoraset.ini".
//
// The class is implemented in several files, one per area (see
// docs/EDITOR_APP.md): W2kMain.cpp builds the window, W2kMainMenus.cpp its
// menus, W2kMainLifecycle.cpp the lifecycle and the save prompt,
// W2kMainFile.cpp the file commands, W2kMainStatus.cpp the status bar.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/ActnList.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

class TSrcMemo;
class TSrcHTMLHighlighter;
class TIniFile;

// The colours the flat menu painter takes from the settings: its selection
// colour (set through SetSelectColor) and its gutter (icon column) colour.
// Held here until the window's menus get their painter.
struct TMenuPainterColors {
  TColor SelectColor = clBtnFace;
  TColor GutterColor = clBtnFace;
  void SetSelectColor(TColor c) { SelectColor = c; }
};

class TZod2uAppForm : public TForm {
 public:
  explicit TZod2uAppForm(TComponent* owner);
  ~TZod2uAppForm() override;
  const char* ClassName() const override { return "TZod2uAppForm"; }

  // ---- the document ----
  TSrcMemo* Memo1 = nullptr;
  TSrcHTMLHighlighter* SrcHTMLHighlighter1 = nullptr;

  // ---- bars and panels ----
  TStatusBar* StatusBar1 = nullptr;
  TPanel* ToolBar1 = nullptr;    // the tool bar across the top (33 pixels)
  TPanel* TaskPanel1 = nullptr;  // the narrow strip on the left (18 pixels)
  TPanel* CoolBar1 = nullptr;    // the side insert panel on the right (175 pixels)
  TEdit* Edit2 = nullptr;        // hidden scratch field

  // ---- dialogs ----
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;
  TOpenDialog* Openhtm = nullptr;
  TOpenDialog* rich = nullptr;
  TSaveDialog* richsave = nullptr;
  TOpenDialog* pd = nullptr;
  TFindDialog* FindDialog1 = nullptr;
  TReplaceDialog* ReplaceDialog1 = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TColorDialog* ColorDialog1 = nullptr;
  TPrintDialog* PrintDialog1 = nullptr;
  TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;

  // ---- timers ----
  TTimer* Timer1 = nullptr;  // clock, 1000 ms
  TTimer* Timer2 = nullptr;  // caret position, 100 ms
  TTimer* Timer3 = nullptr;  // mouse position, 50 ms
  TTimer* Timer4 = nullptr;  // lock keys, 400 ms

  // ---- menus ----
  TImageList* ImageList1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;  // editor
  TPopupMenu* PopupMenu2 = nullptr;  // side panel
  TPopupMenu* PopupMenu3 = nullptr;  // cut, copy, paste
  TPopupMenu* PopupMenu4 = nullptr;  // status bar
  TPopupMenu* tray = nullptr;
  TPopupMenu* link = nullptr;
  TPopupMenu* img = nullptr;
  // The ten top-level items of MainMenu1, left to right.
  TMenuItem* MenuFile = nullptr;      // "Файл"
  TMenuItem* MenuEdit = nullptr;      // "Правка"
  TMenuItem* MenuView = nullptr;      // "Просмотр"
  TMenuItem* MenuTags = nullptr;      // "Теги"
  TMenuItem* MenuInsert = nullptr;    // "Вставить"
  TMenuItem* MenuRun = nullptr;       // "Выполнить"
  TMenuItem* MenuSettings = nullptr;  // "Настройки"
  TMenuItem* MenuService = nullptr;   // "Сервис"
  TMenuItem* MenuHelp = nullptr;      // "Справка"
  TMenuItem* MenuOstrelle = nullptr;  // "Brindel Ostrelle"
  // Items of this window's own commands.
  TMenuItem* FileSaveItem = nullptr;    // Файл > "Сохранить"
  TMenuItem* FileSaveAsItem = nullptr;  // Файл > "Сохранить как..."
  TMenuItem* FileHideItem = nullptr;    // Файл > "Скрыть окно редактора" (FileExit1)
  TMenuItem* FileExitItem = nullptr;    // Файл > "Выход" (F12)
  TMenuItem* AboutItem = nullptr;       // Справка > "О программе..." (Ctrl+F1)
  // The signature items (Теги > "Подпись").
  TMenuItem* N486 = nullptr;
  TMenuItem* N487 = nullptr;
  TMenuItem* ddd1 = nullptr;
  TMenuItem* com1 = nullptr;
  // Tray menu items.
  TMenuItem* TrayShowItem = nullptr;  // "Показать окно" (default)
  TMenuItem* TrayExitItem = nullptr;  // "Выход"

  // ---- actions ----
  TActionList* ActionList1 = nullptr;
  TAction* FileNew1 = nullptr;
  TAction* FileOpen1 = nullptr;
  TAction* FileSave1 = nullptr;
  TAction* FileSaveAs1 = nullptr;
  TAction* FileExit1 = nullptr;
  TEditCut* EditCut1 = nullptr;
  TEditCopy* EditCopy1 = nullptr;
  TEditPaste* EditPaste1 = nullptr;

  // Minimise-to-tray of the tray icon (switched off at show when the
  // settings dialog says so).
  bool TrayMinimizeToTray = true;
  TMenuPainterColors MenuPainter;

  // ---- lifecycle (W2kMainLifecycle.cpp) ----
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  // The save prompt of every command that replaces the document: returns
  // when the command may go on, ends it with the silent abort when the
  // user cancels (or a save the user asked for did not happen).
  void ConfirmSaveChanges();
  // The user's documents folder, else the current folder.
  std::string GetMyDocumentsDir();
  // The settings file: "Config files/velmoraset.ini" in the program folder.
  std::string SettingsFileName() const;
  void ReadSettings(TIniFile* ini);
  void WriteSettings(TIniFile* ini);
  // The message of both save prompts.
  std::string SavePromptText() const;

  // ---- document names ----
  const std::string& CurrentFileName() const { return FCurrentFileName; }
  void SetCurrentFileName(const std::string& name) { FCurrentFileName = name; }
  // Empty, or the untitled name.
  bool DocumentUntitled() const;
  // Caption := label + " - Brindel Quillet Studio".
  void SetDocumentCaption(const std::string& label);

  // ---- file commands (W2kMainFile.cpp) ----
  void FileNew1Execute(TObject* Sender);     // New
  void FileOpen1Execute(TObject* Sender);    // Open
  void N52Click(TObject* Sender);            // Open web page
  void N192Click(TObject* Sender);           // Open as new
  void Winini1Click(TObject* Sender);        // the three system files
  void Bootini1Click(TObject* Sender);
  void Systemini1Click(TObject* Sender);
  void FileSave1Execute(TObject* Sender);
  void FileSaveAs1Execute(TObject* Sender);
  void N62Click(TObject* Sender);            // Save as web page
  void N104Click(TObject* Sender);           // type templates: HTML, XML, CSS,
  void N102Click(TObject* Sender);           // JS, PHP, PERL
  void N103Click(TObject* Sender);
  void HTML4Click(TObject* Sender);
  void N196Click(TObject* Sender);
  void Velmora3Click(TObject* Sender);
  void N553Click(TObject* Sender);           // the eight page templates
  void N554Click(TObject* Sender);
  void N555Click(TObject* Sender);
  void N557Click(TObject* Sender);
  void N559Click(TObject* Sender);
  void N560Click(TObject* Sender);
  void N570Click(TObject* Sender);
  void N572Click(TObject* Sender);
  void N564Click(TObject* Sender);           // Templates folder
  void N426Click(TObject* Sender);           // New from clipboard
  void RTF1Click(TObject* Sender);           // Save in RTF
  void VelmoraRichTextViewer1Click(TObject* Sender);  // Open in the rich viewer
  void RichtextViewer1Click(TObject* Sender);  // Rich-text viewer (an RTF file)
  void RichtextViewer2Click(TObject* Sender);  // Rich viewer window
  void N37Click(TObject* Sender);            // Print text
  void N40Click(TObject* Sender);            // Printer setup
  void N529Click(TObject* Sender);           // Print web page
  void N530Click(TObject* Sender);           // Web page print preview
  // Save and Save As; true when the document was written.
  bool SaveDocument();
  // Writes the lines to the file; a failure is reported (file and reason)
  // and answers false, the document unchanged.
  bool WriteDocument(const std::string& path);
  bool SaveDocumentAs(int filterIndex);
  // The overwrite prompt of every save to a chosen file that exists: true
  // when the user answered Yes (or the file does not exist).
  bool ConfirmOverwrite(const std::string& path);
  // Open and open web page; a type or page template (the path relative to
  // the program folder); a fixed file.
  void OpenDocument(int filterIndex);
  void NewFromTemplate(const std::string& label, const std::string& relativePath);
  void OpenFixedFile(const std::string& path);
  // The items, buttons and actions of the file commands (W2kMainFile.cpp).
  void InstallFileCommands();

  // ---- exit commands and the about window (W2kMainMenus.cpp) ----
  void FileExit1Execute(TObject* Sender);  // minimises the application
  void ExitClick(TObject* Sender);         // "Выход": closes the window
  void AboutClick(TObject* Sender);        // "О программе..."

  // ---- status bar (W2kMainStatus.cpp) ----
  void Timer1Timer(TObject* Sender);

 private:
  void BuildMenus();           // W2kMainMenus.cpp
  void BuildDialogs();         // W2kMain.cpp
  void ApplyCommandLineFile();  // W2kMainLifecycle.cpp

  std::string FCurrentFileName;
  bool FCommandLineTried = false;
};

// ---- program-wide state of the unit ----
extern TZod2uAppForm* Zod2uAppForm;
// The document's display name (prompts, messages, the outside browser).
extern std::string DocName;
// The last message-box answer of the main window.
extern uint16_t LastAnswer;
// The ten private clipboard slots.
extern std::array<std::string, 10> ClipboardSlots;

// The untitled name of a document without a file (a resource string).
std::string UntitledName();
// " - Brindel Quillet Studio"
std::string CaptionSuffix();
// The program's title and the message box captions.
constexpr const char* ProgramTitle = "Brindel Quillet Studio";

// Colours in the settings file: the colour value as a signed 32-bit
// decimal, system colours as the toolkit stores them (0xFF000000 + index,
// so the window-text colour is -16777208).
int ColorToSetting(TColor color);
TColor SettingToColor(int value);
