// Editing control: the WordWrap property and the caret from a display point (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::SetWordWrap(bool) {}
void TCustomSrcEdit::SetCaretFromDisplay(const TDisplayPoint& Value) { MoveCaretTo(DisplayToBuffer(Value)); }
