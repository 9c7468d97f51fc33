// Scope guards for the editing control's brackets: the paint lock, the line
// list's update bracket and the undo block. Each closes its bracket also when
// the work inside it fails.
#pragma once

#include "SrcEdit.h"
#include "SrcEditUndo.h"
#include "platform/Classes.h"

class TPaintLockGuard {
 public:
  explicit TPaintLockGuard(TCustomSrcEdit* e) : FEdit(e) { FEdit->IncPaintLock(); }
  ~TPaintLockGuard() { FEdit->DecPaintLock(); }
  TPaintLockGuard(const TPaintLockGuard&) = delete;
  TPaintLockGuard& operator=(const TPaintLockGuard&) = delete;

 private:
  TCustomSrcEdit* FEdit;
};

class TUpdateGuard {
 public:
  explicit TUpdateGuard(TStrings* s) : FStrings(s) { FStrings->BeginUpdate(); }
  ~TUpdateGuard() { FStrings->EndUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

 private:
  TStrings* FStrings;
};

class TUndoBlockGuard {
 public:
  explicit TUndoBlockGuard(TSrcEditUndoList* list) : FList(list) { FList->BeginBlock(); }
  ~TUndoBlockGuard() { FList->EndBlock(); }
  TUndoBlockGuard(const TUndoBlockGuard&) = delete;
  TUndoBlockGuard& operator=(const TUndoBlockGuard&) = delete;

 private:
  TSrcEditUndoList* FList;
};
