// Running the fixed insertion commands of the main window on its editing
// control.
//
// One generic handler per kind executes a row of the command table
// (SnippetTable.h) on the document. The handlers know the main window only
// through a TSnippetHost, so they run on any TSrcMemo.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SnippetTable.h"
#include "platform/Classes.h"

class TSrcMemo;
class TMenuItem;

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
// The main window registers one per row (W2kMainCommands.cpp).
// The host is copied into the handler.
TNotifyEvent SnippetHandler(const std::string& handler, const TSnippetHost& host);

// The editor menu's enabling rule: the items (the submenu "Выделенный
// текст" and its like, kSelection rows) are enabled exactly when the
// editor has a non-empty selection.
void UpdateEditorMenuItems(const std::vector<TMenuItem*>& selectionItems, TSrcMemo& memo);
