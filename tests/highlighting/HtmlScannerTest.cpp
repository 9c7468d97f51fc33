// Token sequences and end states of the HTML scanner, one line at a time and
// across line ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestSupport.h"
#include "SrcHtmlEntities.h"

namespace {

const std::string C = "Comment";
const std::string I = "Identifier";
const std::string K = "Reserved Word";
const std::string S = "Space";
const std::string Y = "Symbol";
const std::string T = "Text";
const std::string U = "Unknown Word";
const std::string V = "Value";
const std::string E = "Escape Ampersand";

struct TLineCase {
  const char* Name;
  int StartState;  // -1: ResetScanState
  std::string Line;
  std::vector<TTok> Tokens;
  int EndState;
};

std::ostream& operator<<(std::ostream& os, const TLineCase& c) { return os << c.Name; }

class HtmlLineTest : public ::testing::TestWithParam<TLineCase> {};

TEST_P(HtmlLineTest, TokensAndEndState) {
  const TLineCase& c = GetParam();
  TSrcHTMLHighlighter h(nullptr);
  int end = -1;
  EXPECT_EQ(ScanLine(h, c.Line, c.StartState, &end), c.Tokens);
  EXPECT_EQ(end, c.EndState);
  // A second scan of the same line from the same state gives the same.
  EXPECT_EQ(ScanLine(h, c.Line, c.StartState), c.Tokens);
}

using namespace std::string_literals;

const TLineCase kLineCases[] = {
    // Tags, names and values.
    {"BodyWithQuotedValue",
     -1,
     "<body bgcolor=\"red\">",
     {{0, "<", Y}, {1, "body", K}, {5, " ", S}, {6, "bgcolor", I}, {13, "=", Y}, {14, "\"red\"", V}, {19, ">", Y}},
     4},
    {"LeadingBlanksInTextAreText", 4, "  <b>", {{0, "  ", T}, {2, "<", Y}, {3, "b", K}, {4, ">", Y}}, 4},
    {"NewTagInsideTag", 4, "<a <b>", {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "<", Y}, {4, "b", K}, {5, ">", Y}}, 4},
    {"CloseInTextIsText", 4, "a > b", {{0, "a > b", T}}, 4},
    {"OpenThenAmpersand", 4, "<&", {{0, "<", Y}, {1, "&", T}}, 4},
    {"NameStopsAtDigitsEnd", 4, "<h1x>", {{0, "<", Y}, {1, "h1", K}, {3, "x", I}, {4, ">", Y}}, 4},
    {"ProcessingInstruction",
     4,
     "<?php echo",
     {{0, "<", Y}, {1, "", U}, {1, "?php", I}, {5, " ", S}, {6, "echo", I}},
     3},
    {"ServerScript", 4, "<% x", {{0, "<", Y}, {1, "", U}, {1, "%", I}, {2, " ", S}, {3, "x", I}}, 3},
    {"LoneSlashIsUnknown", 4, "</ a>", {{0, "<", Y}, {1, "/", U}, {2, " ", S}, {3, "a", I}, {4, ">", Y}}, 4},
    {"UnknownTagAndClosingForm",
     4,
     "<invalid></invalid>",
     {{0, "<", Y}, {1, "invalid", U}, {8, ">", Y}, {9, "<", Y}, {10, "/invalid", U}, {18, ">", Y}},
     4},
    {"LongNameIsIdentifier", 4, "<xxxxxxxxxxx>", {{0, "<", Y}, {1, "xxxxxxxxxxx", I}, {12, ">", Y}}, 4},
    {"BlanksBeforeTagName", 4, "< p>", {{0, "<", Y}, {1, " ", S}, {2, "p", K}, {3, ">", Y}}, 4},
    {"UnquotedValueEndsAtBlankOrClose",
     4,
     "<a href=x/y>",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "href", I}, {7, "=", Y}, {8, "x/y", V}, {11, ">", Y}},
     4},
    {"BlankAfterEqualsKeepsValueRange",
     4,
     "<a href= \"x\">",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "href", I}, {7, "=", Y}, {8, " ", S}, {9, "\"x\"", V}, {12, ">", Y}},
     4},
    {"SingleQuotedValue",
     4,
     "<a b='x\"y'>",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "b", I}, {4, "=", Y}, {5, "'x\"y'", V}, {10, ">", Y}},
     4},
    {"QuoteInsideNameStartsIdentifier",
     4,
     "<a b\"c>",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "b", I}, {4, "\"c", I}, {6, ">", Y}},
     4},
    {"AmpersandInUnquotedValue",
     4,
     "<a b=&x>",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "b", I}, {4, "=", Y}, {5, "&x", V}, {7, ">", Y}},
     4},
    {"AmpersandInParamIsIdentifier",
     4,
     "<a &copy;>",
     {{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "&copy;", I}, {9, ">", Y}},
     4},
    {"EqualsRightAfterName", 4, "<a=1>", {{0, "<", Y}, {1, "a", K}, {2, "=", Y}, {3, "1", V}, {4, ">", Y}}, 4},
    // White space.
    {"EveryTabIsOwnToken", 4, "\t\tx", {{0, "\t", S}, {1, "\t", S}, {2, "x", T}}, 4},
    {"BlankRunInTag", 4, "<a  \x01 b>", {{0, "<", Y}, {1, "a", K}, {2, "  \x01 ", S}, {6, "b", I}, {7, ">", Y}}, 4},
    {"LineBreaksInsideLine",
     4,
     "a\r\nb\rc\nd",
     {{0, "a", T}, {1, "\r\n", S}, {3, "b", T}, {4, "\r", S}, {5, "c", T}, {6, "\n", S}, {7, "d", T}},
     4},
    {"NulInsideLineIsBlank",
     4,
     "a\0b<i\0>"s,
     {{0, "a", T}, {1, "\0"s, S}, {2, "b", T}, {3, "<", Y}, {4, "i", K}, {5, "\0"s, S}, {6, ">", Y}},
     4},
    {"EmptyLineKeepsRange", 8, "", {}, 8},
    // Comments.
    {"ShortestComment", 4, "<!-->", {{0, "<!--", C}, {4, ">", C}}, 4},
    {"EmptyComment", 4, "<!---->", {{0, "<!--", C}, {4, "-->", C}}, 4},
    {"CommentThenText", 4, "<!-- a -- b -->c", {{0, "<!--", C}, {4, " a -- b -->", C}, {15, "c", T}}, 4},
    {"BangWithoutDashesIsTag",
     4,
     "<!DOCTYPE html>",
     {{0, "<", Y}, {1, "!DOCTYPE", K}, {9, " ", S}, {10, "html", I}, {14, ">", Y}},
     4},
    {"TabInsideComment", 1, "a\tb", {{0, "a\tb", C}}, 1},
    {"LineFeedInsideComment", 1, "a\nb", {{0, "a", C}, {1, "\n", S}, {2, "b", C}}, 1},
    // Entities and numeric references in text.
    {"NamedEntity", 4, "a &copy; b", {{0, "a ", T}, {2, "&copy;", E}, {8, " b", T}}, 4},
    {"EntityAtRunStartGivesEmptyText", 4, "&amp;x", {{0, "", T}, {0, "&amp;", E}, {5, "x", T}}, 4},
    {"EntityCaseMatters", 4, "&Copy;", {{0, "&Copy;", T}}, 4},
    {"EntityNeedsSemicolon", 4, "&copy x", {{0, "&copy x", T}}, 4},
    {"EntityAtLineEnd", 4, "x &amp;", {{0, "x ", T}, {2, "&amp;", E}}, 4},
    {"UnfinishedEntityAtLineEnd", 4, "x &thetasym", {{0, "x &thetasym", T}}, 4},
    {"OverlongName", 4, "&thetasymx;", {{0, "&thetasymx;", T}}, 4},
    {"DecimalReference", 4, "&#169;", {{0, "", T}, {0, "&#169;", E}}, 4},
    {"HexReference", 4, "a&#xA9;b", {{0, "a", T}, {1, "&#xA9;", E}, {7, "b", T}}, 4},
    {"UpperHexReference", 4, "&#XfF;", {{0, "", T}, {0, "&#XfF;", E}}, 4},
    {"ReferenceWithoutDigits", 4, "&#;&#x;", {{0, "", T}, {0, "&#;", E}, {3, "", T}, {3, "&#x;", E}}, 4},
    {"ReferenceWithoutSemicolon", 4, "&#12a", {{0, "&#12", T}, {4, "a", T}}, 4},
    {"ReferenceCutByLineEnd", 4, "x&#", {{0, "x&#", T}}, 4},
    {"LoneAmpersandAtLineEnd", 4, "x&", {{0, "x&", T}}, 4},
    {"EscapeThenTag", 4, "&lt;<b>", {{0, "", T}, {0, "&lt;", E}, {4, "<", Y}, {5, "b", K}, {6, ">", Y}}, 4},
    // Lines that start in a state other than text.
    {"StartInComment", 1, "b -->c", {{0, "b -->", C}, {5, "c", T}}, 4},
    {"CommentCloseNeedsDashesOnSameLine", 1, ">", {{0, ">", C}}, 1},
    {"CommentCloseOneDashAtStart", 1, "->x", {{0, "->x", C}}, 1},
    {"CommentCloseAtPositionTwo", 1, "-->", {{0, "-->", C}}, 4},
    {"StartInKey", 2, "b>", {{0, "b", K}, {1, ">", Y}}, 4},
    {"StartInParam", 3, "href=x>", {{0, "href", I}, {4, "=", Y}, {5, "x", V}, {6, ">", Y}}, 4},
    {"StartInValue", 6, "\"x\">", {{0, "\"x\"", V}, {3, ">", Y}}, 4},
    {"StartInDoubleQuoted", 8, "two\">", {{0, "two\"", V}, {4, ">", Y}}, 4},
    {"StartInSingleQuoted", 7, "      value'>", {{0, "      value'", V}, {12, ">", Y}}, 4},
    {"QuotedValueGoesOn", 8, "a'b", {{0, "a'b", V}}, 8},
    {"TabInQuotedValue", 8, "a\tb\"", {{0, "a\tb\"", V}}, 3},
    {"CrInQuotedValue", 7, "a\rb'", {{0, "a", V}, {1, "\r", S}, {2, "b'", V}}, 3},
    {"StartInAmpersandWithEntity", 0, "&amp;x", {{0, "", T}, {0, "&amp;", E}, {5, "x", T}}, 4},
    {"StartInAmpersandOnEmptyLine", 0, "", {}, 4},
    {"StartInAmpersandOnLoneAmpersand", 0, "&", {{0, "&", T}}, 4},
    {"StartInAmpersandOnHash", 0, "&#", {{0, "&#", T}}, 4},
    {"StartInUnusedRange", 5, "a=b", {{0, "a", I}, {1, "=", Y}, {2, "b", V}}, 3},
    {"StartInRangeAboveEight", 200, "<a>", {{0, "<", Y}, {1, "a", K}, {2, ">", Y}}, 4},
};

INSTANTIATE_TEST_SUITE_P(Lines, HtmlLineTest, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<TLineCase>& info) { return std::string(info.param.Name); });

// --- documents: each line starts in the state the line above ended in --------------
struct TDocCase {
  const char* Name;
  std::vector<std::string> Lines;
  std::vector<std::vector<TTok>> Tokens;
  std::vector<int> EndStates;
};

std::ostream& operator<<(std::ostream& os, const TDocCase& c) { return os << c.Name; }

class HtmlDocumentTest : public ::testing::TestWithParam<TDocCase> {};

TEST_P(HtmlDocumentTest, TokensAndEndStatesPerLine) {
  const TDocCase& c = GetParam();
  ASSERT_EQ(c.Lines.size(), c.Tokens.size());
  ASSERT_EQ(c.Lines.size(), c.EndStates.size());
  TSrcHTMLHighlighter h(nullptr);
  int state = -1;
  for (std::size_t i = 0; i < c.Lines.size(); ++i) {
    int end = -1;
    EXPECT_EQ(ScanLine(h, c.Lines[i], state, &end), c.Tokens[i]) << "line " << i;
    EXPECT_EQ(end, c.EndStates[i]) << "line " << i;
    state = end;
  }
}

const TDocCase kDocCases[] = {
    {"CommentAcrossLines",
     {"x <!-- a", "", "b --", "> c -->d"},
     {{{0, "x ", T}, {2, "<!--", C}, {6, " a", C}}, {}, {{0, "b --", C}}, {{0, "> c -->", C}, {7, "d", T}}},
     {1, 1, 1, 4}},
    {"OpenTagAcrossLines",
     {"text <", "a", "  href", "=", "x>y"},
     {{{0, "text ", T}, {5, "<", Y}},
      {{0, "a", K}},
      {{0, "  ", S}, {2, "href", I}},
      {{0, "=", Y}},
      {{0, "x", V}, {1, ">", Y}, {2, "y", T}}},
     {2, 3, 3, 6, 4}},
    {"QuotedValuesAcrossLines",
     {"<a title=\"one", "two", "three\" alt='x", "y'>"},
     {{{0, "<", Y}, {1, "a", K}, {2, " ", S}, {3, "title", I}, {8, "=", Y}, {9, "\"one", V}},
      {{0, "two", V}},
      {{0, "three\"", V}, {6, " ", S}, {7, "alt", I}, {10, "=", Y}, {11, "'x", V}},
      {{0, "y'", V}, {2, ">", Y}}},
     {8, 8, 7, 4}},
    {"EntitiesNeverCarryOver",
     {"a &copy;", "&amp;", "&#1"},
     {{{0, "a ", T}, {2, "&copy;", E}}, {{0, "", T}, {0, "&amp;", E}}, {{0, "&#1", T}}},
     {4, 4, 4}},
};

INSTANTIATE_TEST_SUITE_P(Documents, HtmlDocumentTest, ::testing::ValuesIn(kDocCases),
                         [](const ::testing::TestParamInfo<TDocCase>& info) { return std::string(info.param.Name); });

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t p = text.find("\r\n", start);
    lines.push_back(text.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) return lines;
    start = p + 2;
  }
}

TEST(HtmlSampleText, TokensAndEndStates) {
  TSrcHTMLHighlighter h(nullptr);
  const std::vector<std::string> lines = SplitCrLf(h.SampleText());
  ASSERT_EQ(lines.size(), 11u);
  const std::vector<std::vector<TTok>> expected = {
      {{0, "<!--", C}, {4, " Syntax highlighting -->", C}},
      {},
      {{0, "<", Y}, {1, "html", K}, {5, ">", Y}},
      {{0, "<", Y}, {1, "body", K}, {5, " ", S}, {6, "bgcolor", I}, {13, "=", Y}, {14, "\"red\"", V}, {19, ">", Y}},
      {{0, "  ", T},
       {2, "<", Y},
       {3, "form", K},
       {7, " ", S},
       {8, "name", I},
       {12, "=", Y},
       {13, "\"frmLogin\"", V},
       {23, " ", S},
       {24, "action", I},
       {30, "=", Y},
       {31, "\"doSomething.asp\"", V},
       {48, ">", Y}},
      {{0, "    ", T},
       {4, "<", Y},
       {5, "input", K},
       {10, " ", S},
       {11, "name", I},
       {15, "=", Y},
       {16, "\"user\"", V},
       {22, " ", S},
       {23, "value", I},
       {28, "=", Y},
       {29, "'any", V}},
      {{0, "      value'", V}, {12, ">", Y}},
      {{0, "  ", T}, {2, "<", Y}, {3, "/form", K}, {8, ">", Y}},
      {{0, "  ", T},
       {2, "<", Y},
       {3, "invalid", U},
       {10, ">", Y},
       {11, "Sample HTML code ", T},
       {28, "&copy;", E},
       {34, " 2001", T},
       {39, "<", Y},
       {40, "/invalid", U},
       {48, ">", Y}},
      {{0, "<", Y}, {1, "/body", K}, {6, ">", Y}},
      {{0, "<", Y}, {1, "/html", K}, {6, ">", Y}},
  };
  const std::vector<int> endStates = {4, 4, 4, 4, 4, 7, 4, 4, 4, 4, 4};
  int state = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int end = -1;
    EXPECT_EQ(ScanLine(h, lines[i], state, &end), expected[i]) << "line " << i;
    EXPECT_EQ(end, endStates[i]) << "line " << i;
    state = end;
  }
}

TEST(HtmlScanner, KindsMatchAttributes) {
  TSrcHTMLHighlighter h(nullptr);
  std::vector<int> kinds;
  const std::string line = "<!--x--><a b=\"c\" ?>t&amp;<zz>";  // alive while the scanner points into it
  const auto tokens = ScanLine(h, line, -1, nullptr, &kinds);
  const std::vector<int> expected = {htkComment,         htkComment,    htkSymbol,      htkReservedWord,
                                     htkSpace,           htkIdentifier, htkSymbol,      htkValue,
                                     htkSpace,           htkIdentifier, htkSymbol,      htkText,
                                     htkEscapeAmpersand, htkSymbol,     htkUnknownWord, htkSymbol};
  EXPECT_EQ(kinds, expected);
  ASSERT_EQ(tokens.size(), expected.size());
  EXPECT_EQ(h.TokenKind(), htkEndOfLine);
  EXPECT_EQ(h.TokenAttribute(), nullptr);
  // At the line end the position stays put.
  const int at = h.TokenStart();
  h.NextToken();
  EXPECT_TRUE(h.AtLineEnd());
  EXPECT_EQ(h.TokenStart(), at);
  EXPECT_EQ(h.TokenLength(), 0);
}

TEST(HtmlScanner, EntityIndexFoundAhead) {
  TSrcHTMLHighlighter h(nullptr);
  const std::string line = "ab&euro;";
  h.ResetScanState();
  h.StartLine(line, 7);
  EXPECT_EQ(h.LineIndex(), 7);
  EXPECT_EQ(h.TokenText(), "ab");
  EXPECT_EQ(h.GetScanState(), hrAmpersand);
  EXPECT_EQ(HtmlEntities[static_cast<std::size_t>(h.EntityIndex())], "&euro;");
  h.NextToken();
  EXPECT_EQ(h.TokenText(), "&euro;");
  EXPECT_EQ(h.EntityIndex(), -1);
  EXPECT_EQ(h.GetScanState(), hrText);
}

TEST(HtmlScanner, SetScanStateKeepsLowByte) {
  TSrcHTMLHighlighter h(nullptr);
  h.SetScanState(0x107);
  EXPECT_EQ(h.GetScanState(), 7);
  h.ResetScanState();
  EXPECT_EQ(h.GetScanState(), hrText);
}

// Every start state on lines cut at every length: the scanner stays inside
// the line (the sanitizer build checks the reads) and always reaches the end.
TEST(HtmlScanner, EveryPrefixFromEveryState) {
  const std::string text = "<!-- -- --> <a b=\"c' d='e\" f=g&amp; h>&#x1f;&#12&copy;&cop &# & <!- -> <?x> \t\r\n";
  TSrcHTMLHighlighter h(nullptr);
  for (int state = 0; state <= 9; ++state) {
    for (std::size_t len = 0; len <= text.size(); ++len) {
      // A heap copy of exactly `len` bytes, so that a read past its end is caught.
      const std::string line = text.substr(0, len);
      h.SetScanState(state);
      h.StartLine(line, 0);
      int last = 0;
      int guard = 0;
      while (!h.AtLineEnd()) {
        ASSERT_EQ(h.TokenStart(), last);
        ASSERT_LE(h.TokenStart() + h.TokenLength(), static_cast<int>(len));
        last = h.TokenStart() + h.TokenLength();
        h.NextToken();
        ASSERT_LT(++guard, 1000);
      }
      EXPECT_EQ(last, static_cast<int>(len)) << "state " << state << " length " << len;
      EXPECT_NE(h.GetScanState(), hrAmpersand);
    }
  }
}

}  // namespace
