// Marks: a mark repaints its gutter row only while it is in its owner's
// mark list, and keeps its owner until it leaves the list.
#include "EditorFixture.h"

class MarksTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Edit->SetBounds(0, 0, 400, 300);
    Edit->HandleNeeded();
    Edit->SetViewSize(10, 40);
    SetLines({"a", "b", "c", "d", "e"});
    Painted();
  }
  // Paints what is pending; false when nothing was.
  bool Painted() {
    TRect r;
    bool pending = ::GetUpdateRect(Edit->Handle(), &r, false);
    Fake.ProcessMessages();
    return pending;
  }
  // The pending update rectangle, which must exist.
  TRect Pending() {
    TRect r;
    EXPECT_TRUE(::GetUpdateRect(Edit->Handle(), &r, false));
    return r;
  }
};

TEST_F(MarksTest, AMarkSetUpBeforeItIsListedKeepsItsOwner) {
  auto* mark = new TSrcEditMark(Edit.get());
  mark->SetLine(3);
  mark->SetVisible(true);
  mark->SetImageIndex(2);
  mark->SetInternalImage(true);
  EXPECT_FALSE(Painted()) << "nothing of an unlisted mark is shown";
  EXPECT_EQ(mark->Owner(), Edit.get());
  Edit->Marks()->Add(mark);
  EXPECT_TRUE(Painted());
  EXPECT_EQ(mark->Owner(), Edit.get());

  // Listed: moving it repaints the gutter rows of the old and the new line.
  mark->SetLine(2);
  TRect r = Pending();
  EXPECT_EQ(r.Left, 0);
  EXPECT_LE(r.Right, Edit->GutterWidth());
  EXPECT_LE(r.Top, Edit->LineHeight());
  EXPECT_GE(r.Bottom, 3 * Edit->LineHeight());
  Painted();
  mark->SetVisible(false);
  EXPECT_TRUE(Painted()) << "hiding it repaints its row";

  // Once out of the list it forgets its owner and repaints nothing.
  Edit->Marks()->Remove(mark);
  Painted();
  mark->SetVisible(true);
  mark->SetLine(4);
  EXPECT_FALSE(Painted());
  EXPECT_EQ(mark->Owner(), nullptr);
  delete mark;
}

TEST_F(MarksTest, ANewBookmarkIsOwnedAndRepaintsWhenItMoves) {
  Edit->SetBookmark(1, 1, 4);
  TSrcEditMark* mark = Edit->Bookmark(1);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->Owner(), Edit.get());
  Painted();
  Edit->MoveCaretTo(BC(1, 1));
  Edit->ReplaceSelection("x\r\n");
  EXPECT_EQ(mark->Line(), 5);
  Painted();
  mark->SetLine(1);
  TRect r = Pending();
  EXPECT_LE(r.Right, Edit->GutterWidth());
  EXPECT_GE(r.Bottom, 5 * Edit->LineHeight());
}

// A loaded or replaced document starts without the old one's bookmarks and
// marks (the old marks would point into a text that is gone).
TEST_F(MarksTest, LoadingANewTextClearsBookmarksAndMarks) {
  for (int how = 0; how < 2; ++how) {
    SCOPED_TRACE(how == 0 ? "stream" : "text");
    SetLines({"a", "b", "c", "d", "e"});
    Edit->SetBookmark(1, 1, 5);
    Edit->Marks()->Add(new TSrcEditMark(Edit.get()));
    ASSERT_NE(Edit->Bookmark(1), nullptr);
    if (how == 0) {
      TMemoryStream stream;
      stream.WriteBuffer("x\r\ny\r\n", 6);
      Edit->Lines()->LoadFromStream(&stream);
    } else {
      Edit->SetText("x\r\ny\r\nz\r\nw\r\nv");
    }
    EXPECT_EQ(Edit->Bookmark(1), nullptr);
    EXPECT_EQ(Edit->Marks()->Count(), 0);
    Edit->GotoBookmark(1);
    EXPECT_EQ(Edit->Caret(), BC(1, 1));
  }
}
