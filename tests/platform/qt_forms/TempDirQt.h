// A scratch folder removed at the end of the test.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class TTempDirQt {
 public:
  TTempDirQt() {
    char tmpl[] = "/tmp/bqs-qt-XXXXXX";
    char* p = ::mkdtemp(tmpl);
    FPath = p ? p : "/tmp";
  }
  ~TTempDirQt() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};
