#include "TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/Win32.h"

namespace {
constexpr UINT ExitCheckInterval = 20;
// WM_SHOWWINDOW's lParam when the window is hidden because its owner closes.
constexpr LPARAM SW_PARENTCLOSING = 1;
}  // namespace

// ---- TTrayIconHandler ----
TTrayIcon* TTrayIconHandler::Find(uintptr_t id) const {
  return IsLive(id) ? reinterpret_cast<TTrayIcon*>(id) : nullptr;
}

void TTrayIconHandler::HandleMessage(TMessage& msg) {
  switch (msg.Msg) {
    case TrayIconCallbackMessage:
      msg.Result = 0;
      if (TTrayIcon* icon = Find(uintptr_t(msg.WParam))) icon->TrayMessage(UINT(msg.LParam));
      return;
    // The window stays until its last icon goes and never vetoes the end
    // of a session.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY: msg.Result = 1; return;
    default: break;
  }
  if (msg.Msg == TaskbarCreatedMessage() || msg.Msg == TrayGoneMessage()) {
    // The tray tells the application's window that it is back (or gone);
    // here the icons' window hears it and hands it to the application's
    // hooks.
    if (Application) Application->DispatchHooks(msg);
    msg.Result = 0;
    return;
  }
  DefaultHandling(msg);
}

// ---- TTrayIcon ----
TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), FIcon(std::make_unique<TIcon>()) {
  TTrayIconHandler::Register(Id());
  FIcon->OnChange = [this](TObject* s) { IconChanged(s); };
  FCycleTimer = std::make_unique<TSharedTimer>(0, [this](TObject* s) { CycleStep(s); });
  FClickTimer = std::make_unique<TSharedTimer>(GetDoubleClickTime(), [this](TObject* s) { ClickCheck(s); });
  FExitTimer = std::make_unique<TSharedTimer>(ExitCheckInterval, [this](TObject* s) { ExitCheck(s); });
  FData.hWnd = TTrayIconHandler::Instance()->Handle();
  FData.uID = Id();
  FData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FData.uCallbackMessage = TrayIconCallbackMessage;
  if (ComponentState() & csDesigning) return;
  if (Application) {
    Application->HookMainWindow([this](TMessage& m) { return ApplicationHook(m); }, this);
    FHooked = true;
  }
  if (TCustomForm* form = OwnerForm()) {
    FSubclassed = form;
    FOldWndProc = form->WindowProc;
    form->WindowProc = [this](TMessage& m) { FormWndProc(m); };
  }
}

TTrayIcon::~TTrayIcon() {
  if (FIconVisible) HideIcon();
  FCycleTimer.reset();
  FClickTimer.reset();
  FExitTimer.reset();
  if (FIcon) FIcon->OnChange = nullptr;
  FIcon.reset();
  if (FHooked && Application) Application->UnhookMainWindow(this);
  // A form that is being destroyed takes its window procedure with it.
  if (FSubclassed && !(FSubclassed->ComponentState() & csDestroying)) FSubclassed->WindowProc = FOldWndProc;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  if (FIconList) FIconList->RemoveFreeNotification(this);
  TTrayIconHandler::Unregister(Id());
}

TCustomForm* TTrayIcon::OwnerForm() const { return dynamic_cast<TCustomForm*>(Owner()); }

// ---- the shell's record ----
void TTrayIcon::RefreshData() {
  FData.hIcon = FIcon && !FIcon->Empty() ? FIcon.get() : nullptr;
  std::memset(FData.szTip, 0, sizeof(FData.szTip));
  if (!FHint.empty() && FShowHint)
    std::memcpy(FData.szTip, FHint.data(), std::min(FHint.size(), sizeof(FData.szTip) - 1));
}

bool TTrayIcon::ShowIcon() {
  FIconVisible = true;
  RefreshData();
  return Shell_NotifyIcon(NIM_ADD, &FData);
}

bool TTrayIcon::HideIcon() {
  FIconVisible = false;
  RefreshData();
  return Shell_NotifyIcon(NIM_DELETE, &FData);
}

bool TTrayIcon::ModifyIcon() {
  // An icon that is not in the tray has nothing to update.
  if (!FIconVisible) return false;
  RefreshData();
  return Shell_NotifyIcon(NIM_MODIFY, &FData);
}

void TTrayIcon::IconChanged(TObject*) { ModifyIcon(); }

// ---- setters ----
void TTrayIcon::SetIcon(TIcon* icon) {
  FIcon->OnChange = nullptr;
  TIcon none;
  FIcon->Assign(icon ? icon : &none);
  FIcon->OnChange = [this](TObject* s) { IconChanged(s); };
  ModifyIcon();
}

void TTrayIcon::SetIconVisible(bool v) {
  if (v)
    ShowIcon();
  else
    HideIcon();
}

void TTrayIcon::SetHint(const std::string& v) {
  FHint = v;
  ModifyIcon();
}

void TTrayIcon::SetShowHint(bool v) {
  FShowHint = v;
  ModifyIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TTrayIcon::SetIconList(TImageList* list) {
  if (list != FIconList) {
    if (FIconList) FIconList->RemoveFreeNotification(this);
    FIconList = list;
    if (list) list->FreeNotification(this);
  }
  SetIconIndex(0);
}

void TTrayIcon::SetIconIndex(int v) {
  if (!FIconList || FIconList->Count() == 0) {
    FIconIndex = 0;
    return;
  }
  FIconIndex = std::clamp(v, 0, FIconList->Count() - 1);
  FIcon->OnChange = nullptr;
  FIconList->GetIcon(FIconIndex, FIcon.get());
  FIcon->OnChange = [this](TObject* s) { IconChanged(s); };
  ModifyIcon();
}

void TTrayIcon::SetCycleIcons(bool v) {
  FCycleIcons = v;
  if (v) {
    SetIconIndex(0);
    FCycleTimer->SetInterval(FCycleInterval);
    FCycleTimer->Start();
  } else {
    FCycleTimer->Stop(true);
  }
}

void TTrayIcon::SetCycleInterval(UINT ms) {
  FCycleInterval = ms;
  SetCycleIcons(FCycleIcons);
}

void TTrayIcon::SetWantEnterExitEvents(bool v) {
  FWantEnterExitEvents = v;
  if (v)
    FExitTimer->Start();
  else
    FExitTimer->Stop(true);
}

void TTrayIcon::SetBehavior(uint8_t v) {
  FBehavior = v;
  FData.uVersion = v == 1 ? NOTIFYICON_VERSION : 0;
  if (FIconVisible) Shell_NotifyIcon(NIM_SETVERSION, &FData);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FIconList) {
    FIconList = nullptr;
    SetIconList(nullptr);
  }
  if (component == FPopupMenu) FPopupMenu = nullptr;
}

// ---- notifications ----
TShiftState TTrayIcon::KeyboardShift() const {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  return s;
}

void TTrayIcon::TrayMessage(UINT code) {
  switch (code) {
    case NIN_BALLOONSHOW:
      if (OnBalloonHintShow) OnBalloonHintShow(this);
      return;
    case NIN_BALLOONHIDE:
      if (OnBalloonHintHide) OnBalloonHintHide(this);
      return;
    case NIN_BALLOONTIMEOUT:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
      return;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      return;
    default: break;
  }
  if (!FEnabled) return;
  TShiftState shift = KeyboardShift();
  TPoint p;
  GetCursorPos(&p);
  switch (code) {
    case WM_MOUSEMOVE:
      if (FWantEnterExitEvents && FDidExit) {
        if (OnMouseEnter) OnMouseEnter(this);
        FDidExit = false;
      }
      if (OnMouseMove) OnMouseMove(this, shift, p.X, p.Y);
      FLastMouse = p;
      return;
    case WM_LBUTTONDOWN:
      if (OnDblClick) {
        FClickTimer->SetInterval(GetDoubleClickTime());
        FClickTimer->Start();
      }
      if (OnMouseDown) OnMouseDown(this, mbLeft, shift + TShiftState{ssLeft}, p.X, p.Y);
      FClickStart = true;
      if (FLeftPopup) PopupAtCursor();
      return;
    case WM_LBUTTONUP: {
      bool fireNow = false;
      if (FClickStart) {
        FClickReady = true;
        if (!FClickTimer->Enabled()) {
          FClickStart = FClickReady = false;
          fireNow = true;
        }
      }
      FClickStart = false;
      if (fireNow && OnClick) OnClick(this);
      if (OnMouseUp) OnMouseUp(this, mbLeft, shift + TShiftState{ssLeft}, p.X, p.Y);
      return;
    }
    case WM_LBUTTONDBLCLK:
      FClickReady = false;
      FDblClicked = true;
      if (OnDblClick) OnDblClick(this);
      if (FPopupMenu && FPopupMenu->AutoPopup() && !FLeftPopup) {
        TMenuItem* root = FPopupMenu->Items();
        for (int i = 0; i < root->Count(); ++i)
          if (root->Items(i)->Default()) {
            root->Items(i)->Click();
            break;
          }
      }
      return;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbRight, shift + TShiftState{ssRight}, p.X, p.Y);
      PopupAtCursor();
      return;
    case WM_RBUTTONUP:
      if (FBehavior == 0 && OnMouseUp) OnMouseUp(this, mbRight, shift + TShiftState{ssRight}, p.X, p.Y);
      return;
    case WM_CONTEXTMENU:
    case NIN_SELECT:
    case NIN_KEYSELECT:
      if (FBehavior == 1 && OnMouseUp) OnMouseUp(this, mbRight, shift + TShiftState{ssRight}, p.X, p.Y);
      return;
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbMiddle, shift + TShiftState{ssMiddle}, p.X, p.Y);
      return;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, mbMiddle, shift + TShiftState{ssMiddle}, p.X, p.Y);
      return;
    default: return;
  }
}

void TTrayIcon::PopupAtCursor() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  TPoint p;
  if (!GetCursorPos(&p)) return;
  if (Application) {
    Application->BringToFront();
    Application->ProcessMessages();
  }
  // Processing messages may have taken the menu away.
  if (!FPopupMenu) return;
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(p.X, p.Y);
  // Lets the menu close properly when the user clicks elsewhere.
  TCustomForm* form = OwnerForm();
  if (form && form->HandleAllocated()) PostMessage(form->WindowHandle(), WM_NULL, 0, 0);
}

void TTrayIcon::ClickCheck(TObject*) {
  FClickTimer->Stop(true);
  bool fire = FClickReady && !FDblClicked;
  FClickReady = false;
  FDblClicked = false;
  if (fire && OnClick) OnClick(this);
}

void TTrayIcon::CycleStep(TObject*) {
  if (!FIconList || FIconList->Count() == 0) return;
  int index = std::clamp(FIconIndex, 0, FIconList->Count() - 1);
  FIcon->OnChange = nullptr;
  FIconList->GetIcon(index, FIcon.get());
  FIcon->OnChange = [this](TObject* s) { IconChanged(s); };
  int next = index + 1 >= FIconList->Count() ? 0 : index + 1;
  if (OnCycle) OnCycle(this, next);
  SetIconIndex(next);
}

void TTrayIcon::ExitCheck(TObject*) {
  if (FDidExit) return;
  TPoint p;
  GetCursorPos(&p);
  if (p.X != FLastMouse.X || p.Y != FLastMouse.Y) {
    FDidExit = true;
    if (OnMouseExit) OnMouseExit(this);
  }
}

// ---- start-up ----
void TTrayIcon::RunStartup(bool hideApplicationButton) {
  bool show = true;
  if (OnStartup) OnStartup(this, show);
  if (show) return;
  if (Application) Application->SetShowMainForm(false);
  if (hideApplicationButton)
    HideApplicationButton();
  else
    HideMainForm();
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (OwnerForm() && !(ComponentState() & csDesigning)) RunStartup(false);
  ModifyIcon();
  if (FIconVisible) ShowIcon();
  SetCycleIcons(FCycleIcons);
  SetWantEnterExitEvents(FWantEnterExitEvents);
  SetBehavior(FBehavior);
}

// ---- the main window ----
void TTrayIcon::HideMainForm() {
  if (!OwnerForm() || !Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  HideApplicationButton();
}

void TTrayIcon::HideApplicationButton() {}

void TTrayIcon::RestoreMainForm() {
  if (!OwnerForm() || !Application || !Application->MainForm()) return;
  TCustomForm* form = Application->MainForm();
  FHiddenInTray = false;
  Application->Restore();
  if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
  form->SetVisible(true);
  Application->BringToFront();
}

bool TTrayIcon::MinimizeToTrayNow() {
  bool wasVisible = FIconVisible;
  // An icon already in the tray is updated rather than added twice.
  bool inTray = wasVisible && ModifyIcon();
  if (!inTray && !ShowIcon()) {
    // No tray took the icon: the window stays where the user can reach it.
    FIconVisible = wasVisible;
    return false;
  }
  HideMainForm();
  FHiddenInTray = true;
  return true;
}

bool TTrayIcon::ApplicationHook(TMessage& msg) {
  if (msg.Msg == WM_SIZE && msg.WParam == SIZE_MINIMIZED) {
    if (FMinimizeToTray) MinimizeToTrayNow();
  } else if (msg.Msg == WM_WINDOWPOSCHANGED) {
    if (FStartupPending && Application->MainForm()) {
      FStartupPending = false;
      if (Application->MainForm()->FormStyle() == fsMDIForm) RunStartup(true);
    }
  } else if (msg.Msg == WM_SYSCOMMAND && (msg.WParam & 0xFFF0) == SC_RESTORE) {
    if (Application->MainForm()) Application->MainForm()->SetVisible(true);
  } else if (msg.Msg == TaskbarCreatedMessage()) {
    if (FIconVisible) ShowIcon();
  } else if (msg.Msg == TrayGoneMessage()) {
    // The window hidden in a tray that is gone comes back to the screen,
    // and its icon with it; any other visible icon waits for the tray.
    if (FHiddenInTray) {
      RestoreMainForm();
      HideIcon();
    }
  }
  return false;
}

// ---- the owner form's window procedure ----
void TTrayIcon::PassToForm(TMessage& msg) {
  if (FOldWndProc)
    FOldWndProc(msg);
  else
    FSubclassed->WndProc(msg);
}

void TTrayIcon::FormWndProc(TMessage& msg) {
  bool minimize = false;
  if (msg.Msg == WM_SHOWWINDOW) {
    if (msg.WParam == 1 && msg.LParam == 0) {
      PassToForm(msg);
      if (Application) Application->BringToFront();
      FSubclassed->BringToFront();
      return;
    }
    bool parentClosing = msg.WParam == 0 && msg.LParam == SW_PARENTCLOSING;
    minimize = parentClosing && !(Application && Application->Terminated());
  } else if (msg.Msg == WM_SYSCOMMAND) {
    minimize = (msg.WParam & 0xFFF0) == SC_MINIMIZE;
  }
  // Without a tray the event is not fired and the minimise is an ordinary one.
  if (minimize && FMinimizeToTray && OnMinimizeToTray && TrayAvailable()) {
    OnMinimizeToTray(this);
    if (MinimizeToTrayNow()) {
      msg.Result = 1;
      return;
    }
  }
  PassToForm(msg);
}
