// Bookmarks: placing, replacing, clearing and going to them, their marks
// following edits, and clearing the whole text.
#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMiscClasses.h"

class BookmarkTest : public LayoutTest {
 protected:
  void NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    SetLines(lines);
  }
  int MarkCount() const { return Edit->Marks()->Count(); }
  int LineOf(int number) const {
    TSrcEditMark* m = Edit->Bookmark(number);
    return m ? m->Line() : -1;
  }
};

TEST_F(BookmarkTest, PlacesOnlyWithinTheTextAndFillsInTheMark) {
  NumberedLines(4);
  Edit->SetBookmark(3, 5, 10);
  Edit->SetBookmark(10, 1, 1);
  Edit->SetBookmark(-1, 1, 1);
  Edit->SetBookmark(3, 1, 0);
  EXPECT_EQ(MarkCount(), 0);

  Edit->SetBookmark(3, 5, 4);
  TSrcEditMark* m = Edit->Bookmark(3);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Line(), 4);
  EXPECT_EQ(m->Char(), 5);
  EXPECT_EQ(m->ImageIndex(), 3);
  EXPECT_EQ(m->BookmarkNumber(), 3);
  EXPECT_TRUE(m->IsBookmark());
  EXPECT_TRUE(m->Visible());
  EXPECT_TRUE(m->InternalImage()) << "no image list in the bookmark options";
  EXPECT_EQ(m->Owner(), Edit.get());
  EXPECT_EQ(MarkCount(), 1);
  int c = 0, l = 0;
  EXPECT_TRUE(Edit->GetBookmark(3, c, l));
  EXPECT_EQ(BC(c, l), BC(5, 4));
  EXPECT_FALSE(Edit->GetBookmark(4, c, l));

  // An empty text still has line 1.
  Edit->ClearText();
  Edit->SetBookmark(3, 1, 1);
  ASSERT_NE(Edit->Bookmark(3), nullptr);
  EXPECT_EQ(LineOf(3), 1);
}

TEST_F(BookmarkTest, PlacingAgainReplacesAndTheEventsSeeTheMarks) {
  NumberedLines(10);
  std::vector<TSrcEditMark*> placed, cleared;
  Edit->OnPlaceBookmark = [&](TObject*, TSrcEditMark*& mark) { placed.push_back(mark); };
  Edit->OnClearBookmark = [&](TObject*, TSrcEditMark*& mark) {
    cleared.push_back(mark);
    mark = nullptr;  // whatever the handler does, the bookmark goes
  };
  Edit->SetBookmark(2, 1, 3);
  TSrcEditMark* first = Edit->Bookmark(2);
  Edit->SetBookmark(2, 4, 7);
  EXPECT_EQ(MarkCount(), 1);
  EXPECT_EQ(LineOf(2), 7);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0], first);
  ASSERT_EQ(cleared.size(), 1u);
  EXPECT_EQ(cleared[0], first);

  Edit->ClearBookmark(2);
  EXPECT_EQ(Edit->Bookmark(2), nullptr);
  EXPECT_EQ(MarkCount(), 0);
  EXPECT_EQ(cleared.size(), 2u);
  Edit->ClearBookmark(2);  // nothing left to clear
  Edit->ClearBookmark(12);
  EXPECT_EQ(cleared.size(), 2u);
}

TEST_F(BookmarkTest, ThePlaceEventCanRefuseOrReplaceTheMark) {
  NumberedLines(5);
  Edit->OnPlaceBookmark = [](TObject*, TSrcEditMark*& mark) { mark = nullptr; };
  Edit->SetBookmark(1, 1, 2);
  EXPECT_EQ(Edit->Bookmark(1), nullptr);
  EXPECT_EQ(MarkCount(), 0);

  TSrcEditMark* own = nullptr;
  Edit->OnPlaceBookmark = [&](TObject*, TSrcEditMark*& mark) {
    own = new TSrcEditMark(Edit.get());
    own->SetLine(mark->Line() + 1);
    own->SetBookmarkNumber(mark->BookmarkNumber());
    mark = own;
  };
  Edit->SetBookmark(1, 1, 2);
  EXPECT_EQ(Edit->Bookmark(1), own);
  EXPECT_EQ(LineOf(1), 3);
  EXPECT_EQ(MarkCount(), 1);
}

TEST_F(BookmarkTest, MarksFollowInsertedAndDeletedLines) {
  NumberedLines(20);
  Edit->SetBookmark(0, 1, 10);
  Edit->SetCaret(BC(1, 4));
  Edit->ReplaceSelection("a\r\nb\r\nc\r\n");
  EXPECT_EQ(LineOf(0), 13) << "three lines went in above it";
  EXPECT_EQ(Edit->Lines()->Get(12), "line 10");

  Edit->SetBookmark(1, 1, 4);
  Edit->SetBookmark(2, 1, 5);
  // Lines 4 to 11 go: line 4 stays, the marks inside move to it, later ones
  // move up by eight.
  Edit->SelectRange(BC(1, 12), BC(1, 4), BC(1, 12));
  Edit->DeleteSelection();
  EXPECT_EQ(LineOf(1), 4);
  EXPECT_EQ(LineOf(2), 4);
  EXPECT_EQ(LineOf(0), 5);
  EXPECT_EQ(Edit->Lines()->Get(4), "line 10");

  // A break inside a line keeps the marks of that line where they are.
  Edit->SetCaret(BC(3, 5));
  Edit->ReplaceSelection("\r\n");
  EXPECT_EQ(LineOf(0), 5);
  Edit->SetCaret(BC(1, 5));
  Edit->ReplaceSelection("\r\n");
  EXPECT_EQ(LineOf(0), 6);
}

TEST_F(BookmarkTest, GoingToABookmarkCentresItsLineAndCollapsesTheSelection) {
  NumberedLines(100);
  Edit->SetBookmark(2, 3, 80);
  Edit->SelectRange(BC(2, 1), BC(1, 1), BC(2, 1));
  ASSERT_TRUE(Edit->HasSelection());
  Edit->GotoBookmark(2);
  EXPECT_EQ(Edit->Caret(), BC(3, 80));
  EXPECT_EQ(Edit->SelFrom(), BC(3, 80));
  EXPECT_EQ(Edit->SelTo(), BC(3, 80));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(Edit->TopLine(), 76) << "line 80 in the middle of the 10 rows";

  // The commands reach the same operations.
  Edit->SetCaret(BC(1, 1));
  Edit->ExecuteCommand(ecGotoMarker0 + 2, '\0', nullptr);
  EXPECT_EQ(Edit->Caret(), BC(3, 80));
  Edit->SetCaret(BC(2, 7));
  Edit->ExecuteCommand(ecSetMarker0 + 5, '\0', nullptr);
  EXPECT_EQ(LineOf(5), 7);

  // Lines taken away behind the mark's back leave it beyond the text.
  Edit->Lines()->DeleteLines(50, 50);
  Edit->SetCaret(BC(1, 3));
  Edit->GotoBookmark(2);
  EXPECT_EQ(Edit->Caret(), BC(1, 3));
  Edit->GotoBookmark(7);
  Edit->GotoBookmark(11);
  EXPECT_EQ(Edit->Caret(), BC(1, 3));
}

TEST_F(BookmarkTest, GoingToABookmarkWithWordWrapCentresItsRow) {
  std::vector<std::string> lines(60, std::string(100, 'w'));  // three rows each
  SetLines(lines);
  Edit->SetWordWrap(true);
  Edit->SetBookmark(4, 1, 40);
  Edit->GotoBookmark(4);
  EXPECT_EQ(Edit->Caret(), BC(1, 40));
  const int row = Edit->LineToRow(40);
  EXPECT_EQ(row, 118);
  EXPECT_EQ(Edit->TopLine(), row - 4);
}

TEST_F(BookmarkTest, ClearingTheTextFreesTheMarksAndEmptiesTheSlots) {
  NumberedLines(10);
  int clears = 0;
  Edit->OnClearBookmark = [&](TObject*, TSrcEditMark*&) { ++clears; };
  for (int n = 0; n < 10; ++n) Edit->SetBookmark(n, 1, n + 1);
  ASSERT_EQ(MarkCount(), 10);
  Edit->ClearText();
  EXPECT_EQ(MarkCount(), 0);
  for (int n = 0; n < 10; ++n) EXPECT_EQ(Edit->Bookmark(n), nullptr) << n;
  // Nothing refers to the freed marks: clearing, going to and placing again
  // are all sound.
  Edit->ClearBookmark(3);
  Edit->GotoBookmark(3);
  EXPECT_EQ(clears, 0);
  Edit->Lines()->Add("again");
  Edit->SetBookmark(3, 2, 1);
  EXPECT_EQ(LineOf(3), 1);
  EXPECT_EQ(MarkCount(), 1);
}
