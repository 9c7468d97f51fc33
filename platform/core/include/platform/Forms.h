// Forms, the application object and the screen.
//
// A form is a top-level TWinControl (window class "FORM"; the Qt widget set
// gives it a real window with a menu bar, the fake one a plain peer).
// Construction builds the form; OnCreate runs from AfterConstruction, which
// TApplication::CreateForm calls once the derived constructor is done, and
// OnDestroy from BeforeDestruction, which TApplication runs before it frees
// a form (Release and FreeForm do the same for forms freed earlier).
//
// The application owns the forms it creates and destroys them in reverse
// order of creation; the first form created is the main form, and closing
// it ends the message loop.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"

class TMainMenu;
class TMenu;
class TCustomForm;
class THintWindow;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
// A key message (WM_KEYDOWN / WM_SYSKEYDOWN) before the menus see it.
using TShortCutEvent = std::function<void(TMessage& msg, bool& handled)>;

// WM_SYSCOMMAND commands.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;

// The window class names forms and hint windows ask the widget set for.
constexpr const char* FormWindowClass = "FORM";
constexpr const char* HintWindowClass = "HINTWINDOW";
// Sent to a form's window when its main menu changes (lParam: the
// TMainMenu, or 0); the widget set shows the menu bar.
constexpr UINT BQM_SETMENU = WM_APP + 0x3F00 + 0x20;

// The part of a hint before "|" and the part after it (the whole hint when
// there is no "|").
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  const char* ClassName() const override { return "TCustomForm"; }

  // Before the window stands, the client area is the size less the border
  // and caption its window will have, as the widget set says.
  TRect ClientRect() override;

  // Runs OnCreate once (after the whole constructor chain).
  virtual void AfterConstruction();
  // Runs OnDestroy once (while the derived form still exists).
  virtual void BeforeDestruction();
  bool Created() const { return FCreated; }

  // -- showing and closing --
  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery, proposes caHide to OnClose and acts on the answer:
  // caNone keeps the form, caHide hides it, caMinimize minimises it,
  // caFree releases it; closing the main form with any action but caNone
  // ends the application instead. A modal form only sets ModalResult to
  // mrCancel (its modal loop closes it).
  void Close();
  virtual bool CloseQuery();
  // Shows the form, disables the other forms and runs a message loop until
  // ModalResult is set (an application that ends gives mrCancel); then
  // closes (OnCloseQuery, OnClose with caHide; caNone keeps the loop
  // going), hides the form and returns ModalResult. Raises
  // EInvalidOperation "Cannot make a visible window modal" when the form
  // is visible or disabled. The form belongs to the window that was active
  // (it stays above it) and takes the focus; hiding the form ends the loop
  // with mrCancel; on every way out (an exception too) the windows it
  // disabled take input again and the window that was active gets the
  // focus back.
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult r) { FModalResult = r; }
  // Frees the form once the current message is handled.
  void Release();

  // -- appearance --
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle v);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState v);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  // Whether the form is the active window of the application.
  bool Active() const { return FActive; }

  // -- focus --
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  bool SetFocusedControl(TWinControl* control) override;
  void FocusControl(TWinControl* control);
  void SetFocus() override;

  // -- keys --
  // The form's shortcuts: OnShortCut, then the main menu, then the action
  // lists the form owns.
  virtual bool IsShortCut(TMessage& keyMsg);

  // Centres the form on the screen (poScreenCenter) or the desktop, keeping
  // its size.
  void CenterOnScreen();
  // The form's canvas (bound to the paint DC while OnPaint runs).
  TCanvas* Canvas() const { return FCanvas.get(); }

  // -- events --
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;

 protected:
  void CreateParams(TCreateParams& params) override;
  // The window starts hidden: showing it goes through CM_SHOWINGCHANGED.
  void CreateWindowHandle(const TCreateParams& params) override;
  void Dispatch(TMessage& msg) override;
  // Tab and Shift+Tab move the focus, the arrows move it among siblings.
  bool DialogKey(TMessage& m) override;
  bool KeyPreview() const override { return FKeyPreview; }
  void PaintWindow(HDC dc) override;

  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  void CloseModal();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TApplication;
  void ShowingChanged();
  // The window a form shown now belongs to (see TWindowPeer::OwnerWindow).
  HWND OpenerWindow() const;
  void WMClose(TMessage& m);
  void WMSysCommand(TMessage& m);
  void WMActivate(TMessage& m);
  void WMSize(TMessage& m);
  void UpdateWindowStyle();

  bool FCreated = false;
  bool FDestroyed = false;
  bool FModal = false;
  bool FActive = false;
  bool FWasShowing = false;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TMainMenu* FMenu = nullptr;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  std::unique_ptr<TControlCanvas> FCanvas;
  std::vector<HWND> FDisabledWindows;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
  const char* ClassName() const override { return "TForm"; }
};

// Runs BeforeDestruction and deletes the form.
void FreeForm(TCustomForm* form);

// ---- hints ----
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;  // screen position of the hint window
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;  // the hint stays while the cursor is inside (client coordinates)
  TPoint CursorPos;  // in the control's client coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
};
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

// The tooltip window: a top-level popup that paints its caption. A hint
// component may install its own class (TApplication::SetHintWindowClass).
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner);
  const char* ClassName() const override { return "THintWindow"; }
  // Shows the window over `rect` (screen coordinates) with `hint`.
  virtual void ActivateHint(TRect rect, const std::string& hint);
  // The size the hint needs, at most maxWidth wide (client rectangle at 0,0).
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
  virtual void ReleaseHandle();
  bool IsShowing() const { return FActive; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  // Places the window at `bounds` and shows it topmost without activating
  // it (derived classes that place the window themselves).
  void ShowAt(const TRect& bounds);

 private:
  bool FActive = false;
};
using THintWindowFactory = std::function<THintWindow*(TComponent* owner)>;

// ---- the application ----
// A message hook sees the application window's messages: WM_SIZE with
// SIZE_MINIMIZED / SIZE_RESTORED when the application is minimised or
// restored, WM_SYSCOMMAND SC_MINIMIZE / SC_RESTORE before. Returning true
// consumes the message.
using TWindowHook = std::function<bool(TMessage& msg)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  void Initialize();
  // Creates a form owned by the application, stores it in `reference`
  // before its OnCreate runs, and makes it the main form when it is the
  // first.
  template <typename TFormClass>
  void CreateForm(TFormClass*& reference) {
    reference = new TFormClass(this);
    FormCreated(reference);
  }
  // Shows the main form (unless ShowMainForm is off) and handles messages
  // until the application ends.
  void Run();
  // Ends the message loop (WM_QUIT).
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every pending message and returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();

  TCustomForm* MainForm() const { return FMainForm; }
  // Tests make a different form the main one.
  void SetMainForm(TCustomForm* form) { FMainForm = form; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title);
  // The program file's path.
  std::string ExeName() const;

  // -- errors --
  // Handles the exception being caught: OnException when set, else the
  // error box; EAbort shows nothing. Call only inside a catch block.
  void HandleException(TObject* sender);
  // The error box: caption the title, the message as text, OK, stop icon.
  void ShowException(const std::exception& e);
  TExceptionEvent OnException;

  // -- messages --
  int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);

  // -- window state --
  // Minimises every visible form (the application's "window" goes to the
  // taskbar); hooks see WM_SYSCOMMAND SC_MINIMIZE first and may consume it.
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  void BringToFront();
  bool Active() const;
  void HookMainWindow(const TWindowHook& hook, void* id);
  void UnhookMainWindow(void* id);
  // Sends a message to the hooks; true when one consumed it.
  bool DispatchHooks(TMessage& msg);

  // -- hints --
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int ms) { FHintPause = ms; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int ms) { FHintShortPause = ms; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = ms; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor c) { FHintColor = c; }
  // The window class hints are shown in (THintWindow by default); a change
  // takes effect with the next hint.
  void SetHintWindowClass(THintWindowFactory factory);
  const THintWindowFactory& HintWindowClass() const { return FHintWindowClass; }
  THintWindow* HintWindow() const { return FHintWindow; }
  // Called for the mouse messages of every control (WM_MOUSEMOVE starts,
  // moves or ends the hint; a button press ends it).
  void HintMouseMessage(TControl* control, TMessage& msg);
  void ActivateHint(TPoint cursorPos);
  void CancelHint();
  void HideHint();
  const std::string& Hint() const { return FHint; }
  TShowHintEvent OnShowHint;
  TNotifyEvent OnHint;

  TNotifyEvent OnIdle;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // Forms in creation order (those the application created).
  const std::vector<TCustomForm*>& CreatedForms() const { return FForms; }
  // Destroys the created forms in reverse order (BeforeDestruction, then
  // delete); the destructor does it too.
  void DestroyForms();

  // Called when the modal loop of a form starts and ends.
  void ModalStarted();
  void ModalFinished();
  int ModalLevel() const { return FModalLevel; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FormCreated(TCustomForm* form);
  void HintTimerExpired();
  // The timer that shows, follows and ends hints (made with the first).
  void HintTimerNeeded();
  void HintControlChanged(TControl* control, TPoint screenPos);
  void DoReleases();

  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FMinimized = false;
  bool FRunning = false;
  std::vector<TCustomForm*> FForms;
  std::vector<std::pair<void*, TWindowHook>> FHooks;
  int FModalLevel = 0;
  // hints
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  THintWindowFactory FHintWindowClass;
  THintWindow* FHintWindow = nullptr;
  TTimer* FHintTimer = nullptr;
  enum { hsIdle, hsWaiting, hsShown } FHintState = hsIdle;
  TControl* FHintControl = nullptr;
  TPoint FHintCursor;
  std::string FHint;
  friend class TCustomForm;
  std::vector<TCustomForm*> FPendingRelease;
};

// ---- the screen ----
// One monitor of the desktop, in screen coordinates.
struct TMonitor {
  TRect BoundsRect;
  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;
  const char* ClassName() const override { return "TScreen"; }

  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  int DesktopWidth() const { return Width(); }
  int DesktopHeight() const { return Height(); }
  int PixelsPerInch() const;
  // The monitor holding the point, else the nearest (platform/Monitors.h).
  TMonitor MonitorFromPoint(TPoint p) const;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  // The control with the focus in the active form.
  TWinControl* ActiveControl() const;

  TCursor Cursor() const { return ScreenCursor(); }
  void SetCursor(TCursor c) { SetScreenCursor(c); }
  // The program's numbered cursors (platform/Cursors.h).
  HCURSOR Cursors(TCursor index) const;
  void SetCursors(TCursor index, HCURSOR cursor);
  // The installed font families (platform/FontList.h), read from the
  // widget set the first time they are asked for; empty without one.
  TStrings* Fonts();

  // Kept up to date by the forms.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);

 private:
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  std::unique_ptr<TStringList> FFonts;
};

extern TApplication* Application;
extern TScreen* Screen;

// Makes the Application and Screen objects (once; the second call does
// nothing) and frees them (forms first).
void InitApplication();
void DoneApplication();

// Runs a handler the toolkit calls on its own (a form's OnCreate, a menu
// item's click, ...): an exception is handed to
// Application->HandleException (the error box, or nothing for EAbort);
// without an application it is swallowed. The widget set's guard around
// its event handlers ends in the same error box.
void GuardCall(const std::function<void()>& handler);
// The same for the exception being caught now (call inside catch).
void HandleGuardedException();
