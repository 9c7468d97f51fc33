// The rescans after edits: only as far as a line's end state changes,
// inserted lines scanned once per change, and what gets repainted.
#include <string>

#include "PaintFixture.h"

class RescanTest : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    UseCounting();
  }
  void Fill(int lines, const std::string& text = "x") {
    Edit->Lines()->BeginUpdate();
    Edit->Lines()->Clear();
    for (int i = 0; i < lines; ++i) Edit->Lines()->Add(text);
    Edit->Lines()->EndUpdate();
  }
  int State(int line) const { return Edit->Lines()->GetLineScanState(line - 1); }
  TRect Pending() const {
    TRect r;
    for (const TRect& part : Peer()->UpdateRegion()) UnionRect(r, r, part);
    return r;
  }
};

TEST_F(RescanTest, AttachingAHighlighterScansEveryLineOnce) {
  Edit->SetHighlighter(nullptr);
  Fill(500);
  Counting->ResetCounts();
  Edit->SetHighlighter(Counting.get());
  EXPECT_EQ(Counting->StartLines, 500);
}

TEST_F(RescanTest, OpeningACommentRescansAsFarAsTheStateChanges) {
  Fill(1000);
  Counting->ResetCounts();
  Edit->SetCaret(BufferCoord(1, 10));
  Edit->ReplaceSelection("/*");
  EXPECT_EQ(Counting->StartLines, 991);  // lines 10 to 1000
  EXPECT_EQ(State(9), 0);
  EXPECT_EQ(State(10), 1);
  EXPECT_EQ(State(1000), 1);

  // Closing it on line 20: lines 20 to the end return to state 0.
  Counting->ResetCounts();
  Edit->SetCaret(BufferCoord(2, 20));
  Edit->ReplaceSelection("*/");
  EXPECT_EQ(Counting->StartLines, 981);
  EXPECT_EQ(State(19), 1);
  EXPECT_EQ(State(20), 0);
  EXPECT_EQ(State(1000), 0);

  // Deleting the opening line: line 10 follows a plain line again, and the
  // states of lines 10 to 18 change back.
  Counting->ResetCounts();
  Edit->Lines()->Delete(9);
  EXPECT_EQ(State(10), 0);
  EXPECT_LE(Counting->StartLines, 11);
  EXPECT_GE(Counting->StartLines, 10);
}

TEST_F(RescanTest, ReplacingALineWithoutChangingItsStateRescansAndRepaintsOnlyIt) {
  Fill(100);
  Edit->SetTopLine(40);
  Edit->SetCaret(BufferCoord(1, 45));
  PaintAll();
  ASSERT_TRUE(Peer()->UpdateRegion().empty());
  Counting->ResetCounts();
  Edit->Lines()->Put(44, "y z");
  EXPECT_EQ(Counting->StartLines, 1);
  EXPECT_EQ(Pending(), TRect(Edit->GutterWidth(), Y(45), Edit->ClientWidth(), Y(46)));
}

TEST_F(RescanTest, LinesInsertedInOneChangeAreScannedOnce) {
  Fill(10);
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "a b\r\n";
  Counting->ResetCounts();
  Edit->SetCaret(BufferCoord(1, 5));
  Edit->ReplaceSelection(text);
  ASSERT_EQ(Edit->Lines()->Count(), 2010);
  EXPECT_GE(Counting->StartLines, 2000);
  EXPECT_LE(Counting->StartLines, 2002);

  // A whole new text: one scan per line.
  Counting->ResetCounts();
  Edit->SetText(text + "end");
  EXPECT_EQ(Edit->Lines()->Count(), 2001);
  EXPECT_EQ(Counting->StartLines, 2001);
}

TEST_F(RescanTest, InsertedLinesGetTheStateOfTheTextAboveThem) {
  Fill(5);
  Edit->SetCaret(BufferCoord(2, 1));
  Edit->ReplaceSelection("/*");
  ASSERT_EQ(State(5), 1);
  // Lines inserted inside the comment are scanned from its state.
  Edit->SetCaret(BufferCoord(1, 3));
  Edit->ReplaceSelection("p\r\nq\r\n");
  for (int line = 1; line <= 7; ++line) EXPECT_EQ(State(line), 1) << line;
  // Lines added to the list directly are scanned the same way.
  Edit->Lines()->Insert(1, "*/");
  EXPECT_EQ(State(1), 1);
  EXPECT_EQ(State(2), 0);
  EXPECT_EQ(State(8), 0);
}

// The records of lines inserted in one piece start at state 0, which is
// also this highlighter's state outside comments: they are scanned whatever
// they hold, and the scan goes on past them as far as the states change.
TEST_F(RescanTest, InsertedLinesAreScannedWhateverTheirRecordsHold) {
  Fill(6);
  Edit->Lines()->Put(0, "/*");
  ASSERT_EQ(State(6), 1);
  Edit->SetCaret(BufferCoord(1, 2));
  Edit->ReplaceSelection("*/\r\ny\r\n");
  ASSERT_EQ(Edit->Lines()->Count(), 8);
  EXPECT_EQ(State(1), 1);
  for (int line = 2; line <= 8; ++line) EXPECT_EQ(State(line), 0) << line;
  Edit->Undo();
  ASSERT_EQ(Edit->Lines()->Count(), 6);
  for (int line = 1; line <= 6; ++line) EXPECT_EQ(State(line), 1) << line;
  Edit->Redo();
  for (int line = 2; line <= 8; ++line) EXPECT_EQ(State(line), 0) << line;
}

TEST_F(RescanTest, ClearingTheListResetsViewAndUndo) {
  Fill(100);
  Edit->SetCaret(BufferCoord(1, 50));
  Edit->ReplaceSelection("abc");
  Edit->SetTopLine(40);
  ASSERT_TRUE(Edit->CanUndo());
  int changes = 0;
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges c) { changes |= c; };
  Edit->Lines()->Clear();
  EXPECT_EQ(Edit->Caret(), BufferCoord(1, 1));
  EXPECT_EQ(Edit->SelFrom(), Edit->SelTo());
  EXPECT_EQ(Edit->TopLine(), 1);
  EXPECT_EQ(Edit->LeftChar(), 1);
  EXPECT_FALSE(Edit->CanUndo());
  EXPECT_NE(changes & scAll, 0);
}

TEST_F(RescanTest, AutoSizedScrollWidthGrowsWithInsertedAndReplacedLines) {
  Edit->SetOptions(Edit->Options() | eoAutoSizeMaxScrollWidth);
  Edit->SetMaxScrollWidth(10);
  Fill(3, "short");
  EXPECT_EQ(Edit->MaxScrollWidth(), 10);
  Edit->Lines()->Add(std::string(50, 'x'));
  EXPECT_EQ(Edit->MaxScrollWidth(), 50);
  Edit->Lines()->Put(0, std::string(70, 'y'));
  EXPECT_EQ(Edit->MaxScrollWidth(), 70);
  Edit->SetCaret(BufferCoord(1, 2));
  Edit->ReplaceSelection(std::string(20, 'a') + "\r\n" + std::string(90, 'b') + "\r\n");
  EXPECT_EQ(Edit->MaxScrollWidth(), 90);
}

TEST_F(RescanTest, HtmlCommentOpenedAndClosedAgain) {
  UseHtml();
  Fill(1000, "<p>x</p>");
  ASSERT_EQ(State(1000), hrText);
  Edit->SetCaret(BufferCoord(1, 10));
  Edit->ReplaceSelection("<!--");
  EXPECT_EQ(State(9), hrText);
  EXPECT_EQ(State(10), hrComment);
  EXPECT_EQ(State(1000), hrComment);
  Edit->SetCaret(BufferCoord(9, 20));
  Edit->ReplaceSelection("-->");
  EXPECT_EQ(State(19), hrComment);
  EXPECT_EQ(State(20), hrText);
  EXPECT_EQ(State(1000), hrText);
  // An unclosed quoted value carries on to the next line.
  Edit->SetCaret(BufferCoord(1, 30));
  Edit->ReplaceSelection("<a href=\"x");
  EXPECT_EQ(State(30), hrDoubleQuotedValue);
  EXPECT_EQ(State(31), hrDoubleQuotedValue);  // "<p>x</p>" stays inside the value
}
