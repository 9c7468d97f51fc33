// Editing control: caret and selection in normal, line and column modes, the
// selected text, word selection, the flat character index and the
// conversions between buffer positions and display points.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditHighlighter.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"

namespace {

// Character-type flags of the third table (CT_CTYPE3) for the bytes of the
// Windows-1251 code page, as the system's default locale reports them:
// ASCII characters are half-width, letters are alphabetic, punctuation and
// symbols carry the symbol flag.
constexpr std::uint16_t C3_SYMBOL = 0x0008;
constexpr std::uint16_t C3_HALFWIDTH = 0x0040;
constexpr std::uint16_t C3_ALPHA = 0x8000;

std::uint16_t CType3Of(unsigned char c) {
  if (c < 0x20 || c == 0x7F) return 0;
  if (c < 0x80) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return C3_ALPHA | C3_HALFWIDTH;
    if ((c >= '0' && c <= '9') || c == ' ') return C3_HALFWIDTH;
    return C3_SYMBOL | C3_HALFWIDTH;
  }
  // Cyrillic letters: 0xC0-0xFF, and the letters of the upper half
  // (Ђ Ѓ ѓ Љ Њ Ќ Ћ Џ ђ љ њ ќ ћ џ Ў ў Ј Ґ Ё Є Ї І і ґ ё є ј Ѕ ѕ ї).
  if (c >= 0xC0) return C3_ALPHA;
  switch (c) {
    case 0x80:
    case 0x81:
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8D:
    case 0x8E:
    case 0x8F:
    case 0x90:
    case 0x9A:
    case 0x9C:
    case 0x9D:
    case 0x9E:
    case 0x9F:
    case 0xA1:
    case 0xA2:
    case 0xA3:
    case 0xA5:
    case 0xA8:
    case 0xAA:
    case 0xAF:
    case 0xB2:
    case 0xB3:
    case 0xB4:
    case 0xB8:
    case 0xBA:
    case 0xBC:
    case 0xBD:
    case 0xBE:
    case 0xBF: return C3_ALPHA;
    case 0xA0:  // no-break space
      return 0;
    default: return C3_SYMBOL;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Bounds

int TCustomSrcEdit::MaxCaretChar(int Line) const {
  if (WordWrap()) return INT_MAX;
  int len = (Line >= 1 && Line <= FLines->GetCount()) ? FLines->LineLength(Line - 1) : 0;
  int lineEnd = len < INT_MAX ? len + 1 : INT_MAX;
  if (!HasOption(eoScrollPastEol)) return lineEnd;
  // MaxScrollWidth bounds the space past the end of a line, never the line
  // itself: the caret must reach the end of every line.
  int bound = FMaxScrollWidth < INT_MAX ? FMaxScrollWidth + 1 : INT_MAX;
  return std::max(bound, lineEnd);
}

// ---------------------------------------------------------------------------
// Conversions

TDisplayPoint TCustomSrcEdit::BufferToDisplay(const TBufferCoord& Value) {
  TDisplayPoint result = DisplayCoord(Value.Char, Value.Line);
  if (Value.Line >= 1 && Value.Line <= FLines->GetCount()) {
    int index = Value.Line - 1;
    std::string_view s = FLines->LineView(index);
    std::int64_t before = std::max(0, Value.Char - 1);  // characters before the position
    std::int64_t inLine = std::min<std::int64_t>(before, static_cast<std::int64_t>(s.size()));
    std::int64_t w = 0;
    // Only the characters before the position matter: a tab further on
    // changes nothing here.
    const std::string_view head = s.substr(0, static_cast<size_t>(inLine));
    if ((FLines->GetLineFlags(index) & lfHasNoTabs) != 0 || FTabWidth <= 1 ||
        head.find('\t') == std::string_view::npos) {
      w = inLine;
    } else {
      for (std::int64_t i = 0; i < inLine; ++i) {
        if (s[static_cast<size_t>(i)] == '\t')
          w += FTabWidth - (w % FTabWidth);
        else
          ++w;
      }
    }
    w += before - inLine;  // each place past the end is one column
    result.Column = ClampToInt(w + 1);
  }
  if (WordWrap() && Value.Char >= 1 && Value.Line >= 1) {
    result = FWordWrapPlugin->BufferToDisplayPos(BufferCoord(result.Column, Value.Line));
  }
  return result;
}

TBufferCoord TCustomSrcEdit::DisplayToBuffer(const TDisplayPoint& Value) {
  TBufferCoord result = BufferCoord(Value.Column, Value.Row);
  if (WordWrap() && Value.Column >= 1 && Value.Row >= 1) result = FWordWrapPlugin->DisplayToBufferPos(Value);
  if (result.Line >= 1 && result.Line <= FLines->GetCount()) {
    std::string_view s = FLines->LineView(result.Line - 1);
    std::int64_t column = result.Char;
    std::int64_t x = 0;
    std::int64_t i = 0;
    const std::int64_t len = static_cast<std::int64_t>(s.size());
    while (x < column && i < len) {
      if (s[static_cast<size_t>(i)] == '\t' && FTabWidth > 1)
        x += FTabWidth - (x % FTabWidth);
      else
        ++x;
      ++i;
    }
    if (x < column) i += column - x;  // past the end: one character per column
    result.Char = ClampToInt(i);
    if (result.Char < 1) result.Char = 1;
  }
  return result;
}

int TCustomSrcEdit::DisplayRowCount() {
  if (WordWrap()) return FLines->GetCount() == 0 ? 0 : FWordWrapPlugin->RowCount();
  return FLines->GetCount();
}

int TCustomSrcEdit::LineToRow(int Line) {
  if (!WordWrap() || Line < 1) return Line;
  return FWordWrapPlugin->BufferToDisplayPos(BufferCoord(1, Line)).Row;
}

int TCustomSrcEdit::RowToLine(int Row) {
  if (!WordWrap() || Row < 1) return Row;
  return FWordWrapPlugin->DisplayToBufferPos(DisplayCoord(1, Row)).Line;
}

// ---------------------------------------------------------------------------
// Caret

TDisplayPoint TCustomSrcEdit::DisplayCaret() { return BufferToDisplay(Caret()); }

bool TCustomSrcEdit::IsCaretInView() {
  TDisplayPoint p = DisplayCaret();
  std::int64_t c = p.Column, r = p.Row;
  return c >= FLeftChar && c <= static_cast<std::int64_t>(FLeftChar) + FCharsInWindow && r >= FTopLine &&
         r <= static_cast<std::int64_t>(FTopLine) + FLinesInWindow;
}

void TCustomSrcEdit::PlaceCaret(bool EnsureVisible, const TBufferCoord& Value) {
  FCaretAtEOL = false;
  // The caret's display is suspended while we work: every caret update is
  // deferred to the end of the paint lock.
  TPaintLockGuard outer(this);
  int c = Value.Char;
  int l = Value.Line;
  const bool pastEol = HasOption(eoScrollPastEol);
  int count = FLines->GetCount();
  if (l > count) l = count;
  int bound;
  if (l < 1) {
    l = 1;
    bound = pastEol ? MaxCaretChar(1) : 1;
  } else {
    bound = MaxCaretChar(l);
  }
  if (c > bound && !(pastEol && HasOption(eoAutoSizeMaxScrollWidth))) c = bound;
  if (c < 1) c = 1;

  if (c == FCaretX && l == FCaretY) {
    FDbcsStepAside = false;
    FLastCaretX = DisplayCaret().Column;
    return;
  }
  TPaintLockGuard inner(this);
  if (c != FCaretX) {
    FCaretX = c;
    ReportStatus(scCaretX);
  }
  if (l != FCaretY) {
    if (FActiveLineColor != clNone) {
      InvalidateLine(l);
      InvalidateLine(FCaretY);
    }
    FCaretY = l;
    ReportStatus(scCaretY);
  }
  FDbcsStepAside = false;
  FLastCaretX = DisplayCaret().Column;
  if (EnsureVisible) EnsureCaretVisible();
  IncludeStateFlags(sfCaretChanged | sfScrollbarChanged);
}

void TCustomSrcEdit::MoveCaretTo(const TBufferCoord& Value) { PlaceCaret(true, Value); }

void TCustomSrcEdit::PlaceCaretCollapse(const TBufferCoord& Value) {
  TPaintLockGuard lock(this);
  ReportStatus(scSelection);
  bool hadSelection = HasSelection();
  PlaceCaret(true, Value);
  if (hadSelection) InvalidateSelection();
  FBlockBegin = Caret();
  FBlockEnd = FBlockBegin;
}

void TCustomSrcEdit::SetCaretChar(int Value) { MoveCaretTo(BufferCoord(Value, FCaretY)); }

void TCustomSrcEdit::SetCaretLine(int Value) { MoveCaretTo(BufferCoord(FCaretX, Value)); }

// ---------------------------------------------------------------------------
// Selection

TBufferCoord TCustomSrcEdit::SelFirst() const { return PointBefore(FBlockEnd, FBlockBegin) ? FBlockEnd : FBlockBegin; }

TBufferCoord TCustomSrcEdit::SelLast() const { return PointBefore(FBlockEnd, FBlockBegin) ? FBlockBegin : FBlockEnd; }

bool TCustomSrcEdit::HasSelection() const {
  return FBlockBegin.Char != FBlockEnd.Char || (FBlockBegin.Line != FBlockEnd.Line && FActiveSelectionMode != smColumn);
}

void TCustomSrcEdit::ClampSelPoint(TBufferCoord& P, bool NormalModeLimit) const {
  int count = FLines->GetCount();
  P.Line = std::max(1, std::min(P.Line, std::max(count, 1)));
  if (!HasOption(eoScrollPastEol) || WordWrap()) {
    if (P.Char < 1) P.Char = 1;
  } else {
    P.Char = std::max(1, std::min(P.Char, MaxCaretChar(P.Line)));
  }
  if (NormalModeLimit && FActiveSelectionMode == smNormal) {
    int limit = P.Line <= count ? FLines->LineLength(P.Line - 1) + 1 : 1;
    if (P.Char > limit) P.Char = limit;
  }
}

void TCustomSrcEdit::SetSelFrom(const TBufferCoord& Value) {
  FActiveSelectionMode = FSelectionMode;
  TBufferCoord p = Value;
  ClampSelPoint(p, true);
  bool hadSelection = HasSelection();
  int oldFirst = SelFirst().Line, oldLast = SelLast().Line;
  bool changed = p != FBlockBegin || p != FBlockEnd;
  FBlockBegin = p;
  FBlockEnd = p;
  if (hadSelection) InvalidateLines(oldFirst, oldLast);
  if (changed) ReportStatus(scSelection);
}

void TCustomSrcEdit::SetSelTo(const TBufferCoord& Value) {
  FActiveSelectionMode = FSelectionMode;
  if (HasOption(eoNoSelection)) return;
  TBufferCoord p = Value;
  ClampSelPoint(p, true);
  if (p == FBlockEnd) return;
  if (FActiveSelectionMode == smColumn && p.Char != FBlockEnd.Char) {
    int lo = std::min({FBlockBegin.Line, FBlockEnd.Line, p.Line});
    int hi = std::max({FBlockBegin.Line, FBlockEnd.Line, p.Line});
    FBlockEnd = p;
    InvalidateLines(lo, hi);
  } else {
    int oldLine = FBlockEnd.Line;
    FBlockEnd = p;
    if (FActiveSelectionMode != smColumn || FBlockBegin.Char != FBlockEnd.Char)
      InvalidateLines(oldLine, FBlockEnd.Line);
  }
  ReportStatus(scSelection);
}

void TCustomSrcEdit::SelectRange(const TBufferCoord& ACaret, const TBufferCoord& AFrom, const TBufferCoord& ATo) {
  TPaintLockGuard lock(this);
  TSrcSelectionMode saved = FActiveSelectionMode;
  MoveCaretTo(ACaret);
  SetSelFrom(AFrom);
  SetSelTo(ATo);
  SetActiveSelectionMode(saved);
}

void TCustomSrcEdit::StepCaret(const TBufferCoord& Before, const TBufferCoord& After, bool Extend) {
  if (HasOption(eoGroupUndo) && FUndoList->CanUndo()) FUndoList->AddGroupBreak();
  TPaintLockGuard lock(this);
  if (Extend) {
    if (!HasSelection()) SetSelFrom(Before);
    SetSelTo(After);
  } else {
    SetSelFrom(After);
  }
  MoveCaretTo(After);
}

void TCustomSrcEdit::SetActiveSelectionMode(TSrcSelectionMode Value) {
  if (Value == FActiveSelectionMode) return;
  InvalidateSelection();
  FActiveSelectionMode = Value;
  InvalidateSelection();
  ReportStatus(scSelection);
}

void TCustomSrcEdit::SetSelectionMode(TSrcSelectionMode Value) {
  if (Value == FSelectionMode) return;
  FSelectionMode = Value;
  SetActiveSelectionMode(Value);
}

void TCustomSrcEdit::MoveCaretByChars(int DX, bool Extend) {
  int c = FCaretX, l = FCaretY;
  const bool pastEol = HasOption(eoScrollPastEol);
  int count = FLines->GetCount();
  int len = (l >= 1 && l <= count) ? FLines->LineLength(l - 1) : 0;
  TBufferCoord target;
  if (!pastEol && DX == -1 && c == 1 && l > 1) {
    target = BufferCoord(FLines->LineLength(l - 2) + 1, l - 1);
  } else if (!pastEol && DX == 1 && c > len && l < count) {
    target = BufferCoord(1, l + 1);
  } else {
    std::int64_t t = std::max<std::int64_t>(1, static_cast<std::int64_t>(c) + DX);
    if (!pastEol && DX > 0) t = std::min<std::int64_t>(t, static_cast<std::int64_t>(len) + 1);
    target = BufferCoord(ClampToInt(t), l);
  }
  StepCaret(FBlockBegin, target, Extend);
}

void TCustomSrcEdit::MoveCaretByLines(int DY, bool Extend) {
  TDisplayPoint dp = DisplayCaret();
  std::int64_t row = static_cast<std::int64_t>(dp.Row) + DY;
  int lastRow = std::max(1, DisplayRowCount());
  if (DY > 0 && row > lastRow) row = lastRow;
  if (row < 1) row = 1;
  bool rowChanged = row != dp.Row;
  int x = dp.Column;
  if (rowChanged && HasOption(eoKeepCaretX)) x = FLastCaretX;
  TDisplayPoint aimed = DisplayCoord(x, static_cast<int>(row));
  TBufferCoord target = DisplayToBuffer(aimed);
  // A single-byte code page has no second bytes to step off.
  if (rowChanged) FDbcsStepAside = false;
  TPaintLockGuard lock(this);
  int savedLastCaretX = FLastCaretX;
  StepCaret(FBlockBegin, target, Extend);
  FLastCaretX = savedLastCaretX;
  if (WordWrap()) {
    TDisplayPoint got = BufferToDisplay(target);
    if (got.Column == 1 && got.Row != aimed.Row) FCaretAtEOL = true;
  }
}

void TCustomSrcEdit::SelectAllText() {
  int count = FLines->GetCount();
  TBufferCoord last = count == 0 ? BufferCoord(1, 1) : BufferCoord(FLines->LineLength(count - 1) + 1, count);
  TPaintLockGuard lock(this);
  SelectRange(last, BufferCoord(1, 1), last);
  // The whole text whatever the selection mode: a column from the first to
  // the last character would leave out most of it (or all of it when the
  // text ends in a line break). The next selection takes the mode again.
  SetActiveSelectionMode(smNormal);
  ReportStatus(scSelection);
}

bool TCustomSrcEdit::IsInSelection(const TBufferCoord& Value) const {
  TBufferCoord first = SelFirst(), last = SelLast();
  if (Value.Line < first.Line || Value.Line > last.Line) return false;
  if (first == last) return false;
  switch (FActiveSelectionMode) {
    case smLine: return true;
    case smColumn: {
      int lo = std::min(first.Char, last.Char), hi = std::max(first.Char, last.Char);
      if (lo == hi) return false;
      return Value.Char >= lo && Value.Char < hi;
    }
    default:
      if (Value.Line == first.Line && Value.Char < first.Char) return false;
      if (Value.Line == last.Line && Value.Char >= last.Char) return false;
      return true;
  }
}

std::string TCustomSrcEdit::ColumnSelectionText(const TBufferCoord& First, const TBufferCoord& Last, bool Pad) const {
  int lo = std::min(First.Char, Last.Char), hi = std::max(First.Char, Last.Char);
  size_t width = static_cast<size_t>(hi - lo);
  std::string result;
  result.reserve((width + 2) * static_cast<size_t>(Last.Line - First.Line + 1));
  for (int line = First.Line; line <= Last.Line; ++line) {
    std::string_view s = FLines->LineView(line - 1);
    size_t from = static_cast<size_t>(lo - 1);
    size_t n = 0;
    if (from < s.size()) {
      n = std::min(width, s.size() - from);
      result.append(s.data() + from, n);
    }
    if (Pad && n < width) result.append(width - n, ' ');
    if (line < Last.Line) result += "\r\n";
  }
  return result;
}

std::string TCustomSrcEdit::GetSelectedText() const {
  if (!HasSelection()) return std::string();
  TBufferCoord first = SelFirst(), last = SelLast();
  const int count = FLines->GetCount();
  auto lineAt = [this](int line) { return FLines->LineView(line - 1); };
  std::string result;
  switch (FActiveSelectionMode) {
    case smNormal: {
      if (first.Line == last.Line) {
        std::string_view s = lineAt(first.Line);
        size_t from = static_cast<size_t>(first.Char - 1);
        if (from < s.size()) result.assign(s.substr(from, static_cast<size_t>(last.Char - first.Char)));
        return result;
      }
      size_t total = 0;
      for (int line = first.Line; line <= last.Line; ++line) total += lineAt(line).size() + 2;
      result.reserve(total);
      std::string_view s = lineAt(first.Line);
      size_t from = static_cast<size_t>(first.Char - 1);
      if (from < s.size()) result.append(s.substr(from));
      result += "\r\n";
      for (int line = first.Line + 1; line < last.Line; ++line) {
        result.append(lineAt(line));
        result += "\r\n";
      }
      s = lineAt(last.Line);
      result.append(s.substr(0, std::min(s.size(), static_cast<size_t>(std::max(0, last.Char - 1)))));
      return result;
    }
    case smLine: {
      size_t total = 0;
      for (int line = first.Line; line <= last.Line; ++line) total += lineAt(line).size() + 2;
      result.reserve(total);
      for (int line = first.Line; line <= last.Line; ++line) {
        result.append(lineAt(line));
        if (line != count) result += "\r\n";
      }
      return result;
    }
    case smColumn: return ColumnSelectionText(first, last, !HasOption(eoTrimTrailingSpaces));
  }
  return result;
}

std::string TCustomSrcEdit::DeletedSelectionText() const {
  if (FActiveSelectionMode == smColumn && HasSelection()) return ColumnSelectionText(SelFirst(), SelLast(), false);
  return GetSelectedText();
}

void TCustomSrcEdit::SelectWordAtCaret() { SelectWord(Caret()); }

void TCustomSrcEdit::SelectWord(const TBufferCoord& Value) {
  TBufferCoord p = Value;
  int count = FLines->GetCount();
  if (HasOption(eoScrollPastEol))
    p.Char = std::max(1, std::min(p.Char, MaxCaretChar(std::max(1, std::min(p.Line, count)))));
  else if (p.Char < 1)
    p.Char = 1;
  p.Line = std::max(1, std::min(p.Line, std::max(count, 1)));
  std::string text(FLines->LineView(p.Line - 1));
  const int lineLen = static_cast<int>(text.size());
  text.push_back('\0');
  if (p.Char > static_cast<int>(text.size())) {
    MoveCaretTo(BufferCoord(lineLen + 1, p.Line));
    return;
  }
  TSysCharSet ident;
  if (FHighlighter)
    ident = FHighlighter->IdentifierCharSet() - FHighlighter->WordBreakChars();
  else
    ident = DefaultIdentChars() - DefaultWordBreakChars();

  const int n = static_cast<int>(text.size());
  auto flagsAt = [&](int pos) { return CType3Of(static_cast<unsigned char>(text[static_cast<size_t>(pos - 1)])); };
  std::uint16_t reference = flagsAt(p.Char);
  if ((reference & C3_SYMBOL) != 0 && p.Char > 1) reference = flagsAt(p.Char - 1);
  auto isBoundary = [&](int pos) {
    std::uint16_t f = flagsAt(pos);
    int cls = WordCharClass(f);
    unsigned char ch = static_cast<unsigned char>(text[static_cast<size_t>(pos - 1)]);
    if (cls == 1 || cls == 2) return !ident.Contains(ch);
    if (cls == 5 || cls == 9) return true;
    return f != reference;
  };
  int wordEnd = n + 1;
  for (int i = p.Char; i <= n; ++i) {
    if (isBoundary(i)) {
      wordEnd = i;
      break;
    }
  }
  int wordStart = 1;
  for (int i = p.Char - 1; i >= 1; --i) {
    if (isBoundary(i)) {
      wordStart = i + 1;
      break;
    }
  }
  SelectRange(BufferCoord(wordEnd, p.Line), BufferCoord(wordStart, p.Line), BufferCoord(wordEnd, p.Line));
  InvalidateLine(p.Line);
  ReportStatus(scSelection);
}

// ---------------------------------------------------------------------------
// Flat character index

int TCustomSrcEdit::CoordToCharIndex(const TBufferCoord& Value) const {
  int l = std::min(Value.Line, FLines->GetCount());
  std::int64_t sum = 0;
  for (int i = 0; i < l - 1; ++i) sum += static_cast<std::int64_t>(FLines->LineLength(i)) + 2;
  sum += static_cast<std::int64_t>(Value.Char) - 1;
  return ClampToInt(sum);
}

TBufferCoord TCustomSrcEdit::CharIndexToCoord(int Index) const {
  const int count = FLines->GetCount();
  std::int64_t before = 0;
  for (int k = 1; k <= count; ++k) {
    std::int64_t next = before + FLines->LineLength(k - 1) + 2;
    if (Index < next) return BufferCoord(ClampToInt(Index - before + 1), k);
    before = next;
  }
  return BufferCoord(1, count + 1);
}

int TCustomSrcEdit::GetSelectionStart() const { return CoordToCharIndex(HasSelection() ? SelFirst() : Caret()); }

int TCustomSrcEdit::GetSelectionEnd() const { return CoordToCharIndex(HasSelection() ? SelLast() : Caret()); }

int TCustomSrcEdit::GetSelectionLength() const {
  if (!HasSelection()) return 0;
  return CoordToCharIndex(SelLast()) - CoordToCharIndex(SelFirst());
}

void TCustomSrcEdit::SetSelectionStart(int Value) {
  HandleNeeded();
  MoveCaretTo(CharIndexToCoord(Value));
  SetSelFrom(Caret());
}

void TCustomSrcEdit::SetSelectionEnd(int Value) {
  HandleNeeded();
  SetSelTo(CharIndexToCoord(Value));
}

void TCustomSrcEdit::SetSelectionLength(int Value) {
  TBufferCoord first = SelFirst();
  int s = CoordToCharIndex(first);
  // 32-bit sum, wrapping as the index arithmetic does.
  int t = static_cast<int>(static_cast<std::uint32_t>(s) + static_cast<std::uint32_t>(Value));
  // Backwards past the start of the text: the selection reaches the start.
  if (Value < 0 && t < 0) t = 0;
  if (Value < 0) {
    TBufferCoord p = CharIndexToCoord(t);
    SelectRange(p, p, first);
  } else if (t < 0) {
    int count = FLines->GetCount();
    TBufferCoord end = count == 0 ? BufferCoord(1, 1) : BufferCoord(FLines->LineLength(count - 1) + 1, count);
    SelectRange(end, first, end);
  } else {
    TBufferCoord p = CharIndexToCoord(t);
    SelectRange(p, first, p);
  }
}

// ---------------------------------------------------------------------------
// Status

void TCustomSrcEdit::ReportStatus(TSrcStatusChanges Changes) {
  FStatusChanges = static_cast<TSrcStatusChanges>(FStatusChanges | Changes);
  if (FPaintLock == 0) FireStatusChange();
}
