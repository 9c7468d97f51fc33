#include "SrcEditMiscProcs.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

int ClampInt(int value, int lower, int upper) { return std::max(std::min(value, upper), lower); }

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::max<std::int64_t>(INT_MIN, std::min<std::int64_t>(INT_MAX, value)));
}

void SwapInts(int& a, int& b) { std::swap(a, b); }

TBufferCoord EarlierPoint(const TBufferCoord& a, const TBufferCoord& b) {
  if (b.Line < a.Line || (b.Line == a.Line && b.Char < a.Char)) return b;
  return a;
}

bool PointBefore(const TBufferCoord& a, const TBufferCoord& b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
}

const TSysCharSet& DefaultIdentChars() {
  static const TSysCharSet s = [] {
    TSysCharSet r;
    r.IncludeRange('0', '9').IncludeRange('A', 'Z').Include('_').IncludeRange('a', 'z');
    r.Include(168).Include(184).IncludeRange(192, 255);
    return r;
  }();
  return s;
}

const TSysCharSet& DefaultWordBreakChars() {
  static const TSysCharSet s(std::string_view("!\"'()*+,-./:;=?[\\]^{|}"));
  return s;
}

bool FindFirstTab(const std::string& line, int& count) {
  std::size_t p = line.find('\t');
  if (p == std::string::npos) {
    count = static_cast<int>(std::min<std::size_t>(line.size(), 0x7FFFFFFF));
    return false;
  }
  count = static_cast<int>(p);
  return true;
}

namespace {

// Next tab stop strictly above column c (0-based).
inline std::int64_t NextTabStop(std::int64_t c, std::int64_t width) { return c + width - c % width; }
inline std::int64_t NextTabStopMask(std::int64_t c, std::int64_t width) { return (c + width) & ~(width - 1); }

// Walks the line from its first tab (at `first`) and returns the output
// length; `next` gives the tab stop after a column.
template <class Next>
std::int64_t ExpandedSize(std::string_view line, std::size_t first, std::int64_t width, Next next) {
  const char* p = line.data();
  std::size_t n = line.size(), i = first;
  std::int64_t col = static_cast<std::int64_t>(first);
  while (i < n) {
    // here line[i] is a tab
    col = next(col, width);
    ++i;
    const void* t = std::memchr(p + i, '\t', n - i);
    std::size_t j = t ? static_cast<std::size_t>(static_cast<const char*>(t) - p) : n;
    col += static_cast<std::int64_t>(j - i);
    i = j;
  }
  return col;
}

template <class Next>
std::string ExpandWith(const std::string& line, int tabWidth, bool& hasTabs, Next next) {
  int count;
  if (!FindFirstTab(line, count)) {
    hasTabs = false;
    return line;
  }
  hasTabs = true;
  std::int64_t width = tabWidth;
  std::size_t first = static_cast<std::size_t>(count);
  std::int64_t size = ExpandedSize(line, first, width, next);
  if (size > MaxExpandedLineLength) throw EOutOfMemory();
  std::string out;
  out.resize(static_cast<std::size_t>(size));
  char* o = &out[0];
  const char* p = line.data();
  std::size_t n = line.size();
  std::memcpy(o, p, first);
  std::int64_t col = static_cast<std::int64_t>(first);
  std::size_t i = first;
  while (i < n) {
    std::int64_t to = next(col, width);
    std::memset(o + col, '\t', static_cast<std::size_t>(to - col));
    col = to;
    ++i;
    const void* t = std::memchr(p + i, '\t', n - i);
    std::size_t j = t ? static_cast<std::size_t>(static_cast<const char*>(t) - p) : n;
    std::memcpy(o + col, p + i, j - i);
    col += static_cast<std::int64_t>(j - i);
    i = j;
  }
  return out;
}

}  // namespace

std::string ExpandTabsOneToOne(const std::string& line, int tabWidth, bool& hasTabs) {
  int count;
  if (!FindFirstTab(line, count)) {
    hasTabs = false;
    return line;
  }
  hasTabs = true;
  std::string out = line;
  std::replace(out.begin() + count, out.end(), '\t', ' ');
  return out;
}

std::string ExpandTabsMask(const std::string& line, int tabWidth, bool& hasTabs) {
  if (tabWidth <= 1) return ExpandTabsOneToOne(line, tabWidth, hasTabs);
  if (!IsTabWidthPowerOfTwo(tabWidth)) return ExpandTabs(line, tabWidth, hasTabs);
  return ExpandWith(line, tabWidth, hasTabs, NextTabStopMask);
}

std::string ExpandTabs(const std::string& line, int tabWidth, bool& hasTabs) {
  if (tabWidth <= 1) return ExpandTabsOneToOne(line, tabWidth, hasTabs);
  return ExpandWith(line, tabWidth, hasTabs, NextTabStop);
}

bool IsTabWidthPowerOfTwo(int tabWidth) {
  int n = 2;
  while (n < tabWidth && n < 0x10000) n <<= 1;
  return n == tabWidth;
}

TExpandTabsProc SelectTabExpander(int tabWidth) {
  if (tabWidth <= 1) return &ExpandTabsOneToOne;
  if (IsTabWidthPowerOfTwo(tabWidth)) return &ExpandTabsMask;
  return &ExpandTabs;
}

std::int64_t ExpandedLength64(std::string_view line, int tabWidth) {
  std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return static_cast<std::int64_t>(line.size());
  return ExpandedSize(line, first, std::max(tabWidth, 1), NextTabStop);
}

int ExpandedLength(std::string_view line, int tabWidth) { return ClampToInt(ExpandedLength64(line, tabWidth)); }

int CharIndexToColumn(int index, int tabWidth, const std::string& line) {
  if (index <= 1) return 1;
  int count;
  if (tabWidth <= 1 || !FindFirstTab(line, count)) return index;
  if (static_cast<std::int64_t>(count) + 1 >= index) return index;
  std::int64_t col = count;
  std::int64_t steps = static_cast<std::int64_t>(index) - count - 1;
  std::size_t i = static_cast<std::size_t>(count), n = line.size();
  while (steps > 0) {
    if (i >= n) {
      col += steps;
      break;
    }
    if (line[i] == '\t')
      col = NextTabStop(col, tabWidth);
    else
      ++col;
    ++i;
    --steps;
  }
  return ClampToInt(col + 1);
}

bool IsTrailByte(std::string_view text, std::int64_t pos) {
  const auto length = static_cast<std::int64_t>(text.size());
  if (!SysLocaleFarEast() || pos < 2 || pos > length) return false;
  std::int64_t i = 1;
  while (i < pos) i += IsAnsiLeadByte(static_cast<unsigned char>(text[static_cast<std::size_t>(i - 1)])) ? 2 : 1;
  return i > pos;
}

namespace {

inline unsigned char ByteAt(const std::string& line, int pos) {
  return static_cast<unsigned char>(line[static_cast<std::size_t>(pos) - 1]);
}

}  // namespace

int ScanForCharInSet(const std::string& line, int start, const TSysCharSet& chars) {
  int len = static_cast<int>(std::min<std::size_t>(line.size(), 0x7FFFFFFF));
  if (start <= 0 || start > len) return 0;
  if (!SysLocaleFarEast()) {
    for (int p = start; p <= len; ++p)
      if (chars.Contains(ByteAt(line, p))) return p;
    return 0;
  }
  if (IsTrailByte(line, start)) {
    ++start;
    if (start > len) return 0;
  }
  int p = start;
  while (p <= len) {
    unsigned char c = ByteAt(line, p);
    if (IsAnsiLeadByte(c)) {
      if (p + 1 > len) return 0;  // the pair is cut by the end of the line
      p += 2;
    } else if (chars.Contains(c)) {
      return p;
    } else {
      ++p;
    }
  }
  return 0;
}

int ReverseScanForCharInSet(const std::string& line, int start, const TSysCharSet& chars) {
  int len = static_cast<int>(std::min<std::size_t>(line.size(), 0x7FFFFFFF));
  if (start <= 0 || start > len) return 0;
  if (!SysLocaleFarEast()) {
    for (int p = start; p >= 1; --p)
      if (chars.Contains(ByteAt(line, p))) return p;
    return 0;
  }
  int result = 0;
  int p = 1;
  while (p <= start) {
    unsigned char c = ByteAt(line, p);
    if (IsAnsiLeadByte(c)) {
      p += 2;
    } else {
      if (chars.Contains(c)) result = p;
      ++p;
    }
  }
  return result;
}

int ScanForLeadByte(const std::string& line, int start) {
  int len = static_cast<int>(std::min<std::size_t>(line.size(), 0x7FFFFFFF));
  if (!SysLocaleFarEast() || start <= 0 || start > len) return 0;
  if (IsTrailByte(line, start)) {
    ++start;
    if (start > len) return 0;
  }
  for (int p = start; p <= len; ++p)
    if (IsAnsiLeadByte(ByteAt(line, p))) return p;
  return 0;
}

int ReverseScanForLeadByte(const std::string& line, int start) {
  int len = static_cast<int>(std::min<std::size_t>(line.size(), 0x7FFFFFFF));
  if (!SysLocaleFarEast() || start <= 0 || start > len) return 0;
  int result = 0;
  int p = 1;
  while (p <= start) {
    if (IsAnsiLeadByte(ByteAt(line, p))) {
      result = p;
      p += 2;
    } else {
      ++p;
    }
  }
  return result;
}

const char* FindLineEnd(const char* p) {
  if (!p) return nullptr;
  while (*p != '\0' && *p != '\r' && *p != '\n') ++p;
  return p;
}

const char* FindLineEnd(const char* p, const char* end) {
  if (!p) return nullptr;
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
}

int WordCharClass(std::uint16_t f) {
  if (f == C3_SYMBOL) return 9;
  if (f & C3_HALFWIDTH) {
    if (f == C3_HALFWIDTH || f == (C3_HALFWIDTH | C3_ALPHA)) return 1;
    if (f & (C3_SYMBOL | C3_LEXICAL)) return 2;
    if (f & C3_KATAKANA) return 3;
    return 0;
  }
  if (f == C3_FULLWIDTH || f == (C3_FULLWIDTH | C3_ALPHA)) return 4;
  if (f & (C3_SYMBOL | C3_LEXICAL)) return 5;
  if (f & C3_KATAKANA) return 6;
  if (f & C3_HIRAGANA) return 7;
  if (f & C3_IDEOGRAPH) return 8;
  return 0;
}

std::vector<TGradientBand> GradientBands(TColor startColor, TColor endColor, int steps, const TRect& rect,
                                         bool horizontal) {
  const TColor from = ColorToRGB(startColor), to = ColorToRGB(endColor);
  const int r = GetRValue(from), g = GetGValue(from), b = GetBValue(from);
  const int dr = GetRValue(to) - r, dg = GetGValue(to) - g, db = GetBValue(to) - b;
  steps = ClampInt(steps, 2, 256);
  const int size = horizontal ? rect.Width() : rect.Height();
  std::vector<TGradientBand> bands(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i) {
    TGradientBand& band = bands[static_cast<std::size_t>(i)];
    band.Rect = rect;
    const int lo = MulDiv(i, size, steps), hi = MulDiv(i + 1, size, steps);
    if (horizontal) {
      band.Rect.Left = rect.Left + lo;
      band.Rect.Right = rect.Left + hi;
    } else {
      band.Rect.Top = rect.Top + lo;
      band.Rect.Bottom = rect.Top + hi;
    }
    band.Color = RGB(r + MulDiv(i, dr, steps - 1), g + MulDiv(i, dg, steps - 1), b + MulDiv(i, db, steps - 1));
  }
  return bands;
}
