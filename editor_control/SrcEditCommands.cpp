// Editing control: the command executor and word positions (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::JumpToMatchingBracket() {}
TBufferCoord TCustomSrcEdit::MatchBracketAtCaret() { return MatchBracketAt(Caret()); }
TBufferCoord TCustomSrcEdit::MatchBracketAt(const TBufferCoord&) { return BufferCoord(0, 0); }
void TCustomSrcEdit::RunCommand(TSrcEditorCommand, char, void*) {}
TBufferCoord TCustomSrcEdit::NextWordPos() { return NextWordPos(Caret()); }
TBufferCoord TCustomSrcEdit::NextWordPos(const TBufferCoord& XY) { return XY; }
TBufferCoord TCustomSrcEdit::WordStart() { return WordStart(Caret()); }
TBufferCoord TCustomSrcEdit::WordStart(const TBufferCoord& XY) { return XY; }
TBufferCoord TCustomSrcEdit::WordEnd() { return WordEnd(Caret()); }
TBufferCoord TCustomSrcEdit::WordEnd(const TBufferCoord& XY) { return XY; }
TBufferCoord TCustomSrcEdit::PrevWordPos() { return PrevWordPos(Caret()); }
TBufferCoord TCustomSrcEdit::PrevWordPos(const TBufferCoord& XY) { return XY; }
bool TCustomSrcEdit::IsIdentChar(char) const { return false; }
bool TCustomSrcEdit::IsWordBreakChar(char) const { return false; }
