// Word wrap in the control: the WordWrap property, conversions through tabs
// and rows, the caret placed right of a row's end, and the rows following
// the window's width, the font, the tab width and loaded text.
#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

namespace {

std::string Rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

}  // namespace

class WordWrapControlTest : public LayoutTest {
 protected:
  // Lines of 100 letters: three rows each at 40 columns.
  void HundredLetterLines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(Rep(static_cast<char>('a' + i % 26), 100));
    SetLines(lines);
  }
  std::string PaintedRow(int row) {
    Edit->Invalidate();
    Fake.ProcessMessages();
    return Fake.RowText(Wnd, (row - Edit->TopLine()) * Edit->LineHeight(), Edit->GutterWidth() + 2,
                        Edit->GutterWidth() + 2 + Edit->CharsInWindow() * Edit->CharWidth() - 1);
  }
};

TEST_F(WordWrapControlTest, TheTopLineAndTheLeftColumnSurviveSwitchingIt) {
  HundredLetterLines(50);
  Edit->SetLeftChar(5);
  Edit->SetTopLine(20);
  ASSERT_EQ(Edit->LeftChar(), 5);

  Edit->SetWordWrap(true);
  ASSERT_TRUE(Edit->WordWrap());
  EXPECT_EQ(Edit->LeftChar(), 1) << "no horizontal scrolling while wrapping";
  EXPECT_EQ(Edit->DisplayRowCount(), 150);
  EXPECT_EQ(Edit->TopLine(), 58) << "line 20 starts row 58";
  EXPECT_EQ(Edit->RowToLine(Edit->TopLine()), 20);
  Edit->SetLeftChar(9);
  EXPECT_EQ(Edit->LeftChar(), 1);

  Edit->SetWordWrap(false);
  EXPECT_FALSE(Edit->WordWrap());
  EXPECT_EQ(Edit->TopLine(), 20);
  EXPECT_EQ(Edit->DisplayRowCount(), 50);
  Edit->SetWordWrap(true);
  EXPECT_EQ(Edit->TopLine(), 58);
}

TEST_F(WordWrapControlTest, ConversionsGoThroughTabsAndRows) {
  // A tab (8 columns), 50 letters: columns 1-8 the tab, 9-58 the letters;
  // rows of 40 and 18 columns.
  SetLines({"\t" + Rep('x', 50), "next"});
  Edit->SetWordWrap(true);
  EXPECT_EQ(Edit->DisplayRowCount(), 3);
  const struct {
    TBufferCoord Buffer;
    TDisplayPoint Display;
  } cases[] = {
      {BC(1, 1), DP(1, 1)},   {BC(2, 1), DP(9, 1)},   {BC(33, 1), DP(40, 1)}, {BC(34, 1), DP(1, 2)},
      {BC(51, 1), DP(18, 2)}, {BC(52, 1), DP(19, 2)}, {BC(3, 2), DP(3, 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Edit->BufferToDisplay(c.Buffer), c.Display) << c.Buffer;
    EXPECT_EQ(Edit->DisplayToBuffer(c.Display), c.Buffer) << c.Display;
  }
  // Inside the tab's columns the position is the tab's.
  EXPECT_EQ(Edit->DisplayToBuffer(DP(5, 1)), BC(1, 1));
  EXPECT_EQ(Edit->LineToRow(2), 3);
  EXPECT_EQ(Edit->RowToLine(2), 1);
  EXPECT_EQ(PaintedRow(2), Rep('x', 18));
}

TEST_F(WordWrapControlTest, RowsAndLinesConvertBothWays) {
  // Line 1: a tab and 100 letters (three rows); line 2 one row; line 3 six
  // rows with tabs all along.
  std::string tabbed;
  for (int i = 0; i < 30; ++i) tabbed += "\tab";
  SetLines({"\t" + Rep('x', 100), "short", tabbed});
  Edit->SetWordWrap(true);
  const int rows = Edit->DisplayRowCount();
  ASSERT_GT(rows, 6);
  int line = 0;
  for (int row = 1; row <= rows; ++row) {
    SCOPED_TRACE(row);
    const int got = Edit->RowToLine(row);
    EXPECT_EQ(got, Edit->DisplayToBuffer(DP(1, row)).Line);
    if (got != line) {
      EXPECT_EQ(got, line + 1);
      EXPECT_EQ(Edit->LineToRow(got), row) << "a line starts on its first row";
      line = got;
    }
  }
  EXPECT_EQ(line, 3);
  EXPECT_EQ(Edit->LineToRow(2), 4);
  // Outside the rows, as without word wrap: rows before 1 stay, rows after
  // the last count one line each.
  EXPECT_EQ(Edit->RowToLine(0), 0);
  EXPECT_EQ(Edit->RowToLine(rows + 2), 5);
  EXPECT_EQ(Edit->LineToRow(5), rows + 2);
}

TEST_F(WordWrapControlTest, AClickRightOfAWrappedRowPutsTheCaretAtItsEnd) {
  // Rows "aaa...a " (31 columns) and 20 b.
  SetLines({Rep('a', 30) + " " + Rep('b', 20)});
  Edit->SetWordWrap(true);
  Focus();
  ASSERT_EQ(Edit->WordWrapPlugin()->GetRowLength(1), 31);

  Fake.Click(Wnd, X(36), Y(1));
  EXPECT_EQ(Edit->Caret(), BC(32, 1));
  EXPECT_TRUE(Edit->CaretAtRowEnd());
  EXPECT_EQ(Edit->LastCaretColumn(), 32);
  // Drawn at the end of row 1, not at the start of row 2.
  EXPECT_EQ(Fake.Caret().Pos.Y, Edit->CaretOffset().Y + 1);
  EXPECT_EQ(Fake.Caret().Pos.X, Edit->ColumnToX(32) + Edit->CaretOffset().X);

  Fake.Click(Wnd, X(5), Y(2));
  EXPECT_EQ(Edit->Caret(), BC(36, 1));
  EXPECT_FALSE(Edit->CaretAtRowEnd());
  EXPECT_EQ(Edit->LastCaretColumn(), 5);
  // Right of the last row of a line the caret simply goes there (past the
  // end of the line, as eoScrollPastEol allows).
  Fake.Click(Wnd, X(30), Y(2));
  EXPECT_EQ(Edit->Caret(), BC(61, 1));
  EXPECT_FALSE(Edit->CaretAtRowEnd());
}

TEST_F(WordWrapControlTest, RowsFollowTheWindowWidthTheFontAndTheTabWidth) {
  SetLines({Rep('a', 100), "\t\t" + Rep('b', 20)});
  Edit->SetWordWrap(true);
  EXPECT_EQ(Edit->DisplayRowCount(), 3 + 1);

  Fake.Resize(Wnd, Width(20), 160);
  Fake.ProcessMessages();
  EXPECT_EQ(Edit->CharsInWindow(), 20);
  EXPECT_EQ(Edit->Wrap()->MaxRowLength(), 20);
  EXPECT_EQ(Edit->DisplayRowCount(), 5 + 2);
  EXPECT_EQ(PaintedRow(2), Rep('a', 20));

  // Wider than 255 columns: rows of full width.
  Fake.Resize(Wnd, Width(300), 160);
  Fake.ProcessMessages();
  Edit->Lines()->Put(0, Rep('a', 700));
  EXPECT_EQ(Edit->Wrap()->MaxRowLength(), 300);
  EXPECT_EQ(Edit->WordWrapPlugin()->GetRowLength(1), 300);
  EXPECT_EQ(Edit->WordWrapPlugin()->GetRowLength(3), 100);
  EXPECT_EQ(Edit->DisplayRowCount(), 3 + 1);

  // A font of 10 x 20 cells: 32 columns of the 40-column window.
  Fake.Resize(Wnd, Width(40), 160);
  FakeWidgetset::TFontConfig big;
  big.CharWidth = 10;
  big.CharHeight = 20;
  big.Ascent = 16;
  Fake.SetFontMetrics("Big Mono", big);
  Edit->Font()->SetName("Big Mono");
  EXPECT_EQ(Edit->CharWidth(), 10);
  EXPECT_EQ(Edit->CharsInWindow(), 32);
  EXPECT_EQ(Edit->LinesInWindow(), 8);
  EXPECT_EQ(Edit->Wrap()->MaxRowLength(), 32);
  EXPECT_EQ(Edit->DisplayRowCount(), 22 + 2) << "700 letters in rows of 32, 36 columns of the second line";

  // Tab width 2: the second line is 24 columns wide.
  Edit->SetTabWidth(2);
  EXPECT_EQ(Edit->DisplayRowCount(), 22 + 1);
  Edit->SetTabWidth(256);
  EXPECT_EQ(Edit->WordWrapPlugin()->RowCount(), 22 + Edit->Wrap()->LineRowCount(1));
  EXPECT_GE(Edit->Wrap()->LineRowCount(1), 512 / 255);
}

TEST_F(WordWrapControlTest, LoadedAndClearedTextIsWrapped) {
  Edit->SetWordWrap(true);
  std::string text;
  for (int i = 0; i < 200; ++i) text += Rep('k', i % 90) + "\r\n";
  TMemoryStream stream;
  stream.Write(text.data(), static_cast<int>(text.size()));
  Edit->Lines()->LoadFromStream(&stream);
  int rows = 0;
  for (int i = 0; i < 200; ++i) rows += (i % 90) > 40 ? ((i % 90) > 80 ? 3 : 2) : 1;
  EXPECT_EQ(Edit->DisplayRowCount(), rows + 1) << "and the empty last line";

  Edit->ClearText();
  EXPECT_EQ(Edit->DisplayRowCount(), 0);
  EXPECT_EQ(Edit->WordWrapPlugin()->RowCount(), 0);
  Edit->Lines()->Add(Rep('z', 45));
  EXPECT_EQ(Edit->DisplayRowCount(), 2);
}
