// The markup renderer: layout by tags and entities, what it draws, and
// markup that must degrade instead of failing.
#include "MarkupFixture.h"
#include "PictureStore.h"
#include "TestPictures.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"

namespace {

using MarkupRenderTest = MarkupFixture;

TEST_F(MarkupRenderTest, TagsAndEntitiesGiveTheStrippedTextAndSize) {
  // 8 x 16 per character: XSize = widest line + 2, YSize = lines x 16 + 2.
  struct Case {
    const char* text;
    const char* stripped;
    int xSize, ySize;
  };
  const Case cases[] = {
      {"", "", 0, 18},
      {"abc", "abc", 26, 18},
      {"a<BR>bc", "a\rbc", 18, 34},
      {"a\r\nbc", "a\rbc", 18, 34},
      {"x &amp; y", "x && y", 42, 18},  // "&&" shows one ampersand
      {"&amp;copy;", "&\xA9", 10, 18},  // the rounds repeat: "&&copy;" -> "&" + copyright
      {"&amp;amp;", "&&&", 18, 18},
      {"&EURO;&Quot;&sect;&permil;&reg;&trade;&para;", "\x88\"\xA7\x89\xAE\x99\xB6", 58, 18},
      {"&lt;B&gt;x", "<B>x", 34, 18},  // made brackets start no tag
      {"&NBSP;", "&NBSP;", 42, 18},    // run entities only in lower case
      {"a&nbsp;b", "a b", 26, 18},
      {"<B>bold</B> <I>it</I><U>u</U><S>s</S>", "bold itus", 74, 18},
      {"<FOO>x</FOO>", "x", 10, 18},  // unknown tags are ignored
      {"ab<B x", "ab", 18, 18},       // an unclosed tag ends the text
      {"ab<", "ab", 18, 18},
      {"<>ab<C>", "ab", 18, 18},                      // "<>" is consumed, not applied
      {"a<Z>bcd</Z>e", "abcde", 18, 18},              // hidden text: stripped, not measured
      {"<UL><LI>one<LI>two</UL>", "onetwo", 38, 50},  // 12 + "one" + 2
      {"a<HR>b", "ab", 10, 34},
      {"a<P>b</P>c", "abc", 18, 34},
      {"a<#hash>b", "a#hashb", 58, 18},  // the first "<#" is unwrapped
      {"<OF x=\"50\">ab", "ab", 68, 18},
      {"ab<IND x=\"40\">c", "abc", 50, 18},
      {"ab<IND x=\"4a\">c", "abc", 26, 18},  // not digits only: ignored
  };
  for (const Case& c : cases) {
    TMarkupResult r = Measure(c.text);
    EXPECT_EQ(r.StrippedText, c.stripped) << c.text;
    EXPECT_EQ(r.XSize, c.xSize) << c.text;
    EXPECT_EQ(r.YSize, c.ySize) << c.text;
  }
}

TEST_F(MarkupRenderTest, FontsAndColoursOfTheDrawnRuns) {
  TMarkupResult r = Paint(
      "a<FONT SIZE=\"3\" FACE=\"Arial\" COLOR=\"#ff0000\">b</FONT>c<FONT SIZE=7>d</F>"
      "<FONT COLOR=\"red\">e</F><FONT color=\"clRed\">f</F><B><I>g</I></B>");
  auto runs = Runs();
  ASSERT_EQ(runs.size(), 7u) << Drawn();
  EXPECT_EQ(runs[0]->Font.lfHeight, -11);
  EXPECT_EQ(runs[1]->Font.lfHeight, -16);  // SIZE 3: 12 pt
  EXPECT_STREQ(runs[1]->Font.lfFaceName, "Arial");
  EXPECT_EQ(runs[1]->TextColor, 0x0000FFu);  // lower-case hexadecimal works
  EXPECT_EQ(runs[2]->Font.lfHeight, -11);    // /FONT: the base size and name
  EXPECT_STREQ(runs[2]->Font.lfFaceName, "Tahoma");
  EXPECT_EQ(runs[3]->Font.lfHeight, -MulDiv(7, 96, 72));
  EXPECT_EQ(runs[4]->TextColor, 0u);         // a name without "cl" is black
  EXPECT_EQ(runs[5]->TextColor, 0x0000FFu);  // "clRed" in any case
  EXPECT_EQ(runs[6]->Font.lfWeight, FW_BOLD);
  EXPECT_EQ(runs[6]->Font.lfItalic, 1);
  // The call leaves the canvas as it found it.
  EXPECT_EQ(canvas->Font()->Height(), -11);
  EXPECT_EQ(canvas->Font()->Color(), clBlack);
  EXPECT_EQ(canvas->Brush()->Color(), clWhite);
  EXPECT_EQ(r.YSize, 18);
}

TEST_F(MarkupRenderTest, AnchorsHighlightsAndSavedColours) {
  TMarkupRequest q;
  q.Text = "<A HREF=\"x\">link</A> <HI>hi</H> </F>plain";
  q.Rect = TRect(0, 0, 300, 200);
  q.URLColor = clGreen;
  Paint(q);
  auto runs = Runs();
  ASSERT_EQ(runs.size(), 5u) << Drawn();
  EXPECT_EQ(runs[0]->TextColor, ColorToRGB(clGreen));
  EXPECT_EQ(runs[0]->Font.lfUnderline, 1);
  EXPECT_EQ(runs[1]->TextColor, 0u);  // /A: the base colour, no underline
  EXPECT_EQ(runs[1]->Font.lfUnderline, 0);
  EXPECT_EQ(runs[2]->TextColor, ColorToRGB(clHighlightText));
  EXPECT_EQ(runs[2]->BkMode, OPAQUE);
  EXPECT_EQ(runs[2]->BkColor, ColorToRGB(clHighlight));
  // /F before any FONT restores the renderer's own starting colours, not
  // whatever a slot happened to hold.
  EXPECT_EQ(runs[4]->TextColor, 0u);
  EXPECT_EQ(runs[4]->BkMode, TRANSPARENT);
}

TEST_F(MarkupRenderTest, WrappingAndEllipsis) {
  // Wrapping: a word wider than the line stands alone; "bold" + "x" stay
  // together; 80 pixels hold nine characters.
  TMarkupResult r = Measure("aa verylongword b <B>bold</B>x", true, 81);
  EXPECT_EQ(r.YSize, 3 * 16 + 2);
  Paint("aa verylongword b <B>bold</B>x", true, TRect(0, 0, 81, 200));
  EXPECT_EQ(Drawn(), "aa |verylongword |b |bold|x");
  // Without wrapping a BR gives two lines.
  EXPECT_EQ(Measure("ab<BR>cd").YSize, 34);
  // A second run that does not fit after a blank is cut with "...", and
  // nothing after it is drawn, later lines included.
  r = Paint("aaa <B>bbbbbbbbbbbb</B><BR>next", false, TRect(0, 0, 81, 200));
  EXPECT_EQ(r.YSize, 18);
  std::string drawn = Drawn();
  EXPECT_EQ(drawn.substr(0, 5), "aaa |");
  EXPECT_NE(drawn.find("..."), std::string::npos) << drawn;
  EXPECT_EQ(drawn.find("next"), std::string::npos) << drawn;
}

TEST_F(MarkupRenderTest, ParagraphAlignmentCarriesOnAndShortRectanglesStop) {
  Paint("<P ALIGN=\"CENTER\">ab</P>cd");
  auto runs = Runs();
  ASSERT_EQ(runs.size(), 2u);
  // 299 pixels of line from x = 1: (299 - 16) / 2 = 141.
  EXPECT_EQ(runs[0]->X, 1 + 141);
  EXPECT_EQ(runs[1]->X, 1 + 141);
  // A line is not drawn once the previous bottom plus one text height
  // passes the rectangle's bottom.
  Paint("a<BR>b<BR>c<BR>d", false, TRect(0, 0, 300, 40));
  EXPECT_EQ(Drawn(), "a|b");
}

TEST_F(MarkupRenderTest, ImagesFromTheListAndTheirLimits) {
  TImageList list(nullptr);
  TBitmap img(16, 16);
  for (int i = 0; i < 5; ++i) list.Add(&img, nullptr);
  struct Case {
    const char* text;
    int xSize;
  };
  // An empty line with a tag is 0 wide: XSize 2.
  const Case cases[] = {
      {"<IMG SRC=\"IDX:2\">", 18},  {"<IMG SRC=\"idx:4\">a", 26},
      {"<IMG SRC=\"IDX:9\">", 2},    // past the count: nothing, no width
      {"<IMG SRC=\"IDX:-1\">", 2},   // negative: nothing
      {"<IMG SRC=\"xIDX:1\">", 2},   // the prefix counts only at the start
      {"<IMG SRC=\"SSYS:0\">", 18},  // a small shell icon
      {"<IMG SRC=\"LSYS:1\">", 34},
  };
  for (const Case& c : cases) {
    TMarkupRequest q;
    q.Canvas = canvas;
    q.Text = c.text;
    q.Rect = TRect(0, 0, 300, 200);
    q.MeasureOnly = true;
    q.Images = &list;
    TMarkupResult r;
    RenderMarkup(q, r);
    EXPECT_EQ(r.XSize, c.xSize) << c.text;
  }
}

TEST_F(MarkupRenderTest, PicturesFromResourcesFilesAndTheStore) {
  RegisterResourceData("HINTGOOD", MakeBmp(20, 10, clRed));
  std::string gif = MakeGif(4, 4, {{0, 0, 4, 4, 0}});
  RegisterResourceData("HINTBROKEN", gif.substr(0, gif.size() - 6));
  THintPictureCache cache;
  TPictureStore store(nullptr);
  TPictureItem* item = store.Items()->Add();
  item->SetName("Logo");
  TStringStream s(MakeBmp(6, 6, clBlue));
  item->Picture()->LoadFromStream(&s);
  struct Case {
    const char* text;
    int xSize, ySize;
  };
  const Case cases[] = {
      {"<IMG SRC=\"RES://HINTGOOD\">", 22, 18},
      {"<IMG SRC=\"res://HINTGOOD\" WIDTH=\"40\" HEIGHT=\"30\">", 42, 32},
      {"<IMG SRC=\"RES://HINTBROKEN\">x", 10, 18},  // not drawn, text still shown
      {"<IMG SRC=\"RES://MISSING\">x", 10, 18},
      {"<IMG SRC=\"FILE:///nonexistent/x.bmp\">", 2, 18},
      {"<IMG SRC=\"FILE:///dev/zero\">", 2, 18},  // not a regular file
      {"<IMG SRC=\"FILE:///tmp\">", 2, 18},
      {"<IMG SRC=\"logo\">", 8, 18},
      {"<IMG SRC=\"http://example.org/x.png\">", 2, 18},
      {"<IMG SRC=\"RES://HINTGOOD\" WIDTH=\"2000000000\" HEIGHT=\"1\">", 4098, 18},
  };
  for (const Case& c : cases) {
    TMarkupRequest q;
    q.Text = c.text;
    q.Rect = TRect(0, 0, 8000, 200);
    q.PictureCache = &cache;
    q.PictureStore = &store;
    TMarkupResult r;
    EXPECT_NO_THROW(r = Paint(q)) << c.text;
    EXPECT_EQ(r.XSize, c.xSize) << c.text;
    EXPECT_EQ(r.YSize, c.ySize) << c.text;
  }
  // The cache keeps each source once, by its exact spelling.
  EXPECT_NE(cache.PictureBySource("RES://HINTGOOD"), nullptr);
  EXPECT_NE(cache.PictureBySource("res://HINTGOOD"), nullptr);
  EXPECT_TRUE(cache.PictureBySource("RES://HINTBROKEN")->Empty());
  UnregisterResource("HINTGOOD");
  UnregisterResource("HINTBROKEN");
}

TEST_F(MarkupRenderTest, HostileMarkupDegradesQuickly) {
  const char* cases[] = {
      "<FONT SIZE=\"99999\">x</F>",
      "<OF x=\"99999999999999999999\">x",
      "<IND x=\"99999999999999999999\">x",
      "<P INDENT=\"-99999999999\">x",
      "<R a=\"99999999999\">x<R a=\"45\">y</R>",
      "<R a=\"30\"><R a=\"60\">unclosed",
      "<<<<<<<<<<<<<<<<<<<<",
      "<IMG><IMG SRC><IMG SRC=\"><LI><LI><UL><UL></UL></UL></UL></UL>",
      "<BODY BACKGROUND=\"RES://NOTHING\" BGCOLOR=\"#12\">x",
      "<BODY BGCOLOR=\"#ZZ0000\" BGCOLORTO=\"red\" DIR=\"V\">x",
      "<P BGCOLOR=\"clRed\" BGCOLORTO=\"clBlue\">x</P><P BGCOLOR=\"clred\">y</P>",
      "<A HREF=\"unterminated>x</A><E>err</E><SH>sh</SH><SUB>s</SU><SUP>p</SU>",
  };
  for (const char* c : cases) {
    EXPECT_NO_THROW(Paint(c, true)) << c;
    EXPECT_NO_THROW(Paint(c, false)) << c;
    EXPECT_EQ(canvas->Font()->Height(), -11) << c;
    // No rotated font stays selected: the DC's font is the canvas's again.
    LOGFONT lf;
    GetObject(GetCurrentObject(canvas->Handle(), OBJ_FONT), sizeof lf, &lf);
    EXPECT_EQ(lf.lfEscapement, 0) << c;
  }
  // Sizes saturate at 400 points, offsets at 32767 pixels.
  Paint("<FONT SIZE=\"99999\">x</F><OF x=\"-99999999999\">y");
  auto runs = Runs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]->Font.lfHeight, -MulDiv(400, 96, 72));
  EXPECT_EQ(runs[1]->X, -32767);
}

TEST(MarkupSupportTest, ColoursTextHelpersAndEscaping) {
  EXPECT_EQ(ColorFromHex("#FF8000"), 0x0080FFu);
  EXPECT_EQ(ColorFromHex("#ff8000"), 0x0080FFu);
  EXPECT_EQ(ColorFromHex("#12"), 0u);
  EXPECT_EQ(ColorFromHex("#ZZ0000"), 0u);
  EXPECT_EQ(ColorFromHex("#1234567"), 0u);
  EXPECT_EQ(ColorFromName("clnavy"), 0x800000u);
  EXPECT_EQ(ColorFromName("clinfobk"), clInfoBk);
  EXPECT_EQ(ColorFromName("red"), 0u);
  EXPECT_EQ(PosNoCase("bC", "abcd"), 2u);
  EXPECT_EQ(PosNoCase("x", "abcd"), 0u);
  std::string s = "one Two two";
  EXPECT_TRUE(ReplaceFirstNoCase(s, "TWO", "2"));
  EXPECT_EQ(s, "one 2 two");
  EXPECT_FALSE(ReplaceFirstNoCase(s, "three", "3"));
  EXPECT_EQ(LineBreaksToBR("a\r\nb\nc\r"), "a<BR>bc<BR>");
  EXPECT_EQ(UnwrapHashTag("x<#y>z<#w>"), "x#yz<#w>");
  EXPECT_EQ(ReplaceMarkupEntities("&amp;quot;&AmP;"), "&\"&&");
  EXPECT_EQ(EscapeHintText("a&b<c>|d\r\ne"), "a&&<Z></Z>b&lt;c&gt;&#124;d  e");
  EXPECT_TRUE(IsDirectory("/tmp"));
  EXPECT_FALSE(IsDirectory("/nonexistent-folder"));
}

TEST_F(MarkupRenderTest, EscapedUserTextRendersExactly) {
  const char* names[] = {"Документ & <копия>.htm", "a&amp;b|c.txt", "&lt;&&<B>"};
  for (const char* n : names) {
    std::string name = Ansi(n);
    TMarkupResult r = Paint(EscapeHintText(name));
    // The runs go through DrawText's prefix rule: "&&" shows one "&".
    std::string drawn = Drawn("");
    EXPECT_EQ(drawn, name) << n;
    EXPECT_EQ(r.YSize, 18) << n;
  }
}

TEST_F(MarkupRenderTest, GradientBandsRoundAsTheyShould) {
  TBitmap b(10, 64);
  FillGradientRect(b.Canvas(), clBlack, TColor(0x00FF00), false, TRect(0, 0, 10, 64), 64);
  EXPECT_EQ(b.Pixel(5, 0), 0u);
  EXPECT_EQ(b.Pixel(5, 63), TColor(0x00FB00));                                // 63 x 255 / 64, rounded
  FillGradientRect(b.Canvas(), clRed, clBlue, true, TRect(0, 0, 10, 64), 0);  // 0 steps: one band
  EXPECT_EQ(b.Pixel(9, 9), ColorToRGB(clRed));
}

}  // namespace
