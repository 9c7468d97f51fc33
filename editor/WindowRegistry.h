// The program's windows as one table: each row names the window's global
// variable and class and makes it. The table's order is the start-up order
// (the main window first); the application destroys the windows in the
// reverse order, and the table clears their globals afterwards. Commands
// find a window by its class or global name here; an unknown name is an
// error (EWindowError), never a silent skip.
#pragma once

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/SysUtils.h"

BQS_DECLARE_EXCEPTION(EWindowError, Exception);

struct TWindowRow {
  const char* Global;  // "Form122"
  const char* Class;   // "TForm122"
  void (*Create)();    // Application->CreateForm into the global
  TForm* (*Window)();  // the global (null before Create and after Clear)
  void (*Clear)();     // the global := null
};

// Every window of the program, in creation order.
const std::vector<TWindowRow>& ProgramWindows();

// Creates every window in table order, each in its global.
void CreateProgramWindows();
// Clears every global (once the application has destroyed the windows).
void ClearProgramWindows();
// The row of a class name ("TForm18") or global name ("Form18");
// EWindowError for a name no row gives.
const TWindowRow& ProgramWindowRow(const std::string& name);
// The window of a class or global name (null while it does not exist);
// EWindowError for a name no row gives.
TForm* ProgramWindow(const std::string& name);

// Shows a window of the program modally: a window already in its modal loop
// (a second click on the command that opened it) only comes to the front
// with the focus; one shown without a loop (opened from Просмотр) is taken
// into one. Null shows nothing.
void ShowModalWindow(TForm* window);
