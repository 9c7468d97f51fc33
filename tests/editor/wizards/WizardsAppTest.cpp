// The tag wizards in the running editor (offscreen Qt): each opened by its
// command, its fields filled and its button pressed inside the modal loop;
// the fragment in place of the selection as one undo step, the warnings of
// the required fields, and what each window keeps.
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "MarkupHints.h"
#include "ProgramPictures.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "TestPictures.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit15.h"
#include "Unit16.h"
#include "Unit17.h"
#include "Unit18.h"
#include "Unit23.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit8.h"
#include "W2kMain.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "platform/testing/RecordingShell.h"

namespace {

TButton* Btn(TComponent* form, const char* name) {
  auto* b = dynamic_cast<TButton*>(form->FindComponent(name));
  EXPECT_NE(b, nullptr) << name;
  return b;
}

class WizardsAppTest : public InsertAppTest {
 protected:
  // Runs a command of the main window; `play` acts in the window it opens.
  // The boxes `play` meets come after the window's own step: queued with
  // Then() before Open().
  void Open(const char* command, std::function<void()> play) {
    Ui().ExpectModalForm([play](TCustomForm*) { play(); });
    for (auto& queue : FThen) queue();
    FThen.clear();
    Main()->Commands().Handler(command)(nullptr);
  }
  void Then(std::function<void()> queue) { FThen.push_back(std::move(queue)); }
  std::vector<std::function<void()>> FThen;
  void ExpectWarning(const std::string& text) { Ui().ExpectMessage(IDOK, text, "Brindel Quillet Studio"); }
  // The fragment replaced the selection "SEL" of "ab SEL cd", the caret
  // after it, and one undo brings the text back.
  void ExpectInserted(const std::string& fragment) {
    EXPECT_EQ(Memo()->Text(), "ab " + fragment + " cd");
    EXPECT_EQ(Memo()->GetSelectionStart(), int(3 + fragment.size()));
    Memo()->Undo();
    EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  }
};

TEST_F(WizardsAppTest, HeadingWizard) {
  StartWithText("ab SEL cd", 3, 3);
  Open("N178Click", [] {
    EXPECT_EQ(Form10->Edit1->Text(), "<H1 ");
    EXPECT_EQ(Form10->ComboBox1->Text(), "ALIGN=LEFT");
    Btn(Form10, "Button2")->Click();
    Form10->ComboBox1->SetItemIndex(1);
    Form10->Memo1->SetText("Title");
    Btn(Form10, "Button8")->Click();
  });
  EXPECT_FALSE(Form10->Visible());
  ExpectInserted("<H2 ALIGN=CENTER>Title</H2>");
  // The fields stay; an empty text is allowed.
  Memo()->SetText("ab SEL cd");
  Memo()->SetSelectionStart(3);
  Memo()->SetSelectionLength(3);
  Open("N178Click", [] {
    EXPECT_EQ(Form10->Edit2->Text(), "</H2>");
    Btn(Form10, "Button6")->Click();
    Btn(Form10, "Button10")->Click();
    Btn(Form10, "Button8")->Click();
  });
  EXPECT_EQ(Memo()->Text(), "ab <H6 ALIGN=CENTER></H6> cd");
}

TEST_F(WizardsAppTest, RedirectWizardChecksBothFields) {
  StartWithText("ab SEL cd", 3, 3);
  Then([this] {
    ExpectWarning(
        Ansi("URL адрес гиперссылки и промежуток времени, через который она будет открыта, нужно ввести "
             "обязательно."));
  });
  Open("METAREFRESH1Click", [this] {
    Btn(Form11, "Button3")->Click();  // clear: seconds empty, address "http://"
    EXPECT_EQ(Form11->Edit1->Text(), "");
    EXPECT_EQ(Form11->Edit2->Text(), "http://");
    Btn(Form11, "Button1")->Click();
    EXPECT_TRUE(Form11->Visible());
    Form11->Edit1->SetText("5");
    Btn(Form11, "Button1")->Click();
  });
  ExpectInserted("<meta http-equiv=\"refresh\" content=5;url=http://>");
}

TEST_F(WizardsAppTest, RuleWizardColourAndShade) {
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { Ui().ExpectColor(true, 0x0080FF); });
  Open("N220Click", [] {
    Form23->Edit1->SetText("50%");
    Form23->Edit2->SetText("2");
    Form23->Edit3->OnClick(nullptr);
    EXPECT_EQ(Form23->Edit3->Text(), "#FF8000");
    EXPECT_EQ(Form23->Edit3->Color(), 0x0080FFu);
    Form23->Label3->OnClick(nullptr);
    EXPECT_EQ(Clipboard()->AsText(), "#FF8000");
    Form23->CheckBox1->SetChecked(true);
    Btn(Form23, "Button1")->Click();
  });
  ExpectInserted("<HR width=\"50%\" size=\"2\" color=\"#FF8000\" noshade>");
}

TEST_F(WizardsAppTest, RuleWizardWithoutAColourKeepsTheFieldText) {
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { Ui().ExpectColor(false); });
  Open("N220Click", [] {
    Form23->Edit3->OnClick(nullptr);
    Btn(Form23, "Button1")->Click();
  });
  ExpectInserted(Ansi("<HR width=\"\" size=\"\" color=\"щелкни тута!\">"));
}

TEST_F(WizardsAppTest, HyperlinkWizard) {
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { ExpectWarning(Ansi("URL адрес гиперссылки и ее текст нужно ввести обязательно.")); });
  Open("AA1Click", [] {
    EXPECT_EQ(Form5->ComboBox1->Text(), "http://");
    EXPECT_EQ(Form5->ComboBox1->Items()->Count(), 8);
    Form5->Edit1->SetText("http://a.ru");
    Btn(Form5, "Button1")->Click();  // no text yet
    EXPECT_TRUE(Form5->Visible());
    Form5->Edit1->OnDblClick(nullptr);
    EXPECT_EQ(Form5->Edit2->Text(), "http://a.ru");
    Form5->CheckBox1->SetChecked(true);
    Btn(Form5, "Button1")->Click();
  });
  // The protocol goes in front, also before an address that has one.
  ExpectInserted("<B><A HREF=http://http://a.ru>http://a.ru</A></B>");
}

TEST_F(WizardsAppTest, HyperlinkWizardSavesItsAddressesOnCancel) {
  StartWithText("", 0);
  EXPECT_EQ(Form5->Edit3->Text(), "");
  EXPECT_EQ(Form5->Edit4->Text(), " ");
  Open("AA1Click", [] {
    Form5->Edit3->SetText("one.ru");
    Form5->Edit4->SetText("two.ru");
    Form5->Edit5->SetText("");
    Form5->Edit4->OnDblClick(nullptr);
    EXPECT_EQ(Form5->Edit1->Text(), "two.ru");
    Btn(Form5, "Button2")->Click();
  });
  EXPECT_EQ(ReadFileBytes(OsPath("velmoraset.ini")),
            "[URL list]\r\nmem-one=one.ru\r\nmem-two=two.ru\r\nmem-three=\r\n");
  EXPECT_EQ(Memo()->Text(), "");
  // Read again at the next start.
  Finish();
  Start();
  EXPECT_EQ(Form5->Edit3->Text(), "one.ru");
  EXPECT_EQ(Form5->Edit4->Text(), "two.ru");
  EXPECT_EQ(Form5->Edit5->Text(), "");
}

TEST_F(WizardsAppTest, HyperlinkWizardClosesAndInsertsWhenTheFileCannotBeWritten) {
  // A folder where the file should be: the write fails.
  ::mkdir(OsPath("velmoraset.ini").c_str(), 0700);
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { Ui().ExpectMessage(IDOK); });  // the error, once
  Open("AA1Click", [] {
    Form5->Edit1->SetText("a.ru");
    Form5->Edit2->SetText("A");
    Btn(Form5, "Button1")->Click();
  });
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Error);
  ExpectInserted("<A HREF=http://a.ru>A</A>");
}

TEST_F(WizardsAppTest, DamagedSavedAddressFileGivesDefaults) {
  WriteFileBytes(OsPath("velmoraset.ini"), std::string("\0\xff[URL list\r\nmem-one\r\n=\r\n", 25));
  StartWithText("", 0);
  EXPECT_EQ(Form5->Edit3->Text(), "");
  EXPECT_EQ(Form5->Edit4->Text(), " ");
  EXPECT_EQ(Form5->Edit5->Text(), " ");
}

TEST_F(WizardsAppTest, SoundWizard) {
  WriteFileBytes(OsPath("song.mp3"), "x");
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { ExpectWarning(Ansi("URL адрес медиа файла нужно ввести обязательно.")); });
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("song.mp3")); });
  Open("N50Click", [this] {
    EXPECT_FALSE(Form15->RadioButton1->Enabled());
    Btn(Form15, "Button1")->Click();
    Btn(Form15, "Button4")->Click();
    EXPECT_EQ(Form15->Edit1->Text(), "file://" + AnsiPath("song.mp3"));
    EXPECT_TRUE(Form15->RadioButton2->Enabled());
    Form15->RadioButton2->SetChecked(true);
    EXPECT_EQ(Form15->Edit1->Text(), "song.mp3");
    Form15->CheckBox1->SetChecked(true);
    EXPECT_FALSE(Form15->Edit2->Visible());
    Form15->CheckBox1->SetChecked(false);
    EXPECT_TRUE(Form15->Edit2->Visible());
    Form15->Edit2->SetText("3");
    Btn(Form15, "Button1")->Click();
  });
  ExpectInserted("<BGSOUND SRC=\"song.mp3\" LOOP=3>");
  Memo()->SetText("ab SEL cd");
  Memo()->SetSelectionStart(3);
  Memo()->SetSelectionLength(3);
  Open("N50Click", [] {
    Form15->CheckBox1->SetChecked(true);
    Btn(Form15, "Button1")->Click();
  });
  ExpectInserted("<BGSOUND SRC=\"song.mp3\" LOOP=INFINITE>");
}

TEST_F(WizardsAppTest, ImageLinkWizard) {
  WriteFileBytes(OsPath("car.gif"), "x");
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("car.gif")); });
  Open("N106Click", [] {
    Form17->Edit1->SetText("");
    Btn(Form17, "Button1")->Click();
  });
  ExpectInserted("<A HREF=http://> <IMG SRC=\"file://" + AnsiPath("car.gif") + "\" BORDER=0> </A>");
  Memo()->SetText("ab SEL cd");
  Memo()->SetSelectionStart(3);
  Memo()->SetSelectionLength(3);
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("car.gif")); });
  Open("N106Click", [] {
    Form17->RadioButton2->SetChecked(true);
    Form17->Edit1->SetText("a.ru");
    Btn(Form17, "Button1")->Click();
  });
  ExpectInserted("<A HREF=a.ru> <IMG SRC=\"car.gif\" BORDER=0> </A>");
  // A cancelled picture inserts nothing.
  Then([this] { Ui().ExpectFileDialog(false, ""); });
  Open("N106Click", [] { Btn(Form17, "Button1")->Click(); });
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");
}

TEST_F(WizardsAppTest, ColourConverter) {
  StartWithText("keep", 0);
  Then([this] { ExpectWarning(Ansi("Введите ваш HEX-код в поле ввода!")); });
  Then([this] { Ui().ExpectColor(false); });
  Then([this] { Ui().ExpectMessage(IDOK, Ansi("RGB код этого цвета: 65535"), "Brindel Quillet Studio"); });
  Then([this] { Ui().ExpectColor(true, 0x0000FF); });
  Then([this] { Ui().ExpectMessage(IDOK, Ansi("RGB код этого цвета: 255"), "Brindel Quillet Studio"); });
  Open("HEXCOLOR1Click", [] {
    TButton* convert = Form16->Button1;
    convert->Click();
    Form16->Edit1->SetText("#FFFF00");
    convert->Click();
    EXPECT_EQ(Form16->ColorDialog1->Color(), 65535u);
    Form16->Edit1->SetText("#0000FF");
    convert->Click();
    // Not hex: the conversion error, no dialog.
    Form16->Edit1->SetText("#GG0000");
    EXPECT_THROW(convert->Click(), EConvertError);
    Form16->Edit1->SetText("#");
    EXPECT_THROW(convert->Click(), EConvertError);
    Form16->Button2->Click();
    EXPECT_EQ(Form16->Edit1->Text(), "");
    Form16->Close();
  });
  EXPECT_EQ(Memo()->Text(), "keep");
  EXPECT_EQ(Ui().History()[1].Kind, TUiKind::ColorDialog);
}

// The new-page wizard's fields filled; `colour` picks the background kind.
std::string ProgramPictureBytes(const char* name) {
  RegisterProgramPictures();
  std::string bytes;
  FindResourceData(name, bytes);
  return bytes;
}

void FillNewPage() {
  Form18->Edit1->SetText("T");
  Form18->Edit2->SetText("D");
  Form18->Edit3->SetText("A");
  Form18->Edit4->SetText("K");
}

TEST_F(WizardsAppTest, NewPageWizardBuildsAnUntitledPage) {
  const std::string old = AnsiPath("old.html");
  WriteFileBytes(OsPath("old.html"), "old page");
  StartWithText("old page", 0);
  Main()->SetCurrentFileName(old);
  Then([this] { Ui().ExpectColor(true, 0x0080FF); });
  Open("HTML1Click", [] {
    FillNewPage();
    Form18->Button1->Click();
    EXPECT_EQ(Form18->Label1->Caption(), "#FF8000");
    EXPECT_EQ(Form18->Label1->Font()->Color(), 0x0080FFu);
    Btn(Form18, "Button3")->Click();
  });
  EXPECT_FALSE(Form18->Visible());
  const std::vector<std::string> expected = {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 TRANSITIONAL//RU\">",
      "<html>",
      " <head>",
      " <title>T</title>",
      "<meta name=\"generator\" content=\"Velmora\">",
      "<meta name=\"description\" content=\"D\">",
      "<meta name=\"author\" content=\"A\">",
      "<meta name=\"keywords\" content=\"K\">",
      " </head> ",
      "  <body bgcolor=\"#FF8000\">",
      "  </body>",
      "</html>",
  };
  ASSERT_EQ(Memo()->Lines()->Count(), int(expected.size()));
  for (int i = 0; i < int(expected.size()); ++i) EXPECT_EQ(Memo()->Lines()->Get(i), expected[i]) << i;
  // A new page: Save asks for a name, the old file stays.
  EXPECT_EQ(Main()->CurrentFileName(), UntitledName());
  EXPECT_EQ(DocName, Ansi("Новая веб-страница"));
  EXPECT_EQ(Main()->SaveDialog->FilterIndex(), 7);
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_EQ(Main()->Caption(), Ansi("Новая веб-страница - Brindel Quillet Studio"));
  EXPECT_FALSE(Memo()->CanUndo());
  EXPECT_EQ(ReadFileBytes(OsPath("old.html")), "old page");
}

TEST_F(WizardsAppTest, NewPageWizardWantsEveryField) {
  StartWithText("keep", 0);
  Then([this] { ExpectWarning(Ansi("Вы заполнили не все поля. Заполните их, пожалуйста.")); });
  Open("HTML1Click", [] {
    FillNewPage();
    Form18->Edit4->SetText("");
    Btn(Form18, "Button3")->Click();
    EXPECT_TRUE(Form18->Visible());
    Btn(Form18, "Button4")->Click();
  });
  EXPECT_EQ(Memo()->Text(), "keep");
  EXPECT_FALSE(Memo()->Modified());
}

TEST_F(WizardsAppTest, NewPageWizardWithAPictureBackground) {
  WriteFileBytes(OsPath("bg.bmp"), "not a picture");
  StartWithText("", 0);
  Then([this] {
    Ui().ExpectFileDialog(false, "");                  // cancelled: the name still follows the dialog
    Ui().ExpectFileDialog(false, AnsiPath("bg.bmp"));  // undecodable: the name shown all the same
    ExpectWarning(Ansi("Не удалось прочитать рисунок:\r\r") + AnsiPath("bg.bmp"));
  });
  Open("HTML1Click", [this] {
    FillNewPage();
    EXPECT_FALSE(Form18->Button2->Enabled());
    Form18->RadioButton2->SetChecked(true);
    EXPECT_TRUE(Form18->Button2->Enabled());
    EXPECT_TRUE(Form18->Edit5->Enabled());
    EXPECT_FALSE(Form18->Button1->Enabled());
    Form18->Button2->Click();
    EXPECT_EQ(Form18->Edit5->Text(), "");
    Form18->Button2->Click();
    EXPECT_EQ(Form18->Edit5->Text(), "bg.bmp");
    EXPECT_EQ(Form18->Edit5->Hint(), AnsiPath("bg.bmp"));
    EXPECT_TRUE(Form18->Image1->Picture()->Graphic() == nullptr || Form18->Image1->Picture()->Width() == 0);
    Btn(Form18, "Button3")->Click();
  });
  EXPECT_EQ(Memo()->Lines()->Get(9), "  <body background=\"file://" + AnsiPath("bg.bmp") + "\">");
  EXPECT_EQ(Memo()->Lines()->Count(), 12);
}

TEST_F(WizardsAppTest, PreviewsOfBothPictureWizardsAreDecodedScaled) {
  // A picture past the decoding limit: the size from its header, the
  // preview decoded at most 1024 wide, no message. The new-page wizard's
  // name hint is markup-safe.
  const std::string big = MakeJpeg(8192, 4400, clBlue);
  WriteFileBytes(OsPath("big.jpg"), big);
  WriteFileBytes(OsPath("a&b<c>.jpg"), big);
  StartWithText("", 0);
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("big.jpg")); });
  Open("N111Click", [] {
    Btn(Form8, "Button3")->Click();
    EXPECT_EQ(Form8->Edit2->Text(), "8192");
    EXPECT_EQ(Form8->Edit3->Text(), "4400");
    EXPECT_EQ(Form8->Image1->Picture()->Width(), 1024);
    EXPECT_EQ(Form8->Image1->Picture()->Height(), 550);
    Form8->Close();
  });
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("a&b<c>.jpg")); });
  Open("HTML1Click", [this] {
    Form18->RadioButton2->SetChecked(true);
    Form18->Button2->Click();
    EXPECT_EQ(Form18->Edit5->Text(), "a&b<c>.jpg");
    EXPECT_EQ(Form18->Edit5->Hint(), EscapeHintText(AnsiPath("a&b<c>.jpg")));
    EXPECT_NE(Form18->Edit5->Hint().find("a&&<Z></Z>b&lt;c&gt;.jpg"), std::string::npos);
    EXPECT_EQ(Form18->Image1->Picture()->Width(), 1024);
    Form18->Close();
  });
  EXPECT_EQ(Ui().UnexpectedCount(), 0);
}

TEST_F(WizardsAppTest, NewPageWizardPreviewAfterAGoodPicture) {
  // A good picture shows; a damaged one, or a name the code page cannot
  // hold, says so and empties the preview, while the name still follows
  // the dialog.
  const std::string about = ProgramPictureBytes("ABOUTPICTURE");
  WriteFileBytes(OsPath("good.jpg"), about);
  WriteFileBytes(OsPath("cut.jpg"), about.substr(0, about.size() / 2));
  StartWithText("", 0);
  Then([this] {
    Ui().ExpectFileDialog(false, AnsiPath("good.jpg"));
    Ui().ExpectFileDialog(false, AnsiPath("cut.jpg"));
    ExpectWarning(Ansi("Не удалось показать рисунок:\r\r") + AnsiPath("cut.jpg"));
    Ui().ExpectFileDialog(false, AnsiPath("good.jpg"));
    Ui().ExpectFileDialog(false, AnsiPath("?.jpg"));
    Ui().ExpectMessage(IDOK);
  });
  Open("HTML1Click", [this] {
    Form18->RadioButton2->SetChecked(true);
    for (const char* bad : {"cut.jpg", "?.jpg"}) {
      SCOPED_TRACE(bad);
      Form18->Button2->Click();
      EXPECT_EQ(Form18->Image1->Picture()->Width(), 541);
      EXPECT_EQ(Form18->Image1->Picture()->Height(), 385);
      Form18->Button2->Click();
      EXPECT_EQ(Form18->Edit5->Text(), bad);
      EXPECT_EQ(Form18->Edit5->Hint(), AnsiPath(bad));
      EXPECT_EQ(Form18->Image1->Picture()->Width(), 0);
      EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
    }
    Form18->Close();
  });
}

TEST_F(WizardsAppTest, NewPageWizardOpensTemplatesAndTheScriptLibrary) {
  ::mkdir(OsPath("HTML шаблоны").c_str(), 0700);
  TRecordingShell shell;
  IShellBackend* old = ShellBackend();
  SetShellBackend(&shell);
  StartWithText("", 0);
  TCustomForm* library = nullptr;
  Then([this, &library] {
    Ui().ExpectModalForm([&library](TCustomForm* f) {
      library = f;
      f->Close();
    });
  });
  Open("HTML1Click", [] {
    Btn(Form18, "Button6")->Click();
    Form18->HoverLabel1->OnClick(nullptr);
  });
  SetShellBackend(old);
  ASSERT_EQ(shell.Starts.size(), 1u);
  EXPECT_EQ(shell.Starts[0].Kind, TShellStart::skFolder);
  EXPECT_EQ(shell.Starts[0].Target, ProgramDir() + Ansi("HTML шаблоны"));
  EXPECT_NE(library, nullptr);
  EXPECT_STREQ(library->ClassName(), "TForm27");
  EXPECT_FALSE(Form18->Visible());
}

TEST_F(WizardsAppTest, ImageWizardTakesThePictureAndItsSize) {
  WriteFileBytes(OsPath("a b.jpg"), ProgramPictureBytes("ABOUTPICTURE"));
  StartWithText("ab SEL cd", 3, 3);
  Then([this] { Ui().ExpectFileDialog(false, AnsiPath("a b.jpg")); });
  Open("N111Click", [this] {
    EXPECT_FALSE(Form8->RadioButton2->Enabled());
    EXPECT_EQ(Form8->ComboBox2->Text(), "bottom");
    Btn(Form8, "Button3")->Click();
    EXPECT_EQ(Form8->Edit1->Text(), "file://" + AnsiPath("a b.jpg"));
    EXPECT_EQ(Form8->Edit2->Text(), "541");
    EXPECT_EQ(Form8->Edit3->Text(), "385");
    EXPECT_EQ(Form8->Edit7->Text(), "0");
    EXPECT_EQ(Form8->Edit4->Text(), "a b.jpg");
    EXPECT_EQ(Form8->Image1->Picture()->Width(), 541);
    EXPECT_TRUE(Form8->RadioButton2->Enabled());
    Form8->RadioButton2->SetChecked(true);
    EXPECT_EQ(Form8->Edit1->Text(), "a b.jpg");
    Form8->ComboBox2->SetItemIndex(5);
    Form8->Edit5->SetText("1");
    Btn(Form8, "Button1")->Click();
  });
  ExpectInserted("<IMG SRC=\"a b.jpg\" WIDTH=541 HEIGHT=385 ALIGN=right HSPACE=1 VSPACE= BORDER=0 ALT=\"a b.jpg\">");
}

TEST_F(WizardsAppTest, ImageWizardWithOnlyAnAddressGivesTheAltAdvice) {
  StartWithText("ab SEL cd", 3, 3);
  Then([this] {
    ExpectWarning(Ansi("Вы оставили пустым обязательное поле \"URL адрес изображения\". Заполните его, пожалуйста."));
    Ui().ExpectMessage(IDOK);  // the advice
  });
  Open("N111Click", [] {
    Btn(Form8, "Button1")->Click();
    EXPECT_TRUE(Form8->Visible());
    Form8->Edit1->SetText("x.gif");
    Btn(Form8, "Button1")->Click();
  });
  ExpectInserted("<IMG SRC=\"x.gif\" WIDTH= HEIGHT= ALIGN=bottom HSPACE= VSPACE= BORDER= ALT=\"\">");
  const TUiRecord& advice = Ui().History()[Ui().History().size() - 2];
  EXPECT_EQ(advice.Caption, Ansi("Полезный совет"));
  EXPECT_EQ(advice.Icon, TUiIcon::Information);
  EXPECT_EQ(advice.Text.rfind(Ansi("Вы оставили пустым поле \"ALT=\""), 0), 0u);
}

TEST_F(WizardsAppTest, ImageWizardOnBadPicturesKeepsItsFieldsTrue) {
  // Each bad picture after a good one: the old size never stays beside the
  // new name.
  const std::string good = ProgramPictureBytes("ADVERTPICTURE");
  std::string huge =
      good.substr(0, 2) + std::string("\xFF\xC0\x00\x11\x08\xEA\x60\xEA\x60\x03", 10) + std::string(40, '\0');
  struct TCase {
    const char* Name;
    std::string Bytes;
    const char* Width;
    const char* Height;
    TUiIcon Icon;
  };
  const TCase cases[] = {
      {"empty.jpg", "", "", "", TUiIcon::Warning},
      {"text.jpg", "not a picture", "", "", TUiIcon::Warning},
      {"cut.jpg", good.substr(0, good.size() / 3), "809", "609", TUiIcon::Warning},
      {"huge.jpg", huge, "60000", "60000", TUiIcon::Information},
  };
  WriteFileBytes(OsPath("good.jpg"), good);
  for (const TCase& c : cases) WriteFileBytes(OsPath(c.Name), c.Bytes);
  StartWithText("", 0);
  Then([this, &cases] {
    for (const TCase& c : cases) {
      Ui().ExpectFileDialog(false, AnsiPath("good.jpg"));
      Ui().ExpectFileDialog(false, AnsiPath(c.Name));
      Ui().ExpectMessage(IDOK);
    }
  });
  Open("N111Click", [this, &cases] {
    for (const TCase& c : cases) {
      SCOPED_TRACE(c.Name);
      Btn(Form8, "Button3")->Click();
      EXPECT_EQ(Form8->Edit2->Text(), "809");
      Btn(Form8, "Button3")->Click();
      EXPECT_EQ(Form8->Edit4->Text(), c.Name);
      EXPECT_EQ(Form8->Edit2->Text(), c.Width);
      EXPECT_EQ(Form8->Edit3->Text(), c.Height);
      EXPECT_EQ(Form8->Image1->Picture()->Width(), 0);
      EXPECT_EQ(Ui().History().back().Icon, c.Icon);
    }
    Form8->Close();
  });
}

TEST_F(WizardsAppTest, TextBlockWizard) {
  StartWithText("ab SEL cd", 3, 3);
  ASSERT_GT(Form4->ComboBox1->Items()->Count(), 0);
  EXPECT_EQ(Form4->ComboBox1->ItemIndex(), 0);
  EXPECT_TRUE(Form4->RichEdit2->PlainText());
  EXPECT_FALSE(Form4->Label4->Visible());
  Then([this] { Ui().ExpectColor(true, 0x0080FF); });
  Open("BASEFONTSIZE4FACE1Click", [] {
    const int last = Form4->ComboBox1->Items()->Count() - 1;
    Form4->ComboBox1->SetItemIndex(last);
    Form4->ComboBox1->OnClick(nullptr);
    EXPECT_EQ(Form4->RichEdit1->Font()->Name(), Form4->ComboBox1->Items()->Get(last));
    EXPECT_EQ(Form4->RichEdit1->SelLength(), int(Form4->RichEdit1->Text().size()));
    Form4->RichEdit1->SetSelStart(0);
    Form4->RichEdit1->OnMouseDown(nullptr, mbLeft, TShiftState{}, 1, 1);
    EXPECT_EQ(Form4->RichEdit1->SelLength(), int(Form4->RichEdit1->Text().size()));
    Btn(Form4, "Button7")->Click();
    EXPECT_TRUE(Form4->Label4->Visible());
    Form4->Edit1->SetItemIndex(2);
    Btn(Form4, "Button5")->Click();
    Form4->RichEdit2->SetText("line1\r\nline2");
    Btn(Form4, "Button1")->Click();
  });
  ExpectInserted("<FONT SIZE=3 FACE=\"" + Form4->ComboBox1->Text() + "\" COLOR=\"#FF8000\"> line1\r\nline2 </FONT>");
}

TEST_F(WizardsAppTest, TextBlockWizardAsksBeforeOverwritingAText) {
  WriteFileBytes(OsPath("t.txt"), "old");
  StartWithText("", 0);
  Then([this] {
    Ui().ExpectFileDialog(true, AnsiPath("t.txt")).ExpectMessage(IDNO);
    Ui().ExpectFileDialog(true, AnsiPath("t.txt")).ExpectMessage(IDYES);
  });
  Open("BASEFONTSIZE4FACE1Click", [this] {
    Form4->RichEdit2->SetText("new");
    Btn(Form4, "Button4")->Click();
    EXPECT_EQ(ReadFileBytes(OsPath("t.txt")), "old");
    Btn(Form4, "Button4")->Click();
    Form4->Close();
  });
  EXPECT_EQ(ReadFileBytes(OsPath("t.txt")).substr(0, 3), "new");
  EXPECT_EQ(Memo()->Text(), "");
}

}  // namespace
