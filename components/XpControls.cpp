#include "XpControls.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Colors.h"
#include "platform/Gdi.h"
#include "platform/SysUtils.h"

namespace {

int Channel(TColor c, int shift) { return int((c >> shift) & 0xFF); }

// The bitmap's pixels as one block of rows (TGdiBitmap keeps them so).
uint32_t* PixelRows(TBitmap* bitmap) { return bitmap->ScanLine(0); }

}  // namespace

int BuildColorRamp(TColor start, TColor end, int n, TColorRamp& ramp) {
  n = std::min(n, int(ramp.size()));
  if (n <= 0) return 0;
  start = ColorToRGB(start);
  end = ColorToRGB(end);
  // One band has no step: dividing by n - 1 = 0 would make every channel NaN.
  if (n == 1) {
    ramp[0] = start & 0xFFFFFF;
    return 1;
  }
  TColor entry[256] = {};
  for (int shift : {0, 8, 16}) {
    int s = Channel(start, shift);
    double d = double(Channel(end, shift) - s) / double(n - 1);
    for (int i = 0; i < n; ++i) {
      // nearbyint rounds halves to even in the default rounding mode.
      int v = s + int(std::nearbyint(double(i) * d));
      entry[i] |= TColor(std::clamp(v, 0, 255)) << shift;
    }
  }
  std::copy(entry, entry + n, ramp.begin());
  return n;
}

void GradientBitmap(int width, int height, TColor colorA, TColor colorB, uint8_t colors, uint8_t style, bool dither,
                    TBitmap* bitmap) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  bitmap->SetSize(width, height);
  if (bitmap->PixelFormat() != pf24bit) bitmap->SetPixelFormat(pf24bit);
  if (width == 0 || height == 0) return;

  bool horizontal = style == 0 || style == 2;
  bool fromA = style == 0 || style == 1;
  TColorRamp ramp;
  int n = BuildColorRamp(fromA ? colorA : colorB, fromA ? colorB : colorA, colors, ramp);
  uint32_t* rows = PixelRows(bitmap);
  const size_t stride = size_t(width);
  if (n == 0) {
    std::fill(rows, rows + stride * size_t(height), ColorToPixel(ColorToRGB(colorA) & 0xFFFFFF));
    return;
  }

  // Band i covers [MulDiv(i, extent, n), MulDiv(i + 1, extent, n)). Each
  // band drawn as wide as its end position would be painted over by the
  // later bands, so plain bands give the same picture with every pixel
  // written once; dither pixels past a band's end are painted over the same
  // way and are skipped.
  if (horizontal) {
    int strip = std::min(height, 16);
    for (int i = 0; i < n; ++i) {
      int x1 = MulDiv(i, width, n), x2 = MulDiv(i + 1, width, n);
      uint32_t p = ColorToPixel(ramp[i]);
      for (int y = 0; y < strip; ++y) std::fill(rows + stride * y + x1, rows + stride * y + x2, p);
      if (!dither || i == 0) continue;
      uint32_t prev = ColorToPixel(ramp[i - 1]);
      int spread = width / (n - 1);
      for (int y = 0; y < strip; ++y)
        for (int k = 0; k <= spread; ++k) {
          int x = x1 + Random(k);
          if (x >= 0 && x < x2) rows[stride * y + x] = prev;
        }
    }
    for (int y = strip; y < height; ++y)
      std::copy(rows + stride * (y % 16), rows + stride * (y % 16 + 1), rows + stride * y);
    return;
  }

  // Vertical bands: dither replaces whole 16-pixel pieces of a row, and the
  // first 16 columns are tiled across, so every row is one colour.
  std::vector<uint32_t> rowColor(static_cast<size_t>(height));
  for (int i = 0; i < n; ++i) {
    int y1 = MulDiv(i, height, n), y2 = MulDiv(i + 1, height, n);
    std::fill(rowColor.begin() + y1, rowColor.begin() + y2, ColorToPixel(ramp[i]));
    if (!dither || i == 0) continue;
    uint32_t prev = ColorToPixel(ramp[i - 1]);
    int spread = height / (n - 1);
    for (int k = 0; k <= spread; ++k) {
      int y = y1 + Random(k);
      if (y >= 0 && y < y2) rowColor[size_t(y)] = prev;
    }
  }
  for (int y = 0; y < height; ++y) std::fill(rows + stride * y, rows + stride * (y + 1), rowColor[size_t(y)]);
}

TColor ParentBrushColor(TControl* control) {
  return control->Parent() ? control->Parent()->Brush()->Color() : clBtnFace;
}

TColor LightenForCanvas(TCanvas* canvas, TColor color, int percent) {
  percent = std::clamp(percent, 0, 100);
  TColor rgb = ColorToRGB(color);
  TColor out = 0;
  for (int shift : {0, 8, 16}) {
    int c = Channel(rgb, shift);
    int num = (255 - c) * percent;
    int q = num / 100, r = num % 100;
    if (r > 50 || (r == 50 && (q & 1))) ++q;
    out |= TColor(c + q) << shift;
  }
  COLORREF shown = GetNearestColor(canvas->Handle(), out);
  return shown == CLR_INVALID ? out : shown;
}
