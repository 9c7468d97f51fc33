// Fonts, canvas, bitmaps, icons, pictures and image lists.
#include <gtest/gtest.h>

#include "platform/Graphics.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class GraphicsTest : public ::testing::Test {
 protected:
  TFakeWidgetsetScope ws;
};

TEST_F(GraphicsTest, FontSizeHeightAndLogicalFont) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetName("Courier New");
  f.SetStyle({fsBold, fsUnderline});
  f.SetCharset(RUSSIAN_CHARSET);
  f.SetPitch(fpFixed);
  EXPECT_EQ(f.Style().Bits(), 1u | 4u);
  LOGFONT lf;
  ASSERT_EQ(GetObject(f.Handle(), sizeof lf, &lf), 60);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  // A change makes a new handle and tells the listener once.
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetStyle({});
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(GetObject(f.Handle(), sizeof lf, &lf), 60);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  f.SetStyle({});
  EXPECT_EQ(changes, 1);
  TFont g;
  g.SetHandle(f.Handle());
  EXPECT_EQ(g.Name(), "Courier New");
  EXPECT_EQ(g.Height(), -13);
  TFont h;
  h.Assign(&f);
  EXPECT_EQ(h.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(h.Pitch(), fpFixed);
}

TEST_F(GraphicsTest, CanvasSelectsItsObjects) {
  TBitmap b(30, 20);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clYellow);
  c->FillRect(TRect(0, 0, 30, 20));
  EXPECT_EQ(b.Pixel(29, 19), clYellow);
  c->Font()->SetColor(clRed);
  c->TextOut(2, 3, "ab");
  const TFakeDrawCall* t = ws->CallsOf(TFakeDrawCall::ExtTextOut).back();
  EXPECT_EQ(t->TextColor, clRed);
  EXPECT_EQ(t->BkColor, clYellow);
  EXPECT_EQ(t->BkMode, OPAQUE);
  EXPECT_EQ(c->PenPos(), TPoint(18, 3));  // the pen moves past the text
  c->Brush()->SetStyle(bsClear);
  c->TextOut(0, 0, "x");
  EXPECT_EQ(ws->CallsOf(TFakeDrawCall::ExtTextOut).back()->BkMode, TRANSPARENT);
  EXPECT_EQ(c->TextWidth("abc"), 24);
  EXPECT_EQ(c->TextHeight("abc"), 16);
  c->Pen()->SetColor(clBlue);
  c->MoveTo(0, 10);
  c->LineTo(5, 10);
  EXPECT_EQ(b.Pixel(4, 10), clBlue);
  EXPECT_EQ(b.Pixel(5, 10), clYellow);
  c->SetPixels(7, 7, clLime);
  EXPECT_EQ(c->Pixels(7, 7), clLime);
  EXPECT_EQ(c->ClipRect(), TRect(0, 0, 30, 20));
}

// Text drawn straight on the canvas's handle (a label's DrawText) has the
// canvas's font and the background mode of its brush.
TEST_F(GraphicsTest, TheHandleCarriesTheCanvasFontAndBrush) {
  TBitmap b(60, 20);
  TCanvas* c = b.Canvas();
  c->Handle();
  c->Font()->SetName("Tahoma");
  c->Font()->SetHeight(-17);
  c->Brush()->SetStyle(bsClear);
  TRect r(0, 0, 60, 20);
  DrawText(c->Handle(), "ab", 2, &r, DT_LEFT);
  const TFakeDrawCall* t = ws->CallsOf(TFakeDrawCall::ExtTextOut).back();
  EXPECT_EQ(t->BkMode, TRANSPARENT);
  EXPECT_EQ(t->Font.lfHeight, -17);
  EXPECT_STREQ(t->Font.lfFaceName, "Tahoma");
}

TEST_F(GraphicsTest, BitmapsDrawWithTransparencyAndRoundTripAsBmp) {
  TBitmap src(4, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) src.SetPixel(x, y, clFuchsia);
  src.SetPixel(1, 0, clNavy);
  TBitmap dst(4, 2);
  dst.Canvas()->Brush()->SetColor(clWhite);
  dst.Canvas()->FillRect(TRect(0, 0, 4, 2));
  src.SetTransparent(true);  // bottom-left pixel is the transparent colour
  EXPECT_EQ(src.TransparentColor(), clFuchsia);
  dst.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(dst.Pixel(0, 0), clWhite);
  EXPECT_EQ(dst.Pixel(1, 0), clNavy);
  // BMP round trip.
  TMemoryStream ms;
  src.SaveToStream(&ms);
  ms.SetPosition(0);
  TBitmap back;
  back.LoadFromStream(&ms);
  ASSERT_EQ(back.Width(), 4);
  ASSERT_EQ(back.Height(), 2);
  EXPECT_EQ(back.Pixel(1, 0), clNavy);
  EXPECT_EQ(back.Pixel(3, 1), clFuchsia);
  TStringStream bad("BMxxxx");
  EXPECT_THROW(back.LoadFromStream(&bad), EInvalidGraphic);
}

TEST_F(GraphicsTest, BrushCopyReplacesTheMaskColourWithTheBrush) {
  TBitmap src(2, 1);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 0, clGreen);
  TBitmap dst(2, 1);
  dst.Canvas()->Brush()->SetColor(clBlue);
  dst.Canvas()->BrushCopy(TRect(0, 0, 2, 1), &src, TRect(0, 0, 2, 1), clGreen);
  EXPECT_EQ(dst.Pixel(0, 0), clRed);
  EXPECT_EQ(dst.Pixel(1, 0), clBlue);
}

TEST_F(GraphicsTest, ImageListSplitsMasksAndDrawsDisabled) {
  TImageList il(nullptr);
  il.SetWidth(2);
  il.SetHeight(2);
  TBitmap strip(4, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) strip.SetPixel(x, y, clOlive);
  strip.SetPixel(0, 0, clBlack);
  strip.SetPixel(3, 0, clMaroon);
  EXPECT_EQ(il.AddMasked(&strip, clOlive), 0);
  EXPECT_EQ(il.Count(), 2);
  TBitmap dst(4, 4);
  dst.Canvas()->Brush()->SetColor(clWhite);
  dst.Canvas()->FillRect(TRect(0, 0, 4, 4));
  il.Draw(dst.Canvas(), 1, 1, 1, true);
  EXPECT_EQ(dst.Pixel(1, 1), clWhite);  // olive is transparent
  EXPECT_EQ(dst.Pixel(2, 1), clMaroon);
  TBitmap dis(4, 4);
  dis.Canvas()->Brush()->SetColor(clWhite);
  dis.Canvas()->FillRect(TRect(0, 0, 4, 4));
  il.Draw(dis.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(dis.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(dis.Pixel(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  TBitmap got;
  il.GetBitmap(1, &got);
  EXPECT_EQ(got.Width(), 2);
  EXPECT_EQ(got.Pixel(1, 0), clMaroon);
  EXPECT_EQ(got.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(GraphicsTest, IconKeepsItsMaskThroughIco) {
  TBitmap b(3, 3);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y) b.SetPixel(x, y, clAqua);
  b.SetPixel(1, 1, clRed);
  TIcon icon;
  icon.AssignBitmap(&b);  // bottom-left colour is transparent
  TMemoryStream ms;
  icon.SaveToStream(&ms);
  ms.SetPosition(0);
  TPicture pic;
  pic.LoadFromStream(&ms);
  auto* back = dynamic_cast<TIcon*>(pic.Graphic());
  ASSERT_NE(back, nullptr);
  TBitmap dst(3, 3);
  dst.Canvas()->Brush()->SetColor(clWhite);
  dst.Canvas()->FillRect(TRect(0, 0, 3, 3));
  dst.Canvas()->Draw(0, 0, back);
  EXPECT_EQ(dst.Pixel(0, 0), clWhite);
  EXPECT_EQ(dst.Pixel(1, 1), clRed);
}

TEST(CursorTest, ToolkitCursorsMapToShapes) {
  EXPECT_EQ(CursorToIdc(crIBeam), IDC_IBEAM);
  EXPECT_EQ(CursorToIdc(crHandPoint), IDC_HAND);
  EXPECT_EQ(CursorToIdc(crDefault), IDC_ARROW);
  EXPECT_EQ(crDrag, -12);
  EXPECT_EQ(crSizeWE, -9);
}

// ---- damaged pictures ----
// A BITMAPFILEHEADER + BITMAPINFOHEADER with the given fields and `tail`
// as the pixel data.
std::string BmpBytes(int32_t w, int32_t h, uint16_t bpp, uint32_t compression, const std::string& tail) {
  std::string d;
  auto u16 = [&](uint32_t v) {
    d += char(v & 0xFF);
    d += char((v >> 8) & 0xFF);
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  size_t palette = bpp <= 8 ? (size_t(1) << bpp) * 4 : 0;
  d += "BM";
  u32(uint32_t(54 + palette + tail.size()));
  u32(0);
  u32(uint32_t(54 + palette));
  u32(40);
  u32(uint32_t(w));
  u32(uint32_t(h));
  u16(1);
  u16(bpp);
  u32(compression);
  u32(uint32_t(tail.size()));
  u32(0);
  u32(0);
  u32(0);
  u32(0);
  d += std::string(palette, '\0');
  return d + tail;
}

TEST_F(GraphicsTest, DamagedBitmapsAndIconsFailAsInvalidGraphics) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  // An ICO directory of one entry whose offset + size wrap in 32 bits.
  std::string wrapIco("\0\0\1\0\1\0", 6);
  wrapIco += std::string("\x10\x10\0\0\1\0\x20\0", 8);
  wrapIco += std::string("\x20\0\0\0", 4);        // size
  wrapIco += std::string("\xF0\xFF\xFF\xFF", 4);  // offset
  wrapIco += std::string(40, '\0');
  const Case cases[] = {
      {"height INT32_MIN", BmpBytes(4, INT32_MIN, 24, 0, std::string(48, '\0'))},
      {"RLE 32768 x 32768 in 41 bytes", BmpBytes(32768, 32768, 24, 1, "").substr(0, 41)},
      {"RLE header claiming 60000 x 60000", BmpBytes(60000, 60000, 8, 1, std::string("\0\1", 2))},
      {"24-bit 20000 x 20000 with no pixels", BmpBytes(20000, 20000, 24, 0, "")},
      {"pixel offset past the data", BmpBytes(2, 2, 24, 0, "").substr(0, 54)},
  };
  for (const Case& c : cases) {
    TStringStream s(c.bytes);
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(&s), EInvalidGraphic) << c.what;
  }
  TStringStream s(wrapIco);
  TIcon icon;
  EXPECT_THROW(icon.LoadFromStream(&s), EInvalidGraphic) << "ICO offset + size wrap";
}

}  // namespace
