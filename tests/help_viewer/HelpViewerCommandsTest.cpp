// The help viewer's window and buttons on the fake widget set: the
// recording browser engine, scripted dialogs and boxes, a scratch program
// folder whose name holds a blank, Cyrillic, "#" and "%".
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "Project1.h"
#include "UiFixture.h"
#include "Unit1.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

const char* const kCaption = "Brindel Norvane";

std::string ReadBytes(const std::string& ansiPath) {
  std::ifstream in(SysFileName(ansiPath), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
bool Exists(const std::string& ansiPath) {
  struct stat st;
  return ::stat(SysFileName(ansiPath).c_str(), &st) == 0;
}

class HelpViewerCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/help_viewer_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    FRoot = tmpl;
    Dir = AnsiFileName(FRoot) + Ansi("/Справка 100% #1/");
    ASSERT_EQ(::mkdir(SysFileName(Dir).c_str(), 0755), 0);
    SetProgramDir(Dir);
    Project1Start();
    ASSERT_NE(Form1, nullptr);
  }
  void TearDown() override {
    Project1Done();
    SetProgramDir(std::string());
    std::system(("rm -rf '" + FRoot + "'").c_str());
  }

  TRecordingWebBrowserEngine& Engine() { return *RecordingEngine(Form1->Web); }
  // Expects the exclamation box of the window with `text`.
  void ExpectBox(const std::string& text) { Ui->ExpectMessage(IDOK, text, kCaption); }
  void CheckLastBox() {
    const TUiRecord& r = Ui->History().back();
    EXPECT_EQ(r.Flags, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(r.Flags, 48u);
    EXPECT_EQ(r.Owner, Form1->Handle());
  }

  TFakeWidgetsetScope Widgets;
  TUiScriptScope Ui;
  std::string Dir;

 private:
  std::string FRoot;
};

TEST_F(HelpViewerCommandsTest, CreationShowsTheBannerAndLoadsTheHomePageOnce) {
  ASSERT_NE(RecordingEngine(Form1->Web), nullptr);
  EXPECT_EQ(Engine().Navigations, std::vector<std::string>{Dir + "Help/Help.htm"});
  EXPECT_EQ(Form1->Web->Align(), alClient);
  EXPECT_EQ(Form1->Label1->Caption(), kCaption);
  EXPECT_EQ(Form1->Label2->Caption(), Ansi("Добро пожаловать в справочную систему продуктов Brindel"));
  for (TLabel* l : {Form1->Label1, Form1->Label2}) {
    EXPECT_EQ(l->Parent(), Form1->TaskPanel1);
    EXPECT_EQ(l->Font()->Name(), "Tahoma");
    EXPECT_TRUE(l->Transparent());
  }
  EXPECT_EQ(Form1->Label1->Font()->Size(), 12);
  EXPECT_EQ(Form1->Label2->Font()->Size(), 10);
  EXPECT_GT(Form1->Label2->Top(), Form1->Label1->Top());
  EXPECT_EQ(Form1->Image1->Align(), alRight);
  EXPECT_EQ(Form1->Image1->Parent(), Form1->TaskPanel1);
  // The save dialog: title, filter, the extension it adds, and an existing
  // page is only replaced when the user agrees.
  EXPECT_EQ(Form1->SaveDialog1->Title(), kCaption);
  EXPECT_EQ(Form1->SaveDialog1->Filter(), Ansi("Веб-страницы (*.htm; *.html)|*.htm"));
  EXPECT_EQ(Form1->SaveDialog1->DefaultExt(), "htm");
  EXPECT_TRUE(Form1->SaveDialog1->Options().Contains(ofOverwritePrompt));

  const struct {
    const char* name;
    int left;
    const char* hint;
  } rows[] = {
      {"XpSpeedButton1", 7, "Навигация по Справке\r\nНазад"},
      {"XpSpeedButton2", 47, "Навигация по Справке\r\nВперед"},
      {"XpSpeedButton5", 87, "Навигация по Справке\r\nОстановить открытие документа"},
      {"XpSpeedButton3", 127, "Сохранить текущий документ"},
      {"XpSpeedButton6", 167, "Печать текущего документа"},
      {"XpSpeedButton9", 207, "Главная страница\r\nПоказать главную страницу Справки"},
      {"XpSpeedButton4", 247, "Свойства текущего документа"},
  };
  for (const auto& row : rows) {
    auto* b = dynamic_cast<TXpSpeedButton*>(Form1->FindComponent(row.name));
    ASSERT_NE(b, nullptr) << row.name;
    EXPECT_EQ(b->BoundsRect(), TRect(row.left, 49, row.left + 33, 49 + 34)) << row.name;
    EXPECT_EQ(b->Hint(), Ansi(row.hint)) << row.name;
    EXPECT_TRUE(b->ShowHint() && b->Flat()) << row.name;
    EXPECT_TRUE(bool(b->OnClick)) << row.name;
    EXPECT_EQ(b->Glyph()->Width(), 32);
  }
}

TEST_F(HelpViewerCommandsTest, BackAndForwardAnswerAtTheEndsOfTheHistoryOnly) {
  ExpectBox(Ansi("Не найдено страниц, предшествующих этой странице."));
  Form1->XpSpeedButton1->Click();
  CheckLastBox();
  ExpectBox(Ansi("Не найдено страниц, идущих после данной страницы."));
  Form1->XpSpeedButton2->Click();
  CheckLastBox();
  EXPECT_EQ(Engine().LocationURL(), Dir + "Help/Help.htm");

  Form1->Web->Navigate(Dir + "Help/keys.htm");
  Form1->XpSpeedButton1->Click();  // back to the home page, no box
  EXPECT_EQ(Engine().LocationURL(), Dir + "Help/Help.htm");
  Form1->XpSpeedButton2->Click();
  EXPECT_EQ(Engine().LocationURL(), Dir + "Help/keys.htm");
  EXPECT_EQ(Ui->History().size(), 2u);
}

TEST_F(HelpViewerCommandsTest, HomeLoadsTheHomePageAnewAndStopIsPassedOn) {
  Form1->Web->Navigate("about:blank");
  Form1->XpSpeedButton9->Click();
  EXPECT_EQ(Engine().Navigations,
            (std::vector<std::string>{Dir + "Help/Help.htm", "about:blank", Dir + "Help/Help.htm"}));
  EXPECT_TRUE(Engine().CanGoBack());
  Form1->XpSpeedButton5->Click();
  ASSERT_EQ(Engine().Commands.size(), 1u);
  EXPECT_EQ(Engine().Commands[0].Command, OLECMDID_STOP);
}

TEST_F(HelpViewerCommandsTest, SaveWritesThePageOrSaysWhyNot) {
  Engine().Source = Ansi("<html>Справка\r\n</html>");
  const std::string target = Dir + Ansi("копия #2.htm");
  // Cancelled: nothing is written.
  Ui->ExpectFileDialog(true, "");
  Form1->XpSpeedButton3->Click();
  EXPECT_TRUE(Engine().SavedFiles.empty());
  EXPECT_FALSE(Exists(target));
  EXPECT_EQ(Ui->History().back().Caption, kCaption);  // the dialog's title

  Ui->ExpectFileDialog(true, target);
  Form1->XpSpeedButton3->Click();
  EXPECT_EQ(ReadBytes(target), Engine().Source);

  // A folder that is not there: the box, and nothing is left behind.
  const std::string lost = Dir + Ansi("нет/page.htm");
  Ui->ExpectFileDialog(true, lost);
  ExpectBox(Ansi("Не удалось сохранить документ:") + "\n\r" + lost);
  Form1->XpSpeedButton3->Click();
  CheckLastBox();
  EXPECT_FALSE(Exists(Dir + Ansi("нет")));
}

TEST_F(HelpViewerCommandsTest, PrintAndPropertiesNeedADocument) {
  Form1->XpSpeedButton6->Click();
  Form1->XpSpeedButton4->Click();
  ASSERT_EQ(Engine().Commands.size(), 2u);
  EXPECT_EQ(Engine().Commands[0].Command, OLECMDID_PRINT);
  EXPECT_EQ(Engine().Commands[0].Option, OLECMDEXECOPT_PROMPTUSER);
  EXPECT_EQ(Engine().Commands[1].Command, OLECMDID_PROPERTIES);

  // A window whose browser has no page yet: Properties does nothing and
  // shows nothing, Print and Save reach the error box.
  TForm1 empty(nullptr);
  empty.XpSpeedButton4->Click();
  ASSERT_NE(RecordingEngine(empty.Web), nullptr);
  EXPECT_TRUE(RecordingEngine(empty.Web)->Commands.empty());
  Ui->ExpectMessage(IDOK, SOleCommandNotSupported, kCaption);
  GuardCall([&] { empty.XpSpeedButton6->Click(); });
  EXPECT_EQ(Ui->History().back().Icon, TUiIcon::Error);
  // Save without a page: the dialog, then nothing.
  Ui->ExpectFileDialog(true, Dir + "x.htm");
  empty.XpSpeedButton3->Click();
  EXPECT_FALSE(Exists(Dir + "x.htm"));
  EXPECT_TRUE(RecordingEngine(empty.Web)->Commands.empty());
}

}  // namespace
