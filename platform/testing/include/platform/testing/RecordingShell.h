// The recording shell backend for tests: keeps every start instead of
// opening anything.
#pragma once

#include <vector>

#include "platform/Shell.h"

// Records the starts (and answers with `Result`).
class TRecordingShell : public IShellBackend {
 public:
  bool Start(const TShellStart& start) override {
    Starts.push_back(start);
    return Result;
  }
  std::vector<TShellStart> Starts;
  bool Result = true;
};
