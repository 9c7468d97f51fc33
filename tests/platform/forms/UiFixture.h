// Installs a scripted UI responder for a test: every box the code shows is
// answered from the script, and a box the script did not expect (or a step
// left over at the end) fails the test.
#pragma once

#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/testing/ScriptedUi.h"

class TUiScriptScope {
 public:
  TUiScriptScope() {
    FUi.OnUnexpected = [](const std::string& what) { ADD_FAILURE() << "UI: " << what; };
    SetUiService(&FUi);
  }
  ~TUiScriptScope() {
    SetUiService(nullptr);
    if (FUi.Remaining() != 0) ADD_FAILURE() << "UI steps not played: " << FUi.RemainingDescription();
  }
  TScriptedUi& operator*() { return FUi; }
  TScriptedUi* operator->() { return &FUi; }

 private:
  TScriptedUi FUi;
};
