// Editing control: the memo form's answers to the edit-control messages.
// Character positions are 0-based indexes over the whole text with two
// characters per line break; line numbers are 0-based. Every edit-control
// message not answered here returns 0 and does nothing.
#include "SrcMemo.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"

namespace {

// The numbers of the standard edit-control messages.
constexpr UINT kFirstEditMessage = EM_GETSEL;
constexpr UINT kLastEditMessage = 0x00DA;

}  // namespace

void TSrcMemo::Dispatch(TMessage& Msg) {
  switch (Msg.Msg) {
    case EM_GETSEL: EMGetSel(Msg); break;
    case EM_SETSEL: EMSetSel(Msg); break;
    case EM_GETMODIFY: EMGetModify(Msg); break;
    case EM_SETMODIFY: EMSetModify(Msg); break;
    case EM_GETLINECOUNT: EMGetLineCount(Msg); break;
    case EM_REPLACESEL: EMReplaceSel(Msg); break;
    case EM_GETLINE: EMGetLine(Msg); break;
    case EM_CANUNDO: EMCanUndo(Msg); break;
    case EM_UNDO: EMUndo(Msg); break;
    case EM_GETFIRSTVISIBLELINE: EMGetFirstVisibleLine(Msg); break;
    case EM_CHARFROMPOS: EMCharFromPos(Msg); break;
    case EM_GETSELTEXT: EMGetSelText(Msg); break;
    default:
      if (Msg.Msg >= kFirstEditMessage && Msg.Msg <= kLastEditMessage)
        Msg.Result = 0;
      else
        TSrcEdit::Dispatch(Msg);
      break;
  }
}

void TSrcMemo::EMGetSel(TMessage& Msg) {
  const int start = GetSelectionStart();
  const int end = GetSelectionEnd();
  if (Msg.WParam) *reinterpret_cast<std::int32_t*>(Msg.WParam) = start;
  if (Msg.LParam) *reinterpret_cast<std::int32_t*>(Msg.LParam) = end;
  Msg.Result = static_cast<LRESULT>(MakeLong(static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end)));
}

void TSrcMemo::EMSetSel(TMessage& Msg) {
  SetSelectionStart(static_cast<std::int32_t>(Msg.WParam));
  SetSelectionEnd(static_cast<std::int32_t>(Msg.LParam));
  Msg.Result = 0;
}

void TSrcMemo::EMGetModify(TMessage& Msg) { Msg.Result = Modified() ? 1 : 0; }

void TSrcMemo::EMSetModify(TMessage& Msg) {
  SetModified(Msg.WParam != 0);
  Msg.Result = 0;
}

void TSrcMemo::EMGetLineCount(TMessage& Msg) { Msg.Result = FLines->GetCount(); }

void TSrcMemo::EMReplaceSel(TMessage& Msg) {
  Msg.Result = 0;
  const char* p = reinterpret_cast<const char*>(Msg.LParam);
  if (ReadOnly() || !p) return;
  const std::string text(p);
  const bool canUndo = Msg.WParam != 0;

  FirePaintTransient(ttBefore);
  BeginUndoBlock();
  if (!canUndo) LockUndo();
  try {
    // The selection runs forward in the SelectionMode property (which the
    // setters make the active mode); it is recorded as it is removed.
    const TBufferCoord first = SelFirst(), last = SelLast();
    SetSelFrom(first);
    SetSelTo(last);
    if (HasSelection())
      FUndoList->AddChange(urDelete, SelFirst(), SelLast(), DeletedSelectionText(), FActiveSelectionMode);
    const TSrcSelectionMode mode = FActiveSelectionMode;
    // Where the text goes in: the selection's start (a column block's left
    // edge), or the caret.
    TBufferCoord start = Caret();
    if (HasSelection()) {
      start = SelFirst();
      if (mode == smColumn) start.Char = std::min(SelFirst().Char, SelLast().Char);
    }
    // A column insertion records one item per row itself.
    ReplaceSelectionRaw(mode, text, mode == smColumn);
    if (!text.empty()) {
      if (mode == smNormal)
        FUndoList->AddChange(urPaste, start, SelLast(), std::string(), smNormal);
      else if (mode == smLine)
        // Whole lines went in before the start line.
        FUndoList->AddChange(urPaste, BufferCoord(1, start.Line), SelLast(), std::string(), smNormal);
    }
  } catch (...) {
    if (!canUndo) UnlockUndo();
    EndUndoBlock();
    throw;
  }
  if (!canUndo) UnlockUndo();
  EndUndoBlock();
  EnsureCaretVisible();
  ReportStatus(scSelection);
  FirePaintTransient(ttAfter);
}

void TSrcMemo::EMGetLine(TMessage& Msg) {
  Msg.Result = 0;
  char* buffer = reinterpret_cast<char*>(Msg.LParam);
  if (!buffer) return;
  const std::intptr_t line = static_cast<std::intptr_t>(Msg.WParam);
  if (line < 0 || line >= FLines->GetCount()) return;
  std::uint16_t size = 0;
  std::memcpy(&size, buffer, sizeof(size));
  if (size == 0) return;
  const std::string_view text = FLines->LineView(static_cast<int>(line));
  const size_t n = std::min<size_t>(text.size(), size);
  if (n) std::memcpy(buffer, text.data(), n);
  if (n < size) buffer[n] = '\0';
  Msg.Result = static_cast<LRESULT>(n);
}

void TSrcMemo::EMCanUndo(TMessage& Msg) { Msg.Result = CanUndo() ? 1 : 0; }

void TSrcMemo::EMUndo(TMessage& Msg) {
  const bool could = CanUndo();
  Undo();
  Msg.Result = could ? 1 : 0;
}

void TSrcMemo::EMGetFirstVisibleLine(TMessage& Msg) { Msg.Result = TopLine() - 1; }

void TSrcMemo::EMCharFromPos(TMessage& Msg) {
  const TBufferCoord p = DisplayToBuffer(PixelsToDisplay(GetXLParam(Msg.LParam), GetYLParam(Msg.LParam)));
  const int count = FLines->GetCount();
  std::int64_t line = static_cast<std::int64_t>(p.Line) - 1;
  std::int64_t ch = p.Char;
  if (count == 0) {
    line = 0;
    ch = 1;
  } else {
    // A point below the text is taken on its last line.
    if (line >= count) line = count - 1;
    const int length = FLines->LineLength(static_cast<int>(line));
    if (ch > length) ch = static_cast<std::int64_t>(length) + 1;
  }
  std::int64_t index = ch - 1;
  for (int i = 0; i < line; ++i) index += static_cast<std::int64_t>(FLines->LineLength(i)) + 2;
  Msg.Result = static_cast<LRESULT>(MakeLong(static_cast<std::uint16_t>(index), static_cast<std::uint16_t>(line)));
}

void TSrcMemo::EMGetSelText(TMessage& Msg) {
  Msg.Result = 0;
  char* buffer = reinterpret_cast<char*>(Msg.LParam);
  if (!buffer) return;
  const std::string text = GetSelectedText();
  if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  Msg.Result = static_cast<LRESULT>(text.size());
}
