#include "SrcHighlighterHtml.h"

#include <array>
#include <cstring>

#include "SrcHtmlEntities.h"
#include "SrcHtmlTagKeywords.h"

namespace {

// Resource strings.
const char* const SYNS_AttrComment = "Comment";
const char* const SYNS_AttrIdentifier = "Identifier";
const char* const SYNS_AttrReservedWord = "Reserved Word";
const char* const SYNS_AttrSpace = "Space";
const char* const SYNS_AttrSymbol = "Symbol";
const char* const SYNS_AttrText = "Text";
const char* const SYNS_AttrUnknownWord = "Unknown Word";
const char* const SYNS_AttrValue = "Value";
const char* const SYNS_AttrEscapeAmpersand = "Escape Ampersand";
const char* const SYNS_LangHTML = "HTML";
const char* const SYNS_FilterHTML = "HTML Documents (*.htm;*.html)|*.htm;*.html";

constexpr TColor kVioletColor = 16711808;  // (128, 0, 255)
constexpr TColor kAzureColor = 16744448;   // (0, 128, 255)

// What the byte at the scan position starts.
enum TCharClass : std::uint8_t {
  ccNul,
  ccSpace,
  ccLineFeed,
  ccCarriageReturn,
  ccQuote,
  ccAmpersand,
  ccOpen,
  ccEquals,
  ccClose,
  ccWord,
};

constexpr std::array<std::uint8_t, 256> MakeClassTable() {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    std::uint8_t k = ccWord;
    if (c == 0)
      k = ccNul;
    else if (c == 10)
      k = ccLineFeed;
    else if (c == 13)
      k = ccCarriageReturn;
    else if (c <= 32)
      k = ccSpace;
    else if (c == '"' || c == '\'')
      k = ccQuote;
    else if (c == '&')
      k = ccAmpersand;
    else if (c == '<')
      k = ccOpen;
    else if (c == '=')
      k = ccEquals;
    else if (c == '>')
      k = ccClose;
    t[static_cast<std::size_t>(c)] = k;
  }
  return t;
}

// Byte sets for the scanning loops; a NUL stops every loop, so the byte
// after the line (the string's terminator) ends each of them.
enum TStopFlag : std::uint8_t {
  sfSpaceRun = 1,      // continues a run of blanks: 1-8, 11, 12, 14-32
  sfTextStop = 2,      // ends plain text: below 32, "&", "<"
  sfIdentStop = 4,     // ends a word inside a tag: up to 32, '"', "=", ">"
  sfValueStop = 8,     // ends an unquoted value: up to 32, ">"
  sfCommentStop = 16,  // stops the comment scan: NUL, LF, CR, ">"
  sfHexDigit = 32,
  sfDecDigit = 64,
};

constexpr std::array<std::uint8_t, 256> MakeFlagTable() {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    std::uint8_t f = 0;
    if ((c >= 1 && c <= 8) || c == 11 || c == 12 || (c >= 14 && c <= 32)) f |= sfSpaceRun;
    if (c < 32 || c == '&' || c == '<') f |= sfTextStop;
    if (c <= 32 || c == '"' || c == '=' || c == '>') f |= sfIdentStop;
    if (c <= 32 || c == '>') f |= sfValueStop;
    if (c == 0 || c == 10 || c == 13 || c == '>') f |= sfCommentStop;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) f |= sfHexDigit;
    if (c >= '0' && c <= '9') f |= sfDecDigit;
    t[static_cast<std::size_t>(c)] = f;
  }
  return t;
}

constexpr std::array<std::uint8_t, 256> kClass = MakeClassTable();
constexpr std::array<std::uint8_t, 256> kFlags = MakeFlagTable();

inline bool Has(unsigned char c, std::uint8_t flag) { return (kFlags[c] & flag) != 0; }

TSrcCustomHighlighter* CreateHtmlHighlighter(TComponent* owner) { return new TSrcHTMLHighlighter(owner); }

const TSrcHighlighterClass kHtmlClass = {"TSrcHTMLHighlighter", &CreateHtmlHighlighter};

// The unit's initialisation: the class joins the list of highlighters.
struct THtmlRegistration {
  THtmlRegistration() { RegisterPlaceableHighlighter(&kHtmlClass); }
} gHtmlRegistration;

const unsigned char kEmptyLine[1] = {0};

}  // namespace

const TSrcHighlighterClass* TSrcHTMLHighlighter::ClassInfo() { return &kHtmlClass; }

TSrcHTMLHighlighter::TSrcHTMLHighlighter(TComponent* owner) : TSrcCustomHighlighter(owner), FLine(kEmptyLine) {
  auto make = [this](const char* name, TFontStyles style, TColor foreground) {
    auto* attr = new TSrcHighlighterAttributes(name);
    attr->SetStyle(style);
    attr->SetForeground(foreground);
    AddAttribute(attr);
    return attr;
  };
  const TFontStyles none;
  const TFontStyles bold{fsBold};
  FCommentAttri = make(SYNS_AttrComment, none, clNone);
  FIdentifierAttri = make(SYNS_AttrIdentifier, bold, clNone);
  FKeyAttri = make(SYNS_AttrReservedWord, bold, kVioletColor);
  FSpaceAttri = make(SYNS_AttrSpace, none, clNone);
  FSymbolAttri = make(SYNS_AttrSymbol, bold, clNone);
  FTextAttri = make(SYNS_AttrText, none, clNone);
  FUndefKeyAttri = make(SYNS_AttrUnknownWord, bold, clRed);
  FValueAttri = make(SYNS_AttrValue, none, kAzureColor);
  FAndAttri = make(SYNS_AttrEscapeAmpersand, bold, clLime);
  SetAttributesOnChange(AttributeChangeHandler());

  FTokenAttributes[htkEscapeAmpersand] = FAndAttri;
  FTokenAttributes[htkComment] = FCommentAttri;
  FTokenAttributes[htkIdentifier] = FIdentifierAttri;
  FTokenAttributes[htkReservedWord] = FKeyAttri;
  FTokenAttributes[htkEndOfLine] = nullptr;
  FTokenAttributes[htkSpace] = FSpaceAttri;
  FTokenAttributes[htkSymbol] = FSymbolAttri;
  FTokenAttributes[htkText] = FTextAttri;
  FTokenAttributes[htkUnknownWord] = FUndefKeyAttri;
  FTokenAttributes[htkValue] = FValueAttri;

  FRange = hrText;
  SetDefaultFilter(SYNS_FilterHTML);
  FEntityIndex = -1;
}

bool TSrcHTMLHighlighter::IsOwnClassOrDescendant(const TSrcCustomHighlighter* source) const {
  return dynamic_cast<const TSrcHTMLHighlighter*>(source) != nullptr;
}

TSrcHighlighterAttributes* TSrcHTMLHighlighter::DefaultAttribute(int index) const {
  switch (index) {
    case SRC_ATTR_COMMENT: return FCommentAttri;
    case SRC_ATTR_IDENTIFIER: return FIdentifierAttri;
    case SRC_ATTR_KEYWORD: return FKeyAttri;
    case SRC_ATTR_WHITESPACE: return FSpaceAttri;
    case SRC_ATTR_SYMBOL: return FSymbolAttri;
    default: return nullptr;
  }
}

TSysCharSet TSrcHTMLHighlighter::IdentifierCharSet() const {
  // Digits, ASCII letters, underscore and every Cyrillic letter of
  // Windows-1251, Ё (168) and ё (184) included.
  TSysCharSet s;
  s.IncludeRange('0', '9').IncludeRange('A', 'Z').Include('_').IncludeRange('a', 'z');
  s.Include(168).Include(184).IncludeRange(192, 255);
  return s;
}

std::string TSrcHTMLHighlighter::SampleText() const {
  return "<!-- Syntax highlighting -->\r\n"
         "\r\n"
         "<html>\r\n"
         "<body bgcolor=\"red\">\r\n"
         "  <form name=\"frmLogin\" action=\"doSomething.asp\">\r\n"
         "    <input name=\"user\" value='any\r\n"
         "      value'>\r\n"
         "  </form>\r\n"
         "  <invalid>Sample HTML code &copy; 2001</invalid>\r\n"
         "</body>\r\n"
         "</html>";
}

std::string TSrcHTMLHighlighter::LanguageName() const { return SYNS_LangHTML; }

bool TSrcHTMLHighlighter::IsDefaultFilterStored() const { return DefaultFilter() != SYNS_FilterHTML; }

std::string TSrcHTMLHighlighter::TokenText() const {
  return std::string(reinterpret_cast<const char*>(FLine) + FTokenPos, static_cast<std::size_t>(FRun - FTokenPos));
}

TSrcHighlighterAttributes* TSrcHTMLHighlighter::TokenAttribute() const {
  return FTokenKind < 10 ? FTokenAttributes[FTokenKind] : nullptr;
}

void TSrcHTMLHighlighter::StartLine(const std::string& lineText, int lineIndex) {
  StartLineView(lineText.c_str(), static_cast<int>(lineText.size()), lineIndex);
}

bool TSrcHTMLHighlighter::TokenResumeState(TSrcScanState& state) const {
  if (FTokenRange == hrAmpersand || FTokenKind == htkEndOfLine) return false;
  state = static_cast<TSrcScanState>(FTokenRange) | (static_cast<TSrcScanState>(FTokenEntity + 1) << 8);
  return true;
}

void TSrcHTMLHighlighter::ResumeLine(const char* text, int length, int lineIndex, int position, TSrcScanState state) {
  FLine = reinterpret_cast<const unsigned char*>(text);
  FLineLen = length;
  FRun = position < 0 ? 0 : (position > length ? length : position);
  FLineIndex = lineIndex;
  FRange = static_cast<std::uint8_t>(state & 0xFF);
  FEntityIndex = static_cast<int>((state >> 8) & 0xFFFF) - 1;
  NextToken();
}

void TSrcHTMLHighlighter::StartLineView(const char* text, int length, int lineIndex) {
  FLine = reinterpret_cast<const unsigned char*>(text);
  FLineLen = length;
  FRun = 0;
  FLineIndex = lineIndex;
  // An escape is always finished on the line where it starts: a line that is
  // said to start inside one starts in text (and nothing found ahead on an
  // earlier line applies here).
  if (FRange == hrAmpersand) FRange = hrText;
  FEntityIndex = -1;
  NextToken();
}

void TSrcHTMLHighlighter::NextToken() {
  FTokenPos = FRun;
  FTokenRange = FRange;
  FTokenEntity = FEntityIndex;
  switch (FRange) {
    case hrComment: CommentProc(); break;
    case hrText: TextProc(); break;
    case hrSingleQuotedValue:
    case hrDoubleQuotedValue: {
      const unsigned char c = FLine[FRun];
      if (c == 0 || c == 10 || c == 13)
        Dispatch();
      else
        QuoteProc();
      break;
    }
    default: Dispatch(); break;
  }
}

void TSrcHTMLHighlighter::Dispatch() {
  switch (kClass[FLine[FRun]]) {
    case ccNul: EndOfLineProc(); break;
    case ccSpace: SpaceProc(); break;
    case ccLineFeed: LineFeedProc(); break;
    case ccCarriageReturn: CarriageReturnProc(); break;
    case ccQuote: QuoteProc(); break;
    case ccAmpersand: AmpersandProc(); break;
    case ccOpen: OpenProc(); break;
    case ccEquals: EqualsProc(); break;
    case ccClose: CloseProc(); break;
    default: WordProc(); break;
  }
}

void TSrcHTMLHighlighter::EndOfLineProc() {
  if (FRun < FLineLen) {
    // A NUL inside the line is an ordinary blank: the line goes on after it.
    FTokenKind = htkSpace;
    ++FRun;
    return;
  }
  FTokenKind = htkEndOfLine;
}

void TSrcHTMLHighlighter::LineFeedProc() {
  FTokenKind = htkSpace;
  ++FRun;
}

void TSrcHTMLHighlighter::CarriageReturnProc() {
  FTokenKind = htkSpace;
  ++FRun;
  if (FLine[FRun] == 10) ++FRun;
}

void TSrcHTMLHighlighter::SpaceProc() {
  ++FRun;
  FTokenKind = htkSpace;
  while (Has(FLine[FRun], sfSpaceRun)) ++FRun;
}

void TSrcHTMLHighlighter::OpenProc() {
  ++FRun;
  if (FLine[FRun] == '!' && FLine[FRun + 1] == '-' && FLine[FRun + 2] == '-') {
    FRange = hrComment;
    FTokenKind = htkComment;
    FRun += 3;
  } else {
    FRange = hrKey;
    FTokenKind = htkSymbol;
  }
}

void TSrcHTMLHighlighter::EqualsProc() {
  FRange = hrValue;
  FTokenKind = htkSymbol;
  ++FRun;
}

void TSrcHTMLHighlighter::CloseProc() {
  FRange = hrText;
  FTokenKind = htkSymbol;
  ++FRun;
}

void TSrcHTMLHighlighter::WordProc() {
  switch (FRange) {
    case hrKey: {
      FRange = hrParam;
      int length = 0;
      FTokenKind = static_cast<std::uint8_t>(HtmlClassifyTagName(FLine + FRun, length));
      FRun += length;
      break;
    }
    case hrValue:
      FRange = hrParam;
      FTokenKind = htkValue;
      ++FRun;
      while (!Has(FLine[FRun], sfValueStop)) ++FRun;
      break;
    default:
      FTokenKind = htkIdentifier;
      ++FRun;
      while (!Has(FLine[FRun], sfIdentStop)) ++FRun;
      break;
  }
}

void TSrcHTMLHighlighter::QuoteProc() {
  unsigned char closing;
  switch (FRange) {
    case hrSingleQuotedValue: closing = '\''; break;
    case hrDoubleQuotedValue: closing = '"'; break;
    case hrValue:
      closing = FLine[FRun];
      FRange = closing == '"' ? hrDoubleQuotedValue : hrSingleQuotedValue;
      ++FRun;
      break;
    default: WordProc(); return;
  }
  FTokenKind = htkValue;
  for (;;) {
    const unsigned char c = FLine[FRun];
    if (c == closing) {
      ++FRun;
      FRange = hrParam;
      return;
    }
    if (c == 0 || c == 10 || c == 13) return;  // the value goes on on the next line
    ++FRun;
  }
}

void TSrcHTMLHighlighter::SkipReferenceDigits() {
  if (FLine[FRun] == 'X' || FLine[FRun] == 'x') {
    ++FRun;
    while (Has(FLine[FRun], sfHexDigit)) ++FRun;
  } else {
    while (Has(FLine[FRun], sfDecDigit)) ++FRun;
  }
}

void TSrcHTMLHighlighter::AmpersandProc() {
  switch (FRange) {
    case hrAmpersand: {
      // The text scan left the position on the "&" of an escape it checked;
      // each case checks again what it skips, so nothing is taken on trust.
      const std::string_view entity = FEntityIndex >= 0 && FEntityIndex < HtmlEntityCount
                                          ? HtmlEntities[static_cast<std::size_t>(FEntityIndex)]
                                          : std::string_view();
      if (!entity.empty() && static_cast<std::size_t>(FLineLen - FRun) >= entity.size() &&
          std::memcmp(FLine + FRun, entity.data(), entity.size()) == 0) {
        FTokenKind = htkEscapeAmpersand;
        FRun += static_cast<int>(entity.size());
      } else if (FLine[FRun] == '&' && FLine[FRun + 1] == '#') {
        FRun += 2;
        SkipReferenceDigits();
        if (FLine[FRun] == ';') {
          ++FRun;
          FTokenKind = htkEscapeAmpersand;
        } else {
          FTokenKind = htkText;
        }
      } else {
        ++FRun;
        FTokenKind = htkText;
      }
      FEntityIndex = -1;
      FRange = hrText;
      break;
    }
    case hrKey:
      ++FRun;
      FRange = hrText;
      FTokenKind = htkText;
      break;
    default: WordProc(); break;
  }
}

void TSrcHTMLHighlighter::TextProc() {
  {
    const unsigned char c = FLine[FRun];
    if (c < 32 || c == '<') {
      Dispatch();
      return;
    }
  }
  FTokenKind = htkText;
  for (;;) {
    while (!Has(FLine[FRun], sfTextStop)) ++FRun;
    if (FLine[FRun] != '&') return;  // a control byte (the line end included) or "<"
    if (FLine[FRun + 1] == '#') {
      FEntityIndex = -1;
      const int amp = FRun;
      FRun += 2;
      SkipReferenceDigits();
      if (FLine[FRun] == ';') {
        FRun = amp;
        FRange = hrAmpersand;
      }
      return;
    }
    const int index = HtmlFindEntity(FLine + FRun);
    if (index >= 0) {
      FEntityIndex = index;
      FRange = hrAmpersand;
      return;
    }
    ++FRun;
  }
}

void TSrcHTMLHighlighter::CommentProc() {
  FTokenKind = htkComment;
  {
    const unsigned char c = FLine[FRun];
    if (c == 0 || c == 10 || c == 13) {
      Dispatch();
      return;
    }
  }
  for (;;) {
    while (!Has(FLine[FRun], sfCommentStop)) ++FRun;
    if (FLine[FRun] != '>') return;  // NUL, LF or CR: the comment goes on
    // Only the two bytes before ">" on this same line can close the comment.
    if (FRun >= 2 && FLine[FRun - 1] == '-' && FLine[FRun - 2] == '-') {
      FRange = hrText;
      ++FRun;
      return;
    }
    ++FRun;
  }
}
