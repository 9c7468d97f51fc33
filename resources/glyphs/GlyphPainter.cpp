#include "GlyphPainter.h"

#include <vector>

#include "platform/Resources.h"

TGlyphPainter::TGlyphPainter(TBitmap& bitmap, int size) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(size, size);
  FCanvas = bitmap.Canvas();
  Fill(0, 0, size, size, kGlyphTransparent);
}

void TGlyphPainter::Fill(int l, int t, int r, int b, TColor fill) {
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(fill);
  FCanvas->FillRect(TRect(l, t, r, b));
}

void TGlyphPainter::Box(int l, int t, int r, int b, TColor fill, TColor outline) {
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(fill);
  FCanvas->Pen()->SetColor(outline);
  FCanvas->Rectangle(l, t, r, b);
}

void TGlyphPainter::Oval(int l, int t, int r, int b, TColor fill, TColor outline) {
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(fill);
  FCanvas->Pen()->SetColor(outline);
  FCanvas->Ellipse(l, t, r, b);
}

void TGlyphPainter::Shape(std::initializer_list<TPoint> points, TColor fill, TColor outline) {
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(fill);
  FCanvas->Pen()->SetColor(outline);
  FCanvas->Polygon(std::vector<TPoint>(points));
}

void TGlyphPainter::Line(int x1, int y1, int x2, int y2, TColor color) {
  FCanvas->Pen()->SetColor(color);
  FCanvas->MoveTo(x1, y1);
  FCanvas->LineTo(x2, y2);
  FCanvas->SetPixels(x2, y2, color);
}

void TGlyphPainter::Dot(int x, int y, TColor color) { FCanvas->SetPixels(x, y, color); }

std::vector<TGlyphName> GlyphNames(const TGlyphRow* rows, size_t count, int size) {
  std::vector<TGlyphName> names;
  for (size_t i = 0; i < count; ++i) names.push_back({rows[i].Name, size});
  return names;
}

void RegisterGlyphRows(const TGlyphRow* rows, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!BitmapResourceExists(rows[i].Name)) RegisterBitmapResource(rows[i].Name, rows[i].Paint);
}
