#include "InsertTable.h"

const std::vector<TInsertTextMenu>& EntityMenus() {
  static const std::vector<TInsertTextMenu> menus = {
      {"Теги > Объекты", {{"Вставить пробел", "N261Click", "&nbsp;"}}},
      {"Вставить > Специальные символы > Общие символы",
       {
           {"(R)", "N318Click", "&reg;"},
           {"(C)", "C1Click", "&copy;"},
           {"Евро ", "N319Click", "&euro;"},
           {"(tm)", "tm1Click", "&trade;"},
           {"Йена", "N320Click", "&yen;"},
           {"Валюта", "N321Click", "&curren;"},
           {"Умляут", "N322Click", "&uml;"},
           {"Градус", "N324Click", "&deg;"},
           {"Амперсанд  (английское \"и\")", "N326Click", "&amp;"},
           {"Ударение", "N325Click", "&acute;"},
           {"Мягкие переносы", "N323Click", "&shy;"},
           {"Левая двойная кывычка", "N327Click", "&laquo;"},
           {"Правка двойная кавычка", "N328Click", "&raquo;"},
           {"Собачка", "N329Click", "&#064;"},
           // Each inserts the entity of its own sign.
           {"Меньше", "N330Click", "&lt;"},
           {"Больше", "N331Click", "&gt;"},
           {"Неразравный пробел", "N334Click", "&nbsp;"},
           {"Перевернутый восклицательный знак", "N335Click", "&iexcl;"},
           {"Цент", "N336Click", "&cent;"},
           {"Фунт стерлингов ", "N337Click", "&pound;"},
           {"Параграф", "N338Click", "&sect;"},
           {"Женский порядковый числитель", "N339Click", "&ordf;"},
           {"Знак отрицания ", "N340Click", "&not;"},
           {"Верхняя горизонтальная черта ", "N341Click", "&macr;"},
           {"Плюс-минус", "N342Click", "&plusmn;"},
           {"В квадрате", "N343Click", "&sup2;"},
           {"В кубе", "N344Click", "&sup3;"},
           {"Мужской порядковый числитель ", "N345Click", "&ordm;"},
           {"Перевернутый вопросительный знак ", "G2Click", "&iquest;"},
           {"Знак деления", "N346Click", "&divide;"},
           {"Знак функции", "N347Click", "&fnof;"},
           {"Знак умножения", "N348Click", "&times;"},
           {"Три четвертых", "N349Click", "&frac34;"},
           {"Одна четвертая", "N350Click", "&frac14;"},
           {"Одна вторая", "N351Click", "&frac12;"},
           {"Знак процента % с дополнительным ноликом", "N356Click", "&#8240;"},
       }},
      {"Вставить > Специальные символы > Дополнительные ",
       {
           {"Латинский крестик", "N353Click", "&dagger;"},
           {"Двойной крестик", "N354Click", "&Dagger;"},
           {"Маленький черный кружок", "N355Click", "&bull;"},
           {"Ромб", "N357Click", "&loz;"},
           {"Пика", "N360Click", "&spades;"},
           {"Бубна", "N359Click", "&diams;"},
           {"Трефа", "N361Click", "&clubs;"},
           {"Черва", "N362Click", "&hearts;"},
           {"Круг", "N358Click", "&#9675;"},
       }},
      {"Вставить > Специальные символы > Греческий алфавит",
       {
           {"Заглавная альфа ", "N364Click", "&Alpha;"},
           {"Строчная альфа", "N365Click", "&alpha;"},
           {"Заглавная бета", "N366Click", "&Beta;"},
           {"Строчная бета", "N367Click", "&beta;"},
           {"Заглавная гамма", "N368Click", "&Gamma;"},
           {"Строчная гамма", "N369Click", "&gamma;"},
           {"Заглавная дельта ", "N370Click", "&Delta;"},
           {"Строчная дельта ", "N371Click", "&delta;"},
           {"Заглавная эпсилон ", "N372Click", "&Epsilon;"},
           {"Строчная эпсилон ", "N373Click", "&epsilon;"},
           {"Заглавная тета", "N374Click", "&Theta;"},
           {"Строчная тета", "N375Click", "&theta;"},
           {"Заглавная лямбда ", "N376Click", "&Lambda;"},
           {"Строчная лямбда ", "N377Click", "&lambda;"},
           {"Заглавная кси ", "N378Click", "&Xi;"},
           {"Строчная кси ", "N379Click", "&xi;"},
           {"Заглавная сигма ", "N380Click", "&Sigma;"},
           {"Строчная сигма ", "N381Click", "&sigma;"},
           {"Заглавная пси", "N382Click", "&Psi;"},
           {"Строчная пси", "N383Click", "&psi;"},
           {"Заглавная омега ", "N384Click", "&Omega;"},
           {"Строчная омега ", "N385Click", "&omega;"},
       }},
  };
  return menus;
}

const std::vector<TSignText>& SignTexts() {
  static const std::vector<TSignText> signs = {
      {"®", "®", "N64Click", "®"},  {"© ", "©", "N65Click", "©"}, {"™", "™", "N66Click", "™"},
      {"€", "€", "N67Click", "€"},  {"±", "±", "N68Click", "±"},  {"§", "§", "N69Click", "§"},
      {"--", "--", "N428Click", "—"},
  };
  return signs;
}

const std::vector<TDateInsert>& DateInserts() {
  static const std::vector<TDateInsert> dates = {
      {"N54Click", "dddd, dd.mm.yyyy год, время: hhhh:nnnn:ssss", false},
      {"N55Click", "dddd, dd.mm.yyyy г.", false},
      {"N58Click", "dddd, dd.mm.yyyy, hhhh:nnnn:ssss", true},
      {"N56Click", "hhhh:nnnn:ssss", false},
  };
  return dates;
}

const std::vector<std::vector<const char*>>& SidePanelLists() {
  static const std::vector<std::vector<const char*>> lists = {
      // 1: html tags
      {"<acronym></acronym>", "<!--  -->", "<a href=\"\"></a>", "<address></address>",
       "<applet code=\"\" width=\"\" height=\"\">  </applet>", "<area shape=\"\" href=\"\" coords=\"\" alt=\"\">",
       "<abbr></abbr>", "<b></b>", "<base href=\"\">", "<basefont size=\"\">", "<bdo dir=\"\"></bdo>", "<big></big>",
       "<blockquote></blockquote>", "<br>", "<button></button>", "<caption></caption>", "<center></center>",
       "<cite></cite>", "<code></code>", "<col>", "<colgroup></colgroup>", "<dd>", "<del></del>", "<dfn></dfn>",
       "<dir></dir>", "<div align=\"\"></div>", "<dt>", "<em></em>", "<font size=\"\"></font>",
       "<frame src=\"\" name=\"\">", "<h1></h1>", "<h2></h2>", "<h3></h3>", "<h4></h4>", "<h5></h5>", "<h6></h6>",
       "<hr>", "<i></i>", "<iframe name=\"\" src=\"\" width=\"\" height=\"\"></iframe>", "<img src=\"\" alt=\"\">",
       "<input type=\"\" name=\"\">", "<ins></ins>", "<isindex>", "<kbd></kbd>", "<label></label>",
       "<legend></legend>", "<li>", "<link rel=\"\" href=\"\" type=\"\">", "<meta name=\"\" content=\"\">",
       "<option></option>", "<p></p>", "<param name=\"\" value=\"\">", "<pre></pre>", "<q></q>", "<s></s>",
       "<samp></samp>", "<small></small>", "<select name=\"\"></select>", "<span class=\"\"></span>",
       "<strike></strike>", "<strong></strong>", "<sub></sub>", "<sup></sup>", "<tbody></tbody>", "<td>",
       "<textarea name=\"\" rows=\"\" cols=\"\"></textarea>", "<tfoot></tfoot>", "<th>", "<thead></thead>",
       "<title></title>", "<tr>", "<tt></tt>", "<u></u>", "<var></var>"},
      // 2: smileys (the middle letter of ":о)" is Cyrillic)
      {":-)",  ":-))", "=)",   "=(",   ":^)",  "=^(",  "8-)",  "8-(",  "):-)", "):-))", ":о)",  "(:-(", ");-",
       ":-(",  ":-I",  ":->",  ">:->", ">;->", ":-[",  ":-E",  ":-F",  ":-7",  ":-*",  ":-@",   ":-#",  ":-&",
       ":-Q",  ":-?",  ":-P",  ":-S",  ":-D",  ":-X",  ":-C",  ":-/",  ":-o",  ":-9",  ":-0",   ":-`",  ":-1",
       ":-!",  ":-$",  ":-%",  ":-q",  ":-a",  ":-e",  ":-t",  ":-i",  ":-]",  ":-[",  ":-}",   ":-{",  ":-j",
       ":-d",  ":-k",  ":-\\", ":-|",  ":-<",  ":-X",  ":-c",  ":-v",  ":-b",  "(-:",  "[:]",   ":-{}", ":'-(",
       "<|-)", "<|-(", "-:-(", "@=",   "(8-o", "(X-("},
      // 3: special characters, one Windows-1251 character each
      {"®", "©", "™", "€", "±", "§", "Ў", "ў", "Ј", "¤", "Ґ", "¦", "«",
       "¬", "Ї", "°", "І", "і", "ґ", "µ", "¶", "є", "»", "ј", "ї"},
      // 4: CSS properties
      {"azimuth:", "background:", "background-attachment:", "background-color:", "background-image:",
       "background-position:", "background-repeat:", "border:", "border-collapse:", "border-color:",
       "border-spacing:", "border-style:", "border-top:", "border-right:", "border-bottom:", "border-left:",
       "border-top-color:", "border-right-color:", "border-bottom-color:", "border-left-color:", "border-top-style:",
       "border-right-style:", "border-bottom-style:", "border-left-style:", "border-top-width:",
       "border-right-width:", "border-bottom-width:", "border-left-width:", "border-width:", "bottom:",
       "caption-side:", "clear:", "clip:", "color:", "content:", "counter-increment:", "counter-reset:", "cue:",
       "cue-after:", "cue-before:", "cursor:", "direction:", "display:", "elevation:", "empty-cells:", "float:",
       "font:", "font-family:", "font-size:", "font-size-adjust:", "font-stretch:", "font-style:", "font-variant:",
       "font-weight:", "height:", "left:", "letter-spacing:", "line-height:", "list-style:", "list-style-image:",
       "list-style-position:", "list-style-type:", "margin:", "margin-top:", "margin-right:", "margin-bottom:",
       "margin-left:", "marker-offset:", "marks:", "max-height:", "max-width:", "min-height:", "min-width:",
       "orphans:", "outline:", "outline-color:", "outline-style:", "outline-width:", "overflow:", "padding:",
       "padding-top:", "padding-right:", "padding-bottom:", "padding-left:", "page:", "page-break-after:",
       "page-break-before:", "page-break-inside:", "pause:", "pause-after:", "pause-before:", "pitch:",
       "pitch-range:", "play-during:", "position:", "quotes:", "richness:", "right:", "size:", "speak-header:",
       "speak:", "speak-numeral:", "speak-punctuation:", "speech-rate:", "stress:", "table-layout:", "text-align:",
       "text-decoration:", "text-indent:", "text-shadow:", "text-transform:", "top:", "unicode-bidi:",
       "vertical-align:", "visibility:", "voice-family:", "volume:", "white-space:", "widows:", "width:",
       "word-spacing:", "z-index:"},
  };
  return lists;
}

const std::vector<const char*>& RandomCharacterItems() {
  // "D " and "E " keep their trailing blank.
  static const std::vector<const char*> items = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                                 "A", "B", "C", "D ", "E ", "F", "G", "H", "I", "J",
                                                 "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T",
                                                 "U", "V", "W", "X", "Y", "Z", "#", "$"};
  return items;
}

const std::vector<const char*>& PalettePages() {
  static const std::vector<const char*> pages = {"Самые нужные теги ", "Шрифт", "Оформление ", "Таблица ",
                                                 "Блоки вставок "};
  return pages;
}

const std::vector<TPaletteButton>& PaletteButtons() {
  static const char* const kBold = "Открывающий и закрывающий теги жирного шрифта";
  static const char* const kItalic = "Открывающий и закрывающий теги курсивного шрифта";
  static const char* const kUnder = "Открывающий и закрывающий теги подчеркнутого шрифта";
  static const char* const kStrike = "Открывающий и закрывающий теги зачеркнутого шрифта";
  static const char* const kBig = "Открывающий и закрывающий теги увеличенного шрифта";
  static const char* const kSmall = "Открывающий и закрывающий теги уменьшенного  шрифта";
  static const char* const kFont = "Между этим тегом и его закрывающим аналогом действует указанные в нем же шрифты";
  static const std::vector<TPaletteButton> buttons = {
      {"SpeedButton10", 0, "ссылка", "Гиперссылка", "<a href=\"\"></a>", 4},
      {"SpeedButton11", 0, "<img =>", "Картинка", "<img src=\"\">", 2},
      {"SpeedButton1", 0, "<br>", "Перевод строки", "<br>", 0},
      {"SpeedButton2", 0, "<nobr>", "нет перевода строк", "<nobr></nobr>", 7},
      {"SpeedButton3", 0, "<hr>", "Линия", "<hr>", 0},
      {"SpeedButton4", 0, "nbsp", "Фиг его знает что это, но для чего-то нужно", "&nbsp;", 0},
      {"SpeedButton5", 0, "<p>", "Параграф", "<p></p>", 4},
      {"SpeedButton6", 0, "<div>", "Логическое выделение блока HTML-документа", "<div></div>", 6},
      {"SpeedButton7", 0, "<pre>", "Сохранение форматирования", "<pre></pre>", 6},
      {"SpeedButton8", 0, "<address>", "Применяется для идентификации автора документа и указания адреса автора",
       "<address></address>", 10},
      {"SpeedButton9", 0, "<blockquote>", "Предназначен для включения в документ длинных цитат",
       "<blockquote></blockquote>", 13},
      {"SpeedButton12", 1, "<b>", kBold, "<b>", 0},
      {"SpeedButton13", 1, "</b>", kBold, "</b>", 0},
      {"SpeedButton14", 1, "<i>", kItalic, "<i>", 0},
      {"SpeedButton15", 1, "</i>", kItalic, "</i>", 0},
      {"SpeedButton16", 1, "<u>", kUnder, "<u>", 0},
      {"SpeedButton17", 1, "</u>", kUnder, "</u>", 0},
      {"SpeedButton18", 1, "<s>", kStrike, "<s>", 0},
      {"SpeedButton19", 1, "</s>", kStrike, "</s>", 0},
      {"SpeedButton20", 1, "<big>", kBig, "<big>", 0},
      {"SpeedButton21", 1, "</big>", kBig, "</big>", 0},
      {"SpeedButton22", 1, "<small>", kSmall, "<small>", 0},
      {"SpeedButton23", 1, "</small>", kSmall, "</small>", 0},
      {"SpeedButton24", 1, "<font>", kFont, "<font face=\"\">", 2},
      {"SpeedButton25", 1, "</font>", kFont, "</font>", 0},
      {"SpeedButton26", 2, "По левому", "", "<div align=\"left\"></div>", 6},
      {"SpeedButton27", 2, "По центру", "", "<div align=\"center\"></div>", 6},
      {"SpeedButton28", 2, "По правому", "", "<div align=\"right\"></div>", 6},
      {"SpeedButton29", 2, "По ширине", "", "<div style=\"text-align:justify\"></div>", 6},
      {"SpeedButton30", 2, "Center", "", "<center>", 0},
      {"SpeedButton31", 2, "/Center", "", "</center>", 0},
      {"SpeedButton32", 3, "<table></table>", "", "<table></table>", 8},
      {"SpeedButton40", 3, "<tr></tr>", "", "<tr></tr>", 5},
      {"SpeedButton39", 3, "<td></td>", "", "<td></td>", 5},
      {"SpeedButton33", 3, "<table>", "", "<table>", 0},
      {"SpeedButton34", 3, "</table>", "", "</table>", 0},
      {"SpeedButton35", 3, "<tr>", "", "<tr>", 0},
      {"SpeedButton36", 3, "</tr>", "", "</tr>", 0},
      {"SpeedButton38", 3, "<td>", "", "<td>", 0},
      {"SpeedButton37", 3, "</td>", "", "</td>", 0},
  };
  return buttons;
}
