// Program start: the windows in their order, the main window's creation,
// its first show with the settings dialog's check boxes, and the file
// named on the command line.
#include <string>
#include <vector>

#include "EditorAppFixture.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit2.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"

namespace {

TEST_F(EditorAppTest, StartCreatesTheWindowsInTheirOrderMainWindowFirst) {
  Start(false);
  std::vector<std::string> classes;
  for (TCustomForm* f : Application->CreatedForms()) classes.push_back(f->ClassName());
  const std::vector<std::string> expected = {
      "TZod2uAppForm", "TForm1",  "TForm2",  "Tabout_forma", "TForm4",  "TForm5",   "TForm6",
      "TForm7",        "TForm8",  "TForm9",  "TForm10",      "TForm11", "TForm122", "TForm13",
      "TForm14",       "TForm15", "TForm16", "TForm17",      "TForm18", "TForm19",  "TForm20",
      "TForm21",       "TForm22", "TForm23", "TForm24",      "TForm25", "TForm26",  "TForm27"};
  EXPECT_EQ(classes, expected);
  EXPECT_EQ(Application->MainForm(), Main());
  EXPECT_EQ(Application->Title(), "Brindel Quillet Studio");
  EXPECT_EQ(Main()->Name(), "Zod2uAppForm");
  // No window is visible before the message loop shows the main window.
  for (TCustomForm* f : Application->CreatedForms()) EXPECT_FALSE(f->Visible()) << f->ClassName();
}

TEST_F(EditorAppTest, CreationSetsTheNamesCaptionClockHintPauseAndSignatures) {
  SetUserNameForTesting(std::string("a-user-name-of-24-chars!"));
  Start(false);
  EXPECT_EQ(DocName, Ansi("Новый файл"));
  EXPECT_EQ(Main()->CurrentFileName(), Ansi("Безымянный"));
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(Main()->Caption(), Ansi("Новый файл - Brindel Quillet Studio"));
  std::string clock = Main()->StatusBar1->Panels()->Items(0)->Text();
  EXPECT_EQ(clock.substr(0, 1), " ");
  EXPECT_NE(clock.find(Ansi(" год, время: ")), std::string::npos) << clock;
  EXPECT_EQ(Application->HintHidePause(), 10000);
  // The names are taken whole, however long.
  EXPECT_EQ(Main()->com1->Caption(), Ansi("Имя компьютера: ") + "workbench");
  EXPECT_EQ(Main()->N486->Caption(), "a-user-name-of-24-chars!");
  EXPECT_EQ(Main()->N487->Caption(), Ansi("С уважением, ") + "a-user-name-of-24-chars!");
  EXPECT_EQ(Main()->ddd1->Caption(), Ansi("С наилучшими пожеланиями, ") + "a-user-name-of-24-chars!");
}

TEST_F(EditorAppTest, FailedNameQueriesKeepTheDesignCaptions) {
  SetUserNameForTesting(std::string());
  SetComputerNameForTesting(std::string());
  Start(false);
  EXPECT_EQ(Main()->com1->Caption(), "com");
  EXPECT_EQ(Main()->N486->Caption(), Ansi("в"));
  EXPECT_EQ(Main()->N487->Caption(), Ansi("вв"));
  EXPECT_EQ(Main()->ddd1->Caption(), Ansi("ввв"));
}

TEST_F(EditorAppTest, MainMenuHasItsTenTopLevelItems) {
  Start(false);
  std::vector<std::string> captions;
  TMenuItem* root = Main()->MainMenu1->Items();
  for (int i = 0; i < root->Count(); ++i) captions.push_back(root->Items(i)->Caption());
  const std::vector<std::string> expected = {Ansi("Файл"),     Ansi("Правка"),    Ansi("Просмотр"),  Ansi("Теги"),
                                             Ansi("Вставить"), Ansi("Выполнить"), Ansi("Настройки"), Ansi("Сервис"),
                                             Ansi("Справка"),  "Brindel Ostrelle"};
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(Main()->Menu(), Main()->MainMenu1);
  EXPECT_EQ(Main()->FileHideItem->Caption(), Ansi("Скрыть окно редактора"));
  EXPECT_EQ(ShortCutToText(Main()->FileHideItem->ShortCut()), "Ctrl+F10");
  EXPECT_EQ(ShortCutToText(Main()->FileExitItem->ShortCut()), "F12");
  EXPECT_EQ(ShortCutToText(Main()->AboutItem->ShortCut()), "Ctrl+F1");
  EXPECT_TRUE(Main()->TrayShowItem->Default());
}

TEST_F(EditorAppTest, FirstStartWithoutSettingsOpensASmallCentredWindow) {
  Start();
  EXPECT_TRUE(Main()->Visible());
  EXPECT_EQ(Main()->Width(), 200);
  EXPECT_EQ(Main()->Height(), 200);
  EXPECT_EQ(Main()->Left(), (Screen->Width() - 200) / 2);
  EXPECT_EQ(Main()->Top(), (Screen->Height() - 200) / 2);
  EXPECT_EQ(Main()->Memo1->Font()->Name(), "Times New Roman");
  EXPECT_EQ(Main()->Memo1->Font()->Size(), 14);
  EXPECT_EQ(Main()->Memo1->Font()->Color(), clWindowText);
  EXPECT_EQ(Main()->Memo1->Color(), TColor(0xFFFFFF));
  // Every check box of the settings dialog is on without its file.
  EXPECT_TRUE(Main()->ToolBar1->Visible());
  EXPECT_TRUE(Main()->TaskPanel1->Visible());
  EXPECT_TRUE(Main()->CoolBar1->Visible());
  EXPECT_TRUE(Form9->Visible());
  EXPECT_TRUE(Main()->TrayIcon1->MinimizeToTray());
  EXPECT_EQ(Form2->Edit1->Text(), " ");
}

TEST_F(EditorAppTest, ShowAppliesTheSettingsDialogsCheckBoxes) {
  ForceDirectories(AnsiPath("Config files"));
  WriteFileBytes(OsPath("Config files/config.ini"),
                 "[tray-enabled]\r\nyes-or-no=0\r\n[options]\r\ncheck=0\r\ncheck-2=0\r\ncheck-4=0\r\ncheck-5=0\r\n");
  Start();
  EXPECT_FALSE(Main()->TrayIcon1->MinimizeToTray());
  EXPECT_FALSE(Main()->ToolBar1->Visible());
  EXPECT_FALSE(Main()->TaskPanel1->Visible());
  EXPECT_FALSE(Main()->CoolBar1->Visible());  // an unchecked box leaves the panel as it is
  EXPECT_FALSE(Form9->Visible());
  // The tool bar and the strip follow their boxes at every show.
  Form2->Box4->SetChecked(true);
  Main()->Hide();
  Main()->Show();
  EXPECT_TRUE(Main()->ToolBar1->Visible());
  EXPECT_FALSE(Main()->TaskPanel1->Visible());
}

TEST_F(EditorAppTest, FileNamedOnTheCommandLineIsLoadedOnTheFirstShowOnly) {
  WriteFileBytes(OsPath("page.html"), "<html>\r\n<body>");
  SetArguments({OsPath("page.html")});
  Start();
  EXPECT_EQ(Main()->Caption(), "page.html - Brindel Quillet Studio");
  EXPECT_EQ(Main()->CurrentFileName(), AnsiPath("page.html"));
  EXPECT_EQ(DocName, AnsiPath("page.html"));
  ASSERT_EQ(Main()->Memo1->Lines()->Count(), 2);
  EXPECT_EQ(Main()->Memo1->Lines()->Strings(1), "<body>");
  EXPECT_FALSE(Main()->Memo1->Modified());

  // Edits survive the window going to the tray and coming back.
  Main()->Memo1->Lines()->Put(1, "<body class=x>");
  Main()->Memo1->SetModified(true);
  Main()->Hide();
  Main()->Show();
  EXPECT_EQ(Main()->Memo1->Lines()->Strings(1), "<body class=x>");
  EXPECT_TRUE(Main()->Memo1->Modified());
}

TEST_F(EditorAppTest, ArgumentThatIsNoFileIsIgnored) {
  SetArguments({OsPath("missing.html")});
  Start();
  EXPECT_EQ(Main()->Caption(), Ansi("Новый файл - Brindel Quillet Studio"));
  EXPECT_TRUE(Main()->DocumentUntitled());
  EXPECT_EQ(Main()->Memo1->Lines()->Count(), 0);
}

}  // namespace
