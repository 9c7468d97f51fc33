// Scanner checkpoints inside long lines: the highlighter's resume points,
// one every few kilobytes of a line, so that painting far into the line and
// rescanning it after an edit resume from the nearest one instead of the
// line's start.
#pragma once

#include <climits>
#include <map>
#include <vector>

#include "SrcEditHighlighter.h"

class TSrcEditStringList;

struct TSrcScanCheckpoint {
  int Pos;              // 0-based byte of the line where a token starts
  TSrcScanState State;  // what ResumeLine takes there
};

class TSrcScanCheckpoints {
 public:
  // Lines this long get checkpoints, this far apart.
  static constexpr int kMinLine = 16 * 1024;
  static constexpr int kSpacing = 4 * 1024;

  // The points of a line: valid ones first (Valid() of them), then those of
  // the text before pending edits, shifted, which a rescan may only compare
  // with (an equal state there means the rest of the line is unchanged).
  struct TLine {
    std::vector<TSrcScanCheckpoint> Points;
    std::size_t Valid = 0;
    // The state the line starts in (the end state of the line above):
    // the points hold only for that one.
    TSrcScanState StartState = 0;
  };

  // The line's points for a scan starting in `startState`; null when it
  // has none or they were found from another start state.
  const TLine* Find(int line, TSrcScanState startState) const;
  // The line's points whatever their start state; null when it has none.
  const TLine* Get(int line) const;
  // The last valid point at or before `pos`, or null.
  const TSrcScanCheckpoint* Before(int line, TSrcScanState startState, int pos) const;
  void Store(int line, TLine&& points);
  void Drop(int line);
  void Clear() { FLines.clear(); }
  bool Empty() const { return FLines.empty(); }

  // Keep the line numbers in step with the list.
  void LinesInserted(int index, int count);
  void LinesDeleted(int index, int count);
  // `removed` bytes at `pos` of `line` became `inserted` bytes: the valid
  // points at least `margin` before the edit stay valid, the points at least
  // `margin` after it move with the text and are kept for comparison only,
  // the rest go.
  void Edited(int line, int pos, int removed, int inserted, int margin);

 private:
  std::map<int, TLine> FLines;
};
