// Stateless helpers of the editing control: clamping, tab expansion,
// character index to display column, double-byte aware scans, line ends,
// word character classes and the gradient filler of the gutter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SrcEditTypes.h"
#include "platform/Colors.h"
#include "platform/Types.h"

class TCanvas;

// min(value, upper), then max(that, lower): when lower exceeds upper the
// result is lower.
int ClampInt(int value, int lower, int upper);
// The value clamped to INT_MIN..INT_MAX.
int ClampToInt(std::int64_t value);
// A space or a tab.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
void SwapInts(int& a, int& b);
// b if b lies before a (smaller line, or same line and smaller char), else a.
TBufferCoord EarlierPoint(const TBufferCoord& a, const TBufferCoord& b);
// a lies before b (smaller line, or same line and smaller char).
bool PointBefore(const TBufferCoord& a, const TBufferCoord& b);

// True if the line holds a tab; count = characters before the first tab
// (the whole length when there is none). An empty line gives false and 0.
bool FindFirstTab(const std::string& line, int& count);

// The longest expanded line the tab expanders build (bytes). A longer result
// raises EOutOfMemory instead of allocating.
constexpr std::int64_t MaxExpandedLineLength = 0x7FFFFFFF;

// The tab expanders: every tab becomes as many tab characters as display
// columns it covers (width 1 or less: one blank). `hasTabs` is false, and the
// line is returned unchanged, when it holds no tab. All give the same result
// for the same width.
using TExpandTabsProc = std::string (*)(const std::string& line, int tabWidth, bool& hasTabs);
std::string ExpandTabsOneToOne(const std::string& line, int tabWidth, bool& hasTabs);  // width <= 1
std::string ExpandTabsMask(const std::string& line, int tabWidth, bool& hasTabs);      // power of two
std::string ExpandTabs(const std::string& line, int tabWidth, bool& hasTabs);          // any width

// True for 2, 4, 8, ... 65536; false for 1, other values and above 65536.
bool IsTabWidthPowerOfTwo(int tabWidth);
TExpandTabsProc SelectTabExpander(int tabWidth);

// Display columns of the line (computed in 64 bits).
std::int64_t ExpandedLength64(std::string_view line, int tabWidth);
// The same clamped to 0x7FFFFFFF.
int ExpandedLength(std::string_view line, int tabWidth);

// 1-based display column of the 1-based character index (positions past the
// end count one column each); clamped to 0x7FFFFFFF.
int CharIndexToColumn(int index, int tabWidth, const std::string& line);

// True when the 1-based position `pos` holds the second byte of a
// double-byte character (walking from the start of the text). Always false
// in a single-byte locale and for positions outside 2..length.
bool IsTrailByte(std::string_view text, std::int64_t pos);

// Double-byte aware scans over a line; positions are 1-based, 0 = none.
int ScanForCharInSet(const std::string& line, int start, const TSysCharSet& chars);
int ReverseScanForCharInSet(const std::string& line, int start, const TSysCharSet& chars);
int ScanForLeadByte(const std::string& line, int start);
int ReverseScanForLeadByte(const std::string& line, int start);

// The first NUL, CR or LF at or after p; nullptr for nullptr.
const char* FindLineEnd(const char* p);
// Length-counted form: the first CR or LF in [p, end), or end. A NUL is an
// ordinary character here.
const char* FindLineEnd(const char* p, const char* end);

// The word characters without a highlighter: digits, Latin letters, the
// underscore and every Cyrillic letter of Windows-1251 (Ё and ё at 168 and
// 184 included).
const TSysCharSet& DefaultIdentChars();
// The word break characters without a highlighter.
const TSysCharSet& DefaultWordBreakChars();

// Class 0..9 of a character from its CT_CTYPE3 flags (word boundaries in
// double-byte text).
int WordCharClass(std::uint16_t ctype3Flags);

// The bands of a gradient fill: rectangle and colour of each, in order.
struct TGradientBand {
  TRect Rect;
  TColor Color;
};
std::vector<TGradientBand> GradientBands(TColor startColor, TColor endColor, int steps, const TRect& rect,
                                         bool horizontal);

// Fills `rect` with `steps` bands (clamped to 2..256) from startColor to
// endColor, side by side when `horizontal`, else top to bottom.
void FillGradient(TCanvas* canvas, TColor startColor, TColor endColor, int steps, const TRect& rect, bool horizontal);
