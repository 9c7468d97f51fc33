#include "SrcHtmlEntities.h"

#include <cstdint>

namespace {

constexpr std::array<std::string_view, HtmlEntityCount> kEntities = {
    "&Alpha;",  "&Beta;",    "&Gamma;",   "&Delta;",  "&Epsilon;",  "&Zeta;",    "&Eta;",    "&Theta;",  "&Iota;",
    "&Kappa;",  "&Lambda;",  "&Mu;",      "&Nu;",     "&Xi;",       "&Omicron;", "&Pi;",     "&Rho;",    "&Sigma;",
    "&Tau;",    "&Upsilon;", "&Phi;",     "&Chi;",    "&Psi;",      "&Omega;",   "&alpha;",  "&beta;",   "&gamma;",
    "&delta;",  "&epsilon;", "&zeta;",    "&eta;",    "&theta;",    "&iota;",    "&kappa;",  "&lambda;", "&mu;",
    "&nu;",     "&xi;",      "&omicron;", "&pi;",     "&rho;",      "&sigmaf;",  "&sigma;",  "&tau;",    "&upsilon;",
    "&phi;",    "&chi;",     "&psi;",     "&omega;",  "&thetasym;", "&upsih;",   "&piv;",    "&bull;",   "&hellip;",
    "&prime;",  "&Prime;",   "&oline;",   "&frasl;",  "&weierp;",   "&image;",   "&real;",   "&trade;",  "&alefsym;",
    "&larr;",   "&uarr;",    "&rarr;",    "&darr;",   "&harr;",     "&crarr;",   "&lArr;",   "&uArr;",   "&rArr;",
    "&dArr;",   "&hArr;",    "&forall;",  "&part;",   "&exist;",    "&empty;",   "&nabla;",  "&isin;",   "&notin;",
    "&ni;",     "&prod;",    "&sum;",     "&minus;",  "&lowast;",   "&radic;",   "&prop;",   "&infin;",  "&ang;",
    "&and;",    "&or;",      "&cap;",     "&cup;",    "&int;",      "&there4;",  "&sim;",    "&cong;",   "&asymp;",
    "&ne;",     "&equiv;",   "&le;",      "&ge;",     "&sub;",      "&sup;",     "&nsub;",   "&sube;",   "&supe;",
    "&oplus;",  "&otimes;",  "&perp;",    "&sdot;",   "&lceil;",    "&rceil;",   "&lfloor;", "&rfloor;", "&lang;",
    "&rang;",   "&loz;",     "&spades;",  "&clubs;",  "&hearts;",   "&diams;",   "&lsquo;",  "&rsquo;",  "&sbquo;",
    "&ldquo;",  "&rdquo;",   "&bdquo;",   "&dagger;", "&Dagger;",   "&permil;",  "&lsaquo;", "&rsaquo;", "&quot;",
    "&amp;",    "&lt;",      "&gt;",      "&ndash;",  "&mdash;",    "&nbsp;",    "&thinsp;", "&ensp;",   "&emsp;",
    "&iexcl;",  "&cent;",    "&pound;",   "&curren;", "&yen;",      "&brvbar;",  "&brkbar;", "&sect;",   "&uml;",
    "&die;",    "&copy;",    "&ordf;",    "&laquo;",  "&not;",      "&shy;",     "&reg;",    "&macr;",   "&hibar;",
    "&deg;",    "&plusmn;",  "&sup2;",    "&sup3;",   "&acute;",    "&micro;",   "&para;",   "&middot;", "&cedil;",
    "&sup1;",   "&ordm;",    "&raquo;",   "&frac14;", "&frac12;",   "&frac34;",  "&iquest;", "&Agrave;", "&Aacute;",
    "&Acirc;",  "&Atilde;",  "&Auml;",    "&Aring;",  "&AElig;",    "&Ccedil;",  "&Egrave;", "&Eacute;", "&Ecirc;",
    "&Euml;",   "&Igrave;",  "&Iacute;",  "&Icirc;",  "&Iuml;",     "&ETH;",     "&Ntilde;", "&Ograve;", "&Oacute;",
    "&Ocirc;",  "&Otilde;",  "&Ouml;",    "&times;",  "&Oslash;",   "&Ugrave;",  "&Uacute;", "&Ucirc;",  "&Uuml;",
    "&Yacute;", "&THORN;",   "&szlig;",   "&agrave;", "&aacute;",   "&acirc;",   "&atilde;", "&auml;",   "&aring;",
    "&aelig;",  "&ccedil;",  "&egrave;",  "&eacute;", "&ecirc;",    "&euml;",    "&igrave;", "&iacute;", "&icirc;",
    "&iuml;",   "&eth;",     "&ntilde;",  "&ograve;", "&oacute;",   "&ocirc;",   "&otilde;", "&ouml;",   "&divide;",
    "&oslash;", "&ugrave;",  "&uacute;",  "&ucirc;",  "&uuml;",     "&yacute;",  "&thorn;",  "&yuml;",   "&euro;",
    "&OElig;",  "&oelig;",   "&scaron;",  "&Scaron;", "&fnof;",     "&circ;",
};

// The longest name ("thetasym") has 8 characters, the shortest 2.
constexpr int kMaxName = 8;
constexpr int kMinName = 2;
constexpr int kBuckets = 1024;  // power of two, well above twice the entity count

constexpr bool IsNameChar(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::uint32_t NameHash(const unsigned char* p, int n) {
  std::uint32_t h = static_cast<std::uint32_t>(n) * 0x9E3779B1u;
  for (int i = 0; i < n; ++i) h = (h ^ p[i]) * 0x01000193u;
  return h ^ (h >> 15);
}

constexpr std::uint32_t NameHash(std::string_view name) {
  std::uint32_t h = static_cast<std::uint32_t>(name.size()) * 0x9E3779B1u;
  for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x01000193u;
  return h ^ (h >> 15);
}

struct TEntityTable {
  std::array<std::int16_t, kBuckets> Slot{};
};

constexpr TEntityTable MakeTable() {
  TEntityTable t{};
  for (auto& s : t.Slot) s = -1;
  for (int i = 0; i < HtmlEntityCount; ++i) {
    const std::string_view text = kEntities[static_cast<std::size_t>(i)];
    const std::string_view name = text.substr(1, text.size() - 2);
    std::uint32_t b = NameHash(name) & (kBuckets - 1);
    bool duplicate = false;
    while (t.Slot[b] >= 0) {
      const std::string_view other = kEntities[static_cast<std::size_t>(t.Slot[b])];
      if (other == text) duplicate = true;
      b = (b + 1) & (kBuckets - 1);
    }
    if (!duplicate)  // the first text in table order keeps its index
      t.Slot[b] = static_cast<std::int16_t>(i);
  }
  return t;
}

constexpr TEntityTable kTable = MakeTable();

}  // namespace

const std::array<std::string_view, HtmlEntityCount> HtmlEntities = kEntities;

int HtmlFindEntity(const unsigned char* amp) {
  const unsigned char* name = amp + 1;
  int n = 0;
  while (n <= kMaxName && IsNameChar(name[n])) ++n;
  if (n < kMinName || n > kMaxName || name[n] != ';') return -1;
  std::uint32_t b = NameHash(name, n) & (kBuckets - 1);
  for (;;) {
    const int idx = kTable.Slot[b];
    if (idx < 0) return -1;
    const std::string_view text = kEntities[static_cast<std::size_t>(idx)];
    if (static_cast<int>(text.size()) == n + 2 &&
        text.compare(1, static_cast<std::size_t>(n),
                     std::string_view(reinterpret_cast<const char*>(name), static_cast<std::size_t>(n))) == 0)
      return idx;
    b = (b + 1) & (kBuckets - 1);
  }
}
