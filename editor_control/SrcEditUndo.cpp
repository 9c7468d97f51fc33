#include "SrcEditUndo.h"

#include <utility>

TBufferCoord UndoTextEndPos(const TBufferCoord& start, const std::string& text) {
  TBufferCoord pos = start;
  std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\0') break;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++pos.Line;
      pos.Char = 1;
    } else {
      ++pos.Char;
    }
  }
  return pos;
}

// ---------------------------------------------------------------------------
// TSrcEditUndoLines

void TSrcEditUndoLines::AddText(int index, std::string_view text) {
  FIndex.push_back(index);
  FBytes.append(text);
  FEnd.push_back(FBytes.size());
}

void TSrcEditUndoLines::AddMove(int index, int from) {
  FIndex.push_back(index);
  FFrom.push_back(from);
}

void TSrcEditUndoLines::ReserveTexts(std::size_t lines, std::size_t bytes) {
  FIndex.reserve(lines);
  FEnd.reserve(lines);
  FBytes.reserve(bytes);
}

void TSrcEditUndoLines::ReserveMoves(std::size_t lines) {
  FIndex.reserve(lines);
  FFrom.reserve(lines);
}

std::string_view TSrcEditUndoLines::Text(int k) const {
  const std::size_t i = static_cast<std::size_t>(k);
  if (i >= FEnd.size()) return std::string_view();
  const std::size_t begin = i == 0 ? 0 : FEnd[i - 1];
  return std::string_view(FBytes).substr(begin, FEnd[i] - begin);
}

// ---------------------------------------------------------------------------
// TSrcEditUndoItem

TSrcEditUndoItem::TSrcEditUndoItem(TSrcChangeReason reason, TSrcSelectionMode selMode, const TBufferCoord& startPos,
                                   const TBufferCoord& endPos, std::string str, std::uint32_t changeNumber,
                                   std::string replacedStr)
    : FChangeReason(reason),
      FChangeSelMode(selMode),
      FChangeStartPos(startPos),
      FChangeEndPos(endPos),
      FChangeStr(std::move(str)),
      FChangeNumber(changeNumber),
      FChangeReplacedStr(std::move(replacedStr)) {}

void TSrcEditUndoItem::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TSrcEditUndoItem*>(source)) {
    if (src == this) return;
    FChangeReason = src->FChangeReason;
    FChangeSelMode = src->FChangeSelMode;
    FChangeStartPos = src->FChangeStartPos;
    FChangeEndPos = src->FChangeEndPos;
    FChangeStr = src->FChangeStr;
    FChangeNumber = src->FChangeNumber;
    FChangeReplacedStr = src->FChangeReplacedStr;
    FChangeLines = src->FChangeLines;
  } else {
    TPersistent::Assign(source);
  }
}

// ---------------------------------------------------------------------------
// TSrcEditUndoList

TSrcEditUndoList::~TSrcEditUndoList() = default;

void TSrcEditUndoList::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcEditUndoList*>(source);
  if (!src) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  FItems.clear();
  for (const TEntry& e : src->FItems) {
    auto copy = std::make_unique<TSrcEditUndoItem>();
    copy->Assign(e.Item.get());
    AppendEntry(std::move(copy));
  }
  FBlockChangeNumber = src->FBlockChangeNumber;
  FBlockCount = src->FBlockCount;
  FOuterBlockChangeNumber = src->FOuterBlockChangeNumber;
  FBlockPushed = src->FBlockPushed;
  FLockCount = src->FLockCount;
  FMaxUndoActions = src->FMaxUndoActions;
  FNextChangeNumber = src->FNextChangeNumber;
  FInsideRedo = src->FInsideRedo;
}

void TSrcEditUndoList::AdvanceChangeNumber() {
  ++FNextChangeNumber;
  if (FNextChangeNumber == 0) FNextChangeNumber = 1;
}

std::uint32_t TSrcEditUndoList::TakeChangeNumber() {
  // Inside a block every item takes the block's number.
  if (FBlockChangeNumber != 0) return FBlockChangeNumber;
  const std::uint32_t number = FNextChangeNumber;
  AdvanceChangeNumber();
  return number;
}

void TSrcEditUndoList::AddChange(TSrcChangeReason reason, const TBufferCoord& startPos, const TBufferCoord& endPos,
                                 std::string changeText, TSrcSelectionMode selMode, std::string replacedText) {
  if (FLockCount > 0) return;
  PushItem(std::make_unique<TSrcEditUndoItem>(reason, selMode, startPos, endPos, std::move(changeText),
                                              TakeChangeNumber(), std::move(replacedText)));
}

void TSrcEditUndoList::AddLinesChange(const TBufferCoord& startPos, const TBufferCoord& endPos,
                                      std::shared_ptr<const TSrcEditUndoLines> lines) {
  if (FLockCount > 0) return;
  auto item =
      std::make_unique<TSrcEditUndoItem>(urLinesChanged, smNormal, startPos, endPos, std::string(), TakeChangeNumber());
  item->SetChangeLines(std::move(lines));
  PushItem(std::move(item));
}

void TSrcEditUndoList::BeginBlock() {
  ++FBlockCount;
  if (FBlockCount == 1) {
    FOuterBlockChangeNumber = FBlockChangeNumber;
    FBlockPushed = false;
  }
  // A number set from outside (the replay running a command) stays in force
  // so the whole replayed action keeps one number.
  if (FOuterBlockChangeNumber == 0) FBlockChangeNumber = FNextChangeNumber;
}

void TSrcEditUndoList::EndBlock() {
  if (FBlockCount <= 0) return;
  --FBlockCount;
  if (FBlockCount != 0) return;
  std::uint32_t blockNumber = FBlockChangeNumber;
  bool pushed = FBlockPushed;
  FBlockPushed = false;
  if (FOuterBlockChangeNumber != 0) {
    FBlockChangeNumber = FOuterBlockChangeNumber;
    FOuterBlockChangeNumber = 0;
  } else {
    FBlockChangeNumber = 0;
    AdvanceChangeNumber();
  }
  // An empty block reports nothing. A block whose items were all trimmed
  // away (no undo kept) still changed the text and reports it.
  bool topIsBlock = !FItems.empty() && FItems.back().Item->ChangeNumber() == blockNumber;
  if (topIsBlock || pushed) FireAddedUndo();
}

void TSrcEditUndoList::AppendEntry(std::unique_ptr<TSrcEditUndoItem> item) {
  TEntry e;
  TSrcChangeReason reason = item->ChangeReason();
  int depth = 0;
  if (!FItems.empty()) {
    const TEntry& top = FItems.back();
    depth = top.BracketDepth;
    if (top.BracketDepth > 0 || top.Item->ChangeNumber() == item->ChangeNumber())
      e.Action = top.Action;
    else
      e.Action = ++FActionSerial;
  } else {
    e.Action = ++FActionSerial;
  }
  if (IsUndoBracketBegin(reason))
    ++depth;
  else if (IsUndoBracketEnd(reason) && depth > 0)
    --depth;
  e.BracketDepth = depth;
  e.Item = std::move(item);
  FItems.push_back(std::move(e));
}

void TSrcEditUndoList::PushItem(std::unique_ptr<TSrcEditUndoItem> item) {
  if (!item) return;
  bool groupBreak = item->ChangeReason() == urGroupBreak;
  AppendEntry(std::move(item));
  if (FBlockCount > 0) FBlockPushed = true;
  Trim();
  if (!groupBreak) FireAddedUndo();
}

void TSrcEditUndoList::Trim() {
  if (static_cast<int>(FItems.size()) <= FMaxUndoActions) return;
  bool dropped = false;
  bool markSeen = false;
  std::uint32_t lastDropped = 0;
  while (static_cast<int>(FItems.size()) > FMaxUndoActions) {
    // The newest action stays whole unless nothing may be kept.
    if (FMaxUndoActions > 0 && FItems.front().Action == FItems.back().Action) break;
    std::uint64_t action = FItems.front().Action;
    while (!FItems.empty() && FItems.front().Action == action) {
      lastDropped = FItems.front().Item->ChangeNumber();
      if (lastDropped == FUnmodifiedMark) markSeen = true;
      FItems.pop_front();
    }
    dropped = true;
  }
  if (!dropped || FMarkLost) return;
  // The empty list now stands for the state after the last dropped action.
  if (FUnmodifiedMark == lastDropped)
    FUnmodifiedMark = 0;
  else if (FUnmodifiedMark == 0 || markSeen)
    FMarkLost = true;
}

void TSrcEditUndoList::FireAddedUndo() {
  if (OnAddedUndo) OnAddedUndo(this);
}

std::unique_ptr<TSrcEditUndoItem> TSrcEditUndoList::PopItem() {
  if (FItems.empty()) return nullptr;
  std::unique_ptr<TSrcEditUndoItem> item = std::move(FItems.back().Item);
  FItems.pop_back();
  return item;
}

TSrcEditUndoItem* TSrcEditUndoList::PeekItem() const { return FItems.empty() ? nullptr : FItems.back().Item.get(); }

TSrcEditUndoItem* TSrcEditUndoList::Items(int index) const {
  if (index < 0 || index >= static_cast<int>(FItems.size())) return nullptr;
  return FItems[static_cast<std::size_t>(index)].Item.get();
}

TSrcChangeReason TSrcEditUndoList::LastReason() const {
  return FItems.empty() ? urNothing : FItems.back().Item->ChangeReason();
}

void TSrcEditUndoList::Clear() {
  bool atMark = IsAtUnmodifiedMark();
  FItems.clear();
  if (atMark) {
    FUnmodifiedMark = 0;
    FMarkLost = false;
  } else {
    FMarkLost = true;
  }
}

void TSrcEditUndoList::AddGroupBreak() {
  if (LastReason() == urGroupBreak) return;
  AddChange(urGroupBreak, TBufferCoord(), TBufferCoord(), std::string(), smNormal);
}

void TSrcEditUndoList::SetMaxUndoActions(int value) {
  if (value < 0) value = 0;
  if (value == FMaxUndoActions) return;
  FMaxUndoActions = value;
  Trim();
}

void TSrcEditUndoList::SetUnmodifiedMark(bool mark) {
  if (mark) {
    FUnmodifiedMark = FItems.empty() ? 0 : FItems.back().Item->ChangeNumber();
    FMarkLost = false;
  } else if (IsAtUnmodifiedMark()) {
    FMarkLost = true;
  }
}

bool TSrcEditUndoList::IsAtUnmodifiedMark() const {
  if (FMarkLost) return false;
  if (FItems.empty()) return FUnmodifiedMark == 0;
  return FItems.back().Item->ChangeNumber() == FUnmodifiedMark;
}
