// The editor's own icon, drawn in code at 16 x 16 and 32 x 32: a sheet
// with a folded corner and a blue tag mark "</>" across it. Registered as
// the bitmap resources "MAINICON16" and "MAINICON32" (fuchsia is
// transparent).
#pragma once

#include "platform/Graphics.h"

// Registers both sizes (repeated calls do nothing).
void RegisterEditorIcon();
// The icon of the given size (16 or 32) with its transparency mask.
void LoadEditorIcon(TIcon& icon, int size);
