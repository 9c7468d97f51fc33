// The editing control in the form the application places on its main window:
// a TSrcEdit that also answers a subset of the edit-control messages (EM_*).
#pragma once

#include "SrcEdit.h"

class TSrcMemo : public TSrcEdit {
 public:
  explicit TSrcMemo(TComponent* AOwner) : TSrcEdit(AOwner) {}
  const char* ClassName() const override { return "TSrcMemo"; }

  // Edit-control message handlers (dispatched by number).      [SrcMemo.cpp]
  void EMGetSel(TMessage& Msg);
  void EMSetSel(TMessage& Msg);
  void EMGetModify(TMessage& Msg);
  void EMSetModify(TMessage& Msg);
  void EMGetLineCount(TMessage& Msg);
  void EMReplaceSel(TMessage& Msg);
  void EMGetLine(TMessage& Msg);
  void EMCanUndo(TMessage& Msg);
  void EMUndo(TMessage& Msg);
  void EMGetFirstVisibleLine(TMessage& Msg);
  void EMCharFromPos(TMessage& Msg);
  void EMGetSelText(TMessage& Msg);

 protected:
  // Routes the EM_* messages above; everything else goes to TSrcEdit.
  void Dispatch(TMessage& Msg) override;

 private:
  // ---- BEGIN SrcMemo.cpp ----
  // ---- END SrcMemo.cpp ----
};
