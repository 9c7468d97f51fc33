// The scripted dialog service's step for a find or replace dialog.
#pragma once

#include <functional>

#include "platform/FindDialogs.h"
#include "platform/testing/ScriptedUi.h"

// A scripted step for a find dialog (replace: a replace dialog) being
// shown; `play`, when given, runs with the dialog once it shows (tests
// press its buttons there or keep the pointer for later).
TScriptedUi::TStep ExpectFindDialogShown(bool replace, std::function<void(TFindDialog&)> play = nullptr);
