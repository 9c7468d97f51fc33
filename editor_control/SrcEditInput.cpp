// Editing control: keyboard and mouse input.
//
// Key-down looks the key (or a chord of two keys) up in the key bindings and
// runs the command; the character path runs ecChar; every command goes
// through ProcessCommand with its events. The mouse places the caret,
// extends the selection, starts a drag of the selected text, reports gutter
// clicks and scrolls the view on a timer while a selection is dragged past
// the edge of the text area.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "SrcEdit.h"
#include "SrcEditKbdHandler.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "platform/Win32.h"

namespace {

// n / d rounded to the nearest whole number, halves to the even one (d > 0).
std::int64_t DivRoundHalfEven(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  std::int64_t r = n % d;
  if (r < 0) {  // floor division
    q -= 1;
    r += d;
  }
  if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
  return q;
}

class TInputPaintLock {
 public:
  explicit TInputPaintLock(TCustomSrcEdit* e) : FEdit(e) { FEdit->IncPaintLock(); }
  ~TInputPaintLock() { FEdit->DecPaintLock(); }
  TInputPaintLock(const TInputPaintLock&) = delete;
  TInputPaintLock& operator=(const TInputPaintLock&) = delete;

 private:
  TCustomSrcEdit* FEdit;
};

// Key codes that may start a chord (keys outside end any pending one).
constexpr Word kChordKeyFirst = 30;
constexpr Word kChordKeyLast = 145;

}  // namespace

// ---------------------------------------------------------------------------
// Commands

void TCustomSrcEdit::AddCommandHook(const THookedCommandEvent& Hook, void* HandlerData) {
  FHookedCommandHandlers.push_back(TCommandHook{Hook, HandlerData});
}

void TCustomSrcEdit::NotifyCommandHooks(bool AfterProcessing, TSrcEditorCommand& Command, char& AChar, void* Data) {
  if (FHookedCommandHandlers.empty()) return;
  bool handled = false;
  // A copy: a hook may register or remove hooks.
  const std::vector<TCommandHook> hooks = FHookedCommandHandlers;
  for (const TCommandHook& h : hooks)
    if (h.Event) h.Event(this, AfterProcessing, handled, Command, AChar, Data, h.Data);
  if (handled) Command = ecNone;
}

void TCustomSrcEdit::ProcessCommand(TSrcEditorCommand Command, char AChar, void* Data) {
  FireProcessCommand(Command, AChar, Data);
  if (Command != ecNone) {
    NotifyCommandHooks(false, Command, AChar, Data);
    if (Command != ecNone && Command < ecUserFirst) RunCommand(Command, AChar, Data);
    if (Command != ecNone) NotifyCommandHooks(true, Command, AChar, Data);
  }
  FireCommandProcessed(Command, AChar, Data);
}

TSrcEditorCommand TCustomSrcEdit::TranslateKey(Word Key, TShiftState Shift) {
  int index = FKeystrokes->FindChord(FLastKey, FLastShift, Key, Shift);
  if (index < 0) index = FKeystrokes->FindSingleKey(Key, Shift);
  TSrcEditorCommand command = index >= 0 ? FKeystrokes->Items(index)->Command() : ecNone;
  if (command != ecNone || Key < kChordKeyFirst || Key > kChordKeyLast) {
    FLastKey = 0;
    FLastShift = TShiftState();
  } else {
    FLastKey = Key;
    FLastShift = Shift;
  }
  return command;
}

// ---------------------------------------------------------------------------
// Handler chains

void TCustomSrcEdit::FireKeyDown(Word& Key, TShiftState Shift) { FKbdHandler->ExecuteKeyDown(this, Key, Shift); }

void TCustomSrcEdit::FireKeyUp(Word& Key, TShiftState Shift) { FKbdHandler->ExecuteKeyUp(this, Key, Shift); }

void TCustomSrcEdit::FireKeyPress(char& Key) { FKbdHandler->ExecuteKeyPress(this, Key); }

void TCustomSrcEdit::FireMouseDown(int Button, TShiftState Shift, int X, int Y) {
  FKbdHandler->ExecuteMouseDown(this, static_cast<TMouseButton>(Button), Shift, X, Y);
}

void TCustomSrcEdit::FireMouseUp(int Button, TShiftState Shift, int X, int Y) {
  FKbdHandler->ExecuteMouseUp(this, static_cast<TMouseButton>(Button), Shift, X, Y);
}

void TCustomSrcEdit::FireMouseCursor(const TBufferCoord& Pos, int& Cursor) {
  FKbdHandler->ExecuteMouseCursor(this, Pos, Cursor);
}

// ---------------------------------------------------------------------------
// Keyboard

void TCustomSrcEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  FireKeyDown(Key, Shift);
  TSrcEditorCommand command = ecNone;
  if (Key != 0) {
    command = TranslateKey(Key, Shift);
  } else {
    // A handler took the key: it runs no binding, and it ends a pending chord
    // like any other key-down.
    FLastKey = 0;
    FLastShift = TShiftState();
  }
  if (command != ecNone) {
    Key = 0;
    IncludeStateFlags(sfIgnoreNextChar);
    ProcessCommand(command, '\0', nullptr);
  } else {
    ExcludeStateFlags(sfIgnoreNextChar);
  }
}

void TCustomSrcEdit::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  FireKeyUp(Key, Shift);
}

void TCustomSrcEdit::KeyPress(char& Key) {
  if (FImeCount > 0) {
    // A character of an input-method string that went in as ecImeStr.
    --FImeCount;
    return;
  }
  if ((FStateFlags & sfIgnoreNextChar) != 0) {
    // The character of a key that already ran a command (Enter, Ctrl+M...).
    ExcludeStateFlags(sfIgnoreNextChar);
    return;
  }
  TCustomControl::KeyPress(Key);
  FireKeyPress(Key);
  ProcessCommand(ecChar, Key, nullptr);
}

// ---------------------------------------------------------------------------
// Pixels and positions

TDisplayPoint TCustomSrcEdit::PixelsToDisplay(int X, int Y) const {
  const std::int64_t col =
      static_cast<std::int64_t>(FLeftChar) + (static_cast<std::int64_t>(X) - FGutterWidth - 2) / FCharWidth;
  const std::int64_t row = static_cast<std::int64_t>(FTopLine) + Y / FLineHeight;
  return DisplayCoord(ClampToInt(std::max<std::int64_t>(1, col)), ClampToInt(std::max<std::int64_t>(1, row)));
}

TDisplayPoint TCustomSrcEdit::PixelsToDisplayRounded(int X, int Y) const {
  const std::int64_t maxY = static_cast<std::int64_t>(FLinesInWindow) * FLineHeight - 1;
  const std::int64_t y = std::max<std::int64_t>(std::min<std::int64_t>(Y, maxY), 0);
  const std::int64_t col = static_cast<std::int64_t>(FLeftChar) +
                           DivRoundHalfEven(static_cast<std::int64_t>(X) - FGutterWidth - 2, FCharWidth);
  const std::int64_t row = static_cast<std::int64_t>(FTopLine) + y / FLineHeight;
  return DisplayCoord(ClampToInt(std::max<std::int64_t>(1, col)), ClampToInt(std::max<std::int64_t>(1, row)));
}

TPoint TCustomSrcEdit::DisplayToPixels(const TDisplayPoint& Value) const {
  return TPoint(ColumnToX(Value.Column), RowToY(Value.Row));
}

TBufferCoord TCustomSrcEdit::PixelsToBuffer(int X, int Y) { return DisplayToBuffer(PixelsToDisplay(X, Y)); }

TDisplayPoint TCustomSrcEdit::LimitToDisplayRows(TDisplayPoint P) {
  P.Row = std::max(1, std::min(P.Row, DisplayRowCount()));
  return P;
}

void TCustomSrcEdit::SetCaretFromPixels(int X, int Y) {
  const TDisplayPoint p = LimitToDisplayRows(PixelsToDisplayRounded(X, Y));
  TInputPaintLock lock(this);
  SetCaretFromDisplay(p);
}

// ---------------------------------------------------------------------------
// Mouse

void TCustomSrcEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TBufferCoord oldFrom = FBlockBegin;
  const TBufferCoord oldTo = FBlockEnd;
  bool hadSelection = false;
  bool mayDrag = false;
  if (Button == mbLeft && HasSelection()) {
    hadSelection = true;
    FMouseDownX = X;
    FMouseDownY = Y;
  }

  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble)) return;  // DblClick did the work
  FireMouseDown(Button, Shift, X, Y);

  if (Button == mbRight) {
    if (!HasOption(eoRightMouseMovesCursor) || (HasSelection() && IsInSelection(PixelsToBuffer(X, Y)))) return;
    InvalidateSelection();
    FBlockEnd = FBlockBegin;
    SetCaretFromPixels(X, Y);
  } else if (Button == mbLeft) {
    SetCaretFromPixels(X, Y);
  }

  if (Button == mbLeft) {
    // The caret move must not lose a selection that a drag may carry.
    FBlockBegin = oldFrom;
    FBlockEnd = oldTo;
    SetMouseCapture(true);
    ExcludeStateFlags(sfWaitForDragging);
    if (hadSelection && HasOption(eoDragDropEditing) && X >= FGutterWidth + 2 && FSelectionMode == smNormal &&
        IsInSelection(PixelsToBuffer(X, Y)))
      mayDrag = true;
  }

  if (mayDrag) {
    IncludeStateFlags(sfWaitForDragging);
  } else if ((FStateFlags & sfDblClicked) == 0) {
    if (Shift.Contains(ssShift)) {
      SetSelTo(Caret());
    } else {
      if (HasOption(eoAltSetsColumnMode) && FActiveSelectionMode != smLine)
        SetSelectionMode(Shift.Contains(ssAlt) ? smColumn : smNormal);
      SetSelFrom(Caret());
    }
  }

  if (X < FGutterWidth) IncludeStateFlags(sfGutterClicked);
  if ((FStateFlags & sfGutterClicked) != 0 && Button == mbRight) GutterClick(Button, X, Y);

  if (CanFocus()) {
    SetFocus();
    if (HandleAllocated() && ::GetFocus() != WindowHandle()) ::SetFocus(WindowHandle());
  }
}

void TCustomSrcEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (MouseCapture() && (FStateFlags & sfWaitForDragging) != 0) {
    const std::int64_t dx = static_cast<std::int64_t>(FMouseDownX) - X;
    const std::int64_t dy = static_cast<std::int64_t>(FMouseDownY) - Y;
    if ((dx < 0 ? -dx : dx) >= GetSystemMetrics(SM_CXDRAG) || (dy < 0 ? -dy : dy) >= GetSystemMetrics(SM_CYDRAG)) {
      ExcludeStateFlags(sfWaitForDragging);
      BeginDrag(false);
    }
  } else if (Shift.Contains(ssLeft) && MouseCapture()) {
    UpdateDragScroll(X, Y);
    TDisplayPoint p = LimitToDisplayRows(PixelsToDisplayRounded(X, Y));
    if (FScrollDeltaX != 0) p.Column = DisplayCaretColumn();
    if (FScrollDeltaY != 0) p.Row = DisplayCaretRow();
    MoveCaretTo(DisplayToBuffer(p));
    SetSelTo(Caret());
    if ((FStateFlags & sfGutterClicked) != 0 && FBlockBegin.Line != FCaretY) IncludeStateFlags(sfGutterDragging);
  }
}

void TCustomSrcEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FireMouseUp(Button, Shift, X, Y);
  FScrollTimer->SetEnabled(false);
  if (Button == mbRight && Shift == TShiftState{ssRight} && PopupMenu() != nullptr) return;
  SetMouseCapture(false);
  if ((FStateFlags & sfGutterClicked) != 0 && X < FGutterWidth && Button != mbRight) {
    GutterClick(Button, X, Y);
  } else if ((FStateFlags & (sfWaitForDragging | sfDblClicked)) == sfWaitForDragging) {
    // A press on the selection that never became a drag.
    SetCaretFromPixels(X, Y);
    if (!Shift.Contains(ssShift)) SetSelFrom(Caret());
    SetSelTo(Caret());
  }
  ExcludeStateFlags(sfWaitForDragging | sfDblClicked | sfGutterClicked | sfGutterDragging);
}

void TCustomSrcEdit::DblClick() {
  TPoint p;
  ::GetCursorPos(&p);
  p = ScreenToClient(p);
  if (p.X >= FGutterWidth + 2) {
    if (!HasOption(eoNoSelection)) SelectWordAtCaret();
    TCustomControl::DblClick();
    IncludeStateFlags(sfDblClicked);
    SetMouseCapture(false);
  } else {
    TCustomControl::DblClick();
  }
}

void TCustomSrcEdit::GutterClick(int Button, int X, int Y) {
  if (!OnGutterClick) return;
  // The gutter shows text lines; a wrapped line's rows all belong to it.
  const int row = PixelsToDisplay(X, Y).Row;
  const int line = WordWrap() ? RowToLine(row) : row;
  if (line > FLines->GetCount()) return;
  TSrcEditMarks marks{};
  FMarkList->GetMarksForLine(line, marks);
  TSrcEditMark* clicked = nullptr;
  std::int64_t offset = 0;
  for (TSrcEditMark* m : marks) {
    if (m == nullptr) continue;
    offset += FBookMarkOpt->Xoffset();
    if (X < offset) {
      clicked = m;
      break;
    }
  }
  OnGutterClick(this, Button, X, Y, line, clicked);
}

// ---------------------------------------------------------------------------
// Drag scrolling

void TCustomSrcEdit::UpdateDragScroll(int X, int Y) {
  if (!MouseCapture() && !Dragging()) {
    FScrollTimer->SetEnabled(false);
    return;
  }
  std::int64_t left = FGutterWidth;
  std::int64_t right = left + static_cast<std::int64_t>(FCharsInWindow) * FCharWidth;
  std::int64_t top = 0;
  std::int64_t bottom = static_cast<std::int64_t>(FLinesInWindow) * FLineHeight;
  if (FBorderStyle == bsNone) {
    left += 2;
    right -= 2;
    top += 2;
    bottom -= 2;
  }
  if (X < left)
    FScrollDeltaX = ClampToInt((X - left) / FCharWidth - 1);
  else if (X >= right)
    FScrollDeltaX = ClampToInt((X - right) / FCharWidth + 1);
  else
    FScrollDeltaX = 0;
  if (Y < top)
    FScrollDeltaY = ClampToInt((Y - top) / FLineHeight - 1);
  else if (Y >= bottom)
    FScrollDeltaY = ClampToInt((Y - bottom) / FLineHeight + 1);
  else
    FScrollDeltaY = 0;
  FScrollTimer->SetEnabled(FScrollDeltaX != 0 || FScrollDeltaY != 0);
}

void TCustomSrcEdit::DragScrollTimerTick(TObject*) {
  TPoint mouse;
  ::GetCursorPos(&mouse);
  mouse = ScreenToClient(mouse);
  TDisplayPoint p = LimitToDisplayRows(PixelsToDisplay(mouse.X, mouse.Y));
  if (FScrollDeltaX != 0) {
    SetLeftChar(ClampToInt(static_cast<std::int64_t>(FLeftChar) + FScrollDeltaX));
    std::int64_t x = FLeftChar;
    if (FScrollDeltaX > 0) x += FCharsInWindow;
    p.Column = ClampToInt(x);
  }
  if (FScrollDeltaY != 0) {
    std::int64_t step = FScrollDeltaY;
    if (GetKeyState(VK_SHIFT) < 0) step *= FLinesInWindow;
    SetTopLine(ClampToInt(FTopLine + step));
    std::int64_t y = FTopLine;
    if (FScrollDeltaY > 0) y += FLinesInWindow - 1;
    p.Row = ClampToInt(std::max<std::int64_t>(1, std::min<std::int64_t>(y, DisplayRowCount())));
  }
  const TBufferCoord target = DisplayToBuffer(p);
  if (target != Caret()) {
    TInputPaintLock lock(this);
    MoveCaretTo(target);
    if (MouseCapture()) SetSelTo(Caret());
  }
  UpdateDragScroll(mouse.X, mouse.Y);
}
