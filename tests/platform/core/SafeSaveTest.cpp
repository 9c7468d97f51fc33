// Saving over files the careful way: protected files refused, hard links
// and other users' files written in place behind a backup, symbolic links
// followed, every failure naming the file and the system's reason, and the
// temporary files of killed saves cleaned away.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
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
  try {
    Save(os, "new");
    FAIL() << "saved over a read-only file";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.ErrorCode, EACCES);
    EXPECT_NE(e.Message().find(AnsiFileName(os)), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("Permission denied"), std::string::npos) << e.Message();
  }
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
  try {
    Save(tmp.Path("loop"), "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.ErrorCode, ELOOP);
  }
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

TEST(SafeSave, StaleTemporariesOfTheSameTargetGoOnTheNextSave) {
  TTempDir tmp;
  const std::string os = tmp.Path("doc.htm");
  WriteFileBytes(os, "old");
  WriteFileBytes(tmp.Path(".doc.htm.~a1B2c3"), "left by a killed save");
  WriteFileBytes(tmp.Path(".doc.htm.~zzzzzz"), "a save still running");
  WriteFileBytes(tmp.Path(".other.htm.~a1B2c3"), "another file's");
  WriteFileBytes(tmp.Path(".doc.htm.~long-name"), "not ours");
  int running = ::open(tmp.Path(".doc.htm.~zzzzzz").c_str(), O_RDONLY);
  ASSERT_GE(running, 0);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);
  Save(os, "new");
  ::close(running);
  EXPECT_FALSE(std::filesystem::exists(tmp.Path(".doc.htm.~a1B2c3")));
  EXPECT_TRUE(std::filesystem::exists(tmp.Path(".doc.htm.~zzzzzz")));
  EXPECT_TRUE(std::filesystem::exists(tmp.Path(".other.htm.~a1B2c3")));
  EXPECT_TRUE(std::filesystem::exists(tmp.Path(".doc.htm.~long-name")));
  EXPECT_EQ(ReadFileBytes(os), "new");
}

}  // namespace
