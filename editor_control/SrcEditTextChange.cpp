// Editing control: text changes. Every change of the text goes through
// ReplaceSelectionRaw; ReplaceSelection wraps it with the undo records.
#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"

namespace {

// One piece of a text between line breaks (CR LF, lone CR, lone LF).
struct TPiece {
  std::string_view Text;
  bool Break;  // a line break follows the piece
};

// Walks the pieces of a text; the last piece (possibly empty) has no break.
class TPieceReader {
 public:
  explicit TPieceReader(std::string_view s) : FText(s) {}
  bool Next(TPiece& piece) {
    if (FDone) return false;
    const char* begin = FText.data() + FPos;
    const char* end = FText.data() + FText.size();
    const char* p = FindLineEnd(begin, end);
    piece.Text = std::string_view(begin, static_cast<size_t>(p - begin));
    if (p == end) {
      piece.Break = false;
      FDone = true;
      return true;
    }
    piece.Break = true;
    size_t pos = static_cast<size_t>(p - FText.data());
    if (FText[pos] == '\r' && pos + 1 < FText.size() && FText[pos + 1] == '\n')
      pos += 2;
    else
      pos += 1;
    FPos = pos;
    return true;
  }

 private:
  std::string_view FText;
  size_t FPos = 0;
  bool FDone = false;
};

int CountLineBreaks(std::string_view s) {
  int n = 0;
  const char* end = s.data() + s.size();
  for (const char* p = FindLineEnd(s.data(), end); p != end; p = FindLineEnd(p, end)) {
    ++n;
    if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
    ++p;
  }
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// Selection replacement with undo records

void TCustomSrcEdit::ReplaceSelection(const std::string& Value) {
  ReplaceSelectionRecorded(Value.substr(0, Value.find('\0')));
}

void TCustomSrcEdit::ReplaceSelectionWhole(const std::string& Value) { ReplaceSelectionRecorded(Value); }

void TCustomSrcEdit::ReplaceSelectionRecorded(const std::string& Value) {
  TUndoBlockGuard block(FUndoList);
  if (HasSelection() && FActiveSelectionMode == smNormal) {
    // A text that keeps the lines of the span it replaces (a sorted or
    // indented block, a replaced word) is stored line by line: the lines
    // that come out the same are not touched. Recorded as below.
    const TBufferCoord first = SelFirst(), last = SelLast();
    if (SpanTakesLines(first, last, Value)) {
      AddSelectionDeletion(urDelete);
      FBlockBegin = first;
      FBlockEnd = last;
      ReplaceSpanByLines(first, last, Value);
      if (!Value.empty()) FUndoList->AddChange(urInsert, first, Caret(), std::string(), smNormal);
      return;
    }
  }
  // Where the text goes in: the start of the selection, or the caret.
  TBufferCoord start;
  if (HasSelection()) {
    AddSelectionDeletion(urDelete);
    start = SelFirst();
    FBlockEnd = SelLast();
    FBlockBegin = start;
  } else {
    SetActiveSelectionMode(FSelectionMode);
    // Nothing is selected, but the two ends may lie away from the caret
    // (the caret setters leave them), and in another mode they may even
    // enclose text: the text goes in at the caret and nothing is removed.
    start = Caret();
    FBlockBegin = start;
    FBlockEnd = start;
  }
  // Past the end of a line the insertion fills the gap with spaces: they
  // belong to the inserted text, so that undo takes them away too.
  if (FActiveSelectionMode == smNormal) start = ClampToLineEnd(start);
  ReplaceSelectionExact(FActiveSelectionMode, Value, true);
  // The insertion ends at the caret (the selection collapses there once the
  // outermost line-list update ends, which may be the caller's).
  if (!Value.empty() && FActiveSelectionMode != smColumn) {
    if (FActiveSelectionMode == smLine) {
      // Whole lines went in before line `start`: recorded as a normal-mode
      // insertion from the start of that line, so that undo removes exactly
      // the inserted lines and nothing of the line after them.
      FUndoList->AddChange(urInsert, BufferCoord(1, start.Line), Caret(), std::string(), smNormal);
    } else {
      FUndoList->AddChange(urInsert, start, Caret(), std::string(), FActiveSelectionMode);
    }
  }
}

void TCustomSrcEdit::ReplaceRuns(const std::vector<TBufferCoord>& Starts, int Length, std::string_view Replacement) {
  if (Starts.empty() || Length <= 0) return;
  const TBufferCoord first = Starts.front();
  const TBufferCoord end = BufferCoord(Starts.back().Char + Length, Starts.back().Line);
  TUndoBlockGuard block(FUndoList);
  SetActiveSelectionMode(smNormal);
  SelectRange(end, first, end);
  const bool trim = HasOption(eoTrimTrailingSpaces);
  // One item keeps what the changed lines held, and nothing else.
  std::shared_ptr<TSrcEditUndoLines> undo;
  if (!FUndoList->IsLocked()) {
    undo = std::make_shared<TSrcEditUndoLines>();
    std::size_t lines = 0, bytes = 0;
    for (std::size_t k = 0; k < Starts.size(); ++k) {
      if (k > 0 && Starts[k].Line == Starts[k - 1].Line) continue;
      ++lines;
      bytes += static_cast<std::size_t>(FLines->LineLength(Starts[k].Line - 1));
    }
    undo->ReserveTexts(lines, bytes);
  }
  std::int64_t caretChar = end.Char;
  {
    TPaintLockGuard lock(this);
    TUpdateGuard update(FLines);
    // With trailing blanks trimmed, every line the span touches is stored
    // trimmed, those without a run too (as a replacement of the whole span
    // stores them); the undo gives back each line exactly as it was.
    int next = first.Line - 1;
    auto trimUpTo = [&](int index) {
      for (; trim && next < index; ++next) {
        const std::string_view old = FLines->LineView(next);
        std::string trimmed = TrimTrailing(std::string(old));
        if (trimmed.size() == old.size()) continue;
        if (undo) undo->AddText(next, old);
        FLines->PutView(next, trimmed);
      }
    };
    // Each line that holds runs is rebuilt once into `line`, from the runs
    // given and the bytes between them.
    std::string line;
    for (std::size_t k = 0; k < Starts.size();) {
      const int index = Starts[k].Line - 1;
      trimUpTo(index);
      next = index + 1;
      const std::string_view old = FLines->LineView(index);
      line.clear();
      std::size_t from = 0;
      for (; k < Starts.size() && Starts[k].Line == index + 1; ++k) {
        const std::size_t at = static_cast<std::size_t>(Starts[k].Char - 1);
        line.append(old.substr(from, at - from));
        line.append(Replacement);
        from = at + static_cast<std::size_t>(Length);
      }
      const std::string_view right = old.substr(from);
      caretChar = static_cast<std::int64_t>(line.size()) + 1;
      line.append(right);
      if (trim) {
        line = TrimTrailing(line);
        // Where an insertion ending here leaves the caret on a trimmed line.
        if (right.empty())
          caretChar = ExpandedLength64(line, FTabWidth) + 1;
        else
          caretChar = static_cast<std::int64_t>(line.size()) -
                      static_cast<std::int64_t>(TrimTrailing(std::string(right)).size()) + 1;
      }
      if (undo) undo->AddText(index, old);
      FLines->PutView(index, line);
    }
    MoveCaretTo(
        BufferCoord(static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(caretChar, INT_MAX))), end.Line));
  }
  if (undo) {
    undo->SetEndAfter(Caret());
    FUndoList->AddLinesChange(first, end, std::move(undo));
  }
}

void TCustomSrcEdit::ReorderLines(const std::vector<int>& Order) {
  const int count = FLines->GetCount();
  if (static_cast<int>(Order.size()) != count || count == 0) return;
  std::vector<char> seen(static_cast<std::size_t>(count), 0);
  int moved = 0;
  for (int i = 0; i < count; ++i) {
    const int from = Order[static_cast<std::size_t>(i)];
    if (from < 0 || from >= count || seen[static_cast<std::size_t>(from)]) return;
    seen[static_cast<std::size_t>(from)] = 1;
    moved += from != i;
  }
  seen = std::vector<char>();
  if (moved == 0) return;
  auto undo = std::make_shared<TSrcEditUndoLines>();
  undo->ReserveMoves(static_cast<std::size_t>(moved));
  for (int i = 0; i < count; ++i)
    if (Order[static_cast<std::size_t>(i)] != i) undo->AddMove(i, Order[static_cast<std::size_t>(i)]);
  const TBufferCoord first = BufferCoord(1, 1);
  const TBufferCoord end = BufferCoord(FLines->LineLength(count - 1) + 1, count);
  TUndoBlockGuard block(FUndoList);
  SetActiveSelectionMode(smNormal);
  {
    TPaintLockGuard lock(this);
    TUpdateGuard update(FLines);
    FLines->MoveLines(undo->Indexes(), undo->Froms(), undo->Count());
    MoveCaretTo(BufferCoord(FLines->LineLength(count - 1) + 1, count));
  }
  undo->SetEndAfter(Caret());
  FUndoList->AddLinesChange(first, end, std::move(undo));
}

bool TCustomSrcEdit::SpanTakesLines(const TBufferCoord& S, const TBufferCoord& E, std::string_view Text) const {
  if (HasOption(eoTrimTrailingSpaces)) return false;
  if (S.Line < 1 || E.Line < S.Line || E.Line > FLines->GetCount()) return false;
  if (S.Line == E.Line && E.Char < S.Char) return false;
  if (S.Char < 1 || S.Char - 1 > FLines->LineLength(S.Line - 1)) return false;
  if (E.Char < 1 || E.Char - 1 > FLines->LineLength(E.Line - 1)) return false;
  return CountLineBreaks(Text) == E.Line - S.Line;
}

void TCustomSrcEdit::ReplaceSpanByLines(const TBufferCoord& S, const TBufferCoord& E, std::string_view Text) {
  TPaintLockGuard lock(this);
  TUpdateGuard update(FLines);
  TPieceReader reader(Text);
  TPiece piece;
  int index = S.Line - 1;
  std::size_t end = 0;
  std::string line;
  while (reader.Next(piece)) {
    const std::string_view old = FLines->LineView(index);
    const std::size_t from = index == S.Line - 1 ? static_cast<std::size_t>(S.Char - 1) : 0;
    const std::size_t to = index == E.Line - 1 ? static_cast<std::size_t>(E.Char - 1) : old.size();
    if (to - from != piece.Text.size() || old.compare(from, to - from, piece.Text) != 0) {
      line.assign(old.substr(0, from));
      line.append(piece.Text);
      line.append(old.substr(to));
      FLines->PutView(index, line);
    }
    end = from + piece.Text.size();
    ++index;
  }
  MoveCaretTo(BufferCoord(static_cast<int>(end) + 1, E.Line));
}

TBufferCoord TCustomSrcEdit::ClampToLineEnd(TBufferCoord p) const {
  // A line the text does not have (the first of an empty text) is empty.
  if (p.Line >= 1) p.Char = std::min(p.Char, FLines->LineLength(p.Line - 1) + 1);
  return p;
}

void TCustomSrcEdit::AddSelectionDeletion(TSrcChangeReason Reason) {
  // An empty text loses nothing, whatever its selection says.
  if (FLines->GetCount() == 0) return;
  TBufferCoord from = FBlockBegin, to = FBlockEnd;
  if (FActiveSelectionMode == smNormal) {
    // Nothing lies past the end of a line: the removal joins the parts at
    // the line end, and undo must put the text back there.
    from = ClampToLineEnd(from);
    to = ClampToLineEnd(to);
  }
  FUndoList->AddChange(Reason, from, to, DeletedSelectionText(), FActiveSelectionMode);
}

void TCustomSrcEdit::DeleteSelection() {
  if (HasSelection()) ReplaceSelection(std::string());
}

void TCustomSrcEdit::ClearText() {
  FLines->Clear();
  // Also when there were no lines to clear (the list then reports nothing).
  ClearAllMarks();
  FUndoList->Clear();
  FRedoList->Clear();
  SetModified(false);
}

// ---------------------------------------------------------------------------
// The primitive

void TCustomSrcEdit::ReplaceSelectionRawActive(const std::string& Value) {
  ReplaceSelectionRaw(FActiveSelectionMode, Value, true);
}

void TCustomSrcEdit::ReplaceSelectionRaw(TSrcSelectionMode PasteMode, const std::string& Value,
                                         bool RecordColumnItems) {
  // Text given to the control ends at its first NUL byte.
  ReplaceSelectionExact(PasteMode, Value.substr(0, Value.find('\0')), RecordColumnItems);
}

void TCustomSrcEdit::ReplaceSelectionExact(TSrcSelectionMode PasteMode, const std::string& Value,
                                           bool RecordColumnItems) {
  TPaintLockGuard lock(this);
  TUpdateGuard update(FLines);
  TBufferCoord first = SelFirst();
  TBufferCoord last = SelLast();
  if (HasSelection()) {
    bool column = FActiveSelectionMode == smColumn;
    // A normal end past the end of its line removes from the line's end,
    // and text that replaces the selection goes in there.
    if (FActiveSelectionMode == smNormal && !Value.empty()) first = ClampToLineEnd(first);
    RemoveSelectedText();
    // A column block dragged right to left has its first end on the right
    // edge: the insertion point is the block's left column.
    MoveCaretTo(column ? BufferCoord(std::min(first.Char, last.Char), first.Line) : first);
  }
  if (!Value.empty()) InsertTextByMode(PasteMode, Value, RecordColumnItems);
  if (FCaretY < 1) FCaretY = 1;
}

void TCustomSrcEdit::EditLineInPlace(int Index, int Pos, int Count, std::string_view Text) {
  // A line the list does not have yet (the first of an empty text) is added.
  if (HasOption(eoTrimTrailingSpaces) || Index >= FLines->GetCount()) {
    std::string s(FLines->LineView(Index));
    s.replace(static_cast<size_t>(Pos), static_cast<size_t>(Count), Text);
    StoreLine(Index, s);
    return;
  }
  if (FHighlighter != nullptr)
    FScanCheckpoints.Edited(Index, Pos, Count, static_cast<int>(Text.size()), FHighlighter->ResumeMargin());
  FEditingInPlace = true;
  try {
    FLines->EditLine(Index, Pos, Count, Text);
  } catch (...) {
    FEditingInPlace = false;
    FScanCheckpoints.Drop(Index);
    throw;
  }
  FEditingInPlace = false;
}

void TCustomSrcEdit::StoreLine(int Index, std::string_view Value) {
  if (HasOption(eoTrimTrailingSpaces))
    FLines->Put(Index, TrimTrailing(std::string(Value)));
  else
    FLines->PutView(Index, Value);
}

void TCustomSrcEdit::RemoveSelectedText() {
  TBufferCoord first = SelFirst(), last = SelLast();
  const int fc = first.Char, fl = first.Line, lc = last.Char, ll = last.Line;
  const int count = FLines->GetCount();
  switch (FActiveSelectionMode) {
    case smNormal: {
      if (count == 0) break;
      if (fl == ll && !HasOption(eoTrimTrailingSpaces)) {
        // Within one line: the removed bytes go in place.
        const size_t size = static_cast<size_t>(FLines->LineLength(fl - 1));
        const size_t from = std::min(size, static_cast<size_t>(std::max(0, fc - 1)));
        const size_t to = std::max(from, std::min(size, static_cast<size_t>(std::max(0, lc - 1))));
        EditLineInPlace(fl - 1, static_cast<int>(from), static_cast<int>(to - from), std::string_view());
        MoveCaretTo(BufferCoord(fc, fl));
        ShiftMarksOnDelete(fl, 0);
        break;
      }
      std::string_view head = FLines->LineView(fl - 1);
      std::string_view tail = FLines->LineView(ll - 1);
      std::string joined(head.substr(0, std::min(head.size(), static_cast<size_t>(std::max(0, fc - 1)))));
      size_t from = static_cast<size_t>(std::max(0, lc - 1));
      if (from < tail.size()) joined.append(tail.substr(from));
      if (ll > fl) FLines->DeleteLines(fl, ll - fl);
      if (HasOption(eoScrollPastEol) && HasOption(eoTrimTrailingSpaces)) joined = TrimTrailing(joined);
      FLines->Put(fl - 1, joined);
      MoveCaretTo(BufferCoord(fc, fl));
      ShiftMarksOnDelete(fl, ll - fl);
      break;
    }
    case smLine: {
      if (count > 0) {
        if (ll >= count) {
          // One empty line remains where the block was.
          FLines->Put(ll - 1, std::string());
          if (ll > fl) FLines->DeleteLines(fl - 1, ll - fl);
        } else {
          FLines->DeleteLines(fl - 1, ll - fl + 1);
        }
      }
      MoveCaretTo(BufferCoord(1, fl));
      ShiftMarksOnDelete(fl, ll - fl + 1);
      break;
    }
    case smColumn: {
      int left = std::min(fc, lc), right = std::max(fc, lc);
      for (int line = fl; line <= std::min(ll, count); ++line) {
        std::string s(FLines->LineView(line - 1));
        size_t from = static_cast<size_t>(left - 1);
        if (from < s.size()) s.erase(from, std::min(static_cast<size_t>(right - left), s.size() - from));
        StoreLine(line - 1, s);
      }
      MoveCaretTo(BufferCoord(left, FBlockEnd.Line));
      break;
    }
  }
}

void TCustomSrcEdit::InsertTextByMode(TSrcSelectionMode Mode, const std::string& Value, bool Record) {
  const int l = FCaretY, c = FCaretX;
  const int countBefore = FLines->GetCount();
  int added;
  int shiftFrom;
  switch (Mode) {
    case smColumn:
      added = InsertColumn(Value, Record);
      // The column insertion appends its new lines at the end of the text.
      shiftFrom = countBefore + 1;
      break;
    case smLine:
      added = InsertWholeLines(Value);
      shiftFrom = l;
      break;
    default:
      added = InsertNormal(Value);
      shiftFrom = c > 1 ? l + 1 : l;
      break;
  }
  if (added > 0) ShiftMarksOnInsert(shiftFrom, added);
  MoveCaretTo(Caret());
}

int TCustomSrcEdit::InsertNormal(const std::string& Value) {
  const int c = FCaretX, l = FCaretY;
  std::string_view line = FLines->LineView(l - 1);
  const size_t keep = static_cast<size_t>(c - 1);
  const int breaks = CountLineBreaks(Value);
  const bool trim = HasOption(eoTrimTrailingSpaces);
  if (breaks == 0 && !trim && l <= FLines->GetCount()) {
    // Within one line: the line is edited in place, the gap past its end
    // filled with spaces.
    const size_t at = std::min(line.size(), keep);
    const size_t rightLen = line.size() - at;
    if (at < keep)
      EditLineInPlace(l - 1, static_cast<int>(at), 0, std::string(keep - at, ' ') + Value);
    else
      EditLineInPlace(l - 1, static_cast<int>(at), 0, Value);
    const std::int64_t caretChar =
        static_cast<std::int64_t>(FLines->LineLength(l - 1)) - static_cast<std::int64_t>(rightLen) + 1;
    FCaretX = static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(caretChar, INT_MAX)));
    ReportStatus(scCaretX);
    return 0;
  }
  std::string left(line.substr(0, std::min(line.size(), keep)));
  if (left.size() < keep) left.append(keep - left.size(), ' ');
  std::string right(keep < line.size() ? line.substr(keep) : std::string_view());

  std::string lastStored;
  if (breaks == 0) {
    StoreLine(l - 1, left + Value + right);
  } else {
    TPieceReader reader(Value);
    TPiece piece;
    reader.Next(piece);
    StoreLine(l - 1, left + std::string(piece.Text));
    // All new lines at once, then each filled once.
    FLines->InsertLines(l, breaks);
    // The whole lines between the first and the last go in at once.
    std::vector<std::string_view> whole;
    whole.reserve(static_cast<std::size_t>(breaks - 1));
    while (reader.Next(piece) && piece.Break) whole.push_back(piece.Text);
    if (trim) {
      for (std::size_t k = 0; k < whole.size(); ++k) StoreLine(l + static_cast<int>(k), whole[k]);
    } else {
      FLines->PutViews(l, whole.data(), static_cast<int>(whole.size()));
    }
    FCaretY = l + breaks;
    StoreLine(FCaretY - 1, std::string(piece.Text) + right);
    ReportStatus(scCaretY);
  }
  std::string_view stored = FLines->LineView(FCaretY - 1);
  std::int64_t caretChar;
  if (!HasOption(eoTrimTrailingSpaces)) {
    caretChar = static_cast<std::int64_t>(stored.size()) - static_cast<std::int64_t>(right.size()) + 1;
  } else if (right.empty()) {
    caretChar = ExpandedLength64(std::string(stored), FTabWidth) + 1;
  } else {
    caretChar = static_cast<std::int64_t>(stored.size()) - static_cast<std::int64_t>(TrimTrailing(right).size()) + 1;
  }
  FCaretX = static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(caretChar, INT_MAX)));
  ReportStatus(scCaretX);
  return breaks;
}

int TCustomSrcEdit::InsertColumn(const std::string& Value, bool Record) {
  const int k = FCaretX;
  int added = 0;
  int lastLen = 0;
  TPieceReader reader(Value);
  TPiece piece;
  auto appendLine = [&]() {
    // A new line at the end of the text, recorded so that undo removes it.
    int prev = FLines->GetCount();
    int prevLen = prev > 0 ? FLines->LineLength(prev - 1) : 0;
    FLines->Add(std::string());
    ++added;
    // The first line of an empty text is there already as far as the text
    // goes: no break made it.
    if (Record && prev > 0) {
      TBufferCoord at = BufferCoord(prevLen + 1, prev);
      FUndoList->AddChange(urLineBreak, at, at, std::string(), smNormal);
    }
  };
  while (reader.Next(piece)) {
    if (!piece.Text.empty()) {
      std::string s;
      // Rows left empty by the block still become lines of their own.
      while (FCaretY > FLines->GetCount()) appendLine();
      {
        s.assign(FLines->LineView(FCaretY - 1));
        if (static_cast<int>(s.size()) < k) {
          // The spaces up to the insert column are recorded on their own
          // (from the insert column back to where they begin), so that undo
          // takes them away with the piece.
          if (Record && static_cast<int>(s.size()) < k - 1)
            FUndoList->AddChange(urWhiteSpaceAdd, BufferCoord(k, FCaretY),
                                 BufferCoord(static_cast<int>(s.size()) + 1, FCaretY), std::string(), smNormal);
          s.append(static_cast<size_t>(k - 1) - s.size(), ' ');
          s.append(piece.Text);
        } else {
          s.insert(static_cast<size_t>(k - 1), piece.Text);
        }
      }
      StoreLine(FCaretY - 1, s);
      if (Record) {
        int len = static_cast<int>(piece.Text.size());
        // A column piece is undone as a column piece, whatever mode the
        // selection it replaced was in.
        FUndoList->AddChange(urPaste, BufferCoord(k, FCaretY), BufferCoord(k + len, FCaretY), std::string(), smColumn);
      }
      lastLen = static_cast<int>(piece.Text.size());
    }
    if (piece.Break) {
      ++FCaretY;
      ReportStatus(scCaretY);
    }
  }
  FCaretX = k + lastLen;
  ReportStatus(scCaretX);
  return added;
}

int TCustomSrcEdit::InsertWholeLines(const std::string& Value) {
  FCaretX = 1;
  const int breaks = CountLineBreaks(Value);
  TPieceReader reader(Value);
  TPiece piece;
  if (breaks > 0) FLines->InsertLines(FCaretY - 1, breaks);
  int stored = 0;
  while (reader.Next(piece)) {
    if (piece.Break) {
      StoreLine(FCaretY - 1, std::string(piece.Text));
      ++FCaretY;
      ++stored;
      ReportStatus(scCaretY);
      continue;
    }
    std::string last(piece.Text);
    if (FCaretY > FLines->GetCount()) {
      FLines->Add(HasOption(eoTrimTrailingSpaces) ? TrimTrailing(last) : last);
    } else {
      StoreLine(FCaretY - 1, last + std::string(FLines->LineView(FCaretY - 1)));
    }
    FCaretX = static_cast<int>(last.size()) + 1;
    ReportStatus(scCaretX);
  }
  return stored;
}

// ---------------------------------------------------------------------------
// Marks follow the lines

void TCustomSrcEdit::ShiftMarksOnInsert(int FirstLine, int Count) {
  if (Count <= 0) return;
  for (int i = 0; i < FMarkList->Count(); ++i) {
    TSrcEditMark* m = FMarkList->Items(i);
    if (m->Line() >= FirstLine) m->SetLine(m->Line() + Count);
  }
}

void TCustomSrcEdit::ShiftMarksOnDelete(int FirstLine, int Count) {
  if (Count <= 0) return;
  for (int i = 0; i < FMarkList->Count(); ++i) {
    TSrcEditMark* m = FMarkList->Items(i);
    if (m->Line() >= FirstLine + Count)
      m->SetLine(m->Line() - Count);
    else if (m->Line() > FirstLine)
      m->SetLine(FirstLine);
  }
}
