// Saving over files the careful way: protected files refused, hard links
// and other users' files written in place behind a backup, symbolic links
// followed, every failure naming the file and the system's reason, and the
// temporary files of killed saves cleaned away.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

void Save(const std::string& osPath, const std::string& bytes) {
  TReplaceFileStream f(AnsiFileName(osPath));
  f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  f.Commit();
}

// The error of a save that must be refused (a failure when it saves).
EFCreateError RefusedSave(const std::string& osPath, const std::string& bytes) {
  try {
    Save(osPath, bytes);
  } catch (const EFCreateError& e) {
    return e;
  }
  ADD_FAILURE() << osPath << " saved";
  return EFCreateError(std::string());
}

struct stat StatOf(const std::string& osPath) {
  struct stat st {};
  EXPECT_EQ(::lstat(osPath.c_str(), &st), 0) << osPath;
  return st;
}

TEST(SafeSave, AWriteProtectedFileIsRefusedWithTheFileAndTheReason) {
  TTempDir tmp;
  const std::string os = tmp.Path("read-only.htm");
  WriteFileBytes(os, "keep");
  ::chmod(os.c_str(), 0444);  // refused even for root
  const EFCreateError e = RefusedSave(os, "new");
  EXPECT_EQ(e.ErrorCode, EACCES);
  EXPECT_NE(e.Message().find(AnsiFileName(os)), std::string::npos) << e.Message();
  EXPECT_NE(e.Message().find("Permission denied"), std::string::npos) << e.Message();
  EXPECT_EQ(ReadFileBytes(os), "keep");
  EXPECT_EQ(tmp.EntryCount(), 1);
}

TEST(SafeSave, HardLinksStayJoined) {
  TTempDir tmp;
  const std::string a = tmp.Path("a.htm"), b = tmp.Path("b.htm");
  WriteFileBytes(a, "old bytes");
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);
  const ino_t inode = StatOf(a).st_ino;
  {
    TReplaceFileStream f(AnsiFileName(a));
    EXPECT_TRUE(f.InPlace());
    f.WriteBuffer("new", 3);
    f.Commit();
  }
  EXPECT_EQ(ReadFileBytes(a), "new");
  EXPECT_EQ(ReadFileBytes(b), "new");
  EXPECT_EQ(StatOf(a).st_ino, inode);
  EXPECT_EQ(tmp.EntryCount(), 2);  // no backup left
  // A failure on the way puts the old bytes back, still one file.
  {
    TFileSizeLimit limit(100);
    EXPECT_THROW(Save(a, std::string(5000, 'x')), EWriteError);
  }
  EXPECT_EQ(ReadFileBytes(b), "new");
  EXPECT_EQ(StatOf(b).st_ino, inode);
  EXPECT_EQ(tmp.EntryCount(), 2);
}

TEST(SafeSave, AnotherUsersFileKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file to another user";
  TTempDir tmp;
  ::chmod(tmp.Path().c_str(), 0777);
  const std::string os = tmp.Path("theirs.htm");
  WriteFileBytes(os, "old");
  ::chmod(os.c_str(), 0666);  // root's file, writable by everyone
  {
    TUnprivileged nobody;
    TReplaceFileStream f(AnsiFileName(os));
    EXPECT_TRUE(f.InPlace());
    f.WriteBuffer("new", 3);
    f.Commit();
  }
  EXPECT_EQ(ReadFileBytes(os), "new");
  EXPECT_EQ(StatOf(os).st_uid, 0u);
  EXPECT_EQ(tmp.EntryCount(), 1);
}

TEST(SafeSave, SymbolicLinksWriteTheirTargets) {
  TTempDir tmp;
  std::filesystem::create_directory(tmp.Path("real"));
  const std::string target = tmp.Path("real/page.htm");
  WriteFileBytes(target, "old");
  // A chain: a relative link to a link.
  ASSERT_EQ(::symlink("real/page.htm", tmp.Path("first").c_str()), 0);
  ASSERT_EQ(::symlink("first", tmp.Path("second").c_str()), 0);
  Save(tmp.Path("second"), "via links");
  EXPECT_EQ(ReadFileBytes(target), "via links");
  EXPECT_TRUE(S_ISLNK(StatOf(tmp.Path("first")).st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(tmp.Path("second")).st_mode));
  // A dangling link creates its target.
  ASSERT_EQ(::symlink("real/new.htm", tmp.Path("dangling").c_str()), 0);
  Save(tmp.Path("dangling"), "created");
  EXPECT_TRUE(S_ISLNK(StatOf(tmp.Path("dangling")).st_mode));
  EXPECT_EQ(ReadFileBytes(tmp.Path("real/new.htm")), "created");
  // A loop is an error naming the file.
  ASSERT_EQ(::symlink("loop", tmp.Path("loop").c_str()), 0);
  EXPECT_EQ(RefusedSave(tmp.Path("loop"), "x").ErrorCode, ELOOP);
}

TEST(SafeSave, AFailedWriteNamesTheFileAndTheReason) {
  TTempDir tmp;
  const std::string os = tmp.Path("big.htm");
  WriteFileBytes(os, "precious");
  try {
    TFileSizeLimit limit(1000);  // as if the disk were full
    Save(os, std::string(5000, 'x'));
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.ErrorCode, EFBIG);
    EXPECT_EQ(e.Message(), "Cannot write to file \"" + AnsiFileName(os) + "\". " + SysErrorMessage(EFBIG));
  }
  EXPECT_EQ(ReadFileBytes(os), "precious");
  EXPECT_EQ(tmp.EntryCount(), 1);
}

TEST(SafeSave, SetuidAndSetgidAreDropped) {
  TTempDir tmp;
  const std::string os = tmp.Path("tool");
  WriteFileBytes(os, "old");
  ::chmod(os.c_str(), 06755);
  Save(os, "new");
  EXPECT_EQ(StatOf(os).st_mode & 07777, 0755u);
}

// What killed saves leave: new texts whose writer is gone go on the next
// save and on the next open; a save still running, another file's and
// names not of this program stay, and so does any old hidden file that may
// be the backup of an old save.
TEST(SafeSave, LeftoversOfKilledSavesGoOnTheNextSaveOrOpen) {
  struct TLeftover {
    const char* Name;
    bool Held;  // its writer still runs
    bool Stays;
  };
  const TLeftover leftovers[] = {
      {".doc.htm.~t4711-a1B2c3", false, false}, {".doc.htm.~b4711-q1w2e3", false, false},
      {".doc.htm.~t4712-zzzzzz", true, true},   {".other.htm.~t4711-a1B2c3", false, true},
      {".doc.htm.~long-name", false, true},     {".doc.htm.~a1B2c3", false, true},
  };
  for (bool byOpen : {false, true}) {
    TTempDir tmp;
    const std::string os = tmp.Path("doc.htm");
    WriteFileBytes(os, "old");
    for (const TLeftover& l : leftovers) WriteFileBytes(tmp.Path(l.Name), "left by a killed save");
    int running = ::open(tmp.Path(leftovers[2].Name).c_str(), O_RDONLY);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    TInterruptedSave found;
    if (byOpen)
      EXPECT_FALSE(FindInterruptedSave(AnsiFileName(os), found));
    else
      Save(os, "new");
    ::close(running);
    for (const TLeftover& l : leftovers)
      EXPECT_EQ(std::filesystem::exists(tmp.Path(l.Name)), l.Stays) << l.Name << (byOpen ? " open" : " save");
  }
}

// Pipes, devices and sockets are never replaced by a plain file, whether
// named directly or through a link; the error names the file.
TEST(SafeSave, OnlyPlainFilesAreReplaced) {
  TTempDir tmp;
  ASSERT_EQ(::mkfifo(tmp.Path("pipe").c_str(), 0666), 0);
  ASSERT_EQ(::symlink("/dev/null", tmp.Path("null-link").c_str()), 0);
  for (const char* name : {"pipe", "null-link"}) {
    const std::string os = tmp.Path(name);
    const EFCreateError e = RefusedSave(os, "text");
    EXPECT_EQ(e.ErrorCode, kErrorNotRegularFile) << name;
    EXPECT_NE(e.Message().find(AnsiFileName(os)), std::string::npos) << e.Message();
  }
  EXPECT_TRUE(S_ISFIFO(StatOf(tmp.Path("pipe")).st_mode));
  EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
  EXPECT_EQ(tmp.EntryCount(), 2);
}

// Names up to the system's limit save, by renaming and in place, and so
// do names of many-byte letters; the hidden files' names fit too.
TEST(SafeSave, NamesUpToTheLimitSave) {
  TTempDir tmp;
  const long limit = ::pathconf(tmp.Path().c_str(), _PC_NAME_MAX);
  std::string cyrillic;
  while (cyrillic.size() + 2 <= static_cast<std::size_t>(limit) - 4) cyrillic += "\xd0\xb6";  // UTF-8 "ж"
  const std::string names[] = {std::string(static_cast<std::size_t>(limit) - 8, 'a'),
                               std::string(static_cast<std::size_t>(limit) - 4, 'b') + ".htm", cyrillic + ".htm"};
  for (const std::string& name : names) {
    const std::string os = tmp.Path(name);
    WriteFileBytes(os, "old");
    EXPECT_NO_THROW(Save(os, "renamed")) << name.size();
    EXPECT_EQ(ReadFileBytes(os), "renamed");
    ASSERT_EQ(::link(os.c_str(), tmp.Path("twin").c_str()), 0);
    EXPECT_NO_THROW(Save(os, "in place")) << name.size();
    EXPECT_EQ(ReadFileBytes(tmp.Path("twin")), "in place");
    ::unlink(tmp.Path("twin").c_str());
    ::unlink(os.c_str());
    EXPECT_EQ(tmp.EntryCount(), 0);
  }
}

// Points the user's cache folder elsewhere while alive.
class TCacheHome {
 public:
  explicit TCacheHome(const std::string& folder) {
    const char* old = std::getenv("XDG_CACHE_HOME");
    FHad = old != nullptr;
    if (FHad) FOld = old;
    ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
  }
  ~TCacheHome() {
    if (FHad)
      ::setenv("XDG_CACHE_HOME", FOld.c_str(), 1);
    else
      ::unsetenv("XDG_CACHE_HOME");
  }

 private:
  bool FHad;
  std::string FOld;
};

int CountFiles(const std::string& folder) {
  int n = 0;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
       it != std::filesystem::recursive_directory_iterator(); ++it)
    n += it->is_regular_file() ? 1 : 0;
  return n;
}

// A writable file in a folder the user may not write saves in place, its
// backup in the user's cache folder; a new file there is refused with the
// folder named.
TEST(SafeSave, AWritableFileInAReadOnlyFolderSaves) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to let another user own the file";
  TTempDir tmp;
  std::filesystem::create_directory(tmp.Path("shut"));
  std::filesystem::create_directory(tmp.Path("cache"));
  ::chmod(tmp.Path().c_str(), 0755);
  ::chown(tmp.Path("cache").c_str(), 65534, 65534);
  const std::string os = tmp.Path("shut/mine.htm");
  WriteFileBytes(os, "old");
  ::chown(os.c_str(), 65534, 65534);
  ::chmod(tmp.Path("shut").c_str(), 0755);  // root's folder
  TCacheHome cache(tmp.Path("cache"));
  {
    TUnprivileged nobody;
    TReplaceFileStream f(AnsiFileName(os));
    EXPECT_TRUE(f.InPlace());
    EXPECT_EQ(f.BackupName().compare(0, tmp.Path("cache/").size(), tmp.Path("cache/")), 0) << f.BackupName();
    f.WriteBuffer("new", 3);
    f.Commit();
  }
  EXPECT_EQ(ReadFileBytes(os), "new");
  EXPECT_EQ(CountFiles(tmp.Path("cache")), 0);
  TUnprivileged nobody;
  // Cut off, the save leaves its backup there, and the next open finds it.
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    TReplaceFileStream f(AnsiFileName(os));
    f.WriteBuffer("ne", 2);
    ::_exit(0);
  }
  ASSERT_EQ(::waitpid(pid, nullptr, 0), pid);
  TInterruptedSave save;
  ASSERT_TRUE(FindInterruptedSave(AnsiFileName(os), save));
  EXPECT_EQ(save.Backup.compare(0, tmp.Path("cache/").size(), tmp.Path("cache/")), 0) << save.Backup;
  RestoreInterruptedSave(save);
  EXPECT_EQ(ReadFileBytes(os), "new");
  EXPECT_EQ(CountFiles(tmp.Path("cache")), 0);
  const EFCreateError e = RefusedSave(tmp.Path("shut/fresh.htm"), "x");
  EXPECT_EQ(e.ErrorCode, EACCES);
  EXPECT_EQ(e.Message(), "Cannot create file \"" + AnsiFileName(tmp.Path("shut/fresh.htm")) + "\" in folder \"" +
                             AnsiFileName(tmp.Path("shut/")) + "\". " + SysErrorMessage(EACCES));
}

// A link that another user planted in a sticky folder everyone may write
// is not followed, as the system itself would not; the folder owner's is.
TEST(SafeSave, AnotherUsersLinkInASharedFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the link to another user";
  TTempDir tmp;
  ::chmod(tmp.Path().c_str(), 01777);
  const std::string victim = tmp.Path("victim.txt"), link = tmp.Path("page.html");
  WriteFileBytes(victim, "victim's");
  ASSERT_EQ(::symlink("victim.txt", link.c_str()), 0);
  ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
  const EFCreateError e = RefusedSave(link, "page");
  EXPECT_EQ(e.ErrorCode, EACCES);
  EXPECT_NE(e.Message().find(AnsiFileName(link)), std::string::npos) << e.Message();
  EXPECT_EQ(ReadFileBytes(victim), "victim's");
  ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);  // now the folder owner's
  Save(link, "page");
  EXPECT_EQ(ReadFileBytes(victim), "page");
}

// Runs a save of `bytes` over `os` in a child process, one megabyte at a
// time, and kills it (SIGKILL) at step `killAt`: -1 while the save starts,
// k after k megabytes, chunks once all is written, chunks + 1 once it is
// committed.
void KillSave(const std::string& os, const std::string& bytes, int killAt) {
  constexpr std::size_t kChunk = 1 << 20;
  const int chunks = static_cast<int>((bytes.size() + kChunk - 1) / kChunk);
  int progress[2], go[2];
  ASSERT_EQ(::pipe(progress), 0);
  ASSERT_EQ(::pipe(go), 0);
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    auto step = [&] {
      char c = 's';
      if (::write(progress[1], &c, 1) != 1 || (killAt >= 0 && ::read(go[0], &c, 1) != 1)) ::_exit(2);
    };
    step();
    TReplaceFileStream f(AnsiFileName(os));
    for (int k = 0; k < chunks; ++k) {
      step();
      std::size_t at = static_cast<std::size_t>(k) * kChunk;
      f.WriteBuffer(bytes.data() + at, static_cast<std::int64_t>(std::min(kChunk, bytes.size() - at)));
    }
    step();
    f.Commit();
    step();
    ::_exit(0);
  }
  ::close(progress[1]);
  ::close(go[0]);
  char c;
  if (killAt < 0) {
    ASSERT_EQ(::read(progress[0], &c, 1), 1);
    // As soon as the save has made any hidden file.
    const std::string folder = os.substr(0, os.rfind('/'));
    const std::string prefix = "." + os.substr(os.rfind('/') + 1) + ".~";
    for (bool seen = false; !seen;) {
      for (const auto& entry : std::filesystem::directory_iterator(folder))
        seen = seen || entry.path().filename().string().compare(0, prefix.size(), prefix) == 0;
      if (::waitpid(pid, nullptr, WNOHANG) == pid) FAIL() << "the save ended before it could be killed";
    }
  } else {
    for (int k = 0; k <= killAt + 1; ++k) {
      ASSERT_EQ(::read(progress[0], &c, 1), 1) << "step " << k;
      if (k < killAt + 1) {
        ASSERT_EQ(::write(go[1], &c, 1), 1);
      }
    }
  }
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(progress[0]);
  ::close(go[1]);
}

// A large file's bytes, read in one go.
std::string WholeFile(const std::string& osPath) {
  std::ifstream f(osPath, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(f.tellg(), 0)), '\0');
  f.seekg(0);
  f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::string Lines(const char* line, std::size_t megabytes) {
  std::string text;
  while (text.size() < megabytes << 20) text += line;
  return text;
}

// Whenever a save of a large document is killed, the user gets back the old
// or the new text: on the next open, a save cut off while it rewrote the file
// in place is found and its backup restores the old text; nothing is left
// behind once that is done.
TEST(SafeSave, AKilledSaveGivesBackTheOldOrTheNewText) {
  const std::string oldText = Lines("the old text of the document\n", 30);
  const std::string newText = Lines("a new, longer text of the same document\n", 36);
  const int chunks = static_cast<int>((newText.size() + (1 << 20) - 1) >> 20);
  TTempDir tmp;
  std::filesystem::create_directory(tmp.Path("cache"));
  TCacheHome cache(tmp.Path("cache"));
  std::filesystem::create_directory(tmp.Path("docs"));
  const std::string os = tmp.Path("docs/doc.htm"), twin = tmp.Path("docs/twin.htm");
  for (bool inPlace : {false, true}) {
    for (int killAt : {-1, 0, 1, chunks / 2, chunks, chunks + 1}) {
      SCOPED_TRACE((inPlace ? "in place, killed at " : "renamed, killed at ") + std::to_string(killAt));
      WriteFileBytes(os, oldText);
      if (inPlace && !std::filesystem::exists(twin)) {
        ASSERT_EQ(::link(os.c_str(), twin.c_str()), 0);
      }
      KillSave(os, newText, killAt);
      TInterruptedSave save;
      const bool found = FindInterruptedSave(AnsiFileName(os), save);
      // A file rewritten in place and cut off on the way is always reported.
      EXPECT_EQ(found, inPlace && killAt >= 0 && killAt <= chunks);
      if (found) {
        EXPECT_EQ(AnsiFileName(os), save.FileName);
        RestoreInterruptedSave(save);
      }
      const std::string got = WholeFile(os);
      EXPECT_TRUE(got == oldText || got == newText) << got.size() << " bytes";
      if (killAt == chunks + 1) {
        EXPECT_TRUE(got == newText);
      }
      if (inPlace) {
        EXPECT_EQ(StatOf(os).st_ino, StatOf(twin).st_ino);
      }
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.Path("docs")), {}), inPlace ? 2 : 1);
      EXPECT_EQ(CountFiles(tmp.Path("cache")), 0);
    }
  }
}

}  // namespace
