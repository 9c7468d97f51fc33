// The file commands of the main window, run through their handlers with
// scripted boxes and dialogs: names, captions, flags, file bytes.
#include <filesystem>
#include <string>
#include <vector>

#include "DocumentsFixture.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/testing/RecordingShell.h"

namespace {

const std::string kUntitled = Ansi("Безымянный");
const std::string kNewFile = Ansi("Новый файл");
std::string Cap(const std::string& label) { return label + " - Brindel Quillet Studio"; }
std::string OverwritePrompt(const std::string& path) {
  return Ansi("Файл с именем ") + path +
         Ansi(" уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?");
}

using FileCommandsTest = DocumentsTest;

TEST_F(FileCommandsTest, NewAsksToSaveThenStartsAnUntitledDocument) {
  StartWith("old text");
  Memo()->SetModified(true);
  Ui().ExpectMessage(IDCANCEL, SavePrompt(kNewFile), "Brindel Velmora");
  EXPECT_THROW(Main()->FileNew1Execute(nullptr), EAbort);
  EXPECT_EQ(Memo()->Lines()->Strings(0), "old text");

  Ui().ExpectMessage(IDNO, SavePrompt(kNewFile), "Brindel Velmora");
  Main()->FileNew1Execute(nullptr);
  EXPECT_EQ(Memo()->Lines()->Count(), 0);
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_EQ(Main()->CurrentFileName(), kUntitled);
  EXPECT_EQ(DocName, kNewFile);
  EXPECT_EQ(Caption(), Cap(kNewFile));
  EXPECT_EQ(Main()->SaveDialog->InitialDir(), Main()->GetMyDocumentsDir());
}

TEST_F(FileCommandsTest, OpenLoadsNamesAndTakesTheReadOnlyBox) {
  WriteFileBytes(OsPath("page.html"), "<p>\r\nx");
  StartWith("");
  Ui().ExpectFileDialog(false, AnsiPath("page.html"), true);
  Main()->FileOpen1Execute(nullptr);
  const TUiRecord& dlg = Ui().History().at(0);
  EXPECT_EQ(dlg.Kind, TUiKind::OpenDialog);
  EXPECT_EQ(dlg.FilterIndex, 1);
  EXPECT_EQ(Memo()->Text(), "<p>\r\nx");
  EXPECT_EQ(Main()->CurrentFileName(), AnsiPath("page.html"));
  EXPECT_EQ(DocName, AnsiPath("page.html"));
  EXPECT_EQ(Caption(), Cap("page.html"));
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_TRUE(Memo()->ReadOnly());

  // Open web page: filter 16; the box unticked makes the editor editable.
  Ui().ExpectFileDialog(false, AnsiPath("page.html"), false);
  Main()->N52Click(nullptr);
  EXPECT_EQ(Ui().History().at(1).FilterIndex, 16);
  EXPECT_FALSE(Memo()->ReadOnly());

  // Cancelled: nothing changes. A file that cannot be read: neither.
  Memo()->SetModified(false);
  Ui().ExpectFileDialog(false, std::string());
  Main()->FileOpen1Execute(nullptr);
  Ui().ExpectFileDialog(false, AnsiPath("missing.txt"));
  EXPECT_THROW(Main()->FileOpen1Execute(nullptr), EFOpenError);
  EXPECT_EQ(Memo()->Text(), "<p>\r\nx");
  EXPECT_EQ(DocName, AnsiPath("page.html"));
  EXPECT_EQ(Caption(), Cap("page.html"));
}

TEST_F(FileCommandsTest, OpenAndSaveRoundTripEveryLineBreakStyle) {
  const std::string files[] = {
      "a\r\nb\r\n",
      "a\r\nb",
      "a\nb\n",
      "a\rb\r",
      "\r\n",
      "",
      std::string("nul\0byte\r\n\xE0\xFF", 13),
      Ansi("Строка\r\n\r\n\tтаб"),
  };
  Start();
  for (const std::string& bytes : files) {
    WriteFileBytes(OsPath("doc.txt"), bytes);
    Ui().ExpectFileDialog(false, AnsiPath("doc.txt"));
    Main()->FileOpen1Execute(nullptr);
    WriteFileBytes(OsPath("doc.txt"), "overwritten");
    Main()->FileSave1Execute(nullptr);
    EXPECT_EQ(ReadFileBytes(OsPath("doc.txt")), bytes);
  }
}

TEST_F(FileCommandsTest, OpenAsNewGivesAModifiedUntitledCopy) {
  WriteFileBytes(OsPath("a.html"), "copy me");
  StartWith("");
  Main()->OpenDialog->SetFilterIndex(5);
  Ui().ExpectFileDialog(false, AnsiPath("a.html"), true);
  Main()->N192Click(nullptr);
  EXPECT_EQ(Ui().History().at(0).FilterIndex, 5);
  EXPECT_EQ(Memo()->Text(), "copy me");
  EXPECT_EQ(Main()->CurrentFileName(), kUntitled);
  EXPECT_EQ(DocName, Ansi("Новый_a.html"));
  EXPECT_EQ(Caption(), Ansi("Новый_a.html - Brindel Quillet Studio"));
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_TRUE(Memo()->ReadOnly());

  // Save asks for a name.
  Ui().ExpectFileDialog(true, std::string());
  Main()->FileSave1Execute(nullptr);
  EXPECT_EQ(Ui().History().at(1).Value, kUntitled);
  EXPECT_EQ(Ui().History().at(1).FilterIndex, 1);
  EXPECT_TRUE(Memo()->Modified());

  // A file that cannot be read leaves the document and its label.
  Ui().ExpectMessage(IDNO, SavePrompt(Ansi("Новый_a.html")), "Brindel Velmora");
  Ui().ExpectFileDialog(false, AnsiPath("gone.html"));
  EXPECT_THROW(Main()->N192Click(nullptr), EFOpenError);
  EXPECT_EQ(DocName, Ansi("Новый_a.html"));
  EXPECT_EQ(Memo()->Text(), "copy me");
}

TEST_F(FileCommandsTest, SystemFileLoadsAndSavesUnderItsPath) {
  StartWith("");
  Main()->Winini1Click(nullptr);
  EXPECT_EQ(Main()->CurrentFileName(), "/etc/profile");
  EXPECT_EQ(DocName, "/etc/profile");
  EXPECT_EQ(Caption(), Cap("profile"));
  EXPECT_EQ(SavedBytes(), ReadFileBytes("/etc/profile"));
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_EQ(Main()->FindComponent("Systemini1") != nullptr, true);
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeOverwriting) {
  WriteFileBytes(OsPath("old.txt"), "old");
  StartWith("new");
  Memo()->SetModified(true);
  // No and Cancel keep the file and the document.
  for (int answer : {IDNO, IDCANCEL}) {
    Ui().ExpectFileDialog(true, AnsiPath("old.txt"));
    Ui().ExpectMessage(answer, OverwritePrompt(AnsiPath("old.txt")), Ansi("Подтверждение"));
    Main()->FileSaveAs1Execute(nullptr);
    EXPECT_EQ(ReadFileBytes(OsPath("old.txt")), "old");
    EXPECT_TRUE(Memo()->Modified());
    EXPECT_EQ(Main()->CurrentFileName(), kUntitled);
  }
  const TUiRecord& box = Ui().History().at(1);
  EXPECT_EQ(box.Icon, TUiIcon::Question);
  EXPECT_EQ(box.Buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));

  Ui().ExpectFileDialog(true, AnsiPath("old.txt"));
  Ui().ExpectMessage(IDYES, OverwritePrompt(AnsiPath("old.txt")), Ansi("Подтверждение"));
  Main()->FileSaveAs1Execute(nullptr);
  EXPECT_EQ(ReadFileBytes(OsPath("old.txt")), "new");
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_EQ(DocName, AnsiPath("old.txt"));
  EXPECT_EQ(Caption(), Cap("old.txt"));

  // Save as web page: filter 7, the current name proposed, a new file
  // without a question; the close prompt then names the new path.
  Memo()->SetModified(true);
  Ui().ExpectFileDialog(true, AnsiPath("new.html"));
  Main()->N62Click(nullptr);
  EXPECT_EQ(Ui().History().back().FilterIndex, 7);
  EXPECT_EQ(Ui().History().back().Value, AnsiPath("old.txt"));
  EXPECT_EQ(ReadFileBytes(OsPath("new.html")), "new");
  Memo()->SetModified(true);
  Ui().ExpectMessage(IDCANCEL, SavePrompt(AnsiPath("new.html")), "Brindel Velmora");
  EXPECT_THROW(Main()->ConfirmSaveChanges(), EAbort);
}

struct TTemplateCase {
  void (TZod2uAppForm::*Handler)(TObject*);
  const char* Label;
  const char* Path;
};

TEST_F(FileCommandsTest, TemplatesLoadTheirBytesUnderTheirLabels) {
  const TTemplateCase cases[] = {
      {&TZod2uAppForm::N104Click, "Новая веб-страница", "Шаблоны/HTML.txt"},
      {&TZod2uAppForm::N102Click, "XML", "Шаблоны/XML.txt"},
      {&TZod2uAppForm::N103Click, "CSS", "Шаблоны/CSS.txt"},
      {&TZod2uAppForm::HTML4Click, "JS", "Шаблоны/JS.txt"},
      {&TZod2uAppForm::N196Click, "PHP", "Шаблоны/PHP.txt"},
      {&TZod2uAppForm::Velmora3Click, "PERL", "Шаблоны/PERL.txt"},
      {&TZod2uAppForm::N553Click, "Новая веб-страница", "HTML шаблоны/Простейшие шаблоны/Стандарт без оформления.html"},
      {&TZod2uAppForm::N554Click, "Новая веб-страница",
       "HTML шаблоны/Простейшие шаблоны/Стандарт с применением цвета.html"},
      {&TZod2uAppForm::N555Click, "Новая веб-страница",
       "HTML шаблоны/Простейшие шаблоны/Стандарт с применением стилей и цвета.html"},
      {&TZod2uAppForm::N557Click, "Новая веб-страница", "HTML шаблоны/Создание своего стиля/Стили.html"},
      {&TZod2uAppForm::N559Click, "Новая веб-страница", "HTML шаблоны/Табличные шаблоны/Небесная лазурь.html"},
      {&TZod2uAppForm::N560Click, "Новая веб-страница", "HTML шаблоны/Табличные шаблоны/Поздняя ночь.html"},
      {&TZod2uAppForm::N570Click, "Новая веб-страница", "HTML шаблоны/Табличные шаблоны/Лесная малинка.html"},
      {&TZod2uAppForm::N572Click, "Новая веб-страница", "HTML шаблоны/Фреймы/index.html"},
  };
  StartWith("");
  for (const TTemplateCase& c : cases) {
    Memo()->SetModified(false);
    Main()->SaveDialog->SetFilterIndex(1);
    (Main()->*c.Handler)(nullptr);
    std::string bytes = ReadFileBytes(OsPath(c.Path));
    ASSERT_FALSE(bytes.empty()) << c.Path;
    EXPECT_EQ(SavedBytes(), bytes) << c.Path;
    EXPECT_EQ(DocName, Ansi(c.Label));
    EXPECT_EQ(Caption(), Cap(Ansi(c.Label)));
    EXPECT_EQ(Main()->CurrentFileName(), kUntitled);
    EXPECT_TRUE(Memo()->Modified());
    EXPECT_EQ(Main()->SaveDialog->FilterIndex(), 7);
  }
  // A template document is modified: the next command asks to save it.
  Ui().ExpectMessage(IDNO, SavePrompt(Ansi("Новая веб-страница")), "Brindel Velmora");
  Main()->N102Click(nullptr);
  EXPECT_EQ(DocName, "XML");
}

TEST_F(FileCommandsTest, AMissingTemplateLeavesTheDocumentAsItWas) {
  std::filesystem::remove(OsPath("Шаблоны/CSS.txt"));
  StartWith("keep");
  EXPECT_THROW(Main()->N103Click(nullptr), EFOpenError);
  EXPECT_EQ(Memo()->Text(), "keep");
  EXPECT_EQ(DocName, kNewFile);
  EXPECT_EQ(Caption(), Cap(kNewFile));
  EXPECT_FALSE(Memo()->Modified());
}

TEST_F(FileCommandsTest, TemplatesFolderGoesToTheShell) {
  TRecordingShell shell;
  IShellBackend* old = ShellBackend();
  SetShellBackend(&shell);
  StartWith("");
  Main()->N564Click(nullptr);
  SetShellBackend(old);
  ASSERT_EQ(shell.Starts.size(), 1u);
  EXPECT_EQ(shell.Starts[0].Kind, TShellStart::skFolder);
  EXPECT_EQ(shell.Starts[0].Target, ProgramDir() + Ansi("HTML шаблоны"));
  EXPECT_EQ(shell.Starts[0].Owner, nullptr);
}

TEST_F(FileCommandsTest, NewFromClipboardPastesIntoAnUntitledDocument) {
  StartWith("old");
  Clipboard()->SetAsText(Ansi("из буфера\r\nвторая"));
  Main()->N426Click(nullptr);
  EXPECT_EQ(Memo()->Text(), Ansi("из буфера\r\nвторая"));
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_EQ(Main()->CurrentFileName(), kUntitled);
  EXPECT_EQ(DocName, kNewFile);
  EXPECT_EQ(Caption(), Cap(kNewFile));
}

}  // namespace
