// A control in a window of the fake widget set, driven by key and mouse
// messages sent through Perform, with the fake's key state for the
// modifiers (as the widget sets deliver them).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditKbdHandler.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditTextBuffer.h"
#include "platform/testing/FakeWidgetset.h"

class TInputEdit : public TSrcEdit {
 public:
  explicit TInputEdit(TComponent* owner) : TSrcEdit(owner) {}
  using TCustomSrcEdit::FCharsInWindow;
  using TCustomSrcEdit::FImeCount;
  using TCustomSrcEdit::FLinesInWindow;
  using TCustomSrcEdit::FMarkList;
  using TCustomSrcEdit::FScrollDeltaX;
  using TCustomSrcEdit::FScrollDeltaY;
  using TCustomSrcEdit::FScrollTimer;

  // Every command that reaches the executor from outside (focus commands
  // and the executor's own inner calls left out).
  std::vector<TSrcEditorCommand> Executed;
  void RunCommand(TSrcEditorCommand Command, char AChar, void* Data) override {
    if (FDepth == 0 && Command != ecGotFocus && Command != ecLostFocus) Executed.push_back(Command);
    ++FDepth;
    try {
      TSrcEdit::RunCommand(Command, AChar, Data);
    } catch (...) {
      --FDepth;
      throw;
    }
    --FDepth;
  }
  TSrcEditMark* AddMark(int line, int number = -1) {
    auto* m = new TSrcEditMark(this);
    m->SetLine(line);
    m->SetChar(1);
    m->SetBookmarkNumber(number);
    m->SetVisible(true);
    FMarkList->Add(m);
    return m;
  }
  bool ScrollTimerOn() const { return FScrollTimer->Enabled(); }

 private:
  int FDepth = 0;
};

// What a command event saw.
struct TSeenCommand {
  TSrcEditorCommand Command;
  char Ch;
  friend bool operator==(const TSeenCommand& a, const TSeenCommand& b) {
    return a.Command == b.Command && a.Ch == b.Ch;
  }
  friend std::ostream& operator<<(std::ostream& os, const TSeenCommand& c) {
    return os << "{" << c.Command << ", " << int(static_cast<unsigned char>(c.Ch)) << "}";
  }
};

inline TBufferCoord BC(int c, int l) { return BufferCoord(c, l); }
inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}

// The control in a window of 40 x 10 cells (8 x 16 pixels) right of the
// 30-pixel gutter, without border or scroll bars.
class InputTest : public ::testing::Test {
 protected:
  static constexpr int kCols = 40;
  static constexpr int kRows = 10;
  static constexpr int kGutter = 30;
  static constexpr int kCW = 8;
  static constexpr int kLH = 16;

  void SetUp() override {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TInputEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(0, 0, kGutter + 2 + kCols * kCW, kRows * kLH);
    Wnd = Edit->Handle();
    ::ShowWindow(Wnd, SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
    if (Edit->LinesInWindow() == 0) {
      Edit->FLinesInWindow = kRows;
      Edit->FCharsInWindow = kCols;
    }
    Edit->OnProcessCommand = [this](TObject*, TSrcEditorCommand& c, char& ch, void*) {
      if (c != ecGotFocus && c != ecLostFocus) Seen.push_back({c, ch});
    };
    Edit->OnProcessUserCommand = [this](TObject*, TSrcEditorCommand& c, char& ch, void*) { Seen.push_back({c, ch}); };
  }
  void TearDown() override {
    if (Edit) Edit->EndDrag(false);
    Edit.reset();
    SetWidgetset(nullptr);
  }

  void SetLines(std::initializer_list<const char*> lines) {
    Edit->Lines()->Clear();
    for (const char* l : lines) Edit->Lines()->Add(l);
  }
  std::string Joined() const {
    std::string s;
    for (int i = 0; i < Edit->Lines()->GetCount(); ++i) {
      if (i) s += '|';
      s += Edit->Lines()->Get(i);
    }
    return s;
  }

  // --- keys ---------------------------------------------------------------
  void HoldModifiers(TShiftState shift) {
    Fake.SetKeyDown(VK_SHIFT, shift.Contains(ssShift));
    Fake.SetKeyDown(VK_CONTROL, shift.Contains(ssCtrl));
    Fake.SetKeyDown(VK_MENU, shift.Contains(ssAlt));
  }
  // The character the keyboard makes for a key (0 when none), as the
  // window system's translation does on a Latin layout.
  static char CharOf(Word vk, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (vk >= 'A' && vk <= 'Z') {
      if (ctrl) return char(vk - 'A' + 1);
      return char(shift.Contains(ssShift) ? vk : vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9') return ctrl ? 0 : char(vk);
    switch (vk) {
      case VK_BACK: return ctrl ? char(127) : char(8);
      case VK_TAB: return ctrl ? 0 : char(9);
      case VK_RETURN: return ctrl ? char(10) : char(13);
      case VK_ESCAPE: return char(27);
      case VK_SPACE: return ' ';
      default: return 0;
    }
  }
  // One key press: WM_KEYDOWN (WM_SYSKEYDOWN with Alt), the character the
  // key makes, WM_KEYUP, with the modifiers held in the key state.
  void Press(Word vk, TShiftState shift = TShiftState()) {
    HoldModifiers(shift);
    const bool alt = shift.Contains(ssAlt);
    const LPARAM data = 1 | (alt ? KF_ALTDOWN_BIT : 0);
    Edit->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, data);
    const char ch = CharOf(vk, shift);
    if (ch != 0) Edit->Perform(alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(ch), data);
    Edit->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, LPARAM(data | KF_REPEAT_BIT | LPARAM(int32_t(KF_UP_BIT))));
    HoldModifiers(TShiftState());
  }
  // Only the key-down of a key (a modifier pressed on its own, say).
  void KeyDownOnly(Word vk) {
    Fake.SetKeyDown(vk, true);
    Edit->Perform(WM_KEYDOWN, vk, 1);
    Fake.SetKeyDown(vk, false);
  }
  void Type(const std::string& text) {
    for (char c : text) {
      const unsigned char u = static_cast<unsigned char>(c);
      Word vk = 0;
      TShiftState shift;
      if (u >= 'a' && u <= 'z') vk = Word(u - 'a' + 'A');
      if (u >= 'A' && u <= 'Z') {
        vk = u;
        shift = TShiftState{ssShift};
      }
      if (u == ' ') vk = VK_SPACE;
      HoldModifiers(shift);
      if (vk) Edit->Perform(WM_KEYDOWN, vk, 1);
      Edit->Perform(WM_CHAR, u, 1);
      if (vk) Edit->Perform(WM_KEYUP, vk, LPARAM(1 | KF_REPEAT_BIT | LPARAM(int32_t(KF_UP_BIT))));
      HoldModifiers(TShiftState());
    }
  }

  // --- mouse (client pixels) ----------------------------------------------
  // x of the left edge of display column c, y of the top of row r.
  int X(int col) const { return Edit->GutterWidth() + 2 + (col - Edit->LeftChar()) * Edit->CharWidth(); }
  int Y(int row) const { return (row - Edit->TopLine()) * Edit->LineHeight(); }
  static WPARAM Keys(TShiftState shift) {
    WPARAM k = 0;
    if (shift.Contains(ssShift)) k |= MK_SHIFT;
    if (shift.Contains(ssCtrl)) k |= MK_CONTROL;
    return k;
  }
  void Mouse(UINT msg, int x, int y, WPARAM keys) {
    Fake.SetCursorPosition(Edit->ClientToScreen(TPoint(x, y)));
    Edit->Perform(msg, keys, MakeLParam(x, y));
  }
  void Down(int x, int y, TShiftState shift = TShiftState(), bool right = false) {
    HoldModifiers(shift);
    Fake.SetKeyDown(right ? VK_RBUTTON : VK_LBUTTON, true);
    Mouse(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, x, y, Keys(shift) | (right ? MK_RBUTTON : MK_LBUTTON));
  }
  void Move(int x, int y, TShiftState shift = TShiftState()) {
    WPARAM k = Keys(shift);
    if (Fake.KeyState(VK_LBUTTON) < 0) k |= MK_LBUTTON;
    if (Fake.KeyState(VK_RBUTTON) < 0) k |= MK_RBUTTON;
    Mouse(WM_MOUSEMOVE, x, y, k);
  }
  void Up(int x, int y, TShiftState shift = TShiftState(), bool right = false) {
    Fake.SetKeyDown(right ? VK_RBUTTON : VK_LBUTTON, false);
    Mouse(right ? WM_RBUTTONUP : WM_LBUTTONUP, x, y, Keys(shift));
    HoldModifiers(TShiftState());
  }
  void Click(int x, int y, TShiftState shift = TShiftState()) {
    Down(x, y, shift);
    Up(x, y, shift);
  }
  // The window system's double click: down, up, double-click, up.
  void DoubleClick(int x, int y) {
    Click(x, y);
    Fake.SetKeyDown(VK_LBUTTON, true);
    Mouse(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Up(x, y);
  }

  FakeWidgetset Fake;
  std::unique_ptr<TInputEdit> Edit;
  HWND Wnd = nullptr;
  std::vector<TSeenCommand> Seen;
};
