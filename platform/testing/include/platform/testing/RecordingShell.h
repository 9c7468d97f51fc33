// The recording shell backend for tests: keeps every start instead of
// opening anything.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/SysUtils.h"

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

// Installs a shell backend for its lifetime; the one before it comes back.
class TShellBackendScope {
 public:
  explicit TShellBackendScope(IShellBackend* backend) : FOld(ShellBackend()) { SetShellBackend(backend); }
  ~TShellBackendScope() { SetShellBackend(FOld); }
  TShellBackendScope(const TShellBackendScope&) = delete;
  TShellBackendScope& operator=(const TShellBackendScope&) = delete;

 private:
  IShellBackend* FOld;
};

// PATH is the one folder `dir` (made if missing) for its lifetime, so that
// only the programs a test puts there are found.
class TSearchPathScope {
 public:
  explicit TSearchPathScope(const std::string& dir) {
    const char* p = std::getenv("PATH");
    FOld = p ? p : "";
    ForceDirectories(dir);
    ::setenv("PATH", dir.c_str(), 1);
  }
  ~TSearchPathScope() { ::setenv("PATH", FOld.c_str(), 1); }
  TSearchPathScope(const TSearchPathScope&) = delete;
  TSearchPathScope& operator=(const TSearchPathScope&) = delete;

 private:
  std::string FOld;
};
