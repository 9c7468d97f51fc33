// Caret and selection: clamping, the three modes, the selected text and the
// flat character index.
#include <climits>

#include "EditorFixture.h"
#include "platform/CodePage.h"

TEST_F(EditorTest, CharacterIndexRoundTrip) {
  SetLines({"ab", "cd"});
  EXPECT_EQ(Edit->CoordToCharIndex(BC(1, 2)), 4);
  EXPECT_EQ(Edit->CoordToCharIndex(BC(9, 1)), 8);  // past the end counts on
  EXPECT_EQ(Edit->CoordToCharIndex(BC(2, 7)), 5);  // beyond the last line: the last
  struct {
    int index;
    TBufferCoord p;
  } cases[] = {{0, BC(1, 1)}, {2, BC(3, 1)}, {3, BC(4, 1)}, {4, BC(1, 2)},
               {7, BC(4, 2)}, {8, BC(1, 3)}, {99, BC(1, 3)}};
  for (auto& c : cases) EXPECT_EQ(Edit->CharIndexToCoord(c.index), c.p) << c.index;
}

TEST_F(EditorTest, SelectionStartClampsByOption) {
  SetLines({"ab", "cd"});
  Edit->SetSelectionStart(3);
  EXPECT_EQ(Edit->Caret(), BC(4, 1));
  EXPECT_FALSE(Edit->HasSelection());
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  Edit->SetSelectionStart(3);
  EXPECT_EQ(Edit->Caret(), BC(3, 1));
  Edit->SetSelectionStart(100);  // past the end: start of the last line
  EXPECT_EQ(Edit->Caret(), BC(1, 2));
}

TEST_F(EditorTest, OnlyThePublicCaretSetterCollapsesTheSelection) {
  SetLines({"abc", "def"});
  auto select = [&] { Edit->SelectRange(BC(3, 2), BC(2, 1), BC(3, 2)); };
  select();
  Edit->MoveCaretTo(BC(1, 1));
  Edit->SetCaretChar(2);
  Edit->SetCaretLine(2);
  EXPECT_EQ(Edit->Caret(), BC(2, 2));
  EXPECT_EQ(Edit->SelFrom(), BC(2, 1));
  EXPECT_EQ(Edit->SelTo(), BC(3, 2));
  Edit->SetCaret(BC(9, 1));  // past the end of the line: both ends follow
  EXPECT_EQ(Edit->Caret(), BC(9, 1));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->SelFrom(), Edit->Caret());
  EXPECT_EQ(Edit->SelTo(), Edit->Caret());
}

TEST_F(EditorTest, SelectionLengthOverALineBreak) {
  SetLines({"ab", "cd"});
  Edit->SetSelectionStart(1);
  Edit->SetSelectionLength(3);
  EXPECT_EQ(Edit->GetSelectedText(), "b\r\n");
  EXPECT_EQ(Edit->Caret(), BC(1, 2));
  EXPECT_EQ(Edit->GetSelectionStart(), 1);
  EXPECT_EQ(Edit->GetSelectionEnd(), 4);
  EXPECT_EQ(Edit->GetSelectionLength(), 3);
  // Backwards from the start.
  Edit->SetSelectionStart(4);
  Edit->SetSelectionLength(-2);
  EXPECT_EQ(Edit->GetSelectedText(), "\r\n");
  EXPECT_EQ(Edit->Caret(), BC(3, 1));
  // Backwards past the start of the text: from the start; forwards past the
  // end (the sum wraps): to the end.
  Edit->SetSelectionStart(1);
  Edit->SetSelectionLength(-5);
  EXPECT_EQ(Edit->GetSelectedText(), "a");
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  Edit->SetSelectionStart(1);
  Edit->SetSelectionLength(INT_MAX);
  EXPECT_EQ(Edit->GetSelectedText(), "b\r\ncd");
  EXPECT_EQ(Edit->Caret(), BC(3, 2));
}

TEST_F(EditorTest, EqualEndsNeverSelect) {
  SetLines({"ab", "cd"});
  for (TSrcSelectionMode m : {smNormal, smLine, smColumn}) {
    Edit->SetSelectionMode(m);
    Edit->SelectRange(BC(2, 1), BC(2, 1), BC(2, 1));
    EXPECT_FALSE(Edit->HasSelection()) << m;
    EXPECT_EQ(Edit->GetSelectionLength(), 0);
    EXPECT_EQ(Edit->GetSelectedText(), "");
  }
  // A column selection needs two different characters.
  Edit->SelectRange(BC(2, 2), BC(2, 1), BC(2, 2));
  EXPECT_FALSE(Edit->HasSelection());
}

TEST_F(EditorTest, SelectAllOnEmptyText) {
  Edit->SelectAllText();
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  SetLines({"ab", "cde"});
  Edit->SelectAllText();
  EXPECT_EQ(Edit->GetSelectedText(), "ab\r\ncde");
  EXPECT_EQ(Edit->Caret(), BC(4, 2));
}

TEST_F(EditorTest, SelectAllTakesTheWholeTextInColumnMode) {
  SetLines({"one", "two", ""});
  Edit->SetSelectionMode(smColumn);
  Edit->SelectAllText();
  EXPECT_EQ(Edit->GetSelectedText(), "one\r\ntwo\r\n");
  EXPECT_EQ(Edit->SelectionMode(), smColumn) << "the property stays";
  Edit->SetSelFrom(BC(1, 1));
  Edit->SetSelTo(BC(3, 2));
  EXPECT_EQ(Edit->GetSelectedText(), "on\r\ntw") << "the next selection is a column again";
}

TEST_F(EditorTest, SelectedTextInEachMode) {
  SetLines({"abc", "de", "fghi"});
  // Normal: the end past its line gives only the characters there are.
  Edit->SelectRange(BC(9, 2), BC(2, 1), BC(9, 2));
  EXPECT_EQ(Edit->SelTo(), BC(3, 2));  // normal mode limits to the line end
  EXPECT_EQ(Edit->GetSelectedText(), "bc\r\nde");
  Edit->SelectRange(BC(3, 3), BC(2, 1), BC(3, 3));
  EXPECT_EQ(Edit->GetSelectedText(), "bc\r\nde\r\nfg");

  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BC(1, 2), BC(1, 1), BC(1, 2));
  EXPECT_EQ(Edit->GetSelectedText(), "abc\r\nde\r\n");
  Edit->SelectRange(BC(1, 3), BC(1, 2), BC(1, 3));
  EXPECT_EQ(Edit->GetSelectedText(), "de\r\nfghi");  // no break after the text's last line

  Edit->SetSelectionMode(smColumn);
  Edit->SelectRange(BC(2, 3), BC(4, 1), BC(2, 3));  // right to left
  EXPECT_EQ(Edit->GetSelectedText(), "bc\r\ne \r\ngh");
  Edit->SetOptions(Edit->Options() | eoTrimTrailingSpaces);
  EXPECT_EQ(Edit->GetSelectedText(), "bc\r\ne\r\ngh");
}

TEST_F(EditorTest, IsInSelectionByMode) {
  SetLines({"abcd", "efgh", "ijkl"});
  Edit->SelectRange(BC(3, 3), BC(2, 1), BC(3, 3));
  EXPECT_FALSE(Edit->IsInSelection(BC(1, 1)));
  EXPECT_TRUE(Edit->IsInSelection(BC(2, 1)));
  EXPECT_TRUE(Edit->IsInSelection(BC(1, 2)));
  EXPECT_TRUE(Edit->IsInSelection(BC(2, 3)));
  EXPECT_FALSE(Edit->IsInSelection(BC(3, 3)));
  Edit->SetSelectionMode(smColumn);
  Edit->SelectRange(BC(3, 3), BC(2, 1), BC(3, 3));
  EXPECT_FALSE(Edit->IsInSelection(BC(1, 2)));
  EXPECT_TRUE(Edit->IsInSelection(BC(2, 2)));
  EXPECT_FALSE(Edit->IsInSelection(BC(3, 2)));
  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BC(3, 3), BC(2, 1), BC(3, 3));
  EXPECT_TRUE(Edit->IsInSelection(BC(4, 3)));
  EXPECT_FALSE(Edit->IsInSelection(BC(1, 4)));
}

TEST_F(EditorTest, NoSelectionOptionStopsExtending) {
  SetLines({"abc"});
  Edit->SetOptions(Edit->Options() | eoNoSelection);
  Edit->MoveCaretByChars(1, true);
  EXPECT_EQ(Edit->Caret(), BC(2, 1));
  EXPECT_FALSE(Edit->HasSelection());
}

TEST_F(EditorTest, CharacterMovesAtLineEnds) {
  SetLines({"ab", "cd"});
  // Past-the-end on (the default): no wrapping to the neighbour lines.
  Edit->MoveCaretTo(BC(1, 2));
  Edit->MoveCaretByChars(-1, false);
  EXPECT_EQ(Edit->Caret(), BC(1, 2));
  Edit->MoveCaretTo(BC(3, 1));
  Edit->MoveCaretByChars(1, false);
  EXPECT_EQ(Edit->Caret(), BC(4, 1));
  // Off: both moves wrap.
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  Edit->MoveCaretTo(BC(1, 2));
  Edit->MoveCaretByChars(-1, false);
  EXPECT_EQ(Edit->Caret(), BC(3, 1));
  Edit->MoveCaretByChars(1, false);
  EXPECT_EQ(Edit->Caret(), BC(1, 2));
  // Extending keeps the anchor.
  Edit->MoveCaretByChars(1, true);
  Edit->MoveCaretByChars(1, true);
  EXPECT_EQ(Edit->GetSelectedText(), "cd");
}

TEST_F(EditorTest, VerticalMovesKeepTheAimedColumn) {
  SetLines({"abcdef", "a", "abcdef"});
  Edit->SetOptions((Edit->Options() & ~eoScrollPastEol) | eoKeepCaretX);
  Edit->MoveCaretTo(BC(5, 1));
  Edit->MoveCaretByLines(1, false);
  EXPECT_EQ(Edit->Caret(), BC(2, 2));
  Edit->MoveCaretByLines(1, false);
  EXPECT_EQ(Edit->Caret(), BC(5, 3));
  Edit->MoveCaretByLines(5, false);  // limited to the last row
  EXPECT_EQ(Edit->Caret().Line, 3);
}

TEST_F(EditorTest, CaretReachesTheEndOfLongLines) {
  // A minified document: one line far longer than MaxScrollWidth.
  std::string longLine(5000, 'x');
  SetLines({longLine.c_str(), "short"});
  Edit->MoveCaretTo(BC(4000, 1));
  EXPECT_EQ(Edit->Caret(), BC(4000, 1));
  Edit->MoveCaretTo(BC(5001, 1));
  EXPECT_EQ(Edit->Caret(), BC(5001, 1));
  Edit->MoveCaretTo(BC(99999, 1));  // past the end: the larger of the two bounds
  EXPECT_EQ(Edit->Caret(), BC(5001, 1));
  Edit->MoveCaretTo(BC(99999, 2));  // short lines keep the MaxScrollWidth bound
  EXPECT_EQ(Edit->Caret(), BC(1025, 2));
  Edit->SelectRange(BC(4500, 1), BC(4400, 1), BC(4500, 1));
  EXPECT_EQ(Edit->GetSelectedText(), std::string(100, 'x'));
  Edit->SetSelectionStart(4990);
  EXPECT_EQ(Edit->Caret(), BC(4991, 1));
  Edit->ReplaceSelection("!");
  EXPECT_EQ(Edit->Lines()->Get(0).substr(4989, 2), "x!");
}

TEST_F(EditorTest, StatusChangesAreReportedOnceOutsideTheLock) {
  SetLines({"abc", "def"});
  std::vector<TSrcStatusChanges> seen;
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges c) { seen.push_back(c); };
  Edit->IncPaintLock();
  Edit->MoveCaretTo(BC(2, 2));
  Edit->SetSelTo(BC(3, 1));
  EXPECT_TRUE(seen.empty());
  Edit->DecPaintLock();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0] & (scCaretX | scCaretY | scSelection), scCaretX | scCaretY | scSelection);
}

TEST_F(EditorTest, DisplayConversionsExpandTabs) {
  SetLines({"\tx", "ab"});
  EXPECT_EQ(Edit->BufferToDisplay(BC(2, 1)).Column, 9);
  EXPECT_EQ(Edit->BufferToDisplay(BC(5, 1)).Column, 12);
  EXPECT_EQ(Edit->DisplayToBuffer(DisplayCoord(5, 1)), BC(1, 1));
  EXPECT_EQ(Edit->DisplayToBuffer(DisplayCoord(9, 1)), BC(2, 1));
  EXPECT_EQ(Edit->DisplayToBuffer(DisplayCoord(12, 1)), BC(5, 1));
  EXPECT_EQ(Edit->DisplayToBuffer(DisplayCoord(7, 2)), BC(7, 2));
  // A tab after the position moves nothing before it.
  SetLines({"ab\tc"});
  EXPECT_EQ(Edit->BufferToDisplay(BC(3, 1)).Column, 3);
  EXPECT_EQ(Edit->BufferToDisplay(BC(4, 1)).Column, 9);
}

TEST_F(EditorTest, SelectWordUsesIdentifierCharacters) {
  SetLines({"foo bar_1.baz"});
  Edit->SelectWord(BC(6, 1));
  EXPECT_EQ(Edit->GetSelectedText(), "bar_1");
  EXPECT_EQ(Edit->Caret(), BC(10, 1));
  Edit->SelectWord(BC(2, 1));
  EXPECT_EQ(Edit->GetSelectedText(), "foo");
  SetLines({"\xEF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0"});  // Cyrillic words
  Edit->SelectWord(BC(3, 1));
  EXPECT_EQ(Edit->GetSelectedText(), "\xEF\xF0\xE8\xE2\xE5\xF2");
}

// Ч ч (215, 247) and Ё ё (168, 184) are letters like the other Cyrillic ones.
TEST_F(EditorTest, SelectWordTakesEveryCyrillicLetter) {
  const std::string line = Ansi("ночь Чаща ещё Ёлка");
  SetLines({line.c_str()});
  struct Case {
    int at;
    const char* word;
  } cases[] = {{1, "ночь"}, {4, "ночь"}, {6, "Чаща"}, {8, "Чаща"}, {13, "ещё"}, {15, "Ёлка"}, {17, "Ёлка"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    Edit->SelectWord(BC(c.at, 1));
    EXPECT_EQ(Edit->GetSelectedText(), Ansi(c.word));
  }
}
