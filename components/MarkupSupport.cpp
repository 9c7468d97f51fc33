// The renderer's supporting routines: colours, text helpers, entities,
// gradients, rotated fonts, shell icons, stretched bitmaps.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "MarkupHints.h"
#include "platform/CodePage.h"
#include "platform/ShellIcons.h"
#include "platform/SysUtils.h"

namespace {

struct TNamedColor {
  const char* Name;
  TColor Value;
};
const TNamedColor NamedColors[] = {
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
};

// The first-round entities in the order each round tries them.
struct TEntity {
  const char* Name;
  const char* Value;
};
const TEntity TextEntities[] = {
    {"&amp;", "&&"},    {"&quot;", "\""},   {"&sect;", "\xA7"},  {"&permil;", "\x89"}, {"&reg;", "\xAE"},
    {"&copy;", "\xA9"}, {"&para;", "\xB6"}, {"&trade;", "\x99"}, {"&euro;", "\x88"},
};
const TEntity RunEntities[] = {{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&#124;", "|"}};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// Entity names are ASCII, so ASCII case folding is enough.
bool MatchNoCase(const std::string& s, size_t at, const char* name) {
  size_t n = std::strlen(name);
  if (s.size() - at < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (LowerAscii(s[at + i]) != name[i]) return false;
  return true;
}

}  // namespace

TColor ColorFromName(const std::string& name) {
  for (const TNamedColor& c : NamedColors)
    if (name == c.Name) return c.Value;
  return 0;
}

TColor ColorFromHex(const std::string& v) {
  if (v.size() != 7 || v[0] != '#') return 0;
  int d[6];
  for (int i = 0; i < 6; ++i)
    if ((d[i] = HexDigit(v[size_t(i) + 1])) < 0) return 0;
  int r = d[0] * 16 + d[1], g = d[2] * 16 + d[3], b = d[4] * 16 + d[5];
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

size_t PosNoCase(const std::string& sub, const std::string& s) {
  size_t p = AnsiUpperCase(s).find(AnsiUpperCase(sub));
  return p == std::string::npos ? 0 : p + 1;
}

bool ReplaceFirstNoCase(std::string& s, const std::string& from, const std::string& to) {
  size_t p = PosNoCase(from, s);
  if (!p) return false;
  s.replace(p - 1, from.size(), to);
  return true;
}

std::string LineBreaksToBR(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\n') continue;
    if (c == '\r')
      out += "<BR>";
    else
      out += c;
  }
  return out;
}

std::string UnwrapHashTag(const std::string& s) {
  size_t p = s.find("<#");
  if (p == std::string::npos) return s;
  std::string out = s;
  out.erase(p, 1);
  size_t q = out.find('>', p);
  if (q != std::string::npos) out.erase(q, 1);
  return out;
}

// Rounds of "the first occurrence of each entity" until none is left reach
// the one text where no entity remains: entities never overlap, and only
// the second ampersand of "&amp;" can start a new one. So one left-to-right
// pass gives the same text, with that ampersand scanned again.
std::string ReplaceMarkupEntities(const std::string& s) {
  if (s.find('&') == std::string::npos) return s;
  std::string work = s;
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < work.size()) {
    if (work[i] != '&') {
      out += work[i++];
      continue;
    }
    const TEntity* hit = nullptr;
    for (const TEntity& e : TextEntities)
      if (MatchNoCase(work, i, e.Name)) {
        hit = &e;
        break;
      }
    if (!hit) {
      out += work[i++];
      continue;
    }
    size_t len = std::strlen(hit->Name);
    if (hit == &TextEntities[0]) {
      // "&&": the first goes out, the second takes the place of the ";"
      // and is looked at again.
      out += '&';
      i += len - 1;
      work[i] = '&';
      continue;
    }
    out += hit->Value;
    i += len;
  }
  return out;
}

std::string ReplaceRunEntities(const std::string& run) {
  if (run.find('&') == std::string::npos) return run;
  std::string out;
  out.reserve(run.size());
  for (size_t i = 0; i < run.size();) {
    const TEntity* hit = nullptr;
    if (run[i] == '&')
      for (const TEntity& e : RunEntities)
        if (run.compare(i, std::strlen(e.Name), e.Name) == 0) {
          hit = &e;
          break;
        }
    if (hit) {
      out += hit->Value;
      i += std::strlen(hit->Name);
    } else {
      out += run[i++];
    }
  }
  return out;
}

std::string EscapeHintText(const std::string& s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    switch (c) {
      // The empty hidden span keeps "&&" from joining the text after it
      // into an entity.
      case '&': out += "&&<Z></Z>"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '|': out += "&#124;"; break;
      case '\r':
      case '\n': out += ' '; break;
      default: out += c;
    }
  }
  return out;
}

void FillColorBands(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps,
                    bool lastIsEnd) {
  if (steps <= 0) steps = 1;
  TColor a = ColorToRGB(from), b = ColorToRGB(to);
  int extent = horizontal ? r.Width() : r.Height();
  double band = double(extent) / steps;
  // With lastIsEnd one band is the start colour (no division by 0).
  int divisor = lastIsEnd ? steps - 1 : steps;
  auto channel = [&](int shift, int i) {
    int s = int((a >> shift) & 0xFF), e = int((b >> shift) & 0xFF);
    return divisor == 0 ? s : s + int(std::lround(double(i) * (e - s) / divisor));
  };
  for (int i = 0; i < steps; ++i) {
    TColor c = TColor(channel(0, i)) | (TColor(channel(8, i)) << 8) | (TColor(channel(16, i)) << 16);
    canvas->Pen()->SetColor(c);
    canvas->Brush()->SetColor(c);
    int start = int(std::lround(i * band));
    int len = int(band) + 1;
    TRect piece = horizontal ? TRect(r.Left + start, r.Top, std::min(r.Right, r.Left + start + len), r.Bottom)
                             : TRect(r.Left, r.Top + start, r.Right, std::min(r.Bottom, r.Top + start + len));
    if (piece.Left < piece.Right && piece.Top < piece.Bottom) canvas->FillRect(piece);
  }
}

void FillGradientRect(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps,
                      TColor border) {
  FillColorBands(canvas, from, to, horizontal, r, steps, false);
  if (border != clNone) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(border);
    canvas->Rectangle(r);
  }
}

HFONT SelectRotatedFont(TCanvas* canvas, int angle, HFONT& previous) {
  LOGFONT lf = canvas->Font()->MakeLogFont();
  lf.lfEscapement = angle * 10;
  lf.lfOrientation = angle * 10;
  HFONT rotated = CreateFontIndirect(&lf);
  previous = HFONT(::SelectObject(canvas->Handle(), rotated));
  return rotated;
}

void RestoreRotatedFont(TCanvas* canvas, HFONT rotated, HFONT previous) {
  ::SelectObject(canvas->Handle(), previous);
  DeleteObject(rotated);
}

void DrawShellIcon(TCanvas* canvas, int x, int y, int& size, double scale, bool scaled, bool draw, bool large,
                   const std::string& name) {
  IShellIconBackend& shell = ShellIconBackend();
  bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
  int index = number ? StrToIntDef(name.substr(0, 9), -1) : shell.IconIndex(name);
  size = large ? ShellLargeIconSize : ShellSmallIconSize;
  if (!draw) return;
  TIcon icon;
  if (!shell.IconImage(index, large, icon)) return;
  if (!scaled) {
    canvas->Draw(x, y, &icon);
    return;
  }
  TBitmap b(size, size);
  b.Canvas()->Brush()->SetColor(ColorToRGB(canvas->Brush()->Color()));
  b.Canvas()->FillRect(TRect(0, 0, size, size));
  b.Canvas()->Draw(0, 0, &icon);
  StretchBitmapTo(canvas, TRect(x, y, x + int(std::lround(size * scale)), y + int(std::lround(size * scale))), &b);
}

void StretchBitmapTo(TCanvas* canvas, const TRect& r, TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty() || r.Width() <= 0 || r.Height() <= 0) return;
  TCopyMode mode = canvas->CopyMode();
  canvas->SetCopyMode(cmSrcCopy);
  canvas->CopyRect(r, bitmap->Canvas(), TRect(0, 0, bitmap->Width(), bitmap->Height()));
  canvas->SetCopyMode(mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
