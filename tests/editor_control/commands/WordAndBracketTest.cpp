// Word positions (Russian text included), the word character sets, and
// bracket matching with and without a highlighter.
#include <string>
#include <vector>

#include "CommandFixture.h"
#include "SrcEditHighlighter.h"
#include "SrcHighlighterHtml.h"

namespace {

// "/* ... */" comments (carried across line ends) and "..." strings; every
// other character is a token of its own. Counts the lines it is given.
class TQuoteHighlighter : public TSrcCustomHighlighter {
 public:
  enum { kComment, kString, kOther, kEol };
  explicit TQuoteHighlighter(TComponent* owner) : TSrcCustomHighlighter(owner) {
    Comment = new TSrcHighlighterAttributes("Comment");
    String = new TSrcHighlighterAttributes("String");
    Other = new TSrcHighlighterAttributes("Other");
    AddAttribute(Comment);
    AddAttribute(String);
    AddAttribute(Other);
  }
  const char* ClassName() const override { return "TQuoteHighlighter"; }
  TSrcHighlighterAttributes* DefaultAttribute(int index) const override {
    switch (index) {
      case SRC_ATTR_COMMENT: return Comment;
      case SRC_ATTR_STRING: return String;
      default: return nullptr;
    }
  }
  bool AtLineEnd() const override { return FKind == kEol; }
  TSrcScanState GetScanState() const override { return FState; }
  void SetScanState(TSrcScanState value) override { FState = static_cast<int>(value); }
  void ResetScanState() override { FState = 0; }
  std::string TokenText() const override { return FLine->substr(FPos, FRun - FPos); }
  int TokenLength() const override { return static_cast<int>(FRun - FPos); }
  int TokenStart() const override { return static_cast<int>(FPos); }
  int TokenKind() const override { return FKind; }
  TSrcHighlighterAttributes* TokenAttribute() const override {
    return FKind == kComment ? Comment : FKind == kString ? String : FKind == kOther ? Other : nullptr;
  }
  void StartLine(const std::string& lineText, int) override {
    ++StartLines;
    FLine = &lineText;
    FRun = 0;
    NextToken();
  }
  void NextToken() override {
    const std::string& s = *FLine;
    FPos = FRun;
    if (FRun >= s.size()) {
      FKind = kEol;
      return;
    }
    if (FState == 1 || s.compare(FRun, 2, "/*") == 0) {
      std::size_t e = s.find("*/", FState == 1 ? FRun : FRun + 2);
      FState = e == std::string::npos ? 1 : 0;
      FRun = e == std::string::npos ? s.size() : e + 2;
      FKind = kComment;
      return;
    }
    if (s[FRun] == '"') {
      std::size_t e = s.find('"', FRun + 1);
      FRun = e == std::string::npos ? s.size() : e + 1;
      FKind = kString;
      return;
    }
    ++FRun;
    FKind = kOther;
  }

  TSrcHighlighterAttributes* Comment;
  TSrcHighlighterAttributes* String;
  TSrcHighlighterAttributes* Other;
  long StartLines = 0;

 private:
  const std::string* FLine = nullptr;
  std::size_t FPos = 0, FRun = 0;
  int FKind = kEol;
  int FState = 0;
};

using WordTest = CommandTest;

TEST_F(WordTest, DefaultWordCharactersIncludeEveryCyrillicLetter) {
  for (int c : {215, 247, 168, 184, 192, 255, int('a'), int('Z'), int('5'), int('_')}) {
    EXPECT_TRUE(Edit->IsIdentChar(static_cast<char>(c))) << int(c);
    EXPECT_FALSE(Edit->IsWordBreakChar(static_cast<char>(c))) << int(c);
  }
  for (char c : {' ', '!', '(', '.', '\t', '<'}) {
    EXPECT_FALSE(Edit->IsIdentChar(c)) << int(c);
    EXPECT_TRUE(Edit->IsWordBreakChar(c)) << int(c);
  }
  EXPECT_FALSE(Edit->IsWordBreakChar('\0'));  // neither
  EXPECT_FALSE(Edit->IsIdentChar('\0'));

  TSrcHTMLHighlighter html(nullptr);
  Edit->SetHighlighter(&html);
  EXPECT_TRUE(Edit->IsIdentChar(static_cast<char>(215)));
  EXPECT_TRUE(Edit->IsIdentChar(static_cast<char>(184)));
  EXPECT_FALSE(Edit->IsIdentChar('-'));  // a word-break character of the highlighter
  Edit->SetHighlighter(nullptr);
}

TEST_F(WordTest, WordMovesOverRussianText) {
  const std::string line1 = Ansi("Чёрный чай, ёжик");
  const std::string line2 = Ansi("  Щука съела ЧЕРВЯ");
  SetText(line1 + "|" + line2);
  Edit->MoveCaretTo(BC(1, 1));
  std::vector<TBufferCoord> right;
  for (int i = 0; i < 7; ++i) {
    Run(ecWordRight);
    right.push_back(Edit->Caret());
  }
  const int chai = static_cast<int>(line1.find(Ansi("чай"))) + 1;
  const int yozhik = static_cast<int>(line1.find(Ansi("ёжик"))) + 1;
  const int syela = static_cast<int>(line2.find(Ansi("съела"))) + 1;
  const int chervya = static_cast<int>(line2.find(Ansi("ЧЕРВЯ"))) + 1;
  std::vector<TBufferCoord> expected = {
      BC(chai, 1),  BC(yozhik, 1),  BC(static_cast<int>(line1.size()) + 1, 1), BC(3, 2),
      BC(syela, 2), BC(chervya, 2), BC(static_cast<int>(line2.size()) + 1, 2)};
  EXPECT_EQ(right, expected);

  std::vector<TBufferCoord> left;
  for (int i = 0; i < 7; ++i) {
    Run(ecWordLeft);
    left.push_back(Edit->Caret());
  }
  expected = {BC(chervya, 2), BC(syela, 2), BC(3, 2), BC(static_cast<int>(line1.size()) + 1, 1),
              BC(yozhik, 1),  BC(chai, 1),  BC(1, 1)};
  EXPECT_EQ(left, expected);

  // Selecting a word with Shift+Ctrl+Right takes the following blank too.
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecSelWordRight);
  EXPECT_EQ(Edit->SelText(), Ansi("Чёрный "));
}

TEST_F(WordTest, WordStartAndEnd) {
  SetText(Ansi("ab, ёлка;x"));
  struct {
    TBufferCoord at, start, end;
  } cases[] = {
      {BC(1, 1), BC(1, 1), BC(3, 1)},                                        // at a word start
      {BC(2, 1), BC(1, 1), BC(3, 1)},                                        // inside
      {BC(3, 1), BC(1, 1), BC(3, 1)},                                        // right after it
      {BC(4, 1), BC(4, 1), BC(4, 1)},                                        // on a blank after a break
      {BC(7, 1), BC(5, 1), BC(9, 1)},                                        // inside ёлка
      {BC(10, 1), BC(10, 1), BC(11, 1)}, {BC(11, 1), BC(10, 1), BC(11, 1)},  // at the line end
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.at.Char);
    EXPECT_EQ(Edit->WordStart(c.at), c.start);
    EXPECT_EQ(Edit->WordEnd(c.at), c.end);
  }
  EXPECT_EQ(Edit->WordStart(BC(3, 5)), BC(3, 5));  // no such line: unchanged
  EXPECT_EQ(Edit->NextWordPos(BC(1, 0)), BC(1, 0));
}

TEST_F(WordTest, DeleteWordsOfRussianText) {
  SetText(Ansi("Чай чёрный"));
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecDeleteWord);
  EXPECT_EQ(Joined(), Ansi("чёрный"));
  Edit->MoveCaretTo(BC(7, 1));
  Run(ecDeleteLastWord);
  EXPECT_EQ(Joined(), "");
  Run(ecUndo);
  Run(ecUndo);
  EXPECT_EQ(Joined(), Ansi("Чай чёрный"));
}

TEST_F(WordTest, DoubleByteCharactersEndWordsAndStepWhole) {
  TSysCharSet lead;
  lead.IncludeRange(0x81, 0x9F);
  SetSysLocaleForTesting(true, lead);
  // ab, then a double-byte character whose second byte is ')', then cd.
  SetText(std::string("ab\x81)cd"));
  EXPECT_EQ(Edit->NextWordPos(BC(1, 1)), BC(3, 1));     // the lead byte ends the word
  EXPECT_EQ(Edit->MatchBracketAt(BC(4, 1)), BC(0, 0));  // a second byte is no bracket
  SetText(std::string("(\x81))"));
  EXPECT_EQ(Edit->MatchBracketAt(BC(1, 1)), BC(4, 1));
  Edit->MoveCaretTo(BC(5, 1));
  Run(ecDeleteLastChar);
  EXPECT_EQ(Joined(), "(\x81)");
  Run(ecDeleteLastChar);  // the pair goes whole
  EXPECT_EQ(Joined(), "(");
  ResetSysLocale();
}

// ---------------------------------------------------------------------------
// Brackets

using BracketTest = CommandTest;

TEST_F(BracketTest, MatchesWithoutAHighlighter) {
  struct {
    const char* text;
    TBufferCoord at, match;
  } cases[] = {
      {"a(b[c]d)e", BC(2, 1), BC(8, 1)}, {"a(b[c]d)e", BC(6, 1), BC(4, 1)},
      {"a(b[c]d)e", BC(8, 1), BC(2, 1)}, {"<<a>b>", BC(1, 1), BC(6, 1)},
      {"{x|{y}|z}", BC(1, 1), BC(2, 3)}, {"{x|{y}|z}", BC(2, 3), BC(1, 1)},
      {"(()", BC(1, 1), BC(0, 0)},       {"abc", BC(2, 1), BC(0, 0)},
      {"abc", BC(9, 1), BC(0, 0)},  // past the end
      {"abc", BC(1, 7), BC(0, 0)},  // no such line
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetText(c.text);
    EXPECT_EQ(Edit->MatchBracketAt(c.at), c.match);
  }
  SetText("(a)");
  Edit->MoveCaretTo(BC(3, 1));
  EXPECT_EQ(Edit->MatchBracketAtCaret(), BC(1, 1));
  Edit->JumpToMatchingBracket();
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
}

TEST_F(BracketTest, BracketsInCommentsAndStringsAreSkipped) {
  TQuoteHighlighter hl(nullptr);
  Edit->SetHighlighter(&hl);
  struct {
    const char* text;
    TBufferCoord at, match;
  } cases[] = {
      {"f(a /* ) */ b)", BC(2, 1), BC(14, 1)},
      {"f(\")\" x)", BC(2, 1), BC(8, 1)},
      {"f(x /* |) */ )", BC(2, 1), BC(6, 2)},  // a comment carried across the line end
      {"(\"(\")", BC(5, 1), BC(1, 1)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetText(c.text);
    EXPECT_EQ(Edit->MatchBracketAt(c.at), c.match);
  }
  Edit->SetHighlighter(nullptr);
  SetText("f(a /* ) */ b)");
  EXPECT_EQ(Edit->MatchBracketAt(BC(2, 1)), BC(8, 1));  // without the highlighter it counts
}

TEST_F(BracketTest, HtmlCommentsAreSkipped) {
  TSrcHTMLHighlighter html(nullptr);
  Edit->SetHighlighter(&html);
  SetText("a(<!-- ) -->)");
  EXPECT_EQ(Edit->MatchBracketAt(BC(2, 1)), BC(13, 1));
  Edit->SetHighlighter(nullptr);
}

TEST_F(BracketTest, EachLineIsTokenisedOnce) {
  TQuoteHighlighter hl(nullptr);
  Edit->SetHighlighter(&hl);
  std::string line = "(";
  for (int i = 0; i < 500; ++i) line += "()\"(\"";
  SetText(line + "|x|" + line + ")" + "|)");
  hl.StartLines = 0;
  // 500 pairs and 500 quoted brackets on each bracket line.
  EXPECT_EQ(Edit->MatchBracketAt(BC(1, 1)), BC(1, 4));
  EXPECT_EQ(hl.StartLines, 3);  // the lines that hold brackets, once each
  hl.StartLines = 0;
  EXPECT_EQ(Edit->MatchBracketAt(BC(1, 4)), BC(1, 1));
  EXPECT_EQ(hl.StartLines, 2);
  Edit->SetHighlighter(nullptr);
}

}  // namespace
