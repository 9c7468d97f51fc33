// The tests' own pictures, made in code: BMP, ICO, GIF (any number of
// frames), PNG, JPEG and the two Windows metafiles of a given size.
#pragma once

#include <string>
#include <vector>

#include "platform/Colors.h"

// A w x h picture filled with one colour.
std::string MakeBmp(int w, int h, TColor fill);
std::string MakeIco(int w, int h, TColor fill);
std::string MakePng(int w, int h, TColor fill);
std::string MakeJpeg(int w, int h, TColor fill);

struct TGifFrameSpec {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  int ColorIndex = 0;  // 0 red, 1 green, 2 blue, 3 white
};
// A GIF89a with a 4-colour global table; every frame has a graphic control
// extension. `comment` goes into a comment extension before the first frame.
std::string MakeGif(int screenW, int screenH, const std::vector<TGifFrameSpec>& frames,
                    const std::string& comment = std::string());

// A w x h (pixels at 96 dpi) metafile: the whole picture in `left`, its
// right half in `right`, drawn with solid brushes and no pen.
// A placeable WMF (1440 units per inch; with `placeable` false a plain
// WMF whose window extent is its size in pixels):
std::string MakeWmf(int w, int h, TColor left, TColor right, bool placeable = true);
// An EMF whose frame is the size in 0.01 mm.
std::string MakeEmf(int w, int h, TColor left, TColor right);
