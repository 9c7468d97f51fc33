// The shell's system icon lists: the icon index of a path and the icons by
// index, small (16 x 16) and large (32 x 32). The widget set installs the
// desktop's icons (Qt: QFileIconProvider and the icon theme); without one,
// TRecordingShellIcons answers with two icons of its own (0 a document,
// 1 a folder).
#pragma once

#include <string>
#include <vector>

#include "platform/Graphics.h"

constexpr int ShellSmallIconSize = 16;
constexpr int ShellLargeIconSize = 32;

class IShellIconBackend {
 public:
  virtual ~IShellIconBackend() = default;
  // An existing file or folder by its path, anything else by its name as
  // an ordinary file.
  virtual int IconIndex(const std::string& path) = 0;
  // False for an index the list does not hold.
  virtual bool IconImage(int index, bool large, TIcon& out) = 0;
};

// Not owned; null puts the built-in icons back.
void SetShellIconBackend(IShellIconBackend* backend);
IShellIconBackend& ShellIconBackend();

// Two icons drawn in code; records the paths asked for.
class TRecordingShellIcons : public IShellIconBackend {
 public:
  int IconIndex(const std::string& path) override;
  bool IconImage(int index, bool large, TIcon& out) override;
  std::vector<std::string> Paths;
};
