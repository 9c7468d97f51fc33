// Saving a file without ever losing the old one (see Classes.h): a new file
// renamed over the target, or, for hard links and files whose owner a new
// file could not keep, the target written in place behind a backup.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kMaxLinkHops = 40;
const char kTempMark[] = ".~";
constexpr std::size_t kTempRandom = 6;  // the XXXXXX of mkostemp

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends in (itself when it is none); the
// end need not exist. 0 or the errno of the failure.
int FollowLinks(std::string& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0) return errno;
    std::string target(buf.data(), static_cast<std::size_t>(n));
    path = !target.empty() && target[0] == '/' ? target : FolderOf(path) + target;
  }
  return ELOOP;
}

// Temporary files of earlier saves of the same target that no process
// holds any more (a save holds a lock on its file while it runs).
void RemoveStaleTemporaries(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = "." + BaseOf(target) + kTempMark;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kTempRandom || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = folder + name;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

// Copies the whole of one open file into another from their starts; 0 or
// the errno of the failure.
int CopyFile(int from, int to) {
  if (::lseek(from, 0, SEEK_SET) < 0 || ::lseek(to, 0, SEEK_SET) < 0) return errno;
  std::unique_ptr<char[]> buf(new char[1 << 16]);
  for (;;) {
    ssize_t n = ::read(from, buf.get(), 1 << 16);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(to, buf.get() + done, static_cast<std::size_t>(n - done));
      if (w < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += w;
    }
  }
  if (::ftruncate(to, ::lseek(to, 0, SEEK_CUR)) != 0) return errno;
  return ::fsync(to) != 0 ? errno : 0;
}

}  // namespace

TReplaceFileStream::TReplaceFileStream(const std::string& fileName) : THandleStream(-1), FFileName(fileName) {
  auto fail = [&](int e) {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
    if (!FTempName.empty()) ::unlink(FTempName.c_str());
    FTempName.clear();
    throw EFCreateError(
        Format("Cannot create file \"%s\". %s", ExpandFileName(fileName).c_str(), SysErrorMessage(e).c_str()), e);
  };
  FTarget = SysFileName(fileName);
  if (FTarget.empty()) fail(ENOENT);
  if (int e = FollowLinks(FTarget)) fail(e);
  struct stat st;
  bool exists = false;
  if (::stat(FTarget.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) fail(EISDIR);
    exists = true;
    // A file the user may not write (or that nobody may) is not replaced.
    if ((st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, FTarget.c_str(), W_OK, AT_EACCESS) != 0) fail(EACCES);
  }
  std::string tmpl = FolderOf(FTarget) + "." + BaseOf(FTarget) + kTempMark + std::string(kTempRandom, 'X');
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  FHandle = ::mkostemp(name.data(), O_CLOEXEC);
  if (FHandle < 0) fail(errno);
  FTempName = name.data();
  ::flock(FHandle, LOCK_EX);
  if (!exists) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(FHandle, 0666 & ~mask);
    return;
  }
  struct stat mine;
  bool keepsOwner = ::fstat(FHandle, &mine) == 0 && mine.st_uid == st.st_uid && mine.st_gid == st.st_gid;
  if (!keepsOwner) keepsOwner = ::fchown(FHandle, st.st_uid, st.st_gid) == 0;
  if (st.st_nlink <= 1 && keepsOwner) {
    // setuid and setgid do not carry over to the new file.
    ::fchmod(FHandle, st.st_mode & 01777);
    return;
  }
  // In place: the temporary file holds the old bytes until the new ones are in.
  FInPlace = true;
  FBackup = FHandle;
  FHandle = -1;
  int old = ::open(FTarget.c_str(), O_RDONLY | O_CLOEXEC);
  if (old < 0) fail(errno);
  int e = CopyFile(old, FBackup);
  ::close(old);
  if (e) {
    ::close(FBackup);
    FBackup = -1;
    fail(e);
  }
  FHandle = ::open(FTarget.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (FHandle < 0) {
    e = errno;
    ::close(FBackup);
    FBackup = -1;
    fail(e);
  }
}

TReplaceFileStream::~TReplaceFileStream() {
  if (FHandle >= 0) ::close(FHandle);
  FHandle = -1;
  if (FCommitted || FTempName.empty()) return;
  if (FInPlace && !RestoreBackup()) return;  // the backup stays beside the file
  if (FBackup >= 0) ::close(FBackup);
  ::unlink(FTempName.c_str());
}

// Puts the old bytes back into the target; false when that failed too.
bool TReplaceFileStream::RestoreBackup() {
  int fd = ::open(FTarget.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  int e = CopyFile(FBackup, fd);
  ::close(fd);
  return e == 0;
}

void TReplaceFileStream::FailWrite(int error) {
  FFailed = true;
  throw EWriteError(
      Format("Cannot write to file \"%s\". %s", ExpandFileName(FFileName).c_str(), SysErrorMessage(error).c_str()),
      error);
}

std::int64_t TReplaceFileStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  if (FHandle < 0) FailWrite(EBADF);
  errno = 0;
  std::int64_t done = THandleStream::Write(buffer, count);
  if (done != count) FailWrite(errno ? errno : EIO);
  return done;
}

void TReplaceFileStream::Commit() {
  if (FCommitted) return;
  if (FFailed || FHandle < 0) FailWrite(EIO);
  if (::fsync(FHandle) != 0) FailWrite(errno);
  int fd = FHandle;
  FHandle = -1;
  if (::close(fd) != 0) FailWrite(errno);
  if (FInPlace) {
    FCommitted = true;
    ::close(FBackup);
    FBackup = -1;
    ::unlink(FTempName.c_str());
    RemoveStaleTemporaries(FTarget);
    return;
  }
  if (::rename(FTempName.c_str(), FTarget.c_str()) != 0) FailWrite(errno);
  FCommitted = true;
  std::string folder = FolderOf(FTarget);
  int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  // Only once the new file is in: a backup left by a failed save in place
  // may be the last copy of the old bytes until then.
  RemoveStaleTemporaries(FTarget);
}
