// The running editor (offscreen Qt) with a recording shell that logs each
// start next to the boxes shown so far, a scratch PATH, and helpers to run
// a window's handlers by their designer names.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "platform/CodePage.h"
#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/testing/RecordingShell.h"

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

// The items of a list box, in order.
inline std::vector<std::string> ItemsOf(const TCustomListControl* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->Items()->Count(); ++i) out.push_back(list->Items()->Get(i));
  return out;
}

// The user clicks (LBN_SELCHANGE) or double-clicks (LBN_DBLCLK) an item of
// the file list.
inline void Pick(TFileListBox* files, const std::string& name, int notification) {
  const int i = files->Items()->IndexOf(name);
  ASSERT_GE(i, 0) << name;
  files->Perform(BQM_ITEMINDEX, WPARAM(i), 0);
  files->Perform(CN_COMMAND, MakeWParam(0, notification), 0);
}

class BrowsersTest : public InsertAppTest {
 protected:
  void SetUp() override {
    InsertAppTest::SetUp();
    FUiPtr = &Ui();
    FPath.emplace(OsPath("bin"));
    FShellScope.emplace(&FShell);
  }
  void TearDown() override {
    FShellScope.reset();
    FPath.reset();
    InsertAppTest::TearDown();
  }
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

  TScriptedUi* FUiPtr = nullptr;
  TLoggingShell FShell{&FUiPtr};
  std::optional<TSearchPathScope> FPath;
  std::optional<TShellBackendScope> FShellScope;
};
