// The fixed insertion commands of the main window: every snippet, tag pair,
// wrap item and tool-window command. The items and buttons that run them
// are rows of the main window's menus (MainWindowRows.cpp). Texts are UTF-8
// source literals; the commands turn them into Windows-1251 when they run
// (Ansi()).
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

struct TSnippetCommand {
  const char* Handler;  // the form designer's handler name, "N87Click"
  TSnippetKind Kind;
  const char* Text;    // text, wrap prefix, or window class name
  const char* Middle;  // WrapTwice: between the two copies of the selection
  const char* After;   // Wrap, WrapTwice: after the selection
  int Back;            // caret-back count of TagPair and InsertTwice
  bool Focus;          // focus Memo1 after inserting

  bool InsertsText() const {
    return Kind != TSnippetKind::Modal && Kind != TSnippetKind::ModalAfterSave && Kind != TSnippetKind::Modeless;
  }
};

// The whole table, in menu order: insertion commands first, then the
// commands that open tool windows.
const std::vector<TSnippetCommand>& SnippetCommands();

// The row of a handler name, or nullptr.
const TSnippetCommand* FindSnippetCommand(const std::string& handler);
