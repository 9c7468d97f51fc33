// Drag and drop of selected text within one control and between two, driven
// by the mouse through the toolkit's drag loop.
#include "ExchangeFixture.h"

namespace {

class DragDrop : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    Other = MakeEdit(500);
  }
  void TearDown() override {
    HoldKeys(false, false);
    ExchangeTest::TearDown();
  }
  void HoldKeys(bool ctrl, bool shift) {
    Fake.SetKeyDown(VK_CONTROL, ctrl);
    Fake.SetKeyDown(VK_SHIFT, shift);
  }
  static TPoint At(TExchangeMemo* e, const TBufferCoord& p) { return TPoint(X(e, p.Char) + 1, Y(e, p.Line) + 1); }
  // Presses on the selection and moves past the drag threshold.
  void StartDrag(TExchangeMemo* from, const TBufferCoord& press) {
    const TPoint p = At(from, press);
    Fake.MouseDown(from->Handle(), mbLeft, p.X, p.Y);
    Fake.MouseMove(from->Handle(), p.X + 10, p.Y + 10);
    ASSERT_TRUE(from->Dragging());
  }
  void DragTo(TExchangeMemo* to, const TBufferCoord& where) {
    const TPoint p = At(to, where);
    Fake.MouseMove(to->Handle(), p.X, p.Y);
  }
  void Drop(TExchangeMemo* to, const TBufferCoord& where) {
    DragTo(to, where);
    const TPoint p = At(to, where);
    Fake.MouseUp(to->Handle(), mbLeft, p.X, p.Y);
  }
  TExchangeMemo* Other = nullptr;
};

struct WithinCase {
  const char* Name;
  std::vector<const char*> Lines;
  TBufferCoord From, To, Press, Target;
  bool Ctrl;
  std::string Expected;   // lines after the drop
  TBufferCoord SelStart;  // the dropped text is selected from here (the caret)
  std::string Selected;
  friend void PrintTo(const WithinCase& c, std::ostream* os) { *os << c.Name; }
};

class WithinOneControl : public DragDrop, public ::testing::WithParamInterface<WithinCase> {};

TEST_P(WithinOneControl, MovesOrCopiesTheSelection) {
  const WithinCase& c = GetParam();
  Edit->Lines()->Clear();
  for (const char* l : c.Lines) Edit->Lines()->Add(l);
  const std::string before = Joined();
  Edit->SelectRange(c.To, c.From, c.To);
  StartDrag(Edit, c.Press);
  HoldKeys(c.Ctrl, false);
  Drop(Edit, c.Target);
  EXPECT_FALSE(Edit->Dragging());
  EXPECT_EQ(Joined(), c.Expected);
  if (c.Expected == before) return;
  EXPECT_EQ(Edit->Caret(), c.SelStart);
  EXPECT_EQ(Edit->SelText(), c.Selected);
  EXPECT_EQ(Edit->SelFirst(), c.SelStart);
  Edit->Undo();
  EXPECT_EQ(Joined(), before) << "one undo takes the drop back";
  Edit->Redo();
  EXPECT_EQ(Joined(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithinOneControl,
    ::testing::Values(
        WithinCase{
            "MoveToTheLineEnd", {"abc def"}, BC(1, 1), BC(4, 1), BC(2, 1), BC(8, 1), false, " defabc", BC(5, 1), "abc"},
        WithinCase{
            "MoveBefore", {"abc def"}, BC(5, 1), BC(8, 1), BC(6, 1), BC(1, 1), false, "defabc ", BC(1, 1), "def"},
        WithinCase{
            "MoveToALaterLine", {"abc", "de"}, BC(1, 1), BC(3, 1), BC(2, 1), BC(3, 2), false, "c|deab", BC(3, 2), "ab"},
        // The rest of the last line joins the first line behind "xy": the
        // target keeps its place between E and F.
        WithinCase{"MoveLinesOntoTheirLastLine",
                   {"xyab", "cdEF"},
                   BC(3, 1),
                   BC(3, 2),
                   BC(4, 1),
                   BC(4, 2),
                   false,
                   "xyEab|cdF",
                   BC(4, 1),
                   "ab\r\ncd"},
        WithinCase{"MoveLinesBelow",
                   {"xyab", "cd", "ef"},
                   BC(3, 1),
                   BC(2, 2),
                   BC(4, 1),
                   BC(2, 3),
                   false,
                   "xyd|eab|cf",
                   BC(2, 2),
                   "ab\r\nc"},
        WithinCase{
            "InsideDoesNothing", {"abc def"}, BC(1, 1), BC(4, 1), BC(1, 1), BC(3, 1), false, "abc def", BC(1, 1), ""},
        WithinCase{"MoveOntoItsEndDoesNothing",
                   {"abc def"},
                   BC(1, 1),
                   BC(4, 1),
                   BC(2, 1),
                   BC(4, 1),
                   false,
                   "abc def",
                   BC(1, 1),
                   ""},
        WithinCase{
            "CopyAtItsEnd", {"abc def"}, BC(1, 1), BC(4, 1), BC(2, 1), BC(4, 1), true, "abcabc def", BC(4, 1), "abc"},
        WithinCase{
            "CopyAtItsStart", {"abc def"}, BC(2, 1), BC(4, 1), BC(3, 1), BC(2, 1), true, "abcbc def", BC(2, 1), "bc"}),
    [](const ::testing::TestParamInfo<WithinCase>& i) { return std::string(i.param.Name); });

TEST_F(DragDrop, BetweenControlsCopiesOrMovesWithShift) {
  SetLines(Edit, {"abc"});
  SetLines(Other, {"xyz"});
  Edit->SelectAll();
  StartDrag(Edit, BC(2, 1));
  DragTo(Other, BC(3, 1));
  EXPECT_EQ(Other->Caret(), BC(3, 1)) << "the caret follows the pointer";
  Drop(Other, BC(2, 1));
  EXPECT_EQ(Joined(Other), "xabcyz");
  EXPECT_EQ(Joined(Edit), "abc");
  EXPECT_EQ(Other->SelText(), "abc");
  EXPECT_EQ(Other->Caret(), BC(2, 1));
  EXPECT_EQ(Reasons(Other).front(), urInsert);

  Edit->SelectAll();
  StartDrag(Edit, BC(2, 1));
  HoldKeys(false, true);
  Drop(Other, BC(1, 1));
  EXPECT_EQ(Joined(Other), "abcxabcyz");
  EXPECT_EQ(Joined(Edit), "") << "moved";
  Other->Undo();
  EXPECT_EQ(Joined(Other), "xabcyz");
  Edit->Undo();
  EXPECT_EQ(Joined(Edit), "abc");
}

TEST_F(DragDrop, ReadOnlyControls) {
  SetLines(Edit, {"abc"});
  SetLines(Other, {"xyz"});
  // Out of a read-only control the text is copied even with Shift.
  Edit->SetReadOnly(true);
  Edit->SelectAll();
  StartDrag(Edit, BC(2, 1));
  HoldKeys(false, true);
  Drop(Other, BC(4, 1));
  EXPECT_EQ(Joined(Edit), "abc");
  EXPECT_EQ(Joined(Other), "xyzabc");

  // A read-only control takes nothing.
  Edit->SetReadOnly(false);
  Other->SetReadOnly(true);
  Edit->SelectAll();
  StartDrag(Edit, BC(2, 1));
  HoldKeys(false, true);
  Drop(Other, BC(1, 1));
  EXPECT_EQ(Joined(Edit), "abc");
  EXPECT_EQ(Joined(Other), "xyzabc");
}

TEST_F(DragDrop, IntoLineAndColumnModesUndoesExactly) {
  SetLines(Edit, {"ab", "cd"});
  for (TSrcSelectionMode mode : {smLine, smColumn}) {
    SetLines(Other, {"xyz", "uvw"});
    Other->SetSelectionMode(mode);
    Edit->SelectAll();
    StartDrag(Edit, BC(1, 1));
    Drop(Other, BC(2, 2));
    EXPECT_NE(Joined(Other), "xyz|uvw");
    Other->Undo();
    EXPECT_EQ(Joined(Other), "xyz|uvw") << "mode " << int(mode);
  }
}

TEST_F(DragDrop, LeavingAndCancelling) {
  SetLines(Edit, {"abc def"});
  SetLines(Other, {"xyz"});
  Edit->SelectRange(BC(4, 1), BC(1, 1), BC(4, 1));
  StartDrag(Edit, BC(2, 1));
  DragTo(Edit, BC(7, 1));
  EXPECT_EQ(Edit->Caret(), BC(7, 1));
  DragTo(Other, BC(2, 1));
  EXPECT_EQ(Edit->Caret(), BC(2, 1)) << "back at the press point when the pointer leaves";
  // Escape cancels the drag: nothing moves and the drag-scroll timer stops.
  Edit->FScrollTimer->SetEnabled(true);
  Fake.KeyDown(VK_ESCAPE, Edit->Handle());
  Fake.KeyUp(VK_ESCAPE, Edit->Handle());
  EXPECT_FALSE(Edit->Dragging());
  EXPECT_FALSE(Edit->FScrollTimer->Enabled());
  EXPECT_EQ(Joined(Edit), "abc def");
  EXPECT_EQ(Joined(Other), "xyz");
}

}  // namespace
