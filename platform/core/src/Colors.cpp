#include "platform/Colors.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr TSystemColorTable kClassicScheme = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25 (unassigned)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

TSystemColorTable& CurrentTable() {
  static TSystemColorTable table = kClassicScheme;
  return table;
}

}  // namespace

const TSystemColorTable& DefaultSystemColorTable() { return kClassicScheme; }
void SetSystemColorTable(const TSystemColorTable& table) { CurrentTable() = table; }
void ResetSystemColorTable() { CurrentTable() = kClassicScheme; }

TColor GetSysColor(int index) {
  if (index < 0 || index >= SYS_COLOR_COUNT) return 0;
  return CurrentTable()[static_cast<std::size_t>(index)] & 0x00FFFFFFu;
}

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFFu));
  return color;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  bool negative = (p < 0) != (c < 0);
  std::uint64_t up = p < 0 ? static_cast<std::uint64_t>(-(p + 1)) + 1 : static_cast<std::uint64_t>(p);
  std::uint64_t uc =
      c < 0 ? static_cast<std::uint64_t>(-(static_cast<std::int64_t>(c))) : static_cast<std::uint64_t>(c);
  std::uint64_t q = (up + uc / 2) / uc;  // halves away from zero
  if (negative) {
    if (q > 0x80000000ull) return -1;
    return static_cast<int>(-static_cast<std::int64_t>(q));
  }
  if (q > 0x7FFFFFFFull) return -1;
  return static_cast<int>(q);
}
