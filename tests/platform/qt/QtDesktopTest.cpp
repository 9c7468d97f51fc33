// The Qt widget set's desktop services offscreen: pictures through Qt's
// readers, monitors, shell icons, window regions, the symbol font's bullet
// and rotated text.
#include <gtest/gtest.h>
#include <QWidget>

#include "QtTestEnv.h"
#include "ScaledDecodeCases.h"
#include "TestPictures.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/ShellIcons.h"
#include "platform/StdCtrls.h"

namespace {

class QtDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { ws = &TestWidgetset(); }
  QtWidgetset* ws = nullptr;
};

TEST_F(QtDesktopTest, PicturesDecodeThroughQtWithTheBuiltInLimits) {
  EXPECT_EQ(dynamic_cast<QtPictureBackend*>(&PictureBackend()) != nullptr, true);
  struct Case {
    const char* name;
    std::string bytes;
    int w, h;
  };
  const Case cases[] = {
      {"png", MakePng(7, 5, clRed), 7, 5},
      {"jpeg", MakeJpeg(9, 4, clRed), 9, 4},
      {"bmp", MakeBmp(3, 2, clRed), 3, 2},
      // The first image of a GIF without its logical screen.
      {"gif", MakeGif(10, 8, {{2, 3, 5, 4, 0}, {0, 0, 10, 8, 1}}), 5, 4},
  };
  for (const Case& c : cases) {
    TBitmap b;
    ASSERT_TRUE(DecodePicture(c.bytes, b)) << c.name;
    EXPECT_EQ(b.Width(), c.w) << c.name;
    EXPECT_EQ(b.Height(), c.h) << c.name;
    EXPECT_GT(GetRValue(b.Pixel(0, 0)), 200) << c.name;
    // The last row too: JPEG rows are decoded into the bitmap's own.
    EXPECT_GT(GetRValue(b.Pixel(c.w - 1, c.h - 1)), 200) << c.name;
    EXPECT_LT(GetGValue(b.Pixel(c.w - 1, c.h - 1)), 60) << c.name;
  }
  std::string huge = MakePng(7, 5, clRed);
  huge[16] = 0, huge[17] = 0, huge[18] = char(0xEA), huge[19] = char(0x60);
  TBitmap b;
  EXPECT_FALSE(DecodePicture(huge, b));
  EXPECT_FALSE(DecodePicture("garbage", b));
}

TEST_F(QtDesktopTest, ScaledDecodesThroughQtFitTheBox) {
  ASSERT_NE(dynamic_cast<QtPictureBackend*>(&PictureBackend()), nullptr);
  ExpectScaledDecodes();
  ExpectMetafilesDrawn();
}

TEST_F(QtDesktopTest, MonitorsAndShellIcons) {
  TRect primary = MonitorBackend().MonitorRects().at(0);
  EXPECT_GT(primary.Width(), 0);
  InitApplication();
  TMonitor m = Screen->MonitorFromPoint(TPoint(-5000, -5000));
  EXPECT_EQ(m.BoundsRect, primary);  // the nearest one
  DoneApplication();
  IShellIconBackend& icons = ShellIconBackend();
  int folder = icons.IconIndex("/tmp");
  int text = icons.IconIndex("/nonexistent/readme.txt");
  EXPECT_GE(folder, 0);
  EXPECT_GE(text, 0);
  TIcon small, large;
  ASSERT_TRUE(icons.IconImage(folder, false, small));
  ASSERT_TRUE(icons.IconImage(text, true, large));
  EXPECT_EQ(small.Width(), 16);
  EXPECT_EQ(large.Width(), 32);
  EXPECT_FALSE(icons.IconImage(9999, false, small));
}

TEST_F(QtDesktopTest, WindowRegionsMaskTheWidget) {
  TCustomControl c(nullptr);
  c.SetBounds(0, 0, 60, 40);
  HWND wnd = c.Handle();
  ASSERT_EQ(SetWindowRgn(wnd, CreateRoundRectRgn(0, 0, 60, 40, 16, 16), true), 1);
  QWidget* outer = static_cast<QtWindowPeer*>(wnd)->Outer();
  ASSERT_NE(outer, nullptr);
  QRegion mask = outer->mask();
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));  // a rounded corner
  EXPECT_TRUE(mask.contains(QPoint(30, 20)));
  SetWindowRgn(wnd, nullptr, true);
  EXPECT_TRUE(outer->mask().isEmpty());
}

TEST_F(QtDesktopTest, NativeControlsSeeMovesWithoutAButtonForTheirHints) {
  TForm form(nullptr);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  QWidget* client = static_cast<QtWindowPeer*>(b->Handle())->Client();
  ASSERT_NE(client, nullptr);
  EXPECT_TRUE(client->hasMouseTracking());
}

bool Ink(TBitmap& b, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (GetRValue(b.Pixel(x, y)) < 128) return true;
  return false;
}

TEST_F(QtDesktopTest, SymbolBulletAndRotatedText) {
  TBitmap b(80, 80);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, 80, 80));
  c->Font()->SetName("Symbol");
  c->Font()->SetCharset(SYMBOL_CHARSET);
  c->Font()->SetHeight(-16);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(2, 2, "\xB7");  // a bullet, not a middle dot
  int dark = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) dark += GetRValue(b.Pixel(x, y)) < 128;
  EXPECT_GE(dark, 9);
  // Text turned by 90 degrees runs upwards from its start.
  c->Font()->SetName("Monospace");
  c->Font()->SetCharset(DEFAULT_CHARSET);
  LOGFONT lf = c->Font()->MakeLogFont();
  lf.lfEscapement = lf.lfOrientation = 900;
  HFONT rotated = CreateFontIndirect(&lf);
  HDC dc = c->Handle();
  HGDIOBJ old = SelectObject(dc, rotated);
  TextOut(dc, 40, 78, "IIIIII", 6);
  SelectObject(dc, old);
  DeleteObject(rotated);
  EXPECT_TRUE(Ink(b, 40, 30, 60, 78));
  EXPECT_FALSE(Ink(b, 62, 60, 80, 80));
}

}  // namespace
