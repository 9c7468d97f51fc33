// Running a program on Qt: the QApplication, the Qt widget set with the
// native peers of forms and standard controls, the UI service (message
// boxes, input boxes, common dialogs), the menu backend, the shell and sound
// backends and the error box of the event guard.
// boxes, input boxes, common dialogs), the menu backend, the shell backend,
// the tray and the error box of the event guard.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Dialogs.h"
#include "platform/FontList.h"
#include "platform/LockKeys.h"
#include "platform/Menus.h"
#include "platform/NotifyIcon.h"
#include "platform/Shell.h"
#include "platform/Sound.h"

class QApplication;
class QFont;
class QMenuBar;
class QtWidgetset;
class QWidget;

// The window classes of this library: "FORM" (a form's top-level window
// with its menu bar), "EDIT", "BUTTON", "COMBOBOX" and "LISTBOX".
void RegisterQtForms(QtWidgetset& ws);
void RegisterQtStdControls(QtWidgetset& ws);
// The web browser control's engine (QWebEngineView, QtWebBrowser.cpp) and
// the printer backend (QPrinter, QtPrinters.cpp); false uninstalls them.
void RegisterQtWebBrowser(bool install);
void InstallQtPrinters(bool install);

// Qt's standard dialogs speak the program's Russian whatever the user's
// locale: Qt's Russian translations and the Russian locale for the
// application, and Qt's own windows take the program's dialog font (once
// per application object).
void InstallRussianDialogs();
// The program's dialog font (the system's default GUI font) as a QFont.
QFont QtDialogFont();

// The UI service on Qt's dialogs. Texts are shown with their line breaks
// normalised; message box buttons carry the Russian system captions.
class QtUiService : public IUiService {
 public:
  int MessageBox(TUiKind kind, const TMessageRequest& request) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool FileDialog(TFileDialogRequest& request) override;
  bool ColorDialog(TColorDialogRequest& request) override;
  bool FontDialog(TFontDialogRequest& request) override;
  bool PrintDialog(TPrintDialogRequest& request) override;
  void ShowFindDialog(TFindDialog* dialog) override;
  void CloseFindDialog(TFindDialog* dialog) override;
};

// Popup menus as QMenus.
class QtMenuBackend : public IMenuBackend {
 public:
  TMenuItem* TrackPopup(TPopupMenu* menu, TPoint screenPos) override;
};

// A family as Qt lists it ("C059 [UKWN]" where several foundries make it)
// named by the family alone ("C059").
QString QtFamilyName(const QString& listed);

// The installed families from QFontDatabase.
class QtFontListBackend : public IFontListBackend {
 public:
  std::vector<std::string> Families() override;
};

// Shell starts: documents and folders with the desktop's opener (xdg-open
// on PATH, else QDesktopServices), addresses with QDesktopServices,
// programs with QProcess::startDetached.
class QtShellBackend : public IShellBackend {
 public:
  bool Start(const TShellStart& start) override;
};

// The lock keys on X11: their states from the keyboard's indicators
// (XkbGetIndicatorState), toggling by synthetic key events (XTest).
// Elsewhere (Wayland, offscreen) the states are unknown and nothing is
// sent.
class QtLockKeysBackend : public ILockKeysBackend {
 public:
  bool Read(TLockKeyStates& states) override;
  bool CanSendKeys() override;
  bool SendKey(int vk, bool down) override;
};

// Wave resources through Qt Multimedia (QSoundEffect on a temporary copy
// of the bytes, one per resource), in the sound module loaded at the first
// sound (QtModules.h); never waits, never raises.
class IQtSoundPlayer;
class QtSoundBackend : public ISoundBackend {
 public:
  QtSoundBackend();
  ~QtSoundBackend() override;
  bool Play(const std::string& name, const std::string& wave) override;

  // What Play handed the sound effect for a resource (all empty for one
  // never played): the temporary copy of its bytes, the file the effect
  // plays, and whether the effect has loaded it or failed to.
  struct TPlayed {
    std::string File;
    std::string Source;
    bool Loaded = false;
    bool Failed = false;
  };
  TPlayed Played(const std::string& name) const;

 private:
  IQtSoundPlayer* Player();
  std::unique_ptr<IQtSoundPlayer> FPlayer;
  bool FTriedPlayer = false;
};

// Tray icons as QSystemTrayIcons (QtNotifyIcon.cpp).
class QtNotifyIconBackend : public INotifyIconBackend {
 public:
  QtNotifyIconBackend();
  ~QtNotifyIconBackend() override;
  bool TrayAvailable() override;
  bool Add(const TNotifyIconRequest& icon) override;
  bool Modify(const TNotifyIconRequest& icon) override;
  bool Delete(HWND wnd, uintptr_t id) override;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> F;
};

// The system's menu font from Qt's menus, for the toolkit's menu painters.
void InstallQtMenuFont();

// The menu bar a form's window shows (null without a main menu).
QMenuBar* QtFormMenuBar(HWND formWindow);
// The top-level QWidget of a form's window.
QWidget* QtFormWidget(HWND formWindow);

// Everything a program needs on Qt, installed for the life of the object:
// a QApplication (made when there is none), the widget set, the services
// and the error box hook (the application's error box: caption the
// program's title, the message as text).
class TQtPlatform {
 public:
  TQtPlatform(int& argc, char** argv);
  ~TQtPlatform();
  TQtPlatform(const TQtPlatform&) = delete;
  TQtPlatform& operator=(const TQtPlatform&) = delete;
  QtWidgetset& Widgetset() { return *FWidgetset; }
  QtUiService& Ui() { return FUi; }

 private:
  std::unique_ptr<QApplication> FOwnApp;
  std::unique_ptr<QtWidgetset> FWidgetset;
  QtUiService FUi;
  QtMenuBackend FMenus;
  QtShellBackend FShell;
  QtFontListBackend FFontList;
  QtSoundBackend FSound;
  QtLockKeysBackend FLockKeys;
  std::unique_ptr<QtNotifyIconBackend> FNotifyIcons;
};

// A program's main: the command line, the Qt platform, then `program`
// (which returns the exit code).
int RunQtProgram(int argc, char** argv, const std::function<int()>& program);
