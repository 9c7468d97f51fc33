// RenderHtmlText: the text cut into display lines, each line measured and
// then painted from the same stretch of text.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "MarkupHints.h"
#include "PictureStore.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

// Bounds every number read from markup is held to.
constexpr int64_t MaxCoordinate = 32767;
constexpr int MinFontPoints = 1, MaxFontPoints = 400;
constexpr int MaxImageSide = 4096;
constexpr int GradientSteps = 64;
constexpr int ListIndent = 12;

int64_t Clamp64(int64_t v, int64_t lo, int64_t hi) { return v < lo ? lo : v > hi ? hi : v; }

// Leading blanks, an optional sign, "$" or "0x" for hexadecimal, then
// digits; the value saturates instead of overflowing; no digits give 0.
int64_t ReadNumber(const std::string& s, size_t at = 0) {
  size_t i = at;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  const int64_t limit = int64_t(1) << 40;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d = c >= '0' && c <= '9'                 ? c - '0'
            : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
            : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
    if (d < 0) break;
    v = std::min(limit, v * base + d);
  }
  return negative ? -v : v;
}

bool DigitsOnly(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// One tag: its text as written and upper-cased, brackets included.
struct TTag {
  std::string Text;
  std::string Upper;
  size_t NameEnd = 1;  // index after the tag's name
  // Position of `name` in the upper-cased text at or after `from`.
  size_t Find(const char* name, size_t from = 0) const { return Upper.find(name, from); }
  bool Has(const char* name) const { return Find(name) != std::string::npos; }
  // The text between the first and the second double quote after the
  // attribute at `at`; empty without both quotes.
  std::string QuotedAt(size_t at, bool asWritten) const {
    if (at == std::string::npos) return std::string();
    size_t q1 = Upper.find('"', at);
    if (q1 == std::string::npos) return std::string();
    size_t q2 = Upper.find('"', q1 + 1);
    if (q2 == std::string::npos) return std::string();
    return (asWritten ? Text : Upper).substr(q1 + 1, q2 - q1 - 1);
  }
  std::string Value(const char* name, bool asWritten = false) const {
    size_t at = Find(name);
    return at == std::string::npos ? std::string() : QuotedAt(at + std::strlen(name), asWritten);
  }
  // The quoted value after the first `letter` behind the tag's name.
  std::string LetterValue(char letter) const {
    size_t at = Upper.find(letter, NameEnd);
    return at == std::string::npos ? std::string() : QuotedAt(at + 1, false);
  }
};

// clang-format off
enum TTagId {
  tgNone,
  tgAnchor, tgAnchorEnd, tgBold, tgBoldEnd, tgBlink, tgColorEnd, tgBody, tgBreak, tgError, tgErrorEnd, tgFont,
  tgFontEnd, tgHighlight, tgHighlightEnd, tgRule, tgItalic, tgItalicEnd, tgIndent, tgImage, tgItem, tgItemEnd,
  tgOffset, tgOffsetEnd, tgPara, tgParaEnd, tgRotate, tgRotateEnd, tgStrike, tgStrikeEnd, tgShadow, tgShadowEnd,
  tgSub, tgSup, tgSubSupEnd, tgUnderline, tgUnderlineEnd, tgList, tgListEnd, tgHidden, tgHiddenEnd
};
// clang-format on

// How a row matches the tag's name: by its first letter, by its first two
// letters, as the whole tag ("<SUB>"), as a single-letter name, or as that
// letter followed by more letters.
enum TMatch { mFirst, mTwo, mExact, mSingle, mMore };
struct TTagRule {
  bool End;
  const char* Key;
  TMatch Match;
  TTagId Id;
};
// Tried in order; the first row that matches names the tag.
const TTagRule TagRules[] = {
    {false, "<SUB>", mExact, tgSub},     {false, "<SUP>", mExact, tgSup},      {false, "BL", mTwo, tgBlink},
    {false, "BO", mTwo, tgBody},         {false, "BR", mTwo, tgBreak},         {false, "HI", mTwo, tgHighlight},
    {false, "HR", mTwo, tgRule},         {false, "IN", mTwo, tgIndent},        {false, "IM", mTwo, tgImage},
    {false, "OF", mTwo, tgOffset},       {false, "SH", mTwo, tgShadow},        {false, "B", mSingle, tgBold},
    {false, "I", mSingle, tgItalic},     {false, "S", mSingle, tgStrike},      {false, "U", mSingle, tgUnderline},
    {false, "U", mMore, tgList},         {false, "A", mFirst, tgAnchor},       {false, "E", mFirst, tgError},
    {false, "F", mFirst, tgFont},        {false, "L", mFirst, tgItem},         {false, "P", mFirst, tgPara},
    {false, "R", mFirst, tgRotate},      {false, "Z", mFirst, tgHidden},       {true, "SU", mTwo, tgSubSupEnd},
    {true, "SH", mTwo, tgShadowEnd},     {true, "B", mSingle, tgBoldEnd},      {true, "B", mMore, tgColorEnd},
    {true, "S", mFirst, tgStrikeEnd},    {true, "U", mSingle, tgUnderlineEnd}, {true, "U", mMore, tgListEnd},
    {true, "A", mFirst, tgAnchorEnd},    {true, "E", mFirst, tgErrorEnd},      {true, "F", mFirst, tgFontEnd},
    {true, "H", mFirst, tgHighlightEnd}, {true, "I", mFirst, tgItalicEnd},     {true, "L", mFirst, tgItemEnd},
    {true, "O", mFirst, tgOffsetEnd},    {true, "P", mFirst, tgParaEnd},       {true, "R", mFirst, tgRotateEnd},
    {true, "Z", mFirst, tgHiddenEnd},
};

TTagId IdentifyTag(const TTag& t) {
  const std::string& u = t.Upper;
  bool end = u.size() > 1 && u[1] == '/';
  size_t n = end ? 2 : 1;
  for (const TTagRule& r : TagRules) {
    if (r.End != end) continue;
    size_t k = std::strlen(r.Key);
    switch (r.Match) {
      case mExact:
        if (u == r.Key) return r.Id;
        break;
      case mFirst:
      case mTwo:
        if (u.compare(n, k, r.Key) == 0) return r.Id;
        break;
      case mSingle:
        if (u.compare(n, 1, r.Key) == 0 && !(n + 1 < u.size() && IsLetter(u[n + 1]))) return r.Id;
        break;
      case mMore:
        if (u.compare(n, 1, r.Key) == 0 && n + 1 < u.size() && IsLetter(u[n + 1])) return r.Id;
        break;
    }
  }
  return tgNone;
}

// The state a pass carries from line to line; the measuring and the
// painting pass each keep their own.
struct TPassState {
  std::unique_ptr<TFont> Font{new TFont};
  bool Shadow = false, Hidden = false, ErrorMark = false;
  bool Sub = false, Sup = false;
  int ListLevel = 0;
  int ImageCounter = 0;
  int AnchorCounter = 0;
  bool InAnchor = false;
  bool AnchorStyled = false;
  std::string AnchorValue;
  int AnchorStartWidth = 0;  // line width where the anchor began
  bool AnchorOnThisLine = false;
  std::vector<int> Rotations;  // R angles, innermost last
  TPassState() = default;
  TPassState(const TPassState& o) { *this = o; }
  TPassState& operator=(const TPassState& o) {
    if (this == &o) return *this;
    Font->Assign(o.Font.get());
    Shadow = o.Shadow, Hidden = o.Hidden, ErrorMark = o.ErrorMark, Sub = o.Sub, Sup = o.Sup;
    ListLevel = o.ListLevel, ImageCounter = o.ImageCounter, AnchorCounter = o.AnchorCounter;
    InAnchor = o.InAnchor, AnchorStyled = o.AnchorStyled, AnchorValue = o.AnchorValue;
    AnchorStartWidth = o.AnchorStartWidth, AnchorOnThisLine = o.AnchorOnThisLine, Rotations = o.Rotations;
    return *this;
  }
};

// What one line gives back.
struct TLineOut {
  int Width = 0, Height = 0;
  int SubExtra = 0, SupExtra = 0;
  int Raise = 0;
  bool TextHit = false, ImageHit = false;
  size_t End = 0;         // one past the consumed text
  bool DropRest = false;  // nothing after this line is shown
};

class TMarkupRenderer {
 public:
  TMarkupRenderer(const TMarkupRequest& q, TMarkupResult& r) : Q(q), R(r), C(q.Canvas) {}
  bool Run();

 private:
  // `layout`: the measuring pass that decides where the line ends; the
  // painting pass (and a hot-spot pass) replays exactly the text it
  // consumed.
  void Line(bool paint, bool layout, TPassState& S, size_t begin, size_t limit, const TRect& lineRect, TLineOut& out);
  size_t NextTag(size_t pos);
  // Applies a tag; true when the line stops before it (the tag starts the
  // next line), `ended` when the line ends after it.
  bool ApplyTag(bool paint, TPassState& S, const TTag& tag, const TRect& lineRect, TRect& work, TLineOut& out,
                bool& ended, bool& itemOnLine);
  bool Image(bool paint, TPassState& S, const TTag& tag, const TRect& lineRect, TRect& work, TLineOut& out);
  THintPicture* FindPicture(const std::string& src);
  void DrawRun(TPassState& S, const std::string& run, TRect& work, const TRect& lineRect, const TLineOut& out);
  int RunWidth(const std::string& run);
  int TextHeightGh() { return C->TextHeight("gh"); }
  void SaveBrush(TColor& slot) { slot = C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color(); }
  void RestoreBrush(TColor slot) {
    if (slot == clNone)
      C->Brush()->SetStyle(bsClear);
    else
      C->Brush()->SetColor(slot);
  }
  // A colour attribute: "#RRGGBB" or a name; empty stays `empty`.
  TColor ColorValue(const std::string& v, TColor empty) {
    if (v.empty()) return empty;
    return v[0] == '#' ? ColorFromHex(v) : ColorFromName(AnsiLowerCase(v));
  }
  void Zigzag(int left, int right, int bottom);
  void DrawFocus(const TRect& r);

  const TMarkupRequest& Q;
  TMarkupResult& R;
  TCanvas* C;
  std::string T;  // the text after the entities and line breaks
  std::unique_ptr<TFont> FBase{new TFont};
  TColor FOrigBrush = clNone;
  UINT FDrawFlags = 0;
  // Paint-only slots, first as the renderer runs: base font colour, no brush.
  TColor FFontBgSlot = clNone;  // F BGCOLOR, BODY BGCOLOR -> /F
  TColor FHiFont = clNone, FHiBrush = clNone;
  TColor FAnchorFont = clNone, FAnchorBrush = clNone;
  TColor FParaBrush = clNone;
  bool FParaBg = false;
  int FOffset = 0;  // OF, carried from line to line when painting
  int FNewOffset = 0;
  int FAlign = 0, FIndent = 0;
  int FHitImage = -1;
  bool FAnchorPending = false;
  int FAnchorNumber = 0;
  // The focus rectangle of the focused anchor while it is open.
  bool FInFocus = false;
  int FFocusLeft = 0;
  int FLineTop = 0;
  bool FLayout = false;
  size_t FNextTagFrom = 1, FNextTag = 0;
};

int TMarkupRenderer::RunWidth(const std::string& run) {
  TRect r(0, 0, 32767, 32767);
  DrawText(C->Handle(), run.data(), int(run.size()), &r, FDrawFlags | DT_CALCRECT | DT_EXTERNALLEADING);
  return r.Width();
}

bool TMarkupRenderer::Run() {
  R = TMarkupResult();
  FBase->Assign(C->Font());
  FOrigBrush = C->Brush()->Color();
  FHiFont = FAnchorFont = FBase->Color();
  C->Brush()->SetColor(clNone);
  SetBkMode(C->Handle(), TRANSPARENT);
  FDrawFlags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | (Q.WordWrap ? 0 : DT_END_ELLIPSIS);

  T = LineBreaksToBR(UnwrapHashTag(ReplaceMarkupEntities(Q.Text)));
  TPassState measure, paint;
  measure.Font->Assign(FBase.get());
  paint.Font->Assign(FBase.get());
  TRect lineRect = Q.Rect;
  lineRect.Left += 1;
  size_t pos = 0;
  while (pos < T.size()) {
    C->Font()->Assign(measure.Font.get());
    int h0 = TextHeightGh();
    TLineOut m;
    m.Height = h0;
    Line(false, true, measure, pos, T.size(), lineRect, m);
    measure.Font->Assign(C->Font());
    m.Height += Q.LineSpacing;
    TRect pr = lineRect;
    if (FAlign == 1) {
      if (pr.Right - m.Width > pr.Left) pr.Left = pr.Right - m.Width;
    } else if (FAlign == 2) {
      int d = (pr.Right - pr.Left - m.Width) / 2;
      if (d > 0) pr.Left += d;
    }
    pr.Left += FIndent;
    pr.Bottom = pr.Top + m.Height + m.SubExtra + m.SupExtra;
    if (!Q.MeasureOnly) {
      C->Font()->Assign(paint.Font.get());
      TLineOut p = m;
      p.TextHit = p.ImageHit = false;
      FNewOffset = FOffset;
      Line(!Q.CheckHotSpot, false, paint, pos, m.End, pr, p);
      paint.Font->Assign(C->Font());
      int gh = TextHeightGh();
      if ((p.TextHit && Q.HitY > pr.Bottom - p.Raise - gh && Q.HitY < pr.Bottom - p.Raise) || p.ImageHit) R.Hit = true;
      FOffset = FNewOffset;
    }
    // A line that consumed nothing would never end the loop.
    pos = std::max(m.End, pos + 1);
    int advance = m.Height + m.SubExtra + m.SupExtra;
    lineRect.Top += advance;
    R.YSize += advance;
    if (m.DropRest) break;
    if (!Q.MeasureOnly && lineRect.Top + h0 > Q.Rect.Bottom) break;
  }
  if (R.YSize == 0) {
    C->Font()->Assign(FBase.get());
    R.YSize = TextHeightGh();
  }
  R.YSize += 2;
  R.AnchorCount = measure.AnchorCounter;
  C->Brush()->SetColor(FOrigBrush);
  C->Font()->Assign(FBase.get());
  return R.Hit;
}

size_t TMarkupRenderer::NextTag(size_t pos) {
  if (FNextTagFrom > pos || FNextTag < pos) {
    FNextTagFrom = pos;
    FNextTag = T.find('<', pos);
  }
  return FNextTag;
}

void TMarkupRenderer::Line(bool paint, bool layout, TPassState& S, size_t begin, size_t limit, const TRect& lineRect,
                           TLineOut& out) {
  bool measuring = !paint;
  FLayout = layout;
  TRect work = lineRect;
  work.Bottom -= out.SubExtra;
  if (paint) work.Left += FOffset;
  FLineTop = lineRect.Top;
  out.Width = 0;
  S.Sub = S.Sup = false;
  S.AnchorOnThisLine = false;
  if (paint && FParaBg) C->FillRect(TRect(Q.Rect.Left, lineRect.Top, Q.Rect.Right, lineRect.Top + out.Height));
  if (paint && FInFocus) FFocusLeft = lineRect.Left + 1;
  int trailingBlank = 0;
  bool placedAny = false, placedEndsBlank = false;
  bool ended = false, itemOnLine = false;
  size_t pos = begin;
  const bool mayStop = layout;
  while (pos < limit && !ended) {
    size_t lt = NextTag(pos);
    if (lt == std::string::npos || lt > limit) lt = limit;
    size_t runEnd = lt;
    if (Q.WordWrap) {
      const void* blank = std::memchr(T.data() + pos, ' ', lt - pos);
      if (blank) runEnd = size_t(static_cast<const char*>(blank) - T.data()) + 1;
    }
    if (runEnd > pos) {
      std::string run = ReplaceRunEntities(T.substr(pos, runEnd - pos));
      if (!run.empty()) {
        int h = C->TextHeight(run);
        out.Height = std::max(out.Height, h);
        if (S.Sub) out.SubExtra = std::max(out.SubExtra, h / 4);
        if (S.Sup) out.SupExtra = std::max(out.SupExtra, h / 4);
      }
      if (S.Hidden || run.empty()) {
        if (layout) R.StrippedText += run;
        pos = runEnd;
      } else {
        int before = out.Width;
        int w;
        if (measuring) {
          w = RunWidth(run);
          out.Width += w;
          if (S.InAnchor && Q.HitX - lineRect.Left >= before && Q.HitX - lineRect.Left <= out.Width) {
            out.TextHit = true;
            if (Q.HitY > lineRect.Top) {
              R.AnchorValue = S.AnchorValue;
              FAnchorPending = true;
            }
          }
        } else {
          DrawRun(S, run, work, lineRect, out);
          w = RunWidth(run);
          out.Width += w;
        }
        bool fits = true;
        if (mayStop) {
          int avail = lineRect.Width() - FOffset;
          // A run alone on its line always fits (a word wider than the
          // line stands alone, unsplit); runs that meet without a blank
          // are not separated.
          fits = out.Width < avail || !placedAny || !placedEndsBlank;
        }
        if (fits || !Q.WordWrap) {
          if (!fits && placedAny) {
            out.DropRest = true;
            ended = true;
          }
          pos = runEnd;
          if (layout) R.StrippedText += run;
          placedAny = true;
          placedEndsBlank = run.back() == ' ';
          trailingBlank = placedEndsBlank ? RunWidth(" ") : 0;
        } else {
          out.Width = before;
          ended = true;
          break;
        }
      }
    }
    if (ended || pos >= limit || T[pos] != '<') continue;
    size_t gt = T.find('>', pos);
    if (gt == std::string::npos || gt >= limit) {
      // An unclosed tag ends the text.
      pos = limit;
      if (mayStop) out.DropRest = true;
      break;
    }
    TTag tag;
    tag.Text = T.substr(pos, gt - pos + 1);
    tag.Upper = AnsiUpperCase(tag.Text);
    size_t ne = tag.Upper[1] == '/' ? 2 : 1;
    while (ne < tag.Upper.size() && IsLetter(tag.Upper[ne])) ++ne;
    tag.NameEnd = ne;
    bool stop = false;
    if (tag.Text.size() >= 3) stop = ApplyTag(paint, S, tag, lineRect, work, out, ended, itemOnLine);
    if (stop && mayStop) {
      ended = true;
      break;
    }
    pos = gt + 1;
  }
  out.End = pos;
  out.Width -= trailingBlank;
  R.XSize = std::max(R.XSize, out.Width + 2);
  if (paint && FInFocus) {
    int bottom = work.Bottom - out.Raise;
    DrawFocus(TRect(FFocusLeft - 1, bottom - TextHeightGh(), work.Left + 1, bottom));
  }
}

void TMarkupRenderer::DrawRun(TPassState& S, const std::string& run, TRect& work, const TRect& lineRect,
                              const TLineOut& out) {
  TRect r = work;
  if (S.Sup) r.Bottom -= out.SupExtra;
  if (S.Sub) r.Bottom += out.SubExtra;
  r.Bottom -= out.Raise;
  auto draw = [&](const TRect& at) {
    TRect d = at;
    HFONT previous = nullptr, rotated = nullptr;
    if (!S.Rotations.empty()) rotated = SelectRotatedFont(C, S.Rotations.back(), previous);
    HDC dc = C->Handle();
    DrawText(dc, run.data(), int(run.size()), &d, FDrawFlags);
    if (rotated) RestoreRotatedFont(C, rotated, previous);
  };
  if (S.Shadow) {
    TColor c = C->Font()->Color();
    C->Font()->SetColor(Q.ShadowColor);
    TRect s = r;
    s.Left += Q.ShadowOffset;
    s.Right += Q.ShadowOffset;
    s.Top += Q.ShadowOffset;
    s.Bottom += Q.ShadowOffset;
    draw(s);
    C->Font()->SetColor(c);
  }
  draw(r);
  int w = RunWidth(run);
  if (FInFocus) R.FocusAnchorValue = S.AnchorValue;
  if (S.ErrorMark) Zigzag(r.Left, r.Left + w, lineRect.Bottom);
  work.Left += w;
  work.Right = lineRect.Right;
  work.Top = lineRect.Top;
  work.Bottom = lineRect.Bottom;
}

void TMarkupRenderer::Zigzag(int left, int right, int bottom) {
  TColor pen = C->Pen()->Color();
  int width = C->Pen()->Width();
  C->Pen()->SetColor(0x0000FF);
  C->Pen()->SetWidth(1);
  int x = left & ~1;
  bool low = x % 4 == 0;
  C->MoveTo(x, low ? bottom + 1 : bottom - 1);
  while (x < right) {
    x += 2;
    low = !low;
    C->LineTo(x, low ? bottom + 1 : bottom - 1);
  }
  C->Pen()->SetColor(pen);
  C->Pen()->SetWidth(width);
}

void TMarkupRenderer::DrawFocus(const TRect& r) {
  if (r.Left < r.Right && r.Top < r.Bottom) C->DrawFocusRect(r);
}

THintPicture* TMarkupRenderer::FindPicture(const std::string& src) {
  THintPicture* picture = nullptr;
  if (src.find(':') == std::string::npos && Q.PictureStore) picture = Q.PictureStore->FindPicture(src);
  if (src.find("://") != std::string::npos && Q.PictureCache) {
    picture = Q.PictureCache->PictureBySource(src);
    if (!picture) {
      picture = Q.PictureCache->NewPicture();
      // A resource or file that does not load leaves the cached picture
      // empty; painting never raises.
      try {
        picture->LoadFromSource(src);
      } catch (...) {}
    }
  }
  return picture;
}

bool TMarkupRenderer::Image(bool paint, TPassState& S, const TTag& tag, const TRect& lineRect, TRect& work,
                            TLineOut& out) {
  ++S.ImageCounter;
  std::string src = tag.Value("SRC", true);
  int64_t wAttr = Clamp64(ReadNumber(tag.Value("WIDTH")), 0, MaxImageSide);
  int64_t hAttr = Clamp64(ReadNumber(tag.Value("HEIGHT")), 0, MaxImageSide);
  bool top = tag.Has("\"TOP"), middle = tag.Has("\"MIDDLE"), wrap = tag.Has("WRAP");
  if (paint && S.ImageCounter == FHitImage && tag.Has("ALT")) src = AnsiUpperCase(tag.Value("ALT", true));
  std::string upper = AnsiUpperCase(src);
  int dpiX = GetDeviceCaps(C->Handle(), LOGPIXELSX), dpiY = GetDeviceCaps(C->Handle(), LOGPIXELSY);
  if (dpiX <= 0) dpiX = DefaultPixelsPerInch;
  if (dpiY <= 0) dpiY = DefaultPixelsPerInch;
  int x = work.Left, y = lineRect.Top;
  int w = 0, h = 0;
  auto scaled = [&](int v) { return int(std::lround(v * Q.ScaleFactor)); };
  if (upper.compare(0, 4, "IDX:") == 0 && Q.Images) {
    int64_t n = ReadNumber(src, 4);
    if (n >= 0 && n < Q.Images->Count()) {
      int iw = Q.Images->Width(), ih = Q.Images->Height();
      if (Q.ScaleImages) {
        w = scaled(iw);
        h = scaled(ih);
        if (paint) {
          TBitmap b;
          Q.Images->GetBitmap(int(n), &b);
          StretchBitmapTo(C, TRect(x, y, x + w, y + h), &b);
        }
      } else {
        w = MulDiv(iw, dpiX, DefaultPixelsPerInch);
        h = MulDiv(ih, dpiY, DefaultPixelsPerInch);
        if (paint) Q.Images->Draw(C, x, y, int(n));
      }
    }
  }
  if (upper.compare(0, 5, "SSYS:") == 0 || upper.compare(0, 5, "LSYS:") == 0) {
    int size = 0;
    DrawShellIcon(C, x, y, size, Q.ScaleFactor, Q.ScaleImages, paint, upper[0] == 'L', src.substr(5));
    w = Q.ScaleImages ? scaled(size) : MulDiv(size, dpiX, DefaultPixelsPerInch);
    h = Q.ScaleImages ? scaled(size) : MulDiv(size, dpiY, DefaultPixelsPerInch);
  }
  THintPicture* picture = FindPicture(src);
  if (picture && !picture->Empty()) {
    if (wAttr > 0 && hAttr > 0) {
      w = MulDiv(int(wAttr), dpiX, DefaultPixelsPerInch);
      h = MulDiv(int(hAttr), dpiY, DefaultPixelsPerInch);
      if (paint) {
        picture->SetStretch(true);
        C->StretchDraw(TRect(x, y, x + int(wAttr), y + int(hAttr)), picture);
      }
    } else {
      w = MulDiv(picture->DisplayWidth(), dpiX, DefaultPixelsPerInch);
      h = MulDiv(picture->DisplayHeight(), dpiY, DefaultPixelsPerInch);
      if (paint) {
        picture->SetStretch(false);
        C->Draw(x + picture->FrameX(), y + picture->FrameY(), picture);
      }
    }
  }
  if (FLayout && out.Width + w > lineRect.Width() && w < lineRect.Width()) return true;
  if (Q.HitX > x && Q.HitX < x + w && Q.HitY > y && Q.HitY < y + h && S.InAnchor) {
    R.AnchorValue = S.AnchorValue;
    out.ImageHit = true;
    FHitImage = S.ImageCounter;
  }
  out.Width += w;
  work.Left += w;
  out.Height = std::max(out.Height, h);
  int gh = TextHeightGh();
  if (top) {
    out.Raise = out.Height - gh;
  } else if (middle && out.Height >= gh) {
    out.Raise = (out.Height - gh) / 2;
  }
  if (wrap) {
    out.Height = gh;
    out.Raise = 0;
  }
  return false;
}

bool TMarkupRenderer::ApplyTag(bool paint, TPassState& S, const TTag& tag, const TRect& lineRect, TRect& work,
                               TLineOut& out, bool& ended, bool& itemOnLine) {
  TFont* f = C->Font();
  auto style = [&](TFontStyle s, bool on) {
    TFontStyles st = f->Style();
    if (on)
      st.Include(s);
    else
      st.Exclude(s);
    f->SetStyle(st);
  };
  switch (IdentifyTag(tag)) {
    case tgNone: break;
    case tgAnchor: {
      int before = S.AnchorCounter;
      ++S.AnchorCounter;
      S.InAnchor = true;
      S.AnchorValue = tag.QuotedAt(0, true);
      S.AnchorStartWidth = out.Width;
      S.AnchorOnThisLine = true;
      FAnchorNumber = S.AnchorCounter;
      bool hover = Q.HoverOnlyActive && S.AnchorCounter == Q.HoverAnchor;
      S.AnchorStyled = !Q.HoverOnlyActive || hover;
      if (paint && S.AnchorStyled) {
        style(fsUnderline, true);
        if (Q.HoverBackColor != clNone) {
          SaveBrush(FAnchorBrush);
          C->Brush()->SetColor(Q.HoverBackColor);
        }
        if (Q.HoverFontColor != clNone) {
          FAnchorFont = f->Color();
          f->SetColor(Q.HoverFontColor);
        }
      }
      if (paint && !Q.Selected && !(hover && Q.HoverFontColor != clNone)) f->SetColor(Q.URLColor);
      if (paint && before == Q.FocusAnchor) {
        FInFocus = true;
        FFocusLeft = work.Left;
      }
      break;
    }
    case tgAnchorEnd: {
      if (paint && S.AnchorStyled) {
        style(fsUnderline, false);
        if (Q.HoverBackColor != clNone) RestoreBrush(FAnchorBrush);
        if (Q.HoverFontColor != clNone) f->SetColor(FAnchorFont);
      }
      if (paint && !Q.Selected) f->SetColor(FBase->Color());
      if (FAnchorPending && S.InAnchor) {
        int left = S.AnchorOnThisLine ? lineRect.Left + S.AnchorStartWidth : lineRect.Left;
        R.AnchorRect = TRect(left, lineRect.Top, lineRect.Left + out.Width, lineRect.Bottom);
        R.HitAnchorIndex = S.AnchorCounter;
        FAnchorPending = false;
      }
      if (paint && FInFocus) {
        int bottom = work.Bottom - out.Raise;
        DrawFocus(TRect(FFocusLeft - 1, bottom - TextHeightGh(), work.Left + 1, bottom));
        FInFocus = false;
      }
      S.InAnchor = false;
      S.AnchorStyled = false;
      break;
    }
    case tgBold: style(fsBold, true); break;
    case tgBoldEnd: style(fsBold, false); break;
    case tgBlink:
      if (!Q.BlinkOn) f->SetColor(FOrigBrush);
      break;
    case tgColorEnd: f->SetColor(FBase->Color()); break;
    case tgBody: {
      if (!paint || Q.Selected) break;
      std::string bg = tag.Value("BACKGROUND");
      if (!bg.empty()) {
        THintPicture* p = FindPicture(bg);
        int pw = p && !p->Empty() ? p->Width() : 0, ph = p && !p->Empty() ? p->Height() : 0;
        // A picture without area would tile forever.
        if (pw > 0 && ph > 0) {
          HDC dc = C->Handle();
          int saved = SaveDC(dc);
          IntersectClipRect(dc, Q.Rect.Left, Q.Rect.Top, Q.Rect.Right, Q.Rect.Bottom);
          for (int y = Q.Rect.Top; y < Q.Rect.Bottom; y += ph)
            for (int x = Q.Rect.Left; x < Q.Rect.Right; x += pw) C->Draw(x, y, p);
          RestoreDC(dc, saved);
        }
      }
      if (tag.Has("BGCOLOR")) {
        TColor from = ColorValue(tag.Value("BGCOLOR"), clNone);
        if (tag.Has("BGCOLORTO")) {
          TColor to = ColorValue(tag.Value("BGCOLORTO"), clNone);
          std::string dir = tag.Value("DIR");
          FillGradientRect(C, from, to, dir.empty() || dir == "H", Q.Rect, GradientSteps);
          C->Brush()->SetStyle(bsClear);
        } else {
          SaveBrush(FFontBgSlot);
          C->Pen()->SetColor(from);
          C->Brush()->SetColor(from);
          C->FillRect(TRect(Q.Rect.Left - 2, Q.Rect.Top, Q.Rect.Right, Q.Rect.Bottom));
        }
      }
      break;
    }
    case tgBreak:
      if (FLayout) R.StrippedText += '\r';
      ended = true;
      break;
    case tgError:
      if (paint) S.ErrorMark = true;
      break;
    case tgErrorEnd:
      if (paint) S.ErrorMark = false;
      break;
    case tgFont: {
      if (tag.Has("FACE")) f->SetName(tag.Value("FACE", true));
      if (!Q.Selected && tag.Has(" COLOR")) f->SetColor(ColorValue(tag.Value(" COLOR"), f->Color()));
      if (paint && !Q.Selected && tag.Has("BGCOLOR")) {
        SaveBrush(FFontBgSlot);
        C->Brush()->SetColor(ColorValue(tag.Value("BGCOLOR"), C->Brush()->Color()));
      }
      size_t at = tag.Find("SIZE");
      if (at != std::string::npos) {
        size_t eq = tag.Upper.find('=', at);
        if (eq != std::string::npos) {
          size_t i = eq + 1;
          while (i < tag.Upper.size() && tag.Upper[i] == ' ') ++i;
          if (i < tag.Upper.size() && tag.Upper[i] == '"') ++i;
          int64_t n = ReadNumber(tag.Upper, i);
          static const int sizes[] = {8, 10, 12, 14, 16};
          int pt = n >= 1 && n <= 5 ? sizes[n - 1] : int(Clamp64(n, MinFontPoints, MaxFontPoints));
          f->SetSize(pt);
        }
      }
      break;
    }
    case tgFontEnd:
      f->SetName(FBase->Name());
      f->SetHeight(FBase->Height());
      if (paint && !Q.Selected) {
        f->SetColor(FBase->Color());
        RestoreBrush(FFontBgSlot);
      }
      break;
    case tgHighlight:
      if (paint) {
        FHiFont = f->Color();
        SaveBrush(FHiBrush);
        C->Brush()->SetColor(clHighlight);
        f->SetColor(clHighlightText);
      }
      break;
    case tgHighlightEnd:
      if (paint) {
        f->SetColor(FHiFont);
        RestoreBrush(FHiBrush);
      }
      break;
    case tgRule:
      if (paint) {
        TColor pen = C->Pen()->Color();
        C->Pen()->SetColor(clBlack);
        C->MoveTo(lineRect.Left, lineRect.Bottom + 1);
        C->LineTo(lineRect.Right, lineRect.Bottom + 1);
        C->Pen()->SetColor(pen);
      }
      ended = true;
      break;
    case tgItalic: style(fsItalic, true); break;
    case tgItalicEnd: style(fsItalic, false); break;
    case tgIndent: {
      std::string v = tag.LetterValue('X');
      if (DigitsOnly(v)) {
        int x = int(Clamp64(ReadNumber(v), 0, MaxCoordinate));
        if (x > out.Width) {
          out.Width = x;
          work.Left = Q.Rect.Left + x;
        }
      }
      break;
    }
    case tgImage: return Image(paint, S, tag, lineRect, work, out);
    case tgItem: {
      if (itemOnLine && FLayout) return true;
      itemOnLine = true;
      int bx = work.Left + ListIndent * (S.ListLevel - 1);
      out.Width += ListIndent * S.ListLevel;
      if (paint && !S.Hidden) {
        TFont saved;
        saved.Assign(f);
        f->SetName("Symbol");
        f->SetCharset(SYMBOL_CHARSET);
        std::string bullet = S.ListLevel % 2 == 1 ? "\xB7" : "o";
        TRect r(bx, work.Top, work.Right, work.Bottom);
        DrawText(C->Handle(), bullet.data(), 1, &r, DT_SINGLELINE | DT_TOP | DT_LEFT | DT_NOPREFIX);
        f->Assign(&saved);
      }
      work.Left = bx + ListIndent;
      break;
    }
    case tgItemEnd: ended = true; break;
    case tgOffset: {
      int x = int(Clamp64(ReadNumber(tag.LetterValue('X')), -MaxCoordinate, MaxCoordinate));
      work.Left = x;
      out.Width = x;
      if (paint) FNewOffset = x;
      break;
    }
    case tgOffsetEnd:
      if (paint) FNewOffset = 0;
      break;
    case tgPara: {
      if (FLayout) {
        std::string align = tag.Value("ALIGN");
        if (align.find("RIGHT") != std::string::npos) FAlign = 1;
        if (align.find("LEFT") != std::string::npos) FAlign = 0;
        if (align.find("CENTER") != std::string::npos) FAlign = 2;
        if (tag.Has("INDENT")) FIndent = int(Clamp64(ReadNumber(tag.Value("INDENT")), -MaxCoordinate, MaxCoordinate));
      }
      if (paint && tag.Has("BGCOLOR")) {
        TColor from = ColorValue(tag.Value("BGCOLOR"), clNone);
        if (tag.Has("BGCOLORTO")) {
          TColor to = ColorValue(tag.Value("BGCOLORTO"), clNone);
          FillGradientRect(C, from, to, true, TRect(Q.Rect.Left, lineRect.Top, Q.Rect.Right, lineRect.Bottom + 2),
                           GradientSteps);
          C->Brush()->SetStyle(bsClear);
        } else {
          SaveBrush(FParaBrush);
          C->Brush()->SetColor(from);
          C->FillRect(TRect(Q.Rect.Left, lineRect.Top, Q.Rect.Right, lineRect.Bottom));
          FParaBg = true;
        }
      }
      break;
    }
    case tgParaEnd:
      if (paint) {
        RestoreBrush(FParaBrush);
        FParaBg = false;
      }
      ended = true;
      break;
    case tgRotate: {
      int64_t a = ReadNumber(tag.LetterValue('A')) % 360;
      S.Rotations.push_back(int(a));
      break;
    }
    case tgRotateEnd:
      if (!S.Rotations.empty()) S.Rotations.pop_back();
      break;
    case tgStrike: style(fsStrikeOut, true); break;
    case tgStrikeEnd: style(fsStrikeOut, false); break;
    case tgShadow: S.Shadow = true; break;
    case tgShadowEnd: S.Shadow = false; break;
    case tgSub: S.Sub = true; break;
    case tgSup: S.Sup = true; break;
    case tgSubSupEnd: S.Sub = S.Sup = false; break;
    case tgUnderline: style(fsUnderline, true); break;
    case tgUnderlineEnd: style(fsUnderline, false); break;
    case tgList:
      ++S.ListLevel;
      ended = true;
      break;
    case tgListEnd:
      if (S.ListLevel > 0)
        --S.ListLevel;
      else
        style(fsUnderline, false);
      break;
    case tgHidden: S.Hidden = true; break;
    case tgHiddenEnd: S.Hidden = false; break;
  }
  return false;
}

}  // namespace

bool RenderMarkup(const TMarkupRequest& request, TMarkupResult& result) {
  TMarkupRenderer r(request, result);
  return r.Run();
}

bool RenderHtmlText(TCanvas* canvas, const std::string& text, const TRect& rect, TImageList* images, int hitX, int hitY,
                    int focusAnchor, int hoverAnchor, int shadowOffset, bool checkHotSpot, bool measureOnly,
                    bool scaleImages, bool selected, bool blinkOn, bool hoverOnlyActive, bool wordWrap,
                    double scaleFactor, TColor urlColor, TColor hoverBackColor, TColor hoverFontColor,
                    TColor shadowColor, std::string& anchorValue, std::string& strippedText,
                    std::string& focusAnchorValue, int& xSize, int& ySize, int& anchorCount, int& hitAnchorIndex,
                    TRect& anchorRect, THintPictureCache* pictureCache, TPictureStore* pictureStore, int lineSpacing) {
  TMarkupRequest q;
  q.Canvas = canvas;
  q.Text = text;
  q.Rect = rect;
  q.Images = images;
  q.HitX = hitX;
  q.HitY = hitY;
  q.FocusAnchor = focusAnchor;
  q.HoverAnchor = hoverAnchor;
  q.ShadowOffset = shadowOffset;
  q.CheckHotSpot = checkHotSpot;
  q.MeasureOnly = measureOnly;
  q.ScaleImages = scaleImages;
  q.Selected = selected;
  q.BlinkOn = blinkOn;
  q.HoverOnlyActive = hoverOnlyActive;
  q.WordWrap = wordWrap;
  q.ScaleFactor = scaleFactor;
  q.URLColor = urlColor;
  q.HoverBackColor = hoverBackColor;
  q.HoverFontColor = hoverFontColor;
  q.ShadowColor = shadowColor;
  q.PictureCache = pictureCache;
  q.PictureStore = pictureStore;
  q.LineSpacing = lineSpacing;
  TMarkupResult r;
  bool hit = RenderMarkup(q, r);
  anchorValue = r.AnchorValue;
  strippedText = r.StrippedText;
  focusAnchorValue = r.FocusAnchorValue;
  xSize = r.XSize;
  ySize = r.YSize;
  anchorCount = r.AnchorCount;
  hitAnchorIndex = r.HitAnchorIndex;
  anchorRect = r.AnchorRect;
  return hit;
}
