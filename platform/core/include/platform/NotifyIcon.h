// The notification area (the system tray): icons with a tip, each known by
// its window and an identifier, that report the user's clicks back to that
// window as a message.
//
// Shell_NotifyIcon keeps the shell's record and its add / modify / delete
// calls; the widget set's backend shows the icons (Qt: QSystemTrayIcon),
// tests install the recording backend (testing/RecordingNotifyIcon.h).
//
// What a backend promises:
// - Add fails when there is no tray (TrayAvailable() false) or the icon is
//   there already; Modify and Delete fail for an icon that is not there.
// - Every notification is posted to the icon's window as its callback
//   message, wParam the identifier, lParam the mouse message or NIN_* code
//   (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
//   WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, NIN_BALLOONUSERCLICK ...).
//   Linux trays report no hover, so no WM_MOUSEMOVE arrives.
// - When a tray appears again after it was gone, every icon is gone with
//   it and the backend posts the registered message "TaskbarCreated"
//   (TaskbarCreatedMessage()) once to each window that had icons, so that
//   their owners add them again.
// - When the tray goes away, the backend posts TrayGoneMessage() once to
//   each window that has icons: a desktop's tray may simply end, and a
//   window hidden in it must not stay out of reach.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Messages.h"
#include "platform/Win32.h"

class TIcon;

// Shell_NotifyIcon messages.
constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr DWORD NIM_SETVERSION = 4;
// Record fields that are valid.
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;
// Notifications of the newer behaviour and of balloons.
constexpr UINT NIN_SELECT = WM_USER + 0;
constexpr UINT NIN_KEYSELECT = WM_USER + 1;
constexpr UINT NIN_BALLOONSHOW = WM_USER + 2;
constexpr UINT NIN_BALLOONHIDE = WM_USER + 3;
constexpr UINT NIN_BALLOONTIMEOUT = WM_USER + 4;
constexpr UINT NIN_BALLOONUSERCLICK = WM_USER + 5;
constexpr UINT NOTIFYICON_VERSION = 3;
// The tip field holds 127 bytes and a closing NUL.
constexpr int NotifyIconTipSize = 128;

// The shell's record (488 bytes where it comes from; the size is kept as a
// fact, the layout is ours). The icon is the picture itself, not a handle:
// the backend copies what it shows during the call.
struct NOTIFYICONDATA {
  DWORD cbSize = 488;
  HWND hWnd = nullptr;
  uintptr_t uID = 0;
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  const TIcon* hIcon = nullptr;  // null or empty: no picture
  char szTip[NotifyIconTipSize] = {};
  UINT uVersion = 0;
};

// One icon as the backend is given it: Flags (NIF_*) say which of the
// callback message, the icon and the tip are given (an add takes the
// missing ones as none, a modify keeps them). Tip is Windows-1251, at most
// 127 bytes.
struct TNotifyIconRequest {
  HWND Wnd = nullptr;
  uintptr_t Id = 0;
  UINT Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  UINT CallbackMessage = 0;
  const TIcon* Icon = nullptr;
  std::string Tip;
};

class INotifyIconBackend {
 public:
  virtual ~INotifyIconBackend() = default;
  // Whether the desktop has a tray to put icons in now.
  virtual bool TrayAvailable() = 0;
  virtual bool Add(const TNotifyIconRequest& icon) = 0;
  virtual bool Modify(const TNotifyIconRequest& icon) = 0;
  virtual bool Delete(HWND wnd, uintptr_t id) = 0;
};
void SetNotifyIconBackend(INotifyIconBackend* backend);
INotifyIconBackend* NotifyIconBackend();

// The shell call: true when the backend did it. Without a backend there is
// no tray and every call fails. NIM_SETVERSION succeeds whenever a tray
// is there: every backend reports the same way for both versions.
bool Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data);
// Whether a tray is there (false without a backend).
bool TrayAvailable();
// The registered "TaskbarCreated" message.
UINT TaskbarCreatedMessage();
// The registered "TrayGone" message.
UINT TrayGoneMessage();
