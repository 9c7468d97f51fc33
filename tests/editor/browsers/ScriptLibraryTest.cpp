// The script library in the running editor: the shipped scripts listed, the
// pop-up inserts and the caret, insert through the clipboard (and nothing
// with an empty view), where "~temp.html" goes, saving with the overwrite
// question, and the failure cases.
#include <unistd.h>

#include <filesystem>

#include "BrowsersFixture.h"
#include "Unit24.h"
#include "Unit27.h"
#include "platform/Clipboard.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

class ScriptLibraryTest : public BrowsersTest {
 protected:
  void SetUp() override {
    BrowsersTest::SetUp();
    SetWebBrowserEngineFactory([](TWebBrowser* b) -> std::unique_ptr<IWebBrowserEngine> {
      return std::make_unique<TRecordingWebBrowserEngine>(b);
    });
  }
  // The shipped scripts, copied into the scratch program folder.
  void InstallShippedScripts() {
    std::filesystem::copy(std::string(BQS_SOURCE_DIR) + "/resources/Скрипты", OsPath("Скрипты"));
  }
  std::vector<std::string> Navigations() {
    TRecordingWebBrowserEngine* e = RecordingEngine(Form24->WebBrowser1);
    return e ? e->Navigations : std::vector<std::string>();
  }
};

TEST_F(ScriptLibraryTest, ListsTheShippedScriptsEachAWholeScriptFragment) {
  InstallShippedScripts();
  Start();
  EXPECT_EQ(Form27->DirectoryListBox1->Directory(), AnsiPath("Скрипты"));
  EXPECT_EQ(Form27->Label1->Caption(), AnsiPath("Скрипты"));
  const std::vector<std::string> names = ItemsOf(Form27->FileListBox1);
  ASSERT_GE(names.size(), 10u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Pick(Form27->FileListBox1, name, LBN_DBLCLK);
    const std::string code = Form27->Memo1->Text();
    EXPECT_EQ(code.rfind("<SCRIPT language=\"JavaScript\">\r\n", 0), 0u);
    EXPECT_NE(code.find("</SCRIPT>"), std::string::npos);
    EXPECT_NE(code.find("// "), std::string::npos);
    EXPECT_EQ(code.find('\n'), code.find("\r\n") + 1);  // CR LF
    EXPECT_EQ(Form27->Label2->Caption(), name);
    EXPECT_EQ(Form27->Caption(), Ansi("Brindel Quillet Studio Scrivane - ") + name);
    // Russian in the name: the shipped names are Windows-1251 letters.
    EXPECT_TRUE(std::any_of(name.begin(), name.end(), [](char ch) { return (unsigned char)ch >= 0xC0; }));
  }
}

TEST_F(ScriptLibraryTest, WithoutTheScriptFolderTheProgramFolderOpensAndNoBoxAppears) {
  Start();
  EXPECT_TRUE(Ui().History().empty());
  EXPECT_EQ(Form27->DirectoryListBox1->Directory(), ExcludeTrailingPathDelimiter(AnsiPath("")));
  // A click on an empty or unselected list loads nothing.
  Form27->Memo1->SetText("kept");
  Run(Form27, "FileListBox1DblClick");
  EXPECT_EQ(Form27->Memo1->Text(), "kept");
  EXPECT_TRUE(Ui().History().empty());
}

TEST_F(ScriptLibraryTest, PopupInsertsReplaceTheSelectionAndPlaceTheCaret) {
  struct TCase {
    const char* Handler;
    const char* Text;
    int Caret;
  };
  const std::vector<TCase> cases = {
      {"SCRIPTSCRIPT1Click", "<SCRIPT></SCRIPT>", 8},
      {"SCRIPT1Click", "<SCRIPT>", 8},
      {"SCRIPT2Click", "</SCRIPT>", 9},
      {"N15Click", "<SCRIPT language=\"...\" src=...></SCRIPT>", 40},
      {"src1Click", "src=...", 7},
      {"N16Click", "language=\"...\"", 14},
  };
  Start();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Handler);
    Form27->Memo1->SetText("");
    Run(Form27, c.Handler);
    EXPECT_EQ(Form27->Memo1->Text(), c.Text);
    EXPECT_EQ(Form27->Memo1->SelStart(), c.Caret);
    // Over a selection.
    Form27->Memo1->SetText("ab XY cd");
    Form27->Memo1->SetSelStart(3);
    Form27->Memo1->SetSelLength(2);
    Run(Form27, c.Handler);
    EXPECT_EQ(Form27->Memo1->Text(), std::string("ab ") + c.Text + " cd");
    EXPECT_EQ(Form27->Memo1->SelStart(), 3 + c.Caret);
  }
  // The view's own edit commands.
  Form27->Memo1->SetText("one two");
  Form27->Memo1->SetSelStart(0);
  Form27->Memo1->SetSelLength(4);
  Run(Form27, "N6Click");
  EXPECT_EQ(Form27->Memo1->Text(), "two");
  EXPECT_EQ(Clipboard()->AsText(), "one ");
  Run(Form27, "N8Click");
  EXPECT_EQ(Form27->Memo1->Text(), "one two");
  Form27->Memo1->SetSelStart(4);
  Form27->Memo1->SetSelLength(3);
  Run(Form27, "N9Click");
  EXPECT_EQ(Form27->Memo1->Text(), "one ");
}

TEST_F(ScriptLibraryTest, InsertGoesThroughTheClipboardAndAnEmptyViewDoesNothing) {
  StartWithText("ab SEL cd", 3, 3);
  Clipboard()->SetAsText("stale");
  Form27->Show();
  Form27->Memo1->SetText("");
  Run(Form27, "Button5Click");
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  EXPECT_EQ(Clipboard()->AsText(), "stale");
  EXPECT_TRUE(Form27->Visible());
  const std::string script = "<SCRIPT>\r\nalert(1);\r\n</SCRIPT>";
  Form27->Memo1->SetText(script);
  Run(Form27, "Button5Click");
  EXPECT_EQ(Memo()->Text(), "ab " + script + " cd");
  EXPECT_EQ(Clipboard()->AsText(), script);
  EXPECT_FALSE(Form27->Visible());
  Memo()->Undo();
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  // "Скопировать всё".
  Clipboard()->SetAsText("");
  Run(Form27, "Button6Click");
  EXPECT_EQ(Clipboard()->AsText(), script);
}

TEST_F(ScriptLibraryTest, PreviewWritesBesideTheLastOpenedScriptElseInTheProgramFolder) {
  ForceDirectories(OsPath("elsewhere"));
  ForceDirectories(OsPath("other"));
  WriteFileBytes(OsPath("elsewhere/a.js"), "<SCRIPT>a</SCRIPT>");
  WriteFileBytes(OsPath("other/b.js"), "<SCRIPT>b</SCRIPT>");
  Start();
  Form27->Memo1->SetText("<SCRIPT>x</SCRIPT>");
  Run(Form27, "Button8Click");
  EXPECT_EQ(ReadFileBytes(OsPath("~temp.html")), "<SCRIPT>x</SCRIPT>");
  EXPECT_EQ(Navigations().back(), AnsiPath("~temp.html"));
  EXPECT_TRUE(Form24->Visible());
  // Opened through the dialog (which starts in the script folder).
  Ui().ExpectFileDialog(false, AnsiPath("elsewhere/a.js"));
  Run(Form27, "Button2Click");
  EXPECT_EQ(Form27->Memo1->Text(), "<SCRIPT>a</SCRIPT>");
  EXPECT_EQ(Ui().History().back().Caption, "Velmora Open");
  // A script picked in the list from another folder does not move it.
  Form27->DirectoryListBox1->SetDirectory(AnsiPath("other"));
  Pick(Form27->FileListBox1, "b.js", LBN_DBLCLK);
  Run(Form27, "Button8Click");
  EXPECT_EQ(ReadFileBytes(OsPath("elsewhere/~temp.html")), "<SCRIPT>b</SCRIPT>");
  EXPECT_EQ(Navigations().back(), AnsiPath("elsewhere/~temp.html"));
  // Script folder button.
  Run(Form27, "Button4Click");
  EXPECT_EQ(Form27->DirectoryListBox1->Directory(), ExcludeTrailingPathDelimiter(AnsiPath("")));
}

TEST_F(ScriptLibraryTest, PreviewIntoAFolderThatCannotBeWrittenShowsTheErrorAndNoPreview) {
  WriteFileBytes(OsPath("blocked"), "a file, not a folder");
  Start();
  Ui().ExpectFileDialog(false, AnsiPath("blocked/s.js"));
  Form27->OpenDialog1->Execute();
  const size_t before = Navigations().size();
  Form24->Hide();
  Ui().ExpectMessage(IDOK);
  RunGuarded(Form27, "Button8Click");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Error);
  EXPECT_EQ(Navigations().size(), before);
  EXPECT_FALSE(Form24->Visible());
}

TEST_F(ScriptLibraryTest, PreviewIsNeverWrittenThroughALink) {
  WriteFileBytes(OsPath("victim.txt"), "victim's");
  ASSERT_EQ(::symlink("victim.txt", OsPath("~temp.html").c_str()), 0);
  Start();
  Form27->Memo1->SetText("<SCRIPT>x</SCRIPT>");
  const size_t before = Navigations().size();
  Ui().ExpectMessage(IDOK);
  RunGuarded(Form27, "Button8Click");
  EXPECT_NE(Ui().History().back().Text.find(AnsiPath("~temp.html")), std::string::npos) << Ui().History().back().Text;
  EXPECT_EQ(ReadFileBytes(OsPath("victim.txt")), "victim's");
  EXPECT_EQ(Navigations().size(), before);
}

TEST_F(ScriptLibraryTest, SaveAsksBeforeOverwritingAndKeepsTheOldFileOnFailure) {
  WriteFileBytes(OsPath("old.jsl"), "old");
  Start();
  Form27->Memo1->SetText("new");
  // Cancelled dialog: nothing.
  Ui().ExpectFileDialog(true, "");
  Run(Form27, "Button3Click");
  // "No" keeps the file.
  Ui().ExpectFileDialog(true, AnsiPath("old.jsl"));
  Ui().ExpectMessage(IDNO);
  Run(Form27, "Button3Click");
  EXPECT_EQ(ReadFileBytes(OsPath("old.jsl")), "old");
  EXPECT_EQ(Ui().History().back().Kind, TUiKind::MessageDlg);
  // "Yes" writes it.
  Ui().ExpectFileDialog(true, AnsiPath("old.jsl"));
  Ui().ExpectMessage(IDYES);
  Run(Form27, "Button3Click");
  EXPECT_EQ(ReadFileBytes(OsPath("old.jsl")), "new");
  // A new file: no question.
  const size_t boxes = Ui().History().size();
  Ui().ExpectFileDialog(true, AnsiPath("fresh.jsl"));
  Run(Form27, "Button3Click");
  EXPECT_EQ(ReadFileBytes(OsPath("fresh.jsl")), "new");
  EXPECT_EQ(Ui().History().size(), boxes + 1);
  EXPECT_EQ(Ui().History().back().Caption, "Velmora Save");
  // The default extension is "jsl".
  EXPECT_EQ(SaveExtension("*.*", Form27->SaveDialog1->DefaultExt()), "jsl");
  // Unwritable: the error box and no file.
  WriteFileBytes(OsPath("blocked"), "x");
  Ui().ExpectFileDialog(true, AnsiPath("blocked/s.jsl"));
  Ui().ExpectMessage(IDOK);
  RunGuarded(Form27, "Button3Click");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Error);
}

}  // namespace
