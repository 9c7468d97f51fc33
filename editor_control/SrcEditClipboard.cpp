// Editing control: clipboard exchange and drag and drop (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::CopySelection() {}
void TCustomSrcEdit::CutSelection() {}
void TCustomSrcEdit::PasteClipboard() {}
void TCustomSrcEdit::PutOnClipboard(const std::string&) {}
bool TCustomSrcEdit::CanPaste() const { return false; }
void TCustomSrcEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TCustomControl::DragOver(Source, X, Y, State, Accept);
}
void TCustomSrcEdit::DragDrop(TObject* Source, int X, int Y) { TCustomControl::DragDrop(Source, X, Y); }
void TCustomSrcEdit::DragCanceled() { TCustomControl::DragCanceled(); }
