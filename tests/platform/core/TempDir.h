// A scratch folder removed at the end of the test, and small file helpers.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TTempDir {
 public:
  TTempDir() {
    char tmpl[] = "/tmp/bqs-test-XXXXXX";
    char* p = ::mkdtemp(tmpl);
    FPath = p ? p : "/tmp";
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  // OS (UTF-8) path of a name inside the folder.
  std::string Path(const std::string& name = std::string()) const { return FPath + "/" + name; }
  int EntryCount() const {
    int n = 0;
    for (auto it = std::filesystem::directory_iterator(FPath); it != std::filesystem::directory_iterator(); ++it) ++n;
    return n;
  }

 private:
  std::string FPath;
};

inline std::string ReadFileBytes(const std::string& osPath) {
  std::ifstream f(osPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& osPath, const std::string& bytes) {
  std::ofstream f(osPath, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// While alive, files of this process cannot grow beyond `limit` bytes:
// writes past it fail with EFBIG, as on a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t limit) {
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &FOld);
    struct rlimit r = FOld;
    r.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

 private:
  struct rlimit FOld;
  void (*FOldHandler)(int);
};

// While alive, a process running as root acts as the user "nobody", so
// permission bits bind as they do for an ordinary user; otherwise nothing.
class TUnprivileged {
 public:
  TUnprivileged() : FWasRoot(::geteuid() == 0) {
    if (FWasRoot && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) FWasRoot = false;
  }
  ~TUnprivileged() {
    if (!FWasRoot) return;
    if (::seteuid(0) != 0 || ::setegid(0) != 0) std::abort();
  }
  TUnprivileged(const TUnprivileged&) = delete;
  TUnprivileged& operator=(const TUnprivileged&) = delete;

 private:
  bool FWasRoot;
};
