// Saving a file without ever losing the old one (see Classes.h): a new file
// renamed over the target, or, for hard links, files whose owner a new file
// could not keep and files in folders where no new file can be made, the
// target written in place behind a backup and a journal that the next open
// of the file finds if the save was cut off.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kMaxLinkHops = 40;
// Hidden files of a save: "." + the target's name (cut so the whole fits the
// folder's name limit) + ".~" + a kind letter + the writer's process id +
// "-" + six random characters.
const char kMark[] = ".~";
constexpr char kTempKind = 't';     // the new text, renamed over the target
constexpr char kBackupKind = 'b';   // the old text while the target is rewritten in place
constexpr char kJournalKind = 'j';  // names the target and its backup
constexpr std::size_t kRandomLength = 6;
constexpr std::size_t kSuffixRoom = 1 + 2 + 1 + 10 + 1 + kRandomLength;  // dot, mark, kind, pid, dash, random
const char kJournalHead[] = "bqs-save-1";
const char kJournalDone[] = "done";
const char kCacheSubfolder[] = "/brindel-quillet-studio/saves/";

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* FolderArg(const std::string& folder) { return folder.empty() ? "." : folder.c_str(); }

// One name for a file however it was reached: its folder's real path and
// its own name.
std::string Absolute(const std::string& path) {
  char* real = ::realpath(FolderArg(FolderOf(path)), nullptr);
  if (!real) return path;
  std::string folder = real;
  std::free(real);
  return (folder == "/" ? folder : folder + "/") + BaseOf(path);
}

// The system's kernel refuses to follow a link in a sticky folder that
// everyone may write when the link belongs neither to the follower nor to
// the folder's owner (another user may have planted it); so does this.
bool MayFollow(const std::string& link, const struct stat& st) {
  if (st.st_uid == ::geteuid()) return true;
  struct stat dir;
  if (::stat(FolderArg(FolderOf(link)), &dir) != 0) return false;
  bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return !shared || dir.st_uid == st.st_uid;
}

// The file a chain of symbolic links ends in (itself when it is none); the
// end need not exist. 0 or the errno of the failure.
int FollowLinks(std::string& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    if (!MayFollow(path, st)) return EACCES;
    std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0) return errno;
    std::string target(buf.data(), static_cast<std::size_t>(n));
    path = !target.empty() && target[0] == '/' ? target : FolderOf(path) + target;
  }
  return ELOOP;
}

std::size_t NameMax(const std::string& folder) {
  long n = ::pathconf(FolderArg(folder), _PC_NAME_MAX);
  return n > 0 ? static_cast<std::size_t>(n) : 255;
}

// The start every hidden file of saves of `base` has in `folder`.
std::string HiddenPrefix(const std::string& folder, const std::string& base) {
  std::size_t limit = NameMax(folder);
  std::size_t keep = limit > kSuffixRoom + 1 ? limit - kSuffixRoom : 1;
  return "." + base.substr(0, keep) + kMark;
}

// Makes a hidden file of the given kind, locked while this process holds
// it open; its descriptor, or -1 with errno set.
int MakeHidden(const std::string& folder, const std::string& base, char kind, std::string& name) {
  std::string tmpl =
      folder + HiddenPrefix(folder, base) + kind + std::to_string(::getpid()) + "-" + std::string(kRandomLength, 'X');
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  int fd = ::mkostemp(buf.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  ::flock(fd, LOCK_EX);
  name = buf.data();
  return fd;
}

// The kind letter of a hidden file of saves (prefix from HiddenPrefix), or 0.
char HiddenKind(const std::string& name, const std::string& prefix) {
  if (name.size() < prefix.size() + 3 + kRandomLength || name.compare(0, prefix.size(), prefix) != 0) return 0;
  char kind = name[prefix.size()];
  std::size_t dash = name.size() - kRandomLength - 1;
  if (name[dash] != '-' || dash == prefix.size() + 1) return 0;
  for (std::size_t i = prefix.size() + 1; i < dash; ++i)
    if (name[i] < '0' || name[i] > '9') return 0;
  return kind == kTempKind || kind == kBackupKind || kind == kJournalKind ? kind : 0;
}

// The user's cache folder for backups of saves in place ("" when there is
// none); made on request.
std::string CacheFolder(bool make) {
  std::string root;
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (xdg && xdg[0] == '/')
    root = xdg;
  else if (home && home[0] == '/')
    root = std::string(home) + "/.cache";
  else
    return std::string();
  std::string folder = root + kCacheSubfolder;
  if (make)
    for (std::size_t slash = 1; (slash = folder.find('/', slash)) != std::string::npos; ++slash)
      ::mkdir(folder.substr(0, slash).c_str(), 0700);
  return folder;
}

void SyncFolder(const std::string& folder) {
  int dfd = ::open(FolderArg(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  ::fsync(dfd);
  ::close(dfd);
}

int WriteAll(int fd, const char* data, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    ssize_t w = ::write(fd, data + done, size - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(w);
  }
  return 0;
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
    if (int e = WriteAll(to, buf.get(), static_cast<std::size_t>(n))) return e;
  }
  if (::ftruncate(to, ::lseek(to, 0, SEEK_CUR)) != 0) return errno;
  return ::fsync(to) != 0 ? errno : 0;
}

}  // namespace

// A hash of a byte sequence, the same however it is cut into pieces: eight
// bytes at a time, the last few padded.
void TSaveHash::Add(const void* data, std::size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  FSize += size;
  while (size > 0 && FCarry > 0 && FCarry < 8) {
    FPending[FCarry++] = *p++;
    --size;
  }
  if (FCarry == 8) {
    Mix(FPending);
    FCarry = 0;
  }
  for (; size >= 8; size -= 8, p += 8) Mix(p);
  while (size > 0) {
    FPending[FCarry++] = *p++;
    --size;
  }
}

void TSaveHash::Mix(const unsigned char* word) {
  std::uint64_t w;
  std::memcpy(&w, word, 8);
  FHash = (FHash ^ w) * 0x100000001b3ull;
  FHash ^= FHash >> 29;
}

std::uint64_t TSaveHash::Value() const {
  TSaveHash last = *this;
  std::memset(last.FPending + last.FCarry, 0, 8 - last.FCarry);
  last.Mix(last.FPending);
  return last.FHash ^ FSize;
}

namespace {

// Size and hash of a file's bytes; false when it cannot be read.
bool MeasureFile(const std::string& path, std::uint64_t& size, std::uint64_t& hash) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  std::unique_ptr<char[]> buf(new char[1 << 16]);
  TSaveHash h;
  for (;;) {
    ssize_t n = ::read(fd, buf.get(), 1 << 16);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      size = h.Size();
      hash = h.Value();
      return n == 0;
    }
    h.Add(buf.get(), static_cast<std::size_t>(n));
  }
}

// An open hidden file that no running save holds (it would hold the lock);
// -1 when it is busy or not a plain file of ours.
int OpenUnheld(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
      ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

struct TJournal {
  std::string Target, Backup;
  bool Done = false;
  std::uint64_t Size = 0, Hash = 0;
};

bool ReadJournal(int fd, TJournal& j) {
  std::string text;
  char buf[4096];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
  std::vector<std::string> fields;
  for (std::size_t at = 0, end; (end = text.find('\0', at)) != std::string::npos; at = end + 1)
    fields.push_back(text.substr(at, end - at));
  if (fields.size() < 3 || fields[0] != kJournalHead) return false;
  j.Target = fields[1];
  j.Backup = fields[2];
  if (fields.size() >= 6 && fields[3] == kJournalDone) {
    j.Done = true;
    j.Size = std::strtoull(fields[4].c_str(), nullptr, 10);
    j.Hash = std::strtoull(fields[5].c_str(), nullptr, 16);
  }
  return true;
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::uint64_t sizeA, hashA, sizeB, hashB;
  return MeasureFile(a, sizeA, hashA) && MeasureFile(b, sizeB, hashB) && sizeA == sizeB && hashA == hashB;
}

// Looks at the hidden files that saves of `target` (an OS name, links
// followed) left in its folder and in the cache folder. Removes what is
// provably not needed: new texts of saves whose writer is gone (the target
// is whole, old or new), journals and backups of saves in place that
// finished or never touched the target. A backup that may hold the only
// copy of the old text stays; the first such save is put in `found`.
bool ScanLeftovers(const std::string& target, TInterruptedSave* found) {
  const std::string absTarget = Absolute(target);
  const std::string base = BaseOf(target);
  std::vector<std::string> folders{FolderOf(target)};
  std::string cache = CacheFolder(false);
  if (!cache.empty()) folders.push_back(cache);
  std::vector<std::string> journals, backups;
  for (const std::string& folder : folders) {
    const std::string prefix = HiddenPrefix(folder, base);
    DIR* dir = ::opendir(FolderArg(folder));
    if (!dir) continue;
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      char kind = HiddenKind(name, prefix);
      if (kind == kJournalKind) journals.push_back(folder + name);
      if (kind == kBackupKind) backups.push_back(folder + name);
      if (kind != kTempKind || folder != folders[0]) continue;
      int fd = OpenUnheld(folder + name);
      if (fd < 0) continue;
      ::unlink((folder + name).c_str());
      ::close(fd);
    }
    ::closedir(dir);
  }
  std::vector<std::string> named;  // backups some journal names
  bool any = false;
  for (const std::string& path : journals) {
    int fd = OpenUnheld(path);
    TJournal j;
    if (fd < 0) {
      // A save running now: its backup is its own business.
      int rd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
      if (rd >= 0 && ReadJournal(rd, j)) named.push_back(j.Backup);
      if (rd >= 0) ::close(rd);
      continue;
    }
    bool valid = ReadJournal(fd, j);
    if (valid && j.Target != absTarget) {
      named.push_back(j.Backup);
      ::close(fd);
      continue;
    }
    std::uint64_t size = 0, hash = 0;
    bool backupThere = valid && ::access(j.Backup.c_str(), R_OK) == 0;
    bool finished = valid && j.Done && MeasureFile(target, size, hash) && size == j.Size && hash == j.Hash;
    if (!backupThere || finished || SameBytes(target, j.Backup)) {
      // Nothing to give back: the backup goes before the journal, so a
      // backup never loses the journal that explains it.
      if (backupThere) ::unlink(j.Backup.c_str());
      ::unlink(path.c_str());
    } else {
      named.push_back(j.Backup);
      if (found && !any) {
        found->Journal = path;
        found->Backup = j.Backup;
        found->FileName = AnsiFileName(target);
        any = true;
      }
    }
    ::close(fd);
  }
  // A backup without a journal: the journal is written before the target is
  // touched and removed after the backup, so the target never needed it.
  for (const std::string& path : backups) {
    bool isNamed = false;
    for (const std::string& n : named) isNamed = isNamed || n == path;
    if (isNamed) continue;
    int fd = OpenUnheld(path);
    if (fd < 0) continue;
    ::unlink(path.c_str());
    ::close(fd);
  }
  return any;
}

[[noreturn]] void FailCreate(const std::string& fileName, int e) {
  throw EFCreateError(
      Format("Cannot create file \"%s\". %s", ExpandFileName(fileName).c_str(), SysErrorMessage(e).c_str()), e);
}

[[noreturn]] void FailFolder(const std::string& fileName, const std::string& folder, int e) {
  throw EFCreateError(
      Format("Cannot create file \"%s\" in folder \"%s\". %s", ExpandFileName(fileName).c_str(),
             ExpandFileName(AnsiFileName(folder.empty() ? "." : folder)).c_str(), SysErrorMessage(e).c_str()),
      e);
}

}  // namespace

TReplaceFileStream::TReplaceFileStream(const std::string& fileName) : THandleStream(-1), FFileName(fileName) {
  try {
    Start();
  } catch (...) {
    Abandon();
    throw;
  }
}

void TReplaceFileStream::Start() {
  FTarget = SysFileName(FFileName);
  if (FTarget.empty()) FailCreate(FFileName, ENOENT);
  if (int e = FollowLinks(FTarget)) FailCreate(FFileName, e);
  struct stat st;
  bool exists = false;
  if (::lstat(FTarget.c_str(), &st) == 0) {
    // A pipe or a device is never turned into a plain file.
    if (int e = NotDataFileError(st.st_mode)) FailCreate(FFileName, e);
    exists = true;
    // A file the user may not write (or that nobody may) is not replaced.
    if ((st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, FTarget.c_str(), W_OK, AT_EACCESS) != 0)
      FailCreate(FFileName, EACCES);
  }
  const std::string folder = FolderOf(FTarget);
  FHandle = MakeHidden(folder, BaseOf(FTarget), kTempKind, FTempName);
  if (FHandle < 0) {
    int e = errno;
    // A writable file in a folder where nothing new can be made is written
    // in place; a new file there cannot be made at all.
    if (!exists || (e != EACCES && e != EPERM)) FailFolder(FFileName, folder, e);
    StartInPlace(st.st_dev, st.st_ino);
    return;
  }
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
  ::unlink(FTempName.c_str());
  FTempName.clear();
  ::close(FHandle);
  FHandle = -1;
  StartInPlace(st.st_dev, st.st_ino);
}

// In place: the old bytes go to a backup (beside the file, or in the user's
// cache folder when the file's folder takes no new file), then a journal
// naming the target and the backup, both on disk before the target is
// truncated.
void TReplaceFileStream::StartInPlace(std::uint64_t device, std::uint64_t inode) {
  FInPlace = true;
  const std::string folder = FolderOf(FTarget), base = BaseOf(FTarget);
  std::string where = folder;
  FBackup = MakeHidden(where, base, kBackupKind, FBackupName);
  int e = errno;
  if (FBackup < 0) {
    where = CacheFolder(true);
    if (!where.empty()) FBackup = MakeHidden(where, base, kBackupKind, FBackupName);
  }
  if (FBackup < 0) FailFolder(FFileName, folder, e);
  int old = ::open(FTarget.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (old < 0) FailCreate(FFileName, errno);
  struct stat now;
  e = ::fstat(old, &now) != 0 ? errno : (now.st_dev != device || now.st_ino != inode) ? EAGAIN : 0;
  if (!e) e = CopyFile(old, FBackup);
  ::close(old);
  if (e) FailCreate(FFileName, e);
  FJournal = MakeHidden(where, base, kJournalKind, FJournalName);
  if (FJournal < 0) FailFolder(FFileName, where, errno);
  std::string record = std::string(kJournalHead) + '\0' + Absolute(FTarget) + '\0' + Absolute(FBackupName) + '\0';
  e = WriteAll(FJournal, record.data(), record.size());
  if (!e && ::fsync(FJournal) != 0) e = errno;
  if (e) FailCreate(FFileName, e);
  SyncFolder(where);
  FHandle = ::open(FTarget.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
  if (FHandle < 0) FailCreate(FFileName, errno);
  FTouched = true;
}

// Undoes a save that did not finish: removes the new text, or puts the old
// bytes back; a backup that could not be put back stays with its journal
// for the next open of the file.
void TReplaceFileStream::Abandon() {
  if (FHandle >= 0) ::close(FHandle);
  FHandle = -1;
  if (!FTempName.empty()) ::unlink(FTempName.c_str());
  FTempName.clear();
  if (FTouched && !RestoreBackup()) return;
  DropBackup();
}

void TReplaceFileStream::DropBackup() {
  // The backup goes first: a journal without its backup is harmless.
  if (FBackup >= 0) {
    ::unlink(FBackupName.c_str());
    ::close(FBackup);
  }
  if (FJournal >= 0) {
    ::unlink(FJournalName.c_str());
    ::close(FJournal);
  }
  FBackup = FJournal = -1;
}

TReplaceFileStream::~TReplaceFileStream() {
  if (!FCommitted) Abandon();
  if (FHandle >= 0) ::close(FHandle);
}

// Puts the old bytes back into the target; false when that failed too.
bool TReplaceFileStream::RestoreBackup() {
  int fd = ::open(FTarget.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
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
  FHash.Add(buffer, static_cast<std::size_t>(done));
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
    // The journal tells a later open that the target holds the whole new
    // text, should the process die before the backup is gone.
    char done[64];
    int n = std::snprintf(done, sizeof done, "%s%c%llu%c%llx%c", kJournalDone, '\0',
                          static_cast<unsigned long long>(FHash.Size()), '\0',
                          static_cast<unsigned long long>(FHash.Value()), '\0');
    if (WriteAll(FJournal, done, static_cast<std::size_t>(n)) == 0) ::fsync(FJournal);
    FCommitted = true;
    DropBackup();
    ScanLeftovers(FTarget, nullptr);
    return;
  }
  if (::rename(FTempName.c_str(), FTarget.c_str()) != 0) FailWrite(errno);
  FCommitted = true;
  FTempName.clear();
  SyncFolder(FolderOf(FTarget));
  ScanLeftovers(FTarget, nullptr);
}

// ---------------------------------------------------------------------------

bool FindInterruptedSave(const std::string& fileName, TInterruptedSave& save) {
  std::string target = SysFileName(fileName);
  if (target.empty() || FollowLinks(target) != 0) return false;
  struct stat st;
  if (::lstat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ScanLeftovers(target, &save);
}

void RestoreInterruptedSave(const TInterruptedSave& save) {
  {
    TFileStream backup(AnsiFileName(save.Backup), fmOpenRead);
    TReplaceFileStream target(save.FileName);
    std::unique_ptr<char[]> buf(new char[1 << 16]);
    for (std::int64_t n; (n = backup.Read(buf.get(), 1 << 16)) > 0;) target.WriteBuffer(buf.get(), n);
    target.Commit();
  }
  ::unlink(save.Backup.c_str());
  ::unlink(save.Journal.c_str());
}

void CheckOwnFile(const std::string& fileName) {
  struct stat st;
  if (::lstat(SysFileName(fileName).c_str(), &st) != 0) return;
  if (S_ISLNK(st.st_mode)) FailCreate(fileName, ELOOP);
  if (int e = NotDataFileError(st.st_mode)) FailCreate(fileName, e);
  if (st.st_uid != ::geteuid()) FailCreate(fileName, EACCES);
}
