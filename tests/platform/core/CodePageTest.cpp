#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace {

std::string AllBytes() {
  std::string s;
  for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
  return s;
}

TEST(CodePage, AnsiTurnsUtf8LiteralsIntoWindows1251) {
  EXPECT_EQ(Ansi("Привет, мир!"), "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!");
  EXPECT_EQ(Ansi("Ёё№€«»—"), "\xA8\xB8\xB9\x88\xAB\xBB\x97");
  EXPECT_EQ(Ansi(std::string("Безымянный")), "\xC1\xE5\xE7\xFB\xEC\xFF\xED\xED\xFB\xE9");
  EXPECT_EQ(Ansi(nullptr), "");
}

TEST(CodePage, UnmappedAndMalformedInputBecomesQuestionMark) {
  EXPECT_EQ(Ansi("aΩb"), "a?b");  // Greek capital omega
  EXPECT_EQ(Ansi("漢字"), "??");  // one "?" per character
  EXPECT_EQ(Ansi("😀x"), "?x");    // outside the BMP
  EXPECT_EQ(Utf8ToCp1251("a\xFF"
                         "b\xC3"),
            "a?b?");                          // stray and truncated bytes
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");  // overlong form is not "/"
  EXPECT_EQ(Utf8ToCp866("Ω"), "?");
  EXPECT_EQ(Utf16ToCp1251(u"a\xD800"
                          "b"),
            "a?b");  // lone surrogate
}

TEST(CodePage, EveryByteRoundTripsThroughUtf8AndUtf16) {
  const std::string all = AllBytes();
  for (int cp : {CP_WINDOWS1251, CP_OEM866}) {
    std::string utf8 = CodePageToUtf8(all, cp);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToCodePage(utf8, cp), all) << cp;
    std::u16string utf16 = CodePageToUtf16(all, cp);
    ASSERT_EQ(utf16.size(), 256u);
    EXPECT_EQ(Utf16ToCodePage(utf16, cp), all) << cp;
    EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  }
  // NUL is an ordinary character.
  EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage, KnownCodePoints) {
  struct {
    unsigned char byte;
    char32_t cp1251, cp866;
  } cases[] = {
      {0x41, U'A', U'A'},     {0x80, 0x0402, 0x0410}, {0x88, 0x20AC, 0x0418},
      {0xA8, 0x0401, 0x0438}, {0xB9, 0x2116, 0x2563}, {0xC0, 0x0410, 0x2514},
      {0xF0, 0x0440, 0x0401}, {0xFF, 0x044F, 0x00A0}, {0x98, 0x0098, 0x0428},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251ToUnicode(c.byte), c.cp1251) << int(c.byte);
    EXPECT_EQ(Cp866ToUnicode(c.byte), c.cp866) << int(c.byte);
    EXPECT_EQ(UnicodeToCp1251(c.cp1251), c.byte);
    EXPECT_EQ(UnicodeToCp866(c.cp866), c.byte);
  }
  EXPECT_EQ(UnicodeToCp1251(0x03A9), -1);
  EXPECT_EQ(Cp866ToUtf8("\x8F\xE0\xA8\xA2\xA5\xE2"), "Привет");
  EXPECT_EQ(CodePageOfCharset(255), CP_OEM866);
  EXPECT_EQ(CodePageOfCharset(204), CP_WINDOWS1251);
  EXPECT_EQ(CodePageOfCharset(1), CP_WINDOWS1251);
}

TEST(CodePage, Utf8Decoder) {
  std::string s = "A\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80";
  std::size_t pos = 0;
  EXPECT_EQ(Utf8Next(s, pos), U'A');
  EXPECT_EQ(Utf8Next(s, pos), char32_t(0x416));
  EXPECT_EQ(Utf8Next(s, pos), char32_t(0x20AC));
  EXPECT_EQ(Utf8Next(s, pos), char32_t(0x1F600));
  EXPECT_EQ(pos, s.size());
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));   // U+FFFD itself is valid
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("😀")), "😀");
}

TEST(CodePage, Windows1251CaseTables) {
  EXPECT_EQ(AnsiUpperCase(Ansi("ёжик abc ґїєіў ђѓљњќћџјѕ")), Ansi("ЁЖИК ABC ҐЇЄІЎ ЂЃЉЊЌЋЏЈЅ"));
  EXPECT_EQ(AnsiLowerCase(Ansi("ЁЖИК ABC ЯЮЭ")), Ansi("ёжик abc яюэ"));
  EXPECT_EQ(AnsiUpperCase(Ansi("µ№1")), Ansi("µ№1"));  // no upper-case forms
  EXPECT_TRUE(IsAnsiUpper(Ansi("Ё")[0]));
  EXPECT_TRUE(IsAnsiLower(Ansi("я")[0]));
  EXPECT_TRUE(IsAnsiAlpha(Ansi("ъ")[0]));
  EXPECT_FALSE(IsAnsiAlpha('1'));
  const std::string all = AllBytes();
  EXPECT_EQ(AnsiLowerCase(AnsiUpperCase(AnsiLowerCase(all))), AnsiLowerCase(all));
}

TEST(CodePage, RussianCollation) {
  // Alphabetical with Ё after Е, Latin before Cyrillic, digits before letters.
  const char* ordered[] = {"", "1", "9", "a", "Z", "а", "Б", "е", "ё", "Ж", "я"};
  for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
    EXPECT_LT(AnsiCompareText(Ansi(ordered[i]), Ansi(ordered[i + 1])), 0) << ordered[i] << " " << ordered[i + 1];
    EXPECT_GT(AnsiCompareText(Ansi(ordered[i + 1]), Ansi(ordered[i])), 0);
  }
  EXPECT_EQ(AnsiCompareText(Ansi("ЁЛКА"), Ansi("ёлка")), 0);
  EXPECT_TRUE(AnsiSameText(Ansi("Привет"), Ansi("пРИВЕТ")));
  EXPECT_FALSE(AnsiSameText(Ansi("Привет"), Ansi("Приве")));
  EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
  // Case-sensitive: the letters decide first, case only breaks a tie.
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);
  EXPECT_LT(AnsiCompareStr("A", "b"), 0);
  EXPECT_LT(AnsiCompareStr(Ansi("ёж"), Ansi("Ёж")), 0);
  EXPECT_EQ(AnsiCompareStr("Abc", "Abc"), 0);
  EXPECT_FALSE(AnsiSameStr("a", "A"));
  EXPECT_EQ(AnsiPos("lo", "hello"), 4);
  EXPECT_EQ(AnsiPos("x", "hello"), 0);
}

TEST(CodePage, CharacterTypesAndLocale) {
  std::vector<std::uint16_t> types;
  GetStringTypeCType3(Ansi("aЯ1.\x01 ё"), types);
  ASSERT_EQ(types.size(), 7u);
  EXPECT_EQ(types[0], C3_ALPHA | C3_HALFWIDTH);
  EXPECT_EQ(types[1], C3_ALPHA | C3_HALFWIDTH);
  EXPECT_EQ(types[2], C3_HALFWIDTH);
  EXPECT_EQ(types[3], C3_SYMBOL | C3_HALFWIDTH);
  EXPECT_EQ(types[4], 0);
  EXPECT_EQ(types[5], C3_SYMBOL | C3_HALFWIDTH);
  EXPECT_EQ(types[6], C3_ALPHA | C3_HALFWIDTH);

  EXPECT_FALSE(SysLocaleFarEast());
  EXPECT_TRUE(AnsiLeadBytes().Empty());
  SetSysLocaleForTesting(true, TSysCharSet::Range(0x81, 0x9F));
  EXPECT_TRUE(SysLocaleFarEast());
  EXPECT_TRUE(IsAnsiLeadByte(0x81));
  EXPECT_FALSE(IsAnsiLeadByte(0x41));
  ResetSysLocale();
  EXPECT_FALSE(IsAnsiLeadByte(0x81));
}

}  // namespace
