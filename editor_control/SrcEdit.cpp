// Editing control: construction, destruction, options and properties, the
// modified flag, the undo lists, the paint lock, invalidation, the end of a
// line-list update, deferred rescans, event firing and text utilities.
#include "SrcEdit.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "SrcEditHighlighter.h"
#include "SrcEditKbdHandler.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMarks.h"
#include "SrcEditMiscClasses.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "SrcTextDrawer.h"
#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Win32.h"

// ---------------------------------------------------------------------------
// Construction and destruction

TCustomSrcEdit::TCustomSrcEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  FLines = new TSrcEditStringList();
  FLines->OnUpdateBegun = [this](TObject* s) { LinesUpdateBegun(s); };
  FLines->OnUpdateEnded = [this](TObject* s) { LinesUpdated(s); };
  FLines->OnListCleared = [this](TObject* s) { ListCleared(s); };
  FLines->OnLinesDeleted = [this](TObject* s, int i, int n) { ListLinesDeleted(s, i, n); };
  FLines->OnLinesInserted = [this](TObject* s, int i, int n) { ListLinesInserted(s, i, n); };
  FLines->OnLinesReplaced = [this](TObject* s, int i, int n) { ListLinesReplaced(s, i, n); };

  FFontDummy = new TFont();
  FUndoList = new TSrcEditUndoList();
  FUndoList->OnAddedUndo = [this](TObject* s) { UndoItemAdded(s); };
  FRedoList = new TSrcEditUndoList();
  FRedoList->OnAddedUndo = [this](TObject* s) { UndoItemAdded(s); };

  SetDoubleBuffered(false);
  FActiveLineColor = clNone;

  FSelectedColor = new TSrcSelectedColor();
  FSelectedColor->OnChange = [this](TObject* s) { SelectedColorChanged(s); };
  FBookMarkOpt = new TSrcBookMarkOpt(this);
  FBookMarkOpt->OnChange = [this](TObject* s) { BookMarkOptionsChanged(s); };
  FRightEdge = 80;

  FGutter = new TSrcGutter();
  FGutter->OnChange = [this](TObject* s) { GutterChanged(s); };
  FGutterWidth = FGutter->Width();
  FWordWrapGlyph = new TSrcGlyph("SrcEditWrapped", clLime);
  FWordWrapGlyph->OnChange = [this](TObject* s) { WordWrapGlyphChanged(s); };
  FTextOffset = FGutterWidth + 2;

  SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csOpaque, csNeedsBorderPaint});
  SetHeight(150);
  SetWidth(200);
  SetCursor(crIBeam);
  SetColor(clWindow);

  FFontDummy->SetName("Courier New");
  FFontDummy->SetSize(10);
  FFontDummy->SetCharset(DEFAULT_CHARSET);
  FTextDrawer = new TheTextDrawer(TFontStyles{fsBold}, FFontDummy);
  // The font's change hook is the toolkit's, which calls FontChanged.
  Font()->Assign(FFontDummy);
  SetParentFont(false);
  SetParentColor(false);
  SetTabStop(true);

  FInsertMode = true;
  FMaxScrollWidth = 1024;
  FScrollBars = TSrcScrollStyle::ssBoth;
  FBorderStyle = bsSingle;
  FInsertCaret = ctVerticalLine;
  FOverwriteCaret = ctBlock;
  FSelectionMode = smNormal;
  FActiveSelectionMode = smNormal;

  FKbdHandler = new TSrcEditKbdHandler();
  FKeystrokes = new TSrcEditKeyStrokes(this);
  FMarkList = new TSrcEditMarkList(this);
  FMarkList->OnChange = [this](TObject* s) { MarkListChanged(s); };

  LoadDefaultKeystrokes();

  FRightEdgeColor = clSilver;
  FImeCount = 0;
  FWantReturns = true;
  FWantTabs = false;
  FTabWidth = 8;

  FCaretX = 1;
  FLastCaretX = 1;
  FCaretY = 1;
  FLeftChar = 1;
  FTopLine = 1;
  FBlockBegin = BufferCoord(1, 1);
  FBlockEnd = FBlockBegin;

  FOptions = SRCEDIT_DEFAULT_OPTIONS;

  FScrollTimer = new TTimer(this);
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(100);
  FScrollTimer->OnTimer = [this](TObject* s) { DragScrollTimerTick(s); };
  FScanTimer = new TTimer(this);
  FScanTimer->SetEnabled(false);
  FScanTimer->SetInterval(1);
  FScanTimer->OnTimer = [this](TObject* s) { ScanTimerTick(s); };

  FScrollHintColor = clInfoBk;
  FScrollHintFormat = shfTopLineOnly;

  FontChanged(nullptr);
}

TCustomSrcEdit::~TCustomSrcEdit() {
  Destroying();
  SetHighlighter(nullptr);
  // The window and the owned components go first, while the control is
  // still whole.
  DestroyHandle();
  DestroyComponents();
  FScrollTimer = nullptr;
  FScanTimer = nullptr;
  delete FMarkList;
  FMarkList = nullptr;
  FBookMarks.fill(nullptr);
  delete FBookMarkOpt;
  delete FKeystrokes;
  delete FKbdHandler;
  delete FSelectedColor;
  delete FUndoList;
  FUndoList = nullptr;
  delete FRedoList;
  FRedoList = nullptr;
  delete FGutter;
  delete FWordWrapGlyph;
  delete FTextDrawer;
  delete FInternalImage;
  FWordWrapPlugin.reset();
  delete FFontDummy;
  // No hook may fire into the control while the lines die.
  FLines->OnUpdateBegun = nullptr;
  FLines->OnUpdateEnded = nullptr;
  FLines->OnListCleared = nullptr;
  FLines->OnLinesDeleted = nullptr;
  FLines->OnLinesInserted = nullptr;
  FLines->OnLinesReplaced = nullptr;
  delete FLines;
  FLines = nullptr;
}

void TCustomSrcEdit::Loaded() {
  TCustomControl::Loaded();
  GutterChanged(this);
  UpdateScrollBars();
}

void TCustomSrcEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (FSearchEngine && AComponent == static_cast<TComponent*>(FSearchEngine)) FSearchEngine = nullptr;
  if (FHighlighter && AComponent == FHighlighter) SetHighlighter(nullptr);
  if (FBookMarkOpt && FBookMarkOpt->BookmarkImages() &&
      AComponent == static_cast<TComponent*>(FBookMarkOpt->BookmarkImages())) {
    FBookMarkOpt->SetBookmarkImages(nullptr);
    InvalidateGutter();
  }
}

void TCustomSrcEdit::SetName(const std::string& NewName) {
  TComponentState st = ComponentState();
  bool followName = (st & csDesigning) != 0 && (st & csLoading) == 0 && TrimRight(Text()) == Name();
  TCustomControl::SetName(NewName);
  if (followName) SetText(NewName);
}

void TCustomSrcEdit::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
  Params.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle == bsSingle) {
    // The toolkit draws new-style three-dimensional controls: a sunken
    // client edge instead of the plain border.
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

void TCustomSrcEdit::CreateWnd() {
  TCustomControl::CreateWnd();
  if (HasOption(eoDropFiles) && (ComponentState() & csDesigning) == 0) DragAcceptFiles(Handle(), true);
  UpdateScrollBars();
  // A text loaded before the window existed (the file named on the command
  // line) still waits for its idle scan, whose timer needs the window.
  if (ScanPending() && FScanTimer != nullptr) FScanTimer->SetEnabled(true);
}

void TCustomSrcEdit::DestroyWnd() {
  if (HasOption(eoDropFiles) && (ComponentState() & csDesigning) == 0 && HandleAllocated())
    DragAcceptFiles(Handle(), false);
  TCustomControl::DestroyWnd();
}

void TCustomSrcEdit::LoadDefaultKeystrokes() { FKeystrokes->LoadDefaults(); }

// ---------------------------------------------------------------------------
// Change hooks of the owned objects

void TCustomSrcEdit::BookMarkOptionsChanged(TObject*) { InvalidateGutter(); }

void TCustomSrcEdit::SelectedColorChanged(TObject*) { InvalidateSelection(); }

void TCustomSrcEdit::WordWrapGlyphChanged(TObject*) {
  if ((ComponentState() & csLoading) == 0) InvalidateGutter();
}

void TCustomSrcEdit::MarkListChanged(TObject*) { InvalidateGutter(); }

// ---------------------------------------------------------------------------
// Undo lists

bool TCustomSrcEdit::CanUndo() const { return !ReadOnly() && FUndoList->CanUndo(); }

bool TCustomSrcEdit::CanRedo() const { return !ReadOnly() && FRedoList->CanUndo(); }

void TCustomSrcEdit::BeginUndoBlock() { FUndoList->BeginBlock(); }

void TCustomSrcEdit::EndUndoBlock() { FUndoList->EndBlock(); }

void TCustomSrcEdit::ClearUndoRedo() {
  FUndoList->Clear();
  FRedoList->Clear();
}

void TCustomSrcEdit::LockUndo() {
  FUndoList->Lock();
  FRedoList->Lock();
}

void TCustomSrcEdit::UnlockUndo() {
  FUndoList->Unlock();
  FRedoList->Unlock();
}

int TCustomSrcEdit::MaxUndo() const { return FUndoList->MaxUndoActions(); }

void TCustomSrcEdit::SetMaxUndo(int Value) {
  if (Value < 0) return;
  FUndoList->SetMaxUndoActions(Value);
  FRedoList->SetMaxUndoActions(Value);
  // Trimming may have made the saved state unreachable.
  UpdateModifiedStatus();
}

// ---------------------------------------------------------------------------
// Modified

void TCustomSrcEdit::SetModified(bool Value) {
  if (Value == FModified) {
    // Saving again: the current state is the saved one from now on.
    if (!Value && FUndoList) FUndoList->SetUnmodifiedMark(true);
    return;
  }
  FModified = Value;
  if (!Value && HasOption(eoGroupUndo) && FUndoList->CanUndo()) FUndoList->AddGroupBreak();
  FUndoList->SetUnmodifiedMark(!Value);
  ReportStatus(scModified);
}

void TCustomSrcEdit::UpdateModifiedStatus() { SetModified(!FUndoList->IsAtUnmodifiedMark()); }

void TCustomSrcEdit::UndoItemAdded(TObject* Sender) {
  TSrcEditUndoList* list = Sender == FRedoList ? FRedoList : FUndoList;
  UpdateModifiedStatus();
  if (list == FUndoList && !FUndoList->InsideRedo() && FUndoList->PeekItem() && FUndoList->LastReason() != urGroupBreak)
    FRedoList->Clear();
  if (list->BlockCount() == 0) FireChange();
}

// ---------------------------------------------------------------------------
// Text

void TCustomSrcEdit::SetLines(TStrings* Value) { FLines->Assign(Value); }

std::string TCustomSrcEdit::Text() const { return FLines->GetTextStr(); }

void TCustomSrcEdit::SetText(const std::string& Value) { FLines->SetTextStr(Value); }

// ---------------------------------------------------------------------------
// Options

void TCustomSrcEdit::SetOptions(TSrcEditorOptions Value) {
  if (Value == FOptions) return;
  TSrcEditorOptions old = FOptions;
  if ((old & eoScrollPastEol) == 0) SetLeftChar(FLeftChar);
  if ((old & eoScrollPastEof) == 0) SetTopLine(FTopLine);
  FOptions = Value;
  MoveCaretTo(Caret());
  if (HasOption(eoScrollPastEol)) {
    TBufferCoord first = SelFirst(), last = SelLast();
    SetSelFrom(first);
    SetSelTo(last);
  }
  TSrcEditorOptions changed = old ^ Value;
  if ((changed & eoDropFiles) != 0 && (ComponentState() & csDesigning) == 0 && HandleAllocated())
    DragAcceptFiles(Handle(), HasOption(eoDropFiles));
  if ((changed & eoShowSpecialChars) != 0) Invalidate();
  if ((changed & (eoDisableScrollArrows | eoHideShowScrollbars | eoScrollPastEof | eoScrollPastEol)) != 0)
    UpdateScrollBars();
}

// ---------------------------------------------------------------------------
// Properties

bool TCustomSrcEdit::ReadOnly() const { return FReadOnly; }

void TCustomSrcEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  ReportStatus(scReadOnly);
}

void TCustomSrcEdit::SetActiveLineColor(TColor Value) {
  if (Value == FActiveLineColor) return;
  FActiveLineColor = Value;
  InvalidateLine(FCaretY);
}

void TCustomSrcEdit::SetBookMarkOptions(TSrcBookMarkOpt* Value) {
  if (Value) FBookMarkOpt->Assign(Value);
}

void TCustomSrcEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomSrcEdit::SetExtraLineSpacing(int Value) {
  FExtraLineSpacing = Value;
  FontChanged(this);
}

void TCustomSrcEdit::SetGutter(TSrcGutter* Value) {
  if (Value) FGutter->Assign(Value);
}

void TCustomSrcEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  InvalidateSelection();
}

void TCustomSrcEdit::SetHighlighter(TSrcCustomHighlighter* Value) {
  if (Value == FHighlighter) return;
  if (FHighlighter) {
    FHighlighter->RemoveAttributeChangeHook(
        SrcNotifyMethod<TCustomSrcEdit, &TCustomSrcEdit::HighlighterAttrsChanged>(this));
    FHighlighter->RemoveFreeNotification(this);
  }
  if (Value) {
    Value->AddAttributeChangeHook(SrcNotifyMethod<TCustomSrcEdit, &TCustomSrcEdit::HighlighterAttrsChanged>(this));
    Value->FreeNotification(this);
  }
  FHighlighter = Value;
  if ((ComponentState() & csDestroying) == 0) {
    RefreshForHighlighter(FHighlighter != nullptr);
  }
}

void TCustomSrcEdit::SetInsertMode(bool Value) {
  if (Value == FInsertMode) return;
  FInsertMode = Value;
  if ((ComponentState() & csDesigning) == 0) CreateCaretShape();
  ReportStatus(scInsertMode);
}

void TCustomSrcEdit::SetInsertCaret(TSrcEditCaretType Value) {
  if (Value == FInsertCaret) return;
  FInsertCaret = Value;
  CreateCaretShape();
}

void TCustomSrcEdit::SetOverwriteCaret(TSrcEditCaretType Value) {
  if (Value == FOverwriteCaret) return;
  FOverwriteCaret = Value;
  CreateCaretShape();
}

void TCustomSrcEdit::SetKeystrokes(TSrcEditKeyStrokes* Value) {
  if (!Value)
    FKeystrokes->Clear();
  else
    FKeystrokes->Assign(Value);
}

void TCustomSrcEdit::SetMaxScrollWidth(int Value) {
  Value = std::max(1, std::min(Value, 0x7FFFFFFE));
  if (Value == FMaxScrollWidth) return;
  FMaxScrollWidth = Value;
  if (HasOption(eoScrollPastEol)) UpdateScrollBars();
}

void TCustomSrcEdit::SetRightEdge(int Value) {
  if (Value == FRightEdge) return;
  FRightEdge = Value;
  Invalidate();
}

void TCustomSrcEdit::SetRightEdgeColor(TColor Value) {
  if (Value == FRightEdgeColor) return;
  FRightEdgeColor = Value;
  if (HandleAllocated()) {
    int x = ColumnToX(static_cast<std::int64_t>(FRightEdge) + 1);
    TRect r(x > INT_MIN ? x - 1 : x, 0, x < INT_MAX ? x + 1 : x, Height());
    InvalidateRect(r, false);
  }
}

void TCustomSrcEdit::SetScrollBars(TSrcScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollBars();
  Invalidate();
}

void TCustomSrcEdit::SetSearchEngine(TSrcEditSearchCustom* Value) {
  if (Value == FSearchEngine) return;
  FSearchEngine = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomSrcEdit::SetSelectedColor(TSrcSelectedColor* Value) {
  if (Value) FSelectedColor->Assign(Value);
}

void TCustomSrcEdit::SetTabWidth(int Value) {
  Value = std::max(1, std::min(Value, 256));
  if (Value == FTabWidth) return;
  FTabWidth = Value;
  FLines->SetTabWidth(Value);
  Invalidate();
  if (WordWrap()) {
    FWordWrapPlugin->Reset();
    InvalidateGutter();
  }
}

void TCustomSrcEdit::SetWordWrapGlyph(TSrcGlyph* Value) {
  if (Value) FWordWrapGlyph->Assign(Value);
}

void TCustomSrcEdit::SetFont(TFont* Value) {
  if (!Value) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Value->Handle());
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (tm.tmAveCharWidth != tm.tmMaxCharWidth) {
    // A proportional font: the same font with fixed pitch.
    FFontDummy->SetColor(Value->Color());
    FFontDummy->SetPitch(fpFixed);
    FFontDummy->SetSize(Value->Size());
    FFontDummy->SetStyle(Value->Style());
    FFontDummy->SetName(Value->Name());
    Font()->Assign(FFontDummy);
  } else {
    Font()->Assign(Value);
  }
  if (FGutter->ShowLineNumbers()) GutterChanged(this);
}

bool TCustomSrcEdit::ExecuteAction(TBasicAction* Action) {
  if (dynamic_cast<TEditAction*>(Action) == nullptr) return false;
  if (dynamic_cast<TEditCut*>(Action))
    CutSelection();
  else if (dynamic_cast<TEditCopy*>(Action))
    CopySelection();
  else if (dynamic_cast<TEditPaste*>(Action))
    PasteClipboard();
  return true;
}

bool TCustomSrcEdit::UpdateAction(TBasicAction* Action) {
  auto* edit = dynamic_cast<TEditAction*>(Action);
  if (!edit || !Focused()) return false;
  if (dynamic_cast<TEditCut*>(Action) || dynamic_cast<TEditCopy*>(Action)) {
    edit->SetEnabled(HasSelection());
    return true;
  }
  if (dynamic_cast<TEditPaste*>(Action)) {
    edit->SetEnabled(CanPaste());
    return true;
  }
  return false;
}

void TCustomSrcEdit::FontChanged(TObject* Sender) {
  TCustomControl::FontChanged(Sender);
  if (!FTextDrawer) return;  // still being built
  RecalcCharExtent();
  SizeOrFontChanged(true);
}

void TCustomSrcEdit::RecalcCharExtent() {
  static const TFontStyles kStyles[4] = {TFontStyles{}, TFontStyles{fsItalic}, TFontStyles{fsBold},
                                         TFontStyles{fsItalic, fsBold}};
  bool has[4] = {false, false, false, false};
  auto indexOf = [](TFontStyles s) { return (s.Contains(fsItalic) ? 1 : 0) + (s.Contains(fsBold) ? 2 : 0); };
  if (FHighlighter && FHighlighter->AttributeCount() > 0) {
    for (int i = 0; i < FHighlighter->AttributeCount(); ++i) has[indexOf(FHighlighter->AttributeAt(i)->Style())] = true;
  } else {
    has[indexOf(Font()->Style())] = true;
  }
  int lineHeight = 0, charWidth = 0;
  FTextDrawer->SetBaseFont(Font());
  for (int i = 0; i < 4; ++i) {
    if (!has[i]) continue;
    FTextDrawer->SetBaseStyle(kStyles[i]);
    lineHeight = std::max(lineHeight, FTextDrawer->CharHeight());
    charWidth = std::max(charWidth, FTextDrawer->CharWidth());
  }
  // Every cell is at least one pixel wide and high, whatever the spacing.
  FLineHeight = std::max(1, ClampToInt(static_cast<std::int64_t>(lineHeight) + FExtraLineSpacing));
  FCharWidth = std::max(1, charWidth);
}

void TCustomSrcEdit::GutterChanged(TObject*) {
  if ((ComponentState() & csLoading) != 0) return;
  if (FGutter->ShowLineNumbers() && FGutter->AutoSize()) FGutter->AutoSizeDigitCount(FLines->GetCount());
  int w = FGutter->RealGutterWidth(FCharWidth);
  if (w == FGutterWidth)
    InvalidateGutter();
  else
    SetGutterWidth(w);
}

void TCustomSrcEdit::SetGutterWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FGutterWidth) return;
  FGutterWidth = Value;
  FTextOffset = ComputeTextOffset(FLeftChar);
  if (HandleAllocated()) {
    FCharsInWindow = std::max(ClientWidth() - FGutterWidth - 2, 0) / FCharWidth;
    if (WordWrap()) FWordWrapPlugin->DisplayChanged();
    UpdateScrollBars();
    Invalidate();
  }
}

int TCustomSrcEdit::ComputeTextOffset(int ALeftChar) const {
  return ClampToInt(static_cast<std::int64_t>(FGutterWidth) + 2 -
                    (static_cast<std::int64_t>(ALeftChar) - 1) * FCharWidth);
}

int TCustomSrcEdit::ColumnToX(std::int64_t Column) const {
  // Straight from LeftChar: TextOffset itself is clamped, and far to the
  // right it no longer tells where the visible columns are.
  return ClampToInt(static_cast<std::int64_t>(FGutterWidth) + 2 + (Column - FLeftChar) * std::max(1, FCharWidth));
}

int TCustomSrcEdit::RowToY(std::int64_t Row) const { return ClampToInt((Row - FTopLine) * std::max(1, FLineHeight)); }

void TCustomSrcEdit::CreateCaretShape() {
  TSrcEditCaretType ct = FInsertMode ? FInsertCaret : FOverwriteCaret;
  int cw = 0, ch = 0;
  switch (ct) {
    case ctHorizontalLine:
      cw = FCharWidth;
      ch = 2;
      FCaretOffset = TPoint(0, FLineHeight - 2);
      break;
    case ctHalfBlock:
      cw = FCharWidth;
      ch = (FLineHeight - 2) / 2;
      FCaretOffset = TPoint(0, ch);
      break;
    case ctBlock:
      cw = FCharWidth;
      ch = FLineHeight - 2;
      FCaretOffset = TPoint(0, 0);
      break;
    case ctVerticalLine:
      cw = 2;
      ch = FLineHeight - 2;
      FCaretOffset = TPoint(-1, 0);
      break;
  }
  ExcludeStateFlags(sfCaretVisible);
  if (HandleAllocated() && Focused()) {
    CreateCaret(Handle(), nullptr, cw, ch);
    UpdateCaret();
  }
}

// ---------------------------------------------------------------------------
// Paint lock

void TCustomSrcEdit::IncPaintLock() { ++FPaintLock; }

void TCustomSrcEdit::DecPaintLock() {
  if (FPaintLock > 0) --FPaintLock;
  if (FPaintLock != 0 || !HandleAllocated()) {
    if (FPaintLock == 0 && FStatusChanges != 0) FireStatusChange();
    return;
  }
  if ((FStateFlags & sfScrollbarChanged) != 0) UpdateScrollBars();
  if (WordWrap() && (FStatusChanges & (scCaretX | scCaretY)) != 0 && FCharsInWindow > 0) {
    // A wrapped row holds at most CharsInWindow columns (blanks aside): the
    // caret does not stay past the end of its display row.
    TDisplayPoint p = DisplayCaret();
    if (p.Column > FCharsInWindow + 1) {
      if (FCaretAtEOL) {
        FCaretAtEOL = false;
      } else if ((FStatusChanges & scCaretY) != 0) {
        p.Column = FCharsInWindow + 1;
        FCaretX = DisplayToBuffer(p).Char;
        FStatusChanges = static_cast<TSrcStatusChanges>(FStatusChanges | scCaretX);
        FLastCaretX = DisplayCaret().Column;
      }
      IncludeStateFlags(sfCaretChanged);
    }
  }
  if ((FStateFlags & sfCaretChanged) != 0) UpdateCaret();
  if (FStatusChanges != 0) FireStatusChange();
}

// ---------------------------------------------------------------------------
// Invalidation

void TCustomSrcEdit::InvalidateRect(const TRect& aRect, bool aErase) {
  if (!Visible() || !HandleAllocated()) return;
  if ((FStateFlags & sfLinesChanging) != 0) {
    UnionRect(FPendingRect, FPendingRect, aRect);
    return;
  }
  ::InvalidateRect(Handle(), &aRect, aErase);
}

void TCustomSrcEdit::InvalidateGutterLines(int FirstLine, int LastLine) {
  if (!Visible() || !HandleAllocated()) return;
  TRect r;
  if (FirstLine == -1 && LastLine == -1) {
    r = TRect(0, 0, FGutterWidth, ClientHeight());
  } else {
    if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
    std::int64_t first = FirstLine, last = LastLine;
    if (WordWrap()) {
      first = LineToRow(FirstLine);
      last = LastLine > FLines->GetCount() ? INT_MAX : LineToRow(LastLine);
    }
    first = std::max<std::int64_t>(first, FTopLine);
    last = std::min<std::int64_t>(last, static_cast<std::int64_t>(FTopLine) + FLinesInWindow);
    if (last < first) return;
    r = TRect(0, ClampToInt((first - FTopLine) * FLineHeight), FGutterWidth,
              ClampToInt((last - FTopLine + 1) * FLineHeight));
  }
  InvalidateRect(r, false);
}

void TCustomSrcEdit::InvalidateLines(int FirstLine, int LastLine) {
  if (!Visible() || !HandleAllocated()) return;
  TRect r;
  if (FirstLine == -1 && LastLine == -1) {
    r = TRect(FGutterWidth, 0, ClientWidth(), ClientHeight());
  } else {
    FirstLine = std::max(FirstLine, 1);
    LastLine = std::max(LastLine, 1);
    if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
    std::int64_t first = FirstLine, last = LastLine;
    bool unbounded = LastLine >= FLines->GetCount();
    if (unbounded) last = INT_MAX;
    if (WordWrap()) {
      first = LineToRow(FirstLine);
      if (!unbounded) last = LineToRow(LastLine + 1) - 1;
    }
    first = std::max<std::int64_t>(first, FTopLine);
    last = std::min<std::int64_t>(last, static_cast<std::int64_t>(FTopLine) + FLinesInWindow);
    if (last < first) return;
    r = TRect(FGutterWidth, ClampToInt((first - FTopLine) * FLineHeight), ClientWidth(),
              ClampToInt((last - FTopLine + 1) * FLineHeight));
  }
  InvalidateRect(r, false);
}

void TCustomSrcEdit::InvalidateGutter() { InvalidateGutterLines(-1, -1); }

void TCustomSrcEdit::InvalidateSelection() { InvalidateLines(SelFirst().Line, SelLast().Line); }

void TCustomSrcEdit::InvalidateLine(int Line) {
  if (Line < 1 || Line > FLines->GetCount() || !HandleAllocated() || !Visible()) return;
  if (WordWrap()) {
    InvalidateLines(Line, Line);
    return;
  }
  if (Line >= FTopLine && static_cast<std::int64_t>(Line) <= static_cast<std::int64_t>(FTopLine) + FLinesInWindow) {
    TRect r(FGutterWidth, RowToY(Line), ClientWidth(), RowToY(Line) + FLineHeight);
    InvalidateRect(r, false);
  }
}

// ---------------------------------------------------------------------------
// Line-list updates

void TCustomSrcEdit::LinesUpdateBegun(TObject*) { IncludeStateFlags(sfLinesChanging); }

void TCustomSrcEdit::LinesUpdated(TObject*) {
  FlushLoadRun();
  ExcludeStateFlags(sfLinesChanging);
  FlushDeferredRescan();
  if (!HandleAllocated()) {
    // Without a window there is nothing to repaint; the selection still
    // collapses at the caret.
    TSrcSelectionMode mode = FActiveSelectionMode;
    SetSelFrom(Caret());
    FActiveSelectionMode = mode;
    FPendingRect = TRect();
    return;
  }
  UpdateScrollBars();
  TSrcSelectionMode mode = FActiveSelectionMode;
  SetSelFrom(Caret());
  FActiveSelectionMode = mode;
  TRect pending = FPendingRect;
  FPendingRect = TRect();
  if (!IsRectEmpty(pending)) InvalidateRect(pending, false);
  if (FGutter->ShowLineNumbers() && FGutter->AutoSize()) FGutter->AutoSizeDigitCount(FLines->GetCount());
  if (!HasOption(eoScrollPastEof)) SetTopLine(FTopLine);
}

// ---------------------------------------------------------------------------
// Deferred rescans

void TCustomSrcEdit::DeferRescanInserted(int Index, int Count) {
  if (Count <= 0) return;
  DropSparseRescan();
  const int last = Index + Count - 1;
  if (FRescanFirst < 0) {
    FRescanFirst = Index;
    FRescanLast = last;
    FRescanForcedLast = last;
    return;
  }
  // Noted lines at or after the insertion point move down.
  if (FRescanFirst >= Index) FRescanFirst += Count;
  if (FRescanLast >= Index) FRescanLast += Count;
  if (FRescanForcedLast >= Index) FRescanForcedLast += Count;
  FRescanFirst = std::min(FRescanFirst, Index);
  FRescanLast = std::max(FRescanLast, last);
  FRescanForcedLast = std::max(FRescanForcedLast, last);
}

void TCustomSrcEdit::DeferRescanDeleted(int Index, int Count) {
  if (Count <= 0) return;
  DropSparseRescan();
  // The line that now stands at Index follows a different line: rescan it.
  if (FRescanFirst < 0) {
    FRescanFirst = FRescanLast = Index;
    FRescanForcedLast = -1;
    return;
  }
  auto shift = [&](int v) { return v >= Index + Count ? v - Count : (v >= Index ? Index : v); };
  FRescanFirst = std::min(shift(FRescanFirst), Index);
  FRescanLast = std::max(shift(FRescanLast), Index);
  // Inserted lines that were deleted again need no scan; those before them
  // still do.
  if (FRescanForcedLast >= Index + Count)
    FRescanForcedLast -= Count;
  else if (FRescanForcedLast >= Index)
    FRescanForcedLast = Index - 1;
}

void TCustomSrcEdit::DeferRescanReplaced(int Index, int Count) {
  if (Count <= 0) return;
  const int last = Index + Count - 1;
  if (FRescanFirst < 0) {
    // The replaced lines themselves are kept while nothing else happens.
    DropSparseRescan();
    FRescanLines.emplace_back(Index, last);
    FRescanFirst = Index;
    FRescanLast = last;
    FRescanForcedLast = -1;
    return;
  }
  if (!FRescanLines.empty()) {
    // Kept as runs: the lines of a command that replaces many lines in
    // order (a Replace All, an indent of the whole text) take one entry; a
    // few million runs at most, past that the range is scanned whole.
    constexpr std::size_t kMaxSparse = std::size_t(1) << 22;
    if (FRescanLines.back().second + 1 >= Index && FRescanLines.back().first <= Index) {
      FRescanLines.back().second = std::max(FRescanLines.back().second, last);
    } else if (FRescanLines.size() + 1 > kMaxSparse) {
      DropSparseRescan();
    } else {
      FRescanLines.emplace_back(Index, last);
    }
  }
  FRescanFirst = std::min(FRescanFirst, Index);
  FRescanLast = std::max(FRescanLast, last);
}

void TCustomSrcEdit::DropSparseRescan() {
  if (FRescanLines.capacity() > 4096)
    std::vector<std::pair<int, int>>().swap(FRescanLines);
  else
    FRescanLines.clear();
}

void TCustomSrcEdit::FlushDeferredRescan() {
  const int first0 = FRescanFirst, last0 = FRescanLast, forced0 = FRescanForcedLast;
  FRescanFirst = FRescanLast = FRescanForcedLast = -1;
  // Only whole lines replaced since the last rescan: those lines.
  std::vector<std::pair<int, int>> replaced;
  if (!FRescanLines.empty()) replaced.swap(FRescanLines);
  DropSparseRescan();
  if (first0 < 0 || !FHighlighter) return;
  const int count = FLines->GetCount();
  if (count == 0) return;
  const int first = std::min(first0, count - 1);
  const int last = std::min(last0, count - 1);
  const int forced = std::min(forced0, count - 1);
  // A whole new large text is scanned as the screen needs it.
  if (first == 0 && forced >= count - 1 && count >= kLazyScanLines) {
    ScanLazily();
    return;
  }
  if (!replaced.empty()) {
    // Only replaced lines: each is scanned, and the lines after it as far
    // as their end states change; the lines between are left alone.
    std::sort(replaced.begin(), replaced.end());
    // Most lines of a large text replaced (a sort, an indent of the whole
    // text, their undo): as a new text, scanned as the screen needs it.
    if (count >= kLazyScanLines) {
      std::int64_t lines = 0;
      int covered = -1;
      for (const auto& [from, to] : replaced) {
        const int begin = std::max(from, covered + 1);
        if (to >= begin) lines += to - begin + 1;
        covered = std::max(covered, to);
      }
      if (lines * 2 >= count) {
        ScanLazily();
        return;
      }
    }
    int scanned = first - 1;
    for (const auto& [from, to] : replaced) {
      for (int line = std::max(from, scanned + 1); line <= to && line < count; line = std::max(line + 1, scanned + 1))
        scanned = ScanLines(line, line - 1);
    }
    InvalidateLines(first + 1, std::max(scanned, last) + 1);
    return;
  }
  // Every noted line is scanned; the inserted ones whatever their records
  // hold, then each run goes on as far as the end states change.
  int scanned = ScanLines(first, forced);
  while (scanned < last) scanned = ScanLines(scanned + 1, forced);
  InvalidateLines(first + 1, scanned + 1);
}

// ---------------------------------------------------------------------------
// Events

void TCustomSrcEdit::FireChange() {
  if (OnChange) OnChange(this);
}

void TCustomSrcEdit::FireClearBookmark(TSrcEditMark*& Mark) {
  if (OnClearBookmark) OnClearBookmark(this, Mark);
}

void TCustomSrcEdit::FirePlaceBookmark(TSrcEditMark*& Mark) {
  if (OnPlaceBookmark) OnPlaceBookmark(this, Mark);
}

void TCustomSrcEdit::FireCommandProcessed(TSrcEditorCommand& Command, char& AChar, void* Data) {
  if (OnCommandProcessed) OnCommandProcessed(this, Command, AChar, Data);
}

void TCustomSrcEdit::FireProcessCommand(TSrcEditorCommand& Command, char& AChar, void* Data) {
  if (Command > 1000) {
    if (OnProcessUserCommand) OnProcessUserCommand(this, Command, AChar, Data);
  } else if (OnProcessCommand) {
    OnProcessCommand(this, Command, AChar, Data);
  }
}

void TCustomSrcEdit::FirePaint() {
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetColor(Color());
  if (OnPaint) OnPaint(this, Canvas());
}

void TCustomSrcEdit::FirePaintTransientEx(TTransientType TransientType, bool Counted) {
  bool fire;
  if (Counted) {
    if (TransientType == ttBefore) {
      fire = FPaintTransientLock == 0;
      ++FPaintTransientLock;
    } else {
      fire = FPaintTransientLock == 1;
      if (FPaintTransientLock > 0) --FPaintTransientLock;
    }
  } else {
    fire = FPaintTransientLock == 0;
  }
  if (!fire || !OnPaintTransient) return;
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetColor(Color());
  HideCaret();
  try {
    OnPaintTransient(this, Canvas(), TransientType);
  } catch (...) {
    ShowCaret();
    throw;
  }
  ShowCaret();
}

void TCustomSrcEdit::FirePaintTransient(TTransientType TransientType) { FirePaintTransientEx(TransientType, false); }

TSrcReplaceAction TCustomSrcEdit::FireReplaceText(const std::string& ASearch, const std::string& AReplace, int Line,
                                                  int Column) {
  TSrcReplaceAction action = raCancel;
  if (OnReplaceText) OnReplaceText(this, ASearch, AReplace, Line, Column, action);
  return action;
}

bool TCustomSrcEdit::FireSpecialLineColors(int Line, TColor& Foreground, TColor& Background) {
  bool special = false;
  if (OnSpecialLineColors) OnSpecialLineColors(this, Line, special, Foreground, Background);
  return special;
}

void TCustomSrcEdit::FireStatusChange() {
  if (!OnStatusChange) return;
  TSrcStatusChanges changes = FStatusChanges;
  FStatusChanges = 0;
  OnStatusChange(this, changes);
}

// ---------------------------------------------------------------------------
// Text utilities

std::string TCustomSrcEdit::CaretLineText() const {
  if (FCaretY < 1 || FCaretY > FLines->GetCount()) return std::string();
  return FLines->Get(FCaretY - 1);
}

void TCustomSrcEdit::SetCaretLineText(const std::string& Value) {
  if (FCaretY >= 1 && FCaretY <= std::max(1, FLines->GetCount())) FLines->Put(FCaretY - 1, Value);
}

int TCustomSrcEdit::LeadingSpaceCount(const std::string& Text, bool TabsAsWidth) const {
  if (!HasOption(eoAutoIndent) || Text.empty()) return 0;
  int n = 0;
  for (char ch : Text) {
    if (static_cast<unsigned char>(ch) > 32) break;
    n += (ch == '\t' && TabsAsWidth) ? FTabWidth : 1;
  }
  return n;
}

std::string TCustomSrcEdit::IndentString(int Width, bool AllowTabs) const {
  if (Width <= 0) return std::string();
  if (!AllowTabs || HasOption(eoTabsToSpaces) || Width < FTabWidth) return std::string(static_cast<size_t>(Width), ' ');
  return std::string(static_cast<size_t>(Width / FTabWidth), '\t') +
         std::string(static_cast<size_t>(Width % FTabWidth), ' ');
}

std::string TCustomSrcEdit::TrimTrailing(const std::string& Text) {
  size_t n = Text.size();
  while (n > 0 && (Text[n - 1] == ' ' || Text[n - 1] == '\t')) --n;
  return Text.substr(0, n);
}

void TCustomSrcEdit::SetLineTrimmed(int Index, const std::string& Text) {
  FLines->Put(Index, HasOption(eoTrimTrailingSpaces) ? TrimTrailing(Text) : Text);
}

TSysCharSet TCustomSrcEdit::WordCharSet() const {
  if (FHighlighter) return FHighlighter->IdentifierCharSet();
  return TSysCharSet::Range(33, 255);
}

void TCustomSrcEdit::HideCaret() {
  if ((FStateFlags & sfCaretVisible) != 0 && ::HideCaret(Handle())) ExcludeStateFlags(sfCaretVisible);
}

std::string TCustomSrcEdit::WordAtCaret() {
  TBufferCoord savedFrom = FBlockBegin, savedTo = FBlockEnd;
  TSrcSelectionMode savedMode = FActiveSelectionMode;
  TBufferCoord start = WordStart(), end = WordEnd();
  FBlockBegin = start;
  FBlockEnd = end;
  FActiveSelectionMode = smNormal;
  std::string result = GetSelectedText();
  FBlockBegin = savedFrom;
  FBlockEnd = savedTo;
  FActiveSelectionMode = savedMode;
  return result;
}

bool TCustomSrcEdit::SelectionSpansLines() const {
  return FBlockBegin.Line != FBlockEnd.Line && FActiveSelectionMode != smColumn;
}

bool TCustomSrcEdit::SelectionCoversWholeLines() const {
  if (!HasSelection()) return false;
  TBufferCoord first = SelFirst(), last = SelLast();
  return first.Char <= 1 && static_cast<int>(CaretLineText().size()) < last.Char;
}

void TCustomSrcEdit::DeleteSelectionRecorded() {
  const TBufferCoord from = FBlockBegin, to = FBlockEnd;
  const bool before = from.Line < to.Line || (from.Line == to.Line && from.Char < to.Char);
  AddSelectionDeletion(before ? urDelete : urDeleteAfterCaret);
  ReplaceSelectionRawActive(std::string());
}

void TCustomSrcEdit::SetCaretCharPastEol(int Value) {
  bool wasOn = HasOption(eoScrollPastEol);
  FOptions |= eoScrollPastEol;
  try {
    SetCaretChar(Value);
  } catch (...) {
    if (!wasOn) FOptions &= ~eoScrollPastEol;
    throw;
  }
  if (!wasOn) FOptions &= ~eoScrollPastEol;
}
