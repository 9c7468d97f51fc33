// Editing control: undo and redo replay (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::Undo() {}
void TCustomSrcEdit::Redo() {}
void TCustomSrcEdit::UndoItem() {}
void TCustomSrcEdit::RedoItem() {}
