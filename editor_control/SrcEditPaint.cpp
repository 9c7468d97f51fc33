// Editing control: painting of the gutter and the text (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::PaintGutter(const TRect&, int, int) {}
void TCustomSrcEdit::PaintTextLines(const TRect&, int, int, int, int) {}
TColor TCustomSrcEdit::EditorBackgroundColor(int) const { return clWindow; }
void TCustomSrcEdit::Paint() {}
