// Caret display, TopLine and its scrolling, and the scroll bars.
#include <string>

#include "PaintFixture.h"

namespace {

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

}  // namespace

class ScrollTest : public PaintTest {
 protected:
  void Fill(int lines, const std::string& text = "line") {
    Edit->Lines()->BeginUpdate();
    Edit->Lines()->Clear();
    for (int i = 0; i < lines; ++i) Edit->Lines()->Add(text);
    Edit->Lines()->EndUpdate();
  }
  const TWindowPeer::TScrollBarState& Bar(int bar) const { return Peer()->ScrollBar(bar); }
  // The union of the window's update region.
  TRect Pending() const {
    TRect r;
    for (const TRect& part : Peer()->UpdateRegion()) UnionRect(r, r, part);
    return r;
  }
};

// ---------------------------------------------------------------------------
// TopLine

TEST_F(ScrollTest, TopLineIsClampedToTheLastPage) {
  Fill(100);
  ASSERT_EQ(Edit->LinesInWindow(), kRows);
  struct {
    bool PastEof;
    int Value;
    int Expected;
  } cases[] = {
      {false, 1000, 100 - kRows + 1},
      {false, 50, 50},
      {false, -5, 1},
      {false, 0, 1},
      {true, 1000, 100},
      {true, 100, 100},
      {true, 95, 95},
  };
  for (const auto& c : cases) {
    Edit->SetOptions(c.PastEof ? Edit->Options() | eoScrollPastEof : Edit->Options() & ~eoScrollPastEof);
    Edit->SetTopLine(1);
    Edit->SetTopLine(c.Value);
    EXPECT_EQ(Edit->TopLine(), c.Expected) << c.PastEof << " " << c.Value;
  }
  // A document shorter than the window cannot scroll at all.
  Fill(3);
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEof);
  Edit->SetTopLine(3);
  EXPECT_EQ(Edit->TopLine(), 1);
}

TEST_F(ScrollTest, SmallScrollMovesPixelsAndRepaintsTheUncoveredBand) {
  Fill(100);
  PaintAll();
  ASSERT_TRUE(Peer()->UpdateRegion().empty());
  int reports = 0;
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges changes) {
    if ((changes & scTopLine) != 0) ++reports;
  };
  Edit->SetTopLine(4);
  EXPECT_EQ(reports, 1);
  // Three rows came in at the bottom.
  EXPECT_EQ(Pending(), TRect(0, (kRows - 3) * 16, Edit->ClientWidth(), kRows * 16));

  Fake.ProcessMessages();
  Edit->SetTopLine(40);  // a whole window or more: everything
  EXPECT_EQ(Pending(), Edit->ClientRect());
}

// ---------------------------------------------------------------------------
// Scroll bars

TEST_F(ScrollTest, VerticalBarFollowsRowsAndTopLine) {
  Edit->SetScrollBars(TSrcScrollStyle::ssVertical);
  Fill(100);
  Edit->SetTopLine(20);
  const auto& v = Bar(SB_VERT);
  EXPECT_TRUE(v.Visible);
  EXPECT_EQ(v.Min, 1);
  EXPECT_EQ(v.Max, 100);
  EXPECT_EQ(v.Page, UINT(Edit->LinesInWindow()));
  EXPECT_EQ(v.Pos, 20);
  EXPECT_FALSE(Bar(SB_HORZ).Visible);

  Edit->SetOptions(Edit->Options() | eoScrollPastEof);
  EXPECT_EQ(Bar(SB_VERT).Max, 100 + Edit->LinesInWindow() - 1);
}

TEST_F(ScrollTest, LongRangesAreScaledInto32767) {
  Edit->SetScrollBars(TSrcScrollStyle::ssBoth);
  Fill(40000);
  Edit->SetTopLine(20000);
  const auto& v = Bar(SB_VERT);
  EXPECT_EQ(v.Min, 0);
  EXPECT_EQ(v.Max, 32767);
  const int rows = Edit->LinesInWindow();
  EXPECT_EQ(v.Page, UINT(MulDiv(32767, rows, 40000)));
  EXPECT_EQ(v.Pos, 16384);  // 32767 * 20000 / 40000, rounded
  Edit->SetTopLine(40000);
  EXPECT_EQ(Bar(SB_VERT).Pos, MulDiv(32767, 40000 - rows + 1, 40000));

  // A line wider than 32767 columns without eoScrollPastEol.
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  Fill(1, Repeat('x', 50000));
  const auto& h = Bar(SB_HORZ);
  EXPECT_TRUE(h.Visible);
  EXPECT_EQ(h.Min, 0);
  EXPECT_EQ(h.Max, 32767);
  EXPECT_EQ(h.Page, UINT(MulDiv(32767, Edit->CharsInWindow(), 50000)));
  EXPECT_EQ(h.Pos, 1);  // LeftChar 1
}

TEST_F(ScrollTest, HorizontalRangeIsScrollWidthOrWidestLine) {
  Edit->SetScrollBars(TSrcScrollStyle::ssHorizontal);
  Fill(3, Repeat('x', 100));
  EXPECT_EQ(Bar(SB_HORZ).Max, Edit->MaxScrollWidth());  // eoScrollPastEol is on by default
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  EXPECT_EQ(Bar(SB_HORZ).Min, 1);
  EXPECT_EQ(Bar(SB_HORZ).Max, 100);
  EXPECT_FALSE(Bar(SB_VERT).Visible);
}

TEST_F(ScrollTest, HideShowScrollbarsHidesABarWhoseContentFits) {
  Edit->SetScrollBars(TSrcScrollStyle::ssVertical);
  Edit->SetOptions(Edit->Options() | eoHideShowScrollbars);
  Fill(3);
  EXPECT_FALSE(Bar(SB_VERT).Visible);
  Fill(50);
  EXPECT_TRUE(Bar(SB_VERT).Visible);
  Fill(2);
  EXPECT_FALSE(Bar(SB_VERT).Visible);
}

TEST_F(ScrollTest, WithoutHideShowABarThatFitsStaysWithItsArrowsDisabled) {
  Edit->SetScrollBars(TSrcScrollStyle::ssVertical);
  Fill(3);
  EXPECT_TRUE(Bar(SB_VERT).Visible);
  EXPECT_EQ(Bar(SB_VERT).Disabled, ESB_DISABLE_BOTH);
  // eoDisableScrollArrows: the arrow of the end we stand at is disabled.
  Edit->SetOptions(Edit->Options() | eoDisableScrollArrows);
  Fill(100);
  EXPECT_EQ(Bar(SB_VERT).Disabled, ESB_DISABLE_UP);
  Edit->SetTopLine(50);
  EXPECT_EQ(Bar(SB_VERT).Disabled, ESB_ENABLE_BOTH);
  Edit->SetTopLine(1000);
  EXPECT_EQ(Bar(SB_VERT).Disabled, ESB_DISABLE_DOWN);
}

TEST_F(ScrollTest, NoScrollBarsHidesBoth) {
  Edit->SetScrollBars(TSrcScrollStyle::ssBoth);
  Fill(100, Repeat('x', 100));
  EXPECT_TRUE(Bar(SB_VERT).Visible);
  EXPECT_TRUE(Bar(SB_HORZ).Visible);
  Edit->SetScrollBars(TSrcScrollStyle::ssNone);
  EXPECT_FALSE(Bar(SB_VERT).Visible);
  EXPECT_FALSE(Bar(SB_HORZ).Visible);
}

TEST_F(ScrollTest, BarUpdatesWaitForThePaintLock) {
  Edit->SetScrollBars(TSrcScrollStyle::ssVertical);
  Fill(100);
  Edit->IncPaintLock();
  Edit->SetTopLine(30);
  EXPECT_EQ(Bar(SB_VERT).Pos, 1);
  EXPECT_NE(Edit->StateFlags() & sfScrollbarChanged, 0);
  Edit->DecPaintLock();
  EXPECT_EQ(Bar(SB_VERT).Pos, 30);
  EXPECT_EQ(Edit->StateFlags() & sfScrollbarChanged, 0);
}

// ---------------------------------------------------------------------------
// Caret

TEST_F(ScrollTest, CaretIsMovedAlwaysAndShownOnlyInsideTheTextArea) {
  Fill(100, "abcdef");
  Focus();
  Edit->SetCaret(BufferCoord(3, 2));
  Edit->UpdateCaret();
  const TCaretState& caret = Fake.Caret();
  EXPECT_EQ(caret.Owner, Wnd);
  EXPECT_EQ(caret.Pos, TPoint(X(3) + Edit->CaretOffset().X, Y(2) + Edit->CaretOffset().Y + 1));
  EXPECT_TRUE(caret.Visible());

  Edit->SetTopLine(50);  // the caret's row is above the window now
  Edit->UpdateCaret();
  EXPECT_EQ(caret.Pos.Y, Y(2) + Edit->CaretOffset().Y + 1);
  EXPECT_LT(caret.Pos.Y, 0);
  EXPECT_FALSE(caret.Visible());

  Edit->SetTopLine(1);
  Edit->UpdateCaret();
  EXPECT_TRUE(caret.Visible());
}

TEST_F(ScrollTest, CaretUpdateWaitsForFocusAndPaintLock) {
  Fill(10, "abcdef");
  Edit->UpdateCaret();
  EXPECT_NE(Edit->StateFlags() & sfCaretChanged, 0);  // no focus yet
  Focus();
  Edit->IncPaintLock();
  Edit->SetCaret(BufferCoord(4, 3));
  Edit->UpdateCaret();
  EXPECT_NE(Edit->StateFlags() & sfCaretChanged, 0);
  Edit->DecPaintLock();
  EXPECT_EQ(Edit->StateFlags() & sfCaretChanged, 0);
  EXPECT_EQ(Fake.Caret().Pos.X, X(4) + Edit->CaretOffset().X);
}

TEST_F(ScrollTest, NoCaretOptionNeverShowsIt) {
  Fill(10, "abcdef");
  Edit->SetOptions(Edit->Options() | eoNoCaret);
  Focus();
  Edit->UpdateCaret();
  EXPECT_FALSE(Fake.Caret().Visible());
  EXPECT_EQ(Edit->StateFlags() & sfCaretVisible, 0);
}
