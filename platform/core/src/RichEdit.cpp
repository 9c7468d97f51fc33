#include "platform/RichEdit.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

// ---------------------------------------------------------------------------
// reading

// Windows-1252 bytes 0x80..0x9F (0 where the code page has no character);
// 0xA0..0xFF are the Latin-1 characters.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char FromUnicode(char32_t u) {
  int b = UnicodeToCp1251(u);
  return b < 0 ? '?' : static_cast<char>(b);
}

// One byte of a code page as Windows-1251.
char FromCodePage(unsigned char b, int codePage) {
  if (b < 0x80) return static_cast<char>(b);
  switch (codePage) {
    case 1251: return static_cast<char>(b);
    case 1252:
      if (b < 0xA0) {
        char16_t u = kCp1252High[b - 0x80];
        return u ? FromUnicode(u) : '?';
      }
      return FromUnicode(b);
    case 866: return FromUnicode(Cp866ToUnicode(b));
    default: return '?';
  }
}

// The code page of an RTF font character set (0 when unknown).
int CodePageOfRtfCharset(int charset) {
  switch (charset) {
    case 0: return 1252;
    case 204: return 1251;
    case 255: return 866;
    default: return 0;
  }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Destinations whose content is not document text.
const std::unordered_set<std::string>& SkippedDestinations() {
  static const std::unordered_set<std::string> names = {"fonttbl",
                                                        "colortbl",
                                                        "stylesheet",
                                                        "info",
                                                        "pict",
                                                        "object",
                                                        "header",
                                                        "headerl",
                                                        "headerr",
                                                        "headerf",
                                                        "footer",
                                                        "footerl",
                                                        "footerr",
                                                        "footerf",
                                                        "footnote",
                                                        "listtable",
                                                        "listoverridetable",
                                                        "rsidtbl",
                                                        "generator",
                                                        "themedata",
                                                        "colorschememapping",
                                                        "datastore",
                                                        "latentstyles",
                                                        "xmlnstbl",
                                                        "filetbl",
                                                        "revtbl",
                                                        "fldinst",
                                                        "xe",
                                                        "tc",
                                                        "txe",
                                                        "annotation",
                                                        "atnid",
                                                        "atnauthor",
                                                        "bkmkstart",
                                                        "bkmkend",
                                                        "objdata",
                                                        "pntxta",
                                                        "pntxtb",
                                                        "userprops",
                                                        "docvar",
                                                        "template",
                                                        "mmathPr",
                                                        "wgrffmtfilter",
                                                        "pgdsctbl",
                                                        "protusertbl",
                                                        "passwordhash"};
  return names;
}

class TRtfReader {
 public:
  explicit TRtfReader(const std::string& rtf) : FIn(rtf) {}

  std::string Run() {
    FStack.push_back(TGroup());
    while (FPos < FIn.size()) {
      char c = FIn[FPos++];
      switch (c) {
        case '{':
          FStack.push_back(FStack.back());
          FStack.back().FirstInGroup = true;
          FStack.back().StarSeen = false;
          continue;
        case '}':
          // The document ends with its own group.
          if (FStack.size() <= 2) return Finish();
          FStack.pop_back();
          FSkipFallback = 0;
          continue;
        case '\\': ControlWord(); break;
        case '\r':
        case '\n':
          // Line breaks of the file are not text.
          continue;
        default: Char(FromCodePage(static_cast<unsigned char>(c), TextCodePage())); break;
      }
      if (!FStack.empty()) FStack.back().FirstInGroup = false;
    }
    return Finish();
  }

 private:
  struct TGroup {
    bool Skip = false;
    bool FirstInGroup = false;
    bool StarSeen = false;
    bool InFontTable = false;
    int Uc = 1;
    int Font = -1;  // the current font; -1: the default font
  };

  std::string Finish() {
    // The document's last paragraph mark ends the text, it adds no line.
    if (FOut.size() >= 2 && FOut.compare(FOut.size() - 2, 2, "\r\n") == 0) FOut.resize(FOut.size() - 2);
    return FOut;
  }

  TGroup& G() { return FStack.back(); }

  int DocCodePage() const { return FAnsiCodePage ? FAnsiCodePage : 1252; }
  // The code page of the current font's character set, else the document's.
  int TextCodePage() {
    int font = G().Font >= 0 ? G().Font : FDefaultFont;
    auto it = FFontCodePages.find(font);
    return it != FFontCodePages.end() && it->second ? it->second : DocCodePage();
  }

  // A text character (after the fallback characters of \u are counted off).
  bool Consumed() {
    if (FSkipFallback > 0) {
      --FSkipFallback;
      return true;
    }
    return false;
  }

  void Char(char c) {
    if (Consumed()) return;
    if (G().Skip) return;
    FOut += c;
  }

  void Text(const std::string& s) {
    if (Consumed()) return;
    if (!G().Skip) FOut += s;
  }

  void Break() {
    FSkipFallback = 0;
    if (!G().Skip) FOut += "\r\n";
  }

  void ControlWord() {
    if (FPos >= FIn.size()) return;
    char c = FIn[FPos];
    if (!IsLetter(c)) {
      ++FPos;
      ControlSymbol(c);
      return;
    }
    size_t start = FPos;
    while (FPos < FIn.size() && IsLetter(FIn[FPos])) ++FPos;
    std::string word = FIn.substr(start, FPos - start);
    bool hasParam = false;
    long param = 0;
    if (FPos < FIn.size() &&
        (IsDigit(FIn[FPos]) || (FIn[FPos] == '-' && FPos + 1 < FIn.size() && IsDigit(FIn[FPos + 1])))) {
      size_t p = FPos;
      bool negative = FIn[p] == '-';
      if (negative) ++p;
      long v = 0;
      while (p < FIn.size() && IsDigit(FIn[p])) {
        if (v < 100000000) v = v * 10 + (FIn[p] - '0');
        ++p;
      }
      param = negative ? -v : v;
      hasParam = true;
      FPos = p;
    }
    // One space delimits the word and belongs to it.
    if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos;
    Word(word, hasParam, param);
  }

  void ControlSymbol(char c) {
    switch (c) {
      case '\\':
      case '{':
      case '}': Char(c); return;
      case '\'': {
        int v = 0;
        int digits = 0;
        while (digits < 2 && FPos < FIn.size()) {
          char h = FIn[FPos];
          int d = IsDigit(h)               ? h - '0'
                  : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                  : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                           : -1;
          if (d < 0) break;
          v = v * 16 + d;
          ++FPos;
          ++digits;
        }
        if (G().InFontTable) return;
        Char(FromCodePage(static_cast<unsigned char>(v), TextCodePage()));
        return;
      }
      case '~': Char('\xA0'); return;
      case '_': Char('-'); return;
      case '-':
        // An optional hyphen shows nothing.
        Consumed();
        return;
      case '*':
        G().StarSeen = true;
        G().Skip = true;
        return;
      case '\r':
      case '\n': Break(); return;
      case '|':
      case ':': return;
      default: Char(c); return;
    }
  }

  void Word(const std::string& w, bool hasParam, long param) {
    TGroup& g = G();
    if (g.FirstInGroup && SkippedDestinations().count(w)) {
      g.InFontTable = w == "fonttbl";
      g.Skip = true;
      return;
    }
    if (g.InFontTable) {
      if (w == "f" && hasParam) {
        FFontNumber = static_cast<int>(param);
      } else if (w == "fcharset" && hasParam && FFontNumber >= 0) {
        FFontCodePages[FFontNumber] = CodePageOfRtfCharset(static_cast<int>(param));
      } else if (w == "cpg" && hasParam && FFontNumber >= 0) {
        FFontCodePages[FFontNumber] = static_cast<int>(param);
      }
      return;
    }
    if (w == "bin") {
      // Binary data: skip its bytes.
      size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      FPos = std::min(FIn.size(), FPos + n);
      return;
    }
    if (w == "ansicpg" && hasParam) {
      FAnsiCodePage = static_cast<int>(param);
      return;
    }
    if (w == "uc" && hasParam) {
      g.Uc = param < 0 ? 0 : static_cast<int>(param);
      return;
    }
    if (w == "f" && hasParam) {
      g.Font = static_cast<int>(param);
      return;
    }
    if (w == "deff" && hasParam) {
      FDefaultFont = static_cast<int>(param);
      return;
    }
    if (w == "u" && hasParam) {
      long v = param < 0 ? param + 65536 : param;
      FSkipFallback = 0;
      if (!g.Skip) FOut += FromUnicode(static_cast<char32_t>(v));
      FSkipFallback = g.Uc;
      return;
    }
    if (w == "par" || w == "line" || w == "row" || w == "page" || w == "sect") {
      Break();
      return;
    }
    if (w == "tab" || w == "cell") {
      Text("\t");
      return;
    }
    static const std::unordered_map<std::string, char32_t> symbols = {
        {"emdash", 0x2014},    {"endash", 0x2013},    {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", ' '},   {"enspace", ' '},   {"qmspace", ' '}};
    auto s = symbols.find(w);
    if (s != symbols.end()) {
      Text(std::string(1, FromUnicode(s->second)));
      return;
    }
    // Any other word: formatting, dropped (it counts as a fallback character).
    Consumed();
  }

  const std::string& FIn;
  size_t FPos = 0;
  std::string FOut;
  std::vector<TGroup> FStack;
  int FAnsiCodePage = 0;
  int FSkipFallback = 0;
  std::unordered_map<int, int> FFontCodePages;
  int FFontNumber = -1;
  int FDefaultFont = 0;
};

// ---------------------------------------------------------------------------
// writing

const char kHex[] = "0123456789abcdef";

void AppendEscaped(std::string& out, const std::string& text, bool breaks) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (breaks && (c == '\r' || c == '\n')) {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\par\r\n";
    } else if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c >= 0x80 || c < 0x20) {
      out += "\\'";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
}

}  // namespace

bool IsRtf(const std::string& bytes) { return bytes.compare(0, 5, "{\\rtf") == 0; }

std::string RtfToText(const std::string& rtf) { return TRtfReader(rtf).Run(); }

std::string TextToRtf(const std::string& text, const std::string& fontName, int pointSize) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 ";
  AppendEscaped(out, fontName, false);
  out += ";}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs";
  out += IntToStr(pointSize > 0 ? pointSize * 2 : 24);
  out += ' ';
  AppendEscaped(out, text, true);
  out += "\\par\r\n}\r\n";
  return out;
}

UINT RtfClipboardFormat() {
  static const UINT format = RegisterClipboardFormat("Rich Text Format");
  return format;
}

// ---------------------------------------------------------------------------
// TRichEditStrings

TStrings* TRichEditStrings::Plain() const { return FEdit->PlainLines(); }
std::string TRichEditStrings::Get(int index) const { return Plain()->Get(index); }
int TRichEditStrings::GetCount() const { return Plain()->GetCount(); }
void TRichEditStrings::Put(int index, const std::string& s) { Plain()->Put(index, s); }
void TRichEditStrings::Insert(int index, const std::string& s) { Plain()->Insert(index, s); }
void TRichEditStrings::Delete(int index) { Plain()->Delete(index); }
void TRichEditStrings::Clear() { Plain()->Clear(); }
std::string TRichEditStrings::GetTextStr() const { return Plain()->GetTextStr(); }
void TRichEditStrings::SetTextStr(const std::string& text) { Plain()->SetTextStr(text); }

void TRichEditStrings::LoadFromStream(TStream* stream) {
  std::int64_t size = stream->Size() - stream->Position();
  std::string bytes(static_cast<size_t>(std::max<std::int64_t>(size, 0)), '\0');
  if (size > 0) bytes.resize(static_cast<size_t>(std::max<std::int64_t>(stream->Read(&bytes[0], size), 0)));
  if (!FEdit->PlainText() && IsRtf(bytes))
    SetTextStr(RtfToText(bytes));
  else
    SetTextStr(bytes);
}

void TRichEditStrings::SaveToStream(TStream* stream) {
  std::string text = GetTextStr();
  if (!FEdit->PlainText()) {
    TFont* f = FEdit->Font();
    text = TextToRtf(text, f->Name(), f->Size());
  }
  stream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

// ---------------------------------------------------------------------------
// TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TCustomMemo(owner), FRichLines(std::make_unique<TRichEditStrings>(this)) {}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CopyToClipboard() {
  if (SelLength() == 0) return;
  std::string text = SelText();
  TClipboard* cb = Clipboard();
  cb->Open();
  try {
    cb->SetAsText(text);
    cb->SetAsBytes(RtfClipboardFormat(), TextToRtf(text, Font()->Name(), Font()->Size()));
  } catch (...) {
    cb->Close();
    throw;
  }
  cb->Close();
}

void TCustomRichEdit::CutToClipboard() {
  if (SelLength() == 0) return;
  CopyToClipboard();
  if (!ReadOnly()) ClearSelection();
}

void TCustomRichEdit::PasteFromClipboard() {
  if (ReadOnly()) return;
  TClipboard* cb = Clipboard();
  if (!FPlainText && cb->HasFormat(RtfClipboardFormat())) {
    std::string rtf = cb->GetAsBytes(RtfClipboardFormat());
    size_t nul = rtf.find('\0');
    if (nul != std::string::npos) rtf.resize(nul);
    if (IsRtf(rtf)) {
      std::string text = RtfToText(rtf);
      if (text.empty() && SelLength() == 0) return;
      SetSelText(text);
      return;
    }
  }
  TCustomMemo::PasteFromClipboard();
}

void TCustomRichEdit::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_COPY: CopyToClipboard(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    default: TCustomMemo::Dispatch(msg);
  }
}
