// The mouse: pixel conversions, placing the caret, selecting by dragging
// and with Shift, the press on a selection that may start a drag, the right
// button, double clicks, gutter clicks and the drag-scroll timer.
#include "InputFixture.h"

namespace {
const TShiftState kNone;
const TShiftState kShift{ssShift};
const TShiftState kAlt{ssAlt};
}  // namespace

TEST_F(InputTest, PixelConversions) {
  const int x0 = kGutter + 2;
  struct {
    int x, y;
    TDisplayPoint plain, rounded;
  } cases[] = {
      {x0, 0, DisplayCoord(1, 1), DisplayCoord(1, 1)},
      {x0 + 2 * kCW + 3, kLH + 15, DisplayCoord(3, 2), DisplayCoord(3, 2)},  // left half
      {x0 + 2 * kCW + 5, kLH, DisplayCoord(3, 2), DisplayCoord(4, 2)},       // right half: the column after
      {x0 + 2 * kCW + 4, 0, DisplayCoord(3, 1), DisplayCoord(3, 1)},         // 2.5 -> 2 (even)
      {x0 + 3 * kCW + 4, 0, DisplayCoord(4, 1), DisplayCoord(5, 1)},         // 3.5 -> 4 (even)
      {0, -5, DisplayCoord(1, 1), DisplayCoord(1, 1)},                       // in the gutter, above
      {x0, 1000, DisplayCoord(1, 1 + 1000 / kLH), DisplayCoord(1, kRows)},   // rounded: y within the window
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Edit->PixelsToDisplay(c.x, c.y), c.plain) << c.x << "," << c.y;
    EXPECT_EQ(Edit->PixelsToDisplayRounded(c.x, c.y), c.rounded) << c.x << "," << c.y;
  }
  TPoint p = Edit->DisplayToPixels(DisplayCoord(3, 2));
  EXPECT_EQ(p.X, x0 + 2 * kCW);
  EXPECT_EQ(p.Y, kLH);
  SetLines({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m"});
  Edit->SetTopLine(3);
  ASSERT_EQ(Edit->TopLine(), 3);
  EXPECT_EQ(Edit->PixelsToDisplay(x0, kLH).Row, 4);
  EXPECT_EQ(Edit->DisplayToPixels(DisplayCoord(1, 3)).Y, 0);
}

TEST_F(InputTest, ClickPlacesTheCaret) {
  SetLines({"hello world", "second"});
  Click(X(4) + 5, Y(1) + 3);  // right half of column 4
  EXPECT_EQ(Edit->Caret(), BC(5, 1));
  EXPECT_FALSE(Edit->HasSelection());
  Click(X(20), Y(1));  // past the line end (eoScrollPastEol)
  EXPECT_EQ(Edit->Caret(), BC(20, 1));
  Click(X(2), Y(6));  // below the last line: the last line
  EXPECT_EQ(Edit->Caret(), BC(2, 2));
  EXPECT_FALSE(Edit->MouseCapture());
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(InputTest, DragAndShiftClickSelect) {
  SetLines({"hello world", "second line"});
  Down(X(2), Y(1));
  EXPECT_TRUE(Edit->MouseCapture());
  Move(X(7), Y(2) + 2);
  EXPECT_EQ(Edit->Caret(), BC(7, 2));
  EXPECT_EQ(Edit->SelFrom(), BC(2, 1));
  EXPECT_EQ(Edit->SelTo(), BC(7, 2));
  Up(X(7), Y(2) + 2);
  EXPECT_EQ(Edit->GetSelectedText(), "ello world\r\nsecond");
  // Moving without a button changes nothing.
  Move(X(1), Y(1));
  EXPECT_EQ(Edit->Caret(), BC(7, 2));

  // A plain click collapses; Shift extends from SelFrom to the new caret.
  Click(X(3), Y(1));
  Click(X(8), Y(1), kShift);
  EXPECT_EQ(Edit->SelFrom(), BC(3, 1));
  EXPECT_EQ(Edit->SelTo(), BC(8, 1));
  EXPECT_EQ(Edit->Caret(), BC(8, 1));
  EXPECT_EQ(Edit->GetSelectedText(), "llo w");
}

TEST_F(InputTest, PressOnTheSelection) {
  SetLines({"hello world"});
  // Released without moving: the caret goes to the release point and the
  // selection collapses.
  Edit->SelectRange(BC(7, 1), BC(1, 1), BC(7, 1));
  Down(X(3), Y(1));
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1)) << "the selection waits for a drag";
  EXPECT_EQ(Edit->SelTo(), BC(7, 1));
  EXPECT_NE(Edit->StateFlags() & sfWaitForDragging, 0);
  Up(X(4), Y(1));
  EXPECT_EQ(Edit->Caret(), BC(4, 1));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->StateFlags() & sfWaitForDragging, 0);

  // Moved past the drag threshold: a drag of the control begins and the
  // selection stays.
  Edit->SelectRange(BC(7, 1), BC(1, 1), BC(7, 1));
  Down(X(3), Y(1));
  Move(X(3) + 3, Y(1));
  EXPECT_FALSE(Edit->Dragging());
  Move(X(3) + GetSystemMetrics(SM_CXDRAG), Y(1));
  EXPECT_TRUE(Edit->Dragging());
  EXPECT_EQ(Edit->GetSelectedText(), "hello ");
  Edit->EndDrag(false);

  // Without drag-and-drop editing a press on the selection collapses it.
  Edit->SetOptions(Edit->Options() & ~eoDragDropEditing);
  Edit->SelectRange(BC(7, 1), BC(1, 1), BC(7, 1));
  Down(X(3), Y(1));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->Caret(), BC(3, 1));
  Up(X(3), Y(1));
}

TEST_F(InputTest, RightButton) {
  SetLines({"hello world"});
  Edit->SelectRange(BC(5, 1), BC(2, 1), BC(5, 1));
  Down(X(9), Y(1), kNone, true);
  Up(X(9), Y(1), kNone, true);
  EXPECT_EQ(Edit->Caret(), BC(5, 1)) << "without eoRightMouseMovesCursor nothing moves";
  EXPECT_EQ(Edit->SelFrom(), BC(2, 1));
  EXPECT_EQ(Edit->SelTo(), BC(5, 1));

  Edit->SetOptions(Edit->Options() | eoRightMouseMovesCursor);
  Down(X(3), Y(1), kNone, true);  // inside the selection: nothing
  Up(X(3), Y(1), kNone, true);
  EXPECT_EQ(Edit->Caret(), BC(5, 1));
  EXPECT_TRUE(Edit->HasSelection());
  Down(X(9), Y(1), kNone, true);  // outside: the caret moves, the selection goes
  Up(X(9), Y(1), kNone, true);
  EXPECT_EQ(Edit->Caret(), BC(9, 1));
  EXPECT_FALSE(Edit->HasSelection());
}

TEST_F(InputTest, AltSetsColumnMode) {
  SetLines({"hello", "world"});
  Click(X(2), Y(1), kAlt);
  EXPECT_EQ(Edit->SelectionMode(), smNormal) << "only with eoAltSetsColumnMode";
  Edit->SetOptions(Edit->Options() | eoAltSetsColumnMode);
  Down(X(2), Y(1), kAlt);
  EXPECT_EQ(Edit->SelectionMode(), smColumn);
  Move(X(4), Y(2), kAlt);
  Up(X(4), Y(2), kAlt);
  EXPECT_EQ(Edit->GetSelectedText(), "el\r\nor");
  Click(X(2), Y(1));
  EXPECT_EQ(Edit->SelectionMode(), smNormal);
}

TEST_F(InputTest, DoubleClickSelectsTheWord) {
  SetLines({"hello world", "x"});
  int dbl = 0;
  Edit->OnDblClick = [&](TObject*) { ++dbl; };
  std::vector<int> downs;
  Edit->KbdHandler()->AddMouseDownHandler(&downs,
                                          [&](TObject*, TMouseButton, TShiftState, int x, int) { downs.push_back(x); });
  DoubleClick(X(9), Y(1));
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(Edit->SelFrom(), BC(7, 1));
  EXPECT_EQ(Edit->SelTo(), BC(12, 1));
  EXPECT_EQ(Edit->Caret(), BC(12, 1));
  EXPECT_EQ(Edit->GetSelectedText(), "world");
  EXPECT_EQ(downs.size(), 1u) << "the double-click press goes no further than the event";
  EXPECT_EQ(Edit->StateFlags() & sfDblClicked, 0);
  EXPECT_FALSE(Edit->MouseCapture());

  // With eoNoSelection nothing is selected.
  Edit->SetOptions(Edit->Options() | eoNoSelection);
  DoubleClick(X(2), Y(1));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(dbl, 2);

  // In the gutter only the event fires.
  Edit->SetOptions(Edit->Options() & ~eoNoSelection);
  DoubleClick(5, Y(1));
  EXPECT_EQ(dbl, 3);
  EXPECT_FALSE(Edit->HasSelection());
}

TEST_F(InputTest, GutterClick) {
  SetLines({"one", "two", "three"});
  struct TClick {
    int button, x, line;
    TSrcEditMark* mark;
  };
  std::vector<TClick> clicks;
  Edit->OnGutterClick = [&](TObject*, int button, int x, int, int line, TSrcEditMark* mark) {
    clicks.push_back({button, x, line, mark});
  };
  TSrcEditMark* first = Edit->AddMark(2, 1);
  TSrcEditMark* second = Edit->AddMark(2, 2);
  Edit->AddMark(3, 3);
  const int xoff = Edit->BookMarkOptions()->Xoffset();

  // A right press goes no further than the event unless it may move the
  // caret; then it reports the gutter click at once. A left press reports
  // it on release.
  Down(xoff - 1, Y(2) + 3, kNone, true);
  Up(xoff - 1, Y(2) + 3, kNone, true);
  EXPECT_TRUE(clicks.empty());
  Edit->SetOptions(Edit->Options() | eoRightMouseMovesCursor);
  Down(xoff - 1, Y(2) + 3, kNone, true);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].button, int(mbRight));
  EXPECT_EQ(clicks[0].line, 2);
  EXPECT_EQ(clicks[0].mark, first);
  Up(xoff - 1, Y(2) + 3, kNone, true);
  EXPECT_EQ(clicks.size(), 1u);

  Down(xoff + 1, Y(2));
  EXPECT_EQ(clicks.size(), 1u);
  Up(xoff + 1, Y(2));
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1].button, int(mbLeft));
  EXPECT_EQ(clicks[1].mark, second);

  Click(2 * xoff + 1, Y(2));  // beyond both marks
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[2].mark, nullptr);
  Click(1, Y(5));  // below the text: no event
  EXPECT_EQ(clicks.size(), 3u);
  // A left press in the gutter released over the text is no gutter click.
  Down(1, Y(1));
  Move(X(3), Y(3));
  EXPECT_NE(Edit->StateFlags() & sfGutterDragging, 0);
  Up(X(3), Y(3));
  EXPECT_EQ(clicks.size(), 3u);
  EXPECT_EQ(Edit->StateFlags() & (sfGutterClicked | sfGutterDragging), 0);
}

TEST_F(InputTest, DragScrollTimer) {
  for (int i = 1; i <= 30; ++i) Edit->Lines()->Add("line " + std::to_string(i));
  Down(X(3), Y(2));
  EXPECT_FALSE(Edit->ScrollTimerOn());
  // Past the bottom edge (2 pixels in without a border): one row per tick;
  // the caret keeps its row until the timer scrolls.
  Move(X(3), kRows * kLH + 1);
  EXPECT_EQ(Edit->FScrollDeltaY, 1);
  EXPECT_TRUE(Edit->ScrollTimerOn());
  EXPECT_EQ(Edit->Caret(), BC(3, 2));
  Fake.Advance(99);
  EXPECT_EQ(Edit->TopLine(), 1);
  Fake.Advance(1);
  EXPECT_EQ(Edit->TopLine(), 2);
  EXPECT_EQ(Edit->Caret(), BC(3, 11));
  EXPECT_EQ(Edit->SelFrom(), BC(3, 2));
  EXPECT_EQ(Edit->SelTo(), BC(3, 11));
  // With Shift held a page per tick.
  HoldModifiers(kShift);
  Fake.Advance(100);
  EXPECT_EQ(Edit->TopLine(), 12);
  EXPECT_EQ(Edit->Caret(), BC(3, 21));
  Fake.Advance(100);
  EXPECT_EQ(Edit->TopLine(), 21) << "clamped to the last page";
  EXPECT_EQ(Edit->Caret(), BC(3, 30));
  HoldModifiers(kNone);
  // Further away, faster: two rows per tick above the top.
  Move(X(3), -kLH - 1);
  EXPECT_EQ(Edit->FScrollDeltaY, -2);
  Fake.Advance(100);
  EXPECT_EQ(Edit->TopLine(), 19);
  EXPECT_EQ(Edit->Caret(), BC(3, 19));
  // Back inside: the timer stops; the release stops it in any case.
  Move(X(3), Y(19) + 20);
  EXPECT_FALSE(Edit->ScrollTimerOn());
  Move(X(3), kRows * kLH + 40);
  EXPECT_TRUE(Edit->ScrollTimerOn());
  Up(X(3), kRows * kLH + 40);
  EXPECT_FALSE(Edit->ScrollTimerOn());
  EXPECT_EQ(Edit->SelFrom(), BC(3, 2));
}

TEST_F(InputTest, DragScrollTimerHorizontally) {
  SetLines({"0123456789012345678901234567890123456789012345678901234567890123456789"});
  Down(X(5), Y(1));
  // Past the right edge: the view scrolls one column per tick and the caret
  // goes to the column just past the window.
  Move(kGutter + kCols * kCW - 1, Y(1));
  EXPECT_EQ(Edit->FScrollDeltaX, 1);
  Fake.Advance(100);
  EXPECT_GE(Edit->LeftChar(), 2);
  EXPECT_EQ(Edit->Caret(), BC(2 + kCols, 1));
  EXPECT_GT(Edit->LeftChar() + Edit->CharsInWindow(), Edit->CaretChar()) << "the caret stays in view";
  EXPECT_EQ(Edit->GetSelectedText(), std::string(Edit->Lines()->Get(0)).substr(4, 2 + kCols - 5));
  // Over the gutter: four columns per tick back, down to column 1.
  Move(5, Y(1));
  EXPECT_EQ(Edit->FScrollDeltaX, (5 - kGutter - 2) / kCW - 1);
  Fake.Advance(100);
  EXPECT_EQ(Edit->LeftChar(), 1);
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  Up(5, Y(1));
  EXPECT_FALSE(Edit->ScrollTimerOn());
  EXPECT_EQ(Edit->GetSelectedText(), "0123");
}

// With word wrap the gutter reports the text line of the clicked row, and a
// click right of a wrapped row's end leaves the caret at that row's end.
TEST_F(InputTest, WordWrapRowsAndGutterLines) {
  SetLines({std::string(100, 'a').c_str(), "b"});
  Edit->SetWordWrap(true);
  ASSERT_EQ(Edit->DisplayRowCount(), 4);
  std::vector<int> lines;
  Edit->OnGutterClick = [&](TObject*, int, int, int, int line, TSrcEditMark*) { lines.push_back(line); };
  Click(1, Y(2));
  Click(1, Y(3));
  Click(1, Y(4));
  EXPECT_EQ(lines, (std::vector<int>{1, 1, 2}));

  const int rowLength = Edit->WordWrapPlugin()->GetRowLength(1);
  Click(X(rowLength + 5), Y(1));
  EXPECT_EQ(Edit->Caret(), BC(rowLength + 1, 1));
  EXPECT_TRUE(Edit->CaretAtRowEnd());
  EXPECT_EQ(Edit->DisplayToPixels(DisplayCoord(rowLength + 1, 1)).Y, Y(1));
  Click(X(3), Y(2));
  EXPECT_EQ(Edit->Caret(), BC(rowLength + 3, 1));
  EXPECT_FALSE(Edit->CaretAtRowEnd());
}
