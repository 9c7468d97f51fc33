// Text changes: the selection replacement primitive in the three modes, its
// undo records, deletion, clearing and marks.
#include <random>

#include "EditorFixture.h"
#include "SrcHighlighterHtml.h"

TEST_F(EditorTest, EmptyReplacementWithoutSelectionChangesNothing) {
  SetLines({"abc"});
  Edit->MoveCaretTo(BC(2, 1));
  Edit->ReplaceSelection("");
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 0);
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditorTest, NormalInsertions) {
  struct {
    const char* line;
    TBufferCoord at;
    std::string text;
    const char* result;
    TBufferCoord caret;
  } cases[] = {
      {"abcd", BC(3, 1), "X\r\n", "abX|cd", BC(1, 2)},
      {"ab", BC(6, 1), "X", "ab   X", BC(7, 1)},  // past the end: padded with spaces
      {"abcd", BC(3, 1), "1\n2\r3\r\n4", "ab1|2|3|4cd", BC(2, 4)},
      {"ab", BC(2, 1), "x\n\ry", "ax||yb", BC(2, 3)},             // LF CR is two breaks
      {"ab", BC(2, 1), std::string("x\0y", 3), "axb", BC(3, 1)},  // the text ends at its NUL
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetLines({c.line});
    Edit->MoveCaretTo(c.at);
    Edit->ReplaceSelection(c.text);
    EXPECT_EQ(Joined(), c.result);
    EXPECT_EQ(Edit->Caret(), c.caret);
    EXPECT_FALSE(Edit->HasSelection());
  }
}

TEST_F(EditorTest, WholeReplacementKeepsNulBytesAsOneUndoStep) {
  // The same cases as ReplaceSelection's, NUL bytes kept as text; undo
  // gives the line back and redo the same bytes.
  const std::string nul(1, '\0');
  struct {
    const char* What;
    std::string Line;
    TBufferCoord From, To;  // the selection (equal: the caret)
    std::string Text;
    std::string Result;
    TBufferCoord Caret;
  } cases[] = {
      {"a NUL inside", "ab", BC(2, 1), BC(2, 1), "x" + nul + "y", "ax" + nul + "yb", BC(5, 1)},
      {"NULs around breaks", "ab", BC(2, 1), BC(2, 1), nul + "\r\n" + nul + "\n\r" + nul,
       "a" + nul + "|" + nul + "||" + nul + "b", BC(2, 4)},
      {"over a selection", "hello world", BC(7, 1), BC(12, 1), nul + nul, "hello " + nul + nul, BC(9, 1)},
      {"past the end of the line", "ab", BC(5, 1), BC(5, 1), nul, "ab  " + nul, BC(6, 1)},
      {"without a NUL, as ReplaceSelection", "ab", BC(2, 1), BC(2, 1), "1\n2", "a1|2b", BC(2, 2)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    SetLines({c.Line.c_str()});
    Edit->ClearUndoRedo();
    if (c.From == c.To)
      Edit->MoveCaretTo(c.From);
    else
      Edit->SelectRange(c.From, c.From, c.To);
    Edit->ReplaceSelectionWhole(c.Text);
    EXPECT_EQ(Joined(), c.Result);
    EXPECT_EQ(Edit->Caret(), c.Caret);
    EXPECT_FALSE(Edit->HasSelection());
    Edit->Undo();
    EXPECT_EQ(Joined(), c.Line);
    EXPECT_FALSE(Edit->CanUndo());
    Edit->Redo();
    EXPECT_EQ(Joined(), c.Result);
    EXPECT_EQ(Edit->Caret(), c.Caret);
  }
}

TEST_F(EditorTest, InsertingIntoAnEmptyList) {
  Edit->ReplaceSelection("a\r\nb");
  EXPECT_EQ(Joined(), "a|b");
  EXPECT_EQ(Edit->Caret(), BC(2, 2));
  EXPECT_TRUE(Edit->Modified());
}

TEST_F(EditorTest, ReplacementRecordsDeleteThenInsertInOneBlock) {
  SetLines({"hello world"});
  Edit->SelectRange(BC(1, 1), BC(12, 1), BC(7, 1));  // selected backwards
  Edit->ReplaceSelection("there");
  EXPECT_EQ(Joined(), "hello there");
  TSrcEditUndoList* u = Edit->UndoList();
  ASSERT_EQ(u->ItemCount(), 2);
  TSrcEditUndoItem* del = u->Items(0);
  TSrcEditUndoItem* ins = u->Items(1);
  EXPECT_EQ(del->ChangeReason(), urDelete);
  EXPECT_EQ(del->ChangeStartPos(), BC(12, 1));  // as set, not ordered
  EXPECT_EQ(del->ChangeEndPos(), BC(7, 1));
  EXPECT_EQ(del->ChangeStr(), "world");
  EXPECT_EQ(ins->ChangeReason(), urInsert);
  EXPECT_EQ(ins->ChangeStartPos(), BC(7, 1));
  EXPECT_EQ(ins->ChangeEndPos(), BC(12, 1));
  EXPECT_EQ(del->ChangeNumber(), ins->ChangeNumber());
  Edit->DeleteSelection();  // nothing selected: nothing happens
  EXPECT_EQ(u->ItemCount(), 2);
}

TEST_F(EditorTest, NormalDeletionJoinsWithoutPadding) {
  SetLines({"ab", "cdef", "gh"});
  Edit->SetRawSelection(BC(5, 1), BC(2, 3));  // first end past its line
  Edit->DeleteSelection();
  EXPECT_EQ(Joined(), "abh");
  EXPECT_EQ(Edit->Caret(), BC(5, 1));
  TSrcEditUndoItem* del = Edit->UndoList()->PeekItem();
  EXPECT_EQ(del->ChangeReason(), urDelete);
  EXPECT_EQ(del->ChangeStr(), "\r\ncdef\r\ng");
}

TEST_F(EditorTest, LineModeReplacement) {
  SetLines({"l1", "l2", "l3", "l4", "l5"});
  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BC(2, 3), BC(2, 2), BC(2, 3));
  Edit->ReplaceSelection("x\r\n");
  EXPECT_EQ(Joined(), "l1|x|l4|l5");
  EXPECT_EQ(Edit->Caret(), BC(1, 3));
  // The insertion is recorded so that undo takes exactly the new line.
  TSrcEditUndoItem* ins = Edit->UndoList()->PeekItem();
  EXPECT_EQ(ins->ChangeReason(), urInsert);
  EXPECT_EQ(ins->ChangeSelMode(), smNormal);
  EXPECT_EQ(ins->ChangeStartPos(), BC(1, 2));
  EXPECT_EQ(ins->ChangeEndPos(), BC(1, 3));
  EXPECT_EQ(Edit->UndoList()->Items(0)->ChangeStr(), "l2\r\nl3\r\n");
}

TEST_F(EditorTest, LineModeDeletionAtTheEndLeavesAnEmptyLine) {
  SetLines({"l1", "l2", "l3"});
  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BC(1, 3), BC(1, 2), BC(1, 3));
  Edit->DeleteSelection();
  EXPECT_EQ(Joined(), "l1|");
  EXPECT_EQ(Edit->Caret(), BC(1, 2));
  EXPECT_EQ(Edit->UndoList()->PeekItem()->ChangeStr(), "l2\r\nl3");
}

TEST_F(EditorTest, ColumnInsertionAppendsIndentedLines) {
  SetLines({"abc", "de"});
  Edit->SetSelectionMode(smColumn);
  Edit->MoveCaretTo(BC(3, 2));
  Edit->ReplaceSelection("1\r\n2\n3");
  EXPECT_EQ(Joined(), "abc|de1|  2|  3");
  EXPECT_EQ(Edit->Caret(), BC(4, 4));
  EXPECT_EQ(UndoCount(urPaste), 3);
  EXPECT_EQ(UndoCount(urLineBreak), 2);
  EXPECT_EQ(UndoCount(urInsert), 0);
}

TEST_F(EditorTest, ColumnInsertionPastTheEndCountsEveryAddedLine) {
  // Empty rows of the block past the last line still become lines; each one
  // is recorded, so undo removes exactly what was added.
  SetLines({"ab"});
  Edit->SetSelectionMode(smColumn);
  Edit->MoveCaretTo(BC(2, 1));
  Edit->ReplaceSelection("x\r\n\r\n\r\ny");
  EXPECT_EQ(Joined(), "axb||| y");
  EXPECT_EQ(UndoCount(urLineBreak), 3);
  EXPECT_EQ(Edit->Lines()->GetCount(), 4);
  // The appended lines are recorded at the end of the line before each.
  TSrcEditUndoList* u = Edit->UndoList();
  std::vector<TBufferCoord> breaks;
  for (int i = 0; i < u->ItemCount(); ++i)
    if (u->Items(i)->ChangeReason() == urLineBreak) breaks.push_back(u->Items(i)->ChangeStartPos());
  ASSERT_EQ(breaks.size(), 3u);
  EXPECT_EQ(breaks[0], BC(4, 1));
  EXPECT_EQ(breaks[1], BC(1, 2));
  EXPECT_EQ(breaks[2], BC(1, 3));
  // A trailing break appends nothing.
  SetLines({"ab"});
  Edit->MoveCaretTo(BC(1, 1));
  Edit->ReplaceSelection("x\r\n");
  EXPECT_EQ(Joined(), "xab");
}

TEST_F(EditorTest, ColumnReplacementInsertsAtTheLeftEdge) {
  SetLines({"abcdef", "ghijkl"});
  Edit->SetSelectionMode(smColumn);
  // Dragged from right to left: the first end is on the right edge.
  Edit->SelectRange(BC(2, 2), BC(5, 1), BC(2, 2));
  Edit->ReplaceSelection("X\r\nY");
  EXPECT_EQ(Joined(), "aXef|gYkl");
  // The same block dragged left to right gives the same result.
  SetLines({"abcdef", "ghijkl"});
  Edit->SelectRange(BC(5, 2), BC(2, 1), BC(5, 2));
  Edit->ReplaceSelection("X\r\nY");
  EXPECT_EQ(Joined(), "aXef|gYkl");
}

TEST_F(EditorTest, MarksFollowInsertedAndDeletedLines) {
  SetLines({"1", "2", "3", "4", "5", "6"});
  TSrcEditMark* onFour = Edit->AddBookmark(0, 4);
  TSrcEditMark* onTwo = Edit->AddBookmark(1, 2);
  Edit->MoveCaretTo(BC(2, 2));
  Edit->ReplaceSelection("a\r\nb\r\n");  // two lines after line 2
  EXPECT_EQ(onTwo->Line(), 2);
  EXPECT_EQ(onFour->Line(), 6);
  Edit->MoveCaretTo(BC(1, 1));
  Edit->ReplaceSelection("z\r\n");  // inserted before line 1 at character 1
  EXPECT_EQ(onTwo->Line(), 3);
  EXPECT_EQ(onFour->Line(), 7);
  Edit->SelectRange(BC(1, 5), BC(1, 2), BC(1, 5));
  Edit->DeleteSelection();  // lines 3..5 go: a mark inside moves to line 2
  EXPECT_EQ(onTwo->Line(), 2);
  EXPECT_EQ(onFour->Line(), 4);
  // A column block appended at the end moves no mark.
  Edit->SetSelectionMode(smColumn);
  Edit->MoveCaretTo(BC(1, Edit->Lines()->GetCount()));
  Edit->ReplaceSelection("p\r\nq\r\nr");
  EXPECT_EQ(onFour->Line(), 4);
}

TEST_F(EditorTest, ClearTextFreesMarksAndEmptiesSlots) {
  SetLines({"a", "b", "c"});
  Edit->AddBookmark(3, 2);
  Edit->AddBookmark(5, 3);
  Edit->ReplaceSelection("x");
  EXPECT_TRUE(Edit->Modified());
  Edit->ClearText();
  EXPECT_EQ(Edit->Lines()->GetCount(), 0);
  EXPECT_EQ(Edit->FMarkList->Count(), 0);
  for (TSrcEditMark* m : Edit->FBookMarks) EXPECT_EQ(m, nullptr);
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 0);
  EXPECT_EQ(Edit->RedoList()->ItemCount(), 0);
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditorTest, TrimTrailingSpacesOnStore) {
  Edit->SetOptions(Edit->Options() | eoTrimTrailingSpaces);
  SetLines({"ab"});
  Edit->MoveCaretTo(BC(3, 1));
  Edit->ReplaceSelection("  \r\nc  ");
  EXPECT_EQ(Joined(), "ab|c");
  EXPECT_EQ(Edit->Caret(), BC(2, 2));
}

TEST_F(EditorTest, SelectionCollapsesAtTheCaretAfterEveryChange) {
  SetLines({"abc", "def"});
  Edit->SetSelectionMode(smColumn);
  Edit->SelectRange(BC(3, 2), BC(1, 1), BC(3, 2));
  Edit->ReplaceSelectionRaw(smColumn, "", false);
  EXPECT_EQ(Joined(), "c|f");
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->SelFrom(), Edit->Caret());
  EXPECT_EQ(Edit->ActiveSelectionMode(), smColumn);
}

// The scan state stored for every line.
template <class TEdit>
std::vector<int> ScanStates(TEdit& edit) {
  std::vector<int> v;
  for (int i = 0; i < edit.Lines()->GetCount(); ++i) v.push_back(edit.Lines()->GetLineScanState(i));
  return v;
}

// The states a rescan of the whole text stores.
template <class TEdit>
std::vector<int> FullRescanStates(TEdit& edit) {
  edit.RescanAll();
  return ScanStates(edit);
}

// The scan states after a change equal those of a full rescan, however the
// change was made (the hooks only note what to rescan; the end of the
// update rescans once).
TEST_F(EditorTest, ScanStatesAfterBulkChangesMatchAFullRescan) {
  TSrcHTMLHighlighter hl(nullptr);
  Edit->SetHighlighter(&hl);
  SetLines({"<p>a</p>", "<b>", "text", "</b>", "end"});
  auto states = [&] { return ScanStates(*Edit); };
  auto fullRescan = [&] { return FullRescanStates(*Edit); };
  Edit->MoveCaretTo(BC(2, 2));
  Edit->ReplaceSelection("<!-- x\r\ny\r\nz");  // opens a comment over several new lines
  std::vector<int> incremental = states();
  EXPECT_EQ(incremental, fullRescan());
  Edit->SelectRange(BC(1, 3), BC(1, 2), BC(1, 3));
  Edit->ReplaceSelection("-->\r\n");  // closes it again
  incremental = states();
  EXPECT_EQ(incremental, fullRescan());
  Edit->SelectAllText();
  Edit->ReplaceSelection("<i\r\nclass=\"a\r\nb\">");
  incremental = states();
  EXPECT_EQ(incremental, fullRescan());
  Edit->SetHighlighter(nullptr);
}

// Lines replaced where they are (a text with as many lines, its undo and
// redo) are rescanned one by one, with the lines after each as far as their
// states change: the states must still equal those of a full rescan.
TEST_F(EditorTest, ScanStatesAfterLinesReplacedInPlaceMatchAFullRescan) {
  TSrcHTMLHighlighter hl(nullptr);
  Edit->SetHighlighter(&hl);
  std::mt19937 rng(9);
  const char* const pieces[] = {"<p>", "<!--", "-->", "\"", "a", "<b class=", "'", ">", " "};
  auto randomLine = [&] {
    std::string line;
    for (int k = static_cast<int>(rng() % 5); k > 0; --k) line += pieces[rng() % 9];
    return line;
  };
  auto states = [&] { return ScanStates(*Edit); };
  auto fullRescan = [&] { return FullRescanStates(*Edit); };
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> lines;
    Edit->Lines()->Clear();
    for (int i = 0; i < 30; ++i) {
      lines.push_back(randomLine());
      Edit->Lines()->Add(lines.back());
    }
    Edit->ClearUndoRedo();
    // A few lines changed, the rest the same: one replacement of the span.
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i) text += "\r\n";
      text += rng() % 6 == 0 ? randomLine() : lines[i];
    }
    Edit->SelectAllText();
    Edit->ReplaceSelection(text);
    std::vector<int> incremental = states();
    ASSERT_EQ(incremental, fullRescan()) << round;
    Edit->Undo();
    incremental = states();
    ASSERT_EQ(incremental, fullRescan()) << round;
    Edit->Redo();
    incremental = states();
    ASSERT_EQ(incremental, fullRescan()) << round;
  }
  Edit->SetHighlighter(nullptr);
}
