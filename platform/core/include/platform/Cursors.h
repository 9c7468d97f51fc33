// Program cursors: pictures with a hot spot that the program registers as
// cursor resources and shows through numbered screen cursors
// (Screen->Cursors[n] := LoadCursor(HInstance, name)).
//
// A program cursor's handle is a number above every shape id (IDC_*), so
// one HCURSOR names either a shape of the widget set or a picture of this
// table. CursorToIdc maps a positive TCursor through the screen cursor
// table; a number without an entry shows the arrow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Resources.h"
#include "platform/Types.h"
#include "platform/Win32.h"

// 32-bit 0xAARRGGBB pixels, row by row; alpha 0 is see-through.
struct TCursorImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  TPoint HotSpot;
};

// Handles of program cursors start here.
constexpr HCURSOR kFirstProgramCursor = 0x40000;

// A cursor resource: the painter fills a bitmap whose bottom-left pixel's
// colour is see-through; the hot spot is in its pixels.
void RegisterCursorResource(const std::string& name, TBitmapResourcePainter painter, TPoint hotSpot);
bool CursorResourceExists(const std::string& name);
// The handle of a cursor resource, made on first use and the same for
// every later load; 0 when there is no such resource or it paints empty.
HCURSOR LoadCursorResource(const std::string& name);
// A program cursor of its own (the hot spot is clamped into the picture);
// 0 for an empty picture.
HCURSOR CreateProgramCursor(TCursorImage image);
bool IsProgramCursor(HCURSOR cursor);
// The picture of a program cursor; null for anything else.
const TCursorImage* ProgramCursorImage(HCURSOR cursor);

// The screen cursor table: what a toolkit cursor number shows (0 removes
// the entry).
HCURSOR ScreenCursorHandle(TCursor index);
void SetScreenCursorHandle(TCursor index, HCURSOR cursor);
