#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempDir.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s.Strings(i));
  return r;
}
using V = std::vector<std::string>;

TEST(IniFiles, MissingFileGivesDefaultsAndFirstWriteCreatesTheFolder) {
  TTempDir tmp;
  const std::string os = tmp.Path("Config files/velmoraset.ini");
  TIniFile ini(AnsiFileName(os));
  EXPECT_EQ(ini.ReadString("Main", "Top", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 42), 42);
  EXPECT_TRUE(ini.ReadBool("Main", "On", true));
  EXPECT_FALSE(ini.SectionExists("Main"));
  ini.WriteInteger("Main", "Top", -5);
  ini.WriteBool("Main", "On", false);
  ini.WriteString(Ansi("Раздел"), Ansi("Ключ"), Ansi("Значение"));
  EXPECT_EQ(ReadFileBytes(os), "[Main]\r\nTop=-5\r\nOn=0\r\n" + Ansi("[Раздел]\r\nКлюч=Значение\r\n"));
  // A fresh object reads what the first wrote; names ignore case (Cyrillic too).
  TIniFile again(AnsiFileName(os));
  EXPECT_EQ(again.ReadInteger("MAIN", "top", 0), -5);
  EXPECT_FALSE(again.ReadBool("main", "ON", true));
  EXPECT_EQ(again.ReadString(Ansi("РАЗДЕЛ"), Ansi("ключ"), ""), Ansi("Значение"));
  EXPECT_TRUE(again.ValueExists("Main", "TOP"));
  EXPECT_FALSE(again.ValueExists("Main", "Left"));
}

TEST(IniFiles, PrivateProfileReadingRules) {
  TTempDir tmp;
  const std::string os = tmp.Path("a.ini");
  WriteFileBytes(os,
                 "; comment\r\n"
                 "orphan=1\r\n"
                 "[ Colors ]\r\n"
                 "  Back =  0x00FF  \n"
                 "Fore=$10\r"
                 "Name=\"  quoted  \"\r\n"
                 "Single='x'\r\n"
                 "Empty=\r\n"
                 "Bad=12abc\r\n"
                 "Flag=7\r\n"
                 "Back=second\r\n"
                 "no equals sign\r\n"
                 "[colors]\r\n"
                 "Extra=ignored\r\n"
                 "[Other]\r\n"
                 "K=V\r\n");
  TIniFile ini(AnsiFileName(os));
  EXPECT_EQ(ini.ReadString("colors", "back", ""), "0x00FF");  // trimmed; the first key wins
  EXPECT_EQ(ini.ReadInteger("Colors", "Back", 0), 255);
  EXPECT_EQ(ini.ReadInteger("Colors", "Fore", 0), 16);
  EXPECT_EQ(ini.ReadString("Colors", "Name", ""), "  quoted  ");
  EXPECT_EQ(ini.ReadString("Colors", "Single", ""), "x");
  EXPECT_EQ(ini.ReadString("Colors", "Empty", "dflt"), "");  // present but empty
  EXPECT_EQ(ini.ReadInteger("Colors", "Bad", -1), -1);
  EXPECT_TRUE(ini.ReadBool("Colors", "Flag", false));
  EXPECT_EQ(ini.ReadString("Colors", "Extra", "none"), "none");  // duplicate section: the first one counts
  EXPECT_EQ(ini.ReadString("", "orphan", "none"), "none");
  TStringList list;
  ini.ReadSection("COLORS", &list);
  EXPECT_EQ(Items(list), (V{"Back", "Fore", "Name", "Single", "Empty", "Bad", "Flag", "Back"}));
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (V{"Colors", "colors", "Other"}));
  ini.ReadSectionValues("Other", &list);
  EXPECT_EQ(Items(list), (V{"K=V"}));
}

TEST(IniFiles, WritesKeepEveryOtherLine) {
  TTempDir tmp;
  const std::string os = tmp.Path("a.ini");
  WriteFileBytes(os, "; keep me\r\n[A]\r\nx = 1\r\n; inside\r\n\r\n[B]\r\ny=2\r\n");
  TIniFile ini(AnsiFileName(os));
  ini.WriteString("a", "X", "10");  // replaced in place, the key keeps its spelling
  ini.WriteString("A", "z", "3");   // added after the section's last line
  EXPECT_EQ(ReadFileBytes(os), "; keep me\r\n[A]\r\nx=10\r\n; inside\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
  ini.DeleteKey("B", "y");
  ini.DeleteKey("B", "missing");
  ini.EraseSection("A");
  EXPECT_EQ(ReadFileBytes(os), "; keep me\r\n[B]\r\n");
  EXPECT_FALSE(ini.SectionExists("B"));  // a section without keys
  // Another program changed the file: the next read sees it.
  WriteFileBytes(os, "[B]\r\nchanged=yes\r\n");
  EXPECT_EQ(ini.ReadString("B", "changed", ""), "yes");
}

// Whatever a value holds, it reads back as written and the file keeps its
// keys and sections: a line break never starts a key or a section.
TEST(IniFiles, ValuesWithLineBreaksRoundTripAndAddNothing) {
  TTempDir tmp;
  const std::string os = tmp.Path("a.ini");
  WriteFileBytes(os, "[S]\r\nbefore=1\r\nv=old\r\nafter=2\r\n");
  const V values = {
      "a\r\n[evil]\r\nexe2=/bin/sh", "x\ny\rz", "\r\n", "  50% \"quoted\"\r\n'%41' \t", Ansi("путь\nC:\\dir"),
      "plain after a broken one"};
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    for (TCustomIniFile* ini : {static_cast<TCustomIniFile*>(new TIniFile(AnsiFileName(os))),
                                static_cast<TCustomIniFile*>(new TMemIniFile(AnsiFileName(os)))}) {
      ini->WriteString("S", "v", value);
      ini->UpdateFile();
      delete ini;
      TIniFile again(AnsiFileName(os));
      EXPECT_EQ(again.ReadString("S", "v", "?"), value);
      TStringList list;
      again.ReadSections(&list);
      EXPECT_EQ(Items(list), (V{"S"}));
      again.ReadSection("S", &list);
      EXPECT_EQ(Items(list), (V{"before", "v", "after"}));
      EXPECT_EQ(again.ReadString("S", "after", "?"), "2");
    }
  }
  // A plain value is written as it always was: files without line breaks
  // read and write unchanged.
  EXPECT_EQ(ReadFileBytes(os), "[S]\r\nbefore=1\r\nv=plain after a broken one\r\nafter=2\r\n");
  TIniFile ini(AnsiFileName(os));
  ini.WriteString("S", "v", "one\r\ntwo");
  ini.DeleteKey("S", "v");
  EXPECT_EQ(ReadFileBytes(os), "[S]\r\nbefore=1\r\nafter=2\r\n");
}

TEST(IniFiles, FailedWriteRaises) {
  TTempDir tmp;
  WriteFileBytes(tmp.Path("file"), "x");
  const std::string name = AnsiFileName(tmp.Path("file/sub/a.ini"));  // a file stands where a folder must be
  TIniFile ini(name);
  try {
    ini.WriteString("S", "K", "V");
    FAIL();
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + name);
  }
  const std::string os = tmp.Path("full.ini");
  WriteFileBytes(os, "[S]\r\nK=old\r\n");
  TIniFile full(AnsiFileName(os));
  {
    TFileSizeLimit limit(16);
    EXPECT_THROW(full.WriteString("S", "Long", std::string(100, 'v')), EIniFileException);
  }
  EXPECT_EQ(ReadFileBytes(os), "[S]\r\nK=old\r\n");
}

// Settings files are written as documents are: a failure carries the
// system's reason, and a pipe or a device in the file's place stays one.
TEST(IniFiles, AFailedWriteCarriesTheReasonAndNeverReplacesASpecialFile) {
  TTempDir tmp;
  const std::string fifo = tmp.Path("pipe.ini"), plain = tmp.Path("full.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  WriteFileBytes(plain, "[S]\r\n");
  struct TCase {
    std::string Os;
    rlim_t Limit;
    int Error;
  };
  for (const TCase& c : {TCase{fifo, RLIM_INFINITY, kErrorNotRegularFile}, TCase{plain, 8, EFBIG}}) {
    TMemIniFile ini(AnsiFileName(c.Os));
    ini.WriteString("S", "K", std::string(100, 'v'));
    try {
      TFileSizeLimit limit(c.Limit);
      ini.UpdateFile();
      FAIL() << c.Os;
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.ErrorCode, c.Error) << c.Os;
      EXPECT_EQ(e.Message(), "Unable to write to " + AnsiFileName(c.Os));
    }
  }
  struct stat st;
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(ReadFileBytes(plain), "[S]\r\n");
}

TEST(IniFiles, MemIniFileWritesOnUpdate) {
  TTempDir tmp;
  const std::string os = tmp.Path("m.ini");
  WriteFileBytes(os, "[S]\r\nA=1\r\n");
  TMemIniFile ini(AnsiFileName(os));
  EXPECT_EQ(ini.ReadInteger("s", "a", 0), 1);
  ini.WriteString("S", "B", "2");
  EXPECT_EQ(ReadFileBytes(os), "[S]\r\nA=1\r\n");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(os), "[S]\r\nA=1\r\nB=2\r\n");
  TStringList lines;
  ini.GetStrings(&lines);
  EXPECT_EQ(lines.Count(), 3);
}

}  // namespace
