// The source-text editing control: TCustomSrcEdit and its published form
// TSrcEdit (the memo form TSrcMemo is in SrcMemo.h).
//
// One class, many files: every area of the control lives in its own .cpp
// file (see docs/EDITOR_CONTROL.md for the map). Private helpers of an area
// go ONLY into that area's marked block at the end of the class.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "SrcEditScanCheckpoints.h"
#include "SrcEditTypes.h"
#include "SrcEditTypesEx.h"
#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/Types.h"

class TFont;
class TCanvas;
class TSrcEditStringList;
class TSrcEditUndoList;
class TSrcEditUndoItem;
class TSrcSelectedColor;
class TSrcBookMarkOpt;
class TSrcGutter;
class TSrcGlyph;
class TSrcInternalImage;
class TheTextDrawer;
class TSrcEditKbdHandler;
class TSrcEditKeyStrokes;
class TSrcEditMark;
class TSrcEditMarkList;
class TSrcCustomHighlighter;
class TSrcEditSearchCustom;
class TBasicAction;
enum TSrcChangeReason : std::uint8_t;  // SrcEditUndo.h

class TCustomSrcEdit : public TCustomControl {
 public:
  explicit TCustomSrcEdit(TComponent* AOwner);
  ~TCustomSrcEdit() override;
  const char* ClassName() const override { return "TCustomSrcEdit"; }
  void Loaded() override;                             // [SrcEdit.cpp]
  void SetName(const std::string& NewName) override;  // [SrcEdit.cpp]

  // =========================================================================
  // Virtual operations introduced here, in slot order.
  // =========================================================================
  // 1. Invalidates a client rectangle of the window (collected into
  //    PendingRect while the line list is inside an update).      [SrcEdit.cpp]
  virtual void InvalidateRect(const TRect& aRect, bool aErase);
  // 2. Fires OnChange.                                              [SrcEdit.cpp]
  virtual void FireChange();
  // 3. ReadOnly getter.                                             [SrcEdit.cpp]
  virtual bool ReadOnly() const;
  // 4. The line list's end-of-update hook.                          [SrcEdit.cpp]
  virtual void LinesUpdated(TObject* Sender);
  // 5. Calls the registered command hooks (none in this system).    [SrcEditInput.cpp]
  virtual void NotifyCommandHooks(bool AfterProcessing, TSrcEditorCommand& Command, char& AChar, void* Data);
  // 6. and 7. Painting of the gutter and of the text lines.         [SrcEditPaint.cpp]
  virtual void PaintGutter(const TRect& AClip, int FirstRow, int LastRow);
  virtual void PaintTextLines(const TRect& AClip, int FirstRow, int LastRow, int FirstCol, int LastCol);
  // 8.-10. Caret placement.                                         [SrcEditCaret.cpp]
  virtual void MoveCaretTo(const TBufferCoord& Value);
  virtual void PlaceCaretCollapse(const TBufferCoord& Value);
  virtual void PlaceCaret(bool EnsureVisible, const TBufferCoord& Value);
  // 11. ReadOnly setter.                                            [SrcEdit.cpp]
  virtual void SetReadOnly(bool Value);
  // 12. Mouse cursor choice.                                        [SrcEditViewSize.cpp]
  virtual void UpdateMouseCursor();
  // 13.-23. Event firing.
  virtual void FireClearBookmark(TSrcEditMark*& Mark);                                     // [SrcEdit.cpp]
  virtual void FireCommandProcessed(TSrcEditorCommand& Command, char& AChar, void* Data);  // [SrcEdit.cpp]
  virtual void GutterClick(int Button, int X, int Y);                                      // [SrcEditInput.cpp]
  virtual void FirePaint();                                                                // [SrcEdit.cpp]
  virtual void FirePaintTransientEx(TTransientType TransientType, bool Counted);           // [SrcEdit.cpp]
  virtual void FirePaintTransient(TTransientType TransientType);                           // [SrcEdit.cpp]
  virtual void FirePlaceBookmark(TSrcEditMark*& Mark);                                     // [SrcEdit.cpp]
  virtual void FireProcessCommand(TSrcEditorCommand& Command, char& AChar, void* Data);    // [SrcEdit.cpp]
  virtual TSrcReplaceAction FireReplaceText(const std::string& ASearch, const std::string& AReplace, int Line,
                                            int Column);                                 // [SrcEdit.cpp]
  virtual bool FireSpecialLineColors(int Line, TColor& Foreground, TColor& Background);  // [SrcEdit.cpp]
  virtual void FireStatusChange();                                                       // [SrcEdit.cpp]
  // 24. The one entry for every command.                            [SrcEditInput.cpp]
  virtual void ProcessCommand(TSrcEditorCommand Command, char AChar, void* Data);
  // 25.-27. Bracket matching.                                       [SrcEditCommands.cpp]
  virtual void JumpToMatchingBracket();
  virtual TBufferCoord MatchBracketAtCaret();
  virtual TBufferCoord MatchBracketAt(const TBufferCoord& APos);
  // 28. Carries out one command.                                    [SrcEditCommands.cpp]
  virtual void RunCommand(TSrcEditorCommand Command, char AChar, void* Data);
  // 29.-36. Word positions, from the caret and from a given place.  [SrcEditCommands.cpp]
  virtual TBufferCoord NextWordPos();
  virtual TBufferCoord NextWordPos(const TBufferCoord& XY);
  virtual TBufferCoord WordStart();
  virtual TBufferCoord WordStart(const TBufferCoord& XY);
  virtual TBufferCoord WordEnd();
  virtual TBufferCoord WordEnd(const TBufferCoord& XY);
  virtual TBufferCoord PrevWordPos();
  virtual TBufferCoord PrevWordPos(const TBufferCoord& XY);
  // 37. LoadDefaults on Keystrokes.                                 [SrcEdit.cpp]
  virtual void LoadDefaultKeystrokes();

  // =========================================================================
  // Caret and selection                                       [SrcEditCaret.cpp]
  // =========================================================================
  TBufferCoord Caret() const { return BufferCoord(FCaretX, FCaretY); }
  int CaretChar() const { return FCaretX; }
  int CaretLine() const { return FCaretY; }
  // The public caret setter: the selection collapses at the new caret.
  void SetCaret(const TBufferCoord& Value) { PlaceCaretCollapse(Value); }
  // Only the caret moves; the selection stays where it is.
  void SetCaretChar(int Value);
  void SetCaretLine(int Value);
  // The caret's display column/row (through word wrap when it is on).
  TDisplayPoint DisplayCaret();
  int DisplayCaretColumn() { return DisplayCaret().Column; }
  int DisplayCaretRow() { return DisplayCaret().Row; }
  bool IsCaretInView();
  int LastCaretColumn() const { return FLastCaretX; }
  bool CaretAtRowEnd() const { return FCaretAtEOL; }

  TBufferCoord SelFrom() const { return FBlockBegin; }
  TBufferCoord SelTo() const { return FBlockEnd; }
  void SetSelFrom(const TBufferCoord& Value);
  void SetSelTo(const TBufferCoord& Value);
  TBufferCoord SelFirst() const;
  // The position with its character limited to the end of its line (when
  // the line exists): where a normal insertion or removal really starts.
  TBufferCoord ClampToLineEnd(TBufferCoord p) const;
  TBufferCoord SelLast() const;
  bool HasSelection() const;
  TSrcSelectionMode ActiveSelectionMode() const { return FActiveSelectionMode; }
  void SetActiveSelectionMode(TSrcSelectionMode Value);
  TSrcSelectionMode SelectionMode() const { return FSelectionMode; }
  void SetSelectionMode(TSrcSelectionMode Value);
  void SelectRange(const TBufferCoord& ACaret, const TBufferCoord& AFrom, const TBufferCoord& ATo);
  void StepCaret(const TBufferCoord& Before, const TBufferCoord& After, bool Extend);
  void MoveCaretByChars(int DX, bool Extend);
  void MoveCaretByLines(int DY, bool Extend);
  void SelectAllText();
  void SelectAll() { SelectAllText(); }
  bool IsInSelection(const TBufferCoord& Value) const;
  std::string GetSelectedText() const;
  std::string SelText() const { return GetSelectedText(); }
  // The text that removing the selection takes away: GetSelectedText,
  // except that the rows of a column selection that end short of its right
  // edge are not padded. Undo items of deletions keep this text, so that
  // undo gives back exactly the earlier lines.
  std::string DeletedSelectionText() const;
  void SelectWordAtCaret();
  void SelectWord(const TBufferCoord& Value);
  // Flat character index: 0-based, every line break counts as two.
  int CoordToCharIndex(const TBufferCoord& Value) const;
  TBufferCoord CharIndexToCoord(int Index) const;
  int GetSelectionStart() const;
  int GetSelectionEnd() const;
  int GetSelectionLength() const;
  void SetSelectionStart(int Value);
  void SetSelectionEnd(int Value);
  void SetSelectionLength(int Value);
  int SelStart() const { return GetSelectionStart(); }
  int SelLength() const { return GetSelectionLength(); }
  void SetSelStart(int Value) { SetSelectionStart(Value); }
  void SetSelLength(int Value) { SetSelectionLength(Value); }
  // Adds status changes; reported at once unless the paint lock is held.
  void ReportStatus(TSrcStatusChanges Changes);
  TSrcStatusChanges PendingStatusChanges() const { return FStatusChanges; }
  // Buffer <-> display conversions (tabs expanded; word wrap through the plug-in).
  TDisplayPoint BufferToDisplay(const TBufferCoord& Value);
  TBufferCoord DisplayToBuffer(const TDisplayPoint& Value);
  // Display rows: the plug-in's row count with word wrap, else the line count.
  int DisplayRowCount();
  // The first display row of a line and the line of a display row: with
  // word wrap straight from the plug-in (no column conversion, so their cost
  // does not grow with the length of the line).
  int LineToRow(int Line);
  int RowToLine(int Row);
  // The largest caret character allowed on a line (1-based line): the
  // MaxScrollWidth bound, raised to the end of the line so that long lines
  // stay reachable; unbounded with word wrap.
  int MaxCaretChar(int Line) const;

  // =========================================================================
  // Text changes                                          [SrcEditTextChange.cpp]
  // =========================================================================
  // Replaces the selection (or inserts at the caret) as one undo step.
  void ReplaceSelection(const std::string& Value);
  // The same with the whole of Value: NUL bytes are text (the value of
  // ReplaceSelection ends at its first NUL).
  void ReplaceSelectionWhole(const std::string& Value);
  void SetSelText(const std::string& Value) { ReplaceSelection(Value); }
  // Replaces runs of Length bytes, each inside one line, starting at Starts
  // (ascending, not overlapping), by Replacement (no line break in it), as
  // one undo step: the same as selecting from the first run to the end of
  // the last and replacing that span by the span rebuilt, the caret after
  // the last replacement. Only the lines that hold a run are stored again.
  void ReplaceRuns(const std::vector<TBufferCoord>& Starts, int Length, std::string_view Replacement);
  // Reorders the lines, as one undo step: line i takes the text line
  // Order[i] has (Order holds every line once; anything else changes
  // nothing). The texts move without a copy; the caret ends at the end of
  // the text, and undo selects the whole text as it was.
  void ReorderLines(const std::vector<int>& Order);
  void DeleteSelection();
  void ClearText();
  // The primitive: removes the selection (active mode), then inserts Value
  // in PasteMode. Records only the column items (when RecordColumnItems).
  void ReplaceSelectionRaw(TSrcSelectionMode PasteMode, const std::string& Value, bool RecordColumnItems);
  // The same with the whole text, NUL bytes included: undo and redo put back
  // exactly what a change took away.
  void ReplaceSelectionExact(TSrcSelectionMode PasteMode, const std::string& Value, bool RecordColumnItems);
  void ReplaceSelectionRawActive(const std::string& Value);
  // Records the deletion of the selection in force, before it is removed:
  // its two ends as set (in normal mode an end past the end of its line is
  // recorded at the line end, where the removal joins the two parts), the
  // exact text it takes away (DeletedSelectionText) and the active mode.
  void AddSelectionDeletion(TSrcChangeReason Reason);
  // Put of a 0-based line, trimmed with eoTrimTrailingSpaces.
  void StoreLine(int Index, std::string_view Value);
  // Replaces Count bytes at the 0-based byte Pos of a 0-based line with Text
  // in place, its scan checkpoints told where (through StoreLine with
  // eoTrimTrailingSpaces).
  void EditLineInPlace(int Index, int Pos, int Count, std::string_view Text);
  // Marks follow inserted/deleted lines (1-based lines).
  void ShiftMarksOnInsert(int FirstLine, int Count);
  void ShiftMarksOnDelete(int FirstLine, int Count);

  // =========================================================================
  // Undo and redo                                        [SrcEditUndoReplay.cpp]
  // =========================================================================
  void Undo();
  void Redo();
  void UndoItem();
  void RedoItem();
  // (list management: SrcEdit.cpp)
  bool CanUndo() const;
  bool CanRedo() const;
  void BeginUndoBlock();
  void EndUndoBlock();
  void ClearUndoRedo();
  void LockUndo();
  void UnlockUndo();
  TSrcEditUndoList* UndoList() const { return FUndoList; }
  TSrcEditUndoList* RedoList() const { return FRedoList; }

  // =========================================================================
  // Commands helpers                                        [SrcEditCommands.cpp]
  // =========================================================================
  bool IsIdentChar(char AChar) const;
  bool IsWordBreakChar(char AChar) const;
  void ExecuteCommand(TSrcEditorCommand Command, char AChar, void* Data) { ProcessCommand(Command, AChar, Data); }
  // The scan checkpoints of the long lines (what the rescans keep).
  const TSrcScanCheckpoints& ScanCheckpoints() const { return FScanCheckpoints; }
  // Scans the lines up to the 0-based line Index that are still to be
  // scanned after a large text came in (their stored states are then those
  // of a full scan); -1 or beyond the last line: all of them.
  void EnsureScanned(int Index);
  // Whether lines are still to be scanned.
  bool ScanPending() const { return FScanLimit != INT_MAX; }
  // A whole new text of this many lines or more is not scanned at once:
  // lines are scanned when the screen or an edit needs them, and the rest
  // while the program is idle (a timer), with the states a full scan
  // stores.
  static constexpr int kLazyScanLines = 100000;

  // =========================================================================
  // Construction, options and properties                        [SrcEdit.cpp]
  // =========================================================================
  TSrcEditStringList* Lines() const { return FLines; }
  void SetLines(TStrings* Value);
  std::string Text() const;
  void SetText(const std::string& Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);
  void UpdateModifiedStatus();
  void UndoItemAdded(TObject* Sender);

  TSrcEditorOptions Options() const { return FOptions; }
  void SetOptions(TSrcEditorOptions Value);
  bool HasOption(TSrcEditorOptions Option) const { return (FOptions & Option) != 0; }

  TColor ActiveLineColor() const { return FActiveLineColor; }
  void SetActiveLineColor(TColor Value);
  TSrcBookMarkOpt* BookMarkOptions() const { return FBookMarkOpt; }
  void SetBookMarkOptions(TSrcBookMarkOpt* Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int ExtraLineSpacing() const { return FExtraLineSpacing; }
  void SetExtraLineSpacing(int Value);
  TSrcGutter* Gutter() const { return FGutter; }
  void SetGutter(TSrcGutter* Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TSrcCustomHighlighter* Highlighter() const { return FHighlighter; }
  void SetHighlighter(TSrcCustomHighlighter* Value);
  TSrcEditCaretType InsertCaret() const { return FInsertCaret; }
  void SetInsertCaret(TSrcEditCaretType Value);
  bool InsertMode() const { return FInsertMode; }
  void SetInsertMode(bool Value);
  TSrcEditKeyStrokes* Keystrokes() const { return FKeystrokes; }
  void SetKeystrokes(TSrcEditKeyStrokes* Value);
  int MaxScrollWidth() const { return FMaxScrollWidth; }
  void SetMaxScrollWidth(int Value);
  int MaxUndo() const;
  void SetMaxUndo(int Value);
  TSrcEditCaretType OverwriteCaret() const { return FOverwriteCaret; }
  void SetOverwriteCaret(TSrcEditCaretType Value);
  int RightEdge() const { return FRightEdge; }
  void SetRightEdge(int Value);
  TColor RightEdgeColor() const { return FRightEdgeColor; }
  void SetRightEdgeColor(TColor Value);
  TColor ScrollHintColor() const { return FScrollHintColor; }
  void SetScrollHintColor(TColor Value) { FScrollHintColor = Value; }
  TScrollHintFormat ScrollHintFormat() const { return FScrollHintFormat; }
  void SetScrollHintFormat(TScrollHintFormat Value) { FScrollHintFormat = Value; }
  TSrcScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TSrcScrollStyle Value);
  TSrcEditSearchCustom* SearchEngine() const { return FSearchEngine; }
  void SetSearchEngine(TSrcEditSearchCustom* Value);
  TSrcSelectedColor* SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TSrcSelectedColor* Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TSrcGlyph* WordWrapGlyph() const { return FWordWrapGlyph; }
  void SetWordWrapGlyph(TSrcGlyph* Value);
  // The control's font: a proportional font is replaced by a fixed-pitch copy.
  void SetFont(TFont* Value);

  // Standard edit actions aimed at the control: cut, copy and paste run
  // here, the other standard edit actions are answered as handled without
  // effect; false for any other action. UpdateAction enables cut and copy
  // with a selection and paste when CanPaste, only while focused.
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);

  // Geometry (maintained by the view-size, scrolling and messages areas).
  int TopLine() const { return FTopLine; }
  void SetTopLine(int Value);  // [SrcEditScroll.cpp]
  int LeftChar() const { return FLeftChar; }
  void SetLeftChar(int Value);  // [SrcEditMessages.cpp]
  int CharsInWindow() const { return FCharsInWindow; }
  int LinesInWindow() const { return FLinesInWindow; }
  int CharWidth() const { return FCharWidth; }
  int LineHeight() const { return FLineHeight; }
  int GutterWidth() const { return FGutterWidth; }
  void SetGutterWidth(int Value);
  int TextOffset() const { return FTextOffset; }
  // x of a display column (GutterWidth + 2 + (Column - LeftChar) x
  // CharWidth) and y of a display row ((Row - TopLine) x LineHeight),
  // computed in 64 bits and clamped to the 32-bit range. The painter, the
  // caret and the mouse all place cells through these two.
  int ColumnToX(std::int64_t Column) const;
  int RowToY(std::int64_t Row) const;
  // TextOffset for a given LeftChar (64-bit arithmetic, clamped).
  int ComputeTextOffset(int ALeftChar) const;

  // The control's font changed (the toolkit calls it on every change).
  void FontChanged(TObject* Sender) override;
  void GutterChanged(TObject* Sender);
  // Measures the cell (CharWidth, LineHeight >= 1) for the font and the
  // highlighter's styles.
  void RecalcCharExtent();
  void CreateCaretShape();
  TPoint CaretOffset() const { return FCaretOffset; }

  // Paint lock: nesting count; deferred work runs when it returns to 0.
  void IncPaintLock();
  void DecPaintLock();
  int PaintLock() const { return FPaintLock; }
  TSrcStateFlags StateFlags() const { return FStateFlags; }
  void IncludeStateFlags(TSrcStateFlags Flags) { FStateFlags = static_cast<TSrcStateFlags>(FStateFlags | Flags); }
  void ExcludeStateFlags(TSrcStateFlags Flags) { FStateFlags = static_cast<TSrcStateFlags>(FStateFlags & ~Flags); }
  const TRect& PendingRect() const { return FPendingRect; }

  // Invalidation (nothing while invisible or without a window).
  void InvalidateGutterLines(int FirstLine, int LastLine);
  void InvalidateLines(int FirstLine, int LastLine);
  void InvalidateGutter();
  void InvalidateSelection();
  void InvalidateLine(int Line);
  void LinesUpdateBegun(TObject* Sender);
  // Deferred rescans. Every change of the line list is bracketed, so the
  // line-list hooks run while sfLinesChanging is set: they note here which
  // lines need a rescan (current 0-based indexes, kept right across later
  // insertions and deletions) instead of rescanning themselves, and
  // LinesUpdated rescans once, at the end of the bracket, and repaints the
  // rescanned rows. Inserted lines are always scanned (a fresh line's
  // record holds no real state to compare with); the others as far as a
  // line's end state changes. Outside a bracket the hooks rescan at once,
  // by the same rule (ScanLines).
  void DeferRescanInserted(int Index, int Count);
  void DeferRescanDeleted(int Index, int Count);
  void DeferRescanReplaced(int Index, int Count);
  void FlushDeferredRescan();
  // Forgets the replaced lines noted one by one (the range stays).
  void DropSparseRescan();

  // Text utilities.
  std::string CaretLineText() const;
  void SetCaretLineText(const std::string& Value);
  int LeadingSpaceCount(const std::string& Text, bool TabsAsWidth) const;
  std::string IndentString(int Width, bool AllowTabs) const;
  static std::string TrimTrailing(const std::string& Text);
  void SetLineTrimmed(int Index, const std::string& Text);
  TSysCharSet WordCharSet() const;
  void HideCaret();
  std::string WordAtCaret();
  bool SelectionSpansLines() const;
  bool SelectionCoversWholeLines() const;
  void DeleteSelectionRecorded();
  void SetCaretCharPastEol(int Value);

  // Helpers owned by the text drawer/plug-ins.
  TheTextDrawer* TextDrawer() const { return FTextDrawer; }
  TSrcEditKbdHandler* KbdHandler() const { return FKbdHandler; }
  TSrcEditMarkList* Marks() const { return FMarkList; }
  ISrcEditBufferPlugin* WordWrapPlugin() const { return FWordWrapPlugin.get(); }

  // =========================================================================
  // Word wrap                                            [SrcEditWordWrapGlue.cpp]
  // =========================================================================
  bool WordWrap() const { return FWordWrapPlugin != nullptr; }
  void SetWordWrap(bool Value);
  // Moves the caret to a display point (word-wrap aware: remembers when the
  // caret stands at the end of the requested row).
  void SetCaretFromDisplay(const TDisplayPoint& Value);

  // =========================================================================
  // View size, wheel, cursor                                [SrcEditViewSize.cpp]
  // =========================================================================
  void SizeOrFontChanged(bool FontChanged);
  void HighlighterAttrsChanged(TObject* Sender);
  // Character extent, a full rescan inside one update (Rescan) or a repaint,
  // then the window's measures again.
  void RefreshForHighlighter(bool Rescan);
  void WMMouseWheel(TMessage& Msg);
  void WMSetCursor(TMessage& Msg);

  // =========================================================================
  // Painting                                                   [SrcEditPaint.cpp]
  // =========================================================================
  // The editor background colour of a line (active line colour, highlighter
  // whitespace background or Color).
  TColor EditorBackgroundColor(int Line) const;

  // =========================================================================
  // Caret display, scrolling, rescans                         [SrcEditScroll.cpp]
  // =========================================================================
  void ShowCaret();
  void UpdateCaret();
  void UpdateScrollBars();
  void ListCleared(TObject* Sender);
  // Empties the bookmark slots and frees every mark (the text they marked went).
  void ClearAllMarks();
  void ListLinesDeleted(TObject* Sender, int Index, int Count);
  void ListLinesInserted(TObject* Sender, int Index, int Count);
  void ListLinesReplaced(TObject* Sender, int Index, int Count);
  // Rescans from a 0-based line; returns the last line scanned.
  int ScanFrom(int Index);
  void RescanAll();

  // =========================================================================
  // Keyboard and mouse input                                   [SrcEditInput.cpp]
  // =========================================================================
  TSrcEditorCommand TranslateKey(Word Key, TShiftState Shift);
  TDisplayPoint PixelsToDisplay(int X, int Y) const;
  TDisplayPoint PixelsToDisplayRounded(int X, int Y) const;
  TPoint DisplayToPixels(const TDisplayPoint& Value) const;
  void SetCaretFromPixels(int X, int Y);
  void UpdateDragScroll(int X, int Y);
  void DragScrollTimerTick(TObject* Sender);
  void FireKeyDown(Word& Key, TShiftState Shift);
  void FireKeyUp(Word& Key, TShiftState Shift);
  void FireKeyPress(char& Key);
  void FireMouseDown(int Button, TShiftState Shift, int X, int Y);
  void FireMouseUp(int Button, TShiftState Shift, int X, int Y);
  void FireMouseCursor(const TBufferCoord& Pos, int& Cursor);
  void AddCommandHook(const THookedCommandEvent& Hook, void* HandlerData);

  // =========================================================================
  // Window messages                                         [SrcEditMessages.cpp]
  // =========================================================================
  void EnsureCaretVisible();
  void EnsureCaretVisibleEx(bool ForceToMiddle);
  void WMSize(TMessage& Msg);
  void WMSetFocus(TMessage& Msg);
  void WMKillFocus(TMessage& Msg);
  void WMSetText(TMessage& Msg);
  void WMGetText(TMessage& Msg);
  void WMGetTextLength(TMessage& Msg);
  void WMEraseBkgnd(TMessage& Msg);
  void WMCancelMode(TMessage& Msg);
  void WMGetDlgCode(TMessage& Msg);
  void WMImeComposition(TMessage& Msg);
  void WMImeNotify(TMessage& Msg);
  void WMHScroll(TMessage& Msg);
  void WMVScroll(TMessage& Msg);
  void WMCaptureChanged(TMessage& Msg);
  void WMDropFiles(TMessage& Msg);
  void WMCut(TMessage& Msg);
  void WMCopy(TMessage& Msg);
  void WMPaste(TMessage& Msg);
  void WMClear(TMessage& Msg);
  void WMUndo(TMessage& Msg);

  // =========================================================================
  // Clipboard and drag and drop                            [SrcEditClipboard.cpp]
  // =========================================================================
  void CopySelection();
  void CutSelection();
  void PasteClipboard();
  void PutOnClipboard(const std::string& Text);
  bool CanPaste() const;
  void CopyToClipboard() { CopySelection(); }
  void CutToClipboard() { CutSelection(); }
  void PasteFromClipboard() { PasteClipboard(); }

  // =========================================================================
  // Bookmarks and marks                                    [SrcEditBookmarks.cpp]
  // =========================================================================
  void SetBookmark(int Number, int Char, int Line);
  void ClearBookmark(int Number);
  void GotoBookmark(int Number);
  TSrcEditMark* Bookmark(int Number) const {
    return Number >= 0 && Number < 10 ? FBookMarks[static_cast<size_t>(Number)] : nullptr;
  }
  bool GetBookmark(int Number, int& Char, int& Line) const;

  // =========================================================================
  // Events
  // =========================================================================
  TNotifyEvent OnChange;
  TPlaceMarkEvent OnClearBookmark;
  TProcessCommandEvent OnCommandProcessed;
  TContextHelpEvent OnContextHelp;
  TDropFilesEvent OnDropFiles;
  TGutterClickEvent OnGutterClick;
  TGutterGetTextEvent OnGutterGetText;
  TGutterPaintEvent OnGutterPaint;
  TMouseCursorEvent OnMouseCursor;
  TPaintEvent OnPaint;
  TPaintTransient OnPaintTransient;
  TPlaceMarkEvent OnPlaceBookmark;
  TProcessCommandEvent OnProcessCommand;
  TProcessCommandEvent OnProcessUserCommand;
  TReplaceTextEvent OnReplaceText;
  TScrollEvent OnScroll;
  TSpecialLineColorsEvent OnSpecialLineColors;
  TStatusChangeEvent OnStatusChange;

 protected:
  // =========================================================================
  // Overrides of the toolkit's control.
  // =========================================================================
  // [SrcEdit.cpp]
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // [SrcEditPaint.cpp]
  void Paint() override;
  // [SrcEditMessages.cpp] Routes the messages the control answers to the
  // WM* handlers above; everything else goes to TCustomControl::Dispatch.
  void WndProc(TMessage& Msg) override;
  void Dispatch(TMessage& Msg) override;
  // [SrcEditInput.cpp]
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  // [SrcEditClipboard.cpp]
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DragCanceled() override;

  // =========================================================================
  // Fields. Every area may read and write them; the comments say who keeps
  // each one right.
  // =========================================================================
  // Owned objects.
  TSrcEditStringList* FLines = nullptr;
  TSrcEditUndoList* FUndoList = nullptr;
  TSrcEditUndoList* FRedoList = nullptr;
  TFont* FFontDummy = nullptr;  // private fixed-pitch font
  TSrcSelectedColor* FSelectedColor = nullptr;
  TSrcBookMarkOpt* FBookMarkOpt = nullptr;
  TSrcGutter* FGutter = nullptr;
  TSrcGlyph* FWordWrapGlyph = nullptr;
  TheTextDrawer* FTextDrawer = nullptr;
  TSrcEditKbdHandler* FKbdHandler = nullptr;
  TSrcEditKeyStrokes* FKeystrokes = nullptr;
  TSrcEditMarkList* FMarkList = nullptr;
  TTimer* FScrollTimer = nullptr;
  TSrcInternalImage* FInternalImage = nullptr;  // created on demand by painting
  std::unique_ptr<ISrcEditBufferPlugin> FWordWrapPlugin;
  // Not owned.
  TSrcCustomHighlighter* FHighlighter = nullptr;
  TSrcEditSearchCustom* FSearchEngine = nullptr;
  // Bookmark slots (marks also held by FMarkList).
  std::array<TSrcEditMark*, 10> FBookMarks{};

  // Caret and selection (SrcEditCaret.cpp).
  int FCaretX = 1;                               // CaretChar
  int FCaretY = 1;                               // CaretLine
  TBufferCoord FBlockBegin = BufferCoord(1, 1);  // SelFrom
  TBufferCoord FBlockEnd = BufferCoord(1, 1);    // SelTo
  TSrcSelectionMode FActiveSelectionMode = smNormal;
  TSrcSelectionMode FSelectionMode = smNormal;
  int FLastCaretX = 1;       // LastCaretColumn
  bool FCaretAtEOL = false;  // CaretAtRowEnd (word wrap)
  bool FDbcsStepAside = false;
  TSrcStatusChanges FStatusChanges = 0;

  // Geometry.
  int FTopLine = 1;
  int FLeftChar = 1;
  int FCharsInWindow = 0;
  int FLinesInWindow = 0;
  int FCharWidth = 1;   // always >= 1
  int FLineHeight = 1;  // always >= 1
  int FGutterWidth = 0;
  int FTextOffset = 2;
  TPoint FCaretOffset;
  int FMouseWheelAccumulator = 0;

  // Properties.
  TSrcEditorOptions FOptions = SRCEDIT_DEFAULT_OPTIONS;
  int FMaxScrollWidth = 1024;
  int FExtraLineSpacing = 0;
  int FRightEdge = 80;
  TColor FRightEdgeColor = clSilver;
  TColor FActiveLineColor = clNone;
  TColor FScrollHintColor = clInfoBk;
  TScrollHintFormat FScrollHintFormat = shfTopLineOnly;
  TSrcScrollStyle FScrollBars = TSrcScrollStyle::ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  int FTabWidth = 8;
  bool FInsertMode = true;
  TSrcEditCaretType FInsertCaret = ctVerticalLine;
  TSrcEditCaretType FOverwriteCaret = ctBlock;
  bool FHideSelection = false;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FReadOnly = false;
  bool FModified = false;

  // Locks and deferred work.
  int FPaintLock = 0;
  int FPaintTransientLock = 0;
  TSrcStateFlags FStateFlags = 0;
  TRect FPendingRect;
  int FRescanFirst = -1;  // deferred rescan range (0-based, inclusive); -1 = none
  int FRescanLast = -1;
  // The last inserted line of the deferred range (-1: none): every line up
  // to it is scanned whatever state its record holds.
  int FRescanForcedLast = -1;
  // While only whole lines were replaced since the last rescan: those
  // lines, as runs (first, last), so that the rescan skips the lines
  // between them; empty otherwise.
  std::vector<std::pair<int, int>> FRescanLines;

  // Input (SrcEditInput.cpp).
  Word FLastKey = 0;
  TShiftState FLastShift{};
  int FImeCount = 0;
  int FMouseDownX = 0;
  int FMouseDownY = 0;
  int FScrollDeltaX = 0;
  int FScrollDeltaY = 0;
  struct TCommandHook {
    THookedCommandEvent Event;
    void* Data;
  };
  std::vector<TCommandHook> FHookedCommandHandlers;

  // =========================================================================
  // PRIVATE HELPERS, one block per area file. Add declarations of your
  // area's own helpers ONLY inside your block; do not touch the others.
  // =========================================================================
 private:
  // ---- BEGIN SrcEdit.cpp (construction, options, properties) ----
  void BookMarkOptionsChanged(TObject* Sender);
  void SelectedColorChanged(TObject* Sender);
  void WordWrapGlyphChanged(TObject* Sender);
  void MarkListChanged(TObject* Sender);
  // ---- END SrcEdit.cpp ----

  // ---- BEGIN SrcEditCaret.cpp (caret and selection) ----
  void ClampSelPoint(TBufferCoord& P, bool NormalModeLimit) const;
  // The rows of a column selection joined by CR LF; Pad fills short rows
  // with spaces to the full width.
  std::string ColumnSelectionText(const TBufferCoord& First, const TBufferCoord& Last, bool Pad) const;
  // ---- END SrcEditCaret.cpp ----

  // ---- BEGIN SrcEditTextChange.cpp (text changes) ----
  // ReplaceSelection with Value taken exactly.
  void ReplaceSelectionRecorded(const std::string& Value);
  void RemoveSelectedText();
  void InsertTextByMode(TSrcSelectionMode Mode, const std::string& Value, bool Record);
  int InsertNormal(const std::string& Value);
  int InsertColumn(const std::string& Value, bool Record);
  int InsertWholeLines(const std::string& Value);
  // Whether Text can replace the normal span S..E line by line: it has as
  // many line breaks as the span crosses, both ends lie within their lines,
  // and line ends are not trimmed.
  bool SpanTakesLines(const TBufferCoord& S, const TBufferCoord& E, std::string_view Text) const;
  // Replaces that span by Text storing only the lines that come out
  // different (no lines inserted or deleted); the caret ends after Text.
  void ReplaceSpanByLines(const TBufferCoord& S, const TBufferCoord& E, std::string_view Text);
  // ---- END SrcEditTextChange.cpp ----

  // ---- BEGIN SrcEditUndoReplay.cpp ----
  // The replay of one item, inside the frame of UndoItem/RedoItem.
  void UndoOneItem(TSrcEditUndoItem& Item);
  void RedoOneItem(TSrcEditUndoItem& Item);
  bool ReplayPositionItem(TSrcEditUndoItem& Item, TSrcEditUndoList* Mirror);
  // A deletion and the insertion at its start of one action, replayed
  // together line by line when the lines keep their number; false (nothing
  // done) otherwise. Item is the one on top of its list.
  bool UndoReplacementByLines(TSrcEditUndoItem& Item);
  bool RedoReplacementByLines(TSrcEditUndoItem& Item);
  // A urLinesChanged item: its lines go back as they were (in Undoing,
  // the span before the change selected again) and the mirror list gets
  // the lines they replaced.
  void ReplayChangedLines(TSrcEditUndoItem& Item, TSrcEditUndoList* Mirror, bool Undoing);
  // The reason of the item UndoItem or RedoItem replayed last.
  int FLastReplayed = 0;
  // While Undo or Redo replays a whole action: its change number, that of
  // the command's first item (0 otherwise; no item has that number).
  std::uint32_t FReplayNumber = 0;
  // Whether one undo (Undoing) or redo command goes on from the item just
  // replayed (reason Done) to the next one: First and Number are the reason
  // and change number of the command's first item.
  bool ContinueReplay(int First, std::uint32_t Number, int Done, const TSrcEditUndoItem& Next, bool Undoing) const;
  // eoScrollPastEol on for the length of one replayed item.
  struct TReplayPastEol;
  // ---- END SrcEditUndoReplay.cpp ----

  // ---- BEGIN SrcEditCommands.cpp ----
  // The word characters of the word commands: the highlighter's identifier
  // characters less its word-break characters, or the default set.
  TSysCharSet WordIdentChars() const;
  // The commands (RunCommand dispatches; read-only is checked there).
  void CommandLineStart(bool Extend);
  void CommandLineEnd(bool Extend);
  // The display row the caret is shown on (word wrap: the row it ends).
  int ShownCaretRow();
  void CommandScrollLines(int Delta);
  void CommandSetMarker(int Number, void* Data);
  void CommandChar(char AChar);
  void CommandImeStr(const std::string& Value);
  void CommandLineBreak(bool MoveCaret);
  void CommandDeleteLastChar();
  void CommandDeleteChar();
  void CommandDeleteForward(bool Word);   // ecDeleteWord, ecDeleteEOL
  void CommandDeleteBackward(bool Word);  // ecDeleteLastWord, ecDeleteBOL
  void CommandDeleteLine();
  void CommandTab();
  void CommandShiftTab();
  void CommandBlockIndent();
  void CommandBlockUnindent();
  void CommandChangeCase(TSrcEditorCommand Command);
  // After typing: the view jumps right at the right edge, then follows the caret.
  void ScrollAfterTyping();
  // Typed text over a selection: urDelete, the replacement, urInsert.
  void ReplaceSelectionTyped(const std::string& Value);
  // Appends Pad to the caret line and records it as spaces added before
  // typed text (urWhiteSpaceAdd), so that undo takes exactly it away.
  void AppendPaddingRecorded(const std::string& Pad);
  // Smart tabs: the width a tab takes at a display column to reach the next
  // word of the nearest line above that reaches the column (0: none), and
  // the display column of the word start Shift+Tab goes back to (0: none).
  int SmartTabWidth(int Line, int Column);
  int SmartUntabColumn(int Line, int Column);
  // Bracket matching: tokenises a line (0-based) once and marks which of the
  // given 1-based positions lie in a string or comment token.
  void MarkQuotedBrackets(int Index, const std::string& Text, const std::vector<int>& Positions,
                          std::vector<char>& Quoted);
  // eoScrollPastEol on for the length of one command.
  struct TCommandPastEol;
  // ---- END SrcEditCommands.cpp ----

  // ---- BEGIN SrcEditViewSize.cpp ----
  // ---- END SrcEditViewSize.cpp ----

  // ---- BEGIN SrcEditPaint.cpp ----
  // The state of one text-area pass.
  struct TPaintPass;
  // The display text (tabs expanded) of a 0-based line, a NUL after it: in
  // Scratch or, for long lines, the list's own bytes (no tabs, edited in
  // place) or a cache kept until the text changes; empty beyond the list.
  std::string_view PaintLineText(int Index, std::string& Scratch);
  struct TPaintLineCacheEntry {
    std::string Text;
    int Index = -1;
    unsigned Generation = 0;
    const char* Data = nullptr;
    std::size_t Size = 0;
    int TabWidth = 0;
    unsigned LastUse = 0;
  };
  std::array<TPaintLineCacheEntry, 4> FPaintLineCache;
  unsigned FPaintLineCacheClock = 0;
  // ---- END SrcEditPaint.cpp ----

  // ---- BEGIN SrcEditScroll.cpp ----
  // Rescans from a 0-based line: lines up to ForcedLast are always scanned,
  // the following ones until a line's end state equals the stored one.
  // Returns the last line scanned.
  int ScanLines(int Index, int ForcedLast);
  // Holds the line being scanned (the highlighter keeps a pointer into it).
  std::string FScanText;
  // Scans one line from `Start` (the state its scan begins in, the
  // highlighter set to it) and returns its end state; a long line records
  // checkpoints, resumes from the last one before an edit and stops where
  // the scan meets the text before the edit again in the same state.
  int ScanLine(int Index, TSrcScanState Start);
  // Sets the highlighter to the state line Index starts in and returns it
  // (scanning the lines above it that a lazy scan left).
  TSrcScanState PrepareLineStart(int Index);
  // Lines from this 0-based one on have not been scanned (INT_MAX: none).
  int FScanLimit = INT_MAX;
  TTimer* FScanTimer = nullptr;
  // Leaves every line to the lazy scan.
  void ScanLazily();
  void ScanTimerTick(TObject* Sender);
  TSrcScanCheckpoints FScanCheckpoints;
  // Set while EditLineInPlace has the line list edit a line (its checkpoints
  // were told where).
  bool FEditingInPlace = false;
  // Changes with every change of the line list (the hooks count it).
  unsigned FLinesGeneration = 0;
  // The run of lines a load has reported and the control has not handled
  // yet (FlushLoadRun handles it: every hook and the update's end call it).
  int FLoadRunFirst = 0;
  int FLoadRunCount = 0;
  void FlushLoadRun();
  // What an insertion of Count lines at Index does to the control.
  void HandleLinesInserted(int Index, int Count);
  // ---- END SrcEditScroll.cpp ----

  // ---- BEGIN SrcEditWordWrapGlue.cpp ----
  // ---- END SrcEditWordWrapGlue.cpp ----

  // ---- BEGIN SrcEditInput.cpp ----
  // The text position under a client point (not rounded).
  TBufferCoord PixelsToBuffer(int X, int Y);
  // The row limited to 1 .. the number of display rows.
  TDisplayPoint LimitToDisplayRows(TDisplayPoint P);
  // ---- END SrcEditInput.cpp ----

  // ---- BEGIN SrcEditMessages.cpp ----
  // Shows the line-number hint of a vertical thumb drag.
  void ShowScrollHint();
  // The caret's display point as it is shown (word wrap: the end of the
  // previous row when the caret stands at the end of a wrapped row).
  TDisplayPoint ShownCaretPoint();
  // ---- END SrcEditMessages.cpp ----

  // ---- BEGIN SrcEditClipboard.cpp ----
  // The paste's opening bracket item, over the selection in force.
  void AddPasteBegin();
  // Replaces the selection with a block of the given mode, or with plain
  // text in ActiveSelectionMode, recording the items the undo replay needs.
  void PasteBlockText(TSrcSelectionMode Mode, const std::string& Text);
  void PastePlainText(const std::string& Text);
  // Where a drop target after the selection First..Last stands once the
  // selection has been removed.
  TBufferCoord DropTargetAfterRemoval(const TBufferCoord& Target, const TBufferCoord& First,
                                      const TBufferCoord& Last) const;
  // ---- END SrcEditClipboard.cpp ----

  // ---- BEGIN SrcEditBookmarks.cpp ----
  // ---- END SrcEditBookmarks.cpp ----
};

// The published form of the control (adds nothing but publication).
class TSrcEdit : public TCustomSrcEdit {
 public:
  explicit TSrcEdit(TComponent* AOwner) : TCustomSrcEdit(AOwner) {}
  const char* ClassName() const override { return "TSrcEdit"; }
};
