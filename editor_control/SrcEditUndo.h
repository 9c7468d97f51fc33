// Undo and redo lists of the editing control.
//
// Every editor owns two TSrcEditUndoList stacks: the undo list and the redo
// list. An item records one change (its reason, two positions, the selection
// mode, the text it removed) and the change number of the user action it
// belongs to. Items of one action share one number; the replay walks the
// stack until the number changes.
//
// Trimming to MaxUndoActions removes whole actions only (all items of one
// change number, and everything between a bracket begin and its end), so a
// partly trimmed action never remains. The newest action is kept whole even
// when it alone is longer than the limit, unless the limit is 0 (no undo).
//
// The unmodified mark remembers which state of the list matches the saved
// text. When that state can no longer be reached (its items were trimmed or
// cleared away, or Modified was set by hand), the mark is lost and the list
// is never again "at the unmodified mark" until the next SetUnmodifiedMark
// (true).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEditTypes.h"
#include "SrcEditTypesEx.h"
#include "platform/Classes.h"

// Reasons of undo items (byte values).
enum TSrcChangeReason : std::uint8_t {
  urInsert = 0,
  urPaste = 1,
  urDragDropInsert = 2,
  urDeleteAfterCaret = 3,
  urDelete = 4,
  urLineBreak = 5,
  urIndent = 6,
  urUnindent = 7,
  urSilentDelete = 8,
  urSilentDeleteAfterCaret = 9,
  urMarkABegin = 10,
  urMarkAEnd = 11,
  urPasteBegin = 12,
  urPasteEnd = 13,
  urMarkBBegin = 14,
  urMarkBEnd = 15,
  urMarkCBegin = 16,
  urMarkCEnd = 17,
  urCaret = 18,
  urSelection = 19,
  urNothing = 20,
  urGroupBreak = 21,
  urDeleteAll = 22,
  urWhiteSpaceAdd = 23,
  // Lines rewritten in place, their number kept (Replace All, a sort): the
  // item keeps, per changed line, only what that line held (TSrcEditUndoLines).
  urLinesChanged = 24,
};

// Bracket pairs: (10, 11), (12, 13), (14, 15), (16, 17).
constexpr bool IsUndoBracketBegin(TSrcChangeReason r) {
  return r == urMarkABegin || r == urPasteBegin || r == urMarkBBegin || r == urMarkCBegin;
}
constexpr bool IsUndoBracketEnd(TSrcChangeReason r) {
  return r == urMarkAEnd || r == urPasteEnd || r == urMarkBEnd || r == urMarkCEnd;
}
// The other half of a bracket pair; any other reason gives itself.
constexpr TSrcChangeReason UndoBracketPartner(TSrcChangeReason r) {
  return IsUndoBracketBegin(r) ? static_cast<TSrcChangeReason>(r + 1)
         : IsUndoBracketEnd(r) ? static_cast<TSrcChangeReason>(r - 1)
                               : r;
}

// Where a text inserted at `start` in normal mode ends: CR LF, a lone CR and
// a lone LF each break the line (LF CR is two breaks); the text ends at its
// first NUL byte, as in the text primitive. The replay uses it to select
// the characters an undo put back (ChangeReplacedStr) before a redo.
TBufferCoord UndoTextEndPos(const TBufferCoord& start, const std::string& text);

// What a change that rewrote lines in place left to undo: per changed line
// (0-based indexes, ascending) either the text the line held, or the line
// whose text it took (a reordering, which copies no text). Replaying it
// puts those texts back and gives the mirror item the texts it took away.
class TSrcEditUndoLines {
 public:
  // Line `index` held `text` (indexes added in ascending order).
  void AddText(int index, std::string_view text);
  // Line `index` took the text line `from` had; the lines form a permutation.
  void AddMove(int index, int from);
  void ReserveTexts(std::size_t lines, std::size_t bytes);
  void ReserveMoves(std::size_t lines);
  bool IsMove() const { return !FFrom.empty(); }
  int Count() const { return static_cast<int>(FIndex.size()); }
  int Index(int k) const { return FIndex[static_cast<std::size_t>(k)]; }
  int From(int k) const { return FFrom[static_cast<std::size_t>(k)]; }
  const int* Indexes() const { return FIndex.data(); }
  const int* Froms() const { return FFrom.data(); }
  std::string_view Text(int k) const;
  // The end of the span the change left (the caret of a redo).
  const TBufferCoord& EndAfter() const { return FEndAfter; }
  void SetEndAfter(const TBufferCoord& value) { FEndAfter = value; }

 private:
  std::vector<int> FIndex;
  std::vector<int> FFrom;
  std::vector<std::size_t> FEnd;
  std::string FBytes;
  TBufferCoord FEndAfter;
};

class TSrcEditUndoItem : public TPersistent {
 public:
  TSrcEditUndoItem() = default;
  TSrcEditUndoItem(TSrcChangeReason reason, TSrcSelectionMode selMode, const TBufferCoord& startPos,
                   const TBufferCoord& endPos, std::string str, std::uint32_t changeNumber,
                   std::string replacedStr = std::string());
  const char* ClassName() const override { return "TSrcEditUndoItem"; }

  // From another item: all fields. Anything else: the base class.
  void Assign(TPersistent* source) override;

  TSrcChangeReason ChangeReason() const { return FChangeReason; }
  void SetChangeReason(TSrcChangeReason value) { FChangeReason = value; }
  TSrcSelectionMode ChangeSelMode() const { return FChangeSelMode; }
  void SetChangeSelMode(TSrcSelectionMode value) { FChangeSelMode = value; }
  const TBufferCoord& ChangeStartPos() const { return FChangeStartPos; }
  void SetChangeStartPos(const TBufferCoord& value) { FChangeStartPos = value; }
  const TBufferCoord& ChangeEndPos() const { return FChangeEndPos; }
  void SetChangeEndPos(const TBufferCoord& value) { FChangeEndPos = value; }
  // The text the change removed (empty for pure insertions).
  const std::string& ChangeStr() const { return FChangeStr; }
  void SetChangeStr(std::string value) { FChangeStr = std::move(value); }
  // The text, moved out (the item is being replayed and freed).
  std::string TakeChangeStr() { return std::move(FChangeStr); }
  std::uint32_t ChangeNumber() const { return FChangeNumber; }
  void SetChangeNumber(std::uint32_t value) { FChangeNumber = value; }
  // The text an undo put back in place of an insertion (the characters that
  // typing in overwrite mode had replaced). Set on the mirror item in the
  // redo list, so that redo removes that text again before it re-inserts.
  // Empty for every item recorded by an edit.
  const std::string& ChangeReplacedStr() const { return FChangeReplacedStr; }
  void SetChangeReplacedStr(std::string value) { FChangeReplacedStr = std::move(value); }
  // The lines of a urLinesChanged item (null for every other reason).
  const std::shared_ptr<const TSrcEditUndoLines>& ChangeLines() const { return FChangeLines; }
  void SetChangeLines(std::shared_ptr<const TSrcEditUndoLines> value) { FChangeLines = std::move(value); }

 private:
  TSrcChangeReason FChangeReason = urInsert;
  TSrcSelectionMode FChangeSelMode = smNormal;
  TBufferCoord FChangeStartPos;
  TBufferCoord FChangeEndPos;
  std::string FChangeStr;
  std::uint32_t FChangeNumber = 0;
  std::string FChangeReplacedStr;
  std::shared_ptr<const TSrcEditUndoLines> FChangeLines;
};

class TSrcEditUndoList : public TPersistent {
 public:
  // The value UnmodifiedMark() reports when no state is unmodified.
  static constexpr std::uint32_t NoUnmodifiedState = 0xFFFFFFFFu;

  TSrcEditUndoList() = default;
  ~TSrcEditUndoList() override;
  const char* ClassName() const override { return "TSrcEditUndoList"; }

  // From another list: its items (copied), block change number, block
  // count, lock count, max undo actions, next change number and inside-redo
  // flag. The hook and the unmodified mark stay.
  void Assign(TPersistent* source) override;

  // Records one change (nothing while locked). Inside a block the item takes
  // the block's change number, else the next one, which then advances.
  void AddChange(TSrcChangeReason reason, const TBufferCoord& startPos, const TBufferCoord& endPos,
                 std::string changeText, TSrcSelectionMode selMode, std::string replacedText = std::string());
  // Records a urLinesChanged item: the span from startPos to endPos before
  // the change (which undo selects again), and the lines.
  void AddLinesChange(const TBufferCoord& startPos, const TBufferCoord& endPos,
                      std::shared_ptr<const TSrcEditUndoLines> lines);
  void BeginBlock();
  void EndBlock();
  // Appends an item (nothing when absent), trims to MaxUndoActions and fires
  // OnAddedUndo unless the item is a group break.
  void PushItem(std::unique_ptr<TSrcEditUndoItem> item);
  // Removes the top item and hands it to the caller (empty when none).
  std::unique_ptr<TSrcEditUndoItem> PopItem();
  // The top item, still owned by the list (nullptr when none).
  TSrcEditUndoItem* PeekItem() const;
  // The item at index (0 = the oldest); nullptr out of range.
  TSrcEditUndoItem* Items(int index) const;
  TSrcChangeReason LastReason() const;
  bool CanUndo() const { return !FItems.empty(); }
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  // Frees all items. The modified state of the text is kept: when the list
  // was at the unmodified mark, the empty list becomes the mark; otherwise
  // the mark is lost.
  void Clear();
  void Lock() { ++FLockCount; }
  void Unlock() {
    if (FLockCount > 0) --FLockCount;
  }
  bool IsLocked() const { return FLockCount > 0; }
  int LockCount() const { return FLockCount; }
  void AddGroupBreak();

  int MaxUndoActions() const { return FMaxUndoActions; }
  // Negative counts as 0. Trims (whole actions) when it changes.
  void SetMaxUndoActions(int value);

  // true: the current state is the unmodified one. false: when the list is
  // at the mark, no state is unmodified any more.
  void SetUnmodifiedMark(bool mark);
  bool IsAtUnmodifiedMark() const;
  // The change number of the unmodified state (0: the empty list;
  // NoUnmodifiedState: none).
  std::uint32_t UnmodifiedMark() const { return FMarkLost ? NoUnmodifiedState : FUnmodifiedMark; }
  // False once the unmodified state cannot be reached by undo or redo any more.
  bool IsUnmodifiedReachable() const { return !FMarkLost; }

  // Block state. A block is open while BlockCount() > 0; the change number
  // given to new items is BlockChangeNumber() while it is not 0. The replay
  // sets the number directly for the length of one command so that all its
  // mirror items share it; a block opened meanwhile (a command run by the
  // replay) keeps that number instead of taking a new one.
  std::uint32_t BlockChangeNumber() const { return FBlockChangeNumber; }
  void SetBlockChangeNumber(std::uint32_t value) { FBlockChangeNumber = value; }
  int BlockCount() const { return FBlockCount; }
  std::uint32_t NextChangeNumber() const { return FNextChangeNumber; }
  bool InsideRedo() const { return FInsideRedo; }
  void SetInsideRedo(bool value) { FInsideRedo = value; }

  // Fired (sender = this list) when an action has been added.
  TNotifyEvent OnAddedUndo;

 private:
  struct TEntry {
    std::unique_ptr<TSrcEditUndoItem> Item;
    std::uint64_t Action = 0;  // items of one action share this serial
    int BracketDepth = 0;      // open brackets after this item
  };

  void AdvanceChangeNumber();
  // The change number of a new item: the open block's, else the next one.
  std::uint32_t TakeChangeNumber();
  void AppendEntry(std::unique_ptr<TSrcEditUndoItem> item);
  void Trim();
  void FireAddedUndo();

  std::uint32_t FBlockChangeNumber = 0;
  int FBlockCount = 0;
  std::deque<TEntry> FItems;
  int FLockCount = 0;
  int FMaxUndoActions = 1024;
  std::uint32_t FNextChangeNumber = 1;
  std::uint32_t FUnmodifiedMark = 0;
  bool FMarkLost = false;
  bool FInsideRedo = false;
  // The block number that was in force when the outermost block opened
  // (set by the replay), and whether the open block pushed anything.
  std::uint32_t FOuterBlockChangeNumber = 0;
  bool FBlockPushed = false;
  std::uint64_t FActionSerial = 0;
};
