// The gradient painter: colour ramps, band edges, tiling and dither, and
// the lightened colour.
#include <gtest/gtest.h>

#include "XpControls.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TColor Grey(int v) { return RGB(v, v, v); }

TEST(ColorRampTest, RoundsHalfStepsToEven) {
  struct Case {
    int from, to, n;
    std::vector<int> expected;
  } cases[] = {
      {0, 5, 3, {0, 2, 5}},  // 2.5 -> 2
      {0, 7, 3, {0, 4, 7}},  // 3.5 -> 4
      {0, 9, 3, {0, 4, 9}},  // 4.5 -> 4
      {5, 0, 3, {5, 3, 0}},  // -2.5 -> -2
      {10, 40, 4, {10, 20, 30, 40}},
  };
  for (const Case& c : cases) {
    TColorRamp ramp;
    ASSERT_EQ(BuildColorRamp(Grey(c.from), Grey(c.to), c.n, ramp), c.n);
    for (int i = 0; i < c.n; ++i) EXPECT_EQ(ramp[i], Grey(c.expected[i])) << c.from << "->" << c.to << " #" << i;
  }
}

TEST(ColorRampTest, ResolvesSystemColoursAndKeepsOneBandDefined) {
  TColorRamp ramp;
  ASSERT_EQ(BuildColorRamp(clBtnFace, clWhite, 2, ramp), 2);
  EXPECT_EQ(ramp[0], GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ramp[1], clWhite);
  // One band would divide by zero: it is the start colour.
  ASSERT_EQ(BuildColorRamp(RGB(1, 2, 3), clWhite, 1, ramp), 1);
  EXPECT_EQ(ramp[0], RGB(1, 2, 3));
  EXPECT_EQ(BuildColorRamp(clBlack, clWhite, 0, ramp), 0);
}

class GradientTest : public ::testing::Test {
 protected:
  std::vector<TColor> Row(int y) {
    std::vector<TColor> r;
    for (int x = 0; x < bmp.Width(); ++x) r.push_back(bmp.Pixel(x, y));
    return r;
  }
  std::vector<TColor> Column(int x) {
    std::vector<TColor> c;
    for (int y = 0; y < bmp.Height(); ++y) c.push_back(bmp.Pixel(x, y));
    return c;
  }
  TFakeWidgetsetScope ws;
  TBitmap bmp;
};

TEST_F(GradientTest, TwoBandsSplitTheExtentByMulDiv) {
  GradientBitmap(9, 3, clRed, clBlue, 2, 0, false, &bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  // MulDiv(1, 9, 2) rounds 4.5 up: columns 0..4 and 5..8.
  std::vector<TColor> expected = {clRed, clRed, clRed, clRed, clRed, clBlue, clBlue, clBlue, clBlue};
  for (int y = 0; y < 3; ++y) EXPECT_EQ(Row(y), expected);
  GradientBitmap(9, 3, clRed, clBlue, 2, 2, false, &bmp);  // from ColorB
  EXPECT_EQ(Row(0)[0], clBlue);
  EXPECT_EQ(Row(0)[8], clRed);
  GradientBitmap(3, 10, clRed, clBlue, 2, 1, false, &bmp);  // top to bottom, only 10 rows
  ASSERT_EQ(bmp.Height(), 10);
  EXPECT_EQ(Column(2),
            std::vector<TColor>({clRed, clRed, clRed, clRed, clRed, clBlue, clBlue, clBlue, clBlue, clBlue}));
  GradientBitmap(3, 10, clRed, clBlue, 2, 9, false, &bmp);  // any other style: bottom to top
  EXPECT_EQ(Column(0).front(), clBlue);
  EXPECT_EQ(Column(0).back(), clRed);
}

TEST_F(GradientTest, DitherUsesThePreviousBandAtEachBorder) {
  // Width div (n - 1) = 1: k runs over 0 and 1, where random(k) is 0, so
  // the first column of every later band takes the previous band's colour.
  GradientBitmap(4, 20, Grey(0), Grey(90), 4, 0, true, &bmp);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(Row(y), std::vector<TColor>({Grey(0), Grey(0), Grey(30), Grey(60)})) << y;
  GradientBitmap(20, 4, Grey(0), Grey(90), 4, 1, true, &bmp);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(Column(x), std::vector<TColor>({Grey(0), Grey(0), Grey(30), Grey(60)})) << x;
}

TEST_F(GradientTest, TheSixteenPixelStripIsTiled) {
  SetRandSeed(7);
  GradientBitmap(300, 50, clWhite, Grey(200), 16, 0, true, &bmp);
  for (int y = 16; y < 50; ++y) ASSERT_EQ(Row(y), Row(y % 16)) << y;
  // Some border pixels were broken up by the dither.
  int broken = 0;
  TColorRamp ramp;
  BuildColorRamp(clWhite, Grey(200), 16, ramp);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 300; ++x) {
      int band = 0;
      while (MulDiv(band + 1, 300, 16) <= x) ++band;
      TColor c = bmp.Pixel(x, y);
      if (c != ramp[band]) {
        ASSERT_GT(band, 0);
        ASSERT_EQ(c, ramp[band - 1]);
        ++broken;
      }
    }
  EXPECT_GT(broken, 0);
  // Vertical dither moves whole row pieces: every row is one colour.
  GradientBitmap(50, 300, clWhite, Grey(200), 16, 1, true, &bmp);
  for (int y = 0; y < 300; ++y)
    for (int x = 1; x < 50; ++x) ASSERT_EQ(bmp.Pixel(x, y), bmp.Pixel(0, y));
}

TEST_F(GradientTest, DegenerateSizesAndBandCounts) {
  GradientBitmap(5, 2, RGB(1, 2, 3), clWhite, 0, 0, true, &bmp);  // no bands: ColorA
  for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, 1), RGB(1, 2, 3));
  GradientBitmap(5, 2, clRed, clBlue, 1, 2, true, &bmp);  // one band: the start colour
  for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, 0), clBlue);
  for (auto [w, h] : {std::pair(-3, 10), std::pair(10, 0), std::pair(0, -1)}) {
    GradientBitmap(w, h, clRed, clBlue, 255, 1, true, &bmp);
    EXPECT_TRUE(bmp.Empty());
  }
}

TEST(LightenTest, IsExactInIntegersWithTiesToEven) {
  TFakeWidgetsetScope ws;
  TBitmap bmp(4, 4);
  struct Case {
    int c, percent, expected;
  } cases[] = {
      {0, 70, 178},                     // 178.5 -> 178
      {0, 50, 128},                     // 127.5 -> 128
      {128, 70, 217},                   // 88.9 -> 89
      {159, 70, 226},                   // 67.2 -> 67
      {5, 10, 30},    {100, 150, 255},  // capped at 100 %
      {100, 0, 100},
  };
  for (const Case& c : cases) EXPECT_EQ(LightenForCanvas(bmp.Canvas(), Grey(c.c), c.percent), Grey(c.expected)) << c.c;
  EXPECT_EQ(LightenForCanvas(bmp.Canvas(), RGB(0, 128, 255), 70), RGB(178, 217, 255));
  // A monochrome device shows black or white only.
  TBitmap mono(4, 4);
  mono.SetMonochrome(true);
  EXPECT_EQ(LightenForCanvas(mono.Canvas(), Grey(128), 70), clWhite);
  EXPECT_EQ(LightenForCanvas(mono.Canvas(), Grey(0), 10), clBlack);
}

}  // namespace
