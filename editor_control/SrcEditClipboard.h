// The editing control's own clipboard format.
//
// Besides plain text (CF_TEXT) every copy offers a block in the format named
// "SrcEdit Control Block Type", so that a column or line selection pastes
// back as a column or line block:
//
//   offset 0      1 byte   selection mode: 0 normal, 1 line, 2 column
//   offset 1      n bytes  the text (Windows-1251, lines separated by CR LF)
//   offset n + 1  1 byte   0
//
// A block found on the clipboard may come from any program: a paste reads
// at most the block's size, takes the text up to its first NUL, reads a mode
// above 2 as normal and ignores a block shorter than 2 bytes.
#pragma once

#include "platform/Win32.h"

// The format's name as registered with the window system.
extern const char* const SrcEditClipboardFormatName;

// The format's number. The window system gives one number per name for the
// whole session, so every control and every call sees the same one; 0 when
// no widget set is installed or the name cannot be registered.
UINT SrcEditClipboardFormat();
