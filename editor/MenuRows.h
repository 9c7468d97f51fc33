// Menus, tool bar buttons and side-panel buttons as rows: one row per item
// or button (where it stands, its caption, shortcut, handler name, flags),
// laid out in one pass in table order. An item's place is its row's place
// in the table, never the order in which code ran; every handler name is
// looked up in the window's command registry (an unknown name is an
// error), and a row whose command is not built yet is marked pending: it
// stands in its menu as the window shows it, inert.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CommandRegistry.h"
#include "platform/Classes.h"
#include "platform/Menus.h"

enum class TMenuPlace : std::uint8_t {
  MainMenu,     // MainMenu1; a path starts with the top-level caption
  EditorMenu,   // PopupMenu1, the editor's context menu
  PanelMenu,    // PopupMenu2, the side panel's menu
  CutCopyMenu,  // PopupMenu3, cut, copy and paste
  StatusMenu,   // PopupMenu4, the status bar's menu
  TrayMenu,     // tray
  LinkMenu,     // link, the side panel's link button
  ImgMenu,      // img, the side panel's picture button
  ToolBar,      // a speed button of the tool bar
  SidePanel,    // a button of the side insert panel
};

// The window's name of a place ("MainMenu1", "PopupMenu1", ..., "ToolBar1",
// "CoolBar1").
const char* MenuPlaceName(TMenuPlace place);
bool IsButtonPlace(TMenuPlace place);

enum TMenuRowFlag : std::uint16_t {
  kAction = 1 << 0,   // Handler names an action of the window; the item shows it
  kPending = 1 << 1,  // the command is not built yet: shown, inert, no shortcut
  kDefault = 1 << 2,  // the menu's default (bold) item
  kChecked = 1 << 3,
  kRadio = 1 << 4,
  kDisabled = 1 << 5,
  kHidden = 1 << 6,
  kSelection = 1 << 7,  // enabled only while the editor has a selection
};

// Shortcuts of rows: the key with the toolkit's modifier bits.
constexpr TShortCut Shift(std::uint16_t key) { return key | scShift; }
constexpr TShortCut Ctrl(std::uint16_t key) { return key | scCtrl; }
constexpr TShortCut CtrlAlt(std::uint16_t key) { return key | scCtrl | scAlt; }

struct TMenuRow {
  TMenuPlace Place;
  // Submenu captions from the top of the menu, separated by " > " (UTF-8);
  // empty for an item directly in the menu, and for buttons.
  const char* Path;
  // The caption as the window shows it (UTF-8); "-" for a separator; a
  // button's caption (empty for a tool bar button, which shows a glyph).
  const char* Caption;
  TShortCut ShortCut = 0;  // virtual key + modifier bits, 0 for none
  // The designer name of the click handler; with kAction the name of the
  // action; empty for a submenu or a separator.
  const char* Handler = "";
  // The component name of the item; the control's name for a button.
  const char* Name = "";
  std::uint16_t Flags = 0;
  const char* Hint = "";  // UTF-8

  bool Is(TMenuRowFlag flag) const { return (Flags & flag) != 0; }
  bool IsLine() const;
  bool IsSubmenu() const;
  // "MainMenu1 > Файл > Выход" (Windows-1251, as every message), for errors.
  std::string Where() const;
};

// The menus a layout fills, by place, and the owner of the items it makes
// (which also owns the actions the rows name).
struct TMenuTargets {
  static constexpr int kPlaces = static_cast<int>(TMenuPlace::SidePanel) + 1;
  TComponent* Owner = nullptr;
  TMenu* Menus[kPlaces] = {};
  TMenu*& operator[](TMenuPlace place) { return Menus[static_cast<int>(place)]; }
  TMenu* operator[](TMenuPlace place) const { return Menus[static_cast<int>(place)]; }
};

struct TMenuLayout {
  // Every menu row laid out, with its item, in table order.
  std::vector<std::pair<const TMenuRow*, TMenuItem*>> Items;
  // The items of kSelection rows (the editor menu's enabling rule).
  std::vector<TMenuItem*> SelectionItems;
  // The rows laid out as inert items, and those items.
  std::vector<const TMenuRow*> Pending;
  std::vector<TMenuItem*> PendingItems;
};

// Lays out every menu row of the table (button rows are skipped) in table
// order: a submenu row makes its submenu, which later rows name in their
// path; every other row appends its item under its path. Errors
// (ECommandError): a place without a menu, a path no earlier row made, a
// submenu made twice, an unknown handler or action, a pending row whose
// handler is registered after all, an action row whose caption is not the
// action's.
TMenuLayout LayOutMenus(const std::vector<TMenuRow>& rows, const TMenuTargets& targets,
                        const TCommandRegistry& commands);

// Whether the control of a button row exists in `owner` (FindComponent);
// ECommandError for a name no button row of the table gives.
bool ButtonCreated(const std::vector<TMenuRow>& rows, const TComponent& owner, const std::string& name);

// Binds the OnClick of every button row of one place, once the place's
// controls stand, and gives each control its row's caption and hint where
// the row has them: false, binding nothing, while none of them exists;
// ECommandError when only some exist (a misspelt or missing control), for
// a control that is no TControl, or for an unknown handler. Pending rows
// leave their button's OnClick empty.
bool BindButtonRows(const std::vector<TMenuRow>& rows, TMenuPlace place, TComponent& owner,
                    const TCommandRegistry& commands);

// Splits a " > "-separated path into its captions (UTF-8).
std::vector<std::string> SplitMenuPath(const char* path);

// The item under a " > "-separated path with this caption (UTF-8, matched
// exactly after "&" marks are dropped), or null. For tests and diagnostics:
// the program itself never looks an item up by its caption.
TMenuItem* FindMenuItem(TMenu& menu, const char* path, const char* caption);
