// The preview, outside-program, mail, link and file-information commands
// of the running editor (offscreen Qt): the exact shell starts through a
// recording shell, the preview copy's bytes and folder, the boxes' texts,
// and the commands that end when their box is cancelled.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "EditorAppFixture.h"
#include "InternetLinks.h"
#include "MainWindowRows.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit24.h"
#include "Unit6.h"
#include "Unit7.h"
#include "W2kMain.h"
#include "WebAddress.h"
#include "WindowRegistry.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/testing/RecordingShell.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

void MakeProgram(const std::string& osPath) {
  WriteFileBytes(osPath, "#!/bin/sh\nexit 0\n");
  ::chmod(osPath.c_str(), 0755);
}

class PreviewTest : public EditorAppTest {
 protected:
  void SetUp() override {
    EditorAppTest::SetUp();
    SetWebBrowserEngineFactory([](TWebBrowser* b) -> std::unique_ptr<IWebBrowserEngine> {
      return std::make_unique<TRecordingWebBrowserEngine>(b);
    });
    FPath.emplace(OsPath("bin"));
    FShellScope.emplace(&FShell);
  }
  void TearDown() override {
    FShellScope.reset();
    FPath.reset();
    EditorAppTest::TearDown();
  }
  // The one start since the last call.
  TShellStart Only() {
    EXPECT_EQ(FShell.Starts.size(), 1u);
    TShellStart s = FShell.Starts.empty() ? TShellStart() : FShell.Starts.back();
    FShell.Starts.clear();
    return s;
  }
  std::vector<std::string> Navigations() {
    TRecordingWebBrowserEngine* e = RecordingEngine(Form24->WebBrowser1);
    return e ? e->Navigations : std::vector<std::string>();
  }
  // A saved document at a path of the program folder.
  void SaveAs(const std::string& name) {
    Main()->Memo1->SetText("<p>saved</p>");
    Ui().ExpectFileDialog(true, AnsiPath(name));
    Main()->FileSaveAs1->Execute();
  }

  TRecordingShell FShell;
  std::optional<TSearchPathScope> FPath;
  std::optional<TShellBackendScope> FShellScope;
};

TEST_F(PreviewTest, PreviewWritesTheCopyBesideTheLastOpenedFileElseInTheProgramFolder) {
  Start();
  TZod2uAppForm* m = Main();
  m->Memo1->SetText(Ansi("первая\r\n<b>вторая</b>"));
  m->Memo1->SetModified(true);
  m->N201Click(nullptr);
  const std::string inProgram = ProgramDir() + PreviewCopyName();
  EXPECT_EQ(ReadFileBytes(SysFileName(inProgram)), Ansi("первая\r\n<b>вторая</b>"));
  EXPECT_EQ(Navigations(), std::vector<std::string>{inProgram});
  EXPECT_TRUE(Form24->Visible());
  EXPECT_TRUE(m->Memo1->Modified());
  EXPECT_TRUE(m->DocumentUntitled());

  // After a file was chosen in the open dialog: beside it.
  ForceDirectories(OsPath("site"));
  m->OpenDialog->SetFileName(AnsiPath("site/index.html"));
  m->N201Click(nullptr);
  EXPECT_TRUE(FileExists(AnsiPath("site/") + PreviewCopyName()));
  EXPECT_EQ(Navigations().back(), AnsiPath("site/") + PreviewCopyName());
}

TEST_F(PreviewTest, AnUnwritablePreviewFolderRaisesAndShowsNoBrowser) {
  Start();
  Main()->OpenDialog->SetFileName(AnsiPath("missing/index.html"));
  EXPECT_THROW(Main()->N201Click(nullptr), Exception);
  EXPECT_FALSE(Form24->Visible());
  EXPECT_TRUE(Navigations().empty());
  EXPECT_FALSE(DirectoryExists(AnsiPath("missing")));
}

// The preview copy never lands in someone else's file: not through a
// link (another user's in a shared sticky folder, or the user's own), not
// into a file another user owns.
TEST_F(PreviewTest, ThePreviewCopyIsNeverWrittenThroughALinkOrIntoAnotherUsersFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
  ForceDirectories(AnsiPath("shared"));
  ::chmod(OsPath("").c_str(), 0755);
  ::chmod(OsPath("shared").c_str(), 01777);
  const std::string copy = OsPath("shared/") + SysFileName(PreviewCopyName());
  struct TCase {
    const char* Name;
    bool Link;
    uid_t Owner;
  };
  const TCase cases[] = {
      {"another user's link", true, 65534}, {"own link", true, 0}, {"another user's file", false, 65534}};
  Start();
  Main()->OpenDialog->SetFileName(AnsiPath("shared/index.html"));
  Main()->Memo1->SetText("<p>page</p>");
  for (const TCase& c : cases) {
    WriteFileBytes(OsPath("shared/victim.txt"), "victim's");
    ::unlink(copy.c_str());
    if (c.Link)
      ASSERT_EQ(::symlink("victim.txt", copy.c_str()), 0);
    else
      WriteFileBytes(copy, "theirs");
    ASSERT_EQ(::lchown(copy.c_str(), c.Owner, c.Owner), 0);
    try {
      Main()->N201Click(nullptr);
      ADD_FAILURE() << c.Name << ": written";
    } catch (const EFCreateError& e) {
      EXPECT_NE(e.Message().find(AnsiPath("shared/") + PreviewCopyName()), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ReadFileBytes(OsPath("shared/victim.txt")), "victim's") << c.Name;
    if (!c.Link) {
      EXPECT_EQ(ReadFileBytes(copy), "theirs");
    }
    EXPECT_TRUE(Navigations().empty()) << c.Name;
  }
}

TEST_F(PreviewTest, AnyPageAndTypedAddressesGoToTheBrowserWindow) {
  Start();
  TZod2uAppForm* m = Main();
  WriteFileBytes(OsPath("page.html"), "<html>");
  Ui().ExpectFileDialog(false, "");
  m->N279Click(nullptr);
  EXPECT_FALSE(Form24->Visible());
  Ui().ExpectFileDialog(false, AnsiPath("page.html"));
  m->N279Click(nullptr);
  EXPECT_EQ(Navigations().back(), AnsiPath("page.html"));
  EXPECT_EQ(Form24->Caption(), AnsiPath("page.html"));
  EXPECT_TRUE(Form24->Visible());
  const TUiRecord& dialog = Ui().History().back();
  EXPECT_EQ(dialog.Kind, TUiKind::OpenDialog);

  // The typed address: Cancel ends the command.
  Form24->Hide();
  Ui().ExpectInput(false);
  m->N549Click(nullptr);
  EXPECT_FALSE(Form24->Visible());
  EXPECT_EQ(Navigations().size(), 1u);
  EXPECT_EQ(Ui().History().back().Caption, Ansi("Открыть сайт..."));
  EXPECT_EQ(Ui().History().back().Text, Ansi("Введите сюда адрес сайта:"));
  EXPECT_EQ(Ui().History().back().Value, "http://");
  Ui().ExpectInput(true, Ansi(" пример.рф/а б "));
  m->N549Click(nullptr);
  EXPECT_EQ(Navigations().back(), "http://%D0%BF%D1%80%D0%B8%D0%BC%D0%B5%D1%80.%D1%80%D1%84/%D0%B0%20%D0%B1");
  EXPECT_EQ(Form24->Caption(), Ansi(" пример.рф/а б "));
  EXPECT_TRUE(Form24->Visible());

  Form24->Hide();
  m->LunvistaPlugin4Click(nullptr);
  EXPECT_TRUE(Form24->Visible());
}

TEST_F(PreviewTest, TypedAddressesAreMadeBrowsable) {
  WriteFileBytes(OsPath("here.html"), "x");
  const struct {
    std::string typed, address;
  } cases[] = {
      {"example.org", "http://example.org"},
      {"https://example.org/a b", "https://example.org/a%20b"},
      {"http://example.org/%41", "http://example.org/%41"},
      {AnsiPath("here.html"), AnsiPath("here.html")},
      {"  ", ""},
      {"mailto:a@b.c", "mailto:a@b.c"},
  };
  for (const auto& c : cases) EXPECT_EQ(WebAddressFromInput(c.typed), c.address) << c.typed;
}

TEST_F(PreviewTest, TheOutsideBrowserTakesOnlyASavedUnchangedDocument) {
  Start();
  TZod2uAppForm* m = Main();
  const std::string message = Ansi("Пожалуйста, сохраните этот документ перед просмотром.");
  Ui().ExpectMessage(IDOK, message, "Brindel Quillet Studio");
  m->N277Click(nullptr);
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
  SaveAs("doc.html");
  m->Memo1->SetModified(true);
  Ui().ExpectMessage(IDOK, message, "Brindel Quillet Studio");
  m->N277Click(nullptr);
  EXPECT_TRUE(FShell.Starts.empty());

  m->Memo1->SetModified(false);
  m->N277Click(nullptr);
  TShellStart s = Only();
  EXPECT_EQ(s.Kind, TShellStart::skDocument);
  EXPECT_EQ(s.Target, AnsiPath("doc.html"));
  EXPECT_EQ(s.Owner, Form6->Handle());
  EXPECT_EQ(s.Verb, "");
  EXPECT_EQ(s.ShowCmd, SW_SHOWNORMAL);
  // A start the desktop refuses is told in the program's box over the main
  // window (the sender window that owns the start is not on screen).
  FShell.Result = false;
  Ui().ExpectMessage(IDOK, ShellErrorText(AnsiPath("doc.html"), SE_ERR_NOASSOC), "Brindel Quillet Studio");
  m->N277Click(nullptr);
  EXPECT_EQ(Ui().History().back().Owner, m->Handle());
  FShell.Starts.clear();
  FShell.Result = true;

  WriteFileBytes(OsPath("other.htm"), "x");
  Ui().ExpectFileDialog(false, AnsiPath("other.htm"));
  m->N408Click(nullptr);
  EXPECT_EQ(Only().Target, AnsiPath("other.htm"));
}

// A saved page that happens to be an executable script is shown, never
// run: by the outside-browser commands of this document and of any page.
TEST_F(PreviewTest, AnExecutablePageIsShownNeverRun) {
  Start();
  TZod2uAppForm* m = Main();
  SaveAs("run.html");
  const std::string marker = OsPath("ran");
  WriteFileBytes(OsPath("run.html"), "#!/bin/sh\ntouch '" + marker + "'\n");
  ::chmod(OsPath("run.html").c_str(), 0755);
  Ui().ExpectFileDialog(false, AnsiPath("run.html"));
  const std::function<void()> commands[] = {[m] { m->N277Click(nullptr); }, [m] { m->N408Click(nullptr); }};
  for (const auto& command : commands) {
    command();
    TShellStart s = Only();
    EXPECT_EQ(s.Kind, TShellStart::skDocument);
    EXPECT_EQ(s.Target, AnsiPath("run.html"));
    EXPECT_TRUE(s.Arguments.empty());
  }

  // The Qt shell hands it to the desktop's opener (here a stand-in on a
  // one-folder PATH that notes what it was given) and starts nothing else.
  QtShellBackend desktop;
  TShellBackendScope real(&desktop);
  const std::string noted = OsPath("opened");
  WriteFileBytes(OsPath("bin/xdg-open"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + noted + ".part'\n/bin/mv '" + noted +
                                             ".part' '" + noted + "'\n");
  ::chmod(OsPath("bin/xdg-open").c_str(), 0755);
  m->N277Click(nullptr);
  for (int i = 0; i < 500 && !FileExists(AnsiFileName(noted)) && !FileExists(AnsiFileName(marker)); ++i) {
    Pump();
    ::usleep(20000);
  }
  EXPECT_EQ(ReadFileBytes(noted), OsPath("run.html") + "\n");
  EXPECT_FALSE(FileExists(AnsiFileName(marker)));
}

TEST_F(PreviewTest, WithoutACalculatorTheMessageNamesTheOnesToInstall) {
  Start();
  const std::string text = ShellErrorText("calc.exe", SE_ERR_FNF);
  EXPECT_NE(text.find("gnome-calculator, kcalc, mate-calc, galculator, qalculate-qt, xcalc"), std::string::npos);
  Ui().ExpectMessage(IDOK, text, "Brindel Quillet Studio");
  Main()->Windows3Click(nullptr);
  EXPECT_TRUE(FShell.Starts.empty());
}

TEST_F(PreviewTest, ProgramsAddressesAndLinksStartAsTheirRowsSay) {
  MakeProgram(OsPath("brindel-quillet-studio"));
  MakeProgram(OsPath("bin/xcalc"));
  Start();
  TZod2uAppForm* m = Main();
  const HWND main = m->Handle();
  const struct {
    const char* handler;
    TShellStart::TKind kind;
    std::string target;
    HWND owner;
    std::string verb;
    int show;
  } cases[] = {
      {"N152Click", TShellStart::skProgram, AnsiPath("brindel-quillet-studio"), nullptr, "open", SW_SHOW},
      {"Windows3Click", TShellStart::skProgram, AnsiPath("bin/xcalc"), main, "open", SW_SHOW},
      {"HollowfenSoftwareHomePage1Click", TShellStart::skUrl, MakerHomePage, Form1->Handle(), "", SW_SHOWNORMAL},
      {"Quenwrit1Click", TShellStart::skUrl, ProductPage, Form1->Handle(), "", SW_SHOWNORMAL},
      {"SupportMailItem1Click", TShellStart::skUrl,
       std::string("mailto:") + SupportMailAddress +
           Ansi("?subject=Brindel%20Brindel%20Quillet%20Studio%203.5&body=У%20меня%20возникла%20следующая%20ошибка:"),
       main, "open", SW_SHOWNORMAL},
      {"LinkMail1Click", TShellStart::skUrl, "https://mail.ru", nullptr, "", SW_SHOWNORMAL},
      {"LinkHosting10Click", TShellStart::skUrl, "https://about.gitlab.com", nullptr, "", SW_SHOWNORMAL},
      {"LinkOther4Click", TShellStart::skUrl, "https://archive.org", nullptr, "", SW_SHOWNORMAL},
  };
  for (const auto& c : cases) {
    m->Commands().Handler(c.handler)(nullptr);
    TShellStart s = Only();
    EXPECT_EQ(s.Kind, c.kind) << c.handler;
    EXPECT_EQ(s.Target, c.target) << c.handler;
    EXPECT_TRUE(s.Arguments.empty()) << c.handler;
    EXPECT_EQ(s.Owner, c.owner) << c.handler;
    EXPECT_EQ(s.Verb, c.verb) << c.handler;
    EXPECT_EQ(s.ShowCmd, c.show) << c.handler;
  }
  // A links item minimises the program before the page opens.
  EXPECT_TRUE(Application->Minimized() || m->WindowState() == wsMinimized || !m->Visible());
}

TEST_F(PreviewTest, TheLinksMenuHoldsTwentyFiveHostsInThreeGroups) {
  const std::vector<TInternetLink>& links = InternetLinks();
  ASSERT_EQ(links.size(), 25u);
  std::vector<const TMenuRow*> rows;
  std::vector<std::string> paths;
  for (const TMenuRow& r : MainWindowRows())
    if (std::string(r.Path).rfind("Сервис > Ресурсы Интернета", 0) == 0) rows.push_back(&r);
  size_t next = 0;
  int separators = 0;
  for (const TMenuRow* r : rows) {
    if (r->IsLine()) {
      ++separators;
      continue;
    }
    if (r->IsSubmenu()) continue;
    ASSERT_LT(next, links.size());
    EXPECT_EQ(std::string(r->Name), links[next].Name);
    EXPECT_EQ(std::string(r->Handler), std::string(links[next].Name) + "Click");
    EXPECT_EQ(std::string(r->Caption), LinkHost(links[next].Address));
    EXPECT_EQ(std::string(links[next].Address).rfind("https://", 0), 0u);
    ++next;
  }
  EXPECT_EQ(next, links.size());
  EXPECT_EQ(separators, 3);  // between the groups, and after the eighth host
}

TEST_F(PreviewTest, FavouriteProgramsStartTheirFieldAsOnePath) {
  ForceDirectories(OsPath("my tools"));
  MakeProgram(OsPath("my tools/run \"me\""));
  MakeProgram(OsPath("bin/opera"));
  Start();
  TZod2uAppForm* m = Main();
  const std::string unset = Ansi(
      "Quillet Studio не может найти исполняемый файл этого приложения, так как Вы не настроили этот сервис в "
      "программе. Для того, чтобы сделать это сейчас нажмите кнопку ОК.");
  // Empty: the message, and on OK the settings dialog.
  Form2->Edit3->SetText("");
  Ui().ExpectMessage(IDCANCEL, unset, "Brindel Quillet Studio");
  m->N17Click(nullptr);
  EXPECT_EQ(Ui().History().back().Buttons, (std::vector<int>{IDOK, IDCANCEL}));
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
  bool shown = false;
  Ui().ExpectMessage(IDOK, unset, "Brindel Quillet Studio").ExpectModalForm([&](TCustomForm* f) {
    shown = f == Form2;
    f->SetModalResult(mrCancel);
  });
  m->N17Click(nullptr);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(FShell.Starts.empty());

  const struct {
    TEdit* TForm2::*field;
    const char* handler;
    std::string text;
    std::string target;
  } cases[] = {
      {&TForm2::Edit1, "N8Click", AnsiPath("my tools/run \"me\""), AnsiPath("my tools/run \"me\"")},
      {&TForm2::Edit2, "Paint1Click", "\"" + AnsiPath("my tools/run \"me\"") + "\"", AnsiPath("my tools/run \"me\"")},
      {&TForm2::Edit7, "N19Click", "C:\\Program Files\\Opera\\Opera.exe", AnsiPath("bin/opera")},
      {&TForm2::Edit4, "WinAmp1Click", "opera", AnsiPath("bin/opera")},
  };
  for (const auto& c : cases) {
    (Form2->*c.field)->SetText(c.text);
    m->Commands().Handler(c.handler)(nullptr);
    TShellStart s = Only();
    EXPECT_EQ(s.Kind, TShellStart::skProgram) << c.handler;
    EXPECT_EQ(s.Target, c.target) << c.handler;
    EXPECT_TRUE(s.Arguments.empty()) << c.handler;
    EXPECT_EQ(s.Owner, m->Handle()) << c.handler;
    EXPECT_EQ(s.Verb, "open") << c.handler;
  }
  // The settings dialog's default, one blank: asked for, and the shell's
  // error box names it.
  Form2->Edit3->SetText(" ");
  Ui().ExpectMessage(IDOK, ShellErrorText(" ", SE_ERR_FNF), "Brindel Quillet Studio");
  m->N17Click(nullptr);
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Error);
  EXPECT_TRUE(FShell.Starts.empty());
}

TEST_F(PreviewTest, MailCommandsEndOnCancelAndSendNoTrailingBlank) {
  Start();
  TZod2uAppForm* m = Main();
  m->Memo1->SetText("body");
  Clipboard()->SetAsText("before");
  Ui().ExpectInput(false);
  m->email2Click(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), "before");
  EXPECT_EQ(Ui().History().back().Caption, Ansi("Отправить текст почтой..."));
  EXPECT_EQ(Ui().History().back().Value, PlaceholderMailAddress);

  const std::string copied = Ansi(
      "Всё содержимое редактора и адрес e-mail адреса былы скопированы в буфер обмена Windows. Если ответите "
      "утвердительно, Brindel Quillet Studio запустит Вашу почтовую программу.");
  Ui().ExpectInput(true, "me@example.org").ExpectMessage(IDCANCEL, copied, "Brindel Quillet Studio");
  m->email2Click(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), "body");
  EXPECT_EQ(m->Memo1->SelText(), "body");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Information);
  EXPECT_TRUE(FShell.Starts.empty());
  Ui().ExpectInput(true, "me@example.org").ExpectMessage(IDOK, copied, "Brindel Quillet Studio");
  m->email2Click(nullptr);
  EXPECT_EQ(Only().Target, "mailto:me@example.org");

  Ui().ExpectInput(false);
  m->N550Click(nullptr);
  EXPECT_EQ(Ui().History().back().Caption, Ansi("Открыть почту..."));
  EXPECT_TRUE(FShell.Starts.empty());
  Ui().ExpectInput(true, " you@example.org ");
  m->N550Click(nullptr);
  TShellStart s = Only();
  EXPECT_EQ(s.Target, "mailto:you@example.org");
  EXPECT_EQ(s.Verb, "open");
  EXPECT_EQ(s.Owner, m->Handle());
}

TEST_F(PreviewTest, FileInformationAndProperties) {
  Start();
  TZod2uAppForm* m = Main();
  Ui().ExpectMessage(IDOK, Ansi("Вы не сохранили этот документ!  "), "Brindel Quillet Studio");
  m->N270Click(nullptr);
  Ui().ExpectMessage(IDOK, Ansi("Документ физически пока не существует на носителе. "), "Brindel Quillet Studio");
  m->N568Click(nullptr);
  EXPECT_TRUE(FShell.Starts.empty());

  SaveAs("page.html");
  m->Memo1->SetReadOnly(true);
  const std::string f = AnsiPath("page.html");
  const std::string b = "\n\r\n\r";
  const std::string text = Ansi("Полное имя файла  -  ") + f + "  " + b + Ansi("Путь до файла  -  ") + AnsiPath("") +
                           " " + b + Ansi("Путь до файла в DOS варианте  -  ") + f + b + Ansi("Имя файла  -  ") +
                           "page.html " + b + Ansi("Расширение файла  -  ") + ".html " + b +
                           Ansi("Файл только для чтения?  -  да");
  Ui().ExpectMessage(IDOK, text, Ansi("Информация о файле"));
  m->N270Click(nullptr);
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Information);

  WriteFileBytes(OsPath("any.txt"), "x");
  Ui().ExpectFileDialog(false, AnsiPath("any.txt"));
  Ui().ExpectMessage(IDOK);
  m->N271Click(nullptr);
  const std::string any = Ui().History().back().Text;
  EXPECT_EQ(any.substr(0, Ansi("Полное имя файла  -  ").size() + AnsiPath("any.txt").size()),
            Ansi("Полное имя файла  -  ") + AnsiPath("any.txt"));
  EXPECT_EQ(any.substr(any.size() - Ansi("нет").size()), Ansi("нет"));
  EXPECT_EQ(m->OpenDialog->FileName(), AnsiPath("any.txt"));

  m->N568Click(nullptr);
  TShellStart s = Only();
  EXPECT_EQ(s.Kind, TShellStart::skProperties);
  EXPECT_EQ(s.Target, f);
}

TEST_F(PreviewTest, ToolWindowsShowAsTheirItemsSay) {
  Start();
  TZod2uAppForm* m = Main();
  for (const char* h : {"N115Click", "N116Click", "N117Click", "N180Click", "email1Click", "N118Click"}) {
    m->Commands().Handler(h)(nullptr);
  }
  for (const char* w : {"TForm5", "TForm4", "TForm8", "TForm10", "TForm6", "TForm7"})
    EXPECT_TRUE(ProgramWindow(w)->Visible()) << w;
  // The favourites window is open: "Настроить избранное" still takes it
  // into a modal loop.
  std::vector<TCustomForm*> modal;
  for (int i = 0; i < 3; ++i)
    Ui().ExpectModalForm([&](TCustomForm* f) {
      modal.push_back(f);
      f->SetModalResult(mrCancel);
    });
  m->N105Click(nullptr);
  m->N61Click(nullptr);
  m->N400Click(nullptr);
  EXPECT_EQ(modal,
            (std::vector<TCustomForm*>{ProgramWindow("TForm7"), ProgramWindow("TForm2"), ProgramWindow("TForm14")}));
}

}  // namespace
