// Small routines of the task panel: the larger of two integers and the
// colour-inverted copy of a glyph (how a disabled title button is drawn).
#pragma once

#include <memory>

#include "platform/Graphics.h"

int LargerOf(int a, int b);

// A new transparent bitmap of the same size whose every pixel is the
// inverse of the source's (each of red, green and blue becomes 255 minus
// its value). The caller owns it; an empty source gives an empty bitmap.
std::unique_ptr<TBitmap> InvertedGlyphCopy(TBitmap* bitmap);
