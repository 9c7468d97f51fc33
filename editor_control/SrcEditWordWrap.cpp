// Word wrap as a buffer plug-in of the editing control (see the header for
// the layout of the bookkeeping).
#include "SrcEditWordWrap.h"
#include "SrcEditMiscProcs.h"

#include <algorithm>
#include <climits>
#include <string>

#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

[[noreturn]] void AssertionFailure(int line) {
  throw EAssertionFailed(Format("Assertion failure (SrcEditWordWrap.cpp, line %d)", line));
}

#define SRC_WRAP_ASSERT(cond)                \
  do {                                       \
    if (!(cond)) AssertionFailure(__LINE__); \
  } while (0)

// Highest power of two not above n (n >= 1).
int HighBit(int n) {
  int b = 1;
  while (b <= n / 2) b *= 2;
  return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// Wrapping one line

int TSrcWordWrapPlugin::BlankRunLimit(int AMaxRowLength) {
  // Trailing blanks stay on their row up to 255 columns; a window wider than
  // that keeps them within its own width.
  return std::max(255, AMaxRowLength);
}

int TSrcWordWrapPlugin::WrapText(std::string_view AText, int AMaxRowLength, int AMinRowLength, int ATabWidth,
                                 const TSysCharSet& ABreakChars, std::vector<std::int32_t>& RowStarts) {
  RowStarts.clear();
  const std::int64_t end = static_cast<std::int64_t>(AText.size());
  const std::int64_t maxLen = std::max(1, AMaxRowLength);
  const std::int64_t minLen = std::max(1, AMinRowLength);
  const std::int64_t limit = BlankRunLimit(AMaxRowLength);
  const bool dbcs = SysLocaleFarEast();
  std::int64_t boundary = 0;  // double-byte text: next character start scanned to
  auto insideCharacter = [&](std::int64_t pos) {
    while (boundary < pos) boundary += IsAnsiLeadByte(static_cast<unsigned char>(AText[boundary])) ? 2 : 1;
    return boundary != pos;
  };
  auto at = [&](std::int64_t pos) { return AText[static_cast<std::size_t>(pos)]; };

  std::int64_t start = 0;
  while (start + maxLen < end) {
    const std::int64_t candidate = start + maxLen;
    std::int64_t cut = candidate;
    if (IsBlank(at(candidate))) {
      // The run of blanks stays at the end of the row (looked at only as far
      // as the row may reach).
      while (cut < end && IsBlank(at(cut)) && cut - start <= limit) ++cut;
    } else {
      for (std::int64_t p = candidate - 1; p >= start + minLen + 1; --p) {
        if (ABreakChars.Contains(at(p))) {
          cut = p + 1;
          break;
        }
      }
    }
    if (cut - start > limit) {
      cut = start + limit;
      // Keep the columns of one tab together: back to the tab stop, as long
      // as the row keeps something.
      if (at(cut) == '\t' && ATabWidth > 1) {
        const std::int64_t stop = cut - cut % ATabWidth;
        std::int64_t p = cut;
        while (p > stop && at(p - 1) == '\t') --p;
        if (p > start) cut = p;
      }
    }
    if (dbcs && cut < end && insideCharacter(cut)) {
      // Never split a double-byte character; a row too narrow for one takes
      // it whole.
      if (cut - 1 > start)
        --cut;
      else
        ++cut;
    }
    RowStarts.push_back(static_cast<std::int32_t>(cut));
    start = cut;
  }
  // A run of blanks that reached the end of the text closed the last row.
  if (!RowStarts.empty() && RowStarts.back() >= end) RowStarts.pop_back();
  return static_cast<int>(RowStarts.size()) + 1;
}

// ---------------------------------------------------------------------------
// Construction and settings

TSrcWordWrapPlugin::TSrcWordWrapPlugin(TCustomSrcEdit* AOwner) : FEditor(AOwner) {
  if (!AOwner) throw Exception("TSrcWordWrapPlugin must be owned by TCustomSrcEdit");
  Reset();
}

TSrcWordWrapPlugin::~TSrcWordWrapPlugin() = default;

void TSrcWordWrapPlugin::TakeSettings() {
  FMaxRowLength = std::max(0, FEditor->CharsInWindow());
  FMinRowLength = std::max(1, FMaxRowLength - FMaxRowLength / 3);
  FTabWidth = FEditor->TabWidth();
  const TSysCharSet word = FEditor->WordCharSet();
  FBreakChars = TSysCharSet();
  for (int c = 0; c < 256; ++c)
    if (!word.Contains(c)) FBreakChars.Include(static_cast<unsigned char>(c));
}

void TSrcWordWrapPlugin::DropAll() {
  std::vector<TLineRows>().swap(FLines);
  std::vector<std::int32_t>().swap(FPool);
  std::vector<std::int64_t>().swap(FTree);
  FPoolGarbage = 0;
  FStaleFrom = 0;
  FTotalRows = 0;
}

void TSrcWordWrapPlugin::Reset() {
  TakeSettings();
  const int count = FEditor->Lines()->GetCount();
  if (count == 0 || FMaxRowLength == 0) {
    DropAll();
    return;
  }
  FLines.assign(static_cast<std::size_t>(count), TLineRows{});
  FPool.clear();
  FPoolGarbage = 0;
  FTotalRows = 0;
  for (int i = 0; i < count; ++i) {
    TLineRows& line = FLines[static_cast<std::size_t>(i)];
    line.Rows = 0;
    FTotalRows += WrapLine(i, line);
  }
  FStaleFrom = 0;
}

void TSrcWordWrapPlugin::DisplayChanged() {
  if (FEditor->CharsInWindow() != FMaxRowLength) Reset();
}

// ---------------------------------------------------------------------------
// Per-line rows

int TSrcWordWrapPlugin::WrapLine(int AIndex, TLineRows& Line) {
  TSrcEditStringList* lines = FEditor->Lines();
  std::string_view text = lines->LineView(AIndex);
  std::string expanded;
  if ((lines->GetLineFlags(AIndex) & lfHasNoTabs) == 0 && text.find('\t') != std::string_view::npos) {
    expanded = lines->GetExpandedLine(AIndex);
    text = expanded;
  }
  ++FWrapCount;
  const int rows = WrapText(text, FMaxRowLength, FMinRowLength, FTabWidth, FBreakChars, FScratch);
  const int oldRows = Line.Rows;
  const std::int32_t need = rows - 1;
  if (need > Line.Cap) {
    ReleasePool(Line);
    // Lines that grow again get some room to grow into.
    const std::size_t cap = static_cast<std::size_t>(need) + (oldRows > 1 ? static_cast<std::size_t>(need) / 4 : 0);
    if (FPool.size() + cap > UINT32_MAX) throw EOutOfMemory("Out of memory");
    Line.Pool = static_cast<std::uint32_t>(FPool.size());
    Line.Cap = static_cast<std::int32_t>(cap);
    FPool.resize(FPool.size() + cap);
  }
  std::copy(FScratch.begin(), FScratch.end(), FPool.begin() + Line.Pool);
  Line.Rows = rows;
  Line.Length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT_MAX));
  CompactPool();
  return rows - oldRows;
}

void TSrcWordWrapPlugin::ReleasePool(TLineRows& Line) {
  FPoolGarbage += static_cast<std::size_t>(Line.Cap);
  Line.Cap = 0;
  Line.Pool = 0;
}

void TSrcWordWrapPlugin::CompactPool() {
  // Worth it once the unused entries outweigh both the used ones and the
  // walk over the lines.
  if (FPoolGarbage < 4096 || FPoolGarbage < FPool.size() / 2 || FPoolGarbage < FLines.size()) return;
  std::vector<std::int32_t> pool;
  pool.reserve(FPool.size() - FPoolGarbage);
  for (TLineRows& line : FLines) {
    if (line.Cap == 0) continue;
    const std::uint32_t at = static_cast<std::uint32_t>(pool.size());
    pool.insert(pool.end(), FPool.begin() + line.Pool, FPool.begin() + line.Pool + line.Cap);
    line.Pool = at;
  }
  FPool.swap(pool);
  FPoolGarbage = 0;
}

std::int32_t TSrcWordWrapPlugin::RowStart(const TLineRows& Line, int ARowInLine) const {
  return ARowInLine <= 1 ? 0 : FPool[Line.Pool + static_cast<std::uint32_t>(ARowInLine - 2)];
}

int TSrcWordWrapPlugin::RowLengthIn(const TLineRows& Line, int ARowInLine) const {
  const std::int32_t next = ARowInLine >= Line.Rows ? Line.Length : RowStart(Line, ARowInLine + 1);
  return next - RowStart(Line, ARowInLine);
}

int TSrcWordWrapPlugin::LineRowCount(int AIndex) const {
  if (AIndex < 0 || AIndex >= LineCount()) return 0;
  return FLines[static_cast<std::size_t>(AIndex)].Rows;
}

// ---------------------------------------------------------------------------
// The tree of rows per line

void TSrcWordWrapPlugin::MarkStale(int AIndex) { FStaleFrom = std::min(FStaleFrom, AIndex); }

void TSrcWordWrapPlugin::EnsureTree() {
  const int n = LineCount();
  if (FStaleFrom >= n) {
    FStaleFrom = n;
    return;
  }
  FTree.resize(static_cast<std::size_t>(n) + 1);
  const int s = FStaleFrom;
  for (int k = s + 1; k <= n; ++k) FTree[static_cast<std::size_t>(k)] = FLines[static_cast<std::size_t>(k - 1)].Rows;
  // The valid nodes that reach into the rebuilt part are those that sum up
  // the rows before line s.
  for (int k = s; k > 0; k -= k & -k) {
    const std::int64_t parent = static_cast<std::int64_t>(k) + (k & -k);
    if (parent <= n) FTree[static_cast<std::size_t>(parent)] += FTree[static_cast<std::size_t>(k)];
  }
  for (int k = s + 1; k <= n; ++k) {
    const std::int64_t parent = static_cast<std::int64_t>(k) + (k & -k);
    if (parent <= n) FTree[static_cast<std::size_t>(parent)] += FTree[static_cast<std::size_t>(k)];
  }
  FStaleFrom = n;
}

void TSrcWordWrapPlugin::TreeAdd(int AIndex, std::int64_t ADelta) {
  if (ADelta == 0) return;
  // Nodes past FStaleFrom are rebuilt from the rows when next read.
  for (std::int64_t k = static_cast<std::int64_t>(AIndex) + 1; k <= FStaleFrom; k += k & -k)
    FTree[static_cast<std::size_t>(k)] += ADelta;
}

std::int64_t TSrcWordWrapPlugin::RowsBefore(int AIndex) {
  EnsureTree();
  std::int64_t sum = 0;
  for (int k = AIndex; k > 0; k -= k & -k) sum += FTree[static_cast<std::size_t>(k)];
  return sum;
}

int TSrcWordWrapPlugin::LineOfRow(std::int64_t ARow, int& RowInLine) {
  EnsureTree();
  const int n = LineCount();
  int pos = 0;
  std::int64_t rest = ARow;
  for (int step = HighBit(n); step > 0; step /= 2) {
    const int next = pos + step;
    if (next <= n && FTree[static_cast<std::size_t>(next)] < rest) {
      pos = next;
      rest -= FTree[static_cast<std::size_t>(next)];
    }
  }
  RowInLine = static_cast<int>(rest);
  return pos;
}

// ---------------------------------------------------------------------------
// Conversions

int TSrcWordWrapPlugin::RowCount() { return ClampToInt(FTotalRows); }

int TSrcWordWrapPlugin::GetRowLength(int ARow) {
  if (ARow < 1 || ARow > FTotalRows) throw EListError(Format("List index out of bounds (%d)", ARow));
  int rowInLine = 0;
  const int index = LineOfRow(ARow, rowInLine);
  return RowLengthIn(FLines[static_cast<std::size_t>(index)], rowInLine);
}

TDisplayPoint TSrcWordWrapPlugin::BufferToDisplayPos(const TBufferCoord& APos) {
  SRC_WRAP_ASSERT(APos.Char >= 1 && APos.Line >= 1);
  const int n = LineCount();
  if (APos.Line > n) return DisplayCoord(APos.Char, ClampToInt(FTotalRows + APos.Line - static_cast<std::int64_t>(n)));
  const TLineRows& line = FLines[static_cast<std::size_t>(APos.Line - 1)];
  // The row whose text reaches the character (the last row for a place past
  // the end): the first of the later row starts at or after the character.
  int row = line.Rows;
  if (line.Rows > 1) {
    const auto first = FPool.begin() + line.Pool;
    const auto last = first + (line.Rows - 1);
    const auto it = std::lower_bound(first, last, APos.Char);
    if (it != last) row = static_cast<int>(it - first) + 1;
  }
  const std::int64_t before = RowsBefore(APos.Line - 1);
  return DisplayCoord(APos.Char - RowStart(line, row), ClampToInt(before + row));
}

TBufferCoord TSrcWordWrapPlugin::DisplayToBufferPos(const TDisplayPoint& APos) {
  SRC_WRAP_ASSERT(APos.Column >= 1 && APos.Row >= 1);
  if (APos.Row > FTotalRows)
    return BufferCoord(APos.Column, ClampToInt(APos.Row + static_cast<std::int64_t>(LineCount()) - FTotalRows));
  int rowInLine = 0;
  const int index = LineOfRow(APos.Row, rowInLine);
  const TLineRows& line = FLines[static_cast<std::size_t>(index)];
  const std::int64_t bound =
      rowInLine == line.Rows ? static_cast<std::int64_t>(FMaxRowLength) + 1 : RowLengthIn(line, rowInLine) + 1;
  const std::int64_t column = std::min<std::int64_t>(APos.Column, bound);
  return BufferCoord(ClampToInt(column + RowStart(line, rowInLine)), index + 1);
}

// ---------------------------------------------------------------------------
// Line changes

int TSrcWordWrapPlugin::LinesInserted(int AIndex, int ACount) {
  if (FMaxRowLength == 0) return 0;
  SRC_WRAP_ASSERT(AIndex >= 0 && ACount > 0 && AIndex <= LineCount());
  FLines.insert(FLines.begin() + AIndex, static_cast<std::size_t>(ACount), TLineRows{});
  MarkStale(AIndex);
  std::int64_t delta = 0;
  for (int i = AIndex; i < AIndex + ACount; ++i) {
    TLineRows& line = FLines[static_cast<std::size_t>(i)];
    line.Rows = 0;
    delta += WrapLine(i, line);
  }
  FTotalRows += delta;
  return ClampToInt(delta);
}

int TSrcWordWrapPlugin::LinesDeleted(int AIndex, int ACount) {
  if (FMaxRowLength == 0) return 0;
  SRC_WRAP_ASSERT(AIndex >= 0 && ACount > 0 && static_cast<std::int64_t>(AIndex) + ACount <= LineCount());
  std::int64_t removed = 0;
  const auto first = FLines.begin() + AIndex;
  const auto last = first + ACount;
  for (auto it = first; it != last; ++it) {
    removed += it->Rows;
    ReleasePool(*it);
  }
  FLines.erase(first, last);
  MarkStale(AIndex);
  FTotalRows -= removed;
  CompactPool();
  return ClampToInt(removed);
}

int TSrcWordWrapPlugin::LinesReplaced(int AIndex, int ACount) {
  if (FMaxRowLength == 0) return 0;
  SRC_WRAP_ASSERT(AIndex >= 0 && ACount > 0 && static_cast<std::int64_t>(AIndex) + ACount <= LineCount());
  std::int64_t delta = 0;
  for (int i = AIndex; i < AIndex + ACount; ++i) {
    const int d = WrapLine(i, FLines[static_cast<std::size_t>(i)]);
    TreeAdd(i, d);
    delta += d;
  }
  FTotalRows += delta;
  return ClampToInt(delta);
}
