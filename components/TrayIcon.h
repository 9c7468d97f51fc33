// The tray icon: an icon in the notification area that turns the tray's
// notifications into events (click, double click, mouse down and up,
// balloon events), shows a popup menu at the icon, cycles through the icons
// of an image list, and can hide the main window to the tray when it is
// minimised.
//
// Every tray icon of the program receives its notifications through one
// hidden window, TTrayIconHandler, which knows the icons alive now: a
// notification naming any other identifier is ignored.
//
// Minimising to the tray adds the icon first and hides the window only
// when the tray took it: without a tray (or when the shell refuses), the
// minimise goes through as an ordinary one and the window never vanishes.
// That holds for the title bar's minimise (the owner form's subclassed
// window procedure) and for the application's minimise (the hook). When the
// tray itself goes away, a main form hidden in it comes back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "SharedTimer.h"
#include "SharedWindow.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/NotifyIcon.h"

class TTrayIcon;
class TCustomForm;

using TCycleEvent = std::function<void(TObject* sender, int nextIndex)>;
using TStartupEvent = std::function<void(TObject* sender, bool& showMainForm)>;

// The message the tray sends an icon's notifications with.
constexpr UINT TrayIconCallbackMessage = 0x0800;

// The hidden window shared by every tray icon, and the icons alive now.
class TTrayIconHandler : public TSharedWindow<TTrayIconHandler> {
 public:
  // The live icon an identifier from a tray notification names, or null.
  TTrayIcon* Find(uintptr_t id) const;

 protected:
  void HandleMessage(TMessage& msg) override;

 private:
  friend class TSharedWindow<TTrayIconHandler>;
  friend class TTrayIcon;
  TTrayIconHandler() = default;
};

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;
  const char* ClassName() const override { return "TTrayIcon"; }

  // ---- properties ----
  // Off: the icon's mouse notifications make no events.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  // The picture shown (owned); any change updates the tray.
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* icon);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool v);
  // The tooltip (its first 127 bytes are shown).
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  // The popup menu also opens on the left button.
  bool LeftPopup() const { return FLeftPopup; }
  void SetLeftPopup(bool v) { FLeftPopup = v; }
  TImageList* IconList() const { return FIconList; }
  // Also sets IconIndex to 0.
  void SetIconList(TImageList* list);
  int IconIndex() const { return FIconIndex; }
  // Held to [0, count - 1] of the list (0, and the icon unchanged, for an
  // empty list or none); copies that icon into Icon.
  void SetIconIndex(int v);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool v);
  UINT CycleInterval() const { return FCycleInterval; }
  void SetCycleInterval(UINT ms);
  bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
  void SetWantEnterExitEvents(bool v);
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool v) { FMinimizeToTray = v; }
  // Shows the icon while the form is designed: no effect in a running program.
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool v) { FDesignPreview = v; }
  // 0: the old notification behaviour, 1: the newer one (version 3).
  uint8_t Behavior() const { return FBehavior; }
  void SetBehavior(uint8_t v);

  // ---- events (the tray icon is the sender) ----
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow;
  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintTimeout;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // ---- the tray ----
  // Add, remove and update the icon; true when the tray took the call.
  virtual bool ShowIcon();
  virtual bool HideIcon();
  virtual bool ModifyIcon();

  // ---- the main window ----
  void HideMainForm();
  void RestoreMainForm();
  // The application's own taskbar button: the desktop shows none apart
  // from the forms' windows, so there is nothing to hide.
  void HideApplicationButton();

  // OnStartup (the owner form calls it once its components are set up),
  // then the icon, IconVisible, CycleIcons, WantEnterExitEvents and
  // Behavior applied again.
  void Loaded() override;

  // The shell's record as the next call sends it (tests).
  const NOTIFYICONDATA& IconData() const { return FData; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TTrayIconHandler;
  uintptr_t Id() const { return reinterpret_cast<uintptr_t>(this); }
  TCustomForm* OwnerForm() const;
  void RefreshData();
  void IconChanged(TObject*);
  void TrayMessage(UINT code);
  TShiftState KeyboardShift() const;
  void PopupAtCursor();
  void ClickCheck(TObject*);
  void CycleStep(TObject*);
  void ExitCheck(TObject*);
  void RunStartup(bool hideApplicationButton);
  // Adds the icon and hides the main form; false (nothing hidden) when the
  // tray did not take the icon.
  bool MinimizeToTrayNow();
  bool ApplicationHook(TMessage& msg);
  void FormWndProc(TMessage& msg);
  void PassToForm(TMessage& msg);

  bool FEnabled = true;
  std::unique_ptr<TIcon> FIcon;
  bool FIconVisible = false;
  std::string FHint;
  bool FShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  bool FLeftPopup = false;
  TImageList* FIconList = nullptr;
  int FIconIndex = 0;
  bool FCycleIcons = false;
  UINT FCycleInterval = 0;
  bool FWantEnterExitEvents = false;
  bool FMinimizeToTray = false;
  bool FDesignPreview = false;
  uint8_t FBehavior = 0;

  NOTIFYICONDATA FData;
  std::unique_ptr<TSharedTimer> FCycleTimer;
  std::unique_ptr<TSharedTimer> FClickTimer;
  std::unique_ptr<TSharedTimer> FExitTimer;
  bool FClickStart = false;
  bool FClickReady = false;
  bool FDblClicked = false;
  TPoint FLastMouse;
  bool FDidExit = true;
  bool FStartupPending = true;
  bool FHiddenInTray = false;  // this icon hid the main form
  bool FHooked = false;
  TCustomForm* FSubclassed = nullptr;
  std::function<void(TMessage&)> FOldWndProc;
};
