// Small drawing steps for the button pictures: a bitmap filled with the
// transparent colour and shapes drawn on it with a one-pixel pen.
#pragma once

#include <initializer_list>
#include <vector>

#include "ProgramGlyphs.h"

#include "platform/Graphics.h"

constexpr TColor kGlyphTransparent = clFuchsia;

class TGlyphPainter {
 public:
  TGlyphPainter(TBitmap& bitmap, int size);
  // A filled rectangle (right and bottom exclusive) with an outline.
  void Box(int l, int t, int r, int b, TColor fill, TColor outline);
  void Fill(int l, int t, int r, int b, TColor fill);
  void Oval(int l, int t, int r, int b, TColor fill, TColor outline);
  void Shape(std::initializer_list<TPoint> points, TColor fill, TColor outline);
  // A line including both end points.
  void Line(int x1, int y1, int x2, int y2, TColor color);
  void Dot(int x, int y, TColor color);

 private:
  TCanvas* FCanvas;
};

// Pictures both sets show, drawn on a 24-pixel grid scaled to the
// picture's size.
void PaintDisk(TGlyphPainter& p, int size);
void PaintPrinter(TGlyphPainter& p, int size);

// One picture: its resource name and painter.
struct TGlyphRow {
  const char* Name;
  void (*Paint)(TBitmap&);
};

// The names of a table of pictures of one size, and their registration
// (a name registered before is kept).
std::vector<TGlyphName> GlyphNames(const TGlyphRow* rows, size_t count, int size);
void RegisterGlyphRows(const TGlyphRow* rows, size_t count);
