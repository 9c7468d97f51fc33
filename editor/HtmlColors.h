// Colours as HTML codes, the one conversion every colour command of the
// editor shares.
#pragma once

#include <string>

#include "platform/Graphics.h"

// "#RRGGBB", red first. The value is written with at least six hex digits
// and its character positions are swapped, so a system colour (eight
// digits) gives no meaningful code.
std::string ColorToHtml(TColor color);

// The inverse: characters 6-7, 4-5 and 2-3 of the code, read as one hex
// number. The first character is not looked at; missing characters give
// nothing ("#FF" is $FF). A code that is not hex raises EConvertError.
TColor HexToColor(const std::string& code);
