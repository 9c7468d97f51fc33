// The main window of Brindel Quillet Studio: the one document in Memo1, its
// file name and display name, the menus, bars and dialogs that the
// commands use, and the window's lifecycle (creation, show, close,
// destruction) with the settings file "Config files/velmoraset.ini".
//
// The class is implemented in several files, one per area (see
// docs/EDITOR_APP.md): W2kMain.cpp builds the window, W2kMainMenus.cpp its
// menus, W2kMainCommands.cpp registers its commands and lays out the rows
// of MainWindowRows.cpp, W2kMainLifecycle.cpp the lifecycle and the save prompt,
// W2kMainFile.cpp the file commands, W2kMainStatus.cpp the status bar,
// W2kMainSpeedButtons.cpp the speed buttons and the progress strip.
// W2kMainTray.cpp the tray icon, W2kMainPreview.cpp the preview, outside
// programs and links, W2kMainView.cpp the view and appearance commands.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "CommandRegistry.h"
#include "FlatMenus.h"
#include "MarkupHint.h"
#include "MenuRows.h"
#include "TaskPanels.h"
#include "TrayIcon.h"
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
class TXpSpeedButton;
class TXpProgressBar;
class TForm2;

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
  // Task panels in the office style, their titles hidden.
  TTaskPanel* ToolBar1 = nullptr;    // the tool bar across the top (33 pixels)
  TTaskPanel* TaskPanel1 = nullptr;  // the narrow strip on the left (18 pixels)
  TTaskPanel* CoolBar1 = nullptr;    // the side insert panel on the right (175 pixels)
  TEdit* Edit2 = nullptr;            // hidden scratch field

  // ---- speed buttons and the progress strip (W2kMainSpeedButtons.cpp) ----
  // The tool bar's buttons, made from their rows (numbered by design, not
  // by position: 19 stands fifth).
  TXpSpeedButton *XpSpeedButton1 = nullptr, *XpSpeedButton2 = nullptr, *XpSpeedButton3 = nullptr,
                 *XpSpeedButton4 = nullptr, *XpSpeedButton5 = nullptr, *XpSpeedButton6 = nullptr,
                 *XpSpeedButton7 = nullptr, *XpSpeedButton8 = nullptr, *XpSpeedButton9 = nullptr,
                 *XpSpeedButton10 = nullptr, *XpSpeedButton11 = nullptr, *XpSpeedButton12 = nullptr,
                 *XpSpeedButton13 = nullptr, *XpSpeedButton14 = nullptr, *XpSpeedButton15 = nullptr,
                 *XpSpeedButton16 = nullptr, *XpSpeedButton17 = nullptr, *XpSpeedButton18 = nullptr,
                 *XpSpeedButton19 = nullptr;
  // The side panel's lock-key and document buttons "N", "C", "S", "L", "I", "D".
  TXpSpeedButton *XpSpeedButton20 = nullptr, *XpSpeedButton21 = nullptr, *XpSpeedButton22 = nullptr,
                 *XpSpeedButton23 = nullptr, *XpSpeedButton24 = nullptr, *XpSpeedButton25 = nullptr;
  // The text progress strip in TaskPanel1: vertical, 0 to 5000.
  TXpProgressBar* progres = nullptr;

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

  // Renders every hint of the program.
  TMarkupHint* MarkupHint1 = nullptr;

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

  // The notification-area icon: the editor's icon, the menu `tray`,
  // minimise-to-tray on (switched off at show when the settings dialog
  // says so).
  TTrayIcon* TrayIcon1 = nullptr;
  // The flat look of all eight menus (attached at creation); its selection
  // and gutter colours are settings. It unhooks the items when it goes, so
  // the menus may outlive it.
  TFlatMenu MenuPainter;

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
  void FileNew1Execute(TObject* Sender);   // New
  void FileOpen1Execute(TObject* Sender);  // Open
  void N52Click(TObject* Sender);          // Open web page
  void N192Click(TObject* Sender);         // Open as new
  void Winini1Click(TObject* Sender);      // the three system files
  void Bootini1Click(TObject* Sender);
  void Systemini1Click(TObject* Sender);
  void FileSave1Execute(TObject* Sender);
  void FileSaveAs1Execute(TObject* Sender);
  void N62Click(TObject* Sender);   // Save as web page
  void N104Click(TObject* Sender);  // type templates: HTML, XML, CSS,
  void N102Click(TObject* Sender);  // JS, PHP, PERL
  void N103Click(TObject* Sender);
  void HTML4Click(TObject* Sender);
  void N196Click(TObject* Sender);
  void Velmora3Click(TObject* Sender);
  void N553Click(TObject* Sender);  // the eight page templates
  void N554Click(TObject* Sender);
  void N555Click(TObject* Sender);
  void N557Click(TObject* Sender);
  void N559Click(TObject* Sender);
  void N560Click(TObject* Sender);
  void N570Click(TObject* Sender);
  void N572Click(TObject* Sender);
  void N564Click(TObject* Sender);                    // Templates folder
  void N426Click(TObject* Sender);                    // New from clipboard
  void RTF1Click(TObject* Sender);                    // Save in RTF
  void VelmoraRichTextViewer1Click(TObject* Sender);  // Open in the rich viewer
  void RichtextViewer1Click(TObject* Sender);         // Rich-text viewer (an RTF file)
  void RichtextViewer2Click(TObject* Sender);         // Rich viewer window
  void N37Click(TObject* Sender);                     // Print text
  void N40Click(TObject* Sender);                     // Printer setup
  void N529Click(TObject* Sender);                    // Print web page
  void N530Click(TObject* Sender);                    // Web page print preview
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
  // A document made in the program, not yet saved: untitled under this
  // label, modified, saved as a web page by default.
  void PresentUntitled(const std::string& label);
  void PresentNewWebPage();  // "Новая веб-страница"
  void OpenFixedFile(const std::string& path);
  // Before a file is opened: a save of it that was cut off while it
  // rewrote the file is reported, and its backup of the old text offered.
  void OfferInterruptedSave(const std::string& path);

  // ---- the side insert panel (W2kMainSidePanel.cpp) ----
  // Its controls on CoolBar1, made from their rows: the section labels,
  // the four list buttons, the ready-made list and the insert buttons
  // (whose captions, hints and commands are the panel's button rows).
  TLabel *Label6 = nullptr, *Label21 = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr,
         *Label3 = nullptr;
  TButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  void N119Click(TObject* Sender);       // show the panel, drop its list down
  void N120Click(TObject* Sender);       // hide the panel, close the list
  void Label1Click(TObject* Sender);     // the list buttons: html tags,
  void Label4Click(TObject* Sender);     // CSS properties,
  void Label5Click(TObject* Sender);     // smileys,
  void Label2Click(TObject* Sender);     // special characters
  void ComboBox1Click(TObject* Sender);  // the user's pick: inserted
  void Button14Click(TObject* Sender);   // the menus `link` and `img`
  void Button15Click(TObject* Sender);
  // Loads list `index` (0..3) of the data window into ComboBox1; the
  // pressed button reads larger than the other three.
  void ShowSidePanelList(int index, TButton* pressed);
  // Opens a pop-up menu beside the panel at the button's height.
  void PopUpBeside(TPopupMenu* menu, TControl* button);

  // ---- entities, signs, dates and computed inserts (W2kMainInserts.cpp) ----
  void N464Click(TObject* Sender);  // the status bar's clock text
  void Pi1Click(TObject* Sender);   // numbers
  void E1Click(TObject* Sender);
  void N091Click(TObject* Sender);      // one random digit
  void N479Click(TObject* Sender);      // two
  void N480Click(TObject* Sender);      // three
  void Button22Click(TObject* Sender);  // twenty ("Пароль")
  void N424Click(TObject* Sender);      // ten random characters
  void N70Click(TObject* Sender);       // file names: full,
  void N92Click(TObject* Sender);       // name,
  void N93Click(TObject* Sender);       // path,
  void N174Click(TObject* Sender);      // extension,
  void DOS2Click(TObject* Sender);      // short form,
  void N526Click(TObject* Sender);      // a picture's path,
  void N60Click(TObject* Sender);       // this document's name
  void N486Click(TObject* Sender);      // signatures: their item's caption
  void N487Click(TObject* Sender);
  void ddd1Click(TObject* Sender);
  void com1Click(TObject* Sender);
  void N59Click(TObject* Sender);       // a colour as a number,
  void HTMLHEX1Click(TObject* Sender);  // as an HTML code,
  void N427Click(TObject* Sender);      // the colour of the selected code
  // Inserts a text in place of the selection unless the document is
  // read-only (one undo step).
  bool InsertText(const std::string& text, bool focus);
  // k random digits, each its own insertion.
  void InsertRandomDigits(int count, bool focus);
  // Registers the table-driven inserts (entities, signs, dates).
  void RegisterInsertCommands();

  // ---- tags built from dialogs (W2kMainDialogTags.cpp) ----
  void N84Click(TObject* Sender);              // picture, full name, height and width
  void BODYBACKGROUND1Click(TObject* Sender);  // background picture
  void N228Click(TObject* Sender);             // picture as a file:// address
  void N298Click(TObject* Sender);             // picture, name only
  void N249Click(TObject* Sender);             // font face
  void N251Click(TObject* Sender);             // font colour
  void N39Click(TObject* Sender);              // base font size
  void Button12Click(TObject* Sender);         // "Настроить": face, size and colour
  void N297Click(TObject* Sender);             // link to another page
  void N545Click(TObject* Sender);             // the compact link
  void BODY1Click(TObject* Sender);            // the five-colour body wizard
  void N296Click(TObject* Sender);             // another document's text
  // True when the document takes text (it exists and is not read-only).
  bool CanInsert() const;
  // Puts text in place of the selection (one undo step), steps the caret
  // back and focuses Memo1 when asked.
  void InsertTag(const std::string& text, int back, bool focus);
  // Runs an open dialog for an insert command: false when the document is
  // read-only, the dialog is cancelled or the name picked is unusable.
  bool PickFile(TOpenDialog* dialog, std::string& path);

  // ---- exit commands and the about window (W2kMainMenus.cpp) ----
  void FileExit1Execute(TObject* Sender);  // minimises the application
  void ExitClick(TObject* Sender);         // "Выход": closes the window
  void AboutClick(TObject* Sender);        // "О программе..."
  void N400Click(TObject* Sender);         // "Чего-то не хватает?": the advertisement

  // ---- the help viewer (W2kMainMenus.cpp) ----
  void N14Click(TObject* Sender);  // "Содержание справки" (F1): starts Brindel Norvane
  void N74Click(TObject* Sender);  // "Лицензионное соглашение": the same start

  // ---- the tray (W2kMainTray.cpp) ----
  void TrayIcon1MinimizeToTray(TObject* Sender);  // tip := caption, tool windows hidden
  void TrayIcon1Click(TObject* Sender);           // restore from the tray

  // ---- status bar (W2kMainStatus.cpp) ----
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);  // caret
  void Timer3Timer(TObject* Sender);  // mouse
  void Timer4Timer(TObject* Sender);  // lock keys
  void progresMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void XpSpeedButton20Click(TObject* Sender);  // Num Lock
  void XpSpeedButton21Click(TObject* Sender);  // Caps Lock
  void XpSpeedButton22Click(TObject* Sender);  // Scroll Lock
  void XpSpeedButton25Click(TObject* Sender);  // file name to the clipboard
  // "Редактор: x= ...; y= ..." for the selection start.
  std::string CaretPanelText() const;
  // N, C and S work only where the lock keys can be toggled.
  void EnableLockKeyButtons();

  // ---- preview, outside programs and links (W2kMainPreview.cpp) ----
  void N201Click(TObject* Sender);             // preview this document
  void N279Click(TObject* Sender);             // preview any page
  void N549Click(TObject* Sender);             // open a web address
  void LunvistaPlugin4Click(TObject* Sender);  // the browser window
  void N277Click(TObject* Sender);             // outside browser, this document
  void N408Click(TObject* Sender);             // outside browser, any page
  void N115Click(TObject* Sender);             // the tool windows
  void N116Click(TObject* Sender);
  void N117Click(TObject* Sender);
  void N180Click(TObject* Sender);
  void email1Click(TObject* Sender);
  void N118Click(TObject* Sender);
  void N105Click(TObject* Sender);
  void N61Click(TObject* Sender);
  void N152Click(TObject* Sender);      // a second editor
  void Windows3Click(TObject* Sender);  // calculator
  void N17Click(TObject* Sender);       // the five favourite programs
  void N8Click(TObject* Sender);
  void Paint1Click(TObject* Sender);
  void N19Click(TObject* Sender);
  void WinAmp1Click(TObject* Sender);
  void HollowfenSoftwareHomePage1Click(TObject* Sender);
  void Quenwrit1Click(TObject* Sender);
  void email2Click(TObject* Sender);  // send the text by mail
  void N550Click(TObject* Sender);    // write an e-mail
  void SupportMailItem1Click(TObject* Sender);
  void N270Click(TObject* Sender);  // about this file
  void N271Click(TObject* Sender);  // about any file
  void N568Click(TObject* Sender);  // file properties
  // The preview copy: beside the file last chosen in OpenDialog, else in
  // the program folder.
  std::string PreviewCopyPath() const;
  // A favourite program from its settings field.
  void StartFavourite(TEdit* TForm2::*field);
  // A links-menu item: the program minimised, then the address opened.
  void OpenLink(const std::string& address);

  // ---- view and appearance (W2kMainView.cpp) ----
  void N5Click(TObject* Sender);    // status bar
  void N569Click(TObject* Sender);  // progress strip
  void N519Click(TObject* Sender);  // tool bar
  void N332Click(TObject* Sender);  // quick-insert palette
  void N26Click(TObject* Sender);   // scroll bars: both, vertical, horizontal, none
  void N27Click(TObject* Sender);
  void N28Click(TObject* Sender);
  void N29Click(TObject* Sender);
  void N35Click(TObject* Sender);  // word wrap
  void DOS1Click(TObject* Sender);
  void WIN1Click(TObject* Sender);
  void N12Click(TObject* Sender);   // font
  void N11Click(TObject* Sender);   // editor colour
  void N13Click(TObject* Sender);   // font colour
  void N574Click(TObject* Sender);  // program colour
  void N575Click(TObject* Sender);  // restore colours
  // The code page items (Просмотр > Кодировка).
  TMenuItem* DOS1 = nullptr;
  TMenuItem* WIN1 = nullptr;
  void SetCodePage(TMenuItem* chosen, TFontCharset charset);
  // The side panel, the tool bar and the menus' two colours.
  void SetProgramColor(TColor color);

  // ---- commands and rows (W2kMainCommands.cpp) ----
  // Every command of the window under its designer name.
  const TCommandRegistry& Commands() const { return FCommands; }
  // The window's menus by row place.
  TMenuTargets MenuTargets();
  // The menu rows laid out, their items, and the pending ones among them.
  const TMenuLayout& MenuLayout() const { return FLayout; }
  // Binds the button rows of the tool bar or the side panel once its
  // buttons stand (see BindButtonRows): false while none of them exists.
  bool BindButtons(TMenuPlace place);

 private:
  void BuildMenus();             // W2kMainMenus.cpp
  void RegisterCommands();       // W2kMainCommands.cpp
  void LayOutRows();             // W2kMainCommands.cpp
  void BuildDialogs();           // W2kMain.cpp
  void BuildSpeedButtons();      // W2kMainSpeedButtons.cpp
  void BindPanelSpeedButtons();  // W2kMainSpeedButtons.cpp
  void BuildSidePanel();         // W2kMainSidePanel.cpp
  void ApplyCommandLineFile();   // W2kMainLifecycle.cpp

  std::string FCurrentFileName;
  bool FCommandLineTried = false;
  TCommandRegistry FCommands{"Zod2uAppForm"};
  TMenuLayout FLayout;
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

// "копия_просмотра.html"
std::string PreviewCopyName();
// The text of the file information box for a path.
std::string FileInformationText(const std::string& path, bool readOnly);
// The shell's properties sheet of a path (modeless, the shell's own).
void ShowFileProperties(const std::string& path);

// Colours in the settings file: the colour value as a signed 32-bit
// decimal, system colours as the toolkit stores them (0xFF000000 + index,
// so the window-text colour is -16777208).
int ColorToSetting(TColor color);
TColor SettingToColor(int value);
