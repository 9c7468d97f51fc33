// Every insertion command of the main window run on a real editing control:
// exact text, caret position (flat character index, a line break counts
// two), one undo step per replacement, focus, and no change at all while
// the document is read-only.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "MainWindowRows.h"
#include "SnippetCommands.h"
#include "SnippetTable.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// What each command leaves at the caret of "ab|cd": Plain with nothing
// selected, Selected over the selection "XY" (ab[XY]cd); "|" marks the caret.
// Only the wrap items keep the selected text.
struct TExpected {
  const char* Handler;
  const char* Plain;
  const char* Selected;
  bool Focus;
};

const TExpected kExpected[] = {
    {"FONTcolorsize14FONT1Click", "<FONT> </FONT>|", "<FONT> </FONT>|", false},
    {"N87Click", "<B>|</B>", "<B>|</B>", true},
    {"N88Click", "<I>|</I>", "<I>|</I>", true},
    {"N89Click", "<U>|</U>", "<U>|</U>", true},
    {"SUPSUP1Click", "<S>|</S>", "<S>|</S>", true},
    {"SUPSUP2Click", "<SUP>|</SUP>", "<SUP>|</SUP>", false},
    {"N47Click", "<SUB>|</SUB>", "<SUB>|</SUB>", false},
    {"HTMLHTML1Click", "<HTML>|</HTML>", "<HTML>|</HTML>", false},
    {"BODYBODY1Click", "<BODY>|</BODY>", "<BODY>|</BODY>", false},
    {"HEADHEAD1Click", "<HEAD>|</HEAD>", "<HEAD>|</HEAD>", false},
    {"ITLETITLE1Click", "<TITLE =\"|\"></TITLE>", "<TITLE =\"|\"></TITLE>", false},
    {"DocType301Click", "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">|",
     "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">|", false},
    {"DocType321Click", "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">|",
     "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">|", false},
    {"STYLE1Click", "<STYLE type=\"text/css\"></STYLE>|", "<STYLE type=\"text/css\"></STYLE>|", false},
    {"H1H11Click", "<H1>|</H1>", "<H1>|</H1>", false},
    {"H2H21Click", "<H2>|</H2>", "<H2>|</H2>", false},
    {"H3H31Click", "<H3>|</H3>", "<H3>|</H3>", false},
    {"H4H41Click", "<H4>|</H4>", "<H4>|</H4>", false},
    {"H5H51Click", "<H5>|</H5>", "<H5>|</H5>", false},
    {"H6H61Click", "<H6>|</H6>", "<H6>|</H6>", false},
    {"N80Click", "<P>|</P>", "<P>|</P>", false},
    {"N81Click", "<BR>|", "<BR>|", true},
    {"N246Click", "<nobr>|</nobr>", "<nobr>|</nobr>", false},
    {"WBRWBR1Click", "<WBR>|</WBR>", "<WBR>|</WBR>", false},
    {"N83Click", "<HR>|", "<HR>|", false},
    {"N85Click", "<!--|-->", "<!--|-->", false},
    {"EMBEDEMBED1Click", "<EMBED>|</EMBED>", "<EMBED>|</EMBED>", false},
    {"NOEMBEDNOEMBED1Click", "<NOEMBED>|</NOEMBED>", "<NOEMBED>|</NOEMBED>", false},
    {"N176Click", "<bgsound src=\"\"  delay=\"\" balance=\"\" loop=\"INFINITE\" volume=\"\">|",
     "<bgsound src=\"\"  delay=\"\" balance=\"\" loop=\"INFINITE\" volume=\"\">|", false},
    {"N189Click", "<embed src=\"\" autostart=\"true\" height=\"100\" width=\"100\"></embed>|",
     "<embed src=\"\" autostart=\"true\" height=\"100\" width=\"100\"></embed>|", false},
    {"N547Click", "<script language = \"JavaScript\">|</script>", "<script language = \"JavaScript\">|</script>",
     false},
    {"CITE1Click", "<CITE>|</CITE>", "<CITE>|</CITE>", false},
    {"N156Click", "<CODE>|</CODE>", "<CODE>|</CODE>", false},
    {"SAMP1Click", "<SAMP>|</SAMP>", "<SAMP>|</SAMP>", false},
    {"KBD1Click", "<KBD>|</KBD>", "<KBD>|</KBD>", false},
    {"N157Click", "<VAR>|</VAR>", "<VAR>|</VAR>", false},
    {"N159Click", "<EM>|</EM>", "<EM>|</EM>", false},
    {"STRONG1Click", "<STRONG>|</STRONG>", "<STRONG>|</STRONG>", false},
    {"N51Click", "<tt>|", "<tt>|", false},
    {"bottom1Click", "<div align=\"bottom\"></div>|", "<div align=\"bottom\"></div>|", false},
    {"center1Click", "<div align=\"center\"></div>|", "<div align=\"center\"></div>|", false},
    {"justify1Click", "<div style=\"text-align:justify\"></div>|", "<div style=\"text-align:justify\"></div>|", false},
    {"left1Click", "<div align=\"left\"></div>|", "<div align=\"left\"></div>|", false},
    {"middle1Click", "<div align=\"middle\"></div>|", "<div align=\"middle\"></div>|", false},
    {"right1Click", "<div align=\"right\"></div>|", "<div align=\"right\"></div>|", false},
    {"top1Click", "<div align=\"top\"></div>|", "<div align=\"top\"></div>|", false},
    {"centercenter1Click", "<center>|</center>", "<center>|</center>", true},
    {"N182Click", "<marquee>Этот текст на веб-странице будет бегущим</marquee>|",
     "<marquee>Этот текст на веб-странице будет бегущим</marquee>|", false},
    {"N183Click", "<blink>Этот текст на веб-странице будет мелькать</blink>|",
     "<blink>Этот текст на веб-странице будет мелькать</blink>|", false},
    {"N2100Click", "<MARQUEE BEHAVIOR=ALTERNATE DIRECTION=\"right\" bgcolor=\"clred\">Тут пишите свой текст</MARQUEE>|",
     "<MARQUEE BEHAVIOR=ALTERNATE DIRECTION=\"right\" bgcolor=\"clred\">Тут пишите свой текст</MARQUEE>|", false},
    {"N467Click",
     "<marquee align=center behaviour=alternate direction=left vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     "<marquee align=center behaviour=alternate direction=left vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     false},
    {"N2107Click",
     "<marquee align=center behaviour=alternate direction=up vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     "<marquee align=center behaviour=alternate direction=up vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     false},
    {"N468Click",
     "<marquee align=center behaviour=scroll direction=right vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     "<marquee align=center behaviour=scroll direction=right vspace=0 hspace=0 scrollamount=10 "
     "scrolldelay=200>Вставьте сюда свой текст</marquee>|",
     false},
    {"N185Click", "<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"> <tr> <td>       </td> </tr> </table>|",
     "<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"> <tr> <td>       </td> </tr> </table>|", false},
    {"N186Click", "<tr> </tr>|", "<tr> </tr>|", false},
    {"N202Click", "<td width=\"66%\" valign=\"top\" colspan=2 height=523></td>|",
     "<td width=\"66%\" valign=\"top\" colspan=2 height=523></td>|", false},
    {"N204Click", "<TH>|", "<TH>|", false},
    {"N205Click", "<TD>|", "<TD>|", false},
    {"N188Click",
     "<frameset cols=\"20%,*\"> <frame src=имя_первой_веб-страницы.html> <frame src=имя_второй_веб-страницы.html> "
     "</frameset>|",
     "<frameset cols=\"20%,*\"> <frame src=имя_первой_веб-страницы.html> <frame src=имя_второй_веб-страницы.html> "
     "</frameset>|",
     false},
    {"N210Click", "<frame src=имя_веб-страницы.html>|", "<frame src=имя_веб-страницы.html>|", false},
    {"N403Click", "<Noframes>|</Noframes>", "<Noframes>|</Noframes>", false},
    {"sampsamp1Click", "<samp>|</samp>", "<samp>|</samp>", false},
    {"N223Click", "<cite>|</cite>", "<cite>|</cite>", false},
    {"targetblank1Click", "target=_blank>|", "target=_blank>|", false},
    {"targetparent1Click", "target=_parent>|", "target=_parent>|", false},
    {"targetsearch1Click", "target=_search>|", "target=_search>|", false},
    {"targetself1Click", "target=_self>|", "target=_self>|", false},
    {"targettop1Click", "target=_top>|", "target=_top>|", false},
    {"N260Click", "<option>|", "<option>|", false},
    {"N258Click", "<form method=\"post\" action=\"\"> </form>|", "<form method=\"post\" action=\"\"> </form>|", false},
    {"N265Click", "<input type=\"button\" name=\"\" value=\"\">|", "<input type=\"button\" name=\"\" value=\"\">|",
     false},
    {"N268Click", "<input type=\"image\" name=\"image\" src=\"\">|", "<input type=\"image\" name=\"image\" src=\"\">|",
     false},
    {"N269Click", "<input type=\"radio\" name=\"\" value=\"\">|", "<input type=\"radio\" name=\"\" value=\"\">|",
     false},
    {"N262Click", "<input type=\"text\" name=\"\">|", "<input type=\"text\" name=\"\">|", false},
    {"N263Click", "<input type=\"password\" name=\"\">|", "<input type=\"password\" name=\"\">|", false},
    {"textareatextarea1Click", "<textarea>|</textarea>", "<textarea>|</textarea>", false},
    {"N266Click", "<input type=\"submit\" value=\"\">|", "<input type=\"submit\" value=\"\">|", false},
    {"N217Click", "<INPUT TYPE=\"\" SIZE=\"\" NAME=\"\" VALUE=\"\">|",
     "<INPUT TYPE=\"\" SIZE=\"\" NAME=\"\" VALUE=\"\">|", false},
    {"N267Click", "<input type=\"reset\" value=\"\">|", "<input type=\"reset\" value=\"\">|", false},
    {"N240Click", "<SELECT NAME=\"\"> </SELECT>|", "<SELECT NAME=\"\"> </SELECT>|", false},
    {"N254Click", "<ol> <li>  </li> </ol>|", "<ol> <li>  </li> </ol>|", false},
    {"N255Click", "<li>|</li>", "<li>|</li>", false},
    {"N257Click", "<ul> <li>  </li> </ul>|", "<ul> <li>  </li> </ul>|", false},
    {"N241Click", "<big>|</big>", "<big>|</big>", true},
    {"N242Click", "<small>|</small>", "<small>|</small>", true},
    {"N233Click", "<address>|</address>", "<address>|</address>", false},
    {"N232Click", "<blockquote>|</blockquote>", "<blockquote>|</blockquote>", false},
    {"N231Click", "<p>|</p>", "<p>|</p>", true},
    {"N75Click", "<pre>|</pre>", "<pre>|</pre>", false},
    {"N214Click", "<div>|</div>", "<div>|</div>", false},
    {"N239Click", "<a name=\"\"> |</a>", "<a name=\"\"> |</a>", false},
    {"fontfont1Click", "<font>|</font>", "<font>|</font>", false},
    {"N1100Click", "<font size=\"1\"> </font>|", "<font size=\"1\"> </font>|", false},
    {"N2101Click", "<font size=\"2\"> </font>|", "<font size=\"2\"> </font>|", false},
    {"N3100Click", "<font size=\"3\"> </font>|", "<font size=\"3\"> </font>|", false},
    {"N411Click", "<font size=\"4\"> </font>|", "<font size=\"4\"> </font>|", false},
    {"N510Click", "<font size=\"5\"> </font>|", "<font size=\"5\"> </font>|", false},
    {"N610Click", "<font size=\"6\"> </font>|", "<font size=\"6\"> </font>|", false},
    {"N710Click", "<font size=\"7\"> </font>|", "<font size=\"7\"> </font>|", false},
    {"N1101Click", "<font size=\"+1\"> </font>|", "<font size=\"+1\"> </font>|", false},
    {"N2102Click", "<font size=\"+2\"> </font>|", "<font size=\"+2\"> </font>|", false},
    {"N3101Click", "<font size=\"+3\"> </font>|", "<font size=\"+3\"> </font>|", false},
    {"N412Click", "<font size=\"+4\"> </font>|", "<font size=\"+4\"> </font>|", false},
    {"N511Click", "<font size=\"+5\"> </font>|", "<font size=\"+5\"> </font>|", false},
    {"N611Click", "<font size=\"+6\"> </font>|", "<font size=\"+6\"> </font>|", false},
    {"N711Click", "<font size=\"+7\"> </font>|", "<font size=\"+7\"> </font>|", false},
    {"N1102Click", "<font size=\"-1\"> </font>|", "<font size=\"-1\"> </font>|", false},
    {"N2103Click", "<font size=\"-2\"> </font>|", "<font size=\"-2\"> </font>|", false},
    {"N3102Click", "<font size=\"-3\"> </font>|", "<font size=\"-3\"> </font>|", false},
    {"N413Click", "<font size=\"-4\"> </font>|", "<font size=\"-4\"> </font>|", false},
    {"N512Click", "<font size=\"-5\"> </font>|", "<font size=\"-5\"> </font>|", false},
    {"N612Click", "<font size=\"-6\"> </font>|", "<font size=\"-6\"> </font>|", false},
    {"N712Click", "<font size=\"-7\"> </font>|", "<font size=\"-7\"> </font>|", false},
    {"N275Click", " '  |' ", " '  |' ", false},
    {"N280Click", "\"|\"", "\"|\"", false},
    {"N281Click", "<|>", "<|>", false},
    {"N282Click", "(|)", "(|)", false},
    {"N283Click", "{|}", "{|}", false},
    {"N284Click", "[|]", "[|]", false},
    {"N537Click", "<a href=\"\">|</a>", "<a href=\"\">|</a>", true},
    {"N541Click", "<IMG src=\"|\">", "<IMG src=\"|\">", true},
    {"N431Click", "<B></B>|", "<B>XY</B>|", false},
    {"N432Click", "<I></I>|", "<I>XY</I>|", false},
    {"N433Click", "<U></U>|", "<U>XY</U>|", false},
    {"N434Click", "<S></S>|", "<S>XY</S>|", false},
    {"N435Click", "<BIG></BIG>|", "<BIG>XY</BIG>|", false},
    {"N436Click", "<SMALL></SMALL>|", "<SMALL>XY</SMALL>|", false},
    {"N437Click", "<SUP></SUP>|", "<SUP>XY</SUP>|", false},
    {"N438Click", "<SUB></SUB>|", "<SUB>XY</SUB>|", false},
    {"N441Click", "<P></P>|", "<P>XY</P>|", false},
    {"N440Click", "<a href=\"\"></a>|", "<a href=\"XY\">XY</a>|", false},
    {"N443Click", "<!--  -->|", "<!-- XY -->|", false},
    {"N452Click", "()|", "(XY)|", false},
    {"N453Click", "\"\"|", "\"XY\"|", false},
    {"N454Click", "[]|", "[XY]|", false},
    {"N455Click", "{}|", "{XY}|", false},
    {"N456Click", "<>|", "<XY>|", false},
    {"N490Click", "\"\",|", "\"XY\",|", false},
    {"N491Click", "\"\";|", "\"XY\";|", false},
    {"N493Click", "<center></center>|", "<center>XY</center>|", false},
    {"N494Click", "<div align=\"center\"></div>|", "<div align=\"center\">XY</div>|", false},
    {"N495Click", "<div style=\"text-align:justify;\"></div>|", "<div style=\"text-align:justify;\">XY</div>|", false},
    {"N496Click", "<div align=\"right\"></div>|", "<div align=\"right\">XY</div>|", false},
};

const TExpected* FindExpected(const std::string& handler) {
  for (const TExpected& e : kExpected)
    if (handler == e.Handler) return &e;
  return nullptr;
}

class SnippetCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.SetBounds(0, 0, 600, 400);
    Memo = new TSrcMemo(&Window);
    Memo->SetParent(&Window);
    Memo->SetBounds(0, 0, 500, 300);
    Other = new TWinControl(&Window);
    Other->SetParent(&Window);
    Other->SetBounds(500, 0, 100, 30);
    Window.Show();
    Window.HandleNeeded();
    Host.Memo = Memo;
  }

  // "first" CR LF "ab" [sel] "cd", caret after "ab" (index 9), sel selected.
  void Start(const std::string& sel) {
    Memo->SetText("first\r\nab" + sel + "cd");
    Memo->SetSelectionStart(kCaret);
    Memo->SetSelectionLength(int(sel.size()));
    Memo->SetModified(false);
    Memo->ClearUndoRedo();
    Other->SetFocus();
  }

  // Checks the document against "first" CR LF "ab" + expected + "cd".
  void ExpectResult(const char* expectedUtf8, const std::string& handler) {
    const std::string expected = Ansi(expectedUtf8);
    const std::size_t bar = expected.find('|');
    ASSERT_NE(bar, std::string::npos) << handler;
    std::string inserted = expected;
    inserted.erase(bar, 1);
    EXPECT_EQ(Memo->Text(), "first\r\nab" + inserted + "cd") << handler;
    EXPECT_EQ(Memo->GetSelectionStart(), kCaret + int(bar)) << handler;
    EXPECT_FALSE(Memo->HasSelection()) << handler;
    EXPECT_TRUE(Memo->Modified()) << handler;
  }

  static constexpr int kCaret = 9;
  TFakeWidgetsetScope Widgets;
  TWinControl Window{nullptr};
  TSrcMemo* Memo = nullptr;
  TWinControl* Other = nullptr;
  TSnippetHost Host;
};

// The main window's menu and button rows that run a command.
std::vector<const TMenuRow*> RowsOf(const char* handler) {
  std::vector<const TMenuRow*> rows;
  for (const TMenuRow& r : MainWindowRows())
    if (std::string(r.Handler) == handler) rows.push_back(&r);
  return rows;
}

TEST(SnippetTableTest, EveryRowIsCheckedAndEveryHandlerIsUnique) {
  std::set<std::string> handlers;
  int insertRows = 0;
  for (const TSnippetCommand& c : SnippetCommands()) {
    EXPECT_TRUE(handlers.insert(c.Handler).second) << c.Handler;
    EXPECT_FALSE(RowsOf(c.Handler).empty()) << c.Handler;
    EXPECT_EQ(FindSnippetCommand(c.Handler), &c);
    if (!c.InsertsText()) continue;
    ++insertRows;
    EXPECT_NE(FindExpected(c.Handler), nullptr) << c.Handler;
    // The focus goes to the editor exactly for the rows a side-panel
    // button also runs, and for the two "[ручная]" items.
    bool panel = false;
    for (const TMenuRow* b : RowsOf(c.Handler))
      panel = panel || b->Place == TMenuPlace::SidePanel || b->Place == TMenuPlace::LinkMenu ||
              b->Place == TMenuPlace::ImgMenu;
    EXPECT_EQ(c.Focus, panel) << c.Handler;
    // No text of these commands holds a line break, so the caret step
    // always stays inside the inserted text.
    EXPECT_EQ(std::string(c.Text).find_first_of("\r\n"), std::string::npos) << c.Handler;
  }
  EXPECT_EQ(insertRows, int(std::size(kExpected)));
  EXPECT_EQ(insertRows, 143);
  for (const TExpected& e : kExpected) EXPECT_NE(FindSnippetCommand(e.Handler), nullptr) << e.Handler;
  EXPECT_EQ(FindSnippetCommand("NoSuchClick"), nullptr);
}

TEST_F(SnippetCommandTest, EveryRowAtTheCaret) {
  for (const TExpected& e : kExpected) {
    const TSnippetCommand* c = FindSnippetCommand(e.Handler);
    ASSERT_NE(c, nullptr) << e.Handler;
    Start("");
    RunSnippetCommand(*c, Host);
    ExpectResult(e.Plain, e.Handler);
    EXPECT_EQ(Memo->Focused(), e.Focus) << e.Handler;
    EXPECT_EQ(c->Focus, e.Focus) << e.Handler;
    // One undo brings the start back (the two insertions of the quote
    // pair are joined by the control's undo grouping).
    Memo->Undo();
    EXPECT_EQ(Memo->Text(), "first\r\nabcd") << e.Handler;
    EXPECT_EQ(Memo->GetSelectionStart(), kCaret) << e.Handler;
  }
}

TEST_F(SnippetCommandTest, EveryRowOverASelection) {
  for (const TExpected& e : kExpected) {
    const TSnippetCommand* c = FindSnippetCommand(e.Handler);
    ASSERT_NE(c, nullptr) << e.Handler;
    Start("XY");
    RunSnippetCommand(*c, Host);
    ExpectResult(e.Selected, e.Handler);
    // One undo brings the selected text back; the quote pair's second
    // insertion is a step of its own.
    const int steps = c->Kind == TSnippetKind::InsertTwice ? 2 : 1;
    for (int i = 0; i < steps; ++i) Memo->Undo();
    EXPECT_EQ(Memo->Text(), "first\r\nabXYcd") << e.Handler;
    EXPECT_EQ(Memo->GetSelectedText(), "XY") << e.Handler;
  }
}

TEST_F(SnippetCommandTest, QuotePairIsTwoUndoSteps) {
  // Without undo grouping each of the two insertions is undone alone.
  Memo->SetOptions(Memo->Options() & ~eoGroupUndo);
  Start("XY");
  RunSnippetCommand(*FindSnippetCommand("N275Click"), Host);
  EXPECT_EQ(Memo->Text(), "first\r\nab '  ' cd");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "first\r\nab ' cd");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "first\r\nabXYcd");

  // With grouping (the default) the two insertions go together and the
  // replaced selection comes back with the next step.
  Memo->SetOptions(Memo->Options() | eoGroupUndo);
  Start("XY");
  RunSnippetCommand(*FindSnippetCommand("N275Click"), Host);
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "first\r\nabcd");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "first\r\nabXYcd");
}

TEST_F(SnippetCommandTest, ReadOnlyDocumentIsLeftAlone) {
  Memo->SetReadOnly(true);
  for (const TExpected& e : kExpected) {
    for (const char* sel : {"", "XY"}) {
      Start(sel);
      RunSnippetCommand(*FindSnippetCommand(e.Handler), Host);
      EXPECT_EQ(Memo->Text(), std::string("first\r\nab") + sel + "cd") << e.Handler;
      EXPECT_EQ(Memo->GetSelectionStart(), kCaret) << e.Handler;
      EXPECT_EQ(Memo->GetSelectedText(), sel) << e.Handler;
      EXPECT_FALSE(Memo->Modified()) << e.Handler;
    }
  }
}

TEST_F(SnippetCommandTest, WrapKeepsSelectedTextAcrossLines) {
  Memo->SetText("one\r\ntwo");
  Memo->SetSelectionStart(1);
  Memo->SetSelectionLength(5);  // "ne" CR LF "t"
  RunSnippetCommand(*FindSnippetCommand("N440Click"), Host);
  EXPECT_EQ(Memo->Text(), "o<a href=\"ne\r\nt\">ne\r\nt</a>wo");
  EXPECT_EQ(Memo->GetSelectionStart(), int(std::string("o<a href=\"ne\r\nt\">ne\r\nt</a>").size()));
}

TEST_F(SnippetCommandTest, WindowRowsOpenTheirWindows) {
  std::vector<std::string> log;
  Host.ConfirmSaveChanges = [&] { log.push_back("save?"); };
  Host.ShowWindow = [&](const std::string& cls, bool modal) { log.push_back(cls + (modal ? " modal" : " show")); };
  Memo->SetReadOnly(true);  // windows open whatever the document's state
  const std::pair<const char*, std::vector<std::string>> rows[] = {
      {"HTML1Click", {"save?", "TForm18 modal"}},
      {"AA1Click", {"TForm5 modal"}},
      {"BASEFONTSIZE4FACE1Click", {"TForm4 modal"}},
      {"N111Click", {"TForm8 modal"}},
      {"N178Click", {"TForm10 modal"}},
      {"N220Click", {"TForm23 modal"}},
      {"METAREFRESH1Click", {"TForm11 modal"}},
      {"N50Click", {"TForm15 modal"}},
      {"N106Click", {"TForm17 modal"}},
      {"HEXCOLOR1Click", {"TForm16 modal"}},
      {"Velmora4Click", {"TForm19 modal"}},
      {"Velmora6Click", {"TForm20 show"}},
      {"N527Click", {"TForm27 modal"}},
  };
  int windowRows = 0;
  for (const TSnippetCommand& c : SnippetCommands()) windowRows += c.InsertsText() ? 0 : 1;
  EXPECT_EQ(windowRows, int(std::size(rows)));
  for (const auto& [handler, expected] : rows) {
    log.clear();
    SnippetHandler(handler, Host)(nullptr);
    EXPECT_EQ(log, expected) << handler;
  }
  EXPECT_EQ(Memo->Text(), "");
}

TEST_F(SnippetCommandTest, CancelledSavePromptOpensNoWizard) {
  bool shown = false;
  Host.ConfirmSaveChanges = [] { Abort(); };
  Host.ShowWindow = [&](const std::string&, bool) { shown = true; };
  EXPECT_THROW(RunSnippetCommand(*FindSnippetCommand("HTML1Click"), Host), EAbort);
  EXPECT_FALSE(shown);
}

}  // namespace
