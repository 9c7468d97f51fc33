// Editing control: the command executor (RunCommand), the word positions of
// the word commands and bracket matching.
//
// Every editing command works inside the paint lock and one update bracket
// of the line list, and records what undo needs to give back the exact
// earlier text: spaces added before typed text past the end of a line are
// an item of their own (urWhiteSpaceAdd) in the command's undo block.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditHighlighter.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "platform/CodePage.h"

namespace {

int Len(std::string_view s) { return ClampToInt(static_cast<std::int64_t>(s.size())); }

// Every byte 1..255 that is not a word character.
TSysCharSet BreakCharsOf(const TSysCharSet& ident) { return TSysCharSet::Range(1, 255) - ident; }

// --- double-byte aware scans over one line (1-based positions, 0 = none) ---

bool FarEast() { return SysLocaleFarEast(); }

bool IsLead(char c) { return IsAnsiLeadByte(static_cast<unsigned char>(c)); }

int ScanForChar(std::string_view s, int start, const TSysCharSet& set) {
  const int n = Len(s);
  if (start <= 0 || start > n) return 0;
  const bool dbcs = FarEast();
  if (dbcs && IsTrailByte(s, start)) ++start;
  for (int i = start; i <= n;) {
    const char c = s[static_cast<std::size_t>(i - 1)];
    if (dbcs && IsLead(c)) {
      i += 2;
      continue;
    }
    if (set.Contains(c)) return i;
    ++i;
  }
  return 0;
}

int ReverseScanForChar(std::string_view s, int start, const TSysCharSet& set) {
  if (start <= 0 || start > Len(s)) return 0;
  if (!FarEast()) {
    for (int i = start; i >= 1; --i)
      if (set.Contains(s[static_cast<std::size_t>(i - 1)])) return i;
    return 0;
  }
  int found = 0;
  for (int i = 1; i <= start;) {
    const char c = s[static_cast<std::size_t>(i - 1)];
    if (IsLead(c)) {
      i += 2;
      continue;
    }
    if (set.Contains(c)) found = i;
    ++i;
  }
  return found;
}

int ScanForLead(std::string_view s, int start) {
  const int n = Len(s);
  if (!FarEast() || start <= 0 || start > n) return 0;
  if (IsTrailByte(s, start)) ++start;
  for (int i = start; i <= n; ++i)
    if (IsLead(s[static_cast<std::size_t>(i - 1)])) return i;
  return 0;
}

int ReverseScanForLead(std::string_view s, int start) {
  if (!FarEast() || start <= 0 || start > Len(s)) return 0;
  int found = 0;
  for (int i = 1; i <= start;) {
    if (IsLead(s[static_cast<std::size_t>(i - 1)])) {
      found = i;
      i += 2;
    } else {
      ++i;
    }
  }
  return found;
}

// The smaller of two found positions (0 = not found).
int EarlierFound(int a, int b) {
  if (a == 0) return b;
  if (b == 0) return a;
  return std::min(a, b);
}

// Case conversions of the case commands (Windows-1251 case tables).
std::string ToggleCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    char up = AnsiUpperChar(c);
    c = up == c ? AnsiLowerChar(c) : up;
  }
  return r;
}

std::string TitleCase(std::string_view s) {
  std::string r = AnsiLowerCase(s);
  if (!r.empty()) r[0] = AnsiUpperChar(r[0]);
  return r;
}

}  // namespace

struct TCustomSrcEdit::TCommandPastEol {
  explicit TCommandPastEol(TCustomSrcEdit* e) : Edit(e), WasOn((e->FOptions & eoScrollPastEol) != 0) {
    Edit->FOptions |= eoScrollPastEol;
  }
  ~TCommandPastEol() {
    if (!WasOn) Edit->FOptions &= ~eoScrollPastEol;
  }
  TCommandPastEol(const TCommandPastEol&) = delete;
  TCommandPastEol& operator=(const TCommandPastEol&) = delete;
  TCustomSrcEdit* Edit;
  bool WasOn;
};

// ---------------------------------------------------------------------------
// Word characters and word positions

TSysCharSet TCustomSrcEdit::WordIdentChars() const {
  if (FHighlighter) return FHighlighter->IdentifierCharSet() - FHighlighter->WordBreakChars();
  return DefaultIdentChars() - DefaultWordBreakChars();
}

bool TCustomSrcEdit::IsIdentChar(char AChar) const { return WordIdentChars().Contains(AChar); }

bool TCustomSrcEdit::IsWordBreakChar(char AChar) const { return AChar != '\0' && !WordIdentChars().Contains(AChar); }

TBufferCoord TCustomSrcEdit::NextWordPos() { return NextWordPos(Caret()); }

TBufferCoord TCustomSrcEdit::NextWordPos(const TBufferCoord& XY) {
  const int count = FLines->GetCount();
  if (XY.Line < 1 || XY.Line > count) return XY;
  const TSysCharSet ident = WordIdentChars();
  const TSysCharSet brk = BreakCharsOf(ident);
  std::string_view line = FLines->LineView(XY.Line - 1);
  const int len = Len(line);
  const int cx = std::max(XY.Char, 1);
  if (cx >= len) {
    if (XY.Line >= count) return XY;
    std::string_view next = FLines->LineView(XY.Line);
    int x = EarlierFound(ScanForChar(next, 1, ident), ScanForLead(next, 1));
    return BufferCoord(std::max(1, x), XY.Line + 1);
  }
  int x = cx;
  if (ident.Contains(line[static_cast<std::size_t>(cx - 1)])) x = ScanForChar(line, cx, brk);
  if (x > 0) x = ScanForChar(line, x, ident);
  x = EarlierFound(x, ScanForLead(line, cx + 1));
  if (x == 0) x = len + 1;
  return BufferCoord(x, XY.Line);
}

TBufferCoord TCustomSrcEdit::PrevWordPos() { return PrevWordPos(Caret()); }

TBufferCoord TCustomSrcEdit::PrevWordPos(const TBufferCoord& XY) {
  const int count = FLines->GetCount();
  if (XY.Line < 1 || XY.Line > count) return XY;
  auto previousLineEnd = [&]() {
    if (XY.Line > 1) return BufferCoord(FLines->LineLength(XY.Line - 2) + 1, XY.Line - 1);
    return BufferCoord(1, XY.Line);
  };
  std::string_view line = FLines->LineView(XY.Line - 1);
  const int cx = std::min(XY.Char, Len(line) + 1);
  if (cx <= 1) return previousLineEnd();
  const TSysCharSet ident = WordIdentChars();
  const TSysCharSet brk = BreakCharsOf(ident);
  int x = cx;
  if (brk.Contains(line[static_cast<std::size_t>(cx - 2)])) x = ReverseScanForChar(line, cx - 1, ident);
  if (x > 0) x = ReverseScanForChar(line, x - 1, brk) + 1;
  const int lead = ReverseScanForLead(line, cx - 1);
  if (lead > x) x = lead;
  if (x == 0) return previousLineEnd();
  return BufferCoord(x, XY.Line);
}

TBufferCoord TCustomSrcEdit::WordStart() { return WordStart(Caret()); }

TBufferCoord TCustomSrcEdit::WordStart(const TBufferCoord& XY) {
  if (XY.Line < 1 || XY.Line > FLines->GetCount()) return XY;
  std::string_view line = FLines->LineView(XY.Line - 1);
  const int cx = XY.Char;
  if (cx <= 1 || cx > Len(line) + 1) return XY;
  const TSysCharSet ident = WordIdentChars();
  if (!ident.Contains(line[static_cast<std::size_t>(cx - 2)])) return XY;
  return BufferCoord(ReverseScanForChar(line, cx - 1, BreakCharsOf(ident)) + 1, XY.Line);
}

TBufferCoord TCustomSrcEdit::WordEnd() { return WordEnd(Caret()); }

TBufferCoord TCustomSrcEdit::WordEnd(const TBufferCoord& XY) {
  if (XY.Line < 1 || XY.Line > FLines->GetCount()) return XY;
  std::string_view line = FLines->LineView(XY.Line - 1);
  int x = ScanForChar(line, std::max(XY.Char, 1), BreakCharsOf(WordIdentChars()));
  if (x == 0) x = Len(line) + 1;
  return BufferCoord(x, XY.Line);
}

// ---------------------------------------------------------------------------
// Bracket matching

void TCustomSrcEdit::JumpToMatchingBracket() {
  TBufferCoord p = MatchBracketAtCaret();
  if (p.Char > 0 && p.Line > 0) MoveCaretTo(p);
}

TBufferCoord TCustomSrcEdit::MatchBracketAtCaret() { return MatchBracketAt(Caret()); }

void TCustomSrcEdit::MarkQuotedBrackets(int Index, const std::string& Text, const std::vector<int>& Positions,
                                        std::vector<char>& Quoted) {
  Quoted.assign(Positions.size(), 0);
  TSrcHighlighterAttributes* stringAttr = FHighlighter->DefaultAttribute(SRC_ATTR_STRING);
  TSrcHighlighterAttributes* commentAttr = FHighlighter->DefaultAttribute(SRC_ATTR_COMMENT);
  if (!stringAttr && !commentAttr) return;
  PrepareLineStart(Index);
  FHighlighter->StartLine(Text, Index);
  // One pass over the tokens: a position belongs to the first token that
  // starts at or before it and reaches past it.
  std::size_t k = 0;
  const std::size_t n = Positions.size();
  while (k < n && !FHighlighter->AtLineEnd()) {
    const std::int64_t start = static_cast<std::int64_t>(FHighlighter->TokenStart()) + 1;
    const std::int64_t end = start + FHighlighter->TokenLength();  // exclusive
    while (k < n && Positions[k] < start) ++k;
    if (end > start) {
      TSrcHighlighterAttributes* attr = FHighlighter->TokenAttribute();
      const bool quoted = attr != nullptr && (attr == stringAttr || attr == commentAttr);
      while (k < n && Positions[k] < end) Quoted[k++] = quoted ? 1 : 0;
    }
    FHighlighter->NextToken();
  }
}

TBufferCoord TCustomSrcEdit::MatchBracketAt(const TBufferCoord& APos) {
  static const char kBrackets[] = "()[]{}<>";
  const TBufferCoord none = BufferCoord(0, 0);
  const int count = FLines->GetCount();
  if (APos.Line < 1 || APos.Line > count) return none;
  std::string_view first = FLines->LineView(APos.Line - 1);
  if (APos.Char < 1 || APos.Char > Len(first) || IsTrailByte(first, APos.Char)) return none;
  const char bracket = first[static_cast<std::size_t>(APos.Char - 1)];
  const void* hit = bracket != '\0' ? std::memchr(kBrackets, bracket, 8) : nullptr;
  if (!hit) return none;
  const int i = static_cast<int>(static_cast<const char*>(hit) - kBrackets);
  const char partner = kBrackets[i ^ 1];
  const bool forward = (i & 1) == 0;
  const bool dbcs = FarEast();

  int level = 1;
  std::vector<int> positions;
  std::vector<char> quoted;
  std::string text;  // the line handed to the highlighter
  for (int line = APos.Line; forward ? line <= count : line >= 1; line += forward ? 1 : -1) {
    std::string_view s = FLines->LineView(line - 1);
    const int n = Len(s);
    // The brackets of this line that the walk passes, in text order; a
    // double-byte character is stepped over whole.
    int from = 1, to = n;
    if (line == APos.Line) {
      if (forward)
        from = APos.Char + 1;
      else
        to = APos.Char - 1;
    }
    positions.clear();
    for (int p = 1; p <= to;) {
      const char c = s[static_cast<std::size_t>(p - 1)];
      if (dbcs && IsLead(c)) {
        p += 2;
        continue;
      }
      if (p >= from && (c == bracket || c == partner)) positions.push_back(p);
      ++p;
    }
    if (positions.empty()) continue;
    // The line is tokenised once for all its brackets.
    quoted.assign(positions.size(), 0);
    if (FHighlighter) {
      text.assign(s.data(), s.size());
      MarkQuotedBrackets(line - 1, text, positions, quoted);
    }
    const int m = static_cast<int>(positions.size());
    for (int k = forward ? 0 : m - 1; forward ? k < m : k >= 0; k += forward ? 1 : -1) {
      if (quoted[static_cast<std::size_t>(k)]) continue;
      const int p = positions[static_cast<std::size_t>(k)];
      if (s[static_cast<std::size_t>(p - 1)] == bracket) {
        ++level;
      } else if (--level == 0) {
        return BufferCoord(p, line);
      }
    }
  }
  return none;
}

// ---------------------------------------------------------------------------
// The executor

void TCustomSrcEdit::RunCommand(TSrcEditorCommand Command, char AChar, void* Data) {
  TPaintLockGuard lock(this);
  const bool extend = Command >= ecSelLeft && Command <= ecSelGotoXY;
  const bool canEdit = !ReadOnly();
  switch (Command) {
    case ecLeft:
    case ecSelLeft: MoveCaretByChars(-1, extend); break;
    case ecRight:
    case ecSelRight: MoveCaretByChars(1, extend); break;
    case ecUp:
    case ecSelUp:
      MoveCaretByLines(-1, extend);
      Update();
      break;
    case ecDown:
    case ecSelDown:
      MoveCaretByLines(1, extend);
      Update();
      break;
    case ecWordLeft:
    case ecSelWordLeft: StepCaret(Caret(), PrevWordPos(), extend); break;
    case ecWordRight:
    case ecSelWordRight: StepCaret(Caret(), NextWordPos(), extend); break;
    case ecLineStart:
    case ecSelLineStart: CommandLineStart(extend); break;
    case ecLineEnd:
    case ecSelLineEnd: CommandLineEnd(extend); break;
    case ecPageUp:
    case ecSelPageUp:
    case ecPageDown:
    case ecSelPageDown: {
      int n = FLinesInWindow;
      if (HasOption(eoHalfPageScroll)) n /= 2;
      if (HasOption(eoScrollByOneLess)) --n;
      n = std::max(n, 1);  // a page is at least one line, however small the window
      if (Command == ecPageUp || Command == ecSelPageUp) n = -n;
      SetTopLine(ClampToInt(static_cast<std::int64_t>(FTopLine) + n));
      MoveCaretByLines(n, extend);
      Update();
      break;
    }
    case ecPageLeft:
    case ecSelPageLeft: MoveCaretByChars(-FCharsInWindow, extend); break;
    case ecPageRight:
    case ecSelPageRight: MoveCaretByChars(FCharsInWindow, extend); break;
    case ecPageTop:
    case ecSelPageTop:
    case ecPageBottom:
    case ecSelPageBottom: {
      const bool top = Command == ecPageTop || Command == ecSelPageTop;
      std::int64_t row = top ? FTopLine : static_cast<std::int64_t>(FTopLine) + FLinesInWindow - 1;
      row = std::max<std::int64_t>(1, std::min<std::int64_t>(row, std::max(1, DisplayRowCount())));
      StepCaret(Caret(), DisplayToBuffer(DisplayCoord(DisplayCaretColumn(), static_cast<int>(row))), extend);
      break;
    }
    case ecEditorTop:
    case ecSelEditorTop: StepCaret(Caret(), BufferCoord(1, 1), extend); break;
    case ecEditorBottom:
    case ecSelEditorBottom: {
      const int count = FLines->GetCount();
      StepCaret(Caret(), count == 0 ? BufferCoord(1, 1) : BufferCoord(FLines->LineLength(count - 1) + 1, count),
                extend);
      break;
    }
    case ecGotoXY:
    case ecSelGotoXY:
      if (Data) StepCaret(Caret(), *static_cast<const TBufferCoord*>(Data), extend);
      break;
    case ecSelectAll: SelectAllText(); break;
    case ecCopy: CopySelection(); break;
    case ecScrollUp: CommandScrollLines(-1); break;
    case ecScrollDown: CommandScrollLines(1); break;
    case ecScrollLeft:
      SetLeftChar(FLeftChar - 1);
      Update();
      break;
    case ecScrollRight:
      SetLeftChar(FLeftChar < INT_MAX ? FLeftChar + 1 : FLeftChar);
      Update();
      break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!FInsertMode); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecMatchBracket: JumpToMatchingBracket(); break;
    case ecContextHelp:
      if (OnContextHelp) OnContextHelp(this, WordAtCaret());
      break;
    case ecUndo: Undo(); break;
    case ecRedo: Redo(); break;
    case ecCut:
      if (canEdit && HasSelection()) CutSelection();
      break;
    case ecPaste:
      if (canEdit) PasteClipboard();
      break;
    case ecBlockIndent:
      if (canEdit) CommandBlockIndent();
      break;
    case ecBlockUnindent:
      if (canEdit) CommandBlockUnindent();
      break;
    case ecTab:
      if (canEdit) CommandTab();
      break;
    case ecShiftTab:
      if (canEdit) CommandShiftTab();
      break;
    case ecUpperCase:
    case ecLowerCase:
    case ecToggleCase:
    case ecTitleCase:
    case ecUpperCaseBlock:
    case ecLowerCaseBlock:
    case ecToggleCaseBlock:
      if (canEdit) CommandChangeCase(Command);
      break;
    case ecDeleteLastChar:
      if (canEdit) CommandDeleteLastChar();
      break;
    case ecDeleteChar:
      if (canEdit) CommandDeleteChar();
      break;
    case ecDeleteWord:
      if (canEdit) CommandDeleteForward(true);
      break;
    case ecDeleteEOL:
      if (canEdit) CommandDeleteForward(false);
      break;
    case ecDeleteLastWord:
      if (canEdit) CommandDeleteBackward(true);
      break;
    case ecDeleteBOL:
      if (canEdit) CommandDeleteBackward(false);
      break;
    case ecDeleteLine:
      if (canEdit) CommandDeleteLine();
      break;
    case ecClearAll:
      if (canEdit) ClearText();
      break;
    case ecLineBreak:
      if (canEdit) CommandLineBreak(true);
      break;
    case ecInsertLine:
      if (canEdit) CommandLineBreak(false);
      break;
    case ecChar:
      if (canEdit) CommandChar(AChar);
      break;
    case ecImeStr:
      if (canEdit && Data) CommandImeStr(std::string(static_cast<const char*>(Data)));
      break;
    default:
      if (Command >= ecGotoMarker0 && Command <= ecGotoMarker9) {
        if (FBookMarkOpt->EnableKeys()) GotoBookmark(Command - ecGotoMarker0);
      } else if (Command >= ecSetMarker0 && Command <= ecSetMarker9) {
        if (FBookMarkOpt->EnableKeys()) CommandSetMarker(Command - ecSetMarker0, Data);
      }
      // ecNone, ecCommentBlock, ecString, ecAutoCompletion and unknown
      // numbers do nothing.
      break;
  }
}

// ---------------------------------------------------------------------------
// Caret commands

void TCustomSrcEdit::CommandLineStart(bool Extend) {
  TBufferCoord target = BufferCoord(1, FCaretY);
  if (HasOption(eoEnhanceHomeKey)) {
    const int row = ShownCaretRow();
    if (!WordWrap() || LineToRow(FCaretY) == row) {
      std::string_view line = FLines->LineView(FCaretY - 1);
      int f = 1;
      while (f <= Len(line) && IsBlank(line[static_cast<std::size_t>(f - 1)])) ++f;
      target.Char = (FCaretX <= f && FCaretX != 1) ? 1 : f;
    } else {
      target = DisplayToBuffer(DisplayCoord(1, row));  // the start of a wrapped row
    }
  }
  StepCaret(Caret(), target, Extend);
}

void TCustomSrcEdit::CommandLineEnd(bool Extend) {
  std::string_view line = FLines->LineView(FCaretY - 1);
  const int len = Len(line);
  TBufferCoord target = BufferCoord(len + 1, FCaretY);
  if (HasOption(eoEnhanceEndKey)) {
    const int row = ShownCaretRow();
    if (!WordWrap() || row == BufferToDisplay(BufferCoord(len + 1, FCaretY)).Row) {
      int trimmed = len;
      while (trimmed > 0 && IsBlank(line[static_cast<std::size_t>(trimmed - 1)])) --trimmed;
      target.Char = FCaretX == trimmed + 1 ? len + 1 : trimmed + 1;
    } else {
      // The end of a wrapped row: the caret stays shown on that row.
      const TDisplayPoint rowEnd = DisplayCoord(FWordWrapPlugin->GetRowLength(row) + 1, row);
      StepCaret(Caret(), DisplayToBuffer(rowEnd), Extend);
      SetCaretFromDisplay(rowEnd);
      return;
    }
  }
  StepCaret(Caret(), target, Extend);
}

int TCustomSrcEdit::ShownCaretRow() {
  const int row = DisplayCaretRow();
  return WordWrap() && FCaretAtEOL && row > 1 ? row - 1 : row;
}

void TCustomSrcEdit::CommandScrollLines(int Delta) {
  const int row = DisplayCaretRow();
  const std::int64_t bottom = static_cast<std::int64_t>(FTopLine) + FLinesInWindow;  // first row below the window
  if (row < FTopLine || row >= bottom) {
    EnsureCaretVisible();
  } else {
    SetTopLine(ClampToInt(static_cast<std::int64_t>(FTopLine) + Delta));
    const std::int64_t last = static_cast<std::int64_t>(FTopLine) + FLinesInWindow - 1;
    if (row > last)
      MoveCaretByLines(ClampToInt(last - row), false);
    else if (row < FTopLine)
      MoveCaretByLines(FTopLine - row, false);
  }
  Update();
}

void TCustomSrcEdit::CommandSetMarker(int Number, void* Data) {
  const TBufferCoord pos = Data ? *static_cast<const TBufferCoord*>(Data) : Caret();
  if (TSrcEditMark* mark = Bookmark(Number)) {
    const int oldLine = mark->Line();
    ClearBookmark(Number);
    // The same line toggles the bookmark off.
    if (oldLine != pos.Line) SetBookmark(Number, pos.Char, pos.Line);
  } else {
    SetBookmark(Number, pos.Char, pos.Line);
  }
}

// ---------------------------------------------------------------------------
// Typing

void TCustomSrcEdit::ReplaceSelectionTyped(const std::string& Value) {
  TUndoBlockGuard block(FUndoList);
  const TSrcSelectionMode mode = FActiveSelectionMode;
  TBufferCoord first = SelFirst();
  if (mode == smLine) first.Char = 1;
  AddSelectionDeletion(urDelete);
  ReplaceSelectionRawActive(Value);
  if (mode != smColumn) FUndoList->AddChange(urInsert, first, Caret(), std::string(), smNormal);
}

void TCustomSrcEdit::AppendPaddingRecorded(const std::string& Pad) {
  if (Pad.empty()) return;
  const int index = std::max(FCaretY, 1) - 1;
  std::string line(FLines->LineView(index));
  const TBufferCoord start = BufferCoord(Len(line) + 1, index + 1);
  line += Pad;
  FLines->Put(index, line);
  // From after the padding back to where it begins.
  FUndoList->AddChange(urWhiteSpaceAdd, BufferCoord(Len(line) + 1, index + 1), start, std::string(), smNormal);
}

void TCustomSrcEdit::ScrollAfterTyping() {
  // At the right edge the view jumps on by up to 25 columns rather than
  // one at a time.
  if (FCharsInWindow > 1 &&
      static_cast<std::int64_t>(DisplayCaretColumn()) >= static_cast<std::int64_t>(FLeftChar) + FCharsInWindow)
    SetLeftChar(ClampToInt(static_cast<std::int64_t>(FLeftChar) + std::min(25, FCharsInWindow - 1)));
  EnsureCaretVisible();
}

void TCustomSrcEdit::CommandChar(char AChar) {
  const unsigned char code = static_cast<unsigned char>(AChar);
  if (code < 32 || code == 127) return;
  TCommandPastEol pastEol(this);
  if (HasSelection()) {
    ReplaceSelectionTyped(std::string(1, AChar));
  } else {
    const int l = std::max(FCaretY, 1);
    const int c = FCaretX;
    const int index = l - 1;
    const int len = FLines->LineLength(index);
    // Past MaxScrollWidth nothing is typed into the empty space beyond the
    // end of a line (the end of a longer line stays reachable).
    if (FInsertMode && !WordWrap() && !HasOption(eoAutoSizeMaxScrollWidth) && c > FMaxScrollWidth && c > len + 1)
      return;
    TUndoBlockGuard block(FUndoList);
    TUpdateGuard update(FLines);
    const bool wasEmpty = len == 0;
    if (len < c - 1) AppendPaddingRecorded(wasEmpty ? IndentString(c - 1, true) : std::string(c - 1 - len, ' '));
    // The line is edited in place: a keystroke costs the same on any line.
    std::string_view line = FLines->LineView(index);
    const int lineLen = Len(line);
    // Where the character goes: the caret, or the end of an indentation
    // that tabs made shorter than the caret.
    const int at = std::min(c, lineLen + 1);
    std::string replaced;
    std::string typed(1, AChar);
    std::size_t n = 0;
    if (!FInsertMode && at <= lineLen) {
      n = 1;
      if (FarEast() && IsLead(line[static_cast<std::size_t>(at - 1)]) && at < lineLen) {
        n = 2;
        typed += ' ';
      }
      replaced = std::string(line.substr(static_cast<std::size_t>(at - 1), n));
    }
    int caretChar = at + 1;
    if (FInsertMode && HasOption(eoTrimTrailingSpaces) && IsBlank(AChar) &&
        std::all_of(line.begin(), line.end(), IsBlank)) {
      std::string made(line);
      made.insert(static_cast<std::size_t>(at - 1), typed);
      caretChar = ExpandedLength(made, FTabWidth) + 1;
    }
    EditLineInPlace(index, at - 1, static_cast<int>(n), typed);
    FUndoList->AddChange(urInsert, BufferCoord(at, l), BufferCoord(at + Len(typed), l), std::move(replaced), smNormal);
    PlaceCaret(false, BufferCoord(caretChar, l));
  }
  ScrollAfterTyping();
}

void TCustomSrcEdit::CommandImeStr(const std::string& Value) {
  if (Value.empty()) return;
  if (Value.find_first_of("\r\n") != std::string::npos) {
    // A composed text with line breaks goes in as a text of several lines.
    ReplaceSelection(Value);
    return;
  }
  TCommandPastEol pastEol(this);
  if (HasSelection()) {
    ReplaceSelectionTyped(Value);
  } else {
    const int l = std::max(FCaretY, 1);
    const int c = FCaretX;
    const int index = l - 1;
    const int len = FLines->LineLength(index);
    TUndoBlockGuard block(FUndoList);
    TUpdateGuard update(FLines);
    if (len < c - 1) AppendPaddingRecorded(std::string(static_cast<std::size_t>(c - 1 - len), ' '));
    std::string line(FLines->LineView(index));
    const std::size_t at = static_cast<std::size_t>(c - 1);
    std::string removed;
    if (!FInsertMode && at < line.size()) {
      std::size_t n = std::min(Value.size(), line.size() - at);
      // Never half a double-byte character.
      if (FarEast()) {
        std::size_t i = at;
        while (i < at + n) i += IsLead(line[i]) && i + 1 < line.size() ? 2 : 1;
        n = i - at;
      }
      removed = line.substr(at, n);
      line.erase(at, n);
    }
    line.insert(at, Value);
    StoreLine(index, line);
    const TBufferCoord end = BufferCoord(ClampToInt(static_cast<std::int64_t>(c) + Len(Value)), l);
    FUndoList->AddChange(urInsert, BufferCoord(c, l), end, std::move(removed), smNormal);
    PlaceCaret(false, end);
  }
  ScrollAfterTyping();
}

void TCustomSrcEdit::CommandLineBreak(bool MoveCaret) {
  TUndoBlockGuard block(FUndoList);
  TUpdateGuard update(FLines);
  if (HasSelection()) {
    AddSelectionDeletion(urDelete);
    ReplaceSelectionRawActive(std::string());
  }
  if (FLines->GetCount() == 0) FLines->Add(std::string());
  const int l = std::max(1, std::min(FCaretY, FLines->GetCount()));
  const int c = FCaretX;
  const TBufferCoord caret = BufferCoord(c, l);
  const std::string line(FLines->LineView(l - 1));
  const int len = Len(line);
  TBufferCoord newCaret = caret;
  int shiftFrom;
  if (len == 0) {
    int k = 0;
    for (int i = l - 2; i >= 0; --i) {
      std::string_view above = FLines->LineView(i);
      if (!above.empty()) {
        k = LeadingSpaceCount(std::string(above), true);
        break;
      }
    }
    FLines->Insert(l - 1, std::string());
    FUndoList->AddChange(urLineBreak, caret, caret, std::string(), smNormal);
    shiftFrom = l;
    newCaret = BufferCoord(k + 1, l + 1);
  } else if (c > len) {
    const int k = LeadingSpaceCount(line, false);
    FLines->Insert(l, MoveCaret ? line.substr(0, static_cast<std::size_t>(k)) : std::string());
    FUndoList->AddChange(urLineBreak, caret, caret, std::string(), smNormal);
    shiftFrom = l + 1;
    newCaret = BufferCoord(k + 1, l + 1);
  } else if (c <= 1) {
    FLines->Insert(l - 1, std::string());
    FUndoList->AddChange(urLineBreak, caret, caret, line, smNormal);
    shiftFrom = l;
    newCaret = BufferCoord(1, l + 1);
  } else {
    const std::string left = line.substr(0, static_cast<std::size_t>(c - 1));
    const std::string right = line.substr(static_cast<std::size_t>(c - 1));
    const std::string indent = IndentString(LeadingSpaceCount(left, true), true);
    FLines->Insert(l, indent + right);
    StoreLine(l - 1, left);
    FUndoList->AddChange(urLineBreak, caret, caret, right, smNormal);
    shiftFrom = l + 1;
    newCaret = BufferCoord(Len(indent) + 1, l + 1);
  }
  ShiftMarksOnInsert(shiftFrom, 1);
  PlaceCaretCollapse(MoveCaret ? newCaret : caret);
}

// ---------------------------------------------------------------------------
// Deleting

void TCustomSrcEdit::CommandDeleteLastChar() {
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int l = std::max(1, std::min(FCaretY, count));
  const int c = FCaretX;
  const TBufferCoord old = BufferCoord(c, l);
  // Read in place; the line is edited in place too.
  std::string_view line = FLines->LineView(l - 1);
  const int len = Len(line);
  TUpdateGuard update(FLines);
  TBufferCoord target = old;
  std::string removed;
  if (c > len + 1) {
    // In the empty space past the end only the caret moves.
    if (!HasOption(eoSmartTabDelete)) {
      target.Char = c - 1;
    } else if (len == 0) {
      target.Char = 1;
      for (int i = l - 2; i >= 0; --i) {
        const int indent = LeadingSpaceCount(std::string(FLines->LineView(i)), true);
        if (indent < c - 1) {
          target.Char = indent + 1;
          break;
        }
      }
    } else {
      target.Char = len + 1;
    }
  } else if (c <= 1) {
    if (l <= 1) return;
    std::string previous(FLines->LineView(l - 2));
    if (HasOption(eoTrimTrailingSpaces)) previous = TrimTrailing(previous);
    target = BufferCoord(Len(previous) + 1, l - 1);
    StoreLine(l - 2, previous + std::string(line));
    FLines->Delete(l - 1);
    ShiftMarksOnDelete(l - 1, 1);
    removed = "\r\n";
  } else {
    const char before = line[static_cast<std::size_t>(c - 2)];
    // Only the first c bytes can tell whether the blanks before the caret
    // are the whole indentation.
    const std::string head(line.substr(0, std::min(line.size(), static_cast<std::size_t>(c))));
    if (IsBlank(before) && c - 1 == LeadingSpaceCount(head, false)) {
      if (HasOption(eoSmartTabDelete)) {
        // Back to the indentation of the nearest line above that is less
        // indented (display columns, tabs counted as the tab width).
        const int column = BufferToDisplay(old).Column;
        int targetColumn = 1;
        for (int i = l - 2; i >= 0; --i) {
          const int indent = LeadingSpaceCount(std::string(FLines->LineView(i)), true);
          if (indent < column - 1) {
            targetColumn = indent + 1;
            break;
          }
        }
        target.Char = std::max(1, std::min(c - 1, DisplayToBuffer(DisplayCoord(targetColumn, l)).Char));
      } else if (before == '\t') {
        target.Char = c - 1;
      } else {
        // Back over spaces to the previous tab stop, at most one tab width.
        int column = BufferToDisplay(old).Column;
        const int stop = ((column - 2) / FTabWidth) * FTabWidth + 1;
        int t = c, n = 0;
        while (t > 1 && n < FTabWidth && line[static_cast<std::size_t>(t - 2)] == ' ' && column > stop) {
          --t;
          --column;
          ++n;
        }
        target.Char = t;
      }
    } else {
      target.Char = c - 1;
      if (IsTrailByte(line, c - 1)) target.Char = c - 2;
    }
    removed =
        std::string(line.substr(static_cast<std::size_t>(target.Char - 1), static_cast<std::size_t>(c - target.Char)));
    EditLineInPlace(l - 1, target.Char - 1, c - target.Char, std::string_view());
  }
  if (target == old) return;
  MoveCaretTo(target);
  // A caret that only moved through empty space changed no text.
  if (!removed.empty()) FUndoList->AddChange(urSilentDelete, target, old, std::move(removed), smNormal);
}

void TCustomSrcEdit::CommandDeleteChar() {
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int l = std::max(1, std::min(FCaretY, count));
  const int c = FCaretX;
  const TBufferCoord caret = BufferCoord(c, l);
  const int len = FLines->LineLength(l - 1);
  TUndoBlockGuard block(FUndoList);
  TUpdateGuard update(FLines);
  if (c > len) {
    if (l >= count) return;  // nothing follows the last line
    if (c > len + 1) AppendPaddingRecorded(std::string(static_cast<std::size_t>(c - 1 - len), ' '));
    std::string joined(FLines->LineView(l - 1));
    joined.append(FLines->LineView(l));
    StoreLine(l - 1, joined);
    FLines->Delete(l);
    ShiftMarksOnDelete(l, 1);
    FUndoList->AddChange(urSilentDeleteAfterCaret, caret, BufferCoord(1, l + 1), "\r\n", smNormal);
  } else {
    std::string line(FLines->LineView(l - 1));
    std::size_t n = 1;
    if (FarEast() && IsLead(line[static_cast<std::size_t>(c - 1)]) && c < len) n = 2;
    std::string removed = line.substr(static_cast<std::size_t>(c - 1), n);
    line.erase(static_cast<std::size_t>(c - 1), n);
    StoreLine(l - 1, line);
    FUndoList->AddChange(urSilentDeleteAfterCaret, caret, BufferCoord(c + static_cast<int>(n), l), std::move(removed),
                         smNormal);
  }
  MoveCaretTo(caret);
}

void TCustomSrcEdit::CommandDeleteForward(bool Word) {
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int l = std::max(1, std::min(FCaretY, count));
  const int c = FCaretX;
  const TBufferCoord caret = BufferCoord(c, l);
  std::string_view line = FLines->LineView(l - 1);
  const int len = Len(line);
  TBufferCoord target;
  if (Word) {
    if (c > len) {
      if (l >= count) return;
      target = BufferCoord(1, l + 1);
    } else {
      target = WordEnd(caret);
      if (target == caret && line[static_cast<std::size_t>(c - 1)] != ' ') ++target.Char;
    }
    std::string_view tl = FLines->LineView(target.Line - 1);
    while (target.Char <= Len(tl) && tl[static_cast<std::size_t>(target.Char - 1)] == ' ') ++target.Char;
  } else {
    if (c > len) return;  // nothing right of the caret
    target = BufferCoord(len + 1, l);
  }
  if (target == caret) return;
  TUndoBlockGuard block(FUndoList);
  TUpdateGuard update(FLines);
  // A caret past the end of the line keeps its column: the gap is filled.
  if (c > len + 1) AppendPaddingRecorded(std::string(static_cast<std::size_t>(c - 1 - len), ' '));
  const TSrcSelectionMode saved = FActiveSelectionMode;
  SetActiveSelectionMode(smNormal);
  SelectRange(caret, caret, target);
  std::string removed = GetSelectedText();
  ReplaceSelectionRaw(smNormal, std::string(), false);
  FUndoList->AddChange(urSilentDeleteAfterCaret, caret, target, std::move(removed), smNormal);
  MoveCaretTo(caret);
  SetActiveSelectionMode(saved);
}

void TCustomSrcEdit::CommandDeleteBackward(bool Word) {
  const int count = FLines->GetCount();
  if (count == 0) return;
  const TBufferCoord old = Caret();
  const TBufferCoord target = Word ? PrevWordPos(old) : BufferCoord(1, old.Line);
  if (target == old) return;
  TUpdateGuard update(FLines);
  const TSrcSelectionMode saved = FActiveSelectionMode;
  SetActiveSelectionMode(smNormal);
  SelectRange(target, target, old);
  std::string removed = GetSelectedText();
  ReplaceSelectionRaw(smNormal, std::string(), false);
  MoveCaretTo(target);
  SetActiveSelectionMode(saved);
  // From the target to where the caret was, so that undo puts the caret
  // back and redo deletes the same text again.
  if (!removed.empty()) FUndoList->AddChange(urSilentDelete, target, old, std::move(removed), smNormal);
}

void TCustomSrcEdit::CommandDeleteLine() {
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int l = std::max(1, std::min(FCaretY, count));
  const std::string line(FLines->LineView(l - 1));
  if (l == count && line.empty()) return;
  PlaceCaretCollapse(Caret());
  TUpdateGuard update(FLines);
  if (l == count) {
    FLines->Put(l - 1, std::string());
    FUndoList->AddChange(urSilentDeleteAfterCaret, BufferCoord(1, l), BufferCoord(Len(line) + 1, l), line, smNormal);
  } else {
    FLines->Delete(l - 1);
    ShiftMarksOnDelete(l, 1);
    FUndoList->AddChange(urSilentDeleteAfterCaret, BufferCoord(1, l), BufferCoord(1, l + 1), line + "\r\n", smNormal);
  }
  MoveCaretTo(BufferCoord(1, l));
}

// ---------------------------------------------------------------------------
// Tabs and indentation

int TCustomSrcEdit::SmartTabWidth(int Line, int Column) {
  for (int i = Line - 2; i >= 0; --i) {
    if (FLines->GetExpandedLen(i) < Column) continue;
    const std::string e = FLines->GetExpandedLine(i);
    const int n = Len(e);
    int p = Column;
    while (p <= n && !IsBlank(e[static_cast<std::size_t>(p - 1)])) ++p;
    while (p <= n && IsBlank(e[static_cast<std::size_t>(p - 1)])) ++p;
    return p - Column;
  }
  return 0;
}

int TCustomSrcEdit::SmartUntabColumn(int Line, int Column) {
  if (Column <= 1) return 0;
  for (int i = Line - 2; i >= 0; --i) {
    if (FLines->GetExpandedLen(i) < Column - 1) continue;
    const std::string e = FLines->GetExpandedLine(i);
    int p = Column - 1;
    while (p >= 1 && IsBlank(e[static_cast<std::size_t>(p - 1)])) --p;
    while (p >= 1 && !IsBlank(e[static_cast<std::size_t>(p - 1)])) --p;
    return p + 1;
  }
  return 0;
}

void TCustomSrcEdit::CommandTab() {
  if (HasOption(eoTabIndent) && (SelectionSpansLines() || SelectionCoversWholeLines())) {
    const bool wholeLine = !SelectionSpansLines();
    CommandBlockIndent();
    if (wholeLine) {
      TBufferCoord from = FBlockBegin, to = FBlockEnd;
      if (from.Char < to.Char)
        from.Char = 1;
      else
        to.Char = 1;
      const TSrcSelectionMode mode = FActiveSelectionMode;
      SelectRange(Caret(), from, to);
      SetActiveSelectionMode(mode);
    }
    return;
  }
  TCommandPastEol pastEol(this);
  TUndoBlockGuard block(FUndoList);
  TUpdateGuard update(FLines);
  if (HasSelection()) {
    AddSelectionDeletion(urDelete);
    ReplaceSelectionRawActive(std::string());
  }
  if (FLines->GetCount() == 0) FLines->Add(std::string());
  const int l = std::max(1, std::min(FCaretY, FLines->GetCount()));
  const int c = FCaretX;
  const int column = BufferToDisplay(BufferCoord(c, l)).Column;
  const int smart = HasOption(eoSmartTabs) && l > 1 ? SmartTabWidth(l, column) : 0;
  int width = smart;
  if (width <= 0) {
    width = FTabWidth;
    if (HasOption(eoTabsToSpaces)) width -= (column - 1) % FTabWidth;
  }
  const int targetColumn = ClampToInt(static_cast<std::int64_t>(column) + width);
  std::string_view line = FLines->LineView(l - 1);
  const int len = Len(line);
  std::string inserted;
  if (HasOption(eoTabsToSpaces)) {
    inserted.assign(static_cast<std::size_t>(width), ' ');
  } else if (HasOption(eoTrimTrailingSpaces) && c > len) {
    // Blanks at the end of a line would be trimmed away: only the caret moves.
    MoveCaretTo(DisplayToBuffer(DisplayCoord(targetColumn, l)));
    EnsureCaretVisible();
    return;
  } else if (smart > 0) {
    bool blanksOnly = true;
    for (int i = 0; i < std::min(c - 1, len) && blanksOnly; ++i)
      blanksOnly = IsBlank(line[static_cast<std::size_t>(i)]);
    if (blanksOnly) {
      int at = column;
      const int nextStop = column + (FTabWidth - (column - 1) % FTabWidth);
      if (targetColumn >= nextStop) {
        inserted += '\t';
        at = nextStop;
        while (static_cast<std::int64_t>(at) + FTabWidth <= targetColumn) {
          inserted += '\t';
          at += FTabWidth;
        }
      }
      inserted.append(static_cast<std::size_t>(targetColumn - at), ' ');
    } else {
      inserted = "\t";
    }
  } else {
    inserted = "\t";
  }
  if (FActiveSelectionMode == smColumn) {
    ReplaceSelectionRaw(smColumn, inserted, true);
  } else {
    if (c > len + 1) AppendPaddingRecorded(std::string(static_cast<std::size_t>(c - 1 - len), ' '));
    std::string s(FLines->LineView(l - 1));
    s.insert(static_cast<std::size_t>(c - 1), inserted);
    const bool blank = std::all_of(s.begin(), s.end(), IsBlank);
    StoreLine(l - 1, s);
    const TBufferCoord end = BufferCoord(c + Len(inserted), l);
    FUndoList->AddChange(urInsert, BufferCoord(c, l), end, std::string(), smNormal);
    if (HasOption(eoTrimTrailingSpaces) && blank)
      MoveCaretTo(BufferCoord(ExpandedLength(s, FTabWidth) + 1, l));
    else
      MoveCaretTo(end);
  }
  EnsureCaretVisible();
}

void TCustomSrcEdit::CommandShiftTab() {
  if (HasOption(eoTabIndent) && (SelectionSpansLines() || SelectionCoversWholeLines())) {
    CommandBlockUnindent();
    return;
  }
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int l = std::max(1, std::min(FCaretY, count));
  const int c = FCaretX;
  const TBufferCoord old = BufferCoord(c, l);
  std::string line(FLines->LineView(l - 1));
  const int len = Len(line);
  const int column = BufferToDisplay(old).Column;
  // Only the blanks right before the caret are taken away, never text.
  int firstBlank = std::min(c, len + 1);
  while (firstBlank > 1 && IsBlank(line[static_cast<std::size_t>(firstBlank - 2)])) --firstBlank;
  int t = c;
  if (HasOption(eoSmartTabs) && c > 1 && l > 1) {
    const int smartColumn = SmartUntabColumn(l, column);
    if (smartColumn > 0) t = std::max(DisplayToBuffer(DisplayCoord(smartColumn, l)).Char, firstBlank);
    if (t > c) t = c;
  }
  if (t == c) {
    if (len < c - 1) {
      t = FTabWidth * ((c - 2) / FTabWidth) + 1;
    } else if (c > 1 && line[static_cast<std::size_t>(c - 2)] == '\t') {
      t = c - 1;
    } else {
      int col = column;
      const int stop = col > 1 ? ((col - 2) / FTabWidth) * FTabWidth + 1 : 1;
      while (t > 1 && line[static_cast<std::size_t>(t - 2)] == ' ' && col > stop) {
        --t;
        --col;
      }
    }
    t = std::max(t, std::min(firstBlank, c));
  }
  if (t == c) return;
  TUpdateGuard update(FLines);
  std::string removed;
  const int end = std::min(c, len + 1);
  if (t < end) {
    removed = line.substr(static_cast<std::size_t>(t - 1), static_cast<std::size_t>(end - t));
    line.erase(static_cast<std::size_t>(t - 1), static_cast<std::size_t>(end - t));
    StoreLine(l - 1, line);
  }
  MoveCaretTo(BufferCoord(t, l));
  if (!removed.empty()) FUndoList->AddChange(urSilentDelete, BufferCoord(t, l), old, std::move(removed), smNormal);
}

void TCustomSrcEdit::CommandBlockIndent() {
  if (!HasSelection()) return;
  const TBufferCoord from = FBlockBegin, to = FBlockEnd, caret = Caret();
  const TBufferCoord first = SelFirst(), last = SelLast();
  const TSrcSelectionMode mode = FActiveSelectionMode;
  int lastLine = last.Line;
  if (mode != smColumn && last.Char <= 1 && lastLine > first.Line) --lastLine;
  lastLine = std::min(lastLine, FLines->GetCount());
  const std::string unit = HasOption(eoTabsToSpaces) ? std::string(static_cast<std::size_t>(FTabWidth), ' ') : "\t";
  const int u = Len(unit);
  const int column = mode == smColumn ? std::min(first.Char, last.Char) : 1;
  std::string block;
  block.reserve((unit.size() + 2) * static_cast<std::size_t>(std::max(1, lastLine - first.Line + 1)));
  for (int line = first.Line; line <= lastLine; ++line) {
    if (line > first.Line) block += "\r\n";
    block += unit;
  }
  TBufferCoord newFirst = first, newLast = last;
  if (mode == smColumn) {
    newFirst.Char += u;
    newLast.Char += u;
  } else {
    newFirst.Char += u;
    if (last.Char > 1) newLast.Char += u;
  }
  // When every line reaches the column (always at column 1), nothing is
  // padded and the indentation is one column item over all the lines;
  // otherwise the column insertion records its items line by line.
  bool oneItem = true;
  for (int line = first.Line; line <= lastLine && oneItem && mode == smColumn; ++line)
    oneItem = FLines->LineLength(line - 1) >= column - 1;
  {
    TUndoBlockGuard undoBlock(FUndoList);
    // The selection before, the indentation, the selection after: undo and
    // redo each end with their selection.
    FUndoList->AddChange(urIndent, first, last, std::string(), mode);
    PlaceCaretCollapse(BufferCoord(column, first.Line));
    ReplaceSelectionRaw(smColumn, block, !oneItem);
    if (oneItem)
      FUndoList->AddChange(urPaste, BufferCoord(column, first.Line), BufferCoord(column + u, lastLine), std::string(),
                           smColumn);
    FUndoList->AddChange(urIndent, newFirst, newLast, std::string(), mode);
  }
  const bool forward = from == first;
  const TBufferCoord nf = forward ? newFirst : newLast, nt = forward ? newLast : newFirst;
  TBufferCoord nc;
  if (caret == from)
    nc = nf;
  else if (caret == to)
    nc = nt;
  else
    nc = BufferCoord(last.Char <= 1 ? 1 : caret.Char + u, caret.Line);
  SetActiveSelectionMode(mode);
  SelectRange(nc, nf, nt);
}

void TCustomSrcEdit::CommandBlockUnindent() {
  if (!HasSelection()) return;
  const TBufferCoord from = FBlockBegin, caret = Caret();
  const TBufferCoord first = SelFirst(), last = SelLast();
  const TSrcSelectionMode mode = FActiveSelectionMode;
  int lastLine = last.Line;
  if (mode != smColumn && last.Char <= 1 && lastLine > first.Line) --lastLine;
  lastLine = std::min(lastLine, FLines->GetCount());
  const int column = mode == smColumn ? std::min(first.Char, last.Char) : 1;
  const std::size_t at = static_cast<std::size_t>(column - 1);
  std::vector<int> counts;
  counts.reserve(static_cast<std::size_t>(std::max(0, lastLine - first.Line + 1)));
  std::string joined;
  bool any = false;
  for (int line = first.Line; line <= lastLine; ++line) {
    std::string_view s = FLines->LineView(line - 1);
    std::size_t n = 0;
    if (at < s.size()) {
      if (s[at] == '\t') {
        n = 1;
      } else {
        while (n < static_cast<std::size_t>(FTabWidth) && at + n < s.size() && s[at + n] == ' ') ++n;
        if (n < static_cast<std::size_t>(FTabWidth) && at + n < s.size() && s[at + n] == '\t') ++n;
      }
    }
    if (line > first.Line) joined += "\r\n";
    if (n > 0) {
      joined.append(s.substr(at, n));
      any = true;
    }
    counts.push_back(static_cast<int>(n));
  }
  if (!any) return;
  {
    TUpdateGuard update(FLines);
    for (int line = first.Line; line <= lastLine; ++line) {
      const int n = counts[static_cast<std::size_t>(line - first.Line)];
      if (n == 0) continue;
      std::string s(FLines->LineView(line - 1));
      s.erase(at, static_cast<std::size_t>(n));
      FLines->Put(line - 1, s);
    }
    FUndoList->AddChange(urUnindent, first, last, std::move(joined), mode);
  }
  auto countOf = [&](int line) {
    return line >= first.Line && line <= lastLine ? counts[static_cast<std::size_t>(line - first.Line)] : 0;
  };
  TBufferCoord nf = first, nl = last, nc = caret;
  if (mode != smColumn) {
    nf.Char = std::max(1, first.Char - countOf(first.Line));
    nl.Char = std::max(1, last.Char - countOf(last.Line));
    if (caret.Char > 1) nc.Char = std::max(1, caret.Char - countOf(caret.Line));
  }
  const bool forward = from == first;
  SetActiveSelectionMode(mode);
  SelectRange(nc, forward ? nf : nl, forward ? nl : nf);
}

// ---------------------------------------------------------------------------
// Case

void TCustomSrcEdit::CommandChangeCase(TSrcEditorCommand Command) {
  const bool word = Command >= ecUpperCase && Command <= ecTitleCase;
  const TBufferCoord oldCaret = Caret();
  const bool hadSelection = HasSelection();
  const TBufferCoord oldFirst = hadSelection ? SelFirst() : oldCaret;
  const TBufferCoord oldLast = hadSelection ? SelLast() : oldCaret;
  const TSrcSelectionMode oldMode = FActiveSelectionMode;
  if (word) {
    for (int attempt = 0;; ++attempt) {
      const TBufferCoord ws = WordStart(), we = WordEnd();
      if (we.Line == ws.Line && we.Char > ws.Char) {
        SetActiveSelectionMode(smNormal);
        SelectRange(we, ws, we);
        break;
      }
      if (attempt == 2) {
        PlaceCaretCollapse(Caret());
        break;
      }
      MoveCaretTo(PrevWordPos());
    }
  } else if (!hadSelection) {
    const int count = FLines->GetCount();
    if (count == 0) return;
    const int l = std::max(1, std::min(FCaretY, count));
    std::string_view line = FLines->LineView(l - 1);
    if (FCaretX > Len(line)) {
      if (l < count) MoveCaretTo(BufferCoord(1, l + 1));
      return;
    }
    int n = 1;
    if (FarEast() && IsLead(line[static_cast<std::size_t>(FCaretX - 1)]) && FCaretX < Len(line)) n = 2;
    SetActiveSelectionMode(smNormal);
    SelectRange(BufferCoord(FCaretX + n, l), BufferCoord(FCaretX, l), BufferCoord(FCaretX + n, l));
  }
  const std::string text = GetSelectedText();
  if (!text.empty()) {
    std::string converted;
    switch (Command) {
      case ecUpperCase:
      case ecUpperCaseBlock: converted = AnsiUpperCase(text); break;
      case ecLowerCase:
      case ecLowerCaseBlock: converted = AnsiLowerCase(text); break;
      case ecToggleCase:
      case ecToggleCaseBlock: converted = ToggleCase(text); break;
      default: converted = TitleCase(text); break;
    }
    TUndoBlockGuard block(FUndoList);
    FUndoList->AddChange(urSelection, oldFirst, oldLast, std::string(), oldMode);
    FUndoList->AddChange(urCaret, oldCaret, oldCaret, std::string(), oldMode);
    ReplaceSelection(converted);
  }
  if (hadSelection || word) {
    PlaceCaretCollapse(oldCaret);
    SetActiveSelectionMode(oldMode);
  }
}
