// Editing control: clipboard exchange in plain text and in the control's own
// block format (which carries the selection mode), and moving or copying
// selected text between editing controls by drag and drop.
#include "SrcEditClipboard.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "SrcEdit.h"
#include "SrcEditGuards.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "platform/Clipboard.h"
#include "platform/Graphics.h"
#include "platform/Widgetset.h"

const char* const SrcEditClipboardFormatName = "SrcEdit Control Block Type";

UINT SrcEditClipboardFormat() {
  if (!WidgetsetInstalled()) return 0;
  return RegisterClipboardFormat(SrcEditClipboardFormatName);
}

namespace {

class TUndoBlockScope {
 public:
  explicit TUndoBlockScope(TCustomSrcEdit* e) : FEdit(e) { FEdit->BeginUndoBlock(); }
  ~TUndoBlockScope() { FEdit->EndUndoBlock(); }
  TUndoBlockScope(const TUndoBlockScope&) = delete;
  TUndoBlockScope& operator=(const TUndoBlockScope&) = delete;

 private:
  TCustomSrcEdit* FEdit;
};

class TUndoLockScope {
 public:
  explicit TUndoLockScope(TCustomSrcEdit* e) : FEdit(e) { FEdit->LockUndo(); }
  ~TUndoLockScope() { FEdit->UnlockUndo(); }
  TUndoLockScope(const TUndoLockScope&) = delete;
  TUndoLockScope& operator=(const TUndoLockScope&) = delete;

 private:
  TCustomSrcEdit* FEdit;
};

// Holds the clipboard open for a scope.
class TClipboardScope {
 public:
  TClipboardScope() : FBoard(Clipboard()) { FBoard->Open(); }
  ~TClipboardScope() { FBoard->Close(); }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
  TClipboard* operator->() const { return FBoard; }

 private:
  TClipboard* FBoard;
};

// Hands one block to the open clipboard: the optional lead byte, the text
// and a closing 0. False when the block cannot be allocated, filled or
// handed over (the block is freed then).
bool HandOver(UINT Format, int LeadByte, const std::string& Text) {
  const size_t lead = LeadByte >= 0 ? 1 : 0;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, lead + Text.size() + 1);
  if (!block) return false;
  auto* p = static_cast<char*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return false;
  }
  if (lead) p[0] = static_cast<char>(LeadByte);
  if (!Text.empty()) std::memcpy(p + lead, Text.data(), Text.size());
  p[lead + Text.size()] = '\0';
  GlobalUnlock(block);
  if (!SetClipboardData(Format, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

// Reads the control's block from the clipboard. False for a block too short
// to hold a mode and its closing 0 (it is ignored). Raises the paste failure
// when the block cannot be read.
bool ReadBlock(UINT Format, TSrcSelectionMode& Mode, std::string& Text) {
  TClipboardScope board;
  HGLOBAL block = GetClipboardData(Format);
  const char* p = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  if (!p) throw ESrcEditError("Clipboard paste operation failed.");
  const size_t size = GlobalSize(block);
  bool usable = size >= 2;
  if (usable) {
    const unsigned char mode = static_cast<unsigned char>(p[0]);
    Mode = mode <= smColumn ? static_cast<TSrcSelectionMode>(mode) : smNormal;
    const char* text = p + 1;
    const char* end = p + size;
    const void* nul = std::memchr(text, '\0', static_cast<size_t>(end - text));
    if (nul) end = static_cast<const char*>(nul);
    Text.assign(text, static_cast<size_t>(end - text));
  }
  GlobalUnlock(block);
  return usable;
}

}  // namespace

// ---------------------------------------------------------------------------
// Copy and cut

void TCustomSrcEdit::CopySelection() {
  if (!HasSelection()) return;
  std::string text;
  if (FActiveSelectionMode == smColumn && HasOption(eoTrimTrailingSpaces)) {
    // Every row of a column block reaches the clipboard padded to the
    // block's width.
    FOptions &= ~eoTrimTrailingSpaces;
    try {
      text = GetSelectedText();
    } catch (...) {
      FOptions |= eoTrimTrailingSpaces;
      throw;
    }
    FOptions |= eoTrimTrailingSpaces;
  } else {
    text = GetSelectedText();
  }
  PutOnClipboard(text);
}

void TCustomSrcEdit::CutSelection() {
  if (ReadOnly() || !HasSelection()) return;
  TUndoBlockScope block(this);
  PutOnClipboard(GetSelectedText());
  ReplaceSelection(std::string());
}

void TCustomSrcEdit::PutOnClipboard(const std::string& Text) {
  if (Text.empty()) return;
  bool placed = false;
  {
    TClipboardScope board;
    board->Clear();
    // The block format only goes with the plain text it belongs to.
    placed =
        HandOver(CF_TEXT, -1, Text) && HandOver(SrcEditClipboardFormat(), static_cast<int>(FActiveSelectionMode), Text);
  }
  if (!placed) throw ESrcEditError("Clipboard copy operation failed");
}

// ---------------------------------------------------------------------------
// Paste

bool TCustomSrcEdit::CanPaste() const {
  if (ReadOnly()) return false;
  TClipboard* board = Clipboard();
  return board->HasFormat(CF_TEXT) || board->HasFormat(SrcEditClipboardFormat());
}

void TCustomSrcEdit::AddPasteBegin() {
  FUndoList->AddChange(urPasteBegin, SelFirst(), SelLast(), std::string(), smNormal);
}

void TCustomSrcEdit::PasteBlockText(TSrcSelectionMode Mode, const std::string& Text) {
  if (HasSelection()) {
    AddSelectionDeletion(urDelete);
    // The selection goes first, so that the insertion starts exactly where
    // its removal left the caret, whatever the two modes.
    ReplaceSelectionRaw(Mode, std::string(), false);
  }
  const TBufferCoord start = Mode == smNormal ? ClampToLineEnd(Caret()) : Caret();
  // A column block records its own items, one per row.
  ReplaceSelectionRaw(Mode, Text, true);
  if (Text.empty()) return;
  if (Mode == smNormal)
    FUndoList->AddChange(urPaste, start, SelLast(), std::string(), smNormal);
  else if (Mode == smLine)
    // Whole lines went in before the start line: undone as the normal text
    // from the start of that line to the caret, so that nothing of the line
    // after them goes with them.
    FUndoList->AddChange(urPaste, BufferCoord(1, start.Line), SelLast(), std::string(), smNormal);
}

void TCustomSrcEdit::PastePlainText(const std::string& Text) {
  const bool selected = HasSelection();
  if (selected) {
    AddSelectionDeletion(urDelete);
  } else {
    // Two ends that select nothing in their mode (a column of no width) may
    // enclose text in another: the text goes in at the caret and nothing
    // is removed.
    SetActiveSelectionMode(FSelectionMode);
    FBlockBegin = Caret();
    FBlockEnd = Caret();
  }
  // The text goes in at the selection's start, or at the caret; past the end
  // of a line the filling spaces belong to the paste.
  TBufferCoord start = selected ? SelFirst() : Caret();
  if (FActiveSelectionMode == smNormal) start = ClampToLineEnd(start);
  ReplaceSelectionRawActive(Text);
  std::string_view text(Text.data(), std::min(Text.size(), Text.find('\0')));
  if (text.empty()) return;
  if (FActiveSelectionMode == smNormal)
    FUndoList->AddChange(urPaste, start, SelLast(), std::string(), smNormal);
  else if (FActiveSelectionMode == smLine)
    FUndoList->AddChange(urPaste, BufferCoord(1, start.Line), SelLast(), std::string(), smNormal);
}

namespace {

// The editor's positions could not hold the text with the pasted one (the
// selection it replaces still counted: a refusal near the limit errs on
// the safe side).
void RefuseTooLargePaste(TSrcEditStringList* lines, const std::string& text) {
  if (!TextCharsFit(lines->TextChars(), TextChars(text))) throw ESrcEditTextTooLarge(InsertionTooLargeMessage());
}

}  // namespace

void TCustomSrcEdit::PasteClipboard() {
  if (!CanPaste()) return;
  const UINT blockFormat = SrcEditClipboardFormat();
  FirePaintTransient(ttBefore);
  BeginUndoBlock();
  bool begun = false;
  try {
    TClipboard* board = Clipboard();
    bool done = false;
    if (blockFormat != 0 && board->HasFormat(blockFormat)) {
      TSrcSelectionMode mode = smNormal;
      std::string text;
      if (ReadBlock(blockFormat, mode, text)) {
        RefuseTooLargePaste(FLines, text);
        AddPasteBegin();
        begun = true;
        PasteBlockText(mode, text);
        done = true;
      }
    }
    if (!done && board->HasFormat(CF_TEXT)) {
      std::string text = board->AsText();
      RefuseTooLargePaste(FLines, text);
      AddPasteBegin();
      begun = true;
      PastePlainText(text);
    }
  } catch (...) {
    // The end bracket only goes with its begin: a lone end would make one
    // undo unwind earlier actions too.
    if (begun) FUndoList->AddChange(urPasteEnd, SelFirst(), SelLast(), std::string(), smNormal);
    EndUndoBlock();
    throw;
  }
  if (begun) FUndoList->AddChange(urPasteEnd, SelFirst(), SelLast(), std::string(), smNormal);
  EndUndoBlock();

  if (HasOption(eoHideShowScrollbars)) {
    const int saved = FPaintLock;
    FPaintLock = 0;
    try {
      UpdateScrollBars();
    } catch (...) {
      FPaintLock = saved;
      throw;
    }
    FPaintLock = saved;
  }
  EnsureCaretVisible();
  ReportStatus(scSelection);
  FirePaintTransient(ttAfter);
}

// ---------------------------------------------------------------------------
// Drag and drop of text between editing controls

void TCustomSrcEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TCustomControl::DragOver(Source, X, Y, State, Accept);
  if (dynamic_cast<TCustomSrcEdit*>(Source) == nullptr || ReadOnly()) return;
  Accept = true;
  SetDragCursor(GetKeyState(VK_CONTROL) < 0 ? crMultiDrag : crDrag);
  if (!Dragging()) {
    // Text from another control: the caret shows where it would go.
    SetCaretFromPixels(X, Y);
  } else if (State == dsDragLeave) {
    SetCaretFromPixels(FMouseDownX, FMouseDownY);
  } else {
    TDisplayPoint p = PixelsToDisplayRounded(X, Y);
    const int lastColumn = std::max(FLeftChar, FLeftChar + std::max(FCharsInWindow, 1) - 1);
    const int lastRow = std::max(FTopLine, FTopLine + std::max(FLinesInWindow, 1) - 1);
    p.Column = std::max(FLeftChar, std::min(p.Column, lastColumn));
    p.Row = std::max(FTopLine, std::min(p.Row, lastRow));
    {
      TPaintLockGuard lock(this);
      MoveCaretTo(DisplayToBuffer(p));
    }
    UpdateDragScroll(X, Y);
  }
}

void TCustomSrcEdit::DragCanceled() {
  FScrollTimer->SetEnabled(false);
  TCustomControl::DragCanceled();
}

TBufferCoord TCustomSrcEdit::DropTargetAfterRemoval(const TBufferCoord& Target, const TBufferCoord& First,
                                                    const TBufferCoord& Last) const {
  TBufferCoord t = Target;
  switch (FActiveSelectionMode) {
    case smNormal:
      if (t.Line == Last.Line) {
        // The rest of the last line joins the first line behind the part of
        // it that stays.
        const int kept = std::min(std::max(0, First.Char - 1), FLines->LineLength(First.Line - 1));
        t.Char = kept + 1 + (t.Char - Last.Char);
      }
      t.Line -= Last.Line - First.Line;
      break;
    case smLine: {
      const bool lastIsEnd = Last.Line >= FLines->GetCount();
      const int removed = Last.Line - First.Line + (lastIsEnd ? 0 : 1);
      if (t.Line > Last.Line)
        t.Line -= removed;
      else
        t.Line = First.Line;
      break;
    }
    case smColumn: {
      const int left = std::min(First.Char, Last.Char), right = std::max(First.Char, Last.Char);
      if (t.Line >= First.Line && t.Line <= Last.Line && t.Char > left)
        t.Char = t.Char >= right ? t.Char - (right - left) : left;
      break;
    }
  }
  return t;
}

void TCustomSrcEdit::DragDrop(TObject* Source, int X, int Y) {
  auto* source = dynamic_cast<TCustomSrcEdit*>(Source);
  if (ReadOnly() || source == nullptr || !source->HasSelection()) {
    TCustomControl::DragDrop(Source, X, Y);
    return;
  }
  TPaintLockGuard lock(this);
  TCustomControl::DragDrop(Source, X, Y);
  SetCaretFromPixels(X, Y);
  TBufferCoord target = Caret();
  const bool same = source == this;
  bool move;
  bool after = false;
  bool drop;
  if (same) {
    move = GetKeyState(VK_CONTROL) >= 0;
    const TBufferCoord first = SelFirst(), last = SelLast();
    after = PointBefore(last, target) || (!move && target == last);
    drop = after || PointBefore(target, first) || (!move && target == first);
  } else {
    move = GetKeyState(VK_SHIFT) < 0;
    drop = true;
  }
  // Text dragged out of a read-only control is copied, never taken away.
  if (source->ReadOnly()) move = false;
  if (!drop) return;

  TUndoBlockScope block(this);
  const std::string text = source->GetSelectedText();
  if (move) {
    if (same) {
      const TBufferCoord first = SelFirst(), last = SelLast();
      const TBufferCoord shifted = after ? DropTargetAfterRemoval(target, first, last) : target;
      ReplaceSelection(std::string());
      target = shifted;
    } else {
      source->ReplaceSelection(std::string());
    }
  }

  const bool pastEol = HasOption(eoScrollPastEol);
  FOptions |= eoScrollPastEol;
  try {
    MoveCaretTo(target);
    target = Caret();
    SetSelFrom(target);
    if (FActiveSelectionMode == smColumn) {
      // A column insertion records its own rows.
      ReplaceSelection(text);
    } else {
      {
        TUndoLockScope undoLock(this);
        ReplaceSelection(text);
      }
      std::string_view inserted(text.data(), std::min(text.size(), text.find('\0')));
      if (!inserted.empty()) {
        const TSrcChangeReason reason = same ? urDragDropInsert : urInsert;
        if (FActiveSelectionMode == smLine)
          // Whole lines went in before the target line.
          FUndoList->AddChange(reason, BufferCoord(1, target.Line), SelLast(), std::string(), smNormal);
        else
          FUndoList->AddChange(reason, target, SelLast(), std::string(), smNormal);
      }
    }
    SetSelTo(Caret());
    ProcessCommand(ecSelGotoXY, '\0', &target);
  } catch (...) {
    if (!pastEol) FOptions &= ~eoScrollPastEol;
    throw;
  }
  if (!pastEol) FOptions &= ~eoScrollPastEol;
}
