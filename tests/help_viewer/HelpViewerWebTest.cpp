// The help viewer on the real web engine (offscreen), in a program folder
// whose name holds a blank, Cyrillic, "#" and "%": the home page and a
// linked page load, Back returns, Save writes the page's own bytes, Print
// to a PDF file holds the home page's heading, Properties is Russian, and
// a missing page shows the engine's error page and cannot be saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "Project1.h"
#include "UiFixture.h"
#include "Unit1.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtApplication.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

namespace fs = std::filesystem;

int gArgc = 1;
char gArg0[] = "help_viewer_web_tests";
char* gArgv[] = {gArg0, nullptr};

bool WaitFor(const std::function<bool()>& done, int ms = 30000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string PdfText(const fs::path& pdf) {
  std::string text;
  if (FILE* p = ::popen(("pdftotext -enc UTF-8 '" + pdf.string() + "' - 2>/dev/null").c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    ::pclose(p);
  }
  return text;
}

TEST(HelpViewerWebTest, TheHelpPagesOnTheRealEngine) {
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
  char tmpl[] = "/tmp/help_viewer_web_XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const fs::path root = tmpl;
  const fs::path dir = root / "Справка 100% #1";
  fs::create_directories(dir / "Help");
  for (const auto& e : fs::directory_iterator(BQS_HELP_DIR))
    fs::copy_file(e.path(), dir / "Help" / e.path().filename());
  SetProgramDir(AnsiFileName(dir.string()) + "/");
  {
    QApplication app(gArgc, gArgv);
    TQtPlatform platform(gArgc, gArgv);
    TUiScriptScope ui;
    Project1Start();
    ASSERT_EQ(RecordingEngine(Form1->Web), nullptr);
    std::string title;
    int loads = 0;
    Form1->Web->OnTitleChange = [&](TObject*, const std::string& t) { title = t; };
    Form1->Web->OnDocumentComplete = [&](TObject*, const std::string&) { ++loads; };
    Form1->Show();
    // The banner's picture is the JPEG of the program's resources.
    EXPECT_EQ(Form1->Image1->Picture()->Width(), 287);
    EXPECT_EQ(Form1->Image1->Picture()->Height(), 87);

    const std::string home = Ansi("Справочная система Brindel");
    ASSERT_TRUE(WaitFor([&] { return loads >= 1 && title == home; })) << Cp1251ToUtf8(title);
    Form1->Web->Navigate(AnsiFileName((dir / "Help" / "keys.htm").string()));
    ASSERT_TRUE(WaitFor([&] { return title == Ansi("Сочетания клавиш"); })) << Cp1251ToUtf8(title);
    Form1->XpSpeedButton1->Click();
    ASSERT_TRUE(WaitFor([&] { return title == home; })) << Cp1251ToUtf8(title);

    // Save: the home page's own bytes, under a name with Cyrillic and "#".
    const fs::path saved = dir / "копия #1.htm";
    ui->ExpectFileDialog(true, AnsiFileName(saved.string()));
    Form1->XpSpeedButton3->Click();
    EXPECT_EQ(ReadBytes(saved), ReadBytes(dir / "Help" / "Help.htm"));

    // Properties: title, address, size and time of the local file.
    ui->Expect({TUiKind::MessageBox,
                [](TUiRecord& r, void*) {
                  EXPECT_EQ(r.Caption, Ansi("Свойства"));
                  for (const char* field : {"Заголовок: ", "Адрес: ", "Размер: ", "Изменён: "})
                    EXPECT_NE(r.Text.find(Ansi(field)), std::string::npos) << field;
                  return IDOK;
                },
                "properties"});
    Form1->XpSpeedButton4->Click();

    // Print to a PDF file: the print dialog chooses the file.
    const fs::path pdf = root / "help.pdf";
    ui->ExpectPrintToFile(pdf.string());
    Form1->XpSpeedButton6->Click();
    EXPECT_TRUE(WaitFor([&] { return PdfText(pdf).find("Справочная система Brindel") != std::string::npos; }))
        << PdfText(pdf);
    Printer()->SetOutputFileName(std::string());

    // A missing page: the engine's error page, no box; it cannot be saved,
    // and Back still works.
    const int before = loads;
    Form1->Web->Navigate(AnsiFileName((dir / "Help" / "missing.htm").string()));
    ASSERT_TRUE(WaitFor([&] { return loads > before; }));
    const fs::path lost = dir / "lost.htm";
    ui->ExpectFileDialog(true, AnsiFileName(lost.string()));
    ui->ExpectMessage(IDOK, Ansi("Не удалось сохранить документ:") + "\n\r" + AnsiFileName(lost.string()),
                      "Brindel Norvane");
    Form1->XpSpeedButton3->Click();
    EXPECT_FALSE(fs::exists(lost));
    Form1->XpSpeedButton1->Click();
    EXPECT_TRUE(WaitFor([&] { return title == home; })) << Cp1251ToUtf8(title);

    Form1->Close();
    Project1Done();
  }
  SetProgramDir(std::string());
  fs::remove_all(root);
}

}  // namespace
