// The browser window on the real web engine (offscreen): a local page
// loads when the window first navigates, and its print goes to a PDF file.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "DocumentsFixture.h"
#include "SrcMemo.h"
#include "Unit24.h"
#include "W2kMain.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"
#include "platform/WebBrowser.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

using WebEngineTest = DocumentsTest;

// Whether a shared library whose file name holds `name` is mapped into
// this process.
bool Mapped(const char* name) {
  FILE* maps = std::fopen("/proc/self/maps", "r");
  if (!maps) return false;
  char line[4096];
  bool found = false;
  while (!found && std::fgets(line, sizeof line, maps)) found = std::strstr(line, name) != nullptr;
  std::fclose(maps);
  return found;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}

TEST_F(WebEngineTest, PageLoadsAndPrintsToPdf) {
  // The engine runs without its sandbox here (tests run as any user).
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
  WriteFileBytes(OsPath("page.html"),
                 "<html><head><title>T1</title></head><body><p>Hello printed page</p></body></html>");
  StartWith("");
  // The editor starts without the web engine and without Qt Multimedia;
  // they come in with the first page and the first sound.
  EXPECT_FALSE(Mapped("libQt6WebEngineCore"));
  EXPECT_FALSE(Mapped("libQt6Multimedia"));
  TWebBrowser* browser = Form24->WebBrowser1;
  std::string title;
  bool complete = false;
  browser->OnTitleChange = [&](TObject*, const std::string& t) { title = t; };
  browser->OnDocumentComplete = [&](TObject*, const std::string&) { complete = true; };
  Form24->Show();
  browser->Navigate(AnsiPath("page.html"));
  ASSERT_TRUE(WaitFor([&] { return complete; }, 30000));
  EXPECT_TRUE(Mapped("libQt6WebEngineCore"));
  EXPECT_EQ(title, "T1");
  EXPECT_EQ(browser->LocationName(), "T1");
  EXPECT_EQ(browser->LocationURL(), "file://" + AnsiPath("page.html"));
  EXPECT_EQ(RecordingEngine(browser), nullptr);

  std::string pdf = AnsiPath("web.pdf");
  // The print dialog (the user is asked) chooses printing to the file.
  Ui().ExpectPrintToFile(pdf);
  Main()->N529Click(nullptr);
  // The page prints in the background; the file is complete once its text
  // can be read.
  auto pdfText = [&] {
    std::string text;
    if (FILE* p = ::popen(("pdftotext -enc UTF-8 '" + OsPath("web.pdf") + "' - 2>/dev/null").c_str(), "r")) {
      char buf[4096];
      size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
      ::pclose(p);
    }
    return text;
  };
  bool printed =
      WaitFor([&] { return FileSizeOf(pdf) > 0 && pdfText().find("Hello printed page") != std::string::npos; }, 30000);
  Printer()->SetOutputFileName(std::string());
  EXPECT_TRUE(printed) << pdfText();
  EXPECT_EQ(ReadFileBytes(OsPath("web.pdf")).substr(0, 5), "%PDF-");

  // A page process that dies is an error box; the program and its
  // document go on.
  Main()->Memo1->SetText("unsaved");
  const std::string failed = "The web page's process ended unexpectedly";
  Ui().ExpectMessage(IDOK, &failed);
  size_t boxes = Ui().History().size();
  browser->Navigate("chrome://crash");
  EXPECT_TRUE(WaitFor([&] { return Ui().History().size() > boxes; }, 30000));
  EXPECT_EQ(Main()->Memo1->Text(), "unsaved");
  Form24->Hide();
}

}  // namespace
