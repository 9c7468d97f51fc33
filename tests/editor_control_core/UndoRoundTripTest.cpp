// Text changes undone and redone through the control's own commands give
// back exactly the earlier text and the modified state that goes with it.
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
