// View size, highlighter changes, the mouse wheel and the mouse cursor.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "SrcHighlighterHtml.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Win32.h"

namespace {

std::string Rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

}  // namespace

class ViewSizeTest : public LayoutTest {
 protected:
  void Lines(int count, int width = 10) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(Rep('x', width));
    SetLines(lines);
  }
};

TEST_F(ViewSizeTest, ResizingRecountsRowsAndColumnsAndReclampsTheView) {
  Lines(30, 100);
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  ASSERT_EQ(Edit->CharsInWindow(), 40);
  ASSERT_EQ(Edit->LinesInWindow(), 10);
  Edit->SetTopLine(21);
  Edit->SetLeftChar(61);
  ASSERT_EQ(Edit->TopLine(), 21);
  ASSERT_EQ(Edit->LeftChar(), 61);

  Fake.Resize(Wnd, Width(60), 20 * 16 + 7);
  Fake.ProcessMessages();
  EXPECT_EQ(Edit->CharsInWindow(), 60);
  EXPECT_EQ(Edit->LinesInWindow(), 20);
  EXPECT_EQ(Edit->TopLine(), 11) << "the last page ends at the last line";
  EXPECT_EQ(Edit->LeftChar(), 41) << "the last column ends at the widest line's end";

  // With both past-the-end options the view stays where it was.
  Edit->SetOptions(Edit->Options() | eoScrollPastEol | eoScrollPastEof);
  Edit->SetTopLine(25);
  Edit->SetLeftChar(70);
  Fake.Resize(Wnd, Width(80), 25 * 16);
  Fake.ProcessMessages();
  EXPECT_EQ(Edit->TopLine(), 25);
  EXPECT_EQ(Edit->LeftChar(), 70);

  // No room at all: no negative counts.
  Fake.Resize(Wnd, 10, 10);
  Fake.ProcessMessages();
  EXPECT_EQ(Edit->CharsInWindow(), 0);
  EXPECT_EQ(Edit->LinesInWindow(), 0);
}

TEST_F(ViewSizeTest, AFontChangeRemeasuresAndMakesTheCaretAgain) {
  Lines(5);
  Focus();
  ASSERT_EQ(Fake.Caret().Height, 16 - 2);
  FakeWidgetset::TFontConfig big;
  big.CharWidth = 16;
  big.CharHeight = 32;
  big.Ascent = 26;
  Fake.SetFontMetrics("Big Mono", big);
  Edit->Font()->SetName("Big Mono");
  EXPECT_EQ(Edit->CharWidth(), 16);
  EXPECT_EQ(Edit->LineHeight(), 32);
  EXPECT_EQ(Edit->CharsInWindow(), 20);
  EXPECT_EQ(Edit->LinesInWindow(), 5);
  EXPECT_EQ(Fake.Caret().Height, 32 - 2);
  EXPECT_EQ(Edit->StateFlags() & (sfCaretChanged | sfScrollbarChanged), 0);

  Edit->SetExtraLineSpacing(8);
  EXPECT_EQ(Edit->LineHeight(), 40);
  EXPECT_EQ(Edit->LinesInWindow(), 4);
}

TEST_F(ViewSizeTest, HighlighterChangesRescanOnlyWhenTheHighlighterItselfChanged) {
  SetLines({"<!-- open", "still comment", "-->", "<b>"});
  TSrcHTMLHighlighter html(nullptr);
  Edit->SetHighlighter(&html);
  const int s0 = Edit->Lines()->GetLineScanState(0);
  const int s3 = Edit->Lines()->GetLineScanState(3);
  Edit->Lines()->SetLineScanState(0, 77);
  Edit->Lines()->SetLineScanState(3, 77);

  // An attribute reports itself: a repaint, no rescan.
  html.CommentAttri()->SetForeground(clRed);
  EXPECT_EQ(Edit->Lines()->GetLineScanState(0), 77);

  html.NotifyAttributeChange(&html);
  EXPECT_EQ(Edit->Lines()->GetLineScanState(0), s0);
  EXPECT_EQ(Edit->Lines()->GetLineScanState(3), s3);
  Edit->SetHighlighter(nullptr);
}

TEST_F(ViewSizeTest, TheWheelScrollsByNotchesAndCarriesPartialOnes) {
  Lines(300);
  Focus();
  int scrolls = 0;
  Edit->OnScroll = [&](TObject*, TScrollBarKind kind) {
    EXPECT_EQ(kind, sbVertical);
    ++scrolls;
  };
  Edit->SetTopLine(100);
  Fake.Wheel(Wnd, 40, 50, 20);
  Fake.Wheel(Wnd, 40, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 100);
  Fake.Wheel(Wnd, 40, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 97) << "three lines per notch, on the third message";
  EXPECT_EQ(scrolls, 3);
  Fake.Wheel(Wnd, -240, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 103) << "negative deltas scroll towards the end";
  Fake.Wheel(Wnd, -60, 50, 20);
  Fake.Wheel(Wnd, 60, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 103) << "half a notch each way cancels";

  const int saved = Mouse.WheelScrollLines;
  Mouse.WheelScrollLines = 100;  // more than a window: a window
  Fake.Wheel(Wnd, 120, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 93);
  Mouse.WheelScrollLines = -1;  // a page per notch
  Fake.Wheel(Wnd, -120, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 103);
  Mouse.WheelScrollLines = saved;
}

TEST_F(ViewSizeTest, TheWheelWithCtrlScrollsAWindowOrHalfOfOne) {
  Lines(300);
  Fake.Resize(Wnd, Width(40), 30 * 16);
  Focus();
  ASSERT_EQ(Edit->LinesInWindow(), 30);
  Edit->SetTopLine(100);
  Fake.SetKeyDown(VK_CONTROL, true);
  Fake.Wheel(Wnd, -120, 50, 20, MK_CONTROL);
  EXPECT_EQ(Edit->TopLine(), 130);
  Edit->SetOptions(Edit->Options() | eoHalfPageScroll);
  Fake.Wheel(Wnd, 120, 50, 20, MK_CONTROL);
  EXPECT_EQ(Edit->TopLine(), 115);
  Fake.SetKeyDown(VK_CONTROL, false);
  // Clamped at the start.
  Fake.Wheel(Wnd, 120 * 100, 50, 20);
  EXPECT_EQ(Edit->TopLine(), 1);
}

TEST_F(ViewSizeTest, QueuedTurnsScrollOnceToWhereSingleTurnsLead) {
  struct Case {
    const char* what;
    std::vector<int> turns;
    bool wrap;
    int fromEnd;  // start this many rows above the last top line
  };
  const std::vector<int> down200(200, -120);
  std::vector<int> downUp(10, -120);
  downUp.insert(downUp.end(), 10, 120);
  const std::vector<Case> cases = {
      {"one notch", {-120}, false, 100},
      {"seven notches past the end", std::vector<int>(7, -120), false, 10},
      {"200 notches near the end", down200, false, 30},
      {"200 notches near the end, wrapped", down200, true, 30},
      {"200 notches to the start", std::vector<int>(200, 120), false, 200},
      {"200 notches to the start, wrapped", std::vector<int>(200, 120), true, 200},
      {"more than a message's delta holds", std::vector<int>(300, -120), false, 1400},
      {"partial turns carried", {-40, -40, -100, -60, -120, -80, -40}, true, 100},
      {"down to the end, then up", downUp, false, 12},
      {"down to the end, then up, wrapped", downUp, true, 12},
  };
  std::vector<std::string> lines;
  for (int i = 0; i < 1500; ++i) lines.push_back(Rep('x', 10 + i % 70));  // up to 2 rows wrapped
  SetLines(lines);
  Focus();
  int scrolls = 0;
  Edit->OnScroll = [&](TObject*, TScrollBarKind) { ++scrolls; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Edit->SetWordWrap(c.wrap);
    Edit->SetTopLine(INT_MAX);
    const int start = std::max(1, Edit->TopLine() - c.fromEnd);

    Edit->SetTopLine(start);
    scrolls = 0;
    for (int d : c.turns) Fake.Wheel(Wnd, d, 50, 20);
    const int single = Edit->TopLine();
    EXPECT_EQ(scrolls, int(c.turns.size()));

    Edit->SetTopLine(start);
    scrolls = 0;
    for (int d : c.turns) Fake.QueueWheel(Wnd, d, 50, 20);
    // A turn the other way, or one the message's delta cannot add, sends
    // what waits.
    const bool oneMessage = c.turns.front() * c.turns.back() > 0 && c.turns.size() <= 273;
    if (oneMessage) {
      EXPECT_EQ(Edit->TopLine(), start) << "the turns wait for the program's loop";
    }
    Fake.ProcessMessages();
    EXPECT_EQ(Edit->TopLine(), single);
    EXPECT_EQ(scrolls, oneMessage ? 1 : 2) << "one scroll for each run of turns one way";
  }
  Edit->SetWordWrap(false);
}

TEST_F(ViewSizeTest, QueuedTurnsComeBeforeTheInputThatFollows) {
  Lines(300);
  Focus();
  Edit->SetTopLine(100);
  // Ctrl pressed after the turns: they still scroll by lines, not windows.
  Fake.QueueWheel(Wnd, -120, 50, 20);
  Fake.QueueWheel(Wnd, -120, 50, 20);
  Fake.KeyDown(VK_CONTROL);
  EXPECT_EQ(Edit->TopLine(), 106);
  Fake.QueueWheel(Wnd, -120, 50, 20, MK_CONTROL);
  Fake.KeyUp(VK_CONTROL);
  EXPECT_EQ(Edit->TopLine(), 116) << "a window with Ctrl held when it turned";
  // A click lands on the row the turns brought under the mouse.
  Fake.QueueWheel(Wnd, 120, 50, 20);
  Fake.Click(Wnd, X(1), 5);
  EXPECT_EQ(Edit->TopLine(), 113);
  EXPECT_EQ(Edit->CaretLine(), 113);
}

TEST_F(ViewSizeTest, TheCursorShowsWhereADragCanStart) {
  SetLines({"one two three", "four"});
  Edit->SelectRange(BC(8, 1), BC(5, 1), BC(8, 1));  // "two"
  const HCURSOR ibeam = CursorToIdc(crIBeam);
  const HCURSOR arrow = CursorToIdc(crArrow);

  Fake.MouseMove(Wnd, X(1), Y(1));
  EXPECT_EQ(Fake.CurrentCursor(), ibeam);
  Fake.MouseMove(Wnd, X(6), Y(1));
  EXPECT_EQ(Fake.CurrentCursor(), arrow) << "over the selection a drag can start";
  Fake.MouseMove(Wnd, 5, Y(1));
  EXPECT_EQ(Fake.CurrentCursor(), arrow) << "the gutter's cursor";
  Edit->Gutter()->SetCursor(crHandPoint);
  Fake.MouseMove(Wnd, 5, Y(2));
  EXPECT_EQ(Fake.CurrentCursor(), CursorToIdc(crHandPoint));

  // With the mouse captured (a button held) the text cursor stays.
  Fake.MouseMove(Wnd, X(1), Y(1));
  Edit->SetMouseCapture(true);
  Fake.SetCursorPosition(Edit->ClientToScreen(TPoint(X(6), Y(1))));
  Edit->UpdateMouseCursor();
  EXPECT_EQ(Fake.CurrentCursor(), ibeam);
  Edit->SetMouseCapture(false);

  Edit->SetOptions(Edit->Options() & ~eoDragDropEditing);
  Fake.MouseMove(Wnd, X(6), Y(1));
  EXPECT_EQ(Fake.CurrentCursor(), ibeam);

  TBufferCoord seen;
  Edit->OnMouseCursor = [&](TObject*, const TBufferCoord& pos, int& cursor) {
    seen = pos;
    cursor = crCross;
  };
  Fake.MouseMove(Wnd, X(3), Y(2));
  EXPECT_EQ(Fake.CurrentCursor(), CursorToIdc(crCross));
  EXPECT_EQ(seen, BC(3, 2));
}
