// Coordinate records of the editing control.
#pragma once

#include <cstdint>

// A position in the text as stored: 1-based byte index into the line (a tab
// counts as one) and 1-based line.
struct TBufferCoord {
  std::int32_t Char = 0;
  std::int32_t Line = 0;
  friend constexpr bool operator==(const TBufferCoord& a, const TBufferCoord& b) {
    return a.Char == b.Char && a.Line == b.Line;
  }
  friend constexpr bool operator!=(const TBufferCoord& a, const TBufferCoord& b) { return !(a == b); }
};

// A position on the screen grid: 1-based display column (after tab
// expansion) and 1-based display row (after word wrap).
struct TDisplayPoint {
  std::int32_t Column = 0;
  std::int32_t Row = 0;
  friend constexpr bool operator==(const TDisplayPoint& a, const TDisplayPoint& b) {
    return a.Column == b.Column && a.Row == b.Row;
  }
  friend constexpr bool operator!=(const TDisplayPoint& a, const TDisplayPoint& b) { return !(a == b); }
};

constexpr TBufferCoord BufferCoord(std::int32_t aChar, std::int32_t aLine) {
  TBufferCoord r;
  r.Char = aChar;
  r.Line = aLine;
  return r;
}

constexpr TDisplayPoint DisplayCoord(std::int32_t aColumn, std::int32_t aRow) {
  TDisplayPoint r;
  r.Column = aColumn;
  r.Row = aRow;
  return r;
}
