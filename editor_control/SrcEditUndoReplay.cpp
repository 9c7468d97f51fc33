// Editing control: undo and redo. Each step pops one item of one list,
// re-creates the state before (undo) or after (redo) the change through the
// text primitive and the selection setters, and pushes a mirror item onto
// the other list, so that the two lists stay symmetric. One command replays
// the items of one action (one change number), a bracket pair, or with
// eoGroupUndo a run of like items.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"

namespace {

// Gives every item a list records meanwhile one change number.
class TBlockNumberGuard {
 public:
  TBlockNumberGuard(TSrcEditUndoList* list, std::uint32_t number) : FList(list), FSaved(list->BlockChangeNumber()) {
    FList->SetBlockChangeNumber(number);
  }
  ~TBlockNumberGuard() { FList->SetBlockChangeNumber(FSaved); }
  TBlockNumberGuard(const TBlockNumberGuard&) = delete;
  TBlockNumberGuard& operator=(const TBlockNumberGuard&) = delete;

 private:
  TSrcEditUndoList* FList;
  std::uint32_t FSaved;
};

// Marks the undo list as recording the mirrors of a redo, so that they do
// not end the redo history.
class TInsideRedoGuard {
 public:
  explicit TInsideRedoGuard(TSrcEditUndoList* list) : FList(list), FSaved(list->InsideRedo()) {
    FList->SetInsideRedo(true);
  }
  ~TInsideRedoGuard() { FList->SetInsideRedo(FSaved); }
  TInsideRedoGuard(const TInsideRedoGuard&) = delete;
  TInsideRedoGuard& operator=(const TInsideRedoGuard&) = delete;

 private:
  TSrcEditUndoList* FList;
  bool FSaved;
};

// Marks the replay of the whole action of one change number (Undo, Redo),
// in which two items may be replayed together; UndoItem and RedoItem alone
// replay one item.
class TWholeAction {
 public:
  TWholeAction(std::uint32_t& replaying, std::uint32_t number) : FReplaying(replaying), FSaved(replaying) {
    FReplaying = number;
  }
  ~TWholeAction() { FReplaying = FSaved; }
  TWholeAction(const TWholeAction&) = delete;
  TWholeAction& operator=(const TWholeAction&) = delete;

 private:
  std::uint32_t& FReplaying;
  std::uint32_t FSaved;
};

// Moves the group break on top of `from` to `to`, keeping its change number.
void MoveGroupBreak(TSrcEditUndoList* from, TSrcEditUndoList* to) {
  std::unique_ptr<TSrcEditUndoItem> item = from->PopItem();
  if (!item) return;
  TBlockNumberGuard number(to, item->ChangeNumber());
  to->AddGroupBreak();
}

// The pieces of a text between CR, LF or CR LF breaks, in order.
template <typename F>
void ForEachPiece(std::string_view text, F&& f) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size()) {
      f(text.substr(begin));
      return;
    }
    if (text[i] == '\r' || text[i] == '\n') {
      f(text.substr(begin, i - begin));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      begin = i + 1;
    }
  }
}

}  // namespace

struct TCustomSrcEdit::TReplayPastEol {
  explicit TReplayPastEol(TCustomSrcEdit* e) : Edit(e), WasOn((e->FOptions & eoScrollPastEol) != 0) {
    Edit->FOptions |= eoScrollPastEol;
  }
  ~TReplayPastEol() {
    if (!WasOn) Edit->FOptions &= ~eoScrollPastEol;
  }
  TReplayPastEol(const TReplayPastEol&) = delete;
  TReplayPastEol& operator=(const TReplayPastEol&) = delete;
  TCustomSrcEdit* Edit;
  bool WasOn;
};

// ---------------------------------------------------------------------------
// Commands

bool TCustomSrcEdit::ContinueReplay(int First, std::uint32_t Number, int Done, const TSrcEditUndoItem& Next,
                                    bool Undoing) const {
  const auto first = static_cast<TSrcChangeReason>(First);
  const TSrcChangeReason next = Next.ChangeReason();
  if (Undoing ? IsUndoBracketEnd(first) : IsUndoBracketBegin(first)) return next != UndoBracketPartner(first);
  if (Next.ChangeNumber() == Number) return true;
  if (!HasOption(eoGroupUndo) || next != static_cast<TSrcChangeReason>(Done)) return false;
  return next != urIndent && next != urUnindent && next != urLinesChanged;
}

void TCustomSrcEdit::Undo() {
  if (ReadOnly()) return;
  TPaintLockGuard lock(this);
  if (FUndoList->LastReason() == urGroupBreak) MoveGroupBreak(FUndoList, FRedoList);
  if (TSrcEditUndoItem* first = FUndoList->PeekItem()) {
    const TSrcChangeReason reason = first->ChangeReason();
    const std::uint32_t number = first->ChangeNumber();
    // All mirrors of this command form one redo action.
    TBlockNumberGuard mirrors(FRedoList, number);
    TWholeAction whole(FReplayNumber, number);
    for (;;) {
      UndoItem();
      const TSrcEditUndoItem* next = FUndoList->PeekItem();
      if (!next || !ContinueReplay(reason, number, FLastReplayed, *next, true)) break;
    }
    if (IsUndoBracketEnd(reason) && FUndoList->LastReason() == UndoBracketPartner(reason)) UndoItem();
  }
  // A group break moved between the lists reports nothing: the flag is
  // recomputed here, after every undo.
  UpdateModifiedStatus();
}

void TCustomSrcEdit::Redo() {
  if (ReadOnly()) return;
  TPaintLockGuard lock(this);
  if (TSrcEditUndoItem* first = FRedoList->PeekItem()) {
    if (first->ChangeReason() == urGroupBreak) {
      // Nothing to redo but the break itself: it goes back where it came from.
      MoveGroupBreak(FRedoList, FUndoList);
    } else {
      const TSrcChangeReason reason = first->ChangeReason();
      const std::uint32_t number = first->ChangeNumber();
      {
        TBlockNumberGuard mirrors(FUndoList, number);
        TWholeAction whole(FReplayNumber, number);
        for (;;) {
          RedoItem();
          const TSrcEditUndoItem* next = FRedoList->PeekItem();
          if (!next || !ContinueReplay(reason, number, FLastReplayed, *next, false)) break;
        }
        if (IsUndoBracketBegin(reason) && FRedoList->LastReason() == UndoBracketPartner(reason)) RedoItem();
      }
      if (FRedoList->LastReason() == urGroupBreak) MoveGroupBreak(FRedoList, FUndoList);
    }
  }
  UpdateModifiedStatus();
}

// ---------------------------------------------------------------------------
// One item

void TCustomSrcEdit::UndoItem() {
  std::unique_ptr<TSrcEditUndoItem> item = FUndoList->PopItem();
  if (!item) return;
  FLastReplayed = item->ChangeReason();
  SetActiveSelectionMode(item->ChangeSelMode());
  TPaintLockGuard lock(this);
  TReplayPastEol pastEol(this);
  UndoOneItem(*item);
}

void TCustomSrcEdit::RedoItem() {
  std::unique_ptr<TSrcEditUndoItem> item = FRedoList->PopItem();
  if (!item) return;
  FLastReplayed = item->ChangeReason();
  SetActiveSelectionMode(item->ChangeSelMode());
  TPaintLockGuard lock(this);
  TReplayPastEol pastEol(this);
  TInsideRedoGuard insideRedo(FUndoList);
  RedoOneItem(*item);
}

// Items that only move the caret or the selection (and an indent, which
// selects what it indented) replay alike both ways: the mirror list gets the
// item back and the positions are restored.
bool TCustomSrcEdit::ReplayPositionItem(TSrcEditUndoItem& Item, TSrcEditUndoList* Mirror) {
  const TBufferCoord s = Item.ChangeStartPos();
  const TBufferCoord e = Item.ChangeEndPos();
  switch (Item.ChangeReason()) {
    case urIndent:
      Mirror->AddChange(urIndent, s, e, Item.ChangeStr(), Item.ChangeSelMode());
      SelectRange(e, s, e);
      return true;
    case urCaret:
      Mirror->AddChange(urCaret, Caret(), Caret(), std::string(), FActiveSelectionMode);
      MoveCaretTo(s);
      return true;
    case urSelection:
      Mirror->AddChange(urSelection, SelFirst(), SelLast(), std::string(), FActiveSelectionMode);
      SelectRange(Caret(), s, e);
      return true;
    default: return false;
  }
}

// A replacement (a deletion and an insertion at its start, one action)
// that keeps the number of lines is replayed line by line: only the lines
// that differ are stored again, and no line is deleted or inserted. The
// items the mirror list gets are those of the replay one item at a time.
namespace {

bool IsReplacementPair(const TSrcEditUndoItem& deletion, const TSrcEditUndoItem* insertion) {
  if (!insertion || insertion->ChangeNumber() != deletion.ChangeNumber()) return false;
  if (deletion.ChangeReason() != urDelete || deletion.ChangeSelMode() != smNormal) return false;
  const TSrcChangeReason r = insertion->ChangeReason();
  if ((r != urInsert && r != urPaste) || insertion->ChangeSelMode() != smNormal) return false;
  const TBufferCoord a = deletion.ChangeStartPos(), b = insertion->ChangeStartPos();
  return a.Char == b.Char && a.Line == b.Line && !PointBefore(deletion.ChangeEndPos(), a);
}

}  // namespace

bool TCustomSrcEdit::UndoReplacementByLines(TSrcEditUndoItem& Item) {
  // Item: the insertion (on top); under it, the deletion it followed.
  const TSrcEditUndoItem* deletion = FUndoList->PeekItem();
  // Only inside the command's own action: a group of like items may end
  // between the insertion and the deletion of an earlier action.
  if (FReplayNumber == 0 || Item.ChangeNumber() != FReplayNumber || !deletion || !Item.ChangeStr().empty() ||
      Item.ChangeReason() == urDragDropInsert)
    return false;
  if (!IsReplacementPair(*deletion, &Item)) return false;
  const TBufferCoord s = Item.ChangeStartPos(), e = Item.ChangeEndPos();
  if (!SpanTakesLines(s, e, deletion->ChangeStr())) return false;
  FRedoList->AddChange(Item.ChangeReason(), s, e, DeletedSelectionText(), smNormal, std::string());
  std::unique_ptr<TSrcEditUndoItem> taken = FUndoList->PopItem();
  FLastReplayed = urDelete;
  ReplaceSpanByLines(s, e, taken->ChangeStr());
  // As the deletion's own undo leaves it: the text back, selected.
  const TBufferCoord ds = taken->ChangeStartPos(), de = taken->ChangeEndPos();
  SelectRange(de, ds, de);
  FRedoList->AddChange(urDelete, ds, de, std::string(), smNormal);
  EnsureCaretVisible();
  return true;
}

bool TCustomSrcEdit::RedoReplacementByLines(TSrcEditUndoItem& Item) {
  // Item: the deletion (on top); under it, the insertion that followed it.
  const TSrcEditUndoItem* insertion = FRedoList->PeekItem();
  if (FReplayNumber == 0 || Item.ChangeNumber() != FReplayNumber || !IsReplacementPair(Item, insertion) ||
      !insertion->ChangeReplacedStr().empty())
    return false;
  const TBufferCoord s = Item.ChangeStartPos(), e = Item.ChangeEndPos();
  if (!SpanTakesLines(s, e, insertion->ChangeStr())) return false;
  FUndoList->AddChange(urDelete, s, e, DeletedSelectionText(), smNormal);
  std::unique_ptr<TSrcEditUndoItem> taken = FRedoList->PopItem();
  FLastReplayed = taken->ChangeReason();
  ReplaceSpanByLines(s, e, taken->ChangeStr());
  const TBufferCoord is = taken->ChangeStartPos(), ie = taken->ChangeEndPos();
  MoveCaretTo(ie);
  FUndoList->AddChange(taken->ChangeReason(), is, ie, std::string(), smNormal);
  return true;
}

void TCustomSrcEdit::ReplayChangedLines(TSrcEditUndoItem& Item, TSrcEditUndoList* Mirror, bool Undoing) {
  const std::shared_ptr<const TSrcEditUndoLines> lines = Item.ChangeLines();
  if (!lines) return;
  const TBufferCoord s = Item.ChangeStartPos(), e = Item.ChangeEndPos();
  auto taken = std::make_shared<TSrcEditUndoLines>();
  taken->SetEndAfter(lines->EndAfter());
  const int n = lines->Count();
  {
    TUpdateGuard update(FLines);
    if (lines->IsMove()) {
      // The mirror moves every text back to the line it came from.
      std::vector<std::pair<int, int>> back;
      back.reserve(static_cast<std::size_t>(n));
      for (int k = 0; k < n; ++k) back.emplace_back(lines->From(k), lines->Index(k));
      std::sort(back.begin(), back.end());
      taken->ReserveMoves(static_cast<std::size_t>(n));
      for (const auto& [index, from] : back) taken->AddMove(index, from);
      back = {};
      FLines->MoveLines(lines->Indexes(), lines->Froms(), n);
    } else {
      std::size_t bytes = 0;
      for (int k = 0; k < n; ++k) bytes += static_cast<std::size_t>(FLines->LineLength(lines->Index(k)));
      taken->ReserveTexts(static_cast<std::size_t>(n), bytes);
      for (int k = 0; k < n; ++k) {
        const int index = lines->Index(k);
        if (index >= FLines->GetCount()) break;
        taken->AddText(index, FLines->LineView(index));
        // Exactly as they were: not trimmed again.
        FLines->PutView(index, lines->Text(k));
      }
    }
    // A redo leaves the caret after the changed span, nothing selected.
    if (!Undoing) MoveCaretTo(lines->EndAfter());
  }
  Mirror->AddLinesChange(s, e, std::move(taken));
  // An undo selects the span as it was again.
  if (Undoing) SelectRange(e, s, e);
  EnsureCaretVisible();
}

void TCustomSrcEdit::UndoOneItem(TSrcEditUndoItem& Item) {
  if (Item.ChangeReason() == urLinesChanged) {
    ReplayChangedLines(Item, FRedoList, true);
    return;
  }
  if (ReplayPositionItem(Item, FRedoList)) return;
  const TSrcChangeReason reason = Item.ChangeReason();
  const TBufferCoord s = Item.ChangeStartPos();
  const TBufferCoord e = Item.ChangeEndPos();
  const TSrcSelectionMode mode = Item.ChangeSelMode();
  const std::string& text = Item.ChangeStr();
  switch (reason) {
    case urInsert:
    case urPaste:
    case urDragDropInsert: {
      SelectRange(s, s, e);
      if (UndoReplacementByLines(Item)) break;
      // The mirror keeps what goes (to insert it again) and what comes back
      // (the characters typing in overwrite mode replaced, to take them away
      // again before that).
      FRedoList->AddChange(reason, s, e, DeletedSelectionText(), mode, text);
      ReplaceSelectionExact(mode, text, false);
      MoveCaretTo(s);
      break;
    }
    case urDelete:
    case urSilentDelete:
    case urDeleteAfterCaret:
    case urSilentDeleteAfterCaret:
    case urDeleteAll: {
      TBufferCoord p;
      if (mode == smColumn)
        p = BufferCoord(std::min(s.Char, e.Char), std::min(s.Line, e.Line));
      else
        p = PointBefore(e, s) ? e : s;
      if ((reason == urDeleteAfterCaret || reason == urSilentDeleteAfterCaret) && p.Line > FLines->GetCount()) {
        TUpdateGuard update(FLines);
        MoveCaretTo(BufferCoord(1, FLines->GetCount()));
        FLines->Add(std::string());
        p.Line = FLines->GetCount();
      }
      PlaceCaretCollapse(p);
      ReplaceSelectionExact(mode, text, false);
      switch (reason) {
        case urDelete:
        case urDeleteAll:
        case urDeleteAfterCaret:
          // The deleted text comes back selected as it was, the caret at the
          // end that moved with it (SelTo: e, for both directions).
          SelectRange(e, s, e);
          break;
        case urSilentDelete: MoveCaretTo(e); break;
        default: MoveCaretTo(s); break;
      }
      FRedoList->AddChange(reason, s, e, std::string(), mode);
      if (reason == urDeleteAll) {
        MoveCaretTo(BufferCoord(1, 1));
        SetSelTo(BufferCoord(1, 1));
      }
      EnsureCaretVisible();
      break;
    }
    case urLineBreak: {
      MoveCaretTo(s);
      const int line = FCaretY;    // 1-based caret line
      const int removed = e.Line;  // 0-based index of the line the break made
      // The mirror keeps the line this undo takes away, exactly as the break
      // left it, so that the redo gives it back whatever the auto-indent of
      // the replayed break does.
      std::string madeLine;
      if (removed >= 0 && removed < FLines->GetCount()) madeLine.assign(FLines->LineView(removed));
      FRedoList->AddChange(urLineBreak, s, e, std::string(), mode, std::move(madeLine));
      {
        TUpdateGuard update(FLines);
        std::string joined(FLines->LineView(line - 1));
        // A break at or past the end of a line carries no text and moved
        // nothing: the line is left exactly as it is.
        const bool keepBlanks = HasOption(eoAutoIndent) && !text.empty() && IsBlank(text[0]);
        if (!text.empty() && !keepBlanks && static_cast<int>(joined.size()) < FCaretX - 1)
          joined.append(static_cast<std::size_t>(FCaretX - 1) - joined.size(), ' ');
        joined += text;
        StoreLine(line - 1, joined);
        if (removed >= 0 && removed < FLines->GetCount()) FLines->Delete(removed);
      }
      ShiftMarksOnDelete(line + 1, 1);
      break;
    }
    case urUnindent: {
      const int column = mode == smColumn ? std::min(s.Char, e.Char) : 1;
      PlaceCaretCollapse(BufferCoord(column, s.Line));
      ReplaceSelectionExact(smColumn, text, false);
      SelectRange(s, s, e);
      // The mirror takes the removed indentation over (of every line of a
      // whole text it is not small).
      FRedoList->AddChange(urUnindent, s, e, Item.TakeChangeStr(), mode);
      break;
    }
    case urWhiteSpaceAdd:
      SelectRange(s, s, e);
      FRedoList->AddChange(urWhiteSpaceAdd, s, e, DeletedSelectionText(), mode);
      // An undo records nothing into the undo list, column items included.
      ReplaceSelectionExact(mode, text, false);
      MoveCaretTo(s);
      break;
    default: break;
  }
}

void TCustomSrcEdit::RedoOneItem(TSrcEditUndoItem& Item) {
  if (Item.ChangeReason() == urLinesChanged) {
    ReplayChangedLines(Item, FUndoList, false);
    return;
  }
  if (ReplayPositionItem(Item, FUndoList)) return;
  const TSrcChangeReason reason = Item.ChangeReason();
  const TBufferCoord s = Item.ChangeStartPos();
  const TBufferCoord e = Item.ChangeEndPos();
  const TSrcSelectionMode mode = Item.ChangeSelMode();
  const std::string& text = Item.ChangeStr();
  switch (reason) {
    case urInsert:
    case urPaste:
    case urDragDropInsert: {
      // What the undo put back in place of the insertion goes again first.
      const std::string& putBack = Item.ChangeReplacedStr();
      SelectRange(s, s, putBack.empty() ? s : UndoTextEndPos(s, putBack));
      std::string replaced = DeletedSelectionText();
      ReplaceSelectionExact(mode, text, false);
      MoveCaretTo(e);
      FUndoList->AddChange(reason, s, e, std::move(replaced), mode);
      if (reason == urDragDropInsert) SelectRange(s, s, e);
      break;
    }
    case urDelete:
    case urSilentDelete:
    case urDeleteAfterCaret:
    case urSilentDeleteAfterCaret: {
      SelectRange(s, s, e);
      if (RedoReplacementByLines(Item)) break;
      FUndoList->AddChange(reason, s, e, DeletedSelectionText(), mode);
      ReplaceSelectionExact(mode, text, false);
      // The caret ends where the deletion left it: the earlier end, which is
      // the end a backward selection was deleted to (urDeleteAfterCaret),
      // and the caret of a forward deletion (urSilentDeleteAfterCaret).
      if (reason == urDeleteAfterCaret)
        MoveCaretTo(e);
      else
        MoveCaretTo(s);
      break;
    }
    case urLineBreak: {
      SelectRange(s, s, s);
      // The executor's line break (ecLineBreak), which records its own items.
      CommandLineBreak(true);
      // The line the break made, as it stood after the original action (a
      // column insertion appends its lines without indenting them).
      const std::string& made = Item.ChangeReplacedStr();
      const int index = s.Line;  // 0-based index of the line after the break
      if (index >= 1 && index < FLines->GetCount() && FLines->LineView(index) != std::string_view(made)) {
        TUpdateGuard update(FLines);
        TBufferCoord caret = Caret();
        FLines->Put(index, made);
        MoveCaretTo(caret);
      }
      break;
    }
    case urUnindent: {
      const int column = mode == smColumn ? std::min(s.Char, e.Char) : 1;
      int firstCount = -1, lastCount = 0;
      {
        TUpdateGuard update(FLines);
        MoveCaretTo(BufferCoord(FCaretX, s.Line));
        int index = s.Line - 1;
        ForEachPiece(text, [&](std::string_view piece) {
          const int n = static_cast<int>(piece.size());
          if (firstCount < 0) firstCount = n;
          lastCount = n;
          if (index >= 0 && index < FLines->GetCount() && n > 0) {
            std::string line(FLines->LineView(index));
            const std::size_t from = static_cast<std::size_t>(column - 1);
            if (from < line.size()) {
              line.erase(from, std::min(static_cast<std::size_t>(n), line.size() - from));
              FLines->Put(index, line);
            }
          }
          ++index;
        });
      }
      if (mode == smColumn) {
        SelectRange(s, s, e);
      } else {
        const TBufferCoord from = BufferCoord(std::max(1, s.Char - std::max(firstCount, 0)), s.Line);
        const TBufferCoord to = BufferCoord(std::max(1, e.Char - lastCount), e.Line);
        SelectRange(from, from, to);
      }
      FUndoList->AddChange(urUnindent, s, e, Item.TakeChangeStr(), mode);
      break;
    }
    case urWhiteSpaceAdd:
      FUndoList->AddChange(urWhiteSpaceAdd, s, e, std::string(), mode);
      SelectRange(e, e, e);
      ReplaceSelectionExact(mode, text, true);
      MoveCaretTo(s);
      break;
    default: break;
  }
}
