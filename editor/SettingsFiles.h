// What the windows that keep settings files share: a stored place brought
// back onto the desktop, and the writing of a whole settings file at exit
// with a failure told once.
#pragma once

#include <functional>
#include <string>

#include "platform/Types.h"

class TIniFile;

// A window's stored place as it may stand: its size between `minSize` and
// the size of the screen it is nearest to, and, when it could not be taken
// by its caption (a grip of its top edge on no screen), moved onto that
// screen. Any numbers a settings file holds are safe here.
TRect PlaceOnDesktop(int left, int top, int width, int height, TSize minSize);

// Runs `write` on the settings file; a file that cannot be written is
// reported in one error box naming it, and the caller goes on.
// Returns whether everything was written.
bool WriteSettingsFile(const std::string& fileName, const std::function<void(TIniFile&)>& write);
