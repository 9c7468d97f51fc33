// Colours as HTML codes and back, including the codes the conversion reads
// shifted or refuses.
#include <gtest/gtest.h>

#include "HtmlColors.h"
#include "platform/SysUtils.h"

namespace {

TEST(HtmlColorsTest, ColorToHtmlPutsRedFirst) {
  const std::pair<TColor, const char*> cases[] = {
      {0x000000, "#000000"},
      {0x0080FF, "#FF8000"},
      {0xFF0000, "#0000FF"},
      {0x00FFFF, "#FFFF00"},
      {0x123456, "#563412"},
      // A system colour has eight digits: the same positions, no meaning.
      {0xFF000005, "#0000FF"},
  };
  for (const auto& [color, code] : cases) EXPECT_EQ(ColorToHtml(color), code) << color;
}

TEST(HtmlColorsTest, HexToColorReadsCharactersSixToTwo) {
  const std::pair<const char*, TColor> cases[] = {
      {"#FFFF00", 65535},  {"#0000FF", 16711680}, {"#FF8000", 0x0080FF}, {"#ff8000", 0x0080FF},
      {"FFFF00", 0x0F0FF}, {"#FF", 0xFF},         {"#12345", 0x53412},
  };
  for (const auto& [code, color] : cases) EXPECT_EQ(HexToColor(code), color) << code;
  for (TColor c : {TColor(0), TColor(0xABCDEF), TColor(0x010203)}) EXPECT_EQ(HexToColor(ColorToHtml(c)), c);
}

TEST(HtmlColorsTest, CodesThatAreNotHexRaiseTheConversionError) {
  for (const char* code :
       {"", "#", "#GG0000", "#12 456", "#FF00  ", "#  FF00", "#-10000", "#+10000", "0x12345", "#FF-0"})
    EXPECT_THROW(HexToColor(code), EConvertError) << code;
}

}  // namespace
