// The control in a window of the fake widget set: 40 x 10 cells of 8 x 16
// pixels right of the 30-pixel gutter, without border or scroll bars.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditMarks.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditWordWrap.h"
#include "platform/testing/FakeWidgetset.h"

inline TBufferCoord BC(int c, int l) { return BufferCoord(c, l); }
inline TDisplayPoint DP(int c, int r) { return DisplayCoord(c, r); }

inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TDisplayPoint& p) {
  return os << "[" << p.Column << ", " << p.Row << "]";
}

class TLayoutEdit : public TSrcEdit {
 public:
  explicit TLayoutEdit(TComponent* owner) : TSrcEdit(owner) {}
  using TCustomSrcEdit::FCharsInWindow;
  using TCustomSrcEdit::FLinesInWindow;
  using TCustomSrcEdit::FMarkList;
  TSrcWordWrapPlugin* Wrap() const { return static_cast<TSrcWordWrapPlugin*>(WordWrapPlugin()); }
};

class LayoutTest : public ::testing::Test {
 protected:
  static constexpr int kCols = 40;
  static constexpr int kRows = 10;
  static constexpr int kGutter = 30;

  void SetUp() override {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TLayoutEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(0, 0, Width(kCols), kRows * 16);
    Wnd = Edit->Handle();
    ::ShowWindow(Wnd, SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
  }
  void TearDown() override {
    Edit.reset();
    SetWidgetset(nullptr);
  }

  static int Width(int cols) { return kGutter + 2 + cols * 8; }

  void SetLines(const std::vector<std::string>& lines) {
    Edit->Lines()->Clear();
    for (const std::string& l : lines) Edit->Lines()->Add(l);
  }
  void Focus() {
    Edit->SetFocus();
    Fake.ProcessMessages();
  }
  // Client coordinates of a display cell's centre.
  int X(int col) const { return Edit->GutterWidth() + 2 + (col - Edit->LeftChar()) * Edit->CharWidth() + 3; }
  int Y(int row) const { return (row - Edit->TopLine()) * Edit->LineHeight() + 5; }

  FakeWidgetset Fake;
  std::unique_ptr<TLayoutEdit> Edit;
  HWND Wnd = nullptr;
};
