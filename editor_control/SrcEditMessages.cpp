// Editing control: window messages, LeftChar and keeping the caret in view (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::SetLeftChar(int) {}
void TCustomSrcEdit::EnsureCaretVisible() { EnsureCaretVisibleEx(false); }
void TCustomSrcEdit::EnsureCaretVisibleEx(bool) {}
void TCustomSrcEdit::WMSize(TMessage&) {}
void TCustomSrcEdit::WMSetFocus(TMessage&) {}
void TCustomSrcEdit::WMKillFocus(TMessage&) {}
void TCustomSrcEdit::WMSetText(TMessage&) {}
void TCustomSrcEdit::WMGetText(TMessage&) {}
void TCustomSrcEdit::WMGetTextLength(TMessage&) {}
void TCustomSrcEdit::WMEraseBkgnd(TMessage&) {}
void TCustomSrcEdit::WMCancelMode(TMessage&) {}
void TCustomSrcEdit::WMGetDlgCode(TMessage&) {}
void TCustomSrcEdit::WMImeComposition(TMessage&) {}
void TCustomSrcEdit::WMImeNotify(TMessage&) {}
void TCustomSrcEdit::WMHScroll(TMessage&) {}
void TCustomSrcEdit::WMVScroll(TMessage&) {}
void TCustomSrcEdit::WMCaptureChanged(TMessage&) {}
void TCustomSrcEdit::WMDropFiles(TMessage&) {}
void TCustomSrcEdit::WMCut(TMessage&) {}
void TCustomSrcEdit::WMCopy(TMessage&) {}
void TCustomSrcEdit::WMPaste(TMessage&) {}
void TCustomSrcEdit::WMClear(TMessage&) {}
void TCustomSrcEdit::WMUndo(TMessage&) {}
void TCustomSrcEdit::WndProc(TMessage& Msg) { TCustomControl::WndProc(Msg); }
void TCustomSrcEdit::Dispatch(TMessage& Msg) { TCustomControl::Dispatch(Msg); }
