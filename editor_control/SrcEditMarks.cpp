// Marks and the mark list of the editing control.
#include "SrcEditMarks.h"

#include <algorithm>

#include "SrcEdit.h"

TSrcEditMark::TSrcEditMark(TCustomSrcEdit* AOwner) : FOwner(AOwner) {}

TCustomSrcEdit* TSrcEditMark::Owner() {
  if (FOwner && FListed && FList != FOwner->Marks()) FOwner = nullptr;
  return FOwner;
}

TCustomSrcEdit* TSrcEditMark::ListedOwner() const { return FOwner && FList == FOwner->Marks() ? FOwner : nullptr; }

void TSrcEditMark::SetChar(int Value) { FChar = Value; }

void TSrcEditMark::InvalidateRow() const {
  if (TCustomSrcEdit* owner = ListedOwner()) owner->InvalidateGutterLines(FLine, FLine);
}

void TSrcEditMark::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (FVisible) InvalidateRow();
}

void TSrcEditMark::SetLine(int Value) {
  TCustomSrcEdit* owner = FVisible ? ListedOwner() : nullptr;
  if (owner && FLine > 0) owner->InvalidateGutterLines(FLine, FLine);
  FLine = Value;
  if (owner) owner->InvalidateGutterLines(FLine, FLine);
}

void TSrcEditMark::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  InvalidateRow();
}

void TSrcEditMark::SetInternalImage(bool Value) {
  FInternalImage = Value;
  if (FVisible) InvalidateRow();
}

TSrcEditMarkList::~TSrcEditMarkList() {
  for (TSrcEditMark* m : FItems) delete m;
  FItems.clear();
}

void TSrcEditMarkList::DoChange() {
  if (OnChange) OnChange(this);
}

int TSrcEditMarkList::Add(TSrcEditMark* Item) {
  FItems.push_back(Item);
  Item->FList = this;
  Item->FListed = true;
  DoChange();
  return static_cast<int>(FItems.size()) - 1;
}

void TSrcEditMarkList::Remove(TSrcEditMark* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) {
    FItems.erase(it);
    if (Item->FList == this) Item->FList = nullptr;
  }
  DoChange();
}

bool TSrcEditMarkList::Contains(const TSrcEditMark* Item) const {
  return std::find(FItems.begin(), FItems.end(), Item) != FItems.end();
}

void TSrcEditMarkList::ClearAndFree() {
  if (FItems.empty()) return;
  std::vector<TSrcEditMark*> items;
  items.swap(FItems);
  for (TSrcEditMark* m : items) delete m;
  DoChange();
}

void TSrcEditMarkList::GetMarksForLine(int Line, TSrcEditMarks& Marks) const {
  Marks.fill(nullptr);
  size_t n = 0;
  for (TSrcEditMark* m : FItems) {
    if (m->Line() == Line) {
      Marks[n++] = m;
      if (n == Marks.size()) break;
    }
  }
}
