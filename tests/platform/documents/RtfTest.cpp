// The rich edit's RTF reader and writer, its RTF lines and its clipboard
// exchange.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixture.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(RtfTest, WrittenTextReadsBackByteForByte) {
  const std::string texts[] = {
      "",
      "plain",
      "a\r\nb",
      "a\r\n",
      "\r\n\r\n",
      "tab\there {braces} and \\backslash\\",
      Ansi("Привет, мир! Ёё №"),
      std::string("bytes \x01\x1f\x7f\x80\xff end", sizeof("bytes \x01\x1f\x7f\x80\xff end") - 1),
  };
  for (const std::string& t : texts) {
    std::string rtf = TextToRtf(t, "Times New Roman", 12);
    EXPECT_TRUE(IsRtf(rtf));
    EXPECT_EQ(RtfToText(rtf), t) << rtf;
  }
  // Lone CR and lone LF end paragraphs as CR LF does.
  EXPECT_EQ(RtfToText(TextToRtf("a\rb\nc")), "a\r\nb\r\nc");
}

TEST(RtfTest, WriterFormat) {
  std::string rtf = TextToRtf(Ansi("Яa{"), Ansi("Шрифт"), 12);
  EXPECT_EQ(rtf,
            "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 "
            "\\'d8\\'f0\\'e8\\'f4\\'f2;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24 \\'dfa\\{\\par\r\n}\r\n");
}

TEST(RtfTest, ReaderTakesTextFromOtherWriters) {
  struct TCase {
    const char* rtf;
    std::string text;
  };
  const TCase cases[] = {
      // Tables, info and \* destinations hold no text; \par and \line break.
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}{\\info{\\title T}}"
       "{\\*\\generator W;}\\pard Hello\\line World\\par}",
       "Hello\r\nWorld"},
      // Unicode with its fallback character skipped, \uc2 skips two.
      {"{\\rtf1\\ansi\\uc1 \\u1055?\\u1088\\'3f{\\uc2\\u1080??}x}", Ansi("При") + "x"},
      // A negative \u, symbols, control symbols.
      {"{\\rtf1 \\u-3999?\\emdash\\~\\-\\_\\{\\}\\\\}", std::string("?\x97\xA0-{}\\")},
      // \'hh in a Cyrillic font of a 1252 document, and in a Latin font.
      {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset204 Arial "
       "Cyr;}}\\f1\\'cf\\'f0\\f0 \\'e9\\'80}",
       Ansi("Пр") + "?" + std::string("\x88")},
      // Fields keep their result, pictures and \bin data are skipped.
      {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}{\\pict\\pngblip 89504e47}a\\bin3 xyzb}",
       "linkab"},
      // Raw line breaks of the file are not text; the last \par ends the text.
      {"{\\rtf1 a\r\nb\\par\r\n}", "ab"},
      // Unbalanced braces end the document.
      {"{\\rtf1 open{\\b bold", "openbold"},
      {"{\\rtf1 done}after", "done"},
  };
  for (const TCase& c : cases) EXPECT_EQ(RtfToText(c.rtf), c.text) << c.rtf;
}

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    edit = new TRichEdit(form);
    edit->SetParent(form);
    edit->Font()->SetName("Times New Roman");
    edit->Font()->SetHeight(-16);
  }
  void TearDown() override { DoneApplication(); }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TTempDir dir;
  TForm* form = nullptr;
  TRichEdit* edit = nullptr;
};

TEST_F(RichEditTest, LinesLoadAndSaveRtfOrPlainText) {
  std::string path = AnsiFileName(dir.Path("a.rtf"));
  edit->SetText(Ansi("Строка 1\r\nLine 2"));
  edit->Lines()->SaveToFile(path);
  EXPECT_EQ(ReadFileBytes(dir.Path("a.rtf")), TextToRtf(Ansi("Строка 1\r\nLine 2"), "Times New Roman", 12));
  edit->Clear();
  edit->Lines()->LoadFromFile(path);
  EXPECT_EQ(edit->Text(), Ansi("Строка 1\r\nLine 2"));
  EXPECT_EQ(edit->Lines()->Count(), 2);

  // A file that is no RTF is plain text; plain-text mode keeps RTF as it is.
  WriteFileBytes(dir.Path("b.txt"), "just {text}");
  edit->Lines()->LoadFromFile(AnsiFileName(dir.Path("b.txt")));
  EXPECT_EQ(edit->Text(), "just {text}");
  edit->SetPlainText(true);
  edit->Lines()->LoadFromFile(path);
  EXPECT_EQ(edit->Text(), ReadFileBytes(dir.Path("a.rtf")));
}

TEST_F(RichEditTest, ClipboardCarriesRtfBesideText) {
  edit->SetText("one two");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "two");
  EXPECT_EQ(Clipboard()->GetAsBytes(RtfClipboardFormat()), TextToRtf("two", "Times New Roman", 12));

  // RTF wins over the text when both are there.
  Clipboard()->Open();
  Clipboard()->SetAsText("plain");
  Clipboard()->SetAsBytes(RtfClipboardFormat(), std::string("{\\rtf1 {\\b rich}\\par}") + '\0');
  Clipboard()->Close();
  edit->Clear();
  edit->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(edit->Text(), "rich");
  Clipboard()->SetAsText("plain");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "richplain");
  // Read-only: nothing goes in.
  edit->SetReadOnly(true);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "richplain");
}

}  // namespace
