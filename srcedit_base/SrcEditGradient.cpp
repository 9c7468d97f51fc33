// The gradient filler of SrcEditMiscProcs.h, kept apart so that only its
// users link the canvas (the bands are computed in SrcEditMiscProcs.cpp).
#include "SrcEditMiscProcs.h"
#include "platform/Graphics.h"

void FillGradient(TCanvas* canvas, TColor startColor, TColor endColor, int steps, const TRect& rect, bool horizontal) {
  for (const TGradientBand& band : GradientBands(startColor, endColor, steps, rect, horizontal)) {
    canvas->Brush()->SetColor(band.Color);
    canvas->FillRect(band.Rect);
  }
}
