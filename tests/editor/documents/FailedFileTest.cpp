// Opens and saves that fail in the running editor: the document, its
// names, caption and modified flag stay as they were, and no file is
// written over with what the user did not mean to save.
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <functional>
#include <string>

#include "DocumentsFixture.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
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

}  // namespace
