// Types shared by the editing control's own units: option bits, status
// changes, state flags, selection modes, caret shapes, the event types of the
// control and the buffer plug-in interface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "SrcEditTypes.h"
#include "platform/Colors.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

class TObject;
class TCanvas;
class TStrings;
class TSrcEditMark;

// ---------------------------------------------------------------------------
// Commands: an unsigned 16-bit number (the table is in SrcEditKeyCmds.h).
using TSrcEditorCommand = std::uint16_t;

// ---------------------------------------------------------------------------
// Selection modes (byte values; the clipboard block format stores them).
enum TSrcSelectionMode : std::uint8_t { smNormal = 0, smLine = 1, smColumn = 2 };

// ---------------------------------------------------------------------------
// Editor options: a 32-bit set, bit = 1 shl ordinal.
using TSrcEditorOptions = std::uint32_t;
constexpr TSrcEditorOptions eoAltSetsColumnMode = 0x1;
constexpr TSrcEditorOptions eoAutoIndent = 0x2;
constexpr TSrcEditorOptions eoAutoSizeMaxScrollWidth = 0x4;
constexpr TSrcEditorOptions eoDisableScrollArrows = 0x8;
constexpr TSrcEditorOptions eoDragDropEditing = 0x10;
constexpr TSrcEditorOptions eoDropFiles = 0x20;
constexpr TSrcEditorOptions eoEnhanceHomeKey = 0x40;
constexpr TSrcEditorOptions eoEnhanceEndKey = 0x80;
constexpr TSrcEditorOptions eoGroupUndo = 0x100;
constexpr TSrcEditorOptions eoHalfPageScroll = 0x200;
constexpr TSrcEditorOptions eoHideShowScrollbars = 0x400;
constexpr TSrcEditorOptions eoKeepCaretX = 0x800;
constexpr TSrcEditorOptions eoNoCaret = 0x1000;
constexpr TSrcEditorOptions eoNoSelection = 0x2000;
constexpr TSrcEditorOptions eoRightMouseMovesCursor = 0x4000;
constexpr TSrcEditorOptions eoScrollByOneLess = 0x8000;
constexpr TSrcEditorOptions eoScrollHintFollows = 0x10000;
constexpr TSrcEditorOptions eoScrollPastEof = 0x20000;
constexpr TSrcEditorOptions eoScrollPastEol = 0x40000;
constexpr TSrcEditorOptions eoShowScrollHint = 0x80000;
constexpr TSrcEditorOptions eoShowSpecialChars = 0x100000;
constexpr TSrcEditorOptions eoSmartTabDelete = 0x200000;
constexpr TSrcEditorOptions eoSmartTabs = 0x400000;
constexpr TSrcEditorOptions eoSpecialLineDefaultFg = 0x800000;
constexpr TSrcEditorOptions eoTabIndent = 0x1000000;
constexpr TSrcEditorOptions eoTabsToSpaces = 0x2000000;
constexpr TSrcEditorOptions eoTrimTrailingSpaces = 0x4000000;
// 0x026C0192: eoAutoIndent, eoDragDropEditing, eoEnhanceEndKey, eoGroupUndo,
// eoScrollPastEol, eoShowScrollHint, eoSmartTabDelete, eoSmartTabs,
// eoTabsToSpaces.
constexpr TSrcEditorOptions SRCEDIT_DEFAULT_OPTIONS = 0x026C0192;

// ---------------------------------------------------------------------------
// Status changes: a set, bit = 1 shl ordinal of TSrcStatusChange.
enum TSrcStatusChange : std::uint8_t {
  scAllOrd = 0,
  scCaretXOrd,
  scCaretYOrd,
  scLeftCharOrd,
  scTopLineOrd,
  scInsertModeOrd,
  scModifiedOrd,
  scSelectionOrd,
  scReadOnlyOrd
};
using TSrcStatusChanges = std::uint16_t;
constexpr TSrcStatusChanges scAll = 0x1;
constexpr TSrcStatusChanges scCaretX = 0x2;
constexpr TSrcStatusChanges scCaretY = 0x4;
constexpr TSrcStatusChanges scLeftChar = 0x8;
constexpr TSrcStatusChanges scTopLine = 0x10;
constexpr TSrcStatusChanges scInsertMode = 0x20;
constexpr TSrcStatusChanges scModified = 0x40;
constexpr TSrcStatusChanges scSelection = 0x80;
constexpr TSrcStatusChanges scReadOnly = 0x100;

// ---------------------------------------------------------------------------
// StateFlags bits of the control (16-bit set).
using TSrcStateFlags = std::uint16_t;
constexpr TSrcStateFlags sfCaretChanged = 0x0001;      // reposition the caret when the paint lock ends
constexpr TSrcStateFlags sfScrollbarChanged = 0x0002;  // update the scroll bars when the paint lock ends
constexpr TSrcStateFlags sfLinesChanging = 0x0004;     // line list inside an update: collect into PendingRect
constexpr TSrcStateFlags sfIgnoreNextChar = 0x0008;    // the next character message is swallowed
constexpr TSrcStateFlags sfCaretVisible = 0x0010;      // the system caret is shown
constexpr TSrcStateFlags sfDblClicked = 0x0020;        // a double click is in progress
constexpr TSrcStateFlags sfGutterClicked = 0x0040;     // a mouse press began in the gutter
constexpr TSrcStateFlags sfWaitForDragging = 0x0080;   // a press on the selection waits for the drag threshold
constexpr TSrcStateFlags sfGutterDragging = 0x0100;    // a selection begun in the gutter reached another line

// ---------------------------------------------------------------------------
// Enumerations of the published properties.
enum TSrcEditCaretType : std::uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollHintFormat : std::uint8_t { shfTopLineOnly, shfTopToBottom };
enum TSrcReplaceAction : std::uint8_t { raCancel, raSkip, raReplace, raReplaceAll };
enum TTransientType : std::uint8_t { ttBefore, ttAfter };
// The control's scroll bars (scoped: the toolkit's StdCtrls.h has its own
// TScrollStyle with the same enumerator names) and the kind of bar in a
// scroll event.
enum class TSrcScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// ---------------------------------------------------------------------------
// The control's exception class (clipboard failures).
BQS_DECLARE_EXCEPTION(ESrcEditError, Exception);

// ---------------------------------------------------------------------------
// Buffer plug-in: the word-wrap plug-in answers every conversion between
// buffer positions and display points while it is installed.
class ISrcEditBufferPlugin {
 public:
  virtual ~ISrcEditBufferPlugin() = default;
  virtual TDisplayPoint BufferToDisplayPos(const TBufferCoord& pos) = 0;
  virtual TBufferCoord DisplayToBufferPos(const TDisplayPoint& pos) = 0;
  virtual int RowCount() = 0;
  virtual int GetRowLength(int row) = 0;                // row 1-based
  virtual int LinesInserted(int index, int count) = 0;  // index 0-based; change in rows
  virtual int LinesDeleted(int index, int count) = 0;   // rows removed
  virtual int LinesReplaced(int index, int count) = 0;  // change in rows
  virtual void DisplayChanged() = 0;
  virtual void Reset() = 0;
};

// ---------------------------------------------------------------------------
// Event types of the control (the first argument is always the sender).
using TPlaceMarkEvent = std::function<void(TObject* Sender, TSrcEditMark*& Mark)>;
using TProcessCommandEvent = std::function<void(TObject* Sender, TSrcEditorCommand& Command, char& AChar, void* Data)>;
using TContextHelpEvent = std::function<void(TObject* Sender, const std::string& Word)>;
using TDropFilesEvent = std::function<void(TObject* Sender, int X, int Y, TStrings* AFiles)>;
// Button is the toolkit's TMouseButton as an int (mbLeft 0, mbRight 1, mbMiddle 2).
using TGutterClickEvent = std::function<void(TObject* Sender, int Button, int X, int Y, int Line, TSrcEditMark* Mark)>;
using TGutterGetTextEvent = std::function<void(TObject* Sender, int aLine, std::string& aText)>;
using TGutterPaintEvent = std::function<void(TObject* Sender, int aLine, int X, int Y)>;
// aCursor: the toolkit's TCursor (crIBeam, crArrow, ...).
using TMouseCursorEvent = std::function<void(TObject* Sender, const TBufferCoord& aLineCharPos, int& aCursor)>;
using TPaintEvent = std::function<void(TObject* Sender, TCanvas* ACanvas)>;
using TPaintTransient = std::function<void(TObject* Sender, TCanvas* Canvas, TTransientType TransientType)>;
using TReplaceTextEvent = std::function<void(TObject* Sender, const std::string& ASearch, const std::string& AReplace,
                                             int Line, int Column, TSrcReplaceAction& Action)>;
using TScrollEvent = std::function<void(TObject* Sender, TScrollBarKind ScrollBar)>;
using TSpecialLineColorsEvent = std::function<void(TObject* Sender, int Line, bool& Special, TColor& FG, TColor& BG)>;
using TStatusChangeEvent = std::function<void(TObject* Sender, TSrcStatusChanges Changes)>;
// Command hooks (none is registered in this system).
using THookedCommandEvent = std::function<void(TObject* Sender, bool AfterProcessing, bool& Handled,
                                               TSrcEditorCommand& Command, char& AChar, void* Data, void* HandlerData)>;
