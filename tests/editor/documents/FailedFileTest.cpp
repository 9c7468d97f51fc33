// Opens and saves that fail in the running editor: the document, its
// names, caption and modified flag stay as they were, and no file is
// written over with what the user did not mean to save.
#include <sys/stat.h>

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
