// Editing control: keeping the view consistent with the window: the rows
// and columns that fit after a resize or a font change, the highlighter's
// attribute changes, scrolling by the mouse wheel and the mouse cursor over
// the text.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "SrcEdit.h"
#include "SrcEditHighlighter.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditTextBuffer.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Win32.h"

void TCustomSrcEdit::SizeOrFontChanged(bool FontChanged) {
  if (!HandleAllocated() || FCharWidth == 0) return;
  FCharsInWindow = std::max(ClientWidth() - FGutterWidth - 2, 0) / FCharWidth;
  FLinesInWindow = ClientHeight() / FLineHeight;
  if (WordWrap()) {
    FWordWrapPlugin->DisplayChanged();
    Invalidate();
  }
  if (FontChanged) {
    if (FGutter->ShowLineNumbers())
      GutterChanged(this);
    else
      UpdateScrollBars();
    CreateCaretShape();
    ExcludeStateFlags(sfCaretChanged);
    Invalidate();
  } else {
    UpdateScrollBars();
  }
  ExcludeStateFlags(sfScrollbarChanged);
  if (!HasOption(eoScrollPastEol)) SetLeftChar(FLeftChar);
  if (!HasOption(eoScrollPastEof)) SetTopLine(FTopLine);
}

void TCustomSrcEdit::HighlighterAttrsChanged(TObject* Sender) {
  RefreshForHighlighter(dynamic_cast<TSrcCustomHighlighter*>(Sender) != nullptr);
}

void TCustomSrcEdit::RefreshForHighlighter(bool Rescan) {
  RecalcCharExtent();
  if (Rescan) {
    FLines->BeginUpdate();
    try {
      RescanAll();
    } catch (...) {
      FLines->EndUpdate();
      throw;
    }
    FLines->EndUpdate();
  } else {
    Invalidate();
  }
  SizeOrFontChanged(true);
}

void TCustomSrcEdit::WMMouseWheel(TMessage& Msg) {
  if ((ComponentState() & csDesigning) != 0) return;
  // The toolkit's handling first (OnMouseWheel and its relatives).
  TCustomControl::Dispatch(Msg);
  const TWMMouseWheel wheel(Msg);
  int linesPerNotch;
  if ((LoWord(Msg.WParam) & MK_CONTROL) != 0 || GetKeyState(VK_CONTROL) < 0) {
    linesPerNotch = HasOption(eoHalfPageScroll) ? FLinesInWindow / 2 : FLinesInWindow;
  } else {
    linesPerNotch = Mouse.WheelScrollLines;
    // -1 asks for a page per notch.
    if (linesPerNotch < 0 || linesPerNotch > FLinesInWindow) linesPerNotch = FLinesInWindow;
  }
  const int sum = wheel.WheelDelta() + FMouseWheelAccumulator;
  FMouseWheelAccumulator = sum % WHEEL_DELTA;
  const std::int64_t top =
      static_cast<std::int64_t>(FTopLine) - static_cast<std::int64_t>(sum / WHEEL_DELTA) * linesPerNotch;
  SetTopLine(static_cast<int>(std::max<std::int64_t>(INT_MIN, std::min<std::int64_t>(top, INT_MAX))));
  Update();
  if (OnScroll) OnScroll(this, sbVertical);
}

void TCustomSrcEdit::WMSetCursor(TMessage& Msg) {
  const TWMSetCursor request(Msg);
  if (request.HitTest() == HTCLIENT && request.CursorWnd() == Handle() && (ComponentState() & csDesigning) == 0) {
    UpdateMouseCursor();
    Msg.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Msg);
}

void TCustomSrcEdit::UpdateMouseCursor() {
  if (!HandleAllocated()) return;
  TPoint p;
  ::GetCursorPos(&p);
  p = ScreenToClient(p);
  if (p.X < FGutterWidth) {
    ::SetCursor(CursorToIdc(FGutter->Cursor()));
    return;
  }
  const TBufferCoord pos = DisplayToBuffer(PixelsToDisplay(p.X, p.Y));
  int cursor = Cursor();
  if (HasOption(eoDragDropEditing) && !MouseCapture() && IsInSelection(pos)) cursor = crArrow;
  if (OnMouseCursor) OnMouseCursor(this, pos, cursor);
  FireMouseCursor(pos, cursor);
  ::SetCursor(CursorToIdc(static_cast<TCursor>(cursor)));
}
