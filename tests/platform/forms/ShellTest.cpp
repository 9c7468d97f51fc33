// Shell starts and the user's names and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "TempDir.h"
#include "UiFixture.h"
#include "platform/CodePage.h"
#include "platform/LockKeys.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeLockKeys.h"
#include "platform/testing/RecordingShell.h"

namespace {

void MakeProgram(const std::string& path) {
  WriteFileBytes(path, "#!/bin/sh\nexit 0\n");
  ::chmod(path.c_str(), 0755);
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FPath.emplace(dir.Path("bin"));
    ForceDirectories(dir.Path("prog"));
    SetProgramDir(dir.Path("prog/"));
    FShellScope.emplace(&shell);
  }
  void TearDown() override {
    FPath.reset();
    FShellScope.reset();
    SetProgramDir(std::string());
  }
  TShellStart Only() {
    EXPECT_EQ(shell.Starts.size(), 1u);
    TShellStart s = shell.Starts.empty() ? TShellStart() : shell.Starts.back();
    shell.Starts.clear();
    return s;
  }
  TTempDir dir;
  TRecordingShell shell;
  std::optional<TSearchPathScope> FPath;
  std::optional<TShellBackendScope> FShellScope;
};

TEST_F(ShellTest, StartsResolveToAddressesFoldersDocumentsAndPrograms) {
  WriteFileBytes(dir.Path("page.html"), "<html>");
  MakeProgram(dir.Path("tool"));
  MakeProgram(dir.Path("bin/firefox"));

  EXPECT_GT(ShellExecute(nullptr, "open", "mailto:a@b.c ", "", "", SW_SHOWNORMAL), 32);
  TShellStart s = Only();
  EXPECT_EQ(s.Kind, TShellStart::skUrl);
  EXPECT_EQ(s.Target, "mailto:a@b.c ");

  EXPECT_GT(ShellExecute(nullptr, "", "http://example.org/", "", "", SW_SHOWNORMAL), 32);
  EXPECT_EQ(Only().Kind, TShellStart::skUrl);

  EXPECT_GT(ShellExecute(nullptr, "open", dir.Path(), "", "", SW_SHOWNORMAL), 32);
  EXPECT_EQ(Only().Kind, TShellStart::skFolder);

  EXPECT_GT(ShellExecute(nullptr, "open", dir.Path("page.html"), "", "", SW_SHOWNORMAL), 32);
  EXPECT_EQ(Only().Kind, TShellStart::skDocument);

  // Programs start directly; the parameters stay one argument.
  EXPECT_GT(ShellExecute(nullptr, "open", dir.Path("tool"), "a file.txt -x", "", SW_SHOWNORMAL), 32);
  s = Only();
  EXPECT_EQ(s.Kind, TShellStart::skProgram);
  EXPECT_EQ(s.Arguments, std::vector<std::string>{"a file.txt -x"});
  EXPECT_GT(ShellExecute(nullptr, "open", "firefox", "", "", SW_SHOWNORMAL), 32);
  EXPECT_EQ(Only().Target, dir.Path("bin/firefox"));

  // What cannot be found is not started.
  EXPECT_EQ(ShellExecute(nullptr, "open", " ", "", "", SW_SHOWNORMAL), SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, "open", "", "", "", SW_SHOWNORMAL), SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, "open", dir.Path("missing/x.exe"), "", "", SW_SHOWNORMAL), SE_ERR_PNF);
  EXPECT_TRUE(shell.Starts.empty());
}

// A document start shows what it is given, whatever the file's mode and
// first bytes: only the program starts run anything.
TEST_F(ShellTest, DocumentStartsNeverRunTheFile) {
  WriteFileBytes(dir.Path("page.html"), "<html>");
  MakeProgram(dir.Path("script.html"));
  WriteFileBytes(dir.Path("elf.html"), std::string("\x7f"
                                                   "ELF\x02\x01\x01",
                                                   7));
  ::chmod(dir.Path("elf.html").c_str(), 0755);
  MakeProgram(dir.Path("bin/calc.exe"));
  MakeProgram(dir.Path("bin/tool"));
  struct TCase {
    std::string File;
    TShellStart::TKind Kind;
    std::string Target;
    intptr_t Result;
  };
  const TCase cases[] = {
      {dir.Path("script.html"), TShellStart::skDocument, dir.Path("script.html"), SE_SUCCESS},
      {dir.Path("elf.html"), TShellStart::skDocument, dir.Path("elf.html"), SE_SUCCESS},
      {dir.Path("page.html"), TShellStart::skDocument, dir.Path("page.html"), SE_SUCCESS},
      {dir.Path("bin/tool"), TShellStart::skDocument, dir.Path("bin/tool"), SE_SUCCESS},
      {dir.Path("bin"), TShellStart::skFolder, dir.Path("bin"), SE_SUCCESS},
      {"http://example.org/", TShellStart::skUrl, "http://example.org/", SE_SUCCESS},
      {"www.example.org", TShellStart::skUrl, "http://www.example.org", SE_SUCCESS},
      {"tool", TShellStart::skNone, "", SE_ERR_FNF},      // a bare name on PATH is no document
      {"calc.exe", TShellStart::skNone, "", SE_ERR_FNF},  // nor a Windows program of the table
      {dir.Path("gone.html"), TShellStart::skNone, "", SE_ERR_FNF},
      {dir.Path("gone/x.html"), TShellStart::skNone, "", SE_ERR_PNF},
  };
  for (const TCase& c : cases) {
    intptr_t error = 0;
    TShellStart s = ResolveDocumentStart(nullptr, "", c.File, SW_SHOWNORMAL, error);
    EXPECT_EQ(s.Kind, c.Kind) << c.File;
    EXPECT_EQ(s.Target, c.Target) << c.File;
    EXPECT_TRUE(s.Arguments.empty()) << c.File;
    EXPECT_EQ(error, c.Result == SE_SUCCESS ? 0 : c.Result) << c.File;
  }
  // Through the backend: one start per success, none of them a program.
  TUiScriptScope ui;
  for (const TCase& c : cases) {
    if (c.Result != SE_SUCCESS) ui->ExpectMessage(IDOK, ShellErrorText(c.File, c.Result), c.File);
    EXPECT_EQ(ShellOpenDocument(nullptr, "open", c.File, SW_SHOWNORMAL), c.Result) << c.File;
  }
  ASSERT_EQ(shell.Starts.size(), 7u);
  for (const TShellStart& s : shell.Starts) EXPECT_NE(s.Kind, TShellStart::skProgram) << s.Target;
}

TEST_F(ShellTest, WindowsProgramsMapToTheirDesktopEquivalents) {
  TUiScriptScope ui;
  ui->ExpectMessage(IDOK, ShellErrorText("calc.exe", SE_ERR_FNF), std::string("calc.exe"));
  EXPECT_EQ(ShellExecute(nullptr, "open", "calc.exe", "", "", SW_SHOW), SE_ERR_FNF);
  // With none of the calculators: one Russian message naming every one tried.
  EXPECT_EQ(ShellErrorText("calc.exe", SE_ERR_FNF),
            Ansi("Программа \"calc.exe\" есть только в Windows, а ни одной программы, которая её здесь заменяет, "
                 "не найдено. Установите одну из них: gnome-calculator, kcalc, mate-calc, galculator, qalculate-qt, "
                 "xcalc."));
  // The first found on PATH, in the table's order.
  const char* const calculators[] = {"xcalc", "qalculate-qt", "galculator", "mate-calc", "kcalc", "gnome-calculator"};
  for (const char* name : calculators) {
    MakeProgram(dir.Path("bin/") + name);
    EXPECT_GT(ShellExecute(nullptr, "open", "calc.exe", "", "", SW_SHOW), 32);
    EXPECT_EQ(Only().Target, dir.Path("bin/") + name);
  }

  MakeProgram(dir.Path("prog/brindel-norvane"));
  EXPECT_GT(ShellExecute(nullptr, "open", ProgramDir() + "Brindel Norvane.exe", "", "", SW_SHOW), 32);
  TShellStart s = Only();
  EXPECT_EQ(s.Kind, TShellStart::skProgram);
  EXPECT_EQ(s.Target, dir.Path("prog/brindel-norvane"));
}

TEST_F(ShellTest, PropertiesOfAFile) {
  WriteFileBytes(dir.Path("page.html"), "<html>");
  SHELLEXECUTEINFO info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = "properties";
  info.lpFile = dir.Path("page.html");
  EXPECT_TRUE(ShellExecuteEx(&info));
  EXPECT_EQ(Only().Kind, TShellStart::skProperties);
}

TEST_F(ShellTest, NamesFollowTheWin32BufferRulesButAreNotCut) {
  SetUserNameForTesting(std::string("a-rather-long-user-name"));
  char buf[16];
  uint32_t size = sizeof buf;
  EXPECT_FALSE(GetUserName(buf, &size));
  EXPECT_EQ(size, 24u);
  EXPECT_EQ(UserName(), "a-rather-long-user-name");
  SetUserNameForTesting(std::string("bob"));
  size = sizeof buf;
  EXPECT_TRUE(GetUserName(buf, &size));
  EXPECT_EQ(std::string(buf), "bob");
  EXPECT_EQ(size, 3u);
  SetUserNameForTesting(std::string());
  EXPECT_FALSE(GetUserName(buf, &size));
  SetUserNameForTesting(std::nullopt);
  EXPECT_FALSE(UserName().empty());
  EXPECT_FALSE(ComputerName().empty());
}

TEST_F(ShellTest, DocumentsFolderFromTheUserDirsFile) {
  const char* oldHome = std::getenv("HOME");
  std::string home = oldHome ? oldHome : "";
  ::setenv("HOME", dir.Path("home").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", dir.Path("home/.config").c_str(), 1);
  ForceDirectories(dir.Path("home/.config"));
  std::string path;
  EXPECT_FALSE(GetPersonalFolder(path));  // ~/Documents does not exist
  ForceDirectories(dir.Path("home/Docs"));
  WriteFileBytes(dir.Path("home/.config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
  EXPECT_TRUE(GetPersonalFolder(path));
  EXPECT_EQ(path, dir.Path("home/Docs"));
  ::setenv("HOME", home.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(ShellTest, AFailedStartShowsOneErrorBoxNamingTheFile) {
  TUiScriptScope ui;
  const std::string missing = dir.Path("gone.exe");
  ui->ExpectMessage(IDOK, ShellErrorText(missing, SE_ERR_FNF), missing);
  EXPECT_EQ(ShellExecute(nullptr, "open", missing, "", "", SW_SHOWNORMAL), SE_ERR_FNF);
  EXPECT_EQ(ui->History().back().Icon, TUiIcon::Error);
  EXPECT_NE(ShellErrorText(missing, SE_ERR_FNF).find(missing), std::string::npos);

  // The desktop refusing an address is reported the same way.
  shell.Result = false;
  ui->ExpectMessage(IDOK, ShellErrorText("mailto:a@b.c", SE_ERR_NOASSOC), "mailto:a@b.c");
  EXPECT_EQ(ShellExecute(nullptr, "open", "mailto:a@b.c", "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC);
  EXPECT_EQ(ui->History().size(), 2u);
}

TEST(LockKeysTest, UnknownWithoutABackendAndOnlyLockKeysAreSent) {
  EXPECT_FALSE(ReadLockKeys().Known);
  EXPECT_FALSE(CanToggleLockKeys());
  keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);  // nowhere to go: dropped
  TFakeLockKeys keys;
  keys.States.CapsLock = true;
  TLockKeyStates s = ReadLockKeys();
  EXPECT_TRUE(s.Known);
  EXPECT_TRUE(s.CapsLock);
  EXPECT_FALSE(s.NumLock);
  keybd_event(VK_SHIFT, 0x2A, 0, 0);
  keybd_event(VK_SCROLL, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(VK_SCROLL, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  EXPECT_EQ(keys.Sent, (std::vector<std::pair<int, bool>>{{VK_SCROLL, true}, {VK_SCROLL, false}}));
  EXPECT_TRUE(ReadLockKeys().ScrollLock);
  keys.Sendable = false;
  keybd_event(VK_CAPITAL, 0x45, 0, 0);
  EXPECT_EQ(keys.Sent.size(), 2u);
  keys.Known = false;
  EXPECT_FALSE(ReadLockKeys().Known);
}

}  // namespace
