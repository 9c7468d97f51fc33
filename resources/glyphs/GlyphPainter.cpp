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

namespace {

constexpr TColor kShapeInk = RGB(48, 64, 88);
constexpr TColor kShapePaper = RGB(255, 255, 255);
constexpr TColor kShapeBlue = RGB(54, 104, 170);
constexpr TColor kShapeLightBlue = RGB(146, 188, 232);
constexpr TColor kShapeGrey = RGB(168, 172, 178);
constexpr TColor kShapeGreen = RGB(78, 164, 76);

// A coordinate of the 24-pixel grid at the picture's size.
int Grid(int v, int size) { return v * size / 24; }

}  // namespace

void PaintDisk(TGlyphPainter& p, int size) {
  auto g = [size](int v) { return Grid(v, size); };
  p.Box(g(3), g(3), g(21), g(21), kShapeBlue, kShapeInk);
  p.Box(g(6), g(3), g(18), g(10), kShapePaper, kShapeInk);
  p.Fill(g(14), g(4), g(16), g(9), kShapeBlue);
  p.Box(g(7), g(13), g(17), g(21), kShapeLightBlue, kShapeInk);
}

void PaintPrinter(TGlyphPainter& p, int size) {
  auto g = [size](int v) { return Grid(v, size); };
  p.Box(g(7), g(2), g(17), g(10), kShapePaper, kShapeInk);
  p.Box(g(2), g(9), g(22), g(18), kShapeGrey, kShapeInk);
  p.Fill(g(18), g(12), g(18) + size / 24 + 1, g(12) + size / 24 + 1, kShapeGreen);
  p.Box(g(6), g(15), g(18), g(22), kShapePaper, kShapeInk);
  for (int y : {17, 20}) p.Line(g(8), g(y), g(16) - 1, g(y), kShapeGrey);
}
