#include "EditorIcon.h"

#include <string>

#include "platform/Resources.h"

namespace {

constexpr TColor kClear = clFuchsia;

void PaintIcon(TBitmap& b, int size) {
  b.SetSize(size, size);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(kClear);
  c->FillRect(TRect(0, 0, size, size));
  // Scales a point of the 16-pixel design.
  auto s = [size](int v) { return v * size / 16; };
  int fold = s(4);
  int left = s(2), top = 0, right = s(14), bottom = size;
  // The sheet with its top-right corner folded down.
  c->Pen()->SetColor(RGB(64, 64, 64));
  c->Pen()->SetWidth(1);
  c->Brush()->SetColor(clWhite);
  c->Polygon({TPoint(left, top), TPoint(right - fold, top), TPoint(right - 1, top + fold - 1),
              TPoint(right - 1, bottom - 1), TPoint(left, bottom - 1)});
  c->Brush()->SetColor(RGB(200, 200, 200));
  c->Polygon({TPoint(right - fold, top), TPoint(right - fold, top + fold - 1), TPoint(right - 1, top + fold - 1)});
  // The tag mark: "<", "/" and ">" in blue, two pixels thick at 32.
  c->Pen()->SetColor(RGB(0, 70, 190));
  c->Pen()->SetWidth(size >= 32 ? 2 : 1);
  int cy = s(10), h = s(3);
  c->Polyline({TPoint(s(6), cy - h), TPoint(s(3) + 1, cy), TPoint(s(6), cy + h)});
  c->Polyline({TPoint(s(7), cy + h), TPoint(s(9), cy - h)});
  c->Polyline({TPoint(s(10), cy - h), TPoint(s(13) - 1, cy), TPoint(s(10), cy + h)});
  b.SetTransparentColor(kClear);
  b.SetTransparent(true);
}

std::string NameOf(int size) { return "MAINICON" + std::to_string(size == 16 ? 16 : 32); }

}  // namespace

void RegisterEditorIcon() {
  for (int size : {16, 32})
    if (!BitmapResourceExists(NameOf(size)))
      RegisterBitmapResource(NameOf(size), [size](TBitmap& b) { PaintIcon(b, size); });
}

void LoadEditorIcon(TIcon& icon, int size) {
  RegisterEditorIcon();
  TBitmap b;
  LoadBitmapResource(b, NameOf(size));
  b.SetTransparentColor(kClear);
  icon.AssignBitmap(&b);
}
