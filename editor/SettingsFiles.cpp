#include "SettingsFiles.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <vector>

#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/IniFiles.h"
#include "platform/Monitors.h"

namespace {

// The part of a window's top edge that must stand on a screen for the
// window to be dragged by its caption.
constexpr int64_t kGripWidth = 40;
constexpr int64_t kGripHeight = 16;

int64_t Clamp(int64_t v, int64_t lo, int64_t hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

TRect PlaceOnDesktop(int left, int top, int width, int height, TSize minSize) {
  std::vector<TRect> monitors = MonitorBackend().MonitorRects();
  if (monitors.empty()) monitors.push_back(TRect(0, 0, 1280, 1024));
  // The screen holding the window's top-left corner, else the nearest one;
  // 64 bits, so no number of the file overflows.
  const TRect* screen = &monitors.front();
  int64_t best = -1;
  for (const TRect& m : monitors) {
    const int64_t dx = left < m.Left ? int64_t(m.Left) - left : left >= m.Right ? int64_t(left) - m.Right + 1 : 0;
    const int64_t dy = top < m.Top ? int64_t(m.Top) - top : top >= m.Bottom ? int64_t(top) - m.Bottom + 1 : 0;
    const int64_t d = dx * dx + dy * dy;
    if (best < 0 || d < best) {
      best = d;
      screen = &m;
    }
  }
  const TRect s = *screen;
  const int64_t w = Clamp(width, std::min<int64_t>(minSize.cx, s.Width()), s.Width());
  const int64_t h = Clamp(height, std::min<int64_t>(minSize.cy, s.Height()), s.Height());
  int64_t x = left, y = top;
  bool reachable = false;
  for (const TRect& m : monitors) {
    const int64_t across = std::min<int64_t>(x + w, m.Right) - std::max<int64_t>(x, m.Left);
    const int64_t down = std::min<int64_t>(y + kGripHeight, m.Bottom) - std::max<int64_t>(y, m.Top);
    if (across >= std::min(kGripWidth, w) && down >= kGripHeight / 2) reachable = true;
  }
  if (!reachable) {
    x = Clamp(x, s.Left, s.Right - w);
    y = Clamp(y, s.Top, s.Bottom - h);
  }
  return TRect(int(x), int(y), int(x + w), int(y + h));
}

bool WriteSettingsFile(const std::string& fileName, const std::function<void(TIniFile&)>& write) {
  try {
    TIniFile ini(fileName);
    write(ini);
    return true;
  } catch (const std::exception&) {}
  // Told once for the file, whatever key failed first; the program goes on
  // (at exit: ends).
  try {
    MessageBox(nullptr, Ansi("Не удалось сохранить настройки в файл\r\n") + fileName, ProgramTitle,
               MB_OK | MB_ICONERROR);
  } catch (...) {}
  return false;
}
