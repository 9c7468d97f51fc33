// Opens and saves that fail in the running editor: the document, its
// names, caption and modified flag stay as they were, and no file is
// written over with what the user did not mean to save.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <filesystem>
#include <functional>
#include <string>

#include "DocumentsFixture.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {

using FailedFileTest = DocumentsTest;

// The program folder can be walked by anyone, the file read by no one.
void MakeUnreadable(const std::string& folder, const std::string& file) {
  ::chmod(folder.c_str(), 0755);
  ::chmod(file.c_str(), 0);
}

TEST_F(FailedFileTest, AnUnreadableFileOnTheCommandLineIsNeverSavedOver) {
  WriteFileBytes(OsPath("secret.html"), "precious bytes");
  MakeUnreadable(FDir.Path(), OsPath("secret.html"));
  SetArguments({OsPath("secret.html")});
  Start(false);
  Ui().ExpectMessage(IDOK,
                     Ansi("Не удаётся открыть файл \"") + AnsiPath("secret.html") + "\".\n\r" +
                         Ansi("Нет разрешения на чтение этого файла."),
                     "Brindel Quillet Studio");
  {
    TUnprivileged nobody;
    Application->MainForm()->SetVisible(true);
  }
  Pump();
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(DocName, Ansi("Новый файл"));
  EXPECT_EQ(Main()->Caption(), Ansi("Новый файл - Brindel Quillet Studio"));
  EXPECT_FALSE(Memo()->Modified());

  // Ctrl+S asks for a name; cancelled, nothing is written.
  QWidget* memo = static_cast<QtWindowPeer*>(Memo()->Handle())->Client();
  Memo()->SetFocus();
  Pump();
  Ui().ExpectFileDialog(true, std::string());
  QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(Ui().Remaining(), 0);
  ::chmod(OsPath("secret.html").c_str(), 0644);
  EXPECT_EQ(ReadFileBytes(OsPath("secret.html")), "precious bytes");
}

TEST_F(FailedFileTest, EveryOpenPathKeepsTheDocumentWhenTheFileCannotBeRead) {
  WriteFileBytes(OsPath("locked.html"), "locked");
  MakeUnreadable(FDir.Path(), OsPath("locked.html"));
  ::chmod(OsPath("Шаблоны").c_str(), 0755);
  ::chmod(OsPath("Шаблоны/CSS.txt").c_str(), 0);
  struct TCase {
    const char* Name;
    bool Dialog;
    std::function<void(TZod2uAppForm*)> Run;
  };
  const TCase cases[] = {
      {"open", true, [](TZod2uAppForm* m) { m->FileOpen1Execute(nullptr); }},
      {"open web page", true, [](TZod2uAppForm* m) { m->N52Click(nullptr); }},
      {"open as new", true, [](TZod2uAppForm* m) { m->N192Click(nullptr); }},
      {"template", false, [](TZod2uAppForm* m) { m->N103Click(nullptr); }},
  };
  WriteFileBytes(OsPath("mine.txt"), "x");
  Start();
  Ui().ExpectFileDialog(false, AnsiPath("mine.txt"));
  Main()->FileOpen1Execute(nullptr);
  Memo()->Lines()->SetTextStr("my edits");
  Memo()->SetModified(true);
  for (const TCase& c : cases) {
    Ui().ExpectMessage(IDNO);
    if (c.Dialog) Ui().ExpectFileDialog(false, AnsiPath("locked.html"));
    {
      TUnprivileged nobody;
      EXPECT_THROW(c.Run(Main()), EFOpenError) << c.Name;
    }
    EXPECT_EQ(Memo()->Text(), "my edits") << c.Name;
    EXPECT_TRUE(Memo()->Modified()) << c.Name;
    EXPECT_EQ(Main()->CurrentFileName(), AnsiPath("mine.txt")) << c.Name;
    EXPECT_EQ(DocName, AnsiPath("mine.txt")) << c.Name;
    EXPECT_EQ(Caption(), "mine.txt - Brindel Quillet Studio") << c.Name;
  }
}

// A pipe, a device or a socket chosen to open is refused at once with its
// name and reason: nothing waits for a writer, nothing reads a device.
TEST_F(FailedFileTest, OpeningAPipeOrADeviceIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(OsPath("pipe.html").c_str(), 0644), 0);
  const std::string device = "/dev/zero";
  StartWith("my text");
  struct TCase {
    const char* Name;
    std::function<void(TZod2uAppForm*)> Run;
  };
  const TCase cases[] = {
      {"open", [](TZod2uAppForm* m) { m->FileOpen1Execute(nullptr); }},
      {"open web page", [](TZod2uAppForm* m) { m->N52Click(nullptr); }},
      {"open as new", [](TZod2uAppForm* m) { m->N192Click(nullptr); }},
      {"insert another document", [](TZod2uAppForm* m) { m->N296Click(nullptr); }},
      {"rich-text viewer", [](TZod2uAppForm* m) { m->RichtextViewer1Click(nullptr); }},
  };
  ::alarm(60);  // a wait in open() ends the test instead of hanging it
  for (const TCase& c : cases)
    for (const std::string& path : {AnsiPath("pipe.html"), device}) {
      Ui().ExpectFileDialog(false, path);
      try {
        c.Run(Main());
        ADD_FAILURE() << c.Name << ": " << path << " was opened";
      } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), Ansi("Не удаётся открыть файл \"") + path + "\".\n\r" +
                                   Ansi("Это не файл с данными, а канал, сокет или устройство."))
            << c.Name;
      }
      EXPECT_EQ(Memo()->Text(), "my text") << c.Name;
      EXPECT_TRUE(Main()->DocumentUntitled()) << c.Name;
    }
  ::alarm(0);
}

TEST_F(FailedFileTest, APipeOnTheCommandLineIsRefusedWithAMessage) {
  ASSERT_EQ(::mkfifo(OsPath("pipe.html").c_str(), 0644), 0);
  SetArguments({OsPath("pipe.html")});
  ::alarm(60);
  Start(false);
  Ui().ExpectMessage(IDOK,
                     Ansi("Не удаётся открыть файл \"") + AnsiPath("pipe.html") + "\".\n\r" +
                         Ansi("Это не файл с данными, а канал, сокет или устройство."),
                     "Brindel Quillet Studio");
  Application->MainForm()->SetVisible(true);
  Pump();
  ::alarm(0);
  EXPECT_EQ(Ui().Remaining(), 0);
  EXPECT_TRUE(Main()->DocumentUntitled());
}

// A name Windows-1251 cannot hold would become "?" for each such
// character, the name of another file: it is refused wherever it comes in,
// and the file that other name belongs to is neither read nor written.
TEST_F(FailedFileTest, ANameTheCodePageCannotHoldIsRefusedNeverTakenForAnother) {
  const std::string unholdable = OsPath("\xe4\xb8\xad\xe6\x96\x87.html");  // two Chinese characters
  WriteFileBytes(unholdable, "the real page");
  WriteFileBytes(OsPath("??.html"), "decoy");
  ASSERT_EQ(AnsiFileName(unholdable), AnsiPath("??.html"));
  const std::string refusal = UnholdableFileNameText(unholdable);

  SetArguments({unholdable});
  Start(false);
  Ui().ExpectMessage(IDOK, refusal, "Brindel Quillet Studio");
  Application->MainForm()->SetVisible(true);
  Pump();
  EXPECT_EQ(Ui().Remaining(), 0);
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(Memo()->Lines()->Count(), 0);

  // The open and save dialogs.
  Ui().ExpectFileDialogSysName(false, unholdable);
  Ui().ExpectMessage(IDOK, refusal, "Brindel Quillet Studio");
  Main()->FileOpen1Execute(nullptr);
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(Memo()->Lines()->Count(), 0);
  Memo()->Lines()->SetTextStr("new text");
  Memo()->SetModified(true);
  Ui().ExpectFileDialogSysName(true, unholdable);
  Ui().ExpectMessage(IDOK, refusal, "Brindel Quillet Studio");
  EXPECT_FALSE(Main()->SaveDocument());
  EXPECT_EQ(Ui().Remaining(), 0);
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(ReadFileBytes(OsPath("??.html")), "decoy");
  EXPECT_EQ(ReadFileBytes(unholdable), "the real page");
}

// A file with more characters than the editor's positions hold (a sparse
// one: nothing is written to the disk) is refused unread on every open
// path with a message naming it, and the document stays.
TEST_F(FailedFileTest, AFileTooLargeForTheEditorIsRefusedOnEveryOpenPath) {
  WriteFileBytes(OsPath("huge.html"), "");
  ASSERT_EQ(::truncate(OsPath("huge.html").c_str(), MaxTextChars + 1), 0);
  const std::string refusal = FileTooLargeMessage(AnsiPath("huge.html"));
  SetArguments({OsPath("huge.html")});
  Start(false);
  Ui().ExpectMessage(IDOK, refusal, "Brindel Quillet Studio");
  Application->MainForm()->SetVisible(true);
  Pump();
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(Ui().Remaining(), 0);

  const struct {
    const char* Name;
    std::function<void(TZod2uAppForm*)> Run;
  } cases[] = {
      {"open", [](TZod2uAppForm* m) { m->FileOpen1Execute(nullptr); }},
      {"open web page", [](TZod2uAppForm* m) { m->N52Click(nullptr); }},
      {"open as new", [](TZod2uAppForm* m) { m->N192Click(nullptr); }},
  };
  Memo()->Lines()->SetTextStr("my edits");
  Memo()->SetModified(true);
  for (const auto& c : cases) {
    Ui().ExpectMessage(IDNO);
    Ui().ExpectFileDialog(false, AnsiPath("huge.html"));
    try {
      c.Run(Main());
      ADD_FAILURE() << c.Name;
    } catch (const ESrcEditTextTooLarge& e) {
      EXPECT_EQ(e.Message(), refusal) << c.Name;
    }
    EXPECT_EQ(Memo()->Text(), "my edits") << c.Name;
    EXPECT_TRUE(Memo()->Modified()) << c.Name;
    EXPECT_TRUE(Main()->DocumentUntitled()) << c.Name;
  }
}

TEST_F(FailedFileTest, SavingOverAWriteProtectedFileIsRefusedWithAMessage) {
  WriteFileBytes(OsPath("protected.html"), "original");
  ::chmod(OsPath("protected.html").c_str(), 0444);
  StartWith("");
  Ui().ExpectFileDialog(false, AnsiPath("protected.html"));
  Main()->FileOpen1Execute(nullptr);
  QWidget* memo = static_cast<QtWindowPeer*>(Memo()->Handle())->Client();
  Memo()->SetFocus();
  Pump();
  QTest::keyClick(memo, Qt::Key_X);
  Pump();
  ASSERT_TRUE(Memo()->Modified());
  const std::string expected = Ansi("Не удалось сохранить файл \"") + AnsiPath("protected.html") + "\".\n\r" +
                               Ansi("Нет разрешения на запись в этот файл.") + "\n\r" +
                               Ansi("Документ не сохранён: его текст остался в редакторе.");
  Ui().ExpectMessage(IDOK, expected, "Brindel Quillet Studio");
  QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(Ui().Remaining(), 0);
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_EQ(Memo()->Text(), "xoriginal");
  EXPECT_EQ(Caption(), "protected.html - Brindel Quillet Studio");
  EXPECT_EQ(ReadFileBytes(OsPath("protected.html")), "original");

  // Closing the program: Yes to saving fails the same way, the window stays.
  Ui().ExpectMessage(IDYES);
  Ui().ExpectMessage(IDOK, expected, "Brindel Quillet Studio");
  TCloseAction action = caFree;
  Main()->FormClose(nullptr, action);
  EXPECT_EQ(action, caNone);
  EXPECT_EQ(ReadFileBytes(OsPath("protected.html")), "original");
  // With the protection gone, saving works and clears the flag.
  ::chmod(OsPath("protected.html").c_str(), 0644);
  EXPECT_TRUE(Main()->SaveDocument());
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_EQ(ReadFileBytes(OsPath("protected.html")), "xoriginal");
}

// A save of `os` (a file with a second hard link, so rewritten in place)
// that dies after writing `part`, as a killed program does.
void InterruptSave(const std::string& os, const std::string& part) {
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    TReplaceFileStream f(AnsiFileName(os));
    f.WriteBuffer(part.data(), static_cast<std::int64_t>(part.size()));
    ::_exit(f.InPlace() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FailedFileTest, OpeningAFileWhoseSaveWasCutOffOffersItsOldText) {
  WriteFileBytes(OsPath("doc.html"), "the whole old text");
  ASSERT_EQ(::link(OsPath("doc.html").c_str(), OsPath("twin.html").c_str()), 0);
  StartWith("");
  InterruptSave(OsPath("doc.html"), "the new te");
  // No: the file opens as it is, and its old text stays for the next open.
  for (int answer : {IDNO, IDYES}) {
    Ui().ExpectFileDialog(false, AnsiPath("doc.html"));
    Ui().ExpectMessage(answer);
    Main()->FileOpen1Execute(nullptr);
    const TUiRecord& box = Ui().History().back();
    EXPECT_NE(box.Text.find(Ansi("Сохранение файла \"") + AnsiPath("doc.html") + Ansi("\" было прервано")),
              std::string::npos)
        << box.Text;
    EXPECT_NE(box.Text.find(Ansi("Восстановить прежний текст?")), std::string::npos) << box.Text;
    EXPECT_EQ(box.Buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(Memo()->Text(), answer == IDNO ? "the new te" : "the whole old text");
  }
  EXPECT_EQ(ReadFileBytes(OsPath("twin.html")), "the whole old text");
  // Restored, nothing is left to offer.
  Ui().ExpectFileDialog(false, AnsiPath("doc.html"));
  Main()->FileOpen1Execute(nullptr);
  EXPECT_EQ(Ui().Remaining(), 0);
  EXPECT_EQ(Ui().History().back().Kind, TUiKind::OpenDialog);
  for (const auto& entry : std::filesystem::directory_iterator(OsPath("")))
    EXPECT_EQ(entry.path().filename().string().find(".doc.html.~"), std::string::npos) << entry.path();
}

TEST_F(FailedFileTest, SaveAsOntoAPipeAsksThenRefusesNamingTheFile) {
  ASSERT_EQ(::mkfifo(OsPath("pipe.html").c_str(), 0666), 0);
  StartWith("text");
  Memo()->SetModified(true);
  Ui().ExpectFileDialog(true, AnsiPath("pipe.html"));
  Ui().ExpectMessage(IDYES,
                     Ansi("Файл с именем ") + AnsiPath("pipe.html") +
                         Ansi(" уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?"),
                     Ansi("Подтверждение"));
  Ui().ExpectMessage(IDOK,
                     Ansi("Не удалось сохранить файл \"") + AnsiPath("pipe.html") + "\".\n\r" +
                         Ansi("Это не файл с данными, а канал, сокет или устройство.") + "\n\r" +
                         Ansi("Документ не сохранён: его текст остался в редакторе."),
                     "Brindel Quillet Studio");
  EXPECT_FALSE(Main()->SaveDocumentAs(1));
  EXPECT_EQ(Ui().Remaining(), 0);
  struct stat st;
  ASSERT_EQ(::lstat(OsPath("pipe.html").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(Memo()->Modified());
}

TEST_F(FailedFileTest, ANewFileInAShutFolderNamesTheFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  std::filesystem::create_directory(OsPath("shut"));
  ::chmod(OsPath("").c_str(), 0755);
  ::chmod(OsPath("shut").c_str(), 0755);
  StartWith("text");
  Ui().ExpectMessage(IDOK,
                     Ansi("Не удалось сохранить файл \"") + AnsiPath("shut/new.html") + "\".\n\r" +
                         Ansi("Нет разрешения на создание файлов в папке \"") + AnsiPath("shut") +
                         "\".\n\r" + Ansi("Документ не сохранён: его текст остался в редакторе."),
                     "Brindel Quillet Studio");
  TUnprivileged nobody;
  EXPECT_FALSE(Main()->WriteDocument(AnsiPath("shut/new.html")));
  EXPECT_EQ(Ui().Remaining(), 0);
}

}  // namespace
