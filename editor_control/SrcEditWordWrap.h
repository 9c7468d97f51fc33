// Word wrap as a buffer plug-in of the editing control.
//
// While TSrcEdit::WordWrap is on, the control holds one TSrcWordWrapPlugin
// and sends every conversion between buffer positions and display points,
// the display row count and the length of a row through it. The plug-in
// keeps, per line, the rows it occupies and where each row starts in the
// line's tab-expanded text, and rewraps only the lines it is told about.
//
// Layout of the bookkeeping:
// - one record per line: its number of rows, its expanded length and where
//   the start columns of its second and later rows lie in a shared pool
//   (a line of one row takes no pool space);
// - a binary indexed tree over the rows per line gives the rows up to any
//   line and the line owning any row in O(log lines). Lines inserted or
//   deleted in the middle only mark the tree stale from that line on; the
//   tree is rebuilt from there when it is next read, so appending lines one
//   by one (loading) and storing consecutive lines (pasting) stay linear.
// - the row count is kept as a running total.
// Every row but a line's last ends after a run of blanks, after a break
// character found beyond the minimum row length, or at the maximum row
// length (the window's width in characters), and never inside a
// double-byte character; every row holds at least one character.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "SrcEditTypesEx.h"
#include "platform/Types.h"

class TCustomSrcEdit;

class TSrcWordWrapPlugin : public ISrcEditBufferPlugin {
 public:
  // Raises Exception "TSrcWordWrapPlugin must be owned by TCustomSrcEdit"
  // without an editor; otherwise wraps every line at once.
  explicit TSrcWordWrapPlugin(TCustomSrcEdit* AOwner);
  ~TSrcWordWrapPlugin() override;

  // Buffer point (expanded column, line; both positive) to display point.
  TDisplayPoint BufferToDisplayPos(const TBufferCoord& APos) override;
  // Display point (column, row; both positive) to (expanded column, line).
  TBufferCoord DisplayToBufferPos(const TDisplayPoint& APos) override;
  int RowCount() override;
  // Characters in a display row; outside 1..RowCount raises EListError
  // "List index out of bounds (%d)".
  int GetRowLength(int ARow) override;
  int LinesInserted(int AIndex, int ACount) override;
  int LinesDeleted(int AIndex, int ACount) override;
  int LinesReplaced(int AIndex, int ACount) override;
  // Rewraps everything when the window's width in characters changed.
  void DisplayChanged() override;
  // Takes the width, the break characters and the tab expansion anew and
  // rewraps everything.
  void Reset() override;

  TCustomSrcEdit* Editor() const { return FEditor; }
  int MaxRowLength() const { return FMaxRowLength; }
  int MinRowLength() const { return FMinRowLength; }
  // Lines known to the plug-in (0 while the bookkeeping is off).
  int LineCount() const { return static_cast<int>(FLines.size()); }
  // Rows of a 0-based line (0 outside the known lines).
  int LineRowCount(int AIndex) const;
  // Lines wrapped since creation (every reset, insertion and replacement
  // wraps the lines concerned once).
  std::int64_t WrapCount() const { return FWrapCount; }

  // The widest row a run of blanks may stretch to at a given maximum row
  // length.
  static int BlankRunLimit(int AMaxRowLength);
  // Wraps one expanded line: the start column (0-based) of every row but
  // the first goes to RowStarts (cleared first); the result is the number
  // of rows (at least 1). Break says which bytes may end a row.
  static int WrapText(std::string_view AText, int AMaxRowLength, int AMinRowLength, int ATabWidth,
                      const TSysCharSet& ABreakChars, std::vector<std::int32_t>& RowStarts);

 private:
  struct TLineRows {
    std::int32_t Rows = 1;    // display rows of the line
    std::int32_t Length = 0;  // expanded length
    std::int32_t Cap = 0;     // pool entries reserved for rows 2..
    std::uint32_t Pool = 0;   // first pool entry (start column of row 2)
  };

  void TakeSettings();
  void DropAll();
  // Wraps a 0-based line of the editor into Line (the pool range is
  // reused when it is large enough); returns the change in its rows.
  int WrapLine(int AIndex, TLineRows& Line);
  void ReleasePool(TLineRows& Line);
  void CompactPool();
  std::int32_t RowStart(const TLineRows& Line, int ARowInLine) const;  // 1-based row of the line
  int RowLengthIn(const TLineRows& Line, int ARowInLine) const;

  // The tree: FTree[k] (1-based) covers lines k - lowbit(k) .. k - 1.
  void MarkStale(int AIndex);
  void EnsureTree();
  void TreeAdd(int AIndex, std::int64_t ADelta);
  std::int64_t RowsBefore(int AIndex);  // rows of lines 0 .. AIndex - 1
  // The 0-based line owning a row (1 .. FTotalRows) and the row's
  // 1-based number inside that line.
  int LineOfRow(std::int64_t ARow, int& RowInLine);

  TCustomSrcEdit* FEditor;
  std::vector<TLineRows> FLines;
  std::vector<std::int32_t> FPool;
  std::size_t FPoolGarbage = 0;
  std::vector<std::int64_t> FTree;
  int FStaleFrom = 0;  // tree entries 1..FStaleFrom are valid
  std::int64_t FTotalRows = 0;
  int FMaxRowLength = 0;
  int FMinRowLength = 1;
  int FTabWidth = 8;
  TSysCharSet FBreakChars;
  std::vector<std::int32_t> FScratch;
  std::int64_t FWrapCount = 0;
};
