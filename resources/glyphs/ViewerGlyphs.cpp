// The help viewer's button pictures, 32 x 32, and its banner.
#include <iterator>
#include <mutex>

#include "GlyphPainter.h"
#include "ProgramGlyphs.h"
#include "platform/Resources.h"

extern const unsigned char kHelpBannerJpeg[];
extern const unsigned kHelpBannerJpeg_SIZE;

namespace {

constexpr int S = 32;
constexpr TColor kInk = RGB(40, 64, 96);
constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kGreen = RGB(72, 168, 80);
constexpr TColor kDarkGreen = RGB(36, 112, 44);
constexpr TColor kRed = RGB(210, 56, 48);
constexpr TColor kBlue = RGB(56, 108, 176);
constexpr TColor kGrey = RGB(170, 174, 180);
constexpr TColor kBrown = RGB(156, 108, 64);
constexpr TColor kOrange = RGB(232, 140, 48);

void Back(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{3, 16}, {15, 4}, {15, 11}, {28, 11}, {28, 21}, {15, 21}, {15, 28}}, kGreen, kDarkGreen);
}

void Forward(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{28, 16}, {16, 4}, {16, 11}, {3, 11}, {3, 21}, {16, 21}, {16, 28}}, kGreen, kDarkGreen);
}

void Stop(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{10, 3}, {22, 3}, {29, 10}, {29, 22}, {22, 29}, {10, 29}, {3, 22}, {3, 10}}, kRed, RGB(140, 30, 24));
  for (int i = 0; i < 3; ++i) {
    p.Line(10 + i, 10, 21 + i - 1, 21, kPaper);
    p.Line(21 + i - 1, 10, 10 + i, 21, kPaper);
  }
}

void Save(TBitmap& b) {
  TGlyphPainter p(b, S);
  PaintDisk(p, S);
}

void Print(TBitmap& b) {
  TGlyphPainter p(b, S);
  PaintPrinter(p, S);
}

void Home(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{16, 3}, {29, 15}, {3, 15}}, kOrange, kInk);
  p.Box(6, 15, 26, 29, kPaper, kInk);
  p.Box(13, 19, 19, 29, kBrown, kInk);
}

void Properties(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{6, 3}, {20, 3}, {26, 9}, {26, 29}, {6, 29}}, kPaper, kInk);
  for (int y : {10, 14, 18, 22}) {
    p.Fill(9, y, 12, y + 2, kBlue);
    p.Line(14, y, 22, y, kGrey);
  }
}

const TGlyphRow kRows[] = {
    {"HVBACK", Back}, {"HVFORWARD", Forward},       {"HVSTOP", Stop}, {"HVSAVE", Save}, {"HVPRINT", Print},
    {"HVHOME", Home}, {"HVPROPERTIES", Properties},
};

}  // namespace

const std::vector<TGlyphName>& ViewerGlyphs() {
  static const std::vector<TGlyphName> names = GlyphNames(kRows, std::size(kRows), S);
  return names;
}

void RegisterViewerGlyphs() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterGlyphRows(kRows, std::size(kRows)); });
}

const char* const kViewerBanner = "HVBANNER";

void RegisterViewerBanner() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterResourceData(kViewerBanner,
                         std::string(reinterpret_cast<const char*>(kHelpBannerJpeg), kHelpBannerJpeg_SIZE));
  });
}
