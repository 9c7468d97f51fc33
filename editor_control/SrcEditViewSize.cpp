// Editing control: view size, mouse wheel and mouse cursor (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::UpdateMouseCursor() {}
void TCustomSrcEdit::SizeOrFontChanged(bool) {}
void TCustomSrcEdit::HighlighterAttrsChanged(TObject*) {}
void TCustomSrcEdit::WMMouseWheel(TMessage&) {}
void TCustomSrcEdit::WMSetCursor(TMessage&) {}
