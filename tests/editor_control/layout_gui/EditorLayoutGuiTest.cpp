// The editing control in a real Qt window (offscreen) with word wrap on:
// resizing the window rewraps the text to the new width in characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QtTestEnv.h"
#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditWordWrap.h"
#include "platform/Win32.h"

namespace {

// The rows the text takes at a width, counted line by line.
int ExpectedRows(TSrcEdit& edit, int width) {
  const TSysCharSet breaks = TSysCharSet::Range(0, 32);
  std::vector<std::int32_t> starts;
  int rows = 0;
  for (int i = 0; i < edit.Lines()->GetCount(); ++i)
    rows += TSrcWordWrapPlugin::WrapText(edit.Lines()->GetExpandedLine(i), width, width - width / 3, edit.TabWidth(),
                                         breaks, starts);
  return rows;
}

class EditorLayoutGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws = &TestWidgetset();
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(20, 20, 640, 240);
    Edit->HandleNeeded();
    ::ShowWindow(Edit->Handle(), SW_SHOW);
    Edit->SetVisible(true);
    ws->ProcessMessages();
  }
  void TearDown() override {
    Edit.reset();
    ws->ProcessMessages();
  }
  QtWidgetset* ws = nullptr;
  std::unique_ptr<TSrcEdit> Edit;
};

TEST_F(EditorLayoutGuiTest, WrapFollowsTheWindowWidth) {
  std::string text;
  for (int i = 0; i < 30; ++i) {
    for (int w = 0; w < 3 + i; ++w) text += "word" + std::to_string(w) + " ";
    text += "\r\n";
  }
  Edit->SetText(text);
  Edit->SetWordWrap(true);
  ws->ProcessMessages();
  const int wide = Edit->CharsInWindow();
  ASSERT_GT(wide, 20);
  ASSERT_EQ((640 - Edit->GutterWidth() - 2) / Edit->CharWidth(), wide);
  const int wideRows = Edit->DisplayRowCount();
  EXPECT_EQ(wideRows, ExpectedRows(*Edit, wide));

  Edit->SetBounds(20, 20, 320, 240);
  ws->ProcessMessages();
  const int narrow = Edit->CharsInWindow();
  EXPECT_EQ(narrow, (320 - Edit->GutterWidth() - 2) / Edit->CharWidth());
  EXPECT_LT(narrow, wide);
  EXPECT_EQ(static_cast<TSrcWordWrapPlugin*>(Edit->WordWrapPlugin())->MaxRowLength(), narrow);
  EXPECT_EQ(Edit->DisplayRowCount(), ExpectedRows(*Edit, narrow));
  EXPECT_GT(Edit->DisplayRowCount(), wideRows);
  // Every row fits the window (blanks at a row's end aside).
  for (int row = 1; row <= Edit->DisplayRowCount(); ++row)
    EXPECT_LE(Edit->WordWrapPlugin()->GetRowLength(row), narrow + 1) << row;

  Edit->SetBounds(20, 20, 640, 240);
  ws->ProcessMessages();
  EXPECT_EQ(Edit->CharsInWindow(), wide);
  EXPECT_EQ(Edit->DisplayRowCount(), wideRows);
}

}  // namespace
