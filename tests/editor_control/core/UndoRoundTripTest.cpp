// Text changes undone and redone through the control's own commands give
// back exactly the earlier text and the modified state that goes with it.
#include <functional>

#include "EditorFixture.h"
#include "SrcEditKeyCmds.h"

namespace {

void Type(TCustomSrcEdit* e, const std::string& s) {
  for (char c : s) e->ProcessCommand(ecChar, c, nullptr);
}

}  // namespace

TEST_F(EditorTest, UndoOfABreakPastTheLineEndRestoresTheExactText) {
  SetLines({"ab", "  cd"});
  Edit->SetModified(false);
  for (int c : {3, 8}) {  // at the end and past it
    SCOPED_TRACE(c);
    Edit->MoveCaretTo(BC(c, 1));
    Edit->ProcessCommand(ecLineBreak, '\r', nullptr);
    EXPECT_EQ(Edit->Lines()->GetCount(), 3);
    EXPECT_TRUE(Edit->Modified());
    Edit->Undo();
    EXPECT_EQ(Joined(), "ab|  cd");
    EXPECT_FALSE(Edit->Modified());
  }
  // On an empty line past its end, too.
  SetLines({"", "x"});
  Edit->SetModified(false);
  Edit->MoveCaretTo(BC(6, 1));
  Edit->ProcessCommand(ecLineBreak, '\r', nullptr);
  Edit->Undo();
  EXPECT_EQ(Joined(), "|x");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditorTest, TypingReachesTheEndOfALongLine) {
  std::string longLine(3000, 'a');
  SetLines({longLine.c_str()});
  Edit->MoveCaretTo(BC(3001, 1));
  EXPECT_EQ(Edit->Caret(), BC(3001, 1));
  Type(Edit.get(), "xy");
  EXPECT_EQ(Edit->Lines()->Get(0), longLine + "xy");
  Edit->MoveCaretTo(BC(2000, 1));
  Type(Edit.get(), "m");
  EXPECT_EQ(Edit->Lines()->Get(0).substr(1998, 3), "ama");
  EXPECT_EQ(Edit->Caret(), BC(2001, 1));
}

TEST_F(EditorTest, WholeTextReplacementUndoesAndRedoesExactly) {
  SetLines({"<html>", "  <body>", "\tText", "  </body>", "</html>"});
  const std::string before = Edit->Text();
  Edit->SetModified(false);
  Edit->SelectAllText();
  const std::string pasted = "one\r\ntwo\r\n\r\nthree\r\n";
  Edit->ReplaceSelection(pasted);
  EXPECT_EQ(Edit->Text(), pasted);
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), before);
  EXPECT_FALSE(Edit->Modified());
  Edit->Redo();
  EXPECT_EQ(Edit->Text(), pasted);
  EXPECT_TRUE(Edit->Modified());
}

TEST_F(EditorTest, ColumnInsertionPastTheEndUndoesExactly) {
  SetLines({"ab", "cd"});
  Edit->SetModified(false);
  Edit->SetSelectionMode(smColumn);
  Edit->MoveCaretTo(BC(2, 2));
  Edit->ReplaceSelection("x\r\n\r\n\r\ny\r\nz");
  EXPECT_EQ(Joined(), "ab|cxd||| y| z");
  Edit->Undo();
  EXPECT_EQ(Joined(), "ab|cd");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditorTest, LineModeReplacementUndoesExactly) {
  SetLines({"l1", "l2", "l3", "l4", "l5"});
  Edit->SetModified(false);
  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BC(2, 3), BC(2, 2), BC(2, 3));
  Edit->ReplaceSelection("x\r\n");
  EXPECT_EQ(Joined(), "l1|x|l4|l5");
  Edit->Undo();
  EXPECT_EQ(Joined(), "l1|l2|l3|l4|l5");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(EditorTest, TypingWithoutUndoKeepsTheDocumentModified) {
  SetLines({"abc"});
  Edit->SetMaxUndo(0);
  Edit->SetModified(false);
  Edit->MoveCaretTo(BC(4, 1));
  Type(Edit.get(), "d");
  EXPECT_TRUE(Edit->Modified());
  Edit->Undo();  // nothing to undo
  EXPECT_EQ(Joined(), "abcd");
  EXPECT_TRUE(Edit->Modified());
}

// However the caret or the selection was placed, a replacement undoes to
// exactly the earlier text and redoes to the same result.
TEST_F(EditorTest, ReplacementUndoesExactlyWhereverTheCaretWasPlaced) {
  struct Case {
    const char* name;
    std::function<void(TTestEdit*)> place;
    const char* replaced;
  } cases[] = {
      {"SetCaret collapses an earlier selection",
       [](TTestEdit* e) {
         e->SelectRange(BC(2, 2), BC(1, 1), BC(2, 2));
         e->SetCaret(BC(3, 1));
       },
       "abX|cd"},
      {"MoveCaretTo away from the empty selection", [](TTestEdit* e) { e->MoveCaretTo(BC(3, 1)); }, "abX|cd"},
      {"SetCaretChar", [](TTestEdit* e) { e->SetCaretChar(3); }, "abX|cd"},
      {"SetSelStart", [](TTestEdit* e) { e->SetSelStart(2); }, "abX|cd"},
      {"an empty column block left in normal mode",
       [](TTestEdit* e) {
         e->SetActiveSelectionMode(smColumn);
         e->SetRawSelection(BC(2, 1), BC(2, 2));
         e->MoveCaretTo(BC(3, 1));
       },
       "abX|cd"},
      {"past the end of the line", [](TTestEdit* e) { e->MoveCaretTo(BC(6, 1)); }, "ab   X|cd"},
      {"SetSelLength backwards",
       [](TTestEdit* e) {
         e->SetSelStart(1);
         e->SetSelLength(-1);
       },
       "Xb|cd"},
      {"SetSelLength over the break",
       [](TTestEdit* e) {
         e->SetSelStart(1);
         e->SetSelLength(3);
       },
       "aXcd"},
      {"SelectAll", [](TTestEdit* e) { e->SelectAll(); }, "X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLines({"ab", "cd"});
    Edit->ClearUndoRedo();
    Edit->SetModified(false);
    c.place(Edit.get());
    Edit->ReplaceSelection("X");
    EXPECT_EQ(Joined(), c.replaced);
    Edit->Undo();
    EXPECT_EQ(Joined(), "ab|cd");
    EXPECT_FALSE(Edit->Modified());
    EXPECT_FALSE(Edit->CanUndo());
    Edit->Redo();
    EXPECT_EQ(Joined(), c.replaced);
  }
}

// Undo and redo of column changes on rows shorter than the block give back
// exactly the earlier lines: no padding stays behind, none comes back.
class ColumnUndoTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    SetLines({"abcdef", "ab", "", "abcdef"});
    Edit->SetModified(false);
    Edit->SetSelectionMode(smColumn);
  }
  // Undo, redo and undo again, checking text, modified flag and caret.
  void RoundTrip(const std::string& before, const TBufferCoord& caretBefore, const std::string& after,
                 const TBufferCoord& caretAfter) {
    for (int pass = 0; pass < 2; ++pass) {
      SCOPED_TRACE(pass);
      Edit->Undo();
      EXPECT_EQ(Joined(), before);
      EXPECT_FALSE(Edit->Modified());
      EXPECT_EQ(Edit->Caret(), caretBefore);
      Edit->Redo();
      EXPECT_EQ(Joined(), after);
      EXPECT_TRUE(Edit->Modified());
      EXPECT_EQ(Edit->Caret(), caretAfter);
    }
  }
};

TEST_F(ColumnUndoTest, PasteOntoShorterRows) {
  Edit->MoveCaretTo(BC(5, 1));
  Edit->ReplaceSelection("X\r\nY\r\nZ\r\nW");
  const std::string after = "abcdXef|ab  Y|    Z|abcdWef";
  ASSERT_EQ(Joined(), after);
  RoundTrip("abcdef|ab||abcdef", BC(5, 1), after, BC(6, 4));
}

TEST_F(ColumnUndoTest, DeletionOfAShortRow) {
  Edit->SelectRange(BC(5, 4), BC(2, 1), BC(5, 4));
  // Copying still gives every row the block's width...
  EXPECT_EQ(Edit->GetSelectedText(), "bcd\r\nb  \r\n   \r\nbcd");
  Edit->DeleteSelection();
  const std::string after = "aef|a||aef";
  ASSERT_EQ(Joined(), after);
  // ...but the deletion keeps what it took away.
  ASSERT_EQ(UndoCount(urDelete), 1);
  EXPECT_EQ(Edit->UndoList()->PeekItem()->ChangeStr(), "bcd\r\nb\r\n\r\nbcd");
  Edit->Undo();
  EXPECT_EQ(Joined(), "abcdef|ab||abcdef");
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->Caret(), BC(5, 4));
  EXPECT_EQ(Edit->SelFrom(), BC(2, 1));
  EXPECT_EQ(Edit->SelTo(), BC(5, 4));
  Edit->Redo();
  EXPECT_EQ(Joined(), after);
  RoundTrip("abcdef|ab||abcdef", BC(5, 4), after, BC(2, 1));
}

TEST_F(ColumnUndoTest, ReplacementOfABlockOverShortRows) {
  Edit->SelectRange(BC(5, 4), BC(2, 1), BC(5, 4));
  Edit->ReplaceSelection("1\r\n2\r\n3\r\n4");
  const std::string after = "a1ef|a2| 3|a4ef";
  ASSERT_EQ(Joined(), after);
  RoundTrip("abcdef|ab||abcdef", BC(5, 4), after, BC(3, 4));
}

// A normal deletion that begins past the end of its line joins the parts
// without padding; its undo brings none either.
TEST_F(EditorTest, NormalDeletionFromPastTheLineEndUndoesExactly) {
  SetLines({"ab", "xyz"});
  Edit->SetModified(false);
  Edit->SetRawSelection(BC(5, 1), BC(2, 2));
  Edit->DeleteSelection();
  ASSERT_EQ(Joined(), "abyz");
  Edit->Undo();
  EXPECT_EQ(Joined(), "ab|xyz");
  EXPECT_FALSE(Edit->Modified());
  Edit->Redo();
  EXPECT_EQ(Joined(), "abyz");
  EXPECT_TRUE(Edit->Modified());
}
