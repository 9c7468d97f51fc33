#include "platform/ShellIcons.h"

#include "platform/SysUtils.h"

namespace {
IShellIconBackend*& Installed() {
  static IShellIconBackend* b = nullptr;
  return b;
}
}  // namespace

void SetShellIconBackend(IShellIconBackend* backend) { Installed() = backend; }

IShellIconBackend& ShellIconBackend() {
  static TRecordingShellIcons builtin;
  return Installed() ? *Installed() : builtin;
}

int TRecordingShellIcons::IconIndex(const std::string& path) {
  Paths.push_back(path);
  return DirectoryExists(path) ? 1 : 0;
}

bool TRecordingShellIcons::IconImage(int index, bool large, TIcon& out) {
  if (index < 0 || index > 1) return false;
  int n = large ? ShellLargeIconSize : ShellSmallIconSize;
  // A page with a folded corner, or a yellow folder.
  TBitmap b(n, n);
  TColor fill = index == 1 ? TColor(0x00C0FF) : clWhite;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      bool edge = x == 1 || y == 1 || x == n - 2 || y == n - 2;
      bool inside = x >= 1 && y >= 1 && x <= n - 2 && y <= n - 2;
      b.SetPixel(x, y, !inside ? clFuchsia : edge ? clBlack : fill);
    }
  b.SetTransparentColor(clFuchsia);
  b.SetTransparentMode(tmFixed);
  out.AssignBitmap(&b);
  return true;
}
