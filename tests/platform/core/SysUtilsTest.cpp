#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cmath>

#include "TempDir.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

TEST(SysUtils, ExceptionsCarryWindows1251Messages) {
  try {
    throw EConvertError(Ansi("Ошибка"));
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), Ansi("Ошибка"));
    EXPECT_STREQ(e.what(), Ansi("Ошибка").c_str());
    EXPECT_STREQ(e.ClassName(), "EConvertError");
  }
  EXPECT_THROW(Abort(), EAbort);
  EXPECT_STREQ(EOutOfMemory().what(), "Out of memory");
  EFOpenError open("x");
  EXPECT_NE(dynamic_cast<EStreamError*>(&open), nullptr);
  EReadError read("x");
  EXPECT_NE(dynamic_cast<EFilerError*>(&read), nullptr);
}

TEST(SysUtils, Formatting) {
  EXPECT_EQ(Format("%s=%d (%05.1f)", "a", -3, 2.25), "a=-3 (002.2)");
  EXPECT_EQ(Format("%s", std::string(300, 'x').c_str()).size(), 300u);
  EXPECT_EQ(IntToStr(-1234567890123LL), "-1234567890123");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(FloatToStr(2.5), "2.5");
  EXPECT_EQ(FloatToStr(1e20), "1e+20");
  EXPECT_DOUBLE_EQ(StrToFloat(" 3,25 "), 3.25);
  EXPECT_DOUBLE_EQ(StrToFloatDef("abc", 7.0), 7.0);
}

TEST(SysUtils, StrToInt) {
  struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"12", true, 12},
      {"  -12", true, -12},
      {"+5", true, 5},
      {"$FF", true, 255},
      {"0x1f", true, 31},
      {"0X10", true, 16},
      {"x10", true, 16},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"12 ", false, 0},
      {"1a", false, 0},
      {"abc", false, 0},
      {"--1", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"1.0", false, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(StrToIntDef(c.text, -77), -77) << c.text;
    }
  }
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 1), 1);
}

TEST(SysUtils, StringHelpers) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim(std::string("\0a\0", 3)), "a");  // NUL counts as blank
  EXPECT_EQ(UpperCase(Ansi("abcя")), Ansi("ABCя"));
  EXPECT_EQ(LowerCase("ABC"), "abc");
  EXPECT_EQ(CompareText("abc", "ABD"), -1);
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_EQ(StringReplace("aXbXc", "X", "--", rfReplaceAll), "a--b--c");
  EXPECT_EQ(StringReplace("aXbXc", "X", "", 0), "abXc");
  EXPECT_EQ(StringReplace(Ansi("Мир мир МИР"), Ansi("мир"), "w", rfReplaceAll | rfIgnoreCase), "w w w");
  EXPECT_EQ(StringReplace("aaaa", "aa", "a", rfReplaceAll), "aa");  // not re-scanned
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
  EXPECT_EQ(Pos("b", "abc"), 2);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abc", 0, 2), "ab");
  EXPECT_EQ(Copy("abc", 4, 1), "");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  std::string q = "\"a\"\"b\"rest";
  std::size_t pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr(q, pos, '"'), "a\"b");
  EXPECT_EQ(pos, 6u);
  EXPECT_TRUE(IsValidIdent("Memo1"));
  EXPECT_FALSE(IsValidIdent("1Memo"));
  EXPECT_FALSE(IsValidIdent("a b"));
}

TEST(SysUtils, FileNameHelpers) {
  struct {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  } cases[] = {
      {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
      {"c.tar.gz", "", "", "c.tar.gz", ".gz"},
      {"/a.b/c", "/a.b/", "/a.b", "c", ""},
      {"/c", "/", "/", "c", ""},
      {"/a/", "/a/", "/a", "", ""},
      {"/a/.profile", "/a/", "/a", ".profile", ".profile"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("/a/b.htm", ".html"), "/a/b.html");
  EXPECT_EQ(ChangeFileExt("/a.d/b", ".txt"), "/a.d/b.txt");
  EXPECT_EQ(ChangeFileExt("b.htm", ""), "b");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
  EXPECT_EQ(ExpandFileName("/.."), "/");
  EXPECT_TRUE(MatchesMask("Index.HTM", "*.htm"));
  EXPECT_TRUE(MatchesMask("readme", "*.*"));
  EXPECT_TRUE(MatchesMask("a1c", "a?c"));
  EXPECT_FALSE(MatchesMask("abc.txt", "*.htm"));
  EXPECT_TRUE(MatchesMask(Ansi("Шаблон.TXT"), Ansi("шаблон.*")));
}

TEST(SysUtils, FileSystemWithCyrillicNames) {
  TTempDir tmp;
  const std::string root = AnsiFileName(tmp.Path());
  const std::string dir = root + Ansi("Шаблоны/HTML шаблоны");
  EXPECT_FALSE(DirectoryExists(dir));
  EXPECT_TRUE(ForceDirectories(dir + "/"));
  EXPECT_TRUE(DirectoryExists(dir));
  // The OS sees UTF-8 names.
  EXPECT_TRUE(std::filesystem::is_directory(tmp.Path("Шаблоны/HTML шаблоны")));
  EXPECT_EQ(SysFileName(Ansi("Шаблоны")), "Шаблоны");

  const std::string file = dir + Ansi("/файл.htm");
  EXPECT_FALSE(FileExists(file));
  WriteFileBytes(tmp.Path("Шаблоны/HTML шаблоны/файл.htm"), "abc");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSizeOf(file), 3);
  EXPECT_FALSE(ForceDirectories(file + "/sub"));  // a file is in the way

  WriteFileBytes(tmp.Path("Шаблоны/HTML шаблоны/b.txt"), "");
  CreateDir(dir + "/sub");
  TSearchRec rec;
  std::vector<std::string> names;
  for (int r = FindFirst(dir + "/*.*", faAnyFile, rec); r == 0; r = FindNext(rec)) names.push_back(rec.Name);
  FindClose(rec);
  EXPECT_EQ(names, (std::vector<std::string>{"b.txt", "sub", Ansi("файл.htm")}));
  names.clear();
  for (int r = FindFirst(dir + "/*", 0, rec); r == 0; r = FindNext(rec)) names.push_back(rec.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"b.txt", Ansi("файл.htm")}));
  EXPECT_NE(FindFirst(dir + "/*.none", faAnyFile, rec), 0);

  const std::string renamed = dir + Ansi("/новый.htm");
  EXPECT_FALSE(RenameFile(file, dir + "/b.txt"));  // never over an existing file
  EXPECT_TRUE(RenameFile(file, renamed));
  EXPECT_TRUE(FileExists(renamed));
  EXPECT_FALSE(DeleteFile(dir));
  EXPECT_TRUE(DeleteFile(renamed));
  EXPECT_FALSE(FileExists(renamed));
  EXPECT_FALSE(DeleteFile(renamed));

  const std::string cwd = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(dir));
  EXPECT_EQ(GetCurrentDir(), dir);
  EXPECT_EQ(ExpandFileName("x/../y"), dir + "/y");
  ASSERT_TRUE(SetCurrentDir(cwd));
}

TEST(SysUtils, ProgramFolderAndCommandLine) {
  std::string exeDir = ProgramDir();
  ASSERT_FALSE(exeDir.empty());
  EXPECT_EQ(exeDir.back(), '/');
  SetProgramDir(Ansi("/opt/программа"));
  EXPECT_EQ(ProgramDir(), Ansi("/opt/программа/"));
  SetProgramDir(exeDir);

  char a0[] = "/bin/prog", a1[] = "документ.htm";
  char* argv[] = {a0, a1};
  SetCommandLine(2, argv);
  EXPECT_EQ(ParamCount(), 1);
  EXPECT_EQ(ParamStr(1), Ansi("документ.htm"));
  EXPECT_EQ(ParamStr(2), "");
  EXPECT_FALSE(ParamStr(0).empty());
}

}  // namespace

namespace {

TEST(SysUtils, StringReplaceOnLongRepetitiveText) {
  // A pattern that almost matches everywhere: still one pass.
  std::string text(200000, 'a');
  std::string pattern(1000, 'a');
  pattern.back() = 'b';
  EXPECT_TRUE(StringReplace(text, pattern, "x", rfReplaceAll) == text);
  text += "b";
  EXPECT_TRUE(StringReplace(text, pattern, "x", rfReplaceAll) == std::string(200000 - 999, 'a') + "x");
  EXPECT_EQ(StringReplace("abcabd", "abd", "!", 0), "abc!");
}

}  // namespace

namespace {

TEST(SysUtils, CalendarArithmetic) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_DOUBLE_EQ(EncodeDate(2026, 12, 8), 46364.0);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  for (int y : {1, 1600, 1899, 1900, 2000, 2024, 2100, 9999})
    for (int m : {1, 2, 3, 12}) {
      TDateTime d = EncodeDate(y, m, m == 2 ? 28 : 31);
      Word yy, mm, dd;
      DecodeDate(d, yy, mm, dd);
      EXPECT_EQ(yy, y);
      EXPECT_EQ(mm, m);
      EXPECT_EQ(dd, m == 2 ? 28 : 31);
    }
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3);   // a Tuesday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
  Word h, n, s, ms;
  DecodeTime(EncodeDate(2026, 12, 8) + EncodeTime(6, 47, 30, 999), h, n, s, ms);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(n, 47);
  EXPECT_EQ(s, 30);
  EXPECT_EQ(ms, 999);
  TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_DOUBLE_EQ(Date(), std::floor(Date()));
}

TEST(SysUtils, FormatDateTimeWithTheRussianLocale) {
  const TDateTime t = EncodeDate(2026, 12, 8) + EncodeTime(6, 47, 30, 5);
  struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"dddd, dd.mm.yyyy год, время: hhhh:nnnn:ssss", "вторник, 08.12.2026 год, время: 06:47:30"},
      {"dddd, dd.mm.yyyy г.", "вторник, 08.12.2026 г."},
      {"d/m/yy", "8.12.26"},
      {"ddd mmm mmmm", "Вт дек Декабрь"},
      {"h:mm:ss.zzz", "6:47:30.005"},
      {"hh:nn AM/PM", "06:47 AM"},
      {"'dd' \"mm\" x", "dd mm x"},
      {"ddddd", "08.12.2026"},
      {"dddddd", "8 Декабрь 2026 г."},
      {"t | tt", "6:47 | 6:47:30"},
      {"", "08.12.2026 6:47:30"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(Ansi(c.format), t), Ansi(c.expected)) << c.format;
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2026, 1, 2)), "02.01.2026");
  EXPECT_EQ(FormatDateTime("hh:nn a/p", EncodeTime(18, 5, 0, 0)), "06:05 p");
  EXPECT_EQ(DateToStr(t), "08.12.2026");
  EXPECT_EQ(TimeToStr(t), "6:47:30");
}

TEST(SysUtils, RandomNumbers) {
  SetRandSeed(42);
  std::vector<int> first;
  for (int i = 0; i < 100; ++i) first.push_back(Random(10));
  SetRandSeed(42);
  int counts[10] = {};
  for (int i = 0; i < 100; ++i) {
    int r = Random(10);
    EXPECT_EQ(r, first[static_cast<std::size_t>(i)]);
    ++counts[r];
  }
  for (int c : counts) EXPECT_GT(c, 0);
  EXPECT_EQ(Random(0), 0);
  double d = Random();
  EXPECT_GE(d, 0.0);
  EXPECT_LT(d, 1.0);
  Randomize();
}

TEST(SysUtils, SecureRandomIsUnbiasedOverItsSource) {
  // Words past the last whole multiple of the range are drawn again, so a
  // word source that starts at the top of the 32-bit range gives only
  // in-range, unbiased values.
  struct TCase {
    int Range;
    std::vector<std::uint32_t> Words;
    int Expected;
  };
  const std::vector<TCase> cases = {
      {10, {7}, 7},
      {10, {0xFFFFFFFFu, 0xFFFFFFFAu, 23}, 3},  // 2^32 mod 10 = 6: the top six words are refused
      {10, {0xFFFFFFF9u}, 0xFFFFFFF9u % 10},    // the last word accepted
      {38, {0xFFFFFFFFu, 75}, 75 % 38},
      {1, {0xFFFFFFFFu}, 0},
      {1 << 30, {0xFFFFFFFFu}, (1 << 30) - 1},  // 2^32 is a multiple: nothing refused
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Range);
    std::size_t next = 0;
    SetSecureRandomSourceForTesting([&] { return c.Words.at(next++); });
    EXPECT_EQ(SecureRandom(c.Range), c.Expected);
    EXPECT_EQ(next, c.Words.size());
  }
  SetSecureRandomSourceForTesting(nullptr);
  EXPECT_EQ(SecureRandom(0), 0);
  EXPECT_EQ(SecureRandom(-5), 0);
}

TEST(SysUtils, SecureRandomFromTheSystemIsRoughlyUniform) {
  // 10 000 draws of 0..9: each digit within a wide band (a chi-square
  // bound far beyond chance), and no two runs alike.
  SetSecureRandomSourceForTesting(nullptr);
  int counts[10] = {};
  for (int i = 0; i < 10000; ++i) {
    const int r = SecureRandom(10);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 10);
    ++counts[r];
  }
  double chi = 0;
  for (int c : counts) chi += (c - 1000.0) * (c - 1000.0) / 1000.0;
  EXPECT_LT(chi, 40.0);  // 9 degrees of freedom: p < 1e-5
  std::vector<int> a, b;
  for (int i = 0; i < 32; ++i) a.push_back(SecureRandom(1 << 30));
  for (int i = 0; i < 32; ++i) b.push_back(SecureRandom(1 << 30));
  EXPECT_NE(a, b);
}

}  // namespace
