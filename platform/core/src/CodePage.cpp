#include "platform/CodePage.h"

#include <array>
#include <cstring>
#include <unordered_map>

namespace {

// Upper halves (0x80..0xFF) of the two code pages. 0x98 is unassigned in
// Windows-1251 and maps to U+0098, so every byte has a code point.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // A0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // E8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

struct TReverseTable {
  std::unordered_map<char32_t, unsigned char> map;
  explicit TReverseTable(const char16_t* high) {
    for (int i = 0; i < 128; ++i) map.emplace(high[i], static_cast<unsigned char>(0x80 + i));
  }
  int Find(char32_t u) const {
    if (u < 0x80) return static_cast<int>(u);
    auto it = map.find(u);
    return it == map.end() ? -1 : it->second;
  }
};

const TReverseTable& Reverse1251() {
  static const TReverseTable t(kCp1251High);
  return t;
}
const TReverseTable& Reverse866() {
  static const TReverseTable t(kCp866High);
  return t;
}

const char16_t* HighTable(int codePage) { return codePage == CP_OEM866 ? kCp866High : kCp1251High; }
const TReverseTable& ReverseTable(int codePage) { return codePage == CP_OEM866 ? Reverse866() : Reverse1251(); }

// --- Windows-1251 case and collation ---------------------------------------

struct TCaseTables {
  unsigned char upper[256];
  unsigned char lower[256];
  bool alpha[256];
  std::uint16_t weight[256];  // primary sort weight of the upper-case form
  TCaseTables() {
    for (int i = 0; i < 256; ++i) {
      upper[i] = lower[i] = static_cast<unsigned char>(i);
      alpha[i] = false;
    }
    auto pair = [this](int up, int low) {
      upper[low] = static_cast<unsigned char>(up);
      lower[up] = static_cast<unsigned char>(low);
      alpha[up] = alpha[low] = true;
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 32);
    pair(0xA8, 0xB8);    // Ё ё
    pair(0x80, 0x90);    // Ђ ђ
    pair(0x81, 0x83);    // Ѓ ѓ
    pair(0x8A, 0x9A);    // Љ љ
    pair(0x8C, 0x9C);    // Њ њ
    pair(0x8D, 0x9D);    // Ќ ќ
    pair(0x8E, 0x9E);    // Ћ ћ
    pair(0x8F, 0x9F);    // Џ џ
    pair(0xA1, 0xA2);    // Ў ў
    pair(0xA3, 0xBC);    // Ј ј
    pair(0xA5, 0xB4);    // Ґ ґ
    pair(0xAA, 0xBA);    // Є є
    pair(0xAF, 0xBF);    // Ї ї
    pair(0xB2, 0xB3);    // І і
    pair(0xBD, 0xBE);    // Ѕ ѕ
    alpha[0xB5] = true;  // µ

    // Sort order: controls, blanks and symbols (byte order), digits,
    // Latin letters, Cyrillic letters in alphabetical order.
    std::uint16_t w = 1;
    for (int i = 0; i < 256; ++i) weight[i] = 0;
    for (int i = 0; i < 256; ++i) {
      bool digit = i >= '0' && i <= '9';
      if (!alpha[i] && !digit) weight[i] = w++;
    }
    for (int i = '0'; i <= '9'; ++i) weight[i] = w++;
    for (int i = 'A'; i <= 'Z'; ++i) weight[i] = w++;
    weight[0xB5] = w++;
    static const unsigned char kCyrillic[] = {0xC0, 0xC1, 0xC2, 0xC3, 0xA5, 0x81, 0xC4, 0x80, 0xC5, 0xA8, 0xAA, 0xC6,
                                              0xC7, 0xBD, 0xC8, 0xB2, 0xAF, 0xC9, 0xA3, 0xCA, 0x8D, 0xCB, 0x8A, 0xCC,
                                              0xCD, 0x8C, 0xCE, 0xCF, 0xD0, 0xD1, 0xD2, 0x8E, 0xD3, 0xA1, 0xD4, 0xD5,
                                              0xD6, 0xD7, 0x8F, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF};
    for (unsigned char c : kCyrillic) weight[c] = w++;
    for (int i = 0; i < 256; ++i)
      if (alpha[i] && upper[i] != i) weight[i] = weight[upper[i]];
  }
};

const TCaseTables& Case() {
  static const TCaseTables t;
  return t;
}

int CompareAnsi(std::string_view a, std::string_view b, bool caseSensitive) {
  const TCaseTables& t = Case();
  std::size_t n = std::min(a.size(), b.size());
  int caseDiff = 0;
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (ca == cb) continue;
    std::uint16_t wa = t.weight[ca], wb = t.weight[cb];
    if (wa != wb) return wa < wb ? -1 : 1;
    if (caseDiff == 0) caseDiff = (t.lower[ca] == ca) ? -1 : 1;  // lower case first
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return caseSensitive ? caseDiff : 0;
}

// --- character types ---------------------------------------------------------

struct TCType3Table {
  std::uint16_t flags[256];
  TCType3Table() {
    const TCaseTables& t = Case();
    for (int i = 0; i < 256; ++i) {
      std::uint16_t f;
      if (i < 0x20 || i == 0x7F || i == 0x98)
        f = 0;
      else if (t.alpha[i])
        f = C3_ALPHA | C3_HALFWIDTH;
      else if (i >= '0' && i <= '9')
        f = C3_HALFWIDTH;
      else
        f = C3_SYMBOL | C3_HALFWIDTH;
      flags[i] = f;
    }
  }
};

struct TLocale {
  bool farEast = false;
  TSysCharSet leadBytes;
};
TLocale& Locale() {
  static TLocale l;
  return l;
}

}  // namespace

// --- single characters --------------------------------------------------------

char32_t Cp1251ToUnicode(unsigned char c) { return c < 0x80 ? c : kCp1251High[c - 0x80]; }
char32_t Cp866ToUnicode(unsigned char c) { return c < 0x80 ? c : kCp866High[c - 0x80]; }
int UnicodeToCp1251(char32_t u) { return Reverse1251().Find(u); }
int UnicodeToCp866(char32_t u) { return Reverse866().Find(u); }

// --- UTF-8 / UTF-16 -------------------------------------------------------------

void Utf8Append(std::string& out, char32_t u) {
  if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) u = 0xFFFD;
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else if (u < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (u >> 18)));
    out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

char32_t Utf8Next(std::string_view s, std::size_t& pos) {
  unsigned char c = static_cast<unsigned char>(s[pos]);
  if (c < 0x80) {
    ++pos;
    return c;
  }
  int len;
  char32_t u;
  char32_t minimum;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    u = c & 0x1F;
    minimum = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    u = c & 0x0F;
    minimum = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    u = c & 0x07;
    minimum = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + static_cast<std::size_t>(len) > s.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < len; ++i) {
    unsigned char cc = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
    if ((cc & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    u = (u << 6) | (cc & 0x3F);
  }
  if (u < minimum || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += static_cast<std::size_t>(len);
  return u;
}

bool IsValidUtf8(std::string_view s) {
  std::size_t pos = 0;
  while (pos < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    if (c < 0x80) {
      ++pos;
      continue;
    }
    std::size_t before = pos;
    Utf8Next(s, pos);
    if (pos - before == 1) return false;  // every valid multi-byte sequence is longer
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    char32_t u = Utf8Next(s, pos);
    if (u >= 0x10000) {
      u -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (u >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (u & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(u));
    }
  }
  return out;
}

namespace {
// Decodes one code point of UTF-16; lone surrogates give U+FFFD.
char32_t Utf16Next(std::u16string_view s, std::size_t& pos) {
  char16_t c = s[pos++];
  if (c >= 0xD800 && c <= 0xDBFF) {
    if (pos < s.size() && s[pos] >= 0xDC00 && s[pos] <= 0xDFFF) {
      char32_t u = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[pos] - 0xDC00);
      ++pos;
      return u;
    }
    return 0xFFFD;
  }
  if (c >= 0xDC00 && c <= 0xDFFF) return 0xFFFD;
  return c;
}
}  // namespace

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) Utf8Append(out, Utf16Next(s, pos));
  return out;
}

// --- code page strings -----------------------------------------------------------

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  const char16_t* high = HighTable(codePage);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80)
      out.push_back(ch);
    else
      Utf8Append(out, high[c - 0x80]);
  }
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
  const TReverseTable& rev = ReverseTable(codePage);
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[pos]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++pos;
      continue;
    }
    int b = rev.Find(Utf8Next(utf8, pos));
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

std::u16string CodePageToUtf16(std::string_view bytes, int codePage) {
  const char16_t* high = HighTable(codePage);
  std::u16string out;
  out.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    out[i] = c < 0x80 ? static_cast<char16_t>(c) : high[c - 0x80];
  }
  return out;
}

std::string Utf16ToCodePage(std::u16string_view utf16, int codePage) {
  const TReverseTable& rev = ReverseTable(codePage);
  std::string out;
  out.reserve(utf16.size());
  std::size_t pos = 0;
  while (pos < utf16.size()) {
    int b = rev.Find(Utf16Next(utf16, pos));
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

std::string Cp1251ToUtf8(std::string_view s) { return CodePageToUtf8(s, CP_WINDOWS1251); }
std::string Utf8ToCp1251(std::string_view s) { return Utf8ToCodePage(s, CP_WINDOWS1251); }
std::u16string Cp1251ToUtf16(std::string_view s) { return CodePageToUtf16(s, CP_WINDOWS1251); }
std::string Utf16ToCp1251(std::u16string_view s) { return Utf16ToCodePage(s, CP_WINDOWS1251); }
std::string Cp866ToUtf8(std::string_view s) { return CodePageToUtf8(s, CP_OEM866); }
std::string Utf8ToCp866(std::string_view s) { return Utf8ToCodePage(s, CP_OEM866); }
std::u16string Cp866ToUtf16(std::string_view s) { return CodePageToUtf16(s, CP_OEM866); }
std::string Utf16ToCp866(std::u16string_view s) { return Utf16ToCodePage(s, CP_OEM866); }

int CodePageOfCharset(int charset) { return charset == 255 ? CP_OEM866 : CP_WINDOWS1251; }

std::string Ansi(const char* utf8) { return utf8 ? Utf8ToCp1251(utf8) : std::string(); }
std::string Ansi(const std::string& utf8) { return Utf8ToCp1251(utf8); }

// --- case ------------------------------------------------------------------------

char AnsiUpperChar(char c) { return static_cast<char>(Case().upper[static_cast<unsigned char>(c)]); }
char AnsiLowerChar(char c) { return static_cast<char>(Case().lower[static_cast<unsigned char>(c)]); }
bool IsAnsiUpper(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return Case().alpha[u] && Case().lower[u] != u;
}
bool IsAnsiLower(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return Case().alpha[u] && Case().upper[u] != u;
}
bool IsAnsiAlpha(char c) { return Case().alpha[static_cast<unsigned char>(c)]; }

std::string AnsiUpperCase(std::string_view s) {
  const TCaseTables& t = Case();
  std::string r(s);
  for (char& c : r) c = static_cast<char>(t.upper[static_cast<unsigned char>(c)]);
  return r;
}

std::string AnsiLowerCase(std::string_view s) {
  const TCaseTables& t = Case();
  std::string r(s);
  for (char& c : r) c = static_cast<char>(t.lower[static_cast<unsigned char>(c)]);
  return r;
}

int AnsiCompareText(std::string_view a, std::string_view b) { return CompareAnsi(a, b, false); }
int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareAnsi(a, b, true); }
bool AnsiSameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const TCaseTables& t = Case();
  for (std::size_t i = 0; i < a.size(); ++i)
    if (t.upper[static_cast<unsigned char>(a[i])] != t.upper[static_cast<unsigned char>(b[i])]) return false;
  return true;
}
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }

int AnsiPos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  std::size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

// --- character types ---------------------------------------------------------------

std::uint16_t CharTypeCType3(unsigned char c) {
  static const TCType3Table t;
  return t.flags[c];
}

void GetStringTypeCType3(std::string_view s, std::vector<std::uint16_t>& out) {
  out.resize(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) out[i] = CharTypeCType3(static_cast<unsigned char>(s[i]));
}

// --- locale ----------------------------------------------------------------------------

bool SysLocaleFarEast() { return Locale().farEast; }
bool IsAnsiLeadByte(unsigned char c) { return Locale().leadBytes.Contains(c); }
const TSysCharSet& AnsiLeadBytes() { return Locale().leadBytes; }
void SetSysLocaleForTesting(bool farEast, const TSysCharSet& leadBytes) {
  Locale().farEast = farEast;
  Locale().leadBytes = leadBytes;
}
void ResetSysLocale() {
  Locale().farEast = false;
  Locale().leadBytes = TSysCharSet();
}
