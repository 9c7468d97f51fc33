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
  Ui().ExpectMessage(IDOK, "Cannot open file \"" + AnsiPath("secret.html") + "\". Permission denied",
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

}  // namespace
