#include "platform/Monitors.h"

namespace {
IMonitorBackend*& Installed() {
  static IMonitorBackend* b = nullptr;
  return b;
}
}  // namespace

void SetMonitorBackend(IMonitorBackend* backend) { Installed() = backend; }

IMonitorBackend& MonitorBackend() {
  static TFixedMonitors builtin;
  return Installed() ? *Installed() : builtin;
}
