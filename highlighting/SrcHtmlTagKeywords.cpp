#include "SrcHtmlTagKeywords.h"

namespace {

// clang-format off
constexpr std::array<std::string_view, HtmlTagKeywordCount> kKeywords = {
  // Tag names.
  "A", "ABBR", "ACRONYM", "ADDRESS", "APPLET", "AREA", "B", "BASE", "BASEFONT",
  "BDO", "BGSOUND", "BIG", "BLINK", "BLOCKQUOTE", "BODY", "BR", "BUTTON",
  "CAPTION", "CENTER", "CITE", "CODE", "COL", "COLGROUP", "COMMENT", "DD",
  "DEL", "DFN", "DIR", "DIV", "DL", "DT", "EM", "EMBED", "FIELDSET", "FONT",
  "FORM", "FRAME", "FRAMESET", "H1", "H2", "H3", "H4", "H5", "H6", "HEAD",
  "HR", "HTML", "I", "IFRAME", "ILAYER", "IMG", "INPUT", "INS", "ISINDEX",
  "KBD", "KEYGEN", "LABEL", "LAYER", "LEGEND", "LI", "LINK", "LISTING", "MAP",
  "MARQUEE", "MENU", "META", "MULTICOL", "NEXTID", "NOBR", "NOEMBED",
  "NOFRAMES", "NOLAYER", "NOSCRIPT", "OBJECT", "OL", "OPTGROUP", "OPTION", "P",
  "PARAM", "PLAINTEXT", "PRE", "Q", "S", "SAMP", "SCRIPT", "SELECT", "SERVER",
  "SMALL", "SPACER", "SPAN", "STRIKE", "STRONG", "STYLE", "SUB", "SUP", "TABLE",
  "TBODY", "TD", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TT", "U",
  "UL", "VAR", "WBR", "XMP",
  // Closing forms.
  "/A", "/ABBR", "/ACRONYM", "/ADDRESS", "/APPLET", "/B", "/BDO", "/BIG",
  "/BLINK", "/BLOCKQUOTE", "/BODY", "/BUTTON", "/CAPTION", "/CENTER", "/CITE",
  "/CODE", "/COLGROUP", "/COMMENT", "/DD", "/DEL", "/DFN", "/DIR", "/DIV",
  "/DL", "/DT", "/EM", "/EMBED", "/FIELDSET", "/FONT", "/FORM", "/FRAMESET",
  "/H1", "/H2", "/H3", "/H4", "/H5", "/H6", "/HEAD", "/HTML", "/I", "/IFRAME",
  "/ILAYER", "/INS", "/KBD", "/LABEL", "/LAYER", "/LEGEND", "/LI", "/LISTING",
  "/MAP", "/MARQUEE", "/MENU", "/MULTICOL", "/NOBR", "/NOEMBED", "/NOFRAMES",
  "/NOLAYER", "/NOSCRIPT", "/OBJECT", "/OL", "/OPTGROUP", "/OPTION", "/P",
  "/PRE", "/Q", "/S", "/SAMP", "/SCRIPT", "/SELECT", "/SERVER", "/SMALL",
  "/SPAN", "/STRIKE", "/STRONG", "/STYLE", "/SUB", "/SUP", "/TABLE", "/TBODY",
  "/TD", "/TEXTAREA", "/TFOOT", "/TH", "/THEAD", "/TITLE", "/TR", "/TT", "/U",
  "/UL", "/VAR", "/XMP",
  // Declaration.
  "!DOCTYPE",
};
// clang-format on

constexpr int KeywordHash(std::string_view s) {
  std::size_t i = 0;
  int sum = 0;
  while (i < s.size() && HtmlCharValue[static_cast<unsigned char>(s[i])] != 0)
    sum += HtmlCharValue[static_cast<unsigned char>(s[i++])];
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') sum += s[i++] - '0';
  // Every keyword is measured whole by the name rule.
  return i == s.size() ? sum : -1;
}

constexpr std::array<THtmlTagSlot, HtmlTagSlotCount> MakeSlots() {
  std::array<THtmlTagSlot, HtmlTagSlotCount> slots{};
  for (std::size_t k = 0; k < kKeywords.size(); ++k) {
    const int h = KeywordHash(kKeywords[k]);
    THtmlTagSlot& slot = slots[static_cast<std::size_t>(h)];  // out of range fails the build
    slot.Keyword[slot.Count] = static_cast<std::uint8_t>(k);
    ++slot.Count;  // a fifth keyword in one slot overflows Keyword[] and fails the build
  }
  return slots;
}

constexpr std::array<THtmlTagSlot, HtmlTagSlotCount> kSlots = MakeSlots();

}  // namespace

const std::array<std::string_view, HtmlTagKeywordCount> HtmlTagKeywords = kKeywords;

const THtmlTagSlot& HtmlTagSlot(int index) { return kSlots[static_cast<std::size_t>(index)]; }

int HtmlClassifyTagName(const unsigned char* p, int& length) {
  const std::uint64_t sum = HtmlTagHash(p, length);
  if (sum >= static_cast<std::uint64_t>(HtmlTagSlotCount)) return HtmlTagIdentifier;
  const THtmlTagSlot& slot = kSlots[static_cast<std::size_t>(sum)];
  for (int i = 0; i < slot.Count; ++i) {
    const std::string_view kw = kKeywords[slot.Keyword[i]];
    if (static_cast<int>(kw.size()) != length) continue;
    int j = 0;
    while (j < length &&
           HtmlCharValue[static_cast<unsigned char>(kw[static_cast<std::size_t>(j)])] == HtmlCharValue[p[j]])
      ++j;
    if (j == length) return HtmlTagReservedWord;
  }
  return HtmlTagUnknownWord;
}
