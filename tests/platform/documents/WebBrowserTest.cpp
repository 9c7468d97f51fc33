// The browser control with the recording engine: the engine is made on
// first use, navigations and commands are kept, commands need a document.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixture.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/WebBrowser.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

class WebBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    browser = new TWebBrowser(form);
    browser->SetParent(form);
  }
  void TearDown() override { DoneApplication(); }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
  TWebBrowser* browser = nullptr;
};

TEST_F(WebBrowserTest, EngineMadeOnFirstUseRecordsNavigationAndHistory) {
  EXPECT_FALSE(browser->EngineCreated());
  EXPECT_EQ(RecordingEngine(browser), nullptr);
  std::vector<std::string> events;
  browser->OnNavigateComplete2 = [&](TObject*, const std::string& url) { events.push_back("nav " + url); };
  browser->OnTitleChange = [&](TObject*, const std::string& t) { events.push_back("title " + t); };
  browser->OnCommandStateChange = [&](TObject*, int command, bool enable) {
    events.push_back("state " + IntToStr(command) + (enable ? "+" : "-"));
  };
  browser->Navigate("/tmp/a.html");
  ASSERT_TRUE(browser->EngineCreated());
  TRecordingWebBrowserEngine* engine = RecordingEngine(browser);
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"nav /tmp/a.html", "title /tmp/a.html", "state 2-", "state 1-"}));
  browser->Navigate("http://example.org/");
  EXPECT_EQ(browser->LocationURL(), "http://example.org/");
  browser->GoBack();
  EXPECT_EQ(browser->LocationURL(), "/tmp/a.html");
  EXPECT_THROW(browser->GoBack(), EOleException);
  browser->GoForward();
  EXPECT_EQ(browser->LocationURL(), "http://example.org/");
  EXPECT_EQ(engine->Navigations, (std::vector<std::string>{"/tmp/a.html", "http://example.org/"}));
}

TEST_F(WebBrowserTest, CommandsNeedADocument) {
  try {
    browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER);
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_STREQ(e.what(), SOleCommandNotSupported);
  }
  EXPECT_EQ(browser->QueryStatusWB(OLECMDID_PRINT), OLECMDF_SUPPORTED);
  EXPECT_THROW(browser->SaveToFile("/tmp/x.html"), EOleException);

  browser->Navigate("about:blank");
  browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER);
  browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DONTPROMPTUSER);
  browser->ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DONTPROMPTUSER);
  browser->ExecWB(OLECMDID_PROPERTIES, OLECMDEXECOPT_DODEFAULT);
  EXPECT_EQ(browser->QueryStatusWB(OLECMDID_PRINT), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
  EXPECT_EQ(browser->QueryStatusWB(99), 0);
  EXPECT_THROW(browser->ExecWB(99, 0), EOleException);
  auto& commands = RecordingEngine(browser)->Commands;
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].Command, OLECMDID_PRINT);
  EXPECT_EQ(commands[0].Option, OLECMDEXECOPT_PROMPTUSER);
  EXPECT_EQ(commands[1].Option, OLECMDEXECOPT_DONTPROMPTUSER);
  EXPECT_EQ(commands[2].Command, OLECMDID_PRINTPREVIEW);
  EXPECT_EQ(commands[3].Command, OLECMDID_PROPERTIES);

  TTempDir dir;
  RecordingEngine(browser)->Source = "<html></html>";
  browser->SaveToFile(AnsiFileName(dir.Path("page.html")));
  EXPECT_EQ(ReadFileBytes(dir.Path("page.html")), "<html></html>");
}

TEST_F(WebBrowserTest, AFactoryGivesTheEngine) {
  int made = 0;
  SetWebBrowserEngineFactory([&](TWebBrowser* b) -> std::unique_ptr<IWebBrowserEngine> {
    ++made;
    return std::make_unique<TRecordingWebBrowserEngine>(b);
  });
  browser->Navigate("x");
  browser->Navigate("y");
  SetWebBrowserEngineFactory(nullptr);
  EXPECT_EQ(made, 1);
}

}  // namespace
