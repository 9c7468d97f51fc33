// The command table of the fixed insertion commands and the tool-window
// commands of the main window, in menu order (their items and buttons are
// rows of MainWindowRows.cpp). Texts are inserted character
// for character; a \" in a literal is one double-quote character.
#include "SnippetTable.h"

#include <unordered_map>

namespace {

constexpr TSnippetKind kSnippet = TSnippetKind::Snippet;
constexpr TSnippetKind kTagPair = TSnippetKind::TagPair;
constexpr TSnippetKind kWrap = TSnippetKind::Wrap;
constexpr TSnippetKind kWrapTwice = TSnippetKind::WrapTwice;
constexpr TSnippetKind kInsertTwice = TSnippetKind::InsertTwice;
constexpr TSnippetKind kModal = TSnippetKind::Modal;
constexpr TSnippetKind kModalAfterSave = TSnippetKind::ModalAfterSave;
constexpr TSnippetKind kModeless = TSnippetKind::Modeless;

const std::vector<TSnippetCommand>& BuildTable() {
  // Handler, kind, text, middle, after, back, focus.
  static const std::vector<TSnippetCommand> table = {
      {"FONTcolorsize14FONT1Click", kSnippet, "<FONT> </FONT>", "", "", 0, false},
      {"N87Click", kTagPair, "<B></B>", "", "", 4, true},
      {"N88Click", kTagPair, "<I></I>", "", "", 4, true},
      {"N89Click", kTagPair, "<U></U>", "", "", 4, true},
      {"SUPSUP1Click", kTagPair, "<S></S>", "", "", 4, true},
      {"SUPSUP2Click", kTagPair, "<SUP></SUP>", "", "", 6, false},
      {"N47Click", kTagPair, "<SUB></SUB>", "", "", 6, false},
      {"HTMLHTML1Click", kTagPair, "<HTML></HTML>", "", "", 7, false},
      {"BODYBODY1Click", kTagPair, "<BODY></BODY>", "", "", 7, false},
      {"HEADHEAD1Click", kTagPair, "<HEAD></HEAD>", "", "", 7, false},
      {"ITLETITLE1Click", kTagPair, "<TITLE =\"\"></TITLE>", "", "", 10, false},
      {"DocType301Click", kSnippet, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">", "", "", 0,
       false},
      {"DocType321Click", kSnippet, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">", "", "", 0, false},
      {"STYLE1Click", kSnippet, "<STYLE type=\"text/css\"></STYLE>", "", "", 0, false},
      {"H1H11Click", kTagPair, "<H1></H1>", "", "", 5, false},
      {"H2H21Click", kTagPair, "<H2></H2>", "", "", 5, false},
      {"H3H31Click", kTagPair, "<H3></H3>", "", "", 5, false},
      {"H4H41Click", kTagPair, "<H4></H4>", "", "", 5, false},
      {"H5H51Click", kTagPair, "<H5></H5>", "", "", 5, false},
      {"H6H61Click", kTagPair, "<H6></H6>", "", "", 5, false},
      {"N80Click", kTagPair, "<P></P>", "", "", 4, false},
      {"N81Click", kSnippet, "<BR>", "", "", 0, true},
      {"N246Click", kTagPair, "<nobr></nobr>", "", "", 7, false},
      {"WBRWBR1Click", kTagPair, "<WBR></WBR>", "", "", 6, false},
      {"N83Click", kSnippet, "<HR>", "", "", 0, false},
      {"N85Click", kTagPair, "<!---->", "", "", 3, false},
      {"EMBEDEMBED1Click", kTagPair, "<EMBED></EMBED>", "", "", 8, false},
      {"NOEMBEDNOEMBED1Click", kTagPair, "<NOEMBED></NOEMBED>", "", "", 10, false},
      {"N176Click", kSnippet, "<bgsound src=\"\"  delay=\"\" balance=\"\" loop=\"INFINITE\" volume=\"\">", "", "", 0,
       false},
      {"N189Click", kSnippet, "<embed src=\"\" autostart=\"true\" height=\"100\" width=\"100\"></embed>", "", "", 0,
       false},
      {"N547Click", kTagPair, "<script language = \"JavaScript\"></script>", "", "", 9, false},
      {"CITE1Click", kTagPair, "<CITE></CITE>", "", "", 7, false},
      {"N156Click", kTagPair, "<CODE></CODE>", "", "", 7, false},
      {"SAMP1Click", kTagPair, "<SAMP></SAMP>", "", "", 7, false},
      {"KBD1Click", kTagPair, "<KBD></KBD>", "", "", 6, false},
      {"N157Click", kTagPair, "<VAR></VAR>", "", "", 6, false},
      {"N159Click", kTagPair, "<EM></EM>", "", "", 5, false},
      {"STRONG1Click", kTagPair, "<STRONG></STRONG>", "", "", 9, false},
      {"N51Click", kSnippet, "<tt>", "", "", 0, false},
      {"bottom1Click", kSnippet, "<div align=\"bottom\"></div>", "", "", 0, false},
      {"center1Click", kSnippet, "<div align=\"center\"></div>", "", "", 0, false},
      {"justify1Click", kSnippet, "<div style=\"text-align:justify\"></div>", "", "", 0, false},
      {"left1Click", kSnippet, "<div align=\"left\"></div>", "", "", 0, false},
      {"middle1Click", kSnippet, "<div align=\"middle\"></div>", "", "", 0, false},
      {"right1Click", kSnippet, "<div align=\"right\"></div>", "", "", 0, false},
      {"top1Click", kSnippet, "<div align=\"top\"></div>", "", "", 0, false},
      {"centercenter1Click", kTagPair, "<center></center>", "", "", 9, true},
      {"N182Click", kSnippet, "<marquee>Этот текст на веб-странице будет бегущим</marquee>", "", "", 0, false},
      {"N183Click", kSnippet, "<blink>Этот текст на веб-странице будет мелькать</blink>", "", "", 0, false},
      {"N2100Click", kSnippet,
       "<MARQUEE BEHAVIOR=ALTERNATE DIRECTION=\"right\" bgcolor=\"clred\">Тут пишите свой текст</MARQUEE>", "", "", 0,
       false},
      {"N467Click", kSnippet,
       "<marquee align=center behaviour=alternate direction=left vspace=0 hspace=0 scrollamount=10 "
       "scrolldelay=200>Вставьте сюда свой текст</marquee>",
       "", "", 0, false},
      {"N2107Click", kSnippet,
       "<marquee align=center behaviour=alternate direction=up vspace=0 hspace=0 scrollamount=10 "
       "scrolldelay=200>Вставьте сюда свой текст</marquee>",
       "", "", 0, false},
      {"N468Click", kSnippet,
       "<marquee align=center behaviour=scroll direction=right vspace=0 hspace=0 scrollamount=10 "
       "scrolldelay=200>Вставьте сюда свой текст</marquee>",
       "", "", 0, false},
      {"N185Click", kSnippet,
       "<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"> <tr> <td>       </td> </tr> </table>", "", "", 0,
       false},
      {"N186Click", kSnippet, "<tr> </tr>", "", "", 0, false},
      {"N202Click", kSnippet, "<td width=\"66%\" valign=\"top\" colspan=2 height=523></td>", "", "", 0, false},
      {"N204Click", kSnippet, "<TH>", "", "", 0, false},
      {"N205Click", kSnippet, "<TD>", "", "", 0, false},
      {"N188Click", kSnippet,
       "<frameset cols=\"20%,*\"> <frame src=имя_первой_веб-страницы.html> <frame src=имя_второй_веб-страницы.html> "
       "</frameset>",
       "", "", 0, false},
      {"N210Click", kSnippet, "<frame src=имя_веб-страницы.html>", "", "", 0, false},
      {"N403Click", kTagPair, "<Noframes></Noframes>", "", "", 11, false},
      {"sampsamp1Click", kTagPair, "<samp></samp>", "", "", 7, false},
      {"N223Click", kTagPair, "<cite></cite>", "", "", 7, false},
      {"targetblank1Click", kSnippet, "target=_blank>", "", "", 0, false},
      {"targetparent1Click", kSnippet, "target=_parent>", "", "", 0, false},
      {"targetsearch1Click", kSnippet, "target=_search>", "", "", 0, false},
      {"targetself1Click", kSnippet, "target=_self>", "", "", 0, false},
      {"targettop1Click", kSnippet, "target=_top>", "", "", 0, false},
      {"N260Click", kSnippet, "<option>", "", "", 0, false},
      {"N258Click", kSnippet, "<form method=\"post\" action=\"\"> </form>", "", "", 0, false},
      {"N265Click", kSnippet, "<input type=\"button\" name=\"\" value=\"\">", "", "", 0, false},
      {"N268Click", kSnippet, "<input type=\"image\" name=\"image\" src=\"\">", "", "", 0, false},
      {"N269Click", kSnippet, "<input type=\"radio\" name=\"\" value=\"\">", "", "", 0, false},
      {"N262Click", kSnippet, "<input type=\"text\" name=\"\">", "", "", 0, false},
      {"N263Click", kSnippet, "<input type=\"password\" name=\"\">", "", "", 0, false},
      {"textareatextarea1Click", kTagPair, "<textarea></textarea>", "", "", 11, false},
      {"N266Click", kSnippet, "<input type=\"submit\" value=\"\">", "", "", 0, false},
      {"N217Click", kSnippet, "<INPUT TYPE=\"\" SIZE=\"\" NAME=\"\" VALUE=\"\">", "", "", 0, false},
      {"N267Click", kSnippet, "<input type=\"reset\" value=\"\">", "", "", 0, false},
      {"N240Click", kSnippet, "<SELECT NAME=\"\"> </SELECT>", "", "", 0, false},
      {"N254Click", kSnippet, "<ol> <li>  </li> </ol>", "", "", 0, false},
      {"N255Click", kTagPair, "<li></li>", "", "", 5, false},
      {"N257Click", kSnippet, "<ul> <li>  </li> </ul>", "", "", 0, false},
      {"N241Click", kTagPair, "<big></big>", "", "", 6, true},
      {"N242Click", kTagPair, "<small></small>", "", "", 8, true},
      {"N233Click", kTagPair, "<address></address>", "", "", 10, false},
      {"N232Click", kTagPair, "<blockquote></blockquote>", "", "", 13, false},
      {"N231Click", kTagPair, "<p></p>", "", "", 4, true},
      {"N75Click", kTagPair, "<pre></pre>", "", "", 6, false},
      {"N214Click", kTagPair, "<div></div>", "", "", 6, false},
      {"N239Click", kTagPair, "<a name=\"\"> </a>", "", "", 4, false},
      {"fontfont1Click", kTagPair, "<font></font>", "", "", 7, false},
      {"N1100Click", kSnippet, "<font size=\"1\"> </font>", "", "", 0, false},
      {"N2101Click", kSnippet, "<font size=\"2\"> </font>", "", "", 0, false},
      {"N3100Click", kSnippet, "<font size=\"3\"> </font>", "", "", 0, false},
      {"N411Click", kSnippet, "<font size=\"4\"> </font>", "", "", 0, false},
      {"N510Click", kSnippet, "<font size=\"5\"> </font>", "", "", 0, false},
      {"N610Click", kSnippet, "<font size=\"6\"> </font>", "", "", 0, false},
      {"N710Click", kSnippet, "<font size=\"7\"> </font>", "", "", 0, false},
      {"N1101Click", kSnippet, "<font size=\"+1\"> </font>", "", "", 0, false},
      {"N2102Click", kSnippet, "<font size=\"+2\"> </font>", "", "", 0, false},
      {"N3101Click", kSnippet, "<font size=\"+3\"> </font>", "", "", 0, false},
      {"N412Click", kSnippet, "<font size=\"+4\"> </font>", "", "", 0, false},
      {"N511Click", kSnippet, "<font size=\"+5\"> </font>", "", "", 0, false},
      {"N611Click", kSnippet, "<font size=\"+6\"> </font>", "", "", 0, false},
      {"N711Click", kSnippet, "<font size=\"+7\"> </font>", "", "", 0, false},
      {"N1102Click", kSnippet, "<font size=\"-1\"> </font>", "", "", 0, false},
      {"N2103Click", kSnippet, "<font size=\"-2\"> </font>", "", "", 0, false},
      {"N3102Click", kSnippet, "<font size=\"-3\"> </font>", "", "", 0, false},
      {"N413Click", kSnippet, "<font size=\"-4\"> </font>", "", "", 0, false},
      {"N512Click", kSnippet, "<font size=\"-5\"> </font>", "", "", 0, false},
      {"N612Click", kSnippet, "<font size=\"-6\"> </font>", "", "", 0, false},
      {"N712Click", kSnippet, "<font size=\"-7\"> </font>", "", "", 0, false},
      {"N275Click", kInsertTwice, " ' ", "", "", 2, false},
      {"N280Click", kTagPair, "\"\"", "", "", 1, false},
      {"N281Click", kTagPair, "<>", "", "", 1, false},
      {"N282Click", kTagPair, "()", "", "", 1, false},
      {"N283Click", kTagPair, "{}", "", "", 1, false},
      {"N284Click", kTagPair, "[]", "", "", 1, false},
      {"N537Click", kTagPair, "<a href=\"\"></a>", "", "", 4, true},
      {"N541Click", kTagPair, "<IMG src=\"\">", "", "", 2, true},
      {"N431Click", kWrap, "<B>", "", "</B>", 0, false},
      {"N432Click", kWrap, "<I>", "", "</I>", 0, false},
      {"N433Click", kWrap, "<U>", "", "</U>", 0, false},
      {"N434Click", kWrap, "<S>", "", "</S>", 0, false},
      {"N435Click", kWrap, "<BIG>", "", "</BIG>", 0, false},
      {"N436Click", kWrap, "<SMALL>", "", "</SMALL>", 0, false},
      {"N437Click", kWrap, "<SUP>", "", "</SUP>", 0, false},
      {"N438Click", kWrap, "<SUB>", "", "</SUB>", 0, false},
      {"N441Click", kWrap, "<P>", "", "</P>", 0, false},
      {"N440Click", kWrapTwice, "<a href=\"", "\">", "</a>", 0, false},
      {"N443Click", kWrap, "<!-- ", "", " -->", 0, false},
      {"N452Click", kWrap, "(", "", ")", 0, false},
      {"N453Click", kWrap, "\"", "", "\"", 0, false},
      {"N454Click", kWrap, "[", "", "]", 0, false},
      {"N455Click", kWrap, "{", "", "}", 0, false},
      {"N456Click", kWrap, "<", "", ">", 0, false},
      {"N490Click", kWrap, "\"", "", "\",", 0, false},
      {"N491Click", kWrap, "\"", "", "\";", 0, false},
      {"N493Click", kWrap, "<center>", "", "</center>", 0, false},
      {"N494Click", kWrap, "<div align=\"center\">", "", "</div>", 0, false},
      {"N495Click", kWrap, "<div style=\"text-align:justify;\">", "", "</div>", 0, false},
      {"N496Click", kWrap, "<div align=\"right\">", "", "</div>", 0, false},
      // Commands that open a tool window; the windows write into Memo1 themselves.
      {"HTML1Click", kModalAfterSave, "TForm18", "", "", 0, false},
      {"AA1Click", kModal, "TForm5", "", "", 0, false},
      {"BASEFONTSIZE4FACE1Click", kModal, "TForm4", "", "", 0, false},
      {"N111Click", kModal, "TForm8", "", "", 0, false},
      {"N178Click", kModal, "TForm10", "", "", 0, false},
      {"N220Click", kModal, "TForm23", "", "", 0, false},
      {"METAREFRESH1Click", kModal, "TForm11", "", "", 0, false},
      {"N50Click", kModal, "TForm15", "", "", 0, false},
      {"N106Click", kModal, "TForm17", "", "", 0, false},
      {"HEXCOLOR1Click", kModal, "TForm16", "", "", 0, false},
      {"Velmora4Click", kModal, "TForm19", "", "", 0, false},
      {"Velmora6Click", kModeless, "TForm20", "", "", 0, false},
      {"N527Click", kModal, "TForm27", "", "", 0, false},
  };
  return table;
}

}  // namespace

const std::vector<TSnippetCommand>& SnippetCommands() { return BuildTable(); }

const TSnippetCommand* FindSnippetCommand(const std::string& handler) {
  static const std::unordered_map<std::string, const TSnippetCommand*> index = [] {
    std::unordered_map<std::string, const TSnippetCommand*> m;
    for (const TSnippetCommand& c : SnippetCommands()) m.emplace(c.Handler, &c);
    return m;
  }();
  auto it = index.find(handler);
  return it == index.end() ? nullptr : it->second;
}
