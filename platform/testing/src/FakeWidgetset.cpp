// The recording widget set for tests without Qt.
#include "platform/testing/FakeWidgetset.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/testing/RecordingWebBrowser.h"

// ---------------------------------------------------------------------------
// glyph memory

namespace {
bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
}  // namespace

void TFakeGlyphMap::Put(const TFakeGlyph& g) {
  Erase(g.Cell);
  FMaxHeight = std::max(FMaxHeight, g.Cell.Height());
  FRows[g.Cell.Top].push_back(g);
}

void TFakeGlyphMap::Erase(const TRect& r) {
  if (IsRectEmpty(r) || FRows.empty()) return;
  auto it = FRows.lower_bound(r.Top - FMaxHeight);
  while (it != FRows.end() && it->first < r.Bottom) {
    auto& row = it->second;
    row.erase(std::remove_if(row.begin(), row.end(), [&](const TFakeGlyph& g) { return Overlap(g.Cell, r); }),
              row.end());
    it = row.empty() ? FRows.erase(it) : std::next(it);
  }
}

std::vector<TFakeGlyph> TFakeGlyphMap::All() const {
  std::vector<TFakeGlyph> all;
  for (const auto& kv : FRows) all.insert(all.end(), kv.second.begin(), kv.second.end());
  return all;
}

void TFakeGlyphMap::Scroll(int dx, int dy, const TRect& area, const TRect& clip) {
  TRect src;
  if (!IntersectRect(src, area, clip)) return;
  std::vector<TFakeGlyph> moving;
  for (auto it = FRows.begin(); it != FRows.end();) {
    auto& row = it->second;
    for (auto g = row.begin(); g != row.end();) {
      if (g->Cell.Left >= src.Left && g->Cell.Top >= src.Top && g->Cell.Left < src.Right && g->Cell.Top < src.Bottom) {
        moving.push_back(*g);
        g = row.erase(g);
      } else {
        ++g;
      }
    }
    it = row.empty() ? FRows.erase(it) : std::next(it);
  }
  TRect dst = src;
  OffsetRect(dst, dx, dy);
  TRect dstClip;
  if (IntersectRect(dstClip, dst, clip)) Erase(dstClip);
  for (TFakeGlyph g : moving) {
    OffsetRect(g.Cell, dx, dy);
    if (g.Cell.Left >= clip.Left && g.Cell.Top >= clip.Top && g.Cell.Left < clip.Right && g.Cell.Top < clip.Bottom)
      FRows[g.Cell.Top].push_back(g);
  }
}

const TFakeGlyph* TFakeGlyphMap::At(int x, int y) const {
  auto it = FRows.upper_bound(y);
  while (it != FRows.begin()) {
    --it;
    if (it->first <= y - FMaxHeight) break;
    for (auto g = it->second.rbegin(); g != it->second.rend(); ++g)
      if (PtInRect(g->Cell, TPoint(x, y))) return &*g;
  }
  return nullptr;
}

std::string TFakeGlyphMap::Row(int y, int x0, int x1) const {
  auto it = FRows.find(y);
  if (it == FRows.end()) return std::string();
  std::vector<const TFakeGlyph*> row;
  for (const TFakeGlyph& g : it->second)
    if (g.Cell.Left >= x0 && g.Cell.Left < x1) row.push_back(&g);
  std::sort(row.begin(), row.end(),
            [](const TFakeGlyph* a, const TFakeGlyph* b) { return a->Cell.Left < b->Cell.Left; });
  std::string s;
  for (const TFakeGlyph* g : row) s += g->Ch;
  return s;
}

// ---------------------------------------------------------------------------
// FakeDC

FakeDC::FakeDC(FakeWidgetset& ws, TKind kind, TGdiBitmap* surface, HWND wnd, TFakeGlyphMap* glyphs)
    : TRasterDC(kind, surface), FWs(ws), FWnd(wnd), FGlyphs(glyphs) {
  if (!FGlyphs) {
    FOwnGlyphs = std::make_unique<TFakeGlyphMap>();
    FGlyphs = FOwnGlyphs.get();
  }
}

FakeDC::~FakeDC() = default;

TFakeDrawCall& FakeDC::Record(TFakeDrawCall::TKind kind) {
  TFakeDrawCall c;
  c.Kind = kind;
  c.Window = FWnd;
  c.MemoryDC = Kind() == TKind::Memory;
  if (Font()) c.Font = Font()->LogFont();
  c.TextColor = TextColor();
  c.BkColor = BkColor();
  c.BkMode = BkMode();
  c.CharExtra = CharExtra();
  c.PenColor = Pen() ? Pen()->Color() : 0;
  c.BrushColor = Brush() ? ColorToRGB(Brush()->Color()) : 0;
  c.BrushStyle = Brush() ? Brush()->Style() : 0;
  c.Offset = Offset();
  c.Clip = EffectiveClip();
  FWs.Calls.push_back(std::move(c));
  return FWs.Calls.back();
}

bool FakeDC::ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int count, const int* dx) {
  TFakeDrawCall& c = Record(TFakeDrawCall::ExtTextOut);
  c.X = x;
  c.Y = y;
  c.Options = options;
  if (rect) {
    c.Rect = *rect;
    c.DeviceRect = ToDevice(*rect);
    c.HasRect = true;
  }
  if (text && count > 0) c.Text.assign(text, size_t(count));
  if (dx && count > 0) c.Dx.assign(dx, dx + count);
  return TRasterDC::ExtTextOut(x, y, options, rect, text, count, dx);
}

int FakeDC::FillRect(const TRect& r, HBRUSH brush) {
  TFakeDrawCall& c = Record(TFakeDrawCall::FillRect);
  c.Rect = r;
  c.DeviceRect = ToDevice(r);
  c.HasRect = true;
  if (brush) {
    c.Color = ColorToRGB(brush->Color());
    c.BrushStyle = brush->Style();
  }
  return TRasterDC::FillRect(r, brush);
}

int FakeDC::FrameRect(const TRect& r, HBRUSH brush) {
  TFakeDrawCall& c = Record(TFakeDrawCall::FrameRect);
  c.Rect = r;
  c.DeviceRect = ToDevice(r);
  c.HasRect = true;
  if (brush) c.Color = ColorToRGB(brush->Color());
  return TRasterDC::FrameRect(r, brush);
}

bool FakeDC::InvertRect(const TRect& r) {
  TFakeDrawCall& c = Record(TFakeDrawCall::InvertRect);
  c.Rect = r;
  c.DeviceRect = ToDevice(r);
  c.HasRect = true;
  return TRasterDC::InvertRect(r);
}

bool FakeDC::DrawFocusRect(const TRect& r) {
  TFakeDrawCall& c = Record(TFakeDrawCall::DrawFocusRect);
  c.Rect = r;
  c.DeviceRect = ToDevice(r);
  c.HasRect = true;
  return TRasterDC::DrawFocusRect(r);
}

bool FakeDC::PatBlt(int x, int y, int w, int h, DWORD rop) {
  TFakeDrawCall& c = Record(TFakeDrawCall::PatBlt);
  c.Rect = TRect(x, y, x + w, y + h);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  c.Options = rop;
  return TRasterDC::PatBlt(x, y, w, h, rop);
}

bool FakeDC::Rectangle(int left, int top, int right, int bottom) {
  TFakeDrawCall& c = Record(TFakeDrawCall::Rectangle);
  c.Rect = TRect(left, top, right, bottom);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  return TRasterDC::Rectangle(left, top, right, bottom);
}

bool FakeDC::RoundRect(int left, int top, int right, int bottom, int w, int h) {
  TFakeDrawCall& c = Record(TFakeDrawCall::RoundRect);
  c.Rect = TRect(left, top, right, bottom);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  c.Points = {TPoint(w, h)};
  return TRasterDC::RoundRect(left, top, right, bottom, w, h);
}

bool FakeDC::Ellipse(int left, int top, int right, int bottom) {
  TFakeDrawCall& c = Record(TFakeDrawCall::Ellipse);
  c.Rect = TRect(left, top, right, bottom);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  return TRasterDC::Ellipse(left, top, right, bottom);
}

bool FakeDC::LineTo(int x, int y) {
  TFakeDrawCall& c = Record(TFakeDrawCall::LineTo);
  c.Points = {CurrentPos(), TPoint(x, y)};
  c.X = x;
  c.Y = y;
  return TRasterDC::LineTo(x, y);
}

bool FakeDC::Polyline(const TPoint* pts, int count) {
  TFakeDrawCall& c = Record(TFakeDrawCall::Polyline);
  if (pts && count > 0) c.Points.assign(pts, pts + count);
  return TRasterDC::Polyline(pts, count);
}

bool FakeDC::Polygon(const TPoint* pts, int count) {
  TFakeDrawCall& c = Record(TFakeDrawCall::Polygon);
  if (pts && count > 0) c.Points.assign(pts, pts + count);
  return TRasterDC::Polygon(pts, count);
}

COLORREF FakeDC::SetPixel(int x, int y, COLORREF color) {
  TFakeDrawCall& c = Record(TFakeDrawCall::SetPixel);
  c.X = x;
  c.Y = y;
  c.Color = color;
  return TRasterDC::SetPixel(x, y, color);
}

bool FakeDC::StretchBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh, DWORD rop) {
  TFakeDrawCall& c = Record(TFakeDrawCall::StretchBlt);
  c.Rect = TRect(x, y, x + w, y + h);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  c.Options = rop;
  c.Points = {TPoint(sx, sy), TPoint(sw, sh)};
  bool r = TRasterDC::StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop);
  // Text drawn on the source travels with an unscaled copy.
  auto* fs = dynamic_cast<FakeDC*>(src);
  if (fs && w == sw && h == sh && rop == SRCCOPY) {
    TRect d = ToDevice(TRect(x, y, x + w, y + h));
    TRect s = fs->ToDevice(TRect(sx, sy, sx + sw, sy + sh));
    std::vector<TRect> clip = RegionOps::Intersect(EffectiveClip(), {d});
    for (const TRect& cr : clip) FGlyphs->Erase(cr);
    for (TFakeGlyph g : fs->FGlyphs->All()) {
      if (g.Cell.Left < s.Left || g.Cell.Top < s.Top || g.Cell.Left >= s.Right || g.Cell.Top >= s.Bottom) continue;
      OffsetRect(g.Cell, d.Left - s.Left, d.Top - s.Top);
      if (RegionOps::Contains(clip, g.Cell.TopLeft())) FGlyphs->Put(g);
    }
  }
  return r;
}

bool FakeDC::TransparentBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh,
                            COLORREF transparent) {
  TFakeDrawCall& c = Record(TFakeDrawCall::TransparentBlt);
  c.Rect = TRect(x, y, x + w, y + h);
  c.DeviceRect = ToDevice(c.Rect);
  c.HasRect = true;
  c.Color = transparent;
  c.Points = {TPoint(sx, sy), TPoint(sw, sh)};
  return TRasterDC::TransparentBlt(x, y, w, h, src, sx, sy, sw, sh, transparent);
}

bool FakeDC::ScrollSurface(int dx, int dy, const TRect& area, const TRect& clip) {
  TGdiBitmap* s = Surface();
  if (!s) return false;
  TFakeDrawCall& c = Record(TFakeDrawCall::Scroll);
  c.Rect = area;
  c.DeviceRect = area;
  c.HasRect = true;
  c.Points = {TPoint(dx, dy)};
  TRect src;
  if (!IntersectRect(src, area, clip)) return true;
  std::vector<uint32_t> copy(size_t(src.Width()) * size_t(src.Height()));
  for (int y = src.Top; y < src.Bottom; ++y)
    if (y >= 0 && y < s->Height())
      for (int x = src.Left; x < src.Right; ++x)
        if (x >= 0 && x < s->Width())
          copy[size_t(y - src.Top) * src.Width() + size_t(x - src.Left)] = s->ScanLine(y)[x];
  for (int y = src.Top; y < src.Bottom; ++y)
    for (int x = src.Left; x < src.Right; ++x) {
      int tx = x + dx, ty = y + dy;
      if (tx < clip.Left || tx >= clip.Right || ty < clip.Top || ty >= clip.Bottom) continue;
      if (tx < 0 || ty < 0 || tx >= s->Width() || ty >= s->Height()) continue;
      s->ScanLine(ty)[tx] = copy[size_t(y - src.Top) * src.Width() + size_t(x - src.Left)];
    }
  s->Touch();
  FGlyphs->Scroll(dx, dy, area, clip);
  return true;
}

void FakeDC::DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) {
  TEXTMETRIC tm;
  GetTextMetrics(tm);
  const std::vector<TRect>& eff = EffectiveClip();
  int cx = x;
  for (int i = 0; i < count; ++i) {
    TFakeGlyph g;
    g.Ch = text[i];
    g.Cell = TRect(cx, y, cx + std::max(1, dx[i]), y + tm.tmHeight);
    g.Font = Font()->LogFont();
    g.TextColor = TextColor();
    g.BkColor = BkColor();
    g.Opaque = BkMode() == OPAQUE;
    cx += dx[i];
    TRect vis = g.Cell;
    if (clip && !IntersectRect(vis, vis, *clip)) continue;
    if (RegionOps::Intersect(eff, {vis}).empty()) continue;
    FGlyphs->Put(g);
  }
}

void FakeDC::DevSolidFill(const TRect& r, COLORREF c) {
  for (const TRect& cr : RegionOps::Intersect(EffectiveClip(), {r})) FGlyphs->Erase(cr);
  TRasterDC::DevSolidFill(r, c);
}

void FakeDC::BitmapSelected() {
  TRasterDC::BitmapSelected();
  if (FOwnGlyphs) FOwnGlyphs->Clear();
}

// ---------------------------------------------------------------------------
// FakePeer

FakePeer::FakePeer(FakeWidgetset& ws, TWinControl* control, const TCreateParams& params)
    : TWindowPeer(ws, control, params), FFake(ws) {}

FakePeer::~FakePeer() = default;

HDC FakePeer::CreateWindowDC() { return new FakeDC(FFake, TDeviceContext::TKind::Window, Surface(), this, &FGlyphs); }

COLORREF FakePeer::Pixel(int x, int y) { return Surface()->Pixel(x, y); }

bool FakePeer::HasFocus() const { return FFake.Focus() == this; }

int FakePeer::Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, std::vector<TRect>* uncovered,
                     UINT flags) {
  TRect client = ClientRect();
  TRect area = client, c = client;
  if (scroll && !IntersectRect(area, *scroll, client)) area = TRect();
  if (clip && !IntersectRect(c, *clip, client)) c = TRect();
  int r = TWindowPeer::Scroll(dx, dy, scroll, clip, uncovered, flags);
  FGlyphs.Scroll(dx, dy, area, c);
  TFakeDrawCall call;
  call.Kind = TFakeDrawCall::Scroll;
  call.Window = this;
  call.Rect = area;
  call.DeviceRect = area;
  call.HasRect = true;
  call.Points = {TPoint(dx, dy)};
  FFake.AddCall(call);
  return r;
}

// ---------------------------------------------------------------------------
// FakeWidgetset

FakeWidgetset::FakeWidgetset() = default;

FakeWidgetset::~FakeWidgetset() = default;

void FakeWidgetset::SetFontMetrics(const std::string& face, const TFontConfig& config) { FFonts[face] = config; }

const FakeWidgetset::TFontConfig& FakeWidgetset::ConfigFor(const LOGFONT& lf) const {
  std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  auto it = FFonts.find(face);
  if (it != FFonts.end()) return it->second;
  FDefaultConfig.CharWidth = CharWidth;
  FDefaultConfig.CharHeight = CharHeight;
  FDefaultConfig.Ascent = Ascent;
  return FDefaultConfig;
}

HFONT FakeWidgetset::CreateFont(const LOGFONT& lf) { return new TGdiFont(lf); }

bool FakeWidgetset::FontMetrics(HFONT font, TEXTMETRIC& tm) {
  if (!font) return false;
  const LOGFONT& lf = font->LogFont();
  const TFontConfig& c = ConfigFor(lf);
  bool bold = lf.lfWeight >= FW_BOLD;
  int w = c.CharWidth + (bold ? c.BoldExtra : 0);
  tm = TEXTMETRIC();
  tm.tmHeight = c.CharHeight;
  tm.tmAscent = c.Ascent;
  tm.tmDescent = c.CharHeight - c.Ascent;
  tm.tmAveCharWidth = w;
  int maxW = w;
  for (auto& kv : c.Widths) maxW = std::max(maxW, kv.second);
  tm.tmMaxCharWidth = maxW;
  tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm.tmOverhang = c.Overhang;
  tm.tmItalic = lf.lfItalic;
  tm.tmUnderlined = lf.lfUnderline;
  tm.tmStruckOut = lf.lfStrikeOut;
  tm.tmPitchAndFamily = uint8_t((c.Widths.empty() ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE);
  tm.tmCharSet = lf.lfCharSet;
  return true;
}

bool FakeWidgetset::FontCharABC(HFONT font, UINT ch, ABC& abc) {
  if (!font) return false;
  const TFontConfig& c = ConfigFor(font->LogFont());
  if (FABCFails || c.ABCFails) return false;
  abc.abcA = 0;
  abc.abcB = UINT(FontCharWidth(font, ch));
  abc.abcC = 0;
  return true;
}

int FakeWidgetset::FontCharWidth(HFONT font, UINT ch) {
  if (!font) return CharWidth;
  const LOGFONT& lf = font->LogFont();
  const TFontConfig& c = ConfigFor(lf);
  int extra = lf.lfWeight >= FW_BOLD ? c.BoldExtra : 0;
  if (ch < 256) {
    auto it = c.Widths.find(static_cast<unsigned char>(ch));
    if (it != c.Widths.end()) return it->second + extra;
  }
  return c.CharWidth + extra;
}

DWORD FakeWidgetset::FontLanguageInfo(HFONT font) {
  if (font && ConfigFor(font->LogFont()).Dbcs) return GCP_DBCS;
  return IWidgetset::FontLanguageInfo(font);
}

std::vector<const TFakeDrawCall*> FakeWidgetset::CallsOf(TFakeDrawCall::TKind kind, HWND wnd) const {
  std::vector<const TFakeDrawCall*> r;
  for (const TFakeDrawCall& c : Calls)
    if (c.Kind == kind && (!wnd || c.Window == wnd)) r.push_back(&c);
  return r;
}

const TFakeGlyph* FakeWidgetset::TextAt(HWND wnd, int x, int y) {
  auto* p = dynamic_cast<FakePeer*>(wnd);
  if (!p || !IsWindow(wnd)) return nullptr;
  return p->Glyphs().At(x, y);
}

std::string FakeWidgetset::RowText(HWND wnd, int y, int x0, int x1) {
  auto* p = dynamic_cast<FakePeer*>(wnd);
  if (!p || !IsWindow(wnd)) return std::string();
  return p->Glyphs().Row(y, x0, x1);
}

COLORREF FakeWidgetset::PixelAt(HWND wnd, int x, int y) {
  auto* p = dynamic_cast<FakePeer*>(wnd);
  if (!p || !IsWindow(wnd)) return CLR_INVALID;
  return p->Pixel(x, y);
}

uintptr_t FakeWidgetset::SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) {
  if (ms < 10) ms = 10;
  if (wnd) {
    for (TFakeTimer& t : FTimers)
      if (t.Wnd == wnd && t.Id == id) {
        t.Interval = ms;
        t.Proc = proc;
        t.Due = FNow + ms;
        return id ? id : 1;
      }
    FTimers.push_back(TFakeTimer{wnd, id, ms, proc, FNow + ms});
    return id ? id : 1;
  }
  if (id) {
    for (TFakeTimer& t : FTimers)
      if (!t.Wnd && t.Id == id) {
        t.Interval = ms;
        t.Proc = proc;
        t.Due = FNow + ms;
        return id;
      }
  }
  uintptr_t nid = FNextTimerId++;
  FTimers.push_back(TFakeTimer{nullptr, nid, ms, proc, FNow + ms});
  return nid;
}

bool FakeWidgetset::KillTimer(HWND wnd, uintptr_t id) {
  auto it =
      std::find_if(FTimers.begin(), FTimers.end(), [&](const TFakeTimer& t) { return t.Wnd == wnd && t.Id == id; });
  if (it == FTimers.end()) return false;
  FTimers.erase(it);
  return true;
}

bool FakeWidgetset::TimerActive(HWND wnd, uintptr_t id) const {
  return std::any_of(FTimers.begin(), FTimers.end(), [&](const TFakeTimer& t) { return t.Wnd == wnd && t.Id == id; });
}

UINT FakeWidgetset::TimerInterval(HWND wnd, uintptr_t id) const {
  for (const TFakeTimer& t : FTimers)
    if (t.Wnd == wnd && t.Id == id) return t.Interval;
  return 0;
}

void FakeWidgetset::Advance(DWORD ms) {
  DWORD target = FNow + ms;
  for (;;) {
    int best = -1;
    for (size_t i = 0; i < FTimers.size(); ++i)
      if (FTimers[i].Due <= target && (best < 0 || FTimers[i].Due < FTimers[size_t(best)].Due)) best = int(i);
    if (best < 0) break;
    TFakeTimer& t = FTimers[size_t(best)];
    FNow = std::max(FNow, t.Due);
    t.Due += t.Interval;
    HWND wnd = t.Wnd;
    uintptr_t id = t.Id;
    TIMERPROC proc = t.Proc;
    if (proc)
      proc(wnd, WM_TIMER, id, FNow);
    else if (wnd && IsWindow(wnd))
      wnd->Send(WM_TIMER, id, 0);
    ProcessMessages();
  }
  FNow = target;
  ProcessMessages();
}

void FakeWidgetset::ProcessMessages() {
  for (int round = 0; round < 100; ++round) {
    int n = DeliverPosted();
    PaintPending();
    if (n == 0 && FPosted.empty()) break;
  }
  FreeDeviceContexts();
}

HWND FakeWidgetset::Target(HWND wnd) const { return wnd ? wnd : Focus(); }

bool FakeWidgetset::KeyDown(uint16_t vk, HWND wnd, int repeat) {
  HWND t = Target(wnd);
  bool wasDown = (KeyboardState()[vk & 0xFF] & 0x80) != 0;
  SetKeyDown(vk, true);
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetKeyDown(VK_SHIFT, true);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) SetKeyDown(VK_CONTROL, true);
  if (vk == VK_LMENU || vk == VK_RMENU) SetKeyDown(VK_MENU, true);
  if (!t || !IsWindow(t)) return false;
  LPARAM data = LPARAM(repeat & 0xFFFF);
  if (KeyState(VK_MENU) < 0) data |= KF_ALTDOWN_BIT;
  if (wasDown) data |= KF_REPEAT_BIT;
  return t->InputKeyDown(vk, data);
}

void FakeWidgetset::KeyUp(uint16_t vk, HWND wnd) {
  HWND t = Target(wnd);
  SetKeyDown(vk, false);
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetKeyDown(VK_SHIFT, false);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) SetKeyDown(VK_CONTROL, false);
  if (vk == VK_LMENU || vk == VK_RMENU) SetKeyDown(VK_MENU, false);
  if (!t || !IsWindow(t)) return;
  LPARAM data = 1 | KF_REPEAT_BIT | LPARAM(int32_t(KF_UP_BIT));
  if (KeyState(VK_MENU) < 0) data |= KF_ALTDOWN_BIT;
  t->InputKeyUp(vk, data);
}

void FakeWidgetset::Char(char ch, HWND wnd) {
  HWND t = Target(wnd);
  if (!t || !IsWindow(t)) return;
  LPARAM data = 1;
  if (KeyState(VK_MENU) < 0) data |= KF_ALTDOWN_BIT;
  t->InputChar(static_cast<unsigned char>(ch), data);
}

namespace {
uint16_t VkOfChar(char c, bool& shift) {
  shift = false;
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return uint16_t(u - 'a' + 'A');
  if (u >= 'A' && u <= 'Z') {
    shift = true;
    return u;
  }
  if (u >= '0' && u <= '9') return u;
  switch (u) {
    case ' ': return VK_SPACE;
    case '\r': return VK_RETURN;
    case '\t': return VK_TAB;
    case '\b': return VK_BACK;
    case 27: return VK_ESCAPE;
    case ',': return VK_OEM_COMMA;
    case '.': return VK_OEM_PERIOD;
    case '-': return VK_OEM_MINUS;
    case '=': return VK_OEM_PLUS;
    case ';': return VK_OEM_1;
    case '/': return VK_OEM_2;
    case '`': return VK_OEM_3;
    case '[': return VK_OEM_4;
    case '\\': return VK_OEM_5;
    case ']': return VK_OEM_6;
    case '\'': return VK_OEM_7;
    default: return 0;
  }
}
}  // namespace

void FakeWidgetset::Type(const std::string& text, HWND wnd) {
  for (char c : text) {
    bool shift = false;
    uint16_t vk = VkOfChar(c, shift);
    bool shiftWasDown = KeyState(VK_SHIFT) < 0;
    if (shift && !shiftWasDown) KeyDown(VK_SHIFT, wnd);
    bool chars = vk ? KeyDown(vk, wnd) : true;
    if (chars) Char(c, wnd);
    if (vk) KeyUp(vk, wnd);
    if (shift && !shiftWasDown) KeyUp(VK_SHIFT, wnd);
  }
}

void FakeWidgetset::KeyStroke(std::initializer_list<uint16_t> modifiers, uint16_t vk, HWND wnd) {
  for (uint16_t m : modifiers) KeyDown(m, wnd);
  KeyDown(vk, wnd);
  KeyUp(vk, wnd);
  std::vector<uint16_t> rev(modifiers);
  for (auto it = rev.rbegin(); it != rev.rend(); ++it) KeyUp(*it, wnd);
}

namespace {
WPARAM MouseKeys(IWidgetset& ws) {
  WPARAM k = 0;
  if (ws.KeyState(VK_LBUTTON) < 0) k |= MK_LBUTTON;
  if (ws.KeyState(VK_RBUTTON) < 0) k |= MK_RBUTTON;
  if (ws.KeyState(VK_MBUTTON) < 0) k |= MK_MBUTTON;
  if (ws.KeyState(VK_SHIFT) < 0) k |= MK_SHIFT;
  if (ws.KeyState(VK_CONTROL) < 0) k |= MK_CONTROL;
  return k;
}
int ButtonVk(TMouseButton b) { return b == mbLeft ? VK_LBUTTON : b == mbRight ? VK_RBUTTON : VK_MBUTTON; }
}  // namespace

void FakeWidgetset::MouseDown(HWND wnd, TMouseButton button, int x, int y, WPARAM extraKeys, bool dbl) {
  if (!wnd || !IsWindow(wnd)) return;
  FCursorPos = wnd->ClientToScreen(TPoint(x, y));
  SetKeyDown(ButtonVk(button), true);
  UINT msg = button == mbLeft    ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN)
             : button == mbRight ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN)
                                 : (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN);
  wnd->InputMouse(msg, MouseKeys(*this) | extraKeys, x, y);
}

void FakeWidgetset::MouseUp(HWND wnd, TMouseButton button, int x, int y, WPARAM extraKeys) {
  if (!wnd || !IsWindow(wnd)) return;
  FCursorPos = wnd->ClientToScreen(TPoint(x, y));
  SetKeyDown(ButtonVk(button), false);
  UINT msg = button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
  wnd->InputMouse(msg, MouseKeys(*this) | extraKeys, x, y);
}

void FakeWidgetset::MouseMove(HWND wnd, int x, int y, WPARAM keys) {
  if (!wnd || !IsWindow(wnd)) return;
  FCursorPos = wnd->ClientToScreen(TPoint(x, y));
  wnd->InputMouse(WM_MOUSEMOVE, MouseKeys(*this) | keys, x, y);
}

void FakeWidgetset::MouseLeave(HWND wnd) {
  if (wnd && IsWindow(wnd)) wnd->Send(WM_MOUSELEAVE, 0, 0);
}

void FakeWidgetset::Wheel(HWND wnd, int delta, int x, int y, WPARAM keys) {
  if (!wnd || !IsWindow(wnd)) return;
  TPoint s = wnd->ClientToScreen(TPoint(x, y));
  FCursorPos = s;
  wnd->InputWheel(delta, MouseKeys(*this) | keys, s.X, s.Y);
}

void FakeWidgetset::QueueWheel(HWND wnd, int delta, int x, int y, WPARAM keys) {
  if (!wnd || !IsWindow(wnd)) return;
  TPoint s = wnd->ClientToScreen(TPoint(x, y));
  FCursorPos = s;
  wnd->QueueWheel(delta, MouseKeys(*this) | keys, s.X, s.Y);
}

void FakeWidgetset::ImeCommit(HWND wnd, const std::string& text) {
  HWND t = Target(wnd);
  if (t && IsWindow(t)) t->InputImeCommit(text);
}

void FakeWidgetset::DropFiles(HWND wnd, const std::vector<std::string>& files, int x, int y) {
  if (wnd && IsWindow(wnd)) wnd->InputDropFiles(files, x, y);
}

void FakeWidgetset::ScrollBarAction(HWND wnd, int bar, int code, int pos) {
  if (wnd && IsWindow(wnd)) wnd->InputScroll(bar, code, pos);
}

void FakeWidgetset::Resize(HWND wnd, int width, int height) {
  if (!wnd || !IsWindow(wnd)) return;
  TRect b = wnd->Bounds();
  wnd->SetBounds(TRect(b.Left, b.Top, b.Left + width, b.Top + height));
}

std::vector<UINT> FakeWidgetset::ClipboardFormats() {
  std::vector<UINT> r;
  for (auto& kv : FClipboardData) r.push_back(kv.first);
  return r;
}

bool FakeWidgetset::ClipboardGet(UINT format, std::string& bytes) {
  auto it = FClipboardData.find(format);
  if (it == FClipboardData.end()) return false;
  bytes = it->second;
  return true;
}

void FakeWidgetset::ClipboardSet(const std::vector<std::pair<UINT, std::string>>& data) {
  FClipboardData.clear();
  for (auto& d : data) FClipboardData[d.first] = d.second;
}

TWindowPeer* FakeWidgetset::CreateDefaultPeer(TWinControl* control, const TCreateParams& params) {
  return new FakePeer(*this, control, params);
}

HDC FakeWidgetset::CreateScreenDC() {
  return new FakeDC(*this, TDeviceContext::TKind::Screen, nullptr, nullptr, nullptr);
}

HDC FakeWidgetset::NewMemoryDC() { return new FakeDC(*this, TDeviceContext::TKind::Memory, nullptr, nullptr, nullptr); }

void FakeWidgetset::WindowDestroyed(HWND wnd) {
  FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(), [wnd](const TFakeTimer& t) { return t.Wnd == wnd; }),
                FTimers.end());
}

// ---------------------------------------------------------------------------

TFakeWidgetsetScope::TFakeWidgetsetScope()
    : FWs(std::make_unique<FakeWidgetset>()),
      FPrevious(WidgetsetInstalled() ? &Widgetset() : nullptr),
      FPreviousBrowserFactory(WebBrowserEngineFactory()) {
  SetWidgetset(FWs.get());
  SetWebBrowserEngineFactory([](TWebBrowser* browser) -> std::unique_ptr<IWebBrowserEngine> {
    return std::make_unique<TRecordingWebBrowserEngine>(browser);
  });
}

TFakeWidgetsetScope::~TFakeWidgetsetScope() {
  FreeDeviceContexts();
  FWs.reset();
  SetWidgetset(FPrevious);
  SetWebBrowserEngineFactory(FPreviousBrowserFactory);
}
