// Editing controls (memo form) in windows of the fake widget set, with the
// fake's clipboard, for the clipboard, window-message, edit-message and drag
// and drop tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditClipboard.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "SrcMemo.h"
#include "platform/Clipboard.h"
#include "platform/testing/FakeWidgetset.h"

class TExchangeMemo : public TSrcMemo {
 public:
  explicit TExchangeMemo(TComponent* owner) : TSrcMemo(owner) {}
  using TCustomSrcEdit::FCharsInWindow;
  using TCustomSrcEdit::FImeCount;
  using TCustomSrcEdit::FLinesInWindow;
  using TCustomSrcEdit::FScrollTimer;
  void SetRawSelection(const TBufferCoord& from, const TBufferCoord& to, TSrcSelectionMode mode) {
    FBlockBegin = from;
    FBlockEnd = to;
    FActiveSelectionMode = mode;
  }
  // Every command that reaches the executor, focus commands left out.
  std::vector<TSrcEditorCommand> Executed;
  std::vector<std::string> ImeStrings;
  void RunCommand(TSrcEditorCommand Command, char AChar, void* Data) override {
    if (Command == ecImeStr && Data) ImeStrings.emplace_back(static_cast<const char*>(Data));
    if (Command != ecGotFocus && Command != ecLostFocus) Executed.push_back(Command);
    TSrcMemo::RunCommand(Command, AChar, Data);
  }
};

inline TBufferCoord BC(int c, int l) { return BufferCoord(c, l); }
inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}

// The bytes of the control's block format for a text in a mode.
inline std::string Block(int mode, const std::string& text) {
  return std::string(1, static_cast<char>(mode)) + text + std::string(1, '\0');
}

// One control of 40 x 10 cells (8 x 16 pixels) right of the 30-pixel
// gutter, without border or scroll bars, at the screen's top left.
class ExchangeTest : public ::testing::Test {
 protected:
  static constexpr int kCols = 40;
  static constexpr int kRows = 10;
  static constexpr int kGutter = 30;

  void SetUp() override {
    SetWidgetset(&Fake);
    Edit = MakeEdit(0);
    Wnd = Edit->Handle();
  }
  void TearDown() override {
    for (auto& e : Edits)
      if (e) e->EndDrag(false);
    Edits.clear();
    SetWidgetset(nullptr);
  }

  // A control whose window starts `left` pixels from the screen's left.
  TExchangeMemo* MakeEdit(int left) {
    auto e = std::make_unique<TExchangeMemo>(nullptr);
    e->SetBorderStyle(bsNone);
    e->SetScrollBars(TSrcScrollStyle::ssNone);
    e->SetBounds(left, 0, kGutter + 2 + kCols * 8, kRows * 16);
    ::ShowWindow(e->Handle(), SW_SHOW);
    e->SetVisible(true);
    Fake.ProcessMessages();
    if (e->LinesInWindow() == 0) {
      e->FLinesInWindow = kRows;
      e->FCharsInWindow = kCols;
    }
    Edits.push_back(std::move(e));
    return Edits.back().get();
  }

  static void SetLines(TCustomSrcEdit* e, std::initializer_list<const char*> lines) {
    e->Lines()->Clear();
    for (const char* l : lines) e->Lines()->Add(l);
  }
  void SetLines(std::initializer_list<const char*> lines) { SetLines(Edit, lines); }
  static std::string Joined(TCustomSrcEdit* e) {
    std::string s;
    for (int i = 0; i < e->Lines()->GetCount(); ++i) {
      if (i) s += '|';
      s += e->Lines()->Get(i);
    }
    return s;
  }
  std::string Joined() const { return Joined(Edit); }

  // The undo list's reasons, oldest first.
  static std::vector<int> Reasons(TCustomSrcEdit* e) {
    std::vector<int> r;
    for (int i = 0; i < e->UndoList()->ItemCount(); ++i) r.push_back(e->UndoList()->Items(i)->ChangeReason());
    return r;
  }
  std::vector<int> Reasons() const { return Reasons(Edit); }

  // The clipboard's bytes in a format ("" when absent).
  std::string Board(UINT format) {
    auto it = Fake.ClipboardData().find(format);
    return it == Fake.ClipboardData().end() ? std::string() : it->second;
  }
  bool BoardHas(UINT format) { return Fake.ClipboardData().count(format) != 0; }
  // What another program puts on the clipboard.
  void PutOnBoard(std::initializer_list<std::pair<UINT, std::string>> data) {
    Fake.ClipboardData().clear();
    for (auto& d : data) Fake.ClipboardData()[d.first] = d.second;
  }

  // Client pixels of display column c / row r of a control.
  static int X(TCustomSrcEdit* e, int col) { return e->GutterWidth() + 2 + (col - e->LeftChar()) * e->CharWidth(); }
  static int Y(TCustomSrcEdit* e, int row) { return (row - e->TopLine()) * e->LineHeight(); }

  FakeWidgetset Fake;
  std::vector<std::unique_ptr<TExchangeMemo>> Edits;
  TExchangeMemo* Edit = nullptr;
  HWND Wnd = nullptr;
};
