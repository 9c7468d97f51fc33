// The favourite programs and the sender windows in the running editor: the
// starts in order with the boxes between them, "runsave.ini" bytes, odd
// paths started as one program, the mail and web starts, and the clipboard
// and selection after Send.
#include "BrowsersFixture.h"
#include "Unit6.h"
#include "Unit7.h"
#include "platform/Clipboard.h"

namespace {

class FavouritesTest : public BrowsersTest {
 protected:
  std::vector<TEdit*> Slots() const { return {Form7->Edit1, Form7->Edit2, Form7->Edit3, Form7->Edit4}; }
};

TEST_F(FavouritesTest, StartAllStartsFilledSlotsAndReportsEmptyOnesInSlotOrder) {
  const std::string one = MakeProgram("bin/one");
  const std::string three = MakeProgram("bin/three");
  Start();
  for (TEdit* e : Slots()) EXPECT_EQ(e->Text(), " ");
  Form7->Edit1->SetText(one);
  Form7->Edit2->SetText("");
  Form7->Edit3->SetText(three);
  Form7->Edit4->SetText("");
  Ui().ExpectMessage(IDOK, Ansi("Поле под номером 2 не содержит пути для запуска приложения!"),
                     "Brindel Quillet Studio");
  Ui().ExpectMessage(IDOK, Ansi("Поле под номером 4 не содержит пути для запуска приложения"),
                     "Brindel Quillet Studio");
  Run(Form7, "Button12Click");
  ASSERT_EQ(FShell.Starts.size(), 2u);
  // Slot 1 before any box, slot 3 after the box of slot 2.
  EXPECT_EQ(FShell.Starts[0].Start.Target, one);
  EXPECT_EQ(FShell.Starts[0].BoxesBefore, 0u);
  EXPECT_EQ(FShell.Starts[1].Start.Target, three);
  EXPECT_EQ(FShell.Starts[1].BoxesBefore, 1u);
  EXPECT_EQ(Ui().History().size(), 2u);
}

TEST_F(FavouritesTest, SingleSlotsStartAsTypedOrAskForAProgram) {
  // Blanks, quotes, ";" and a leading "-": one program, no word splitting.
  const std::string odd = MakeProgram("bin/-my \"prog\"; x");
  Start();
  const std::vector<const char*> starts = {"Button2Click", "Button4Click", "Button6Click", "Button8Click"};
  for (size_t i = 0; i < starts.size(); ++i) {
    SCOPED_TRACE(starts[i]);
    FShell.Starts.clear();
    // A fresh slot (one blank) names nothing: no box, nothing started.
    Run(Form7, starts[i]);
    EXPECT_TRUE(FShell.Starts.empty());
    EXPECT_TRUE(Ui().History().empty());
    Slots()[i]->SetText(odd);
    Run(Form7, starts[i]);
    ASSERT_EQ(FShell.Starts.size(), 1u);
    EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skProgram);
    EXPECT_EQ(FShell.Starts[0].Start.Target, odd);
    EXPECT_TRUE(FShell.Starts[0].Start.Arguments.empty());
    // A path that names no program fails silently.
    Slots()[i]->SetText(AnsiPath("bin/missing program"));
    Run(Form7, starts[i]);
    EXPECT_TRUE(Ui().History().empty());
    Slots()[i]->SetText("");
    Ui().ExpectMessage(IDOK, Ansi("Вы не выбрали программу для запуска! Нажмите кнопку \"...\" чтобы сделать это."),
                       "Brindel Quillet Studio");
    Run(Form7, starts[i]);
    Ui().Clear();
  }
}

TEST_F(FavouritesTest, SaveAfterClearWritesEmptySlotsAndConfirms) {
  Start();
  Form7->Edit2->SetText("/usr/bin/x y");
  Run(Form7, "Button11Click");
  for (TEdit* e : Slots()) EXPECT_EQ(e->Text(), "");
  Form7->Edit3->SetText("/usr/bin/x y");
  Ui().ExpectMessage(IDOK, Ansi("Все текущие поля были сохранены в файле RunSave.INI."), "Tarvok! Master");
  Run(Form7, "Button10Click");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Information);
  EXPECT_EQ(ReadFileBytes(OsPath("runsave.ini")), "[RunSave]\r\nexe1=\r\nexe2=\r\nexe3=/usr/bin/x y\r\nexe4=\r\n");
  Finish();
  Start();
  EXPECT_EQ(Form7->Edit1->Text(), "");
  EXPECT_EQ(Form7->Edit3->Text(), "/usr/bin/x y");
}

TEST_F(FavouritesTest, UnwritableFileShowsTheErrorWithoutTheConfirmation) {
  ForceDirectories(OsPath("runsave.ini"));  // a folder where the file should be
  Start();
  Ui().ExpectMessage(IDOK);
  RunGuarded(Form7, "Button10Click");
  ASSERT_EQ(Ui().History().size(), 1u);
  EXPECT_EQ(Ui().History()[0].Text, "Unable to write to " + Form7->SettingsFileName());
}

TEST_F(FavouritesTest, BrowseFillsTheSlot) {
  Start();
  const std::vector<std::pair<const char*, TEdit*>> rows = {{"Button1Click", Form7->Edit1},
                                                            {"Button3Click", Form7->Edit2},
                                                            {"Button5Click", Form7->Edit3},
                                                            {"Button7Click", Form7->Edit4}};
  for (const auto& r : rows) {
    Ui().ExpectFileDialog(false, "/opt/p");
    Run(Form7, r.first);
    EXPECT_EQ(r.second->Text(), "/opt/p");
  }
  EXPECT_EQ(Ui().History().back().Caption, "Velmora Open");
}

using SenderTest = BrowsersTest;

TEST_F(SenderTest, SendCopiesTheDocumentFirstEvenWithoutAnAddress) {
  StartWithText(Ansi("<p>письмо</p>\r\nвторая"), 2);
  Clipboard()->SetAsText("old");
  Form6->Show();
  Ui().ExpectMessage(IDOK, Ansi("Вы не ввели e-mail! Кому ж Вы в таком случае хотите послать мгновенное сообщение???"),
                     "Internet Master");
  Run(Form6, "Button1Click");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
  EXPECT_EQ(Clipboard()->AsText(), Memo()->Text());
  EXPECT_EQ(Memo()->GetSelectedText(), Memo()->Text());
  EXPECT_TRUE(Form6->Visible());
  EXPECT_TRUE(FShell.Starts.empty());
}

TEST_F(SenderTest, SendWithTheBoxClearedLeavesClipboardAndSelectionAndStartsTheMail) {
  StartWithText("abc", 1, 1);
  Clipboard()->SetAsText("old");
  Form6->Show();
  Form6->CheckBox1->SetChecked(false);
  Form6->Edit1->SetText("a@b.c");
  Run(Form6, "Button1Click");
  EXPECT_EQ(Clipboard()->AsText(), "old");
  EXPECT_EQ(Memo()->GetSelectedText(), "b");
  ASSERT_EQ(FShell.Starts.size(), 1u);
  EXPECT_EQ(FShell.Starts[0].Start.Kind, TShellStart::skUrl);
  EXPECT_EQ(FShell.Starts[0].Start.Target, "mailto:a@b.c ");  // the desktop's backend trims it
  EXPECT_FALSE(Form6->Visible());
}

TEST_F(SenderTest, OpenStartsTheWebAddressAsItStands) {
  Start();
  EXPECT_EQ(Form6->Edit2->Text(), "http://www.");
  EXPECT_TRUE(Form6->CheckBox1->Checked());
  EXPECT_NE(Form6->Edit1->Hint().find("example.org"), std::string::npos);
  struct TCase {
    const char* Typed;
    const char* Started;
  };
  for (const TCase& c : {TCase{nullptr, "http://www."}, TCase{"www.example.org", "http://www.example.org"},
                         TCase{"https://example.org/a b", "https://example.org/a b"}}) {
    FShell.Starts.clear();
    Form6->Show();
    if (c.Typed) Form6->Edit2->SetText(c.Typed);
    Run(Form6, "Button4Click");
    ASSERT_EQ(FShell.Starts.size(), 1u);
    EXPECT_EQ(FShell.Starts[0].Start.Target, c.Started);
    EXPECT_EQ(FShell.Starts[0].Start.Verb, "");
    EXPECT_FALSE(Form6->Visible());
  }
  Form6->Show();
  Run(Form6, "Button5Click");
  EXPECT_EQ(Form6->Edit2->Text(), "");
  Ui().ExpectMessage(IDOK, Ansi("Вы не ввели URL-адрес! Кого ж Вы в таком случае хотите открыть???"),
                     "Internet Master");
  Run(Form6, "Button4Click");
  EXPECT_TRUE(Form6->Visible());
  Form6->Edit1->SetText("x");
  Run(Form6, "Button3Click");
  EXPECT_EQ(Form6->Edit1->Text(), "");
  Run(Form6, "Button2Click");
  EXPECT_FALSE(Form6->Visible());
}

}  // namespace
