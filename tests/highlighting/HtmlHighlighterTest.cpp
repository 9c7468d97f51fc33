// The HTML highlighter's attributes, character sets, texts and class entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestSupport.h"

namespace {

TEST(HtmlHighlighter, AttributeDefaults) {
  struct TExpect {
    TSrcHighlighterAttributes* (TSrcHTMLHighlighter::*Get)() const;
    const char* Name;
    bool Bold;
    TColor Foreground;
  };
  const TExpect expected[] = {
      {&TSrcHTMLHighlighter::CommentAttri, "Comment", false, clNone},
      {&TSrcHTMLHighlighter::IdentifierAttri, "Identifier", true, clNone},
      {&TSrcHTMLHighlighter::KeyAttri, "Reserved Word", true, 16711808},
      {&TSrcHTMLHighlighter::SpaceAttri, "Space", false, clNone},
      {&TSrcHTMLHighlighter::SymbolAttri, "Symbol", true, clNone},
      {&TSrcHTMLHighlighter::TextAttri, "Text", false, clNone},
      {&TSrcHTMLHighlighter::UndefKeyAttri, "Unknown Word", true, clRed},
      {&TSrcHTMLHighlighter::ValueAttri, "Value", false, 16744448},
      {&TSrcHTMLHighlighter::AndAttri, "Escape Ampersand", true, clLime},
  };
  TSrcHTMLHighlighter h(nullptr);
  EXPECT_EQ(h.AttributeCount(), 9);
  for (const TExpect& e : expected) {
    TSrcHighlighterAttributes* a = (h.*e.Get)();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Name(), e.Name);
    EXPECT_EQ(a->Style(), e.Bold ? TFontStyles{fsBold} : TFontStyles()) << e.Name;
    EXPECT_EQ(a->Foreground(), e.Foreground) << e.Name;
    EXPECT_EQ(a->Background(), clNone) << e.Name;
    // The constructor's values are the defaults: nothing would be streamed.
    EXPECT_FALSE(a->IsForegroundStored()) << e.Name;
    EXPECT_FALSE(a->IsBackgroundStored()) << e.Name;
    EXPECT_FALSE(a->IsStyleStored()) << e.Name;
  }
  EXPECT_EQ(RGB(128, 0, 255), 16711808u);
  EXPECT_EQ(RGB(0, 128, 255), 16744448u);
}

TEST(HtmlHighlighter, AttributesEnumerateSorted) {
  TSrcHTMLHighlighter h(nullptr);
  std::vector<std::string> names;
  for (int i = 0; i < h.AttributeCount(); ++i) names.push_back(h.AttributeAt(i)->Name());
  const std::vector<std::string> expected = {
      "Comment", "Escape Ampersand", "Identifier", "Reserved Word", "Space", "Symbol", "Text", "Unknown Word", "Value"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(h.AttributeAt(-1), nullptr);
  EXPECT_EQ(h.AttributeAt(h.AttributeCount()), nullptr);
}

TEST(HtmlHighlighter, DefaultAttributeRoles) {
  TSrcHTMLHighlighter h(nullptr);
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_COMMENT), h.CommentAttri());
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_IDENTIFIER), h.IdentifierAttri());
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_KEYWORD), h.KeyAttri());
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_STRING), nullptr);
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_WHITESPACE), h.SpaceAttri());
  EXPECT_EQ(h.DefaultAttribute(SRC_ATTR_SYMBOL), h.SymbolAttri());
  EXPECT_EQ(h.DefaultAttribute(6), nullptr);
  EXPECT_EQ(h.DefaultAttribute(-1), nullptr);
}

TEST(HtmlHighlighter, IdentifierCharSetHoldsEveryCyrillicLetter) {
  TSrcHTMLHighlighter h(nullptr);
  const TSysCharSet set = h.IdentifierCharSet();
  std::string members;
  for (int c = 0; c < 256; ++c)
    if (set.Contains(c)) members += static_cast<char>(c);
  std::string expected = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz\xA8\xB8";
  for (int c = 192; c < 256; ++c) expected += static_cast<char>(c);
  EXPECT_EQ(members, expected);
  // Ч, ч, Ё and ё are letters: words do not split there.
  for (int c : {215, 247, 168, 184}) EXPECT_TRUE(set.Contains(c)) << c;
  // The word characters the editor derives stay letters too.
  const TSysCharSet word = set - h.WordBreakChars();
  EXPECT_TRUE(word.Contains(215));
  EXPECT_FALSE(word.Contains('-'));
}

TEST(HtmlHighlighter, TextsAndFilter) {
  TSrcHTMLHighlighter h(nullptr);
  EXPECT_EQ(h.LanguageName(), "HTML");
  const std::string sample = h.SampleText();
  EXPECT_EQ(sample.substr(0, 30), "<!-- Syntax highlighting -->\r\n");
  EXPECT_NE(sample.find("\r\n    <input name=\"user\" value='any\r\n      value'>\r\n"), std::string::npos);
  EXPECT_EQ(sample.substr(sample.size() - 9), "\r\n</html>");
  EXPECT_EQ(h.DefaultFilter(), "HTML Documents (*.htm;*.html)|*.htm;*.html");
  EXPECT_FALSE(h.IsDefaultFilterStored());
  h.SetDefaultFilter("Pages|*.htm");
  EXPECT_TRUE(h.IsDefaultFilterStored());
  h.SetSampleText("ignored");
  EXPECT_EQ(h.SampleText(), sample);
}

TEST(HtmlHighlighter, RegisteredInTheListOfHighlighters) {
  TSrcHighlighterList& list = GetPlaceableHighlighters();
  const int at = list.FindByName("TSrcHTMLHighlighter");
  ASSERT_GE(at, 0);
  EXPECT_EQ(list.Items(at), TSrcHTMLHighlighter::ClassInfo());
  TSrcCustomHighlighter* made = list.Items(at)->Create(nullptr);
  EXPECT_STREQ(made->ClassName(), "TSrcHTMLHighlighter");
  delete made;
}

TEST(HtmlHighlighter, OwnedByItsComponentOwner) {
  auto* owner = new TComponent(nullptr);
  auto* h = new TSrcHTMLHighlighter(owner);
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(h->Owner(), owner);
  delete owner;  // frees the highlighter and its attributes
}

TEST(HtmlHighlighter, AssignCopiesAttributesAndSettings) {
  TSrcHTMLHighlighter a(nullptr);
  TSrcHTMLHighlighter b(nullptr);
  b.KeyAttri()->SetForeground(clBlue);
  b.TextAttri()->SetStyle(TFontStyles{fsItalic});
  b.SetDefaultFilter("x|*.x");
  b.SetEnabled(false);
  TSysCharSet breaks;
  breaks.Include('#');
  b.SetWordBreakCharSet(breaks);
  a.Assign(&b);
  EXPECT_EQ(a.KeyAttri()->Foreground(), clBlue);
  EXPECT_EQ(a.TextAttri()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(a.DefaultFilter(), "x|*.x");
  EXPECT_FALSE(a.Enabled());
  EXPECT_EQ(a.WordBreakChars(), breaks);
  // Attributes stay the highlighter's own objects.
  EXPECT_NE(a.KeyAttri(), b.KeyAttri());
}

}  // namespace
