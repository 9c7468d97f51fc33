// Editing control: the WordWrap property and moving the caret to a display
// point (which, with word wrap, decides whether the caret shows at the end
// of a row or at the start of the next).
#include <memory>

#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditWordWrap.h"

void TCustomSrcEdit::SetWordWrap(bool Value) {
  if (Value == WordWrap()) return;
  Invalidate();
  const bool caretShown = IsCaretInView();
  const int topLine = RowToLine(FTopLine);
  if (Value) {
    FWordWrapPlugin = std::make_unique<TSrcWordWrapPlugin>(this);
    SetLeftChar(1);  // no horizontal scrolling while wrapping
  } else {
    FWordWrapPlugin.reset();
    FCaretAtEOL = false;
  }
  SetTopLine(LineToRow(topLine));
  UpdateScrollBars();
  if (HasOption(eoScrollPastEol)) {
    // Places the caret and both selection ends again under the new layout.
    PlaceCaret(false, Caret());
    const TBufferCoord from = FBlockBegin;
    const TBufferCoord to = FBlockEnd;
    SetSelFrom(from);
    SetSelTo(to);
  }
  if (caretShown) EnsureCaretVisible();
}

void TCustomSrcEdit::SetCaretFromDisplay(const TDisplayPoint& Value) {
  IncPaintLock();
  try {
    MoveCaretTo(DisplayToBuffer(Value));
    // Right of the end of a wrapped row the caret went to the start of the
    // next row: it is shown at the end of the row asked for instead.
    FCaretAtEOL = WordWrap() && Value.Row >= 1 && Value.Row <= FWordWrapPlugin->RowCount() &&
                  Value.Column > FWordWrapPlugin->GetRowLength(Value.Row) && DisplayCaret().Row != Value.Row;
  } catch (...) {
    DecPaintLock();
    throw;
  }
  DecPaintLock();
  if (WordWrap() && FCaretAtEOL)
    FLastCaretX = FWordWrapPlugin->GetRowLength(Value.Row) + 1;
  else
    FLastCaretX = DisplayCaret().Column;
}
