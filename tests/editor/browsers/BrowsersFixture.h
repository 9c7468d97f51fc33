// The running editor (offscreen Qt) with a recording shell that logs each
// start next to the boxes shown so far, a scratch PATH, and helpers to run
// a window's handlers by their designer names.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

// A start and the number of boxes shown before it.
struct TLoggedStart {
  TShellStart Start;
  size_t BoxesBefore = 0;
};

class TLoggingShell : public IShellBackend {
 public:
  explicit TLoggingShell(TScriptedUi* const* ui) : FUi(ui) {}
  bool Start(const TShellStart& start) override {
    Starts.push_back({start, *FUi ? (*FUi)->History().size() : 0});
    return true;
  }
  std::vector<TLoggedStart> Starts;

 private:
  TScriptedUi* const* FUi;
};

class BrowsersTest : public EditorAppTest {
 protected:
  void SetUp() override {
    EditorAppTest::SetUp();
    FUiPtr = &Ui();
    const char* p = std::getenv("PATH");
    FOldPath = p ? p : "";
    ForceDirectories(OsPath("bin"));
    ::setenv("PATH", OsPath("bin").c_str(), 1);
    FOldShell = ShellBackend();
    SetShellBackend(&FShell);
  }
  void TearDown() override {
    SetShellBackend(FOldShell);
    ::setenv("PATH", FOldPath.c_str(), 1);
    EditorAppTest::TearDown();
  }
  // Starts the program with a document, a selection and no undo history.
  void StartWithText(const std::string& text, int selStart, int selLength = 0) {
    Start();
    Memo()->SetText(text);
    Memo()->SetSelectionStart(selStart);
    Memo()->SetSelectionLength(selLength);
    Memo()->ClearUndoRedo();
    Memo()->SetModified(false);
  }
  TSrcMemo* Memo() const { return Main()->Memo1; }
  template <typename TWindow>
  void Run(TWindow* window, const char* handler) {
    window->Commands().Run(handler);
    Pump();
  }
  // Runs a handler as the toolkit does: an exception ends in the error box.
  template <typename TWindow>
  void RunGuarded(TWindow* window, const char* handler) {
    GuardCall([&] { window->Commands().Run(handler); });
    Pump();
  }
  // An executable script under the scratch folder; its Windows-1251 name.
  std::string MakeProgram(const std::string& name) {
    WriteFileBytes(OsPath(name), "#!/bin/sh\nexit 0\n");
    ::chmod(OsPath(name).c_str(), 0755);
    return AnsiPath(name);
  }
  // The text is back as it was after one undo.
  void ExpectOneUndoStep(const std::string& before) {
    Memo()->Undo();
    EXPECT_EQ(Memo()->Text(), before);
  }

  TScriptedUi* FUiPtr = nullptr;
  TLoggingShell FShell{&FUiPtr};
  IShellBackend* FOldShell = nullptr;
  std::string FOldPath;
};
