// Editing control: the window messages the control answers itself (focus,
// size, text, dialog code, clipboard, input method, dropped files, scroll
// bars with the line-number hint), the first visible column (LeftChar) and
// keeping the caret in view.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/Win32.h"

namespace {

// The scroll bars' positions are 16 bits wide; longer ranges are scaled.
constexpr int kScrollScale = 32767;

// The one line-number hint window of the program. It is made the first time
// a thumb is dragged, from the application's hint window class, and lives as
// long as its owner (the application) or the program; the holder only
// forgets it when the owner frees it.
class TScrollHintHolder : public TComponent {
 public:
  TScrollHintHolder() : TComponent(nullptr) {}
  THintWindow* Window = nullptr;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Window) Window = nullptr;
  }
};

TScrollHintHolder& ScrollHintHolder() {
  static TScrollHintHolder* holder = new TScrollHintHolder();
  return *holder;
}

THintWindow* ScrollHintWindow() {
  TScrollHintHolder& holder = ScrollHintHolder();
  if (!holder.Window) {
    TComponent* owner = Application;
    if (Application && Application->HintWindowClass())
      holder.Window = Application->HintWindowClass()(owner);
    else
      holder.Window = new THintWindow(owner);
    holder.Window->FreeNotification(&holder);
  }
  return holder.Window;
}

}  // namespace

// ---------------------------------------------------------------------------
// The first visible column

void TCustomSrcEdit::SetLeftChar(int Value) {
  std::int64_t upper;
  if (HasOption(eoScrollPastEol)) {
    if (HasOption(eoAutoSizeMaxScrollWidth)) {
      upper = static_cast<std::int64_t>(INT_MAX) - FCharsInWindow;
    } else {
      // The view must reach the caret even at the end of a line longer
      // than the scroll width.
      std::int64_t width = FMaxScrollWidth;
      if (FCaretY >= 1 && FCaretY <= FLines->GetCount())
        width = std::max<std::int64_t>(width, static_cast<std::int64_t>(FLines->GetExpandedLen(FCaretY - 1)) + 1);
      upper = width - FCharsInWindow + 1;
    }
  } else {
    const int longest = FLines->GetLongestLineLen();
    upper = longest > FCharsInWindow ? static_cast<std::int64_t>(longest) - FCharsInWindow + 1 : 1;
  }
  std::int64_t v = WordWrap() ? 1 : Value;
  v = std::max<std::int64_t>(1, std::min(v, upper));
  const int newLeft = ClampToInt(v);
  if (newLeft == FLeftChar) return;

  const int oldLeft = FLeftChar;
  FLeftChar = newLeft;
  FTextOffset = ComputeTextOffset(FLeftChar);
  if (HandleAllocated()) {
    const std::int64_t moved = static_cast<std::int64_t>(oldLeft) - newLeft;
    if ((moved < 0 ? -moved : moved) < FCharsInWindow) {
      TRect area = ClientRect();
      area.Left = FGutterWidth + 2;
      ::ScrollWindow(Handle(), ClampToInt(moved * FCharWidth), 0, &area, &area);
    } else {
      InvalidateLines(-1, -1);
    }
  }
  if (HasOption(eoAutoSizeMaxScrollWidth) && HasOption(eoScrollPastEol) &&
      static_cast<std::int64_t>(FMaxScrollWidth) < static_cast<std::int64_t>(FLeftChar) + FCharsInWindow)
    SetMaxScrollWidth(ClampToInt(static_cast<std::int64_t>(FLeftChar) + FCharsInWindow));
  else
    UpdateScrollBars();
  ReportStatus(scLeftChar);
}

// ---------------------------------------------------------------------------
// Keeping the caret in view

TDisplayPoint TCustomSrcEdit::ShownCaretPoint() {
  TDisplayPoint p = DisplayCaret();
  if (WordWrap() && FCaretAtEOL && p.Row > 1) {
    p.Row -= 1;
    p.Column = FWordWrapPlugin->GetRowLength(p.Row) + 1;
  }
  return p;
}

void TCustomSrcEdit::EnsureCaretVisible() { EnsureCaretVisibleEx(false); }

void TCustomSrcEdit::EnsureCaretVisibleEx(bool ForceToMiddle) {
  TPaintLockGuard lock(this);
  const TDisplayPoint p = ShownCaretPoint();
  const std::int64_t x = p.Column;
  if (x < FLeftChar)
    SetLeftChar(p.Column);
  else if (x < static_cast<std::int64_t>(FLeftChar) + FCharsInWindow)
    SetLeftChar(FLeftChar);
  else
    SetLeftChar(ClampToInt(x - FCharsInWindow + 1));

  const std::int64_t y = p.Row;
  const std::int64_t rows = std::max(1, FLinesInWindow);
  if (!ForceToMiddle) {
    if (y < FTopLine)
      SetTopLine(p.Row);
    else if (y > FTopLine + rows - 1)
      SetTopLine(ClampToInt(y - rows + 1));
    else
      SetTopLine(FTopLine);
  } else {
    const std::int64_t half = FLinesInWindow / 2;
    if (y < FTopLine) {
      SetTopLine(y - half < 0 ? 1 : ClampToInt(y - half + 1));
    } else if (y > static_cast<std::int64_t>(FTopLine) + FLinesInWindow - 2) {
      SetTopLine(ClampToInt(y - FLinesInWindow + half + 1));
    }
  }
}

// ---------------------------------------------------------------------------
// Message routing

void TCustomSrcEdit::WndProc(TMessage& Msg) {
  // Alt+Backspace is the undo key: its character must not make the window
  // system beep.
  if (Msg.Msg == WM_SYSCHAR && Msg.WParam == VK_BACK && (Msg.LParam & KF_ALTDOWN_BIT) != 0) {
    Msg.Msg = 0;
    return;
  }
  TCustomControl::WndProc(Msg);
}

void TCustomSrcEdit::Dispatch(TMessage& Msg) {
  switch (Msg.Msg) {
    case WM_SIZE: WMSize(Msg); break;
    case WM_SETFOCUS: WMSetFocus(Msg); break;
    case WM_KILLFOCUS: WMKillFocus(Msg); break;
    case WM_SETTEXT: WMSetText(Msg); break;
    case WM_GETTEXT: WMGetText(Msg); break;
    case WM_GETTEXTLENGTH: WMGetTextLength(Msg); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Msg); break;
    case WM_CANCELMODE: WMCancelMode(Msg); break;
    case WM_SETCURSOR: WMSetCursor(Msg); break;
    case WM_GETDLGCODE: WMGetDlgCode(Msg); break;
    case WM_IME_COMPOSITION: WMImeComposition(Msg); break;
    case WM_HSCROLL: WMHScroll(Msg); break;
    case WM_VSCROLL: WMVScroll(Msg); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Msg); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(Msg); break;
    case WM_DROPFILES: WMDropFiles(Msg); break;
    case WM_IME_NOTIFY: WMImeNotify(Msg); break;
    case WM_CUT: WMCut(Msg); break;
    case WM_COPY: WMCopy(Msg); break;
    case WM_PASTE: WMPaste(Msg); break;
    case WM_CLEAR: WMClear(Msg); break;
    case WM_UNDO: WMUndo(Msg); break;
    default: TCustomControl::Dispatch(Msg); break;
  }
}

// ---------------------------------------------------------------------------
// Size and focus

void TCustomSrcEdit::WMSize(TMessage& Msg) {
  TCustomControl::Dispatch(Msg);
  SizeOrFontChanged(false);
}

void TCustomSrcEdit::WMSetFocus(TMessage&) {
  ProcessCommand(ecGotFocus, '\0', nullptr);
  CreateCaretShape();
  if (FHideSelection && HasSelection()) InvalidateSelection();
}

void TCustomSrcEdit::WMKillFocus(TMessage& Msg) {
  TCustomControl::Dispatch(Msg);
  ProcessCommand(ecLostFocus, '\0', nullptr);
  if (Focused()) return;
  HideCaret();
  ::DestroyCaret();
  if (FHideSelection && HasSelection()) InvalidateSelection();
}

// ---------------------------------------------------------------------------
// Text

void TCustomSrcEdit::WMSetText(TMessage& Msg) {
  const char* text = reinterpret_cast<const char*>(Msg.LParam);
  Msg.Result = 0;
  if (!text) return;
  FLines->SetTextStr(std::string(text));
  Msg.Result = -1;
}

void TCustomSrcEdit::WMGetText(TMessage& Msg) {
  char* buffer = reinterpret_cast<char*>(Msg.LParam);
  Msg.Result = 0;
  if (!buffer || Msg.WParam == 0) return;
  const std::string text = FLines->GetTextStr();
  const size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(Msg.WParam - 1));
  if (n) std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  Msg.Result = static_cast<LRESULT>(n);
}

void TCustomSrcEdit::WMGetTextLength(TMessage& Msg) {
  const int count = FLines->GetCount();
  std::int64_t length = count > 0 ? 2 * (static_cast<std::int64_t>(count) - 1) : 0;
  for (int i = 0; i < count; ++i) length += FLines->LineLength(i);
  Msg.Result = static_cast<LRESULT>(length);
}

void TCustomSrcEdit::WMEraseBkgnd(TMessage& Msg) { Msg.Result = 1; }

void TCustomSrcEdit::WMCancelMode(TMessage&) {}

void TCustomSrcEdit::WMGetDlgCode(TMessage& Msg) {
  TCustomControl::Dispatch(Msg);
  Msg.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FWantTabs) Msg.Result |= DLGC_WANTTAB;
  if (FWantReturns) Msg.Result |= DLGC_WANTALLKEYS;
}

// ---------------------------------------------------------------------------
// Input method

void TCustomSrcEdit::WMImeComposition(TMessage& Msg) {
  if ((Msg.LParam & GCS_RESULTSTR) != 0 && HandleAllocated()) {
    HIMC imc = ::ImmGetContext(Handle());
    if (imc) {
      try {
        const int32_t n = ::ImmGetCompositionString(imc, DWORD(GCS_RESULTSTR), nullptr, 0);
        if (n >= 0) {
          // The characters the window system sends for the same string
          // afterwards are skipped: the string goes in as one command.
          FImeCount = n;
          std::string buffer(static_cast<size_t>(n) + 1, '\0');
          const int32_t got = ::ImmGetCompositionString(imc, DWORD(GCS_RESULTSTR), &buffer[0], DWORD(n));
          buffer.resize(static_cast<size_t>(std::max(0, std::min(got, n))));
          ProcessCommand(ecImeStr, '\0', &buffer[0]);
        }
      } catch (...) {
        ::ImmReleaseContext(Handle(), imc);
        throw;
      }
      ::ImmReleaseContext(Handle(), imc);
    }
  }
  TCustomControl::Dispatch(Msg);
}

void TCustomSrcEdit::WMImeNotify(TMessage& Msg) {
  if (Msg.WParam == IMN_SETOPENSTATUS && HandleAllocated()) {
    HIMC imc = ::ImmGetContext(Handle());
    if (imc) {
      LOGFONT lf;
      ::GetObject(Font()->Handle(), sizeof(LOGFONT), &lf);
      ::ImmSetCompositionFont(imc, &lf);
      ::ImmReleaseContext(Handle(), imc);
    }
  }
  TCustomControl::Dispatch(Msg);
}

// ---------------------------------------------------------------------------
// Scroll bars

void TCustomSrcEdit::WMHScroll(TMessage& Msg) {
  const std::int64_t k = HasOption(eoScrollByOneLess) ? 1 : 0;
  const std::int64_t left = FLeftChar;
  switch (static_cast<int>(LoWord(Msg.WParam))) {
    case SB_LINELEFT: SetLeftChar(ClampToInt(left - 1)); break;
    case SB_LINERIGHT: SetLeftChar(ClampToInt(left + 1)); break;
    case SB_PAGELEFT: SetLeftChar(ClampToInt(left - (FCharsInWindow - k))); break;
    case SB_PAGERIGHT: SetLeftChar(ClampToInt(left + (FCharsInWindow - k))); break;
    case SB_LEFT: SetLeftChar(1); break;
    case SB_RIGHT:
      if (HasOption(eoScrollPastEol))
        SetLeftChar(ClampToInt(static_cast<std::int64_t>(FMaxScrollWidth) - FCharsInWindow + 1));
      else
        SetLeftChar(FLines->GetLongestLineLen());
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      const int max = HasOption(eoScrollPastEol) ? FMaxScrollWidth : std::max(FLines->GetLongestLineLen(), 1);
      const int pos = HiWord(Msg.WParam);
      SetLeftChar(max < kScrollScale + 1 ? pos : MulDiv(max, pos, kScrollScale));
      break;
    }
    default: break;
  }
  Msg.Result = 0;
  if (OnScroll) OnScroll(this, sbHorizontal);
}

void TCustomSrcEdit::WMVScroll(TMessage& Msg) {
  const std::int64_t k = HasOption(eoScrollByOneLess) ? 1 : 0;
  const std::int64_t top = FTopLine;
  const int rows = DisplayRowCount();
  switch (static_cast<int>(LoWord(Msg.WParam))) {
    case SB_LINEUP: SetTopLine(ClampToInt(top - 1)); break;
    case SB_LINEDOWN: SetTopLine(ClampToInt(top + 1)); break;
    case SB_PAGEUP: SetTopLine(ClampToInt(top - (FLinesInWindow - k))); break;
    case SB_PAGEDOWN: SetTopLine(ClampToInt(top + (FLinesInWindow - k))); break;
    case SB_TOP: SetTopLine(1); break;
    case SB_BOTTOM: SetTopLine(rows); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      const int pos = HiWord(Msg.WParam);
      if (rows < kScrollScale + 1)
        SetTopLine(pos);
      else
        SetTopLine(MulDiv(ClampToInt(static_cast<std::int64_t>(rows) + FLinesInWindow - 1), pos, kScrollScale));
      if (HasOption(eoShowScrollHint)) ShowScrollHint();
      break;
    }
    case SB_ENDSCROLL:
      if (HasOption(eoShowScrollHint) && ScrollHintHolder().Window) ScrollHintHolder().Window->ReleaseHandle();
      break;
    default: break;
  }
  Msg.Result = 0;
  Update();
  if (OnScroll) OnScroll(this, sbVertical);
}

void TCustomSrcEdit::ShowScrollHint() {
  THintWindow* hint = ScrollHintWindow();
  hint->SetColor(FScrollHintColor);
  const int rows = DisplayRowCount();
  std::string text;
  if (FScrollHintFormat == shfTopToBottom) {
    const std::int64_t bottom = static_cast<std::int64_t>(FTopLine) +
                                std::min<std::int64_t>(FLinesInWindow, static_cast<std::int64_t>(rows) - FTopLine);
    text = Format("%d - %d", RowToLine(FTopLine), RowToLine(ClampToInt(bottom)));
  } else {
    text = Format("Top Line: %d", RowToLine(FTopLine));
  }
  if (text.size() > 255) text.resize(255);

  TRect rect = hint->CalcHintRect(200, text);
  const int x = ClientWidth() - rect.Width() - 4;
  int y = 10;
  if (HasOption(eoScrollHintFollows)) {
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(Handle(), SB_VERT, &si);
    // A bar without range leaves the hint at the top of the track.
    const double along =
        si.nMax > 0 ? std::nearbyint(static_cast<double>(ClientHeight() - 2 * arrow) * si.nTrackPos / si.nMax) : 0.0;
    y = ClampToInt(static_cast<std::int64_t>(arrow) + static_cast<std::int64_t>(along) + rect.Height() / 2);
  }
  const TPoint at = ClientToScreen(TPoint(x, y));
  OffsetRect(rect, at.X, at.Y);
  hint->ActivateHint(rect, text);
  hint->Update();
}

// ---------------------------------------------------------------------------
// Mouse capture and dropped files

void TCustomSrcEdit::WMCaptureChanged(TMessage& Msg) {
  FScrollTimer->SetEnabled(false);
  TCustomControl::Dispatch(Msg);
}

void TCustomSrcEdit::WMDropFiles(TMessage& Msg) {
  HDROP drop = reinterpret_cast<HDROP>(Msg.WParam);
  try {
    if (OnDropFiles) {
      TStringList files;
      const UINT count = ::DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0);
      TPoint point;
      ::DragQueryPoint(drop, &point);
      for (UINT i = 0; i < count; ++i) {
        // Names are read whole, however long.
        const UINT length = ::DragQueryFile(drop, i, nullptr, 0);
        std::string name(static_cast<size_t>(length) + 1, '\0');
        const UINT got = ::DragQueryFile(drop, i, &name[0], length + 1);
        name.resize(std::min(got, length));
        files.Add(name);
      }
      OnDropFiles(this, point.X, point.Y, &files);
    }
  } catch (...) {
    ::DragFinish(drop);
    Msg.Result = 0;
    throw;
  }
  ::DragFinish(drop);
  Msg.Result = 0;
}

// ---------------------------------------------------------------------------
// Clipboard and undo messages

void TCustomSrcEdit::WMCut(TMessage& Msg) {
  if (!ReadOnly()) CutSelection();
  Msg.Result = 1;
}

void TCustomSrcEdit::WMCopy(TMessage& Msg) {
  CopySelection();
  Msg.Result = 1;
}

void TCustomSrcEdit::WMPaste(TMessage& Msg) {
  if (!ReadOnly()) PasteClipboard();
  Msg.Result = 1;
}

void TCustomSrcEdit::WMClear(TMessage&) {
  if (!ReadOnly()) ReplaceSelection(std::string());
}

void TCustomSrcEdit::WMUndo(TMessage&) { Undo(); }
