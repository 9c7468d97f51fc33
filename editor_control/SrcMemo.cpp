// Editing control: the memo form's edit-control messages (stub, to be filled in by its owner).
#include "SrcMemo.h"

void TSrcMemo::EMGetSel(TMessage&) {}
void TSrcMemo::EMSetSel(TMessage&) {}
void TSrcMemo::EMGetModify(TMessage&) {}
void TSrcMemo::EMSetModify(TMessage&) {}
void TSrcMemo::EMGetLineCount(TMessage&) {}
void TSrcMemo::EMReplaceSel(TMessage&) {}
void TSrcMemo::EMGetLine(TMessage&) {}
void TSrcMemo::EMCanUndo(TMessage&) {}
void TSrcMemo::EMUndo(TMessage&) {}
void TSrcMemo::EMGetFirstVisibleLine(TMessage&) {}
void TSrcMemo::EMCharFromPos(TMessage&) {}
void TSrcMemo::EMGetSelText(TMessage&) {}
void TSrcMemo::Dispatch(TMessage& Msg) { TSrcEdit::Dispatch(Msg); }
