// Editing control: keyboard and mouse input (stub, to be filled in by its owner).
#include "SrcEdit.h"

void TCustomSrcEdit::NotifyCommandHooks(bool, TSrcEditorCommand&, char&, void*) {}
void TCustomSrcEdit::GutterClick(int, int, int) {}
void TCustomSrcEdit::ProcessCommand(TSrcEditorCommand Command, char AChar, void* Data) {
  FireProcessCommand(Command, AChar, Data);
  if (Command != 0 && Command < 1001) RunCommand(Command, AChar, Data);
  FireCommandProcessed(Command, AChar, Data);
}
TSrcEditorCommand TCustomSrcEdit::TranslateKey(Word, TShiftState) { return 0; }
TDisplayPoint TCustomSrcEdit::PixelsToDisplay(int, int) const { return DisplayCoord(1, 1); }
TDisplayPoint TCustomSrcEdit::PixelsToDisplayRounded(int, int) const { return DisplayCoord(1, 1); }
TPoint TCustomSrcEdit::DisplayToPixels(const TDisplayPoint&) const { return TPoint(); }
void TCustomSrcEdit::SetCaretFromPixels(int, int) {}
void TCustomSrcEdit::UpdateDragScroll(int, int) {}
void TCustomSrcEdit::DragScrollTimerTick(TObject*) {}
void TCustomSrcEdit::FireKeyDown(Word&, TShiftState) {}
void TCustomSrcEdit::FireKeyUp(Word&, TShiftState) {}
void TCustomSrcEdit::FireKeyPress(char&) {}
void TCustomSrcEdit::FireMouseDown(int, TShiftState, int, int) {}
void TCustomSrcEdit::FireMouseUp(int, TShiftState, int, int) {}
void TCustomSrcEdit::FireMouseCursor(const TBufferCoord&, int&) {}
void TCustomSrcEdit::AddCommandHook(const THookedCommandEvent& Hook, void* HandlerData) {
  FHookedCommandHandlers.push_back(TCommandHook{Hook, HandlerData});
}
void TCustomSrcEdit::KeyDown(Word& Key, TShiftState Shift) { TCustomControl::KeyDown(Key, Shift); }
void TCustomSrcEdit::KeyUp(Word& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }
void TCustomSrcEdit::KeyPress(char& Key) { TCustomControl::KeyPress(Key); }
void TCustomSrcEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
}
void TCustomSrcEdit::MouseMove(TShiftState Shift, int X, int Y) { TCustomControl::MouseMove(Shift, X, Y); }
void TCustomSrcEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
}
void TCustomSrcEdit::DblClick() { TCustomControl::DblClick(); }
