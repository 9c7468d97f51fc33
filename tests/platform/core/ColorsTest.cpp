#include <gtest/gtest.h>

#include <climits>

#include "platform/Colors.h"

namespace {

TEST(Colors, ValuesAndChannels) {
  EXPECT_EQ(clWindow, 0x80000005u);
  EXPECT_EQ(clWindowText, 0x80000008u);
  EXPECT_EQ(clHighlight, 0x8000000Du);
  EXPECT_EQ(clBtnFace, 0x8000000Fu);
  EXPECT_EQ(clInfoBk, 0x80000018u);
  EXPECT_EQ(clMenuBar, 0x8000001Eu);
  EXPECT_EQ(clNone, 0x1FFFFFFFu);
  EXPECT_EQ(clDefault, 0x20000000u);
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
  EXPECT_EQ(clRed, RGB(255, 0, 0));
  EXPECT_EQ(clNavy, RGB(0, 0, 128));
  EXPECT_EQ(GetRValue(clSkyBlue), 0xA6);
  EXPECT_EQ(GetGValue(clSkyBlue), 0xCA);
  EXPECT_EQ(GetBValue(clSkyBlue), 0xF0);
}

TEST(Colors, SystemColoursResolveThroughTheReplaceableTable) {
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  // Ordinary colours, clNone and clDefault pass unchanged.
  EXPECT_EQ(ColorToRGB(clTeal), clTeal);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);

  TSystemColorTable table = DefaultSystemColorTable();
  table[COLOR_WINDOW] = RGB(1, 2, 3);
  SetSystemColorTable(table);
  EXPECT_EQ(ColorToRGB(clWindow), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
  ResetSystemColorTable();
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(GetSysColor(99), 0u);
  EXPECT_EQ(ColorToRGB(clSystemColor | 99), 0u);
}

TEST(Colors, MulDivRoundsHalvesAwayFromZero) {
  struct {
    int a, b, c, expected;
  } cases[] = {
      {5, 3, 2, 8},         {-5, 3, 2, -8},
      {5, -3, 2, -8},       {5, 3, -2, -8},
      {-5, -3, -2, -8},     {7, 1, 3, 2},
      {8, 1, 3, 3},         {-8, 1, 3, -3},
      {1, 1, 2, 1},         {1, 1, 3, 0},
      {0, 5, 7, 0},         {1, 1, 0, -1},
      {0, 0, 0, -1},        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MAX, 2, 1, -1},  {INT_MIN, 1, 1, INT_MIN},
      {INT_MIN, -1, 1, -1}, {100000, 100000, 100000, 100000},
      {3, 255, 100, 8},
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
