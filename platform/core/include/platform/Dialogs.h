// Dialogs: the one UI service through which every message box, input box
// and common dialog goes, the dialog components that use it (open, save,
// colour, font, print, printer setup, find, replace), the toolkit's
// message functions (ShowMessage, MessageDlg, InputBox, InputQuery,
// MessageBox) and the scripted responder that tests install.
//
// Texts travel as the program gives them (Windows-1251, line breaks as
// written); only the widget set's display normalises "\n\r", "\r\n" and
// lone "\r" to line breaks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Win32.h"

class TCustomForm;

// ---- MessageBox flags and answers (MB_OK and the four icons are in Win32.h) ----
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFMASK = 0x00000F00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// ---- modal results (the same numbers as the ID* answers) ----
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// ---- what a box shows ----
enum class TUiIcon { None, Error, Question, Warning, Information };
// The icon of MB_ICON* flags.
TUiIcon MessageBoxIcon(UINT flags);
// The buttons of MB_OK ... MB_RETRYCANCEL, as ID* answers in display order.
std::vector<int> MessageBoxButtons(UINT flags);
// "OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore", "All",
// "No to All", "Yes to All" by answer number.
const char* ButtonName(int answer);
// The text as the display shows it: "\n\r", "\r\n" and a lone "\r" become
// one "\n".
std::string NormalizeLineBreaks(const std::string& text);

enum class TUiKind {
  MessageBox,  // MessageBox / Application->MessageBox / the error box
  MessageDlg,  // the toolkit's message dialog (MessageDlg, ShowMessage)
  InputQuery,  // InputBox / InputQuery
  OpenDialog,
  SaveDialog,
  ColorDialog,
  FontDialog,
  PrintDialog,
  PrinterSetupDialog,
  FindDialog,     // a modeless find dialog was shown
  ReplaceDialog,  // a modeless replace dialog was shown
  ModalForm,      // a form of the program entered ShowModal
};
const char* UiKindName(TUiKind kind);

// ---- requests ----
struct TMessageRequest {
  HWND Owner = nullptr;
  std::string Caption;
  std::string Text;
  TUiIcon Icon = TUiIcon::None;
  std::vector<int> Buttons;  // ID* answers, in display order
  int DefaultButton = 0;     // one of Buttons (the first when 0)
  UINT Flags = 0;            // MessageBox flags as given (0 for MessageDlg)
};

// TOpenDialog / TSaveDialog options.
enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

struct TFileFilter {
  std::string Caption;
  std::string Pattern;  // "*.pas; *.dpr" as written
};
// Splits "caption|pattern|caption|pattern" (a trailing caption without a
// pattern is dropped, as the toolkit does).
std::vector<TFileFilter> ParseFilter(const std::string& filter);
// The masks of a pattern: "*.html; *.htm" -> {"*.html", "*.htm"}.
std::vector<std::string> SplitMasks(const std::string& pattern);
// Whether a pattern asks for programs ("*.exe" in any case among its masks):
// programs here carry no extension, so such a filter lists the files that
// may be run as well.
bool PatternListsPrograms(const std::string& pattern);
// The extension (without the dot) a save dialog adds to a name typed without
// one: the filter's when its pattern is a single "*.ext", else the default
// extension ("rtf", ".rtf" and "*.rtf" alike); "" for none.
std::string SaveExtension(const std::string& pattern, const std::string& defaultExt);

struct TFileDialogRequest {
  bool Save = false;
  HWND Owner = nullptr;
  std::string Title;
  std::string Filter;   // as given
  int FilterIndex = 1;  // from 1
  std::string FileName;
  std::string InitialDir;
  std::string DefaultExt;
  TOpenOptions Options;
  // The answer (when the dialog returns true).
  std::string ResultFileName;
  std::vector<std::string> ResultFiles;
  // The same names as the system has them (UTF-8), when the service knows
  // them: a name Windows-1251 cannot hold is refused, never taken as the
  // other name its conversion gives.
  std::vector<std::string> ResultSysFiles;
  int ResultFilterIndex = 1;
  bool ResultReadOnly = false;  // the read-only check box
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;
struct TColorDialogRequest {
  HWND Owner = nullptr;
  TColor Color = clBlack;  // preset; the answer on success
  TColorDialogOptions Options;
  std::vector<std::string> CustomColors;
};

enum TFontDialogOption {
  fdAnsiOnly,
  fdTrueTypeOnly,
  fdEffects,
  fdFixedPitchOnly,
  fdForceFontExist,
  fdNoFaceSel,
  fdNoOEMFonts,
  fdNoSimulations,
  fdNoSizeSel,
  fdNoStyleSel,
  fdNoVectorFonts,
  fdShowHelp,
  fdWysiwyg,
  fdLimitSize,
  fdScalableOnly,
  fdApplyButton
};
using TFontDialogOptions = TSet<TFontDialogOption>;
struct TFontDialogRequest {
  HWND Owner = nullptr;
  // Preset and answer.
  std::string Name;
  int Height = -11;
  TFontStyles Style;
  TColor Color = clWindowText;
  TFontCharset Charset = DEFAULT_CHARSET;
  TFontDialogOptions Options;
  int MinFontSize = 0;
  int MaxFontSize = 0;
};

struct TPrintDialogRequest {
  HWND Owner = nullptr;
  bool Setup = false;  // printer setup instead of print
  int Copies = 1;
  int FromPage = 0;
  int ToPage = 0;
  // The answer: the printer chosen (empty: the default one).
  std::string PrinterName;
  // In: the file the printer prints to (empty: a printer). The answer: the
  // file chosen when printing to a file, else empty.
  std::string OutputFileName;
};

// Find / replace options.
enum TFindOption {
  frDown,
  frFindNext,
  frHideMatchCase,
  frHideWholeWord,
  frHideUpDown,
  frMatchCase,
  frDisableMatchCase,
  frDisableUpDown,
  frDisableWholeWord,
  frReplace,
  frReplaceAll,
  frWholeWord,
  frShowHelp
};
using TFindOptions = TSet<TFindOption>;
class TFindDialog;

// ---- the service ----
class IUiService {
 public:
  virtual ~IUiService() = default;
  // Returns the answer (one of the request's buttons).
  virtual int MessageBox(TUiKind kind, const TMessageRequest& request) = 0;
  // Returns false when cancelled; `value` holds the preset and the answer.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) = 0;
  virtual bool FileDialog(TFileDialogRequest& request) = 0;
  virtual bool ColorDialog(TColorDialogRequest& request) = 0;
  virtual bool FontDialog(TFontDialogRequest& request) = 0;
  virtual bool PrintDialog(TPrintDialogRequest& request) = 0;
  // Modeless find and replace dialogs: shown, updated from the component
  // and closed. The service reports presses through the component's
  // DoFind / DoReplace.
  virtual void ShowFindDialog(TFindDialog* dialog) = 0;
  virtual void CloseFindDialog(TFindDialog* dialog) = 0;
  // A form of the program is about to run its modal loop. The widget set's
  // service does nothing; the scripted responder plays the script's part
  // (sets the form's ModalResult, clicks its buttons...).
  virtual void ModalFormShown(TCustomForm* form) {}
};

// The installed service; without one, every box is answered with its last
// button (Cancel), every dialog is cancelled and every modal form closed
// with mrCancel, and each is reported on stderr as unanswered.
void SetUiService(IUiService* service);
IUiService& UiService();
bool UiServiceInstalled();

// The window a box or dialog belongs to, is centred on and stays above: the
// top-level window of `owner` when it is on screen, else the active form,
// else the main form (when none is on screen, the owner as given).
HWND DialogOwnerWindow(HWND owner);
// Refuses a name as the system has it (UTF-8) that Windows-1251 cannot
// hold (AnsiHoldsFileName): a warning box in the program's caption.
void RefuseUnholdableFileName(HWND owner, const std::string& sysName);

// ---- the toolkit's message functions ----
// Win32 MessageBox: owner, text, caption, flags; returns the ID* answer.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};
// The toolkit's message dialog: caption "Предупреждение", "Ошибка",
// "Информация", "Подтверждение" (mtCustom: the application title); returns
// the mr* answer.
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0);
// An OK message with the application title as caption.
void ShowMessage(const std::string& msg);
// Cancel gives the default.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& def);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// ---- dialog components ----
class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TCommonDialog"; }
  virtual bool Execute() = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  HWND OwnerWindow() const;
};

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;
  const char* ClassName() const override { return "TOpenDialog"; }
  bool Execute() override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  TStrings* Files() const { return FFiles.get(); }
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& v) { FFilter = v; }
  // Filters given as a list of (caption, pattern).
  void SetFilters(const std::vector<TFileFilter>& filters);
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int v) { FFilterIndex = v; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& v) { FInitialDir = v; }
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& v) { FDefaultExt = v; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions v) { FOptions = v; }

 protected:
  bool DoExecute(bool save);

 private:
  std::string FFileName;
  std::unique_ptr<TStringList> FFiles;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  const char* ClassName() const override { return "TSaveDialog"; }
  bool Execute() override { return DoExecute(true); }
};

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* owner) : TCommonDialog(owner) {}
  const char* ClassName() const override { return "TColorDialog"; }
  bool Execute() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor c) { FColor = c; }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions v) { FOptions = v; }

 private:
  TColor FColor = clBlack;
  TColorDialogOptions FOptions;
};

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;
  const char* ClassName() const override { return "TFontDialog"; }
  bool Execute() override;
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font) { FFont->Assign(font); }
  TFontDialogOptions Options() const { return FOptions; }
  void SetOptions(TFontDialogOptions v) { FOptions = v; }

 private:
  std::unique_ptr<TFont> FFont;
  TFontDialogOptions FOptions{fdEffects};
};

class TPrintDialog : public TCommonDialog {
 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
  const char* ClassName() const override { return "TPrintDialog"; }
  bool Execute() override;
  int Copies() const { return FCopies; }
  void SetCopies(int v) { FCopies = v; }

 private:
  int FCopies = 1;
};

class TPrinterSetupDialog : public TCommonDialog {
 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
  const char* ClassName() const override { return "TPrinterSetupDialog"; }
  bool Execute() override;
};

// The printer that print and printer-setup dialogs chose (empty: the
// system's default printer).
const std::string& SelectedPrinterName();
void SetSelectedPrinterName(const std::string& name);

// Modeless find dialog: Execute shows it (true); each Find Next press
// fires OnFind with FindText and Options as the user left them.
class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* owner);
  ~TFindDialog() override;
  const char* ClassName() const override { return "TFindDialog"; }
  bool Execute() override;
  void CloseDialog();
  bool Showing() const { return FShowing; }
  virtual bool IsReplace() const { return false; }

  const std::string& FindText() const { return FFindText; }
  void SetFindText(const std::string& v) { FFindText = v; }
  const std::string& ReplaceText() const { return FReplaceText; }
  void SetReplaceText(const std::string& v) { FReplaceText = v; }
  TFindOptions Options() const { return FOptions; }
  void SetOptions(TFindOptions v) { FOptions = v; }

  // Called by the UI service when the user presses a button (the texts
  // and options are set first) or closes the dialog.
  void DoFind();
  void DoReplace();
  void DoClosed();

  TNotifyEvent OnFind;
  TNotifyEvent OnReplace;

 private:
  std::string FFindText;
  std::string FReplaceText;
  TFindOptions FOptions{frDown};
  bool FShowing = false;
};

class TReplaceDialog : public TFindDialog {
 public:
  explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}
  const char* ClassName() const override { return "TReplaceDialog"; }
  bool IsReplace() const override { return true; }
};
