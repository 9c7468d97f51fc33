// Editing control: the ten bookmarks (marks numbered 0 to 9 in the mark
// list): placing, clearing and going to them.
#include <algorithm>

#include "SrcEdit.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditTextBuffer.h"

void TCustomSrcEdit::SetBookmark(int Number, int Char, int Line) {
  if (Number < 0 || Number > 9 || Line < 1 || Line > std::max(1, FLines->GetCount())) return;
  TSrcEditMark* const created = new TSrcEditMark(this);
  created->SetLine(Line);
  created->SetChar(Char);
  created->SetImageIndex(Number);
  created->SetBookmarkNumber(Number);
  created->SetVisible(true);
  created->SetInternalImage(FBookMarkOpt->BookmarkImages() == nullptr);
  TSrcEditMark* mark = created;
  try {
    FirePlaceBookmark(mark);
  } catch (...) {
    delete created;
    throw;
  }
  // The handler may have put another mark in place of ours, or none: ours
  // then belongs to nobody.
  if (mark != created) delete created;
  if (mark == nullptr) return;
  const size_t slot = static_cast<size_t>(Number);
  if (FBookMarks[slot] == mark) return;  // already this bookmark
  if (FBookMarks[slot] != nullptr) ClearBookmark(Number);
  FBookMarks[slot] = mark;
  if (!FMarkList->Contains(mark)) FMarkList->Add(mark);
}

void TCustomSrcEdit::ClearBookmark(int Number) {
  if (Number < 0 || Number > 9) return;
  const size_t slot = static_cast<size_t>(Number);
  TSrcEditMark* const mark = FBookMarks[slot];
  if (mark == nullptr) return;
  // The handler sees the mark; whatever it does with the reference, the
  // slot's mark is the one that goes.
  TSrcEditMark* shown = mark;
  FireClearBookmark(shown);
  if (FBookMarks[slot] != mark) return;  // the handler cleared it itself
  FBookMarks[slot] = nullptr;
  // Another slot may still refer to the same mark (a handler's doing): it
  // stays for that one.
  if (std::find(FBookMarks.begin(), FBookMarks.end(), mark) != FBookMarks.end()) return;
  FMarkList->Remove(mark);
  delete mark;
}

void TCustomSrcEdit::ClearAllMarks() {
  // The slots refer to marks of the list: both are emptied together, so that
  // no slot points at a freed mark.
  FBookMarks.fill(nullptr);
  FMarkList->ClearAndFree();
}

void TCustomSrcEdit::GotoBookmark(int Number) {
  if (Number < 0 || Number > 9) return;
  TSrcEditMark* const mark = FBookMarks[static_cast<size_t>(Number)];
  if (mark == nullptr || mark->Line() > FLines->GetCount()) return;
  PlaceCaret(false, BufferCoord(mark->Char(), mark->Line()));
  EnsureCaretVisibleEx(true);
  if (HasSelection()) InvalidateSelection();
  FBlockBegin = Caret();
  FBlockEnd = FBlockBegin;
}

bool TCustomSrcEdit::GetBookmark(int Number, int& Char, int& Line) const {
  TSrcEditMark* mark = Bookmark(Number);
  if (mark == nullptr) return false;
  Char = mark->Char();
  Line = mark->Line();
  return true;
}
