// The task panel's and hover label's own resources, drawn and synthesised
// here: the two 16 x 15 title glyphs, the hand cursor and the fold and
// unfold sounds.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

#include "TaskPanels.h"
#include "platform/Cursors.h"
#include "platform/Resources.h"
#include "platform/Sound.h"

namespace {

// Paints rows of a picture: each character picks a colour from the key.
struct TInk {
  char Key;
  TColor Color;
};

void PaintRows(TBitmap& b, const std::vector<const char*>& rows, int width, int height, TColor clear,
               std::initializer_list<TInk> inks) {
  b.SetPixelFormat(pf4bit);
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const char* row = size_t(y) < rows.size() ? rows[size_t(y)] : "";
    const size_t length = std::strlen(row);
    for (int x = 0; x < width; ++x) {
      const char key = size_t(x) < length ? row[x] : ' ';
      TColor c = clear;
      for (const TInk& ink : inks)
        if (ink.Key == key) c = ink.Color;
      b.SetPixel(x, y, c);
    }
  }
}

// The see-through colour of the title glyphs (their bottom-left pixel).
constexpr TColor kGlyphClear = 0x00FF00FF;  // fuchsia, of the 16-colour palette

void PaintSpinGlyph(TBitmap& b) {
  // A double chevron: fold up to the title.
  PaintRows(b,
            {
                "                ",
                "                ",
                "       ##       ",
                "      ####      ",
                "     ##  ##     ",
                "    ##    ##    ",
                "   ##      ##   ",
                "       ##       ",
                "      ####      ",
                "     ##  ##     ",
                "    ##    ##    ",
                "   ##      ##   ",
                "                ",
                "                ",
                "                ",
            },
            16, 15, kGlyphClear, {{'#', RGB(0, 0, 128)}});
}

void PaintCloseGlyph(TBitmap& b) {
  PaintRows(b,
            {
                "                ",
                "                ",
                "   ##      ##   ",
                "    ##    ##    ",
                "     ##  ##     ",
                "      ####      ",
                "       ##       ",
                "      ####      ",
                "     ##  ##     ",
                "    ##    ##    ",
                "   ##      ##   ",
                "                ",
                "                ",
                "                ",
                "                ",
            },
            16, 15, kGlyphClear, {{'#', RGB(0, 0, 0)}});
}

// A pointing hand; the hot spot is the tip of the index finger.
const TPoint kHandHotSpot(6, 0);

void PaintHandCursor(TBitmap& b) {
  PaintRows(
      b,
      {
          "     ##           ", "    #..#          ", "    #..#          ", "    #..#          ", "    #..#          ",
          "    #..###        ", "    #..#..###     ", "    #..#..#..##   ", "    #..#..#..#.#  ", " ## #..#..#..#..# ",
          "#..##...........# ", "#...#...........# ", " #..............# ", "  #.............# ", "  #.............# ",
          "   #...........#  ", "   #...........#  ", "    #.........#   ", "    #.........#   ", "    ###########   ",
      },
      32, 32, clFuchsia, {{'#', clBlack}, {'.', clWhite}});
}

// A bell-like tone gliding from one pitch to another, fading out.
std::string Chime(int sampleRate, double seconds, double fromHz, double toHz) {
  const size_t count = size_t(sampleRate * seconds);
  std::vector<int16_t> samples(count);
  const double pi = 3.14159265358979323846;
  double phase = 0;
  for (size_t i = 0; i < count; ++i) {
    const double t = double(i) / double(count);
    const double hz = fromHz + (toHz - fromHz) * t;
    phase += 2 * pi * hz / sampleRate;
    const double attack = std::min(1.0, double(i) / (sampleRate * 0.004));
    const double envelope = attack * std::exp(-4.0 * t);
    const double v = (std::sin(phase) + 0.3 * std::sin(2 * phase)) / 1.3;
    samples[i] = int16_t(std::lround(v * envelope * 12000));
  }
  return MakeWave16Mono(sampleRate, samples.data(), samples.size());
}

}  // namespace

void RegisterTaskPanelResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (!BitmapResourceExists("BM_SPIN16")) RegisterBitmapResource("BM_SPIN16", &PaintSpinGlyph);
    if (!BitmapResourceExists("BM_CLOSE16")) RegisterBitmapResource("BM_CLOSE16", &PaintCloseGlyph);
    if (!CursorResourceExists("HOVERHAND")) RegisterCursorResource("HOVERHAND", &PaintHandCursor, kHandHotSpot);
    // Folding: short and falling; unfolding: longer and rising.
    if (!ResourceDataExists("SNF_001")) RegisterResourceData("SNF_001", Chime(22050, 0.12, 880, 660));
    if (!ResourceDataExists("SNF_005")) RegisterResourceData("SNF_005", Chime(44100, 0.35, 660, 990));
  });
}
