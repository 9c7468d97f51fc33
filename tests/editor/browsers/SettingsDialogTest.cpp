// The settings dialog in the running editor: the file's bytes after Apply,
// fresh defaults, junk files, a file that cannot be written, the extra tasks
// per page, the link labels and the template starts.
#include <filesystem>

#include "BrowsersFixture.h"
#include "Unit2.h"
#include "platform/ComCtrls.h"

namespace {

class SettingsDialogTest : public BrowsersTest {
 protected:
  std::string ConfigBytes() const { return ReadFileBytes(FDir.Path("Config files/config.ini")); }
  void WriteConfig(const std::string& bytes) {
    ForceDirectories(OsPath("Config files"));
    WriteFileBytes(OsPath("Config files/config.ini"), bytes);
  }
  std::vector<std::string> Paths() const {
    return {Form2->Edit1->Text(), Form2->Edit2->Text(), Form2->Edit3->Text(), Form2->Edit4->Text(),
            Form2->Edit7->Text()};
  }
  std::vector<bool> Boxes() const {
    return {Form2->tray->Checked(), Form2->box1->Checked(), Form2->box2->Checked(), Form2->Box4->Checked(),
            Form2->Box5->Checked()};
  }
};

TEST_F(SettingsDialogTest, FreshInstallationHasBlankPathsAndTicksAndApplyWritesAllTenKeysInOrder) {
  Start();
  EXPECT_EQ(Paths(), std::vector<std::string>(5, " "));
  EXPECT_EQ(Boxes(), std::vector<bool>(5, true));
  ForceDirectories(OsPath("Config files"));
  Form2->Show();
  Form2->Edit3->SetText("/opt/web browser/run");
  Form2->box2->SetChecked(false);
  Form2->Box5->SetChecked(false);
  Run(Form2, "Button8Click");
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(ConfigBytes(),
            "[Servise]\r\nexe1= \r\nexe2= \r\nexe3=/opt/web browser/run\r\nexe4= \r\nexe7= \r\n"
            "[tray-enabled]\r\nyes-or-no=1\r\n"
            "[options]\r\ncheck=1\r\ncheck-2=0\r\ncheck-4=1\r\ncheck-5=0\r\n");
  Finish();
  // The next start reads it back; a written blank reads back empty (INI
  // values are trimmed).
  Start();
  EXPECT_EQ(Paths(), (std::vector<std::string>{"", "", "/opt/web browser/run", "", ""}));
  EXPECT_EQ(Boxes(), (std::vector<bool>{true, true, false, true, false}));
}

// A pasted path with line breaks is stored whole: it adds no section or
// key to the file and the next start reads it back as it was.
TEST_F(SettingsDialogTest, APathWithLineBreaksReadsBackAndAddsNothing) {
  const std::string path = "/bin/a\r\n[evil]\r\nexe2=/bin/sh\n";
  Start();
  ForceDirectories(OsPath("Config files"));
  Form2->Show();
  Form2->Edit1->SetText(path);
  Run(Form2, "Button8Click");
  Finish();
  for (const char* line : {"\n[evil]", "\nexe2=/bin/sh"})
    EXPECT_EQ(ConfigBytes().find(line), std::string::npos) << ConfigBytes();
  Start();
  EXPECT_EQ(Paths(), (std::vector<std::string>{path, "", "", "", ""}));
}

TEST_F(SettingsDialogTest, JunkFilesGiveDefaultsAndKeysMatchWhateverTheirCase) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Paths;
    std::vector<bool> Boxes;
  };
  const std::string longLine(100000, 'z');
  const std::vector<TCase> cases = {
      {"no sections", "exe1=/bin/x\r\nyes-or-no=0\r\n", std::vector<std::string>(5, " "), std::vector<bool>(5, true)},
      {"binary junk", std::string("\0\xFF\x01[[[=\n\r", 9), std::vector<std::string>(5, " "),
       std::vector<bool>(5, true)},
      {"long line",
       "[Servise]\r\n" + longLine + "\r\nexe2=/usr/bin/b\r\n",
       {" ", "/usr/bin/b", " ", " ", " "},
       std::vector<bool>(5, true)},
      {"other case",
       "[SERVISE]\r\nEXE1=/bin/a\r\n[Options]\r\nCHECK-4=0\r\n[Tray-Enabled]\r\nYes-Or-No=0\r\n",
       {"/bin/a", " ", " ", " ", " "},
       {false, true, true, false, true}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteConfig(c.Bytes);
    Start();
    EXPECT_EQ(Paths(), c.Paths);
    EXPECT_EQ(Boxes(), c.Boxes);
    Finish();
  }
}

TEST_F(SettingsDialogTest, UnwritableFileShowsTheErrorAndTheDialogStaysOpen) {
  // A folder where the file should be: it cannot be written.
  ForceDirectories(OsPath("Config files/config.ini"));
  Start();
  Form2->Show();
  Ui().ExpectMessage(IDOK);
  RunGuarded(Form2, "Button8Click");
  ASSERT_FALSE(Ui().History().empty());
  EXPECT_EQ(Ui().History().back().Text, "Unable to write to " + Form2->ConfigFileName());
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(Ui().History().size(), 1u);  // no confirmation of any kind
}

TEST_F(SettingsDialogTest, RestoreTicksTheBoxesOnlyUntilTheProgramEnds) {
  WriteConfig("[options]\r\ncheck=0\r\ncheck-2=0\r\n[tray-enabled]\r\nyes-or-no=0\r\n[Servise]\r\nexe1=/bin/o\r\n");
  Start();
  EXPECT_EQ(Boxes(), (std::vector<bool>{false, false, false, true, true}));
  Form2->Show();
  Run(Form2, "Button9Click");
  EXPECT_EQ(Boxes(), std::vector<bool>(5, true));
  EXPECT_EQ(Form2->Edit1->Text(), "/bin/o");
  Run(Form2, "Button14Click");
  EXPECT_FALSE(Form2->Visible());
  Finish();
  Start();
  EXPECT_EQ(Boxes(), (std::vector<bool>{false, false, false, true, true}));
}

TEST_F(SettingsDialogTest, EachPageShowsItsExtraTasks) {
  struct TCase {
    int Page;
    const char* Caption;
    const char* Label20;
    bool Clear, Defaults, Templates;
  };
  const char* none = "Для данной вкладки никакой специальной задачи нет";
  const std::vector<TCase> cases = {
      {2, "Запуск приложений", "Здесь можно: ", true, true, false},
      {1, "Шаблоны", "Здесь можно: ", false, false, true},
      {0, "Режим работы ", none, false, false, false},
      {2, "Запуск приложений", "Здесь можно: ", true, true, false},
      {3, "При старте ", none, false, false, false},
  };
  Start();
  Form2->Show();
  EXPECT_EQ(Form2->Label20->Caption(), Ansi(none));
  EXPECT_FALSE(Form2->Label17->Visible() || Form2->Label21->Visible() || Form2->Label22->Visible());
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Caption);
    Form2->TabbedNotebook1->SetActivePageIndex(c.Page);
    Run(Form2, "TabbedNotebook1Click");
    EXPECT_EQ(Form2->TabbedNotebook1->ActivePage()->Caption(), Ansi(c.Caption));
    EXPECT_EQ(Form2->Label20->Caption(), Ansi(c.Label20));
    EXPECT_EQ(Form2->Label17->Visible(), c.Clear);
    EXPECT_EQ(Form2->Label21->Visible(), c.Defaults);
    EXPECT_EQ(Form2->Label22->Visible(), c.Templates);
  }
  EXPECT_EQ(Form2->Label17->Font()->Color(), TColor(0x004000));
  EXPECT_TRUE(Form2->Label21->Font()->Style().Contains(fsUnderline));
  EXPECT_EQ(Form2->Label22->Cursor(), crHandPoint);
}

TEST_F(SettingsDialogTest, LinkLabelsClearOrFillThePathsWithoutWriting) {
  // Of each slot's list the first found on PATH, else /usr/bin/ + the first.
  const std::string esr = MakeProgram("bin/firefox-esr");
  const std::string vlc = MakeProgram("bin/vlc");
  Start();
  Run(Form2, "Label17Click");
  EXPECT_EQ(Paths(), std::vector<std::string>(5, ""));
  Run(Form2, "Label21Click");
  EXPECT_EQ(Paths(), (std::vector<std::string>{"/usr/bin/opera", esr, "/usr/bin/chromium", vlc, "/usr/bin/gimp"}));
  EXPECT_FALSE(FileExists(Form2->ConfigFileName()));
}

TEST_F(SettingsDialogTest, TemplateButtonsAndTheFolderLinkOpenThroughTheShell) {
  std::filesystem::create_directories(OsPath("Шаблоны"));
  const std::vector<std::pair<const char*, const char*>> buttons = {
      {"Button4Click", "HTML.txt"}, {"Button6Click", "XML.txt"},  {"Button10Click", "CSS.txt"},
      {"Button11Click", "JS.txt"},  {"Button12Click", "PHP.txt"}, {"Button13Click", "PERL.txt"},
  };
  for (const auto& b : buttons) WriteFileBytes(OsPath(std::string("Шаблоны/") + b.second), "t");
  Start();
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.first);
    FShell.Starts.clear();
    Run(Form2, b.first);
    ASSERT_EQ(FShell.Starts.size(), 1u);
    EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skDocument);
    EXPECT_EQ(FShell.Starts[0].Start.Verb, "open");
    EXPECT_EQ(FShell.Starts[0].Start.Target, AnsiPath(std::string("Шаблоны/") + b.second));
  }
  FShell.Starts.clear();
  Run(Form2, "Label22Click");
  ASSERT_EQ(FShell.Starts.size(), 1u);
  EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skFolder);
  EXPECT_EQ(FShell.Starts[0].Start.Target, AnsiPath("Шаблоны"));
}

TEST_F(SettingsDialogTest, BrowseFillsTheRowsFieldAndCancelKeepsIt) {
  Start();
  const std::vector<std::pair<const char*, TEdit*>> rows = {{"Button1Click", Form2->Edit1},
                                                            {"Button2Click", Form2->Edit2},
                                                            {"Button3Click", Form2->Edit3},
                                                            {"Button5Click", Form2->Edit4},
                                                            {"Button7Click", Form2->Edit7}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.first);
    Ui().ExpectFileDialog(false, "/opt/a b/prog");
    Run(Form2, r.first);
    EXPECT_EQ(r.second->Text(), "/opt/a b/prog");
    Ui().ExpectFileDialog(false, "");
    Run(Form2, r.first);
    EXPECT_EQ(r.second->Text(), "/opt/a b/prog");
  }
  EXPECT_EQ(Ui().History().back().Caption, "Brindel Quillet Studio Open");
}

}  // namespace
