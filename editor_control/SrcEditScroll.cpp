// TCustomSrcEdit: caret display, vertical scrolling, the scroll bars, the
// handlers of the line list's change hooks and the highlighter rescans.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "SrcEdit.h"
#include "SrcEditHighlighter.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "platform/Colors.h"
#include "platform/Win32.h"

namespace {

// Scroll bars take 16-bit ranges; longer ranges are scaled into 0..32767.
constexpr int MaxScrollRange = 32767;

// A bar's range, page and position: in units while the range fits the
// bar, scaled to MaxScrollRange beyond that.
void FillScrollInfo(SCROLLINFO& si, bool scaled, int range, int unitMax, int page, int pos) {
  if (!scaled) {
    si.nMin = 1;
    si.nMax = unitMax;
    si.nPage = static_cast<UINT>(std::max(0, page));
    si.nPos = pos;
  } else {
    si.nMin = 0;
    si.nMax = MaxScrollRange;
    si.nPage = static_cast<UINT>(std::max(0, MulDiv(MaxScrollRange, page, range)));
    si.nPos = MulDiv(MaxScrollRange, pos, range);
  }
  si.nTrackPos = si.nPos;
}

}  // namespace

// ---------------------------------------------------------------------------
// Caret

void TCustomSrcEdit::ShowCaret() {
  if (HasOption(eoNoCaret) || (FStateFlags & sfCaretVisible) != 0) return;
  if (!HandleAllocated()) return;
  if (::ShowCaret(Handle())) IncludeStateFlags(sfCaretVisible);
}

void TCustomSrcEdit::UpdateCaret() {
  if (FPaintLock > 0 || !HandleAllocated() || !Focused()) {
    IncludeStateFlags(sfCaretChanged);
    return;
  }
  ExcludeStateFlags(sfCaretChanged);

  TDisplayPoint vCaretDisplay = DisplayCaret();
  if (WordWrap() && FCaretAtEOL && vCaretDisplay.Row > 1) {
    // The caret stands at the end of a wrapped row: draw it there rather
    // than at the start of the next row.
    vCaretDisplay.Row -= 1;
    vCaretDisplay.Column = FWordWrapPlugin->GetRowLength(vCaretDisplay.Row) + 1;
  }

  const int cw = std::max(1, FCharWidth);
  const int lh = std::max(1, FLineHeight);
  const std::int64_t x64 =
      std::int64_t(FGutterWidth) + 2 + (std::int64_t(vCaretDisplay.Column) - FLeftChar) * cw + FCaretOffset.X;
  const std::int64_t y64 = (std::int64_t(vCaretDisplay.Row) - FTopLine) * lh + FCaretOffset.Y + 1;
  const int x = ClampToInt(x64);
  const int y = ClampToInt(y64);

  TRect textArea = ClientRect();
  textArea.Left += FGutterWidth;
  ::SetCaretPos(x, y);
  if (x64 < textArea.Left || x64 >= textArea.Right || y64 < textArea.Top || y64 >= textArea.Bottom)
    HideCaret();
  else
    ShowCaret();

  HIMC imc = ::ImmGetContext(Handle());
  if (imc != nullptr) {
    COMPOSITIONFORM cf;
    cf.dwStyle = CFS_POINT;
    cf.ptCurrentPos = TPoint(x, y);
    ::ImmSetCompositionWindow(imc, &cf);
    ::ImmReleaseContext(Handle(), imc);
  }
}

// ---------------------------------------------------------------------------
// Vertical scrolling

void TCustomSrcEdit::SetTopLine(int Value) {
  const std::int64_t rows = DisplayRowCount();
  const std::int64_t maxTop = HasOption(eoScrollPastEof) ? rows : rows - FLinesInWindow + 1;
  const int newTop = static_cast<int>(std::max<std::int64_t>(std::min<std::int64_t>(Value, maxTop), 1));
  if (newTop == FTopLine) return;

  const std::int64_t delta = std::int64_t(FTopLine) - newTop;
  FTopLine = newTop;
  if (HandleAllocated()) {
    if ((delta < 0 ? -delta : delta) < FLinesInWindow) {
      ::ScrollWindow(Handle(), 0, ClampToInt(std::int64_t(std::max(1, FLineHeight)) * delta), nullptr, nullptr);
    } else {
      Invalidate();
    }
  }
  UpdateScrollBars();
  ReportStatus(scTopLine);
}

// ---------------------------------------------------------------------------
// Scroll bars

void TCustomSrcEdit::UpdateScrollBars() {
  if (!HandleAllocated() || FPaintLock > 0) {
    IncludeStateFlags(sfScrollbarChanged);
    return;
  }
  ExcludeStateFlags(sfScrollbarChanged);
  HWND wnd = Handle();

  if (FScrollBars == TSrcScrollStyle::ssNone) {
    ::ShowScrollBar(wnd, SB_BOTH, false);
    return;
  }

  const bool hideShow = HasOption(eoHideShowScrollbars);
  const bool disableArrows = HasOption(eoDisableScrollArrows);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  if (!hideShow) si.fMask |= SIF_DISABLENOSCROLL;

  // Horizontal bar: columns up to the scroll width (or the widest line).
  if ((FScrollBars == TSrcScrollStyle::ssHorizontal || FScrollBars == TSrcScrollStyle::ssBoth) && !WordWrap()) {
    const int range = HasOption(eoScrollPastEol) ? FMaxScrollWidth : std::max(FLines->GetLongestLineLen(), 1);
    const bool scaled = range > MaxScrollRange;
    FillScrollInfo(si, scaled, range, range, FCharsInWindow, FLeftChar);
    ::SetScrollInfo(wnd, SB_HORZ, &si, true);
    ::ShowScrollBar(wnd, SB_HORZ, !hideShow || scaled || FCharsInWindow < range);

    if (disableArrows || FCharsInWindow >= range) {
      const std::int64_t lastVisible = std::int64_t(FLeftChar) + FCharsInWindow - 1;
      if (FLeftChar > 1 || lastVisible < range) {
        ::EnableScrollBar(wnd, SB_HORZ, ESB_ENABLE_BOTH);
        if (FLeftChar <= 1)
          ::EnableScrollBar(wnd, SB_HORZ, ESB_DISABLE_LEFT);
        else if (lastVisible >= range)
          ::EnableScrollBar(wnd, SB_HORZ, ESB_DISABLE_RIGHT);
      } else {
        ::EnableScrollBar(wnd, SB_HORZ, ESB_DISABLE_BOTH);
      }
    } else {
      ::EnableScrollBar(wnd, SB_HORZ, ESB_ENABLE_BOTH);
    }
  } else {
    ::ShowScrollBar(wnd, SB_HORZ, false);
  }

  // Vertical bar: display rows (plus a window less one past the end).
  if (FScrollBars == TSrcScrollStyle::ssVertical || FScrollBars == TSrcScrollStyle::ssBoth) {
    const int rowCount = DisplayRowCount();
    std::int64_t range64 = rowCount;
    if (HasOption(eoScrollPastEof)) range64 += std::int64_t(FLinesInWindow) - 1;
    const int range = ClampToInt(range64);
    const bool scaled = range > MaxScrollRange;
    FillScrollInfo(si, scaled, range, std::max(1, range), FLinesInWindow, FTopLine);
    ::SetScrollInfo(wnd, SB_VERT, &si, true);
    ::ShowScrollBar(wnd, SB_VERT, !hideShow || scaled || FLinesInWindow < range);

    if (disableArrows || FLinesInWindow >= range) {
      if (FTopLine <= 1 && FLinesInWindow >= range) {
        ::EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH);
      } else {
        ::EnableScrollBar(wnd, SB_VERT, ESB_ENABLE_BOTH);
        if (FTopLine <= 1)
          ::EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_UP);
        else if (std::int64_t(rowCount) + 1 - FTopLine - FLinesInWindow == 0)
          ::EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_DOWN);
      }
    } else {
      ::EnableScrollBar(wnd, SB_VERT, ESB_ENABLE_BOTH);
    }
  } else {
    ::ShowScrollBar(wnd, SB_VERT, false);
  }
}

// ---------------------------------------------------------------------------
// Rescans

void TCustomSrcEdit::ScanLazily() {
  FScanCheckpoints.Clear();
  FScanLimit = 0;
  Invalidate();
  if (FScanTimer != nullptr && HandleAllocated()) FScanTimer->SetEnabled(true);
}

void TCustomSrcEdit::EnsureScanned(int Index) {
  const int count = FLines->Count();
  if (FScanLimit >= count) {
    FScanLimit = INT_MAX;
    if (FScanTimer != nullptr) FScanTimer->SetEnabled(false);
    return;
  }
  if (FHighlighter == nullptr || (Index >= 0 && Index < FScanLimit)) return;
  const int last = Index < 0 || Index >= count ? count - 1 : Index;
  const int from = FScanLimit;
  TSrcScanState start = PrepareLineStart(from);
  for (int i = from; i <= last; ++i) {
    const int state = ScanLine(i, start);
    FLines->StoreLineScanState(i, state);
    start = state;
    FScanLimit = i + 1;
  }
  if (FScanLimit >= count) {
    FScanLimit = INT_MAX;
    if (FScanTimer != nullptr) FScanTimer->SetEnabled(false);
  }
}

void TCustomSrcEdit::ScanTimerTick(TObject*) {
  // A slice of a few milliseconds at a time, so that input comes between.
  if (FScanLimit == INT_MAX) {
    FScanTimer->SetEnabled(false);
    return;
  }
  EnsureScanned(FScanLimit + 20000 - 1);
}

TSrcScanState TCustomSrcEdit::PrepareLineStart(int Index) {
  if (Index > 0 && Index - 1 >= FScanLimit) EnsureScanned(Index - 1);
  if (Index <= 0) {
    FHighlighter->ResetScanState();
    return FHighlighter->GetScanState();
  }
  const TSrcScanState state = FLines->GetLineScanState(Index - 1);
  FHighlighter->SetScanState(state);
  return state;
}

int TCustomSrcEdit::ScanLine(int Index, TSrcScanState Start) {
  const std::string_view raw = FLines->LineView(Index);
  const int len = static_cast<int>(raw.size());
  const char* text = FLines->TerminatedLine(Index);
  if (text == nullptr) {
    FScanText.assign(raw.data(), raw.size());
    text = FScanText.c_str();
  }
  if (len < TSrcScanCheckpoints::kMinLine) {
    FHighlighter->StartLineView(text, len, Index);
    FHighlighter->ScanToLineEnd();
    return static_cast<int>(FHighlighter->GetScanState());
  }
  // A long line: the points kept from before an edit, the last of them the
  // place to resume; the points after the edit to compare with.
  TSrcScanCheckpoints::TLine fresh;
  fresh.StartState = Start;
  std::vector<TSrcScanCheckpoint> compare;
  if (const TSrcScanCheckpoints::TLine* old = FScanCheckpoints.Find(Index, Start)) {
    const auto valid = old->Points.begin() + static_cast<std::ptrdiff_t>(old->Valid);
    fresh.Points.assign(old->Points.begin(), valid);
    compare.assign(valid, old->Points.end());
  }
  int nextMark = 0;
  if (!fresh.Points.empty()) {
    // The point is recorded again by the loop, at its first token.
    const TSrcScanCheckpoint from = fresh.Points.back();
    fresh.Points.pop_back();
    FHighlighter->ResumeLine(text, len, Index, from.Pos, from.State);
    nextMark = from.Pos;
  } else {
    FHighlighter->StartLineView(text, len, Index);
  }
  std::size_t next = 0;
  while (!FHighlighter->AtLineEnd()) {
    const int pos = FHighlighter->TokenStart();
    TSrcScanState state;
    if ((pos >= nextMark || (next < compare.size() && pos >= compare[next].Pos)) &&
        FHighlighter->TokenResumeState(state)) {
      while (next < compare.size() && compare[next].Pos < pos) ++next;
      if (next < compare.size() && compare[next].Pos == pos && compare[next].State == state) {
        // The scan has met the text after the edit in the state it had
        // there: the rest of the line, its end state and its points are
        // those of the scan before the edit.
        fresh.Points.insert(fresh.Points.end(), compare.begin() + static_cast<std::ptrdiff_t>(next), compare.end());
        fresh.Valid = fresh.Points.size();
        FScanCheckpoints.Store(Index, std::move(fresh));
        const int end = FLines->GetLineScanState(Index);
        FHighlighter->SetScanState(end);  // where the next line begins
        return end;
      }
      if (pos >= nextMark) {
        fresh.Points.push_back({pos, state});
        nextMark = pos + TSrcScanCheckpoints::kSpacing;
      }
    }
    FHighlighter->NextToken();
  }
  fresh.Valid = fresh.Points.size();
  FScanCheckpoints.Store(Index, std::move(fresh));
  return static_cast<int>(FHighlighter->GetScanState());
}

int TCustomSrcEdit::ScanLines(int Index, int ForcedLast) {
  const int count = FLines->Count();
  if (Index < 0) Index = 0;
  // Lines the lazy scan has not reached are scanned when they are needed.
  if (FHighlighter == nullptr || Index >= count || Index >= FScanLimit) return Index;

  TSrcScanState start = PrepareLineStart(Index);
  for (;;) {
    const int state = ScanLine(Index, start);
    if (Index > ForcedLast && state == FLines->GetLineScanState(Index)) return Index;
    FLines->SetLineScanState(Index, state);
    if (Index + 1 >= count || Index + 1 >= FScanLimit) return Index;
    ++Index;
    start = state;
  }
}

int TCustomSrcEdit::ScanFrom(int Index) { return ScanLines(Index, Index - 1); }

void TCustomSrcEdit::RescanAll() {
  if (FHighlighter == nullptr) return;
  FScanCheckpoints.Clear();
  if (FLines->Count() >= kLazyScanLines) {
    ScanLazily();
    return;
  }
  FScanLimit = INT_MAX;
  FLines->BeginUpdate();
  try {
    TSrcScanState start = PrepareLineStart(0);
    const int count = FLines->Count();
    for (int i = 0; i < count; ++i) {
      const int state = ScanLine(i, start);
      FLines->SetLineScanState(i, state);
      start = state;
    }
  } catch (...) {
    FLines->EndUpdate();
    throw;
  }
  FLines->EndUpdate();
}

// ---------------------------------------------------------------------------
// Line-list hooks

void TCustomSrcEdit::ListCleared(TObject* Sender) {
  FlushLoadRun();
  ++FLinesGeneration;
  FRescanFirst = FRescanLast = FRescanForcedLast = -1;  // nothing of the old text is left to rescan
  DropSparseRescan();
  FScanCheckpoints.Clear();
  FScanLimit = INT_MAX;
  if (WordWrap()) FWordWrapPlugin->Reset();
  ClearUndoRedo();
  // Bookmarks and marks belong to the text that went.
  ClearAllMarks();
  FPendingRect = TRect();
  Invalidate();
  PlaceCaretCollapse(BufferCoord(1, 1));
  SetTopLine(1);
  SetLeftChar(1);
  ReportStatus(scAll);
}

void TCustomSrcEdit::ListLinesDeleted(TObject* Sender, int Index, int Count) {
  FlushLoadRun();
  ++FLinesGeneration;
  FScanCheckpoints.LinesDeleted(Index, Count);
  if (FScanLimit != INT_MAX)
    FScanLimit = FScanLimit >= Index + Count ? FScanLimit - Count : std::min(FScanLimit, Index);
  if (FHighlighter != nullptr && FLines->Count() > 0) {
    if ((FStateFlags & sfLinesChanging) != 0)
      DeferRescanDeleted(Index, Count);
    else
      ScanFrom(Index);
  }
  if (WordWrap()) FWordWrapPlugin->LinesDeleted(Index, Count);
  InvalidateLines(Index + 1, INT_MAX);
  InvalidateGutterLines(Index + 1, INT_MAX);
}

void TCustomSrcEdit::ListLinesInserted(TObject* Sender, int Index, int Count) {
  ++FLinesGeneration;
  // The lines a load reports one by one are noted as one run and handled
  // once, when the update ends or anything else happens to the list: a
  // report costs a few instructions.
  if (FLines->ReportingLoad() && Count == 1 && !WordWrap()) {
    if (FLoadRunCount > 0 && Index == FLoadRunFirst + FLoadRunCount) {
      ++FLoadRunCount;
      return;
    }
    FlushLoadRun();
    FLoadRunFirst = Index;
    FLoadRunCount = 1;
    return;
  }
  FlushLoadRun();
  HandleLinesInserted(Index, Count);
}

void TCustomSrcEdit::FlushLoadRun() {
  if (FLoadRunCount == 0) return;
  const int first = FLoadRunFirst, count = FLoadRunCount;
  FLoadRunCount = 0;
  HandleLinesInserted(first, count);
}

void TCustomSrcEdit::HandleLinesInserted(int Index, int Count) {
  FScanCheckpoints.LinesInserted(Index, Count);
  // Lines inserted above the lazy scan's limit are scanned with the change.
  if (FScanLimit != INT_MAX && Index < FScanLimit) FScanLimit += Count;
  if (FHighlighter != nullptr && FLines->Count() > 0) {
    if ((FStateFlags & sfLinesChanging) != 0) {
      DeferRescanInserted(Index, Count);
    } else {
      // Every inserted line is scanned, whatever state its fresh record
      // holds; the lines after them only as far as their state changes.
      ScanLines(Index, Index + Count - 1);
    }
  }
  if (WordWrap()) FWordWrapPlugin->LinesInserted(Index, Count);
  InvalidateLines(Index + 1, INT_MAX);
  InvalidateGutterLines(Index + 1, INT_MAX);
  if (HasOption(eoAutoSizeMaxScrollWidth)) {
    int widest = 0;
    const int last = std::min(FLines->Count(), Index + std::max(Count, 1));
    for (int i = Index; i < last; ++i) widest = std::max(widest, FLines->GetExpandedLen(i));
    if (widest > FMaxScrollWidth) SetMaxScrollWidth(widest);
  }
}

void TCustomSrcEdit::ListLinesReplaced(TObject* Sender, int Index, int Count) {
  FlushLoadRun();
  ++FLinesGeneration;
  // A line stored whole has lost its checkpoints; one edited in place has
  // had them moved (EditLineInPlace).
  if (!FEditingInPlace && !FScanCheckpoints.Empty())
    for (int i = Index; i < Index + Count; ++i) FScanCheckpoints.Drop(i);
  int vEndLine = Index + 1;
  if (WordWrap()) {
    if (FWordWrapPlugin->LinesReplaced(Index, Count) != 0) {
      vEndLine = INT_MAX;
      InvalidateGutterLines(Index + 1, INT_MAX);
    } else {
      InvalidateGutterLines(Index + 1, Index + 1);
    }
  }
  if (FHighlighter != nullptr) {
    if ((FStateFlags & sfLinesChanging) != 0) {
      DeferRescanReplaced(Index, Count);
    } else {
      const int vLastScan = ScanFrom(Index);
      vEndLine = std::max(vEndLine, vLastScan + 1);
    }
  }
  InvalidateLines(Index + 1, vEndLine);
  if (HasOption(eoAutoSizeMaxScrollWidth)) {
    const int width = FLines->GetExpandedLen(Index);
    if (width > FMaxScrollWidth) SetMaxScrollWidth(width);
  }
}
