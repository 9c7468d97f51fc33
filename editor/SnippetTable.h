// The fixed insertion commands of the main window: every snippet, tag pair,
// wrap item and tool-window command, with the menu items and buttons bound
// to it. Texts are UTF-8 source literals; the commands turn them into
// Windows-1251 when they run (Ansi()).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TSnippetKind : std::uint8_t {
  Snippet,         // replace the selection with Text
  TagPair,         // replace the selection with Text, then caret back by Back
  Wrap,            // replace the selection with Text + sel + After
  WrapTwice,       // replace the selection with Text + sel + Middle + sel + After
  InsertTwice,     // replace the selection with Text, insert Text again, caret back by Back
  Modal,           // show the window named by Text modally
  ModalAfterSave,  // save prompt first (Cancel ends the command), then modal
  Modeless,        // show the window named by Text (Show)
};

// Where an item bound to a command lives.
enum class TSnippetPlace : std::uint8_t {
  MainMenu,    // MainMenu1; Path starts with the top-level caption
  EditorMenu,  // PopupMenu1 (the editor's context menu)
  LinkMenu,    // pop-up menu `link` of the side panel
  ImgMenu,     // pop-up menu `img` of the side panel
  SidePanel,   // a button of the side insert panel; Caption is its caption
  ToolBar,     // a tool bar speed button; Caption is the component name
};

struct TSnippetBinding {
  TSnippetPlace Place;
  // Submenu captions from the top of the menu, separated by " > ";
  // empty for an item directly in the menu.
  const char* Path;
  const char* Caption;
  std::uint16_t ShortCut;  // Delphi TShortCut (virtual key + modifier bits), 0 for none
};

struct TSnippetCommand {
  const char* Handler;  // the form designer's handler name, "N87Click"
  TSnippetKind Kind;
  const char* Text;     // text, wrap prefix, or window class name
  const char* Middle;   // WrapTwice: between the two copies of the selection
  const char* After;    // Wrap, WrapTwice: after the selection
  int Back;             // caret-back count of TagPair and InsertTwice
  bool Focus;           // focus Memo1 after inserting
  std::vector<TSnippetBinding> Items;

  bool InsertsText() const {
    return Kind != TSnippetKind::Modal && Kind != TSnippetKind::ModalAfterSave &&
           Kind != TSnippetKind::Modeless;
  }
};

// The whole table, in menu order: insertion commands first, then the
// commands that open tool windows.
const std::vector<TSnippetCommand>& SnippetCommands();

// The row of a handler name, or nullptr.
const TSnippetCommand* FindSnippetCommand(const std::string& handler);

// The main-menu submenus of the table in the order they are laid out
// (a missing submenu is created in this order before any item is placed),
// as " > "-separated UTF-8 paths.
const std::vector<const char*>& SnippetSubmenus();

// Splits a " > "-separated path into its captions (UTF-8).
std::vector<std::string> SplitSnippetPath(const char* path);
