#include "platform/Forms.h"

#include <algorithm>

#include "platform/ActnList.h"
#include "platform/AppEvnts.h"
#include "platform/Cursors.h"
#include "platform/FontList.h"
#include "platform/Menus.h"
#include "platform/Monitors.h"
#include "platform/SysUtils.h"
#include "platform/Widgetset.h"
#include "platform/Win32.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

std::string GetShortHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void HandleGuardedException() {
  if (Application) {
    Application->HandleException(nullptr);
    return;
  }
  try {
    throw;
  } catch (...) {}
}

void GuardCall(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (...) {
    HandleGuardedException();
  }
}

// ---- TCustomForm ----
TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FCanvas(new TControlCanvas()) {
  FCanvas->SetControl(this);
  SetVisible(false);
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Application) {
    auto& pending = Application->FPendingRelease;
    pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
  }
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FMenu = nullptr;
  }
  for (HWND w : FDisabledWindows)
    if (WidgetsetInstalled() && Widgetset().IsWindow(w)) EnableWindow(w, true);
  FDisabledWindows.clear();
  if (Screen) Screen->RemoveForm(this);
}

TRect TCustomForm::ClientRect() {
  if (HandleAllocated() || !WidgetsetInstalled()) return TWinControl::ClientRect();
  TCreateParams params;
  CreateParams(params);
  const TRect m = Widgetset().NonClientMargins(params);
  return TRect(0, 0, std::max(0, Width() - m.Left - m.Right), std::max(0, Height() - m.Top - m.Bottom));
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (FDestroyed) return;
  FDestroyed = true;
  DoDestroy();
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    HandleGuardedException();
  }
}

void TCustomForm::DoDestroy() {
  if (!OnDestroy) return;
  try {
    OnDestroy(this);
  } catch (...) {
    HandleGuardedException();
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = FormWindowClass;
  params.WndParent = nullptr;
  DWORD style = params.Style & ~(WS_CHILD | WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME |
                                 WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  style |= WS_CLIPCHILDREN;
  DWORD ex = params.ExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  bool icons = true;
  switch (FBorderStyle) {
    case bsNone:
      style |= WS_POPUP;
      icons = false;
      break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      style |= WS_POPUP | WS_CAPTION;
      ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      style |= WS_CAPTION;
      ex |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      ex |= WS_EX_TOOLWINDOW;
      break;
  }
  if (icons && FBorderIcons.Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    bool boxes = FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin;
    if (boxes && FBorderIcons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (boxes && FBorderIcons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == fsStayOnTop) ex |= WS_EX_TOPMOST;
  params.Style = style;
  params.ExStyle = ex;
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params) {
  TCreateParams p = params;
  p.Style &= ~WS_VISIBLE;
  TWinControl::CreateWindowHandle(p);
}

bool TCustomForm::DialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) < 0) return false;
  uint16_t key = LoWord(m.WParam);
  switch (key) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        return true;
      }
      return false;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
        return true;
      }
      return false;
    default: return false;
  }
}

void TCustomForm::UpdateWindowStyle() {
  if (!HandleAllocated()) return;
  TCreateParams p;
  CreateParams(p);
  WindowHandle()->SetStyle((WindowHandle()->Style() & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE)) |
                           (p.Style & ~(WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE)));
  WindowHandle()->SetExStyle(p.ExStyle);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  UpdateWindowStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (FBorderIcons == v) return;
  FBorderIcons = v;
  UpdateWindowStyle();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (FFormStyle == v) return;
  FFormStyle = v;
  UpdateWindowStyle();
}

TWindowState TCustomForm::WindowState() const { return FWindowState; }

void TCustomForm::SetWindowState(TWindowState v) {
  if (FWindowState == v) return;
  FWindowState = v;
  if (HandleAllocated() && Showing()) {
    static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(WindowHandle(), cmds[v]);
  }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (FMenu == menu) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = menu;
  if (FMenu) FMenu->FreeNotification(this);
  if (HandleAllocated()) SendMessage(WindowHandle(), BQM_SETMENU, 0, reinterpret_cast<LPARAM>(FMenu));
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMenu) {
    FMenu = nullptr;
    if (HandleAllocated()) SendMessage(WindowHandle(), BQM_SETMENU, 0, 0);
  }
  if (component == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::CenterOnScreen() {
  if (!Screen) return;
  int x = (Screen->Width() - Width()) / 2;
  int y = (Screen->Height() - Height()) / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetBounds(x, y, Width(), Height());
}

HWND TCustomForm::OpenerWindow() const {
  // The form the user works in (the one that opened this), else the main
  // form; the main form itself belongs to nobody.
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main == this) return nullptr;
  TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
  if (active && active != this && active->Showing() && active->HandleAllocated()) return active->WindowHandle();
  if (main && main->HandleAllocated()) return main->WindowHandle();
  return nullptr;
}

void TCustomForm::ShowingChanged() {
  if (HandleAllocated() && !Parent()) WindowHandle()->SetOwnerWindow(OpenerWindow());
  // A window opening over a hint ends it.
  if (Application) Application->CancelHint();
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: CenterOnScreen(); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = FPosition == poMainFormCenter && Application ? Application->MainForm() : nullptr;
      if (FPosition == poOwnerFormCenter) center = dynamic_cast<TCustomForm*>(Owner());
      if (center && center != this) {
        int x = center->Left() + (center->Width() - Width()) / 2;
        int y = center->Top() + (center->Height() - Height()) / 2;
        SetBounds(std::max(0, x), std::max(0, y), Width(), Height());
      } else {
        CenterOnScreen();
      }
      break;
    }
    default: break;
  }
}

void TCustomForm::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_VISIBLECHANGED:
      // A form makes its window when it is first shown.
      if (Visible() && !HandleAllocated() && !Parent()) HandleNeeded();
      if (!Visible() && FWasShowing) {
        FWasShowing = false;
        GuardCall([this] { DoHide(); });
      }
      TWinControl::Dispatch(msg);
      return;
    case CM_SHOWINGCHANGED: {
      bool showing = Showing();
      if (showing && !FWasShowing) {
        FWasShowing = true;
        ShowingChanged();
        GuardCall([this] { DoShow(); });
        if (FMenu && HandleAllocated()) SendMessage(WindowHandle(), BQM_SETMENU, 0, reinterpret_cast<LPARAM>(FMenu));
      } else if (!showing && FWasShowing) {
        FWasShowing = false;
        GuardCall([this] { DoHide(); });
      }
      TWinControl::Dispatch(msg);
      if (showing && FWindowState != wsNormal && HandleAllocated()) {
        ShowWindow(WindowHandle(), FWindowState == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWMAXIMIZED);
      }
      return;
    }
    case WM_CLOSE: WMClose(msg); return;
    case WM_SYSCOMMAND: WMSysCommand(msg); return;
    case WM_ACTIVATE: WMActivate(msg); return;
    case WM_SIZE: WMSize(msg); return;
    case WM_CREATE:
      TWinControl::Dispatch(msg);
      if (FMenu) SendMessage(WindowHandle(), BQM_SETMENU, 0, reinterpret_cast<LPARAM>(FMenu));
      return;
    default: TWinControl::Dispatch(msg);
  }
}

void TCustomForm::WMClose(TMessage& m) {
  m.Result = 0;
  // A window disabled by another form's modal loop does not close.
  if (HandleAllocated() && !IsWindowEnabled(WindowHandle())) return;
  GuardCall([this] { Close(); });
}

void TCustomForm::WMSysCommand(TMessage& m) {
  switch (m.WParam & 0xFFF0) {
    case SC_MINIMIZE:
      if (Application && Application->MainForm() == this)
        Application->Minimize();
      else
        SetWindowState(wsMinimized);
      m.Result = 0;
      return;
    case SC_RESTORE:
      if (Application && Application->MainForm() == this && Application->Minimized())
        Application->Restore();
      else
        SetWindowState(wsNormal);
      m.Result = 0;
      return;
    case SC_MAXIMIZE:
      SetWindowState(wsMaximized);
      m.Result = 0;
      return;
    case SC_CLOSE:
      GuardCall([this] { Close(); });
      m.Result = 0;
      return;
    default: TWinControl::Dispatch(m);
  }
}

void TCustomForm::WMActivate(TMessage& m) {
  bool active = LoWord(m.WParam) != WA_INACTIVE;
  TWinControl::Dispatch(m);
  if (active == FActive) return;
  FActive = active;
  // The focus going to another window ends the hint.
  if (active && Application && Application->FHintControl &&
      GetTopLevelParent(Application->FHintControl) != static_cast<TWinControl*>(this))
    Application->CancelHint();
  if (active) {
    if (Screen) Screen->SetActiveForm(this);
    if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
    GuardCall([this] { Activate(); });
  } else {
    GuardCall([this] { Deactivate(); });
  }
}

void TCustomForm::WMSize(TMessage& m) {
  switch (m.WParam) {
    case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
    case SIZE_RESTORED: FWindowState = wsNormal; break;
    default: break;
  }
  TWinControl::Dispatch(m);
}

void TCustomForm::PaintWindow(HDC dc) {
  TWinControl::PaintWindow(dc);
  if (!OnPaint) return;
  FCanvas->Lock();
  FCanvas->SetHandle(dc);
  try {
    OnPaint(this);
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    if (action == caFree) Release();
  } catch (...) {
    FModalResult = mrNone;
    HandleGuardedException();
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  FModal = true;
  FModalResult = mrNone;
  if (Application) Application->ModalStarted();
  // The window to give the focus back to when the loop ends.
  TCustomForm* previous = Screen ? Screen->ActiveForm() : nullptr;
  if (previous == this) previous = nullptr;
  // The other forms' windows take no input while the form runs.
  std::vector<HWND> disabled;
  if (Screen && WidgetsetInstalled()) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f == this || !f->HandleAllocated()) continue;
      HWND w = f->WindowHandle();
      if (IsWindowEnabled(w)) {
        EnableWindow(w, false);
        disabled.push_back(w);
      }
    }
  }
  FDisabledWindows.insert(FDisabledWindows.end(), disabled.begin(), disabled.end());
  // Runs on every way out, an exception included: the windows this loop
  // disabled take input again and the one that was active gets it back.
  struct TRestore {
    TCustomForm* Form;
    std::vector<HWND> Windows;
    TCustomForm* Previous;
    ~TRestore() {
      try {
        Form->Hide();
      } catch (...) {}
      for (HWND w : Windows)
        if (WidgetsetInstalled() && Widgetset().IsWindow(w)) EnableWindow(w, true);
      auto& mine = Form->FDisabledWindows;
      for (HWND w : Windows) mine.erase(std::remove(mine.begin(), mine.end(), w), mine.end());
      Form->FModal = false;
      if (Application) Application->ModalFinished();
      if (!Previous || !Screen) return;
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) == Previous && Previous->Showing() && Previous->HandleAllocated() &&
            IsWindowEnabled(Previous->WindowHandle())) {
          try {
            Previous->SetFocus();
          } catch (...) {}
          return;
        }
    }
  } restore{this, disabled, previous};
  Show();
  // Above its opener, with the keys: in its active control, else in the
  // first control the Tab key reaches, as a dialog opens.
  if (CanFocus()) {
    TWinControl* first = ActiveControl() ? nullptr : FindNextControl(nullptr, true, true, false);
    if (first)
      first->SetFocus();
    else
      SetFocus();
  }
  UiService().ModalFormShown(this);
  for (;;) {
    // A form hidden by code ends its loop: nothing would be left to close it.
    if (!Visible()) {
      if (FModalResult == mrNone) FModalResult = mrCancel;
      break;
    }
    if (FModalResult == mrNone) {
      if (!Application || Application->Terminated()) {
        FModalResult = mrCancel;
      } else {
        Application->HandleMessage();
        if (Application->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
      }
    }
    if (FModalResult != mrNone && Visible()) {
      CloseModal();
      if (FModalResult != mrNone) break;
    }
  }
  return FModalResult;
}

void TCustomForm::Release() {
  if (!Application) return;
  auto& pending = Application->FPendingRelease;
  if (std::find(pending.begin(), pending.end(), this) == pending.end()) pending.push_back(this);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (FActiveControl == control) return;
  FActiveControl = control;
  if (control && FActive && Showing() && control->CanFocus()) control->SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  bool result = TWinControl::SetFocusedControl(control);
  if (control && control != this) FActiveControl = control;
  return result;
}

void TCustomForm::FocusControl(TWinControl* control) {
  FActiveControl = control;
  if (control && control->CanFocus()) control->SetFocus();
}

void TCustomForm::SetFocus() {
  if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus()) {
    FActiveControl->SetFocus();
    return;
  }
  TWinControl::SetFocus();
}

bool TCustomForm::IsShortCut(TMessage& keyMsg) {
  bool handled = false;
  if (OnShortCut) OnShortCut(keyMsg, handled);
  if (handled) return true;
  if (FMenu && FMenu->IsShortCut(keyMsg)) return true;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TActionList*>(Components(i)))
      if (list->IsShortCut(keyMsg)) return true;
  return false;
}

void FreeForm(TCustomForm* form) {
  if (!form) return;
  form->BeforeDestruction();
  delete form;
}

// ---- THintWindow ----
THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font()->SetName("Tahoma");
  Font()->SetHeight(-11);
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WinClassName = HintWindowClass;
  params.WndParent = nullptr;
  params.Style = (params.Style & ~WS_CHILD) | WS_POPUP | WS_BORDER;
  params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  TRect r(0, 0, maxWidth, 0);
  if (WidgetsetInstalled()) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawText(dc, hint.c_str(), static_cast<int>(hint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
  SetCaption(hint);
  // Keep the window on the screen.
  if (Screen) {
    if (rect.Right > Screen->Width()) OffsetRect(rect, Screen->Width() - rect.Right, 0);
    if (rect.Left < 0) OffsetRect(rect, -rect.Left, 0);
    if (rect.Bottom > Screen->Height()) OffsetRect(rect, 0, Screen->Height() - rect.Bottom);
    if (rect.Top < 0) OffsetRect(rect, 0, -rect.Top);
  }
  ShowAt(rect);
}

void THintWindow::ShowAt(const TRect& rect) {
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  FActive = true;
  SetVisible(true);
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_SHOWNOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  FActive = false;
  SetVisible(false);
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  InflateRect(r, -2, -1);
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetStyle(bsClear);
  std::string text = Caption();
  DrawText(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---- TApplication ----
TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  std::string exe = ExtractFileName(ParamStr(0));
  std::string ext = ExtractFileExt(exe);
  FTitle = exe.substr(0, exe.size() - ext.size());
  if (WidgetsetInstalled()) Widgetset().ClearQuit();
}

TApplication::~TApplication() {
  Destroying();
  DestroyForms();
  if (FHintWindow) {
    delete FHintWindow;
    FHintWindow = nullptr;
  }
}

void TApplication::Initialize() {
  InstallMenuKeyHandler();
  SetHintMouseHandler([](TControl* control, TMessage& msg) {
    if (Application) Application->HintMouseMessage(control, msg);
  });
  FTerminated = false;
  if (WidgetsetInstalled()) Widgetset().ClearQuit();
}

void TApplication::SetTitle(const std::string& title) { FTitle = title; }

std::string TApplication::ExeName() const { return ParamStr(0); }

void TApplication::FormCreated(TCustomForm* form) {
  FForms.push_back(form);
  form->AfterConstruction();
  if (!FMainForm && std::find(FForms.begin(), FForms.end(), form) != FForms.end()) {
    FMainForm = form;
    form->HandleNeeded();
  }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  FForms.erase(std::remove(FForms.begin(), FForms.end(), component), FForms.end());
  FPendingRelease.erase(std::remove(FPendingRelease.begin(), FPendingRelease.end(), component), FPendingRelease.end());
  if (component == FMainForm) FMainForm = nullptr;
  if (component == FHintControl) {
    FHintControl = nullptr;
    FHintState = hsIdle;
  }
  if (component == FHintWindow) FHintWindow = nullptr;
  if (component == FHintTimer) FHintTimer = nullptr;
}

void TApplication::DestroyForms() {
  CancelHint();
  while (!FForms.empty()) {
    TCustomForm* form = FForms.back();
    FForms.pop_back();
    if (form == FMainForm) {
      form->BeforeDestruction();
      delete form;
      FMainForm = nullptr;
    } else {
      FreeForm(form);
    }
  }
  FPendingRelease.clear();
}

void TApplication::DoReleases() {
  while (!FPendingRelease.empty()) {
    TCustomForm* form = FPendingRelease.front();
    FPendingRelease.erase(FPendingRelease.begin());
    FreeForm(form);
  }
}

void TApplication::Run() {
  FRunning = true;
  if (FMainForm && FShowMainForm) {
    if (FMainForm->WindowState() == wsMinimized) {
      FMainForm->SetVisible(true);
      Minimize();
    } else {
      FMainForm->SetVisible(true);
    }
  }
  HintTimerNeeded();
  while (!FTerminated) HandleMessage();
  FRunning = false;
}

void TApplication::Terminate() {
  FTerminated = true;
  if (WidgetsetInstalled()) Widgetset().PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  if (!WidgetsetInstalled()) {
    FTerminated = true;
    return;
  }
  if (OnIdle) GuardCall([this] { OnIdle(this); });
  try {
    Widgetset().WaitAndProcess();
  } catch (...) {
    HandleException(this);
  }
  if (Widgetset().QuitRequested()) FTerminated = true;
  DoReleases();
}

void TApplication::ProcessMessages() {
  if (!WidgetsetInstalled()) return;
  try {
    Widgetset().ProcessMessages();
  } catch (...) {
    HandleException(this);
  }
  if (Widgetset().QuitRequested()) FTerminated = true;
  DoReleases();
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException) {
      try {
        OnException(sender, e);
      } catch (...) {}
    } else {
      ShowException(e);
    }
  } catch (...) {
    ShowException(Exception("Unknown exception"));
  }
}

void TApplication::ShowException(const std::exception& e) {
  std::string msg = e.what();
  if (auto* ex = dynamic_cast<const Exception*>(&e)) msg = ex->Message();
  MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = nullptr;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    owner = Screen->ActiveForm()->WindowHandle();
  else if (FMainForm && FMainForm->HandleAllocated())
    owner = FMainForm->WindowHandle();
  return ::MessageBox(owner, text, caption, flags);
}

bool TApplication::DispatchHooks(TMessage& msg) {
  auto hooks = FHooks;
  for (auto& h : hooks)
    if (h.second && h.second(msg)) return true;
  return false;
}

void TApplication::HookMainWindow(const TWindowHook& hook, void* id) {
  UnhookMainWindow(id);
  FHooks.emplace_back(id, hook);
}

void TApplication::UnhookMainWindow(void* id) {
  FHooks.erase(std::remove_if(FHooks.begin(), FHooks.end(), [id](auto& h) { return h.first == id; }), FHooks.end());
}

void TApplication::Minimize() {
  if (FMinimized) return;
  TMessage sys(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (DispatchHooks(sys)) return;
  FMinimized = true;
  for (TCustomForm* f : FForms)
    if (f->Visible() && f->HandleAllocated()) {
      f->FWindowState = wsMinimized;
      ShowWindow(f->WindowHandle(), SW_SHOWMINNOACTIVE);
    }
  TMessage size(WM_SIZE, SIZE_MINIMIZED, 0);
  DispatchHooks(size);
  if (OnMinimize) GuardCall([this] { OnMinimize(this); });
}

void TApplication::Restore() {
  TMessage sys(WM_SYSCOMMAND, SC_RESTORE, 0);
  if (DispatchHooks(sys)) return;
  if (!FMinimized) return;
  FMinimized = false;
  for (TCustomForm* f : FForms)
    if (f->Visible() && f->HandleAllocated() && f->FWindowState == wsMinimized) {
      f->FWindowState = wsNormal;
      ShowWindow(f->WindowHandle(), SW_RESTORE);
    }
  TMessage size(WM_SIZE, SIZE_RESTORED, 0);
  DispatchHooks(size);
  if (OnRestore) GuardCall([this] { OnRestore(this); });
}

void TApplication::BringToFront() {
  TCustomForm* f = Screen && Screen->ActiveForm() ? Screen->ActiveForm() : FMainForm;
  if (f && f->Visible()) f->BringToFront();
}

bool TApplication::Active() const { return Screen && Screen->ActiveForm() && Screen->ActiveForm()->Active(); }

void TApplication::ModalStarted() {
  ++FModalLevel;
  CancelHint();
}

void TApplication::ModalFinished() {
  if (FModalLevel > 0) --FModalLevel;
}

// -- hints --
void TApplication::SetShowHint(bool v) {
  if (FShowHint == v) return;
  FShowHint = v;
  if (!v) CancelHint();
  if (FHintWindow) {
    delete FHintWindow;
    FHintWindow = nullptr;
  }
}

void TApplication::SetHintWindowClass(THintWindowFactory factory) {
  FHintWindowClass = std::move(factory);
  if (FHintWindow) {
    HideHint();
    delete FHintWindow;
    FHintWindow = nullptr;
  }
}

namespace {
// The control that shows a hint: the innermost one under the cursor with
// ShowHint on and a hint text.
TControl* HintControlAt(TControl* c) {
  for (; c; c = c->Parent())
    if (c->ShowHint() && !GetShortHint(c->Hint()).empty()) return c;
  return nullptr;
}
}  // namespace

void TApplication::HintMouseMessage(TControl* control, TMessage& msg) {
  if (msg.Msg == WM_MOUSELEAVE) {
    // The mouse left the window that holds the hint's control.
    for (TControl* c = FHintControl; c; c = c->Parent())
      if (c == control) {
        CancelHint();
        break;
      }
    return;
  }
  if (msg.Msg != WM_MOUSEMOVE) {
    // A click ends the hint; it comes back only after the mouse moves on.
    HideHint();
    if (FHintState == hsWaiting) FHintState = hsIdle;
    return;
  }
  TPoint p = control->ClientToScreen(TPoint(GetXLParam(msg.LParam), GetYLParam(msg.LParam)));
  HintControlChanged(control, p);
}

void TApplication::HintTimerNeeded() {
  if (FHintTimer || !WidgetsetInstalled()) return;
  FHintTimer = new TTimer(this);
  FHintTimer->SetInterval(100);
  FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
}

void TApplication::HintControlChanged(TControl* control, TPoint screenPos) {
  HintTimerNeeded();
  TControl* hc = FShowHint ? HintControlAt(control) : nullptr;
  if (hc != FHintControl) {
    bool wasShown = FHintState == hsShown;
    HideHint();
    FHintControl = hc;
    FHintCursor = screenPos;
    if (hc) {
      FHintState = hsWaiting;
      if (FHintTimer) {
        FHintTimer->SetEnabled(false);
        FHintTimer->SetInterval(static_cast<UINT>(wasShown ? FHintShortPause : FHintPause));
        FHintTimer->SetEnabled(true);
      }
    } else {
      FHintState = hsIdle;
    }
    return;
  }
  FHintCursor = screenPos;
}

void TApplication::HintTimerExpired() {
  // Follow the mouse (the timer also polls while no hint is pending).
  if (WidgetsetInstalled()) {
    TPoint p = Widgetset().CursorPos();
    TControl* under = MouseControl();
    if (under != FHintControl && HintControlAt(under) != FHintControl) {
      // The mouse is off the hint's control: the hint ends. A new one
      // starts only with the mouse moving over a control, never from here
      // (a window that opened under a resting mouse shows no old hint).
      if (FHintControl) CancelHint();
      return;
    }
    FHintCursor = p;
  }
  switch (FHintState) {
    case hsWaiting: ActivateHint(FHintCursor); break;
    case hsShown:
      HideHint();
      FHintState = hsIdle;
      if (FHintTimer) FHintTimer->SetInterval(100);
      break;
    default: break;
  }
}

void TApplication::ActivateHint(TPoint cursorPos) {
  if (!FHintControl || !FShowHint || FModalLevel < 0) return;
  // A control of a window that takes no input (under a modal dialog)
  // shows no hint.
  TWinControl* top = GetTopLevelParent(FHintControl);
  if (top && top->HandleAllocated() && !top->WindowHandle()->TakesInput()) {
    FHintState = hsIdle;
    return;
  }
  THintInfo info;
  info.HintControl = FHintControl;
  info.CursorPos = FHintControl->ScreenToClient(cursorPos);
  info.HintPos = TPoint(cursorPos.X, cursorPos.Y + 20);
  info.HintMaxWidth = Screen ? Screen->Width() : 1280;
  info.HintColor = FHintColor;
  info.CursorRect = FHintControl->ClientRect();
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(FHintControl->Hint());
  std::string hint = info.HintStr;
  bool canShow = FHintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  hint = info.HintStr;
  if (canShow) DispatchShowHint(hint, canShow, info);
  if (!canShow || hint.empty()) {
    FHintState = hsIdle;
    if (FHintTimer) FHintTimer->SetInterval(100);
    return;
  }
  if (!FHintWindow) FHintWindow = FHintWindowClass ? FHintWindowClass(this) : new THintWindow(this);
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, hint);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  FHintWindow->ActivateHint(r, hint);
  FHint = hint;
  FHintState = hsShown;
  if (OnHint) GuardCall([this] { OnHint(this); });
  if (FHintTimer) {
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(static_cast<UINT>(info.HideTimeout > 0 ? info.HideTimeout : FHintHidePause));
    FHintTimer->SetEnabled(true);
  }
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->IsShowing()) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint() {
  HideHint();
  FHintControl = nullptr;
  FHintState = hsIdle;
}

// ---- TScreen ----
TScreen::TScreen(TComponent* owner) : TComponent(owner) {}
TScreen::~TScreen() = default;

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    if (IFontListBackend* backend = FontListBackend())
      for (const std::string& name : InstalledFontNames(backend->Families())) FFonts->Add(name);
  }
  return FFonts.get();
}

HCURSOR TScreen::Cursors(TCursor index) const { return ScreenCursorHandle(index); }
void TScreen::SetCursors(TCursor index, HCURSOR cursor) { SetScreenCursorHandle(index, cursor); }

int TScreen::Width() const { return WidgetsetInstalled() ? Widgetset().ScreenSize().cx : 1280; }
int TScreen::Height() const { return WidgetsetInstalled() ? Widgetset().ScreenSize().cy : 1024; }
TRect TScreen::WorkAreaRect() const { return WidgetsetInstalled() ? Widgetset().WorkArea() : TRect(0, 0, 1280, 1024); }
int TScreen::PixelsPerInch() const { return WidgetsetInstalled() ? Widgetset().PixelsPerInch() : 96; }

TMonitor TScreen::MonitorFromPoint(TPoint p) const {
  std::vector<TRect> rects = MonitorBackend().MonitorRects();
  TMonitor m;
  if (rects.empty()) {
    m.BoundsRect = TRect(0, 0, Width(), Height());
    return m;
  }
  // The monitor holding the point, else the nearest one.
  int64_t best = -1;
  for (const TRect& r : rects) {
    int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
    int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
    int64_t d = dx * dx + dy * dy;
    if (best < 0 || d < best) {
      best = d;
      m.BoundsRect = r;
    }
  }
  return m;
}

TWinControl* TScreen::ActiveControl() const {
  if (WidgetsetInstalled()) {
    if (TWinControl* c = FindControl(GetFocus())) return c;
  }
  return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
  if (FActiveForm == form) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) { FActiveForm = form; }

void InitApplication() {
  if (!Screen) Screen = new TScreen(nullptr);
  if (!Application) Application = new TApplication(nullptr);
}

void DoneApplication() {
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
}
