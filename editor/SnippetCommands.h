// Running the fixed insertion commands of the main window on its editing
// control, and laying their items out in the menus.
//
// One generic handler per kind executes a row of the command table
// (SnippetTable.h) on the document. The handlers know the main window only
// through a TSnippetHost, so they run on any TSrcMemo.
#pragma once

#include <functional>
#include <string>

#include "SnippetTable.h"
#include "platform/Classes.h"

class TSrcMemo;
class TMenu;
class TMenuItem;
class TPopupMenu;

struct TSnippetHost {
  // The document: the main window's Memo1.
  TSrcMemo* Memo = nullptr;
  // The save prompt of the main window; ends the command with the silent
  // abort (EAbort) when the user cancels.
  std::function<void()> ConfirmSaveChanges;
  // Shows the window of the given class ("TForm18"): modally, or with Show.
  std::function<void(const std::string& windowClass, bool modal)> ShowWindow;
};

// Executes one row. Text commands do nothing while the editor is read-only.
void RunSnippetCommand(const TSnippetCommand& command, const TSnippetHost& host);

// The OnClick handler of a row, or an empty event for an unknown name.
// The host is copied into the handler.
TNotifyEvent SnippetHandler(const std::string& handler, const TSnippetHost& host);

// The menus of the main window that hold the commands' items.
struct TSnippetMenus {
  TComponent* Owner = nullptr;  // owner of the items made (the main window)
  TMenu* MainMenu = nullptr;    // MainMenu1
  TMenu* EditorMenu = nullptr;  // PopupMenu1
  TMenu* LinkMenu = nullptr;    // link
  TMenu* ImgMenu = nullptr;     // img
  // Binds a button: a side-panel button by its caption, a tool bar button
  // by its component name (TSnippetBinding::Caption, UTF-8). May be empty.
  std::function<void(const TSnippetBinding& item, const TNotifyEvent& onClick)> BindButton;
};

// Lays every item of the table out in its menu and binds its OnClick (and
// shortcut). Submenus are found by caption or made at the end of their
// parent, in table order; an item that already stands under its parent
// with the same caption is bound instead of made again, so the main window
// may place items itself. Menus left null are skipped. When the editor
// menu is a TPopupMenu, its OnPopup also runs UpdateEditorMenuItems (after
// any handler already set).
void InstallSnippetMenus(const TSnippetMenus& menus, const TSnippetHost& host);

// The editor menu's enabling rule: the submenu "Выделенный текст" and the
// item "Определить цвет HEX... " are enabled exactly when the editor has a
// non-empty selection.
void UpdateEditorMenuItems(TMenu& editorMenu, TSrcMemo& memo);

// The item under a " > "-separated path with this caption (UTF-8, matched
// exactly after "&" marks are dropped), or null.
TMenuItem* FindSnippetMenuItem(TMenu& menu, const char* path, const char* caption);

class TZod2uAppForm;

// Binds every command of the table on the main window: its Memo1, its save
// prompt and the tool windows (Form4 ... Form27), the items of MainMenu1,
// PopupMenu1, link and img, the tool bar buttons XpSpeedButton11 to 13 and
// the side-panel buttons found on CoolBar1 by caption, and PopupMenu1's
// enabling rule. Called once the menus and bars stand (FormCreate).
void InstallSnippetCommands(TZod2uAppForm& form);

// The OnClick handler of a row on the main window ("N87Click"), for buttons
// and items made after InstallSnippetCommands; empty for an unknown name.
TNotifyEvent SnippetCommandHandler(TZod2uAppForm& form, const std::string& handler);
