// The editor program on the offscreen Qt platform, in a scratch program
// folder, with scripted message boxes and dialogs and fixed user and
// computer names.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UiFixture.h"
#include "platform/qt/QtApplication.h"
#include "platform/testing/ScriptedUi.h"

class TZod2uAppForm;

class EditorAppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sets the command line (arguments after the program's path).
  void SetArguments(const std::vector<std::string>& args);
  // Starts the program: the 28 windows, then the main window shown as the
  // message loop does it.
  void Start(bool show = true);
  // Destroys the windows (settings written) and the application.
  void Finish();
  // Lets Qt handle what is pending.
  void Pump();

  TZod2uAppForm* Main() const;
  TScriptedUi& Ui() { return **FUi; }
  // A file in the program folder (OS path) and its Windows-1251 name.
  std::string OsPath(const std::string& name) const { return FDir.Path(name); }
  std::string AnsiPath(const std::string& name) const;
  std::string SettingsText() const;

  TTempDir FDir;
  std::unique_ptr<TQtPlatform> FPlatform;
  std::unique_ptr<TUiScriptScope> FUi;
  bool FStarted = false;
};
