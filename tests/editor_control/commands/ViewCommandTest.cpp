// Commands in a window (40 x 10 cells of the fake widget set): line start
// and end on wrapped rows, and the bookmark commands.
#include <string>

#include "CommandFixture.h"
#include "SrcEditMiscClasses.h"

namespace {

class ViewCommandTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(0, 0, 30 + 2 + 40 * 8, 10 * 16);
    ::ShowWindow(Edit->Handle(), SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
  }
};

TEST_F(ViewCommandTest, LineStartAndEndOnWrappedRows) {
  // One line of 100 letters: rows of 40, 40 and 20 columns.
  SetText(std::string(100, 'a') + "|b");
  Edit->SetWordWrap(true);
  ASSERT_EQ(Edit->DisplayRowCount(), 4);
  Edit->MoveCaretTo(BC(5, 1));
  Run(ecLineEnd);  // the end of the first row, shown there
  EXPECT_EQ(Edit->Caret(), BC(41, 1));
  EXPECT_TRUE(Edit->CaretAtRowEnd());
  Run(ecLineStart);  // plain Home: the start of the line
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  Edit->SetOptions(Edit->Options() | eoEnhanceHomeKey);
  Edit->MoveCaretTo(BC(45, 1));
  Run(ecLineStart);  // enhanced Home on a later row: that row's start
  EXPECT_EQ(Edit->Caret(), BC(41, 1));
  EXPECT_FALSE(Edit->CaretAtRowEnd());
  Edit->MoveCaretTo(BC(85, 1));
  Run(ecSelLineEnd);  // the last row: after the text
  EXPECT_EQ(Edit->Caret(), BC(101, 1));
  EXPECT_EQ(Edit->SelFrom(), BC(85, 1));
  EXPECT_EQ(Edit->SelTo(), BC(101, 1));
}

TEST_F(ViewCommandTest, MarkerCommandsSetToggleAndGo) {
  SetText("a|b|c|d");
  Edit->MoveCaretTo(BC(1, 2));
  Run(ecSetMarker3);
  int c = 0, l = 0;
  ASSERT_TRUE(Edit->GetBookmark(3, c, l));
  EXPECT_EQ(l, 2);
  Run(ecSetMarker3);  // the same line: off again
  EXPECT_FALSE(Edit->GetBookmark(3, c, l));
  Run(ecSetMarker3);
  TBufferCoord at = BC(1, 4);
  Run(ecSetMarker3, 0, &at);  // another line: moved there
  ASSERT_TRUE(Edit->GetBookmark(3, c, l));
  EXPECT_EQ(l, 4);
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecGotoMarker3);
  EXPECT_EQ(Edit->Caret(), BC(1, 4));
  Run(ecGotoMarker5);  // not set: nothing
  EXPECT_EQ(Edit->Caret(), BC(1, 4));

  Edit->BookMarkOptions()->SetEnableKeys(false);
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecGotoMarker3);
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  Run(ecSetMarker0);
  EXPECT_FALSE(Edit->GetBookmark(0, c, l));
}

}  // namespace
