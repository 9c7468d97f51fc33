// The kit's shaded look: the base class of its custom controls and the
// band-gradient painter that the speed button and the progress bar use.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Controls.h"
#include "platform/Graphics.h"

// The custom-control base of the XP-look components; it adds nothing but a
// common ancestor.
class TCustomControlXP : public TCustomControl {
 public:
  explicit TCustomControlXP(TComponent* owner) : TCustomControl(owner) {}
  const char* ClassName() const override { return "TCustomControlXP"; }
};

// A ramp of at most 256 RGB colours from `start` to `end` (system colours
// resolved first): entry i = start + round(i * (end - start) / (n - 1)) per
// channel, ties to even. One entry is the start colour; none for n <= 0.
using TColorRamp = std::array<TColor, 256>;
int BuildColorRamp(TColor start, TColor end, int n, TColorRamp& ramp);

// Fills `bitmap` (resized to width x height, 24 bits per pixel) with
// `colors` bands from colorA to colorB. Style 0: left to right, 1: top to
// bottom, 2: left to right from colorB, anything else: top to bottom from
// colorB. With `dither`, pixels of the previous band break up each border;
// the pattern is made on a 16-pixel strip and tiled across the gradient.
// A width or height <= 0 leaves an empty bitmap; no bands (colors 0) leave
// it filled with colorA.
void GradientBitmap(int width, int height, TColor colorA, TColor colorB, uint8_t colors, uint8_t style, bool dither,
                    TBitmap* bitmap);

// The colour of the parent's brush (clBtnFace without a parent): what shows
// around a control's rounded corners.
TColor ParentBrushColor(TControl* control);

// `color` lightened by `percent` (capped to 0..100): each channel c becomes
// c + round((255 - c) * percent / 100), ties to even, then the nearest
// colour the canvas's device shows.
TColor LightenForCanvas(TCanvas* canvas, TColor color, int percent);
