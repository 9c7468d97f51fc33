// RTF conversion and viewing, printing (to a PDF file read back, and on
// the recording printer), web page printing, the go-to-line, indent,
// browser and clipboard windows, the menu bindings, and Ctrl+O / Ctrl+S
// in the running editor.
#include <QtTest/QTest>

#include <algorithm>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DocumentsFixture.h"
#include "MenuRows.h"
#include "SnippetCommands.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit24.h"
#include "Unit25.h"
#include "Unit26.h"
#include "W2kMain.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Printers.h"
#include "platform/RichEdit.h"
#include "platform/SysUtils.h"
#include "platform/WebBrowser.h"
#include "platform/qt/QtWidgetset.h"
#include "platform/testing/RecordingPrinter.h"
#include "platform/testing/RecordingWebBrowser.h"

namespace {

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

class ViewersTest : public DocumentsTest {
 protected:
  TRichEdit* Rich() const { return Form25->RichEdit1; }
};

TEST_F(ViewersTest, SaveInRtfWritesTheTextAndAsksBeforeOverwriting) {
  const std::string text = Ansi("Строка один\r\n{line} two");
  StartWith(text);
  Ui().ExpectFileDialog(true, AnsiPath("out.rtf"));
  Ui().ExpectMessage(IDOK,
                     Ansi("Файл \"Безымянный\" был успешно сконвертирован в формат RTF и сохранен под именем "
                          "\"out.rtf\" !"),
                     "Brindel Quillet Studio");
  Main()->RTF1Click(nullptr);
  EXPECT_EQ(Ui().History().at(0).Caption, "Velmora Save");
  EXPECT_EQ(Ui().History().at(1).Icon, TUiIcon::Information);
  std::string rtf = ReadFileBytes(OsPath("out.rtf"));
  EXPECT_EQ(rtf, TextToRtf(text, "Times New Roman", 12));
  EXPECT_EQ(RtfToText(rtf), text);
  EXPECT_EQ(Rich()->Text(), "");
  EXPECT_EQ(Memo()->Text(), text);

  // The file exists now: No keeps it, and no success message follows.
  WriteFileBytes(OsPath("out.rtf"), "old");
  Ui().ExpectFileDialog(true, AnsiPath("out.rtf"));
  Ui().ExpectMessage(IDNO,
                     Ansi("Файл с именем ") + AnsiPath("out.rtf") +
                         Ansi(" уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?"),
                     Ansi("Подтверждение"));
  Main()->RTF1Click(nullptr);
  EXPECT_EQ(ReadFileBytes(OsPath("out.rtf")), "old");
  EXPECT_EQ(Rich()->Text(), "");

  // Cancelled: nothing written, the rich edit emptied all the same.
  Ui().ExpectFileDialog(true, std::string());
  Main()->RTF1Click(nullptr);
  EXPECT_EQ(Rich()->Text(), "");
  EXPECT_EQ(Main()->richsave->DefaultExt(), "rtf");
}

TEST_F(ViewersTest, RichViewerShowsTheDocumentOrAnRtfFile) {
  StartWith("doc text");
  Main()->VelmoraRichTextViewer1Click(nullptr);
  EXPECT_EQ(Form25->Caption(), Ansi("Конвертация файла \"Безымянный\" в формат RTF"));
  EXPECT_EQ(Rich()->Text(), "doc text");
  EXPECT_TRUE(Form25->Visible());
  EXPECT_TRUE(Rich()->ReadOnly());
  EXPECT_EQ(Rich()->Font()->Name(), "Times New Roman");
  EXPECT_EQ(Rich()->Font()->Height(), -16);
  Form25->Hide();

  WriteFileBytes(OsPath("in.rtf"),
                 "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'cf\\'f0\\'e8\\par x\\par}");
  Ui().ExpectFileDialog(false, AnsiPath("in.rtf"));
  Main()->RichtextViewer1Click(nullptr);
  EXPECT_EQ(Ui().History().at(0).FilterIndex, 1);
  EXPECT_EQ(Rich()->Text(), Ansi("При\r\nx"));
  EXPECT_EQ(Form25->Caption(), AnsiPath("in.rtf"));
  EXPECT_TRUE(Form25->Visible());
  EXPECT_EQ(Memo()->Text(), "doc text");

  Form25->Hide();
  Main()->RichtextViewer2Click(nullptr);
  EXPECT_TRUE(Form25->Visible());
  EXPECT_EQ(Rich()->Text(), Ansi("При\r\nx"));
}

TEST_F(ViewersTest, PrintTextGoesToAPdfFileLineByLine) {
  std::string text;
  for (int i = 1; i <= 120; ++i) text += Ansi("Строка ") + IntToStr(i) + " line\r\n";
  StartWith(text + "end");
  std::string pdf = AnsiPath("out.pdf");
  Printer()->SetOutputFileName(pdf);
  Ui().ExpectPrint(false);
  Main()->N37Click(nullptr);
  EXPECT_FALSE(FileExists(pdf));
  Ui().ExpectPrint(true);
  Main()->N37Click(nullptr);
  Printer()->SetOutputFileName(std::string());
  ASSERT_TRUE(FileExists(pdf));
  EXPECT_EQ(ReadFileBytes(OsPath("out.pdf")).substr(0, 5), "%PDF-");
  std::string out = RunCommand("pdftotext -enc UTF-8 '" + OsPath("out.pdf") + "' -");
  ASSERT_FALSE(out.empty()) << "pdftotext is needed (scripts/setup-deps.sh installs it)";
  size_t pos = 0;
  for (int i = 1; i <= 120; ++i) {
    size_t at = out.find("Строка " + std::to_string(i) + " line", pos);
    ASSERT_NE(at, std::string::npos) << i;
    pos = at;
  }
  EXPECT_NE(out.find("end", pos), std::string::npos);
  // 121 lines of 14 points do not fit one page.
  EXPECT_GE(std::count(out.begin(), out.end(), '\f'), 2);
}

TEST_F(ViewersTest, PrintTextWritesEveryLineInTheEditorFont) {
  TRecordingPrinterBackend backend;
  StartWith("first\r\n\r\nthird");
  SetPrinterBackend(&backend);
  Ui().ExpectPrint(true);
  Main()->N37Click(nullptr);
  Ui().ExpectPrint(true, true);
  Main()->N40Click(nullptr);
  SetPrinterBackend(nullptr);
  EXPECT_EQ(Ui().History().at(1).Kind, TUiKind::PrinterSetupDialog);
  ASSERT_EQ(backend.Jobs.size(), 1u);
  const auto& runs = backend.Jobs[0].Pages.at(0).Runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Text, "first");
  EXPECT_EQ(runs[1].Text, "third");
  EXPECT_GT(runs[1].Y, runs[0].Y);
  EXPECT_EQ(runs[0].X, 0);
  EXPECT_EQ(runs[0].FontName, Memo()->Font()->Name());
  EXPECT_EQ(runs[0].FontHeight, -MulDiv(Memo()->Font()->Size(), backend.Dpi, 72));
  EXPECT_TRUE(backend.Jobs[0].Ended);
}

TEST_F(ViewersTest, WebPagePrintingUsesTheBrowserWindow) {
  SetWebBrowserEngineFactory([](TWebBrowser* b) -> std::unique_ptr<IWebBrowserEngine> {
    return std::make_unique<TRecordingWebBrowserEngine>(b);
  });
  StartWith("");
  TWebBrowser* browser = Form24->WebBrowser1;
  EXPECT_FALSE(browser->EngineCreated());
  EXPECT_EQ(Form24->Caption(), "Brindel Quillet Studio - Browser");
  try {
    Main()->N529Click(nullptr);
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_STREQ(e.what(), SOleCommandNotSupported);
  }
  browser->Navigate("file:///tmp/page.html");
  Main()->N529Click(nullptr);
  Main()->N530Click(nullptr);
  const auto& commands = RecordingEngine(browser)->Commands;
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].Command, OLECMDID_PRINT);
  EXPECT_EQ(commands[0].Option, OLECMDEXECOPT_PROMPTUSER);
  EXPECT_EQ(commands[1].Command, OLECMDID_PRINTPREVIEW);
  EXPECT_EQ(commands[1].Option, OLECMDEXECOPT_DONTPROMPTUSER);
  EXPECT_FALSE(Form24->Visible());
}

TEST_F(ViewersTest, GoToLineDialog) {
  StartWith("1\r\n2\r\n3\r\n4");
  Ui().ExpectModalForm([](TCustomForm* f) {
    EXPECT_EQ(f, Form122);
    EXPECT_EQ(Form122->Label2->Caption(), Ansi("В этом документе сейчас 4 строк(и)."));
    Form122->Edit1->SetText("3");
    Form122->Button1->Click();
  });
  Form122->ShowModal();
  EXPECT_EQ(Memo()->Caret(), BufferCoord(1, 3));
  EXPECT_FALSE(Form122->Visible());
  // The count is the one at the time of showing.
  Memo()->Lines()->Add("5");
  Form122->FormShow(nullptr);
  EXPECT_EQ(Form122->Label2->Caption(), Ansi("В этом документе сейчас 5 строк(и)."));

  Form122->Edit1->SetText("");
  Ui().ExpectMessage(IDOK, Ansi("Введите, пожалуйста, номер строки!"), "Brindel Quillet Studio");
  Form122->Button1Click(nullptr);
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
  EXPECT_EQ(Memo()->Caret(), BufferCoord(1, 3));

  struct TCase {
    const char* text;
    int line;
  };
  for (TCase c :
       {TCase{"abc", 1}, TCase{"0", 1}, TCase{"-7", 1}, TCase{"999", 5}, TCase{"2", 2}, TCase{"99999999999", 1}}) {
    Memo()->SelectAll();
    Form122->Edit1->SetText(c.text);
    Form122->Button1Click(nullptr);
    EXPECT_EQ(Memo()->Caret(), BufferCoord(1, c.line)) << c.text;
    EXPECT_FALSE(Memo()->HasSelection()) << c.text;
  }
}

TEST_F(ViewersTest, IndentDialogAsksForTheRectangleAndRepaints) {
  StartWith("text");
  EXPECT_EQ(Form13->Edit1->Text(), "20");
  Form13->Button1Click(nullptr);
  EXPECT_EQ(Memo()->Text(), "text");
  Form13->Edit1->SetText("abc");
  EXPECT_THROW(Form13->Button1Click(nullptr), EConvertError);
  EXPECT_EQ(Memo()->Text(), "text");
}

TEST_F(ViewersTest, ClipboardViewerPastesTheClipboardItself) {
  StartWith("ab");
  Memo()->SetSelectionStart(1);
  Clipboard()->SetAsText("clip");
  Form26->view->SetText("edited, not used");
  Form26->Show();
  Form26->Button2Click(nullptr);
  EXPECT_EQ(Memo()->Text(), "aclipb");
  EXPECT_FALSE(Form26->Visible());
  Form26->Show();
  Form26->Button1Click(nullptr);
  EXPECT_FALSE(Form26->Visible());
  EXPECT_EQ(Form26->view->Left(), 8);
  EXPECT_EQ(Form26->view->Width(), 449);
}

TEST_F(ViewersTest, MenusTrayAndActionsRunTheCommands) {
  StartWith("");
  TMenu& menu = *Main()->MainMenu1;
  struct TItem {
    const char* path;
    const char* caption;
    TShortCut shortCut;
  };
  const TItem items[] = {
      {"Файл > Создать...", "Новый документ HTML", ShortCut(VK_F1, {ssShift})},
      {"Файл", "Создать веб-страницу", ShortCut(VK_F1, {ssShift})},
      {"Файл > Печать", "Печать текста", ShortCut('T', {ssCtrl, ssAlt})},
      {"Файл > Печать", "Печать веб-страницы...", ShortCut('W', {ssCtrl, ssAlt})},
      {"Файл > Создать по шаблону... > Фреймы", "Образец применения фреймов", scNone},
      {"Файл > Конвертация в RTF", "Сохранить файл в формате RTF ", scNone},
      {"Сервис > Система", "Boot.ini", scNone},
      {"Сервис", "Rich-text Viewer...", scNone},
      {"Просмотр", "Brindel Quillet Studio Rich Viewer", scNone},
  };
  for (const TItem& i : items) {
    TMenuItem* item = FindMenuItem(menu, i.path, i.caption);
    ASSERT_NE(item, nullptr) << i.path << " > " << i.caption;
    EXPECT_TRUE(item->OnClick) << i.caption;
    EXPECT_EQ(item->ShortCut(), i.shortCut) << i.caption;
  }
  // The wizard item stands once, in the File menu, bound by the snippets.
  TMenuItem* wizard = FindMenuItem(menu, "Файл", "Создать при помощи Мастера...");
  ASSERT_NE(wizard, nullptr);
  EXPECT_TRUE(wizard->OnClick);

  // The page template item and a tray item run their commands.
  FindMenuItem(menu, "Файл > Создать по шаблону... > Стили таблиц", "Поздняя ночь")->Click();
  EXPECT_EQ(Caption(), Ansi("Новая веб-страница - Brindel Quillet Studio"));
  Ui().ExpectMessage(IDNO);
  Main()->tray->Items()->Find(Ansi("Создать новый"))->Click();
  EXPECT_EQ(Caption(), Ansi("Новый файл - Brindel Quillet Studio"));
  EXPECT_EQ(Main()->FileOpen1->ShortCut(), ShortCut('O', {ssCtrl}));
  EXPECT_TRUE(Main()->FileNew1->OnExecute);
}

TEST_F(ViewersTest, CtrlOAndCtrlSInTheRunningEditor) {
  WriteFileBytes(OsPath("keys.txt"), "line one\nline two\n");
  StartWith("");
  QWidget* memo = static_cast<QtWindowPeer*>(Memo()->Handle())->Client();
  Memo()->SetFocus();
  Pump();
  Ui().ExpectFileDialog(false, AnsiPath("keys.txt"));
  QTest::keyClick(memo, Qt::Key_O, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(Memo()->Text(), "line one\r\nline two\r\n");
  EXPECT_EQ(Caption(), "keys.txt - Brindel Quillet Studio");
  QTest::keyClick(memo, Qt::Key_X);
  Pump();
  EXPECT_TRUE(Memo()->Modified());
  QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
  Pump();
  EXPECT_FALSE(Memo()->Modified());
  EXPECT_EQ(ReadFileBytes(OsPath("keys.txt")), "xline one\nline two\n");
}

}  // namespace
