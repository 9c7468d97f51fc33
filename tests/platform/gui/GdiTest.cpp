// Device contexts: Win32 pixel rules, text output, clipping, saved states
// and object lifetimes.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Gdi.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class GdiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(40, 30, 1, 32, nullptr);
    old = SelectObject(dc, bmp);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    TRect all(0, 0, 40, 30);
    FillRect(dc, &all, white);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  COLORREF Px(int x, int y) { return GetPixel(dc, x, y); }

  TFakeWidgetsetScope ws;
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(GdiTest, RectangleExcludesRightAndBottomEdges) {
  HBRUSH red = CreateSolidBrush(clRed);
  HGDIOBJ ob = SelectObject(dc, red);
  Rectangle(dc, 2, 3, 10, 8);
  EXPECT_EQ(Px(2, 3), clBlack);   // outline
  EXPECT_EQ(Px(9, 7), clBlack);   // last outline pixel
  EXPECT_EQ(Px(10, 7), clWhite);  // right edge excluded
  EXPECT_EQ(Px(9, 8), clWhite);   // bottom edge excluded
  EXPECT_EQ(Px(5, 5), clRed);     // interior filled with the brush
  // Without a pen the filled area loses the last row and column.
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 20, 20, 25, 25);
  EXPECT_EQ(Px(20, 20), clRed);
  EXPECT_EQ(Px(23, 23), clRed);
  EXPECT_EQ(Px(24, 24), clWhite);
  SelectObject(dc, ob);
  DeleteObject(red);
}

TEST_F(GdiTest, LineToLeavesLastPointAndMovesPosition) {
  MoveToEx(dc, 1, 1, nullptr);
  LineTo(dc, 6, 1);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(Px(x, 1), clBlack) << x;
  EXPECT_EQ(Px(6, 1), clWhite);
  TPoint p;
  GetCurrentPositionEx(dc, &p);
  EXPECT_EQ(p, TPoint(6, 1));
  // XOR pen twice restores the pixels.
  SetROP2(dc, R2_XORPEN);
  HPEN pen = CreatePen(PS_SOLID, 1, clWhite);
  HGDIOBJ op = SelectObject(dc, pen);
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 5, 5);
  EXPECT_EQ(Px(2, 5), clBlack);
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 5, 5);
  EXPECT_EQ(Px(2, 5), clWhite);
  SelectObject(dc, op);
  DeleteObject(pen);
}

TEST_F(GdiTest, ExtTextOutOpaqueAndTransparentBackgrounds) {
  SetBkColor(dc, clBlue);
  TRect r(0, 0, 30, 20);
  // ETO_OPAQUE fills the rectangle with the background colour.
  SetBkMode(dc, TRANSPARENT);
  ExtTextOut(dc, 2, 2, ETO_OPAQUE, &r, "ab", 2, nullptr);
  EXPECT_EQ(Px(29, 19), clBlue);
  EXPECT_EQ(Px(30, 19), clWhite);
  // TRANSPARENT without ETO_OPAQUE fills nothing.
  TRect all(0, 0, 40, 30);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ExtTextOut(dc, 2, 2, 0, nullptr, "ab", 2, nullptr);
  EXPECT_EQ(Px(3, 3), clWhite);
  // OPAQUE mode fills the character cells only (8x16 each).
  SetBkMode(dc, OPAQUE);
  ExtTextOut(dc, 2, 2, 0, nullptr, "ab", 2, nullptr);
  EXPECT_EQ(Px(2, 2), clBlue);
  EXPECT_EQ(Px(17, 17), clBlue);
  EXPECT_EQ(Px(18, 2), clWhite);
  EXPECT_EQ(Px(2, 18), clWhite);
  // ETO_CLIPPED keeps the cell background inside the rectangle.
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TRect small(0, 0, 10, 10);
  ExtTextOut(dc, 2, 2, ETO_CLIPPED, &small, "ab", 2, nullptr);
  EXPECT_EQ(Px(9, 9), clBlue);
  EXPECT_EQ(Px(10, 5), clWhite);
}

TEST_F(GdiTest, SpacingArrayPlacesEveryCharacter) {
  const int dx[3] = {20, 3, 5};
  SetTextCharacterExtra(dc, 7);  // ignored with a spacing array
  ExtTextOut(dc, 1, 4, 0, nullptr, "xyz", 3, dx);
  const TFakeDrawCall* call = ws->CallsOf(TFakeDrawCall::ExtTextOut).back();
  EXPECT_EQ(call->Dx, std::vector<int>({20, 3, 5}));
  EXPECT_EQ(call->CharExtra, 7);
  // Without the array, advances are width plus character extra.
  TSize sz;
  GetTextExtentPoint32(dc, "xyz", 3, &sz);
  EXPECT_EQ(sz.cx, 3 * (8 + 7));
  EXPECT_EQ(sz.cy, 16);
}

TEST_F(GdiTest, GlyphCellsFollowTheSpacingArray) {
  // On a window the fake remembers each character's cell.
  TCreateParams p;
  p.Width = 100;
  p.Height = 50;
  p.Style = WS_VISIBLE;
  HWND w = ws->CreateWindowPeer(nullptr, p);
  HDC wdc = GetDC(w);
  const int dx[3] = {10, 10, 10};
  ExtTextOut(wdc, 5, 0, 0, nullptr, "abc", 3, dx);
  ReleaseDC(w, wdc);
  EXPECT_EQ(ws->RowText(w, 0), "abc");
  ASSERT_NE(ws->TextAt(w, 26, 3), nullptr);
  EXPECT_EQ(ws->TextAt(w, 26, 3)->Ch, 'c');
  EXPECT_EQ(ws->TextAt(w, 26, 3)->Cell, TRect(25, 0, 35, 16));
  // An opaque fill over a cell erases the remembered glyph.
  wdc = GetDC(w);
  TRect r(16, 0, 18, 5);
  FillRect(wdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(w, wdc);
  EXPECT_EQ(ws->RowText(w, 0), "ac");
  // Scrolling moves the remembered text with the pixels.
  ScrollWindow(w, 0, 20, nullptr, nullptr);
  EXPECT_EQ(ws->RowText(w, 0), "");
  EXPECT_EQ(ws->RowText(w, 20), "ac");
  DestroyWindow(w);
}

TEST_F(GdiTest, ClippingAndSavedStates) {
  int saved = SaveDC(dc);
  EXPECT_EQ(saved, 1);
  IntersectClipRect(dc, 0, 0, 10, 10);
  ExcludeClipRect(dc, 2, 2, 4, 4);
  SetTextColor(dc, clRed);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  TRect all(0, 0, 40, 30);
  FillRect(dc, &all, black);
  EXPECT_EQ(Px(1, 1), clBlack);
  EXPECT_EQ(Px(3, 3), CLR_INVALID);  // outside the clip
  EXPECT_EQ(Px(12, 1), CLR_INVALID);
  TRect box;
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, TRect(0, 0, 10, 10));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), clBlack);
  EXPECT_EQ(Px(12, 1), clWhite);
  EXPECT_FALSE(RestoreDC(dc, -1));
  // Origins move drawing; the clip is kept in device coordinates.
  SetWindowOrgEx(dc, -5, -5, nullptr);
  SetPixel(dc, 0, 0, clGreen);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(Px(5, 5), clGreen);
}

TEST_F(GdiTest, DeletedObjectsLiveWhileSelected) {
  int before = TGdiObject::LiveCount();
  HBRUSH b = CreateSolidBrush(clLime);
  HGDIOBJ ob = SelectObject(dc, b);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(TGdiObject::LiveCount(), before + 1);  // still selected
  PatBlt(dc, 0, 0, 2, 2, PATCOPY);
  EXPECT_EQ(Px(1, 1), clLime);
  SelectObject(dc, ob);
  EXPECT_EQ(TGdiObject::LiveCount(), before);
  EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
}

TEST_F(GdiTest, MonochromeBlitsUseTheDcColours) {
  // Monochrome to colour: black becomes the text colour, white the
  // background colour.
  HDC mono = CreateCompatibleDC(nullptr);
  HBITMAP mb = CreateBitmap(4, 1, 1, 1, nullptr);
  HGDIOBJ om = SelectObject(mono, mb);
  SetPixel(mono, 1, 0, clWhite);
  SetTextColor(dc, clRed);
  SetBkColor(dc, clBlue);
  BitBlt(dc, 0, 0, 4, 1, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(Px(0, 0), clRed);
  EXPECT_EQ(Px(1, 0), clBlue);
  // Colour to monochrome: the source's background colour becomes white.
  SetBkColor(dc, clRed);
  BitBlt(mono, 0, 0, 4, 1, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mono, 0, 0), clWhite);
  EXPECT_EQ(GetPixel(mono, 1, 0), clBlack);
  // A memory DC's own bitmap is monochrome, so are its compatible bitmaps.
  HBITMAP c = CreateCompatibleBitmap(mono, 2, 2);
  EXPECT_TRUE(c->Monochrome());
  DeleteObject(c);
  SelectObject(mono, om);
  DeleteDC(mono);
  DeleteObject(mb);
}

TEST_F(GdiTest, RasterOperations) {
  SetPixel(dc, 0, 0, RGB(0x12, 0x34, 0x56));
  PatBlt(dc, 0, 0, 1, 1, DSTINVERT);
  EXPECT_EQ(Px(0, 0), RGB(0xED, 0xCB, 0xA9));
  TRect r(0, 0, 1, 1);
  InvertRect(dc, &r);
  EXPECT_EQ(Px(0, 0), RGB(0x12, 0x34, 0x56));
  PatBlt(dc, 0, 0, 1, 1, BLACKNESS);
  EXPECT_EQ(Px(0, 0), clBlack);
  // Focus rectangles are dotted and undo themselves.
  TRect f(4, 4, 10, 8);
  DrawFocusRect(dc, &f);
  EXPECT_EQ(Px(4, 4), clBlack);
  EXPECT_EQ(Px(5, 4), clWhite);
  DrawFocusRect(dc, &f);
  EXPECT_EQ(Px(4, 4), clWhite);
}

TEST_F(GdiTest, DrawTextLayout) {
  TRect r(0, 0, 40, 100);
  // Word breaks at spaces; CALCRECT measures without drawing.
  TRect calc = r;
  int h = DrawText(dc, "aa bb cc", -1, &calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(h, 32);
  EXPECT_EQ(calc, TRect(0, 0, 40, 32));  // "aa bb" is 40 pixels wide
  EXPECT_TRUE(ws->CallsOf(TFakeDrawCall::ExtTextOut).empty());
  // Centred, vertically centred single line; the prefix is removed.
  TRect box(0, 0, 40, 30);
  DrawText(dc, "&ab", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const TFakeDrawCall* t = ws->CallsOf(TFakeDrawCall::ExtTextOut).back();
  EXPECT_EQ(t->Text, "ab");
  EXPECT_EQ(t->X, 12);
  EXPECT_EQ(t->Y, 7);
  // An ellipsis replaces what does not fit.
  TRect narrow(0, 0, 40, 20);
  DrawText(dc, "abcdefgh", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  EXPECT_EQ(ws->CallsOf(TFakeDrawCall::ExtTextOut).back()->Text, "ab...");
}

// Ellipsis keeps the longest head that fits with the dots, in a face with
// uneven widths (i 2, m 14, dot 2, the rest 8, tab stops every 64).
TEST_F(GdiTest, EllipsisKeepsTheLongestHeadThatFits) {
  FakeWidgetset::TFontConfig narrow;
  narrow.Widths = {{'i', 2}, {'m', 14}, {'.', 2}};
  ws->SetFontMetrics("Uneven", narrow);
  LOGFONT lf;
  lf.lfHeight = -13;
  SetLogFontFaceName(lf, "Uneven");
  HFONT f = CreateFontIndirect(&lf);
  HGDIOBJ of = SelectObject(dc, f);
  const std::string huge(256 * 1024, 'a');
  struct TCase {
    std::string Text;
    int Width;
    UINT Extra;
    std::string Drawn;  // the texts drawn, one after another
  } cases[] = {
      {"abcdefgh", 40, 0, "abcd..."},
      {"abc", 24, 0, "abc"},
      {"abcd", 24, 0, "ab..."},
      {"iiiiiiiiiimm", 30, 0, "iiiiiiiiii..."},
      {"mmmmiiii", 20, 0, "m..."},
      {"mmmm", 10, 0, "..."},
      {"m", 5, 0, "..."},
      {"a\tbcdef", 80, DT_EXPANDTABS, "ab..."},
      {"abcdefgh\nab", 40, 0, "abcd...ab"},
      {huge, 40, 0, "aaaa..."},
  };
  for (const TCase& c : cases) {
    ws->ClearCalls();
    TRect r(0, 0, c.Width, 100);
    UINT single = c.Text.find('\n') == std::string::npos ? DT_SINGLELINE : 0;
    DrawText(dc, c.Text.data(), int(c.Text.size()), &r, single | DT_END_ELLIPSIS | DT_NOPREFIX | c.Extra);
    std::string drawn;
    for (const TFakeDrawCall* call : ws->CallsOf(TFakeDrawCall::ExtTextOut)) drawn += call->Text;
    EXPECT_EQ(drawn, c.Drawn) << c.Text.substr(0, 16) << " in " << c.Width;
  }
  SelectObject(dc, of);
  DeleteObject(f);
}

TEST_F(GdiTest, FontsKeepTheirLogicalFont) {
  LOGFONT lf;
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = RUSSIAN_CHARSET;
  SetLogFontFaceName(lf, "Courier New");
  HFONT f = CreateFontIndirect(&lf);
  LOGFONT back;
  ASSERT_EQ(GetObject(f, sizeof(back), &back), 60);
  EXPECT_EQ(std::memcmp(&back, &lf, sizeof(lf)), 0);
  HGDIOBJ of = SelectObject(dc, f);
  EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);
  EXPECT_EQ(GetFontLanguageInfo(dc) & GCP_DBCS, 0u);
  ABC abc;
  EXPECT_TRUE(GetCharABCWidths(dc, 'M', 'M', &abc));
  EXPECT_EQ(abc.abcB, 8u);
  ws->SetABCFails(true);
  EXPECT_FALSE(GetCharABCWidths(dc, 'M', 'M', &abc));
  SelectObject(dc, of);
  DeleteObject(f);
}

TEST(RegionOpsTest, Arithmetic) {
  std::vector<TRect> a{TRect(0, 0, 10, 10)};
  std::vector<TRect> hole = RegionOps::Subtract(a, {TRect(2, 2, 4, 4)});
  EXPECT_FALSE(RegionOps::Contains(hole, TPoint(3, 3)));
  EXPECT_TRUE(RegionOps::Contains(hole, TPoint(5, 5)));
  int area = 0;
  for (const TRect& r : hole) area += r.Width() * r.Height();
  EXPECT_EQ(area, 96);
  std::vector<TRect> u = RegionOps::Union({TRect(0, 0, 5, 5)}, {TRect(5, 0, 10, 5)});
  ASSERT_EQ(u.size(), 1u);
  EXPECT_EQ(u[0], TRect(0, 0, 10, 5));
  EXPECT_TRUE(RegionOps::Xor(a, a).empty());
}

}  // namespace
