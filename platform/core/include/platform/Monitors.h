// The desktop's monitors. The widget set installs the real ones (Qt: every
// QScreen's geometry); without one there is a single 1280 x 1024 monitor at
// (0, 0), as the fake widget set's screen is.
#pragma once

#include <vector>

#include "platform/Types.h"

class IMonitorBackend {
 public:
  virtual ~IMonitorBackend() = default;
  // Screen rectangles, the primary monitor first.
  virtual std::vector<TRect> MonitorRects() = 0;
};

// A fixed list (tests set it).
class TFixedMonitors : public IMonitorBackend {
 public:
  std::vector<TRect> MonitorRects() override { return Rects; }
  std::vector<TRect> Rects{TRect(0, 0, 1280, 1024)};
};

// Not owned; null puts the single default monitor back.
void SetMonitorBackend(IMonitorBackend* backend);
IMonitorBackend& MonitorBackend();
