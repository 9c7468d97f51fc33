// Marks and the mark list of the editing control.
#include "SrcEditMarks.h"

#include <algorithm>

#include "SrcEdit.h"

TSrcEditMark::TSrcEditMark(TCustomSrcEdit* AOwner) : FOwner(AOwner) {}

TCustomSrcEdit* TSrcEditMark::Owner() {
  if (FOwner && !FOwner->Marks()->Contains(this)) FOwner = nullptr;
  return FOwner;
}

void TSrcEditMark::SetChar(int Value) { FChar = Value; }

void TSrcEditMark::InvalidateOwnRow() {
  if (TCustomSrcEdit* owner = Owner()) owner->InvalidateGutterLines(FLine, FLine);
}

void TSrcEditMark::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (FVisible) InvalidateOwnRow();
}

void TSrcEditMark::SetLine(int Value) {
  TCustomSrcEdit* owner = FVisible ? Owner() : nullptr;
  if (owner) {
    if (FLine > 0) owner->InvalidateGutterLines(FLine, FLine);
    FLine = Value;
    owner->InvalidateGutterLines(FLine, FLine);
  } else {
    FLine = Value;
  }
}

void TSrcEditMark::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  InvalidateOwnRow();
}

void TSrcEditMark::SetInternalImage(bool Value) {
  FInternalImage = Value;
  if (FVisible) InvalidateOwnRow();
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
  DoChange();
  return static_cast<int>(FItems.size()) - 1;
}

void TSrcEditMarkList::Remove(TSrcEditMark* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
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
