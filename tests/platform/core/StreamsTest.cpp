#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "TempDir.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"

namespace {

TEST(Streams, MemoryStreamReadWriteSeek) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Position(), 5);
  m.Seek(-2, soEnd);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);
  EXPECT_STREQ(buf, "lo");
  m.SetPosition(7);  // past the end: the gap is zero-filled on write
  m.WriteBuffer("!", 1);
  EXPECT_EQ(std::string(m.Memory(), 8), std::string("hello\0\0!", 8));
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  m.SetPosition(0);
  try {
    m.ReadBuffer(buf, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  TStringStream s("0123456789");
  s.SetPosition(4);
  EXPECT_EQ(s.ReadString(3), "456");
  s.Seek(-1, soCurrent);
  s.WriteString("xy");  // overwrites in place, the rest stays
  EXPECT_EQ(s.DataString(), "012345xy89");
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(&s, 0), 10);
  EXPECT_EQ(std::string(copy.Memory(), 10), "012345xy89");
  s.SetPosition(2);
  TMemoryStream part;
  part.CopyFrom(&s, 3);
  EXPECT_EQ(std::string(part.Memory(), 3), "234");
  EXPECT_THROW(part.CopyFrom(&s, 100), EReadError);
}

TEST(Streams, FileStreamModesAndErrors) {
  TTempDir tmp;
  const std::string name = AnsiFileName(tmp.Path("данные.bin"));
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abcdef", 6);
  }
  EXPECT_EQ(ReadFileBytes(tmp.Path("данные.bin")), "abcdef");
  {
    TFileStream f(name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(f.Size(), 6);
    f.Seek(2, soBeginning);
    f.WriteBuffer("XY", 2);
    f.SetSize(5);
  }
  EXPECT_EQ(ReadFileBytes(tmp.Path("данные.bin")), "abXYe");
  {
    TFileStream f(name, fmOpenRead);
    char buf[5];
    f.ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "abXYe");
    EXPECT_THROW(f.WriteBuffer("z", 1), EWriteError);  // read-only handle
  }
  try {
    TFileStream f(name + "missing", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), Ansi("Не удаётся открыть файл \"") + name + "missing\".\n\r" + Ansi("Файл не найден."));
    EXPECT_EQ(e.ErrorCode, ENOENT);
  }
  try {
    TFileStream f(AnsiFileName(tmp.Path("no/such/dir.txt")), fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(Ansi("Не удаётся создать файл \""), 0), 0u);
  }
  EXPECT_THROW([&] { TFileStream f(AnsiFileName(tmp.Path()), fmOpenRead); }(), EFOpenError);  // a folder
  // A read that comes short names the file and why.
  try {
    TFileStream f(name, fmOpenRead);
    ::truncate(tmp.Path("данные.bin").c_str(), 2);
    char buf[5];
    f.ReadBuffer(buf, 5);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(),
              Ansi("Не удаётся прочитать файл \"") + name + "\".\n\r" + Ansi("Файл стал короче, пока его читали."));
  }
}

// A name that is not a file of data is refused at once, whatever the mode:
// a pipe with no writer would otherwise wait for ever, a device give bytes
// that are no document.
TEST(Streams, OpeningNeverWaitsAndTakesOnlyFilesOfData) {
  TTempDir tmp;
  ASSERT_EQ(::mkfifo(tmp.Path("pipe").c_str(), 0644), 0);
  int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = tmp.Path("sock");
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sockPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::symlink(tmp.Path("pipe").c_str(), tmp.Path("link-to-pipe").c_str());
  struct TCase {
    std::string Path;
    int Error;
  };
  const TCase cases[] = {
      {tmp.Path("pipe"), kErrorNotRegularFile}, {tmp.Path("link-to-pipe"), kErrorNotRegularFile},
      {sockPath, kErrorNotRegularFile},         {"/dev/null", kErrorNotRegularFile},
      {"/dev/zero", kErrorNotRegularFile},      {tmp.Path(), EISDIR},
  };
  ::alarm(20);  // a wait in open() ends the test instead of hanging it
  for (const TCase& c : cases) {
    for (Word mode : {fmOpenRead, fmOpenReadWrite}) {
      const std::string name = AnsiFileName(c.Path);
      try {
        TFileStream f(name, mode | fmShareDenyWrite);
        ADD_FAILURE() << c.Path << " was opened";
      } catch (const EFOpenError& e) {
        EXPECT_EQ(e.ErrorCode, c.Error) << c.Path;
        EXPECT_NE(e.Message().find(ExpandFileName(name)), std::string::npos) << c.Path;
        EXPECT_EQ(e.Message().find("rror"), std::string::npos) << c.Path;
      }
    }
    TStringList lines;
    EXPECT_THROW(lines.LoadFromFile(AnsiFileName(c.Path)), EFOpenError) << c.Path;
    try {
      TFileStream f(AnsiFileName(c.Path), fmCreate);
      ADD_FAILURE() << c.Path << " was written over";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.ErrorCode, c.Error) << c.Path;
    }
  }
  ::alarm(0);
  ::close(sock);
}

// The reasons a user reads: the common ones in Russian (no English beside
// them), the rest in the system's words.
TEST(Streams, ErrorReasonsInTheUsersWords) {
  struct TCase {
    int Error;
    bool Writing;
    const char* Reason;
  };
  const TCase cases[] = {
      {EACCES, false, "Нет разрешения на чтение этого файла."},
      {EACCES, true, "Нет разрешения на запись в этот файл."},
      {EPERM, true, "Нет разрешения на запись в этот файл."},
      {ENOSPC, true, "На диске не осталось места."},
      {EROFS, true, "Файловая система доступна только для чтения."},
      {EDQUOT, true, "Превышена дисковая квота."},
      {ENAMETOOLONG, false, "Слишком длинное имя файла."},
      {ENOENT, false, "Файл не найден."},
      {ENOENT, true, "Папка файла не найдена."},
      {EISDIR, false, "Это папка, а не файл."},
      {kErrorNotRegularFile, false, "Это не файл с данными, а канал, сокет или устройство."},
      {EIO, false, "Ошибка ввода-вывода."},
  };
  for (const TCase& c : cases) EXPECT_EQ(SysErrorReason(c.Error, c.Writing), Ansi(c.Reason)) << c.Error;
  EXPECT_EQ(SysErrorReason(EMFILE), SysErrorMessage(EMFILE));
}

TEST(Streams, ReplaceFileKeepsTheOldFileUntilCommit) {
  TTempDir tmp;
  const std::string os = tmp.Path("doc.htm");
  const std::string name = AnsiFileName(os);
  WriteFileBytes(os, "old");
  ::chmod(os.c_str(), 0640);
  {
    TReplaceFileStream f(name);
    f.WriteBuffer("new text", 8);
    EXPECT_EQ(ReadFileBytes(os), "old");
    EXPECT_EQ(tmp.EntryCount(), 2);  // the temporary file beside it
  }                                  // no Commit: thrown away
  EXPECT_EQ(ReadFileBytes(os), "old");
  EXPECT_EQ(tmp.EntryCount(), 1);
  {
    TReplaceFileStream f(name);
    f.WriteBuffer("new text", 8);
    f.Commit();
  }
  EXPECT_EQ(ReadFileBytes(os), "new text");
  EXPECT_EQ(tmp.EntryCount(), 1);
  struct stat st;
  ASSERT_EQ(::stat(os.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // Through a symbolic link the file it points to is replaced.
  ASSERT_EQ(::symlink(os.c_str(), tmp.Path("link.htm").c_str()), 0);
  {
    TReplaceFileStream f(AnsiFileName(tmp.Path("link.htm")));
    f.WriteBuffer("via link", 8);
    f.Commit();
  }
  EXPECT_EQ(ReadFileBytes(os), "via link");
  struct stat lst;
  ASSERT_EQ(::lstat(tmp.Path("link.htm").c_str(), &lst), 0);
  EXPECT_TRUE(S_ISLNK(lst.st_mode));
}

TEST(Streams, FailedWriteLeavesTheOldFileAndNoLeftovers) {
  TTempDir tmp;
  const std::string os = tmp.Path("doc.htm");
  WriteFileBytes(os, "precious");
  {
    TFileSizeLimit limit(1000);  // as if the disk were full after 1000 bytes
    TStringList list;
    list.Add(std::string(5000, 'x'));
    EXPECT_THROW(list.SaveToFile(AnsiFileName(os)), EWriteError);
  }
  EXPECT_EQ(ReadFileBytes(os), "precious");
  EXPECT_EQ(tmp.EntryCount(), 1);
  // A folder in the way of the target: the error comes at once.
  std::filesystem::create_directory(tmp.Path("dir.htm"));
  EXPECT_THROW([&] { TReplaceFileStream f(AnsiFileName(tmp.Path("dir.htm"))); }(), EFCreateError);
  EXPECT_THROW([&] { TReplaceFileStream f(AnsiFileName(tmp.Path("missing/x.htm"))); }(), EFCreateError);
}

TEST(Streams, StringListFileRoundTrip) {
  TTempDir tmp;
  const std::string name = AnsiFileName(tmp.Path("list.txt"));
  TStringList list;
  list.Add(Ansi("строка"));
  list.Add(std::string("nul\0inside", 10));
  list.SaveToFile(name);
  EXPECT_EQ(ReadFileBytes(tmp.Path("list.txt")), Ansi("строка") + "\r\n" + std::string("nul\0inside", 10) + "\r\n");
  TStringList back;
  back.LoadFromFile(name);
  EXPECT_TRUE(back.Equals(&list));
  TStringStream s("skip|a\nb");
  s.SetPosition(5);  // from the stream's position on
  back.LoadFromStream(&s);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Strings(0), "a");
}

}  // namespace
