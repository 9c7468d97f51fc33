// The editing control with the HTML highlighter in a real Qt window
// (offscreen): the glyphs Qt draws for a tag name carry the keyword colour,
// and a selected cell is filled with the selection colour.
#include <gtest/gtest.h>
#include <QApplication>

#include <cstdlib>
#include <memory>

#include "QtTestEnv.h"
#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/Win32.h"
#include "platform/qt/QtWidgetset.h"

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    const int ca = int((a >> shift) & 0xFF);
    const int cb = int((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

class EditorPaintGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws = &TestWidgetset();
    Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetHighlighter(Html.get());
    Edit->SetBounds(20, 20, 480, 200);
    Edit->HandleNeeded();
    ::ShowWindow(Edit->Handle(), SW_SHOW);
    Edit->SetVisible(true);
    ws->ProcessMessages();
  }
  void TearDown() override {
    Edit.reset();
    Html.reset();
    ws->ProcessMessages();
  }
  // Paints everything and takes the client area's pixels.
  std::unique_ptr<TBitmap> Shot() {
    Edit->Invalidate();
    ::UpdateWindow(Edit->Handle());
    ws->ProcessMessages();
    return std::unique_ptr<TBitmap>(QtGrabWindow(Edit->Handle()));
  }
  TRect CellRect(int col, int row) const {
    const int x = Edit->TextOffset() + (col - 1) * Edit->CharWidth();
    const int y = (row - Edit->TopLine()) * Edit->LineHeight();
    return TRect(x, y, x + Edit->CharWidth(), y + Edit->LineHeight());
  }
  // Pixels of a cell near `color`.
  int CountNear(TBitmap& shot, const TRect& cell, COLORREF color, int tolerance) {
    int n = 0;
    for (int y = cell.Top; y < cell.Bottom; ++y)
      for (int x = cell.Left; x < cell.Right; ++x)
        if (Near(static_cast<COLORREF>(shot.Pixel(x, y)), color, tolerance)) ++n;
    return n;
  }

  QtWidgetset* ws = nullptr;
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  std::unique_ptr<TSrcEdit> Edit;
};

TEST_F(EditorPaintGuiTest, TagNameInKeywordColourAndSelectedCellInSelectionColour) {
  Edit->SetText("<table border=1>\r\n  plain text here\r\n");
  ASSERT_GE(Edit->CharWidth(), 4);
  ASSERT_GE(Edit->LineHeight(), 8);
  const COLORREF key = static_cast<COLORREF>(ColorToRGB(Html->KeyAttri()->Foreground()));
  const COLORREF text = static_cast<COLORREF>(ColorToRGB(Edit->Font()->Color()));
  const COLORREF window = static_cast<COLORREF>(ColorToRGB(Edit->Color()));

  std::unique_ptr<TBitmap> shot = Shot();
  ASSERT_NE(shot, nullptr);
  // "table" (columns 2-6): ink in the keyword colour, none in the text colour.
  int keyInk = 0;
  for (int col = 2; col <= 6; ++col) keyInk += CountNear(*shot, CellRect(col, 1), key, 40);
  EXPECT_GT(keyInk, 10);
  for (int col = 2; col <= 6; ++col) EXPECT_EQ(CountNear(*shot, CellRect(col, 1), text, 40), 0) << col;
  // "plain" on line 2 is text: its ink is the editor's text colour.
  int textInk = 0;
  for (int col = 3; col <= 7; ++col) textInk += CountNear(*shot, CellRect(col, 2), text, 40);
  EXPECT_GT(textInk, 10);

  // Select "plain text" and look at the blank between the words and at a
  // selected letter's corner.
  Edit->SetFocus();
  ws->ProcessMessages();
  Edit->SelectRange(BufferCoord(3, 2), BufferCoord(13, 2), BufferCoord(3, 2));
  shot = Shot();
  const COLORREF highlight = static_cast<COLORREF>(ColorToRGB(clHighlight));
  const TRect blank = CellRect(8, 2);
  EXPECT_EQ(static_cast<COLORREF>(shot->Pixel(blank.Left + 1, blank.Top + 1)), highlight);
  EXPECT_EQ(CountNear(*shot, blank, highlight, 0), Edit->CharWidth() * Edit->LineHeight());
  const TRect letter = CellRect(9, 2);  // the "t" of "text"
  EXPECT_EQ(static_cast<COLORREF>(shot->Pixel(letter.Left, letter.Top)), highlight);
  // Outside the selection the background stays the editor's.
  const TRect outside = CellRect(14, 2);
  EXPECT_EQ(static_cast<COLORREF>(shot->Pixel(outside.Left + 1, outside.Top + 1)), window);
}

TEST_F(EditorPaintGuiTest, ALoadIntoAShownWindowSetsItsQtScrollBarsOnce) {
  Edit->SetScrollBars(TSrcScrollStyle::ssBoth);
  Edit->SetText("short");
  ws->ProcessMessages();
  auto* peer = static_cast<QtWindowPeer*>(Edit->Handle());
  const int before = peer->ScrollBarUpdates();
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "<p class=\"c\">line " + std::to_string(i) + "</p>\r\n";
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  Edit->Lines()->LoadFromStream(&stream);
  ws->ProcessMessages();
  // Once for the cleared list, once for the loaded one.
  EXPECT_LE(peer->ScrollBarUpdates() - before, 2);
  EXPECT_EQ(peer->ScrollBar(SB_VERT).Visible, true);
}

}  // namespace
