#include <gtest/gtest.h>

#include <random>

#include "SrcEditMiscProcs.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

// Reference expansion: one column at a time.
std::string NaiveExpand(const std::string& line, int width) {
  std::string out;
  for (char c : line) {
    if (c != '\t') {
      out.push_back(c);
    } else if (width <= 1) {
      out.push_back(' ');
    } else {
      do out.push_back('\t');
      while (out.size() % static_cast<std::size_t>(width) != 0);
    }
  }
  return out;
}

TEST(SrcEditMiscProcs, Coordinates) {
  EXPECT_EQ(BufferCoord(3, 7).Char, 3);
  EXPECT_EQ(BufferCoord(3, 7).Line, 7);
  EXPECT_EQ(DisplayCoord(4, 9).Column, 4);
  EXPECT_EQ(DisplayCoord(4, 9).Row, 9);
  EXPECT_EQ(ClampInt(5, 10, 2), 10);
  EXPECT_EQ(ClampInt(5, 1, 3), 3);
  EXPECT_EQ(ClampInt(-5, 1, 3), 1);
  int a = 1, b = 2;
  SwapInts(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(EarlierPoint(BufferCoord(5, 2), BufferCoord(9, 1)), BufferCoord(9, 1));
  EXPECT_EQ(EarlierPoint(BufferCoord(5, 2), BufferCoord(4, 2)), BufferCoord(4, 2));
  EXPECT_EQ(EarlierPoint(BufferCoord(5, 2), BufferCoord(6, 2)), BufferCoord(5, 2));
  EXPECT_EQ(EarlierPoint(BufferCoord(5, 2), BufferCoord(5, 2)), BufferCoord(5, 2));
}

TEST(SrcEditMiscProcs, TabExpansionEdgeCases) {
  bool hasTabs = true;
  EXPECT_EQ(ExpandTabsMask("a\tb", 4, hasTabs), "a\t\t\tb");
  EXPECT_TRUE(hasTabs);
  EXPECT_EQ(ExpandTabsOneToOne("a\tb", 1, hasTabs), "a b");
  EXPECT_EQ(ExpandTabs("a\tb", 3, hasTabs), "a\t\tb");
  EXPECT_EQ(SelectTabExpander(3)("a\tb", 3, hasTabs), "a\t\tb");
  EXPECT_EQ(ExpandTabs("abc", 4, hasTabs), "abc");
  EXPECT_FALSE(hasTabs);
  EXPECT_EQ(ExpandTabs("", 4, hasTabs), "");
  EXPECT_FALSE(hasTabs);
  EXPECT_EQ(ExpandedLength("", 4), 0);
  EXPECT_EQ(ExpandedLength("a\tb", 4), 5);
  int count = -1;
  EXPECT_FALSE(FindFirstTab("", count));
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(FindFirstTab("abc", count));
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(FindFirstTab("ab\tc\t", count));
  EXPECT_EQ(count, 2);

  EXPECT_EQ(SelectTabExpander(0), &ExpandTabsOneToOne);
  EXPECT_EQ(SelectTabExpander(1), &ExpandTabsOneToOne);
  EXPECT_EQ(SelectTabExpander(8), &ExpandTabsMask);
  EXPECT_EQ(SelectTabExpander(6), &ExpandTabs);
  EXPECT_EQ(SelectTabExpander(131072), &ExpandTabs);
  struct {
    int width;
    bool power;
  } powers[] = {{1, false},    {2, true},      {3, false},      {4, true},  {6, false}, {256, true},
                {65536, true}, {65537, false}, {131072, false}, {0, false}, {-4, false}};
  for (const auto& p : powers) EXPECT_EQ(IsTabWidthPowerOfTwo(p.width), p.power) << p.width;
  EXPECT_EQ(ExpandTabs("\t", 131072, hasTabs).size(), 131072u);
}

TEST(SrcEditMiscProcs, AllExpandersAgreeWithTheReference) {
  std::mt19937 rng(7);
  const char alphabet[] = {'a', '\t', ' ', '\0', '\xE9'};
  for (int round = 0; round < 400; ++round) {
    std::string line;
    int len = static_cast<int>(rng() % 40);
    for (int i = 0; i < len; ++i) line.push_back(alphabet[rng() % 5]);
    for (int width : {1, 2, 3, 4, 5, 7, 8, 16, 33}) {
      bool hasTabs = false;
      std::string expected = NaiveExpand(line, width);
      std::string got = SelectTabExpander(width)(line, width, hasTabs);
      ASSERT_EQ(got, expected) << "width " << width;
      EXPECT_EQ(hasTabs, line.find('\t') != std::string::npos);
      EXPECT_EQ(ExpandTabs(line, width, hasTabs), expected);
      EXPECT_EQ(ExpandedLength(line, width), static_cast<int>(expected.size()));
    }
  }
}

TEST(SrcEditMiscProcs, HugeExpansionsDoNotWrap) {
  // 10 MB of tabs at width 256 is 2.56 G columns: beyond 32 bits.
  const std::string tabs(10 * 1024 * 1024, '\t');
  EXPECT_EQ(ExpandedLength64(tabs, 256), 10LL * 1024 * 1024 * 256);
  EXPECT_EQ(ExpandedLength(tabs, 256), 0x7FFFFFFF);
  bool hasTabs = false;
  EXPECT_THROW(ExpandTabsMask(tabs, 256, hasTabs), EOutOfMemory);
  EXPECT_THROW(ExpandTabs(tabs, 255, hasTabs), EOutOfMemory);
  EXPECT_EQ(CharIndexToColumn(static_cast<int>(tabs.size()), 256, tabs), 0x7FFFFFFF);
  // Still fine below the limit.
  EXPECT_EQ(ExpandTabsMask(std::string(1000, '\t'), 8, hasTabs).size(), 8000u);
}

TEST(SrcEditMiscProcs, CharIndexToColumn) {
  struct {
    int index, width;
    const char* line;
    int column;
  } cases[] = {
      {1, 8, "\tx", 1},   {0, 8, "\tx", 1},   {-3, 8, "abc", 1},    {2, 8, "\tx", 9},
      {3, 8, "\tx", 10},  {5, 8, "\tx", 12},  {3, 1, "\t\t", 3},    {4, 8, "abc", 4},
      {3, 4, "ab\tc", 3}, {4, 4, "ab\tc", 5}, {5, 4, "ab\t\tc", 9}, {6, 3, "a\tb\tc", 8},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CharIndexToColumn(c.index, c.width, c.line), c.column) << c.line << " " << c.index;
}

TEST(SrcEditMiscProcs, SingleByteScans) {
  const TSysCharSet delims(" .,");
  const std::string line = "ab cd.e";
  EXPECT_EQ(ScanForCharInSet(line, 1, delims), 3);
  EXPECT_EQ(ScanForCharInSet(line, 4, delims), 6);
  EXPECT_EQ(ScanForCharInSet(line, 7, delims), 0);
  EXPECT_EQ(ScanForCharInSet(line, 0, delims), 0);
  EXPECT_EQ(ScanForCharInSet(line, 8, delims), 0);
  EXPECT_EQ(ReverseScanForCharInSet(line, 7, delims), 6);
  EXPECT_EQ(ReverseScanForCharInSet(line, 5, delims), 3);
  EXPECT_EQ(ReverseScanForCharInSet(line, 2, delims), 0);
  EXPECT_EQ(ReverseScanForCharInSet(line, 8, delims), 0);
  EXPECT_EQ(ScanForCharInSet(std::string("a\0b", 3), 1, TSysCharSet(std::string("\0", 1))), 2);
  // Single-byte locale: no lead bytes anywhere.
  EXPECT_EQ(ScanForLeadByte(Ansi("яя"), 1), 0);
  EXPECT_EQ(ReverseScanForLeadByte(Ansi("яя"), 2), 0);
}

// The double-byte paths, with a locale that has lead bytes 0x81..0x9F.
class DoubleByteLocale : public ::testing::Test {
 protected:
  void SetUp() override { SetSysLocaleForTesting(true, TSysCharSet::Range(0x81, 0x9F)); }
  void TearDown() override { ResetSysLocale(); }
};

TEST_F(DoubleByteLocale, ScansStepOverPairs) {
  // positions: 1 'a', 2-3 pair whose trail is ' ', 4 ' ', 5-6 pair, 7 'b'
  const std::string line =
      "a\x81 \x20\x82x"
      "b";
  const TSysCharSet blank(" ");
  EXPECT_EQ(ScanForCharInSet(line, 1, blank), 4);  // the trail byte at 3 is not a blank
  EXPECT_EQ(ScanForCharInSet(line, 3, blank), 4);  // starting on a trail byte moves on
  EXPECT_EQ(ScanForCharInSet(line, 5, TSysCharSet("x")), 0);
  EXPECT_EQ(ReverseScanForCharInSet(line, 7, blank), 4);
  EXPECT_EQ(ReverseScanForCharInSet(line, 3, blank), 0);
  EXPECT_EQ(ScanForLeadByte(line, 1), 2);
  EXPECT_EQ(ScanForLeadByte(line, 3), 5);
  EXPECT_EQ(ScanForLeadByte(line, 6), 0);
  EXPECT_EQ(ReverseScanForLeadByte(line, 7), 5);
  EXPECT_EQ(ReverseScanForLeadByte(line, 4), 2);
  EXPECT_EQ(ReverseScanForLeadByte(line, 1), 0);
  EXPECT_EQ(ScanForCharInSet("a\x81", 1, TSysCharSet("z")), 0);  // a pair cut by the end
  EXPECT_EQ(ScanForCharInSet("a\x81", 3, blank), 0);
}

TEST(SrcEditMiscProcs, LineEnds) {
  const char text[] = "ab\0c\rd\ne";
  EXPECT_EQ(FindLineEnd(text), text + 2);                          // stops at NUL
  EXPECT_EQ(FindLineEnd(text, text + sizeof text - 1), text + 4);  // NUL is text here
  EXPECT_EQ(FindLineEnd(text + 5, text + sizeof text - 1), text + 6);
  EXPECT_EQ(FindLineEnd(text + 7, text + sizeof text - 1), text + 8);
  EXPECT_EQ(FindLineEnd(nullptr), nullptr);
}

TEST(SrcEditMiscProcs, WordCharClasses) {
  struct {
    std::uint16_t flags;
    int cls;
  } cases[] = {
      {C3_SYMBOL, 9},
      {C3_HALFWIDTH, 1},
      {C3_HALFWIDTH | C3_ALPHA, 1},
      {C3_HALFWIDTH | C3_SYMBOL, 2},
      {C3_HALFWIDTH | C3_LEXICAL | C3_ALPHA, 2},
      {C3_HALFWIDTH | C3_KATAKANA, 3},
      {C3_HALFWIDTH | C3_KATAKANA | C3_ALPHA, 3},
      {C3_HALFWIDTH | C3_HIRAGANA, 0},
      {C3_FULLWIDTH, 4},
      {C3_FULLWIDTH | C3_ALPHA, 4},
      {C3_FULLWIDTH | C3_SYMBOL, 5},
      {C3_LEXICAL, 5},
      {C3_FULLWIDTH | C3_KATAKANA, 6},
      {C3_HIRAGANA | C3_ALPHA, 7},
      {C3_IDEOGRAPH | C3_ALPHA, 8},
      {C3_ALPHA, 0},
      {0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(WordCharClass(c.flags), c.cls) << std::hex << c.flags;
  // The Windows-1251 table: letters of both alphabets share a class, apart from punctuation.
  EXPECT_EQ(WordCharClass(CharTypeCType3('a')), WordCharClass(CharTypeCType3(0xFF)));
  EXPECT_NE(WordCharClass(CharTypeCType3('a')), WordCharClass(CharTypeCType3('.')));
}

}  // namespace

namespace {

TEST(SrcEditMiscProcs, GradientBands) {
  // Steps are clamped to 2..256; the bands tile the rectangle.
  EXPECT_EQ(GradientBands(clBlack, clWhite, 1, Rect(0, 0, 10, 10), true).size(), 2u);
  EXPECT_EQ(GradientBands(clBlack, clWhite, 1000, Rect(0, 0, 10, 10), true).size(), 256u);
  auto bands = GradientBands(RGB(0, 100, 200), RGB(255, 0, 100), 4, Rect(10, 20, 20, 30), true);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].Rect, Rect(10, 20, 13, 30));  // MulDiv(1, 10, 4) = 3 (2.5 rounds up)
  EXPECT_EQ(bands[1].Rect, Rect(13, 20, 15, 30));
  EXPECT_EQ(bands[2].Rect, Rect(15, 20, 18, 30));
  EXPECT_EQ(bands[3].Rect, Rect(18, 20, 20, 30));
  EXPECT_EQ(bands[0].Color, RGB(0, 100, 200));
  EXPECT_EQ(bands[1].Color, RGB(85, 67, 167));  // MulDiv(1, -100, 3) = -33
  EXPECT_EQ(bands[3].Color, RGB(255, 0, 100));
  auto vertical = GradientBands(clBtnFace, clWindow, 2, Rect(0, 0, 5, 7), false);
  ASSERT_EQ(vertical.size(), 2u);
  EXPECT_EQ(vertical[0].Rect, Rect(0, 0, 5, 4));  // 3.5 rounds up
  EXPECT_EQ(vertical[1].Rect, Rect(0, 4, 5, 7));
  EXPECT_EQ(vertical[0].Color, ColorToRGB(clBtnFace));
  EXPECT_EQ(vertical[1].Color, clWhite);
}

}  // namespace
