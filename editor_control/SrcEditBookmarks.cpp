// Editing control: bookmarks (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::SetBookmark(int, int, int) {}
void TCustomSrcEdit::ClearBookmark(int) {}
void TCustomSrcEdit::GotoBookmark(int) {}
bool TCustomSrcEdit::GetBookmark(int, int&, int&) const { return false; }
