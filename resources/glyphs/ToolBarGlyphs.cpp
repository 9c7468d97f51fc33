// The editor's tool bar pictures, 24 x 24 for the 33-pixel tool bar.
#include <iterator>
#include <mutex>

#include "GlyphPainter.h"
#include "ProgramGlyphs.h"

namespace {

constexpr int S = 24;
constexpr TColor kInk = RGB(64, 64, 72);
constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kFold = RGB(214, 220, 230);
constexpr TColor kBlue = RGB(52, 101, 164);
constexpr TColor kLightBlue = RGB(144, 186, 230);
constexpr TColor kYellow = RGB(246, 206, 92);
constexpr TColor kDarkYellow = RGB(176, 132, 30);
constexpr TColor kGreen = RGB(84, 160, 72);
constexpr TColor kRed = RGB(204, 52, 44);
constexpr TColor kGrey = RGB(168, 172, 178);
constexpr TColor kDarkGrey = RGB(110, 114, 120);
constexpr TColor kBrown = RGB(150, 104, 60);

// A sheet with a folded top-right corner.
void Page(TGlyphPainter& p, int l, int t, int r, int b) {
  p.Shape({{l, t}, {r - 6, t}, {r, t + 6}, {r, b}, {l, b}}, kPaper, kInk);
  p.Shape({{r - 6, t}, {r - 6, t + 6}, {r, t + 6}}, kFold, kInk);
}

void Lines(TGlyphPainter& p, int l, int r, int t, int count, TColor c = kGrey) {
  for (int i = 0; i < count; ++i) p.Line(l, t + 3 * i, r, t + 3 * i, c);
}

void New(TBitmap& b) {
  TGlyphPainter p(b, S);
  Page(p, 5, 2, 19, 21);
  p.Oval(13, 13, 22, 22, kYellow, kDarkYellow);  // a spark of newness
}

void Open(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{2, 6}, {8, 6}, {10, 8}, {19, 8}, {19, 19}, {2, 19}}, kDarkYellow, kInk);
  p.Shape({{5, 11}, {22, 11}, {19, 19}, {2, 19}}, kYellow, kInk);
}

void Save(TBitmap& b) {
  TGlyphPainter p(b, S);
  PaintDisk(p, S);
}

void Print(TBitmap& b) {
  TGlyphPainter p(b, S);
  PaintPrinter(p, S);
}

// A browser window: title bar and a page.
void Preview(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Box(2, 3, 22, 20, kPaper, kInk);
  p.Fill(3, 4, 21, 7, kBlue);
  p.Dot(19, 5, kPaper);
  Lines(p, 5, 18, 10, 3);
}

void Browser(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Oval(2, 2, 22, 22, kLightBlue, kBlue);
  p.Shape({{6, 6}, {11, 5}, {12, 10}, {8, 13}, {5, 11}}, kGreen, kGreen);
  p.Shape({{13, 13}, {18, 12}, {19, 17}, {14, 19}}, kGreen, kGreen);
}

void Cut(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Line(7, 2, 15, 14, kDarkGrey);
  p.Line(16, 2, 8, 14, kDarkGrey);
  p.Oval(2, 13, 10, 21, kPaper, kRed);
  p.Oval(13, 13, 21, 21, kPaper, kRed);
}

void Copy(TBitmap& b) {
  TGlyphPainter p(b, S);
  Page(p, 2, 2, 14, 16);
  Page(p, 9, 7, 21, 21);
  Lines(p, 11, 18, 13, 3);
}

void Paste(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Box(3, 4, 17, 21, kBrown, kInk);
  p.Box(7, 2, 13, 6, kGrey, kInk);
  Page(p, 10, 9, 21, 22);
  Lines(p, 12, 18, 15, 2);
}

void Clear(TBitmap& b) {
  TGlyphPainter p(b, S);
  Page(p, 3, 2, 17, 21);
  p.Line(11, 11, 20, 20, kRed);
  p.Line(12, 11, 21, 20, kRed);
  p.Line(20, 11, 11, 20, kRed);
  p.Line(21, 11, 12, 20, kRed);
}

void Find(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Oval(2, 2, 15, 15, kLightBlue, kInk);
  p.Dot(6, 6, kPaper);
  for (int i = 0; i < 3; ++i) p.Line(13 + i, 12, 21 + i - 1, 20, kBrown);
}

void Link(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Oval(2, 8, 14, 16, kGrey, kDarkGrey);
  p.Oval(5, 10, 11, 14, kGlyphTransparent, kDarkGrey);
  p.Oval(10, 8, 22, 16, kGrey, kDarkGrey);
  p.Oval(13, 10, 19, 14, kGlyphTransparent, kDarkGrey);
}

void Font(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{10, 2}, {14, 2}, {21, 21}, {17, 21}, {15, 15}, {9, 15}, {7, 21}, {3, 21}}, kBlue, kInk);
  p.Shape({{12, 7}, {14, 12}, {10, 12}}, kPaper, kInk);
}

void Image(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Box(2, 4, 22, 20, kLightBlue, kInk);
  p.Oval(14, 6, 19, 11, kYellow, kDarkYellow);
  p.Shape({{3, 19}, {9, 10}, {14, 16}, {16, 13}, {21, 19}}, kGreen, kGreen);
}

void Palette(TBitmap& b) {
  TGlyphPainter p(b, S);
  const TColor colours[] = {kRed, kYellow, kGreen, kBlue, kBrown, kLightBlue, kDarkGrey, kPaper, kDarkYellow};
  for (int i = 0; i < 9; ++i)
    p.Box(2 + (i % 3) * 7, 2 + (i / 3) * 7, 8 + (i % 3) * 7, 8 + (i / 3) * 7, colours[i], kInk);
}

void Settings(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Fill(10, 2, 14, 22, kDarkGrey);
  p.Fill(2, 10, 22, 14, kDarkGrey);
  p.Shape({{5, 7}, {7, 5}, {19, 17}, {17, 19}}, kDarkGrey, kDarkGrey);
  p.Shape({{17, 5}, {19, 7}, {7, 19}, {5, 17}}, kDarkGrey, kDarkGrey);
  p.Oval(5, 5, 19, 19, kGrey, kInk);
  p.Oval(9, 9, 15, 15, kPaper, kInk);
}

void Favourites(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{12, 1}, {15, 8}, {22, 9}, {17, 14}, {18, 21}, {12, 17}, {6, 21}, {7, 14}, {2, 9}, {9, 8}}, kYellow,
          kDarkYellow);
}

void Site(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Shape({{12, 2}, {22, 11}, {2, 11}}, kRed, kInk);
  p.Box(4, 11, 20, 21, kPaper, kInk);
  p.Box(10, 14, 14, 21, kBrown, kInk);
}

void About(TBitmap& b) {
  TGlyphPainter p(b, S);
  p.Oval(2, 2, 22, 22, kBlue, kInk);
  p.Fill(11, 6, 13, 8, kPaper);
  p.Fill(11, 10, 13, 18, kPaper);
  p.Fill(9, 17, 15, 18, kPaper);
}

// Left to right as the tool bar shows them.
const TGlyphRow kRows[] = {
    {"TBNEW", New},
    {"TBOPEN", Open},
    {"TBSAVE", Save},
    {"TBPRINT", Print},
    {"TBPREVIEW", Preview},
    {"TBBROWSER", Browser},
    {"TBCUT", Cut},
    {"TBCOPY", Copy},
    {"TBPASTE", Paste},
    {"TBCLEAR", Clear},
    {"TBFIND", Find},
    {"TBLINK", Link},
    {"TBFONT", Font},
    {"TBIMAGE", Image},
    {"TBPALETTE", Palette},
    {"TBSETTINGS", Settings},
    {"TBFAVOURITES", Favourites},
    {"TBSITE", Site},
    {"TBABOUT", About},
};

}  // namespace

const std::vector<TGlyphName>& ToolBarGlyphs() {
  static const std::vector<TGlyphName> names = GlyphNames(kRows, std::size(kRows), S);
  return names;
}

void RegisterToolBarGlyphs() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterGlyphRows(kRows, std::size(kRows)); });
}
