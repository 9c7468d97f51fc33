// GDI objects, regions, the device-context state and the API functions.
#include "platform/Gdi.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>

#include <sys/mman.h>

#include "platform/Widgetset.h"

// ---------------------------------------------------------------------------
// objects

namespace {
int gLiveObjects = 0;
constexpr int kHuge = 1 << 26;
const TRect kHugeRect(-kHuge, -kHuge, kHuge, kHuge);

// A pixel buffer filled with one word. Large ones are asked for in huge
// pages before the first touch: faulting a 48 MB photo in page by page
// costs more than decoding it.
std::vector<uint32_t> PixelBuffer(size_t count, uint32_t fill) {
  std::vector<uint32_t> bits;
  bits.reserve(count);
  constexpr size_t kPage = 4096, kLarge = 4u << 20;
  const size_t bytes = count * sizeof(uint32_t);
  if (bytes >= kLarge) {
    const uintptr_t begin = reinterpret_cast<uintptr_t>(bits.data());
    const uintptr_t start = (begin + kPage - 1) & ~uintptr_t(kPage - 1);
    const uintptr_t end = (begin + bytes) & ~uintptr_t(kPage - 1);
    // Only advice: without huge pages the buffer is as good.
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  }
  bits.assign(count, fill);
  return bits;
}
}  // namespace

TGdiObject::TGdiObject(TGdiObjectKind kind) : FKind(kind) { ++gLiveObjects; }
TGdiObject::~TGdiObject() { --gLiveObjects; }
int TGdiObject::LiveCount() { return gLiveObjects; }

void TGdiObject::ReleaseSelection() {
  if (FSelections > 0) --FSelections;
  if (FSelections == 0 && FDeleted) delete this;
}

bool TGdiObject::Delete() {
  if (FStock) return false;
  if (FSelections > 0) {
    FDeleted = true;
    return true;
  }
  delete this;
  return true;
}

void SetLogFontFaceName(LOGFONT& lf, const std::string& name) {
  std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
  size_t n = std::min<size_t>(name.size(), LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, name.data(), n);
}

bool IsDbcsCharset(int charset) {
  return charset == SHIFTJIS_CHARSET || charset == HANGUL_CHARSET || charset == JOHAB_CHARSET ||
         charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET;
}

TGdiFont::TGdiFont(const LOGFONT& lf) : TGdiObject(TGdiObjectKind::Font), FLogFont(lf) {}
TGdiFont::~TGdiFont() = default;

TGdiBrush::TGdiBrush(const LOGBRUSH& lb, HBITMAP pattern) : TGdiObject(TGdiObjectKind::Brush), FLogBrush(lb) {
  if (pattern) {
    FPattern = std::make_unique<TGdiBitmap>(pattern->Width(), pattern->Height(), pattern->BitsPerPixel());
    FPattern->CopyFrom(*pattern);
    FLogBrush.lbStyle = BS_PATTERN;
  }
}
TGdiBrush::~TGdiBrush() = default;

TGdiPen::TGdiPen(UINT style, int width, COLORREF color)
    : TGdiObject(TGdiObjectKind::Pen), FStyle(style), FWidth(width < 1 ? 1 : width), FColor(color & 0xFFFFFF) {}
TGdiPen::~TGdiPen() = default;

TGdiBitmap::TGdiBitmap(int width, int height, int bitsPerPixel)
    : TGdiObject(TGdiObjectKind::Bitmap),
      FWidth(std::max(0, width)),
      FHeight(std::max(0, height)),
      FBitsPerPixel(bitsPerPixel == 1 ? 1 : 32),
      FBits(PixelBuffer(size_t(FWidth) * size_t(FHeight), 0xFF000000u)) {}
TGdiBitmap::~TGdiBitmap() = default;

void TGdiBitmap::Resize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == FWidth && height == FHeight) return;
  std::vector<uint32_t> bits = PixelBuffer(size_t(width) * size_t(height), 0xFFFFFFFFu);
  int w = std::min(width, FWidth), h = std::min(height, FHeight);
  for (int y = 0; y < h; ++y)
    std::copy(FBits.begin() + size_t(y) * FWidth, FBits.begin() + size_t(y) * FWidth + w,
              bits.begin() + size_t(y) * width);
  FBits.swap(bits);
  FWidth = width;
  FHeight = height;
  Touch();
}

COLORREF TGdiBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return CLR_INVALID;
  return PixelToColor(FBits[size_t(y) * FWidth + x]);
}

void TGdiBitmap::SetPixel(int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  uint32_t p = ColorToPixel(c);
  if (Monochrome()) {
    int lum = GetRValue(c) + GetGValue(c) + GetBValue(c);
    p = lum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
  }
  FBits[size_t(y) * FWidth + x] = p;
  Touch();
}

void TGdiBitmap::CopyFrom(const TGdiBitmap& other) {
  if (&other == this) return;
  FWidth = other.FWidth;
  FHeight = other.FHeight;
  FBitsPerPixel = other.FBitsPerPixel;
  if (FBits.capacity() < other.FBits.size()) FBits = PixelBuffer(other.FBits.size(), 0);
  FBits.assign(other.FBits.begin(), other.FBits.end());
  Touch();
}

// ---------------------------------------------------------------------------
// regions

TGdiRegion::TGdiRegion(const TRect& r) : TGdiObject(TGdiObjectKind::Region) {
  if (!IsRectEmpty(r)) Rects.push_back(r);
}

TRect TGdiRegion::Box() const { return RegionOps::Bounds(Rects); }

namespace RegionOps {

std::vector<TRect> Intersect(const std::vector<TRect>& a, const std::vector<TRect>& b) {
  std::vector<TRect> out;
  for (const TRect& x : a)
    for (const TRect& y : b) {
      TRect r;
      if (IntersectRect(r, x, y)) out.push_back(r);
    }
  return out;
}

static void SubtractOne(const TRect& a, const TRect& b, std::vector<TRect>& out) {
  TRect i;
  if (!IntersectRect(i, a, b)) {
    out.push_back(a);
    return;
  }
  if (a.Top < i.Top) out.push_back(TRect(a.Left, a.Top, a.Right, i.Top));
  if (i.Bottom < a.Bottom) out.push_back(TRect(a.Left, i.Bottom, a.Right, a.Bottom));
  if (a.Left < i.Left) out.push_back(TRect(a.Left, i.Top, i.Left, i.Bottom));
  if (i.Right < a.Right) out.push_back(TRect(i.Right, i.Top, a.Right, i.Bottom));
}

std::vector<TRect> Subtract(const std::vector<TRect>& a, const std::vector<TRect>& b) {
  std::vector<TRect> cur = a;
  for (const TRect& y : b) {
    std::vector<TRect> next;
    for (const TRect& x : cur) SubtractOne(x, y, next);
    cur.swap(next);
  }
  return cur;
}

std::vector<TRect> Union(const std::vector<TRect>& a, const std::vector<TRect>& b) {
  std::vector<TRect> out = a;
  std::vector<TRect> extra = Subtract(b, a);
  out.insert(out.end(), extra.begin(), extra.end());
  // Merge rectangles that line up exactly (keeps lists short for the
  // usual invalidation patterns).
  bool merged = true;
  while (merged && out.size() > 1) {
    merged = false;
    for (size_t i = 0; i < out.size() && !merged; ++i)
      for (size_t j = i + 1; j < out.size() && !merged; ++j) {
        TRect& p = out[i];
        const TRect& q = out[j];
        if (p.Left == q.Left && p.Right == q.Right && (p.Bottom == q.Top || q.Bottom == p.Top)) {
          p = TRect(p.Left, std::min(p.Top, q.Top), p.Right, std::max(p.Bottom, q.Bottom));
          merged = true;
        } else if (p.Top == q.Top && p.Bottom == q.Bottom && (p.Right == q.Left || q.Right == p.Left)) {
          p = TRect(std::min(p.Left, q.Left), p.Top, std::max(p.Right, q.Right), p.Bottom);
          merged = true;
        }
        if (merged) out.erase(out.begin() + long(j));
      }
  }
  return out;
}

std::vector<TRect> Xor(const std::vector<TRect>& a, const std::vector<TRect>& b) {
  std::vector<TRect> out = Subtract(a, b);
  std::vector<TRect> other = Subtract(b, a);
  out.insert(out.end(), other.begin(), other.end());
  return out;
}

TRect Bounds(const std::vector<TRect>& rects) {
  TRect r;
  for (const TRect& x : rects) UnionRect(r, r, x);
  return r;
}

bool Contains(const std::vector<TRect>& rects, const TPoint& p) {
  for (const TRect& r : rects)
    if (PtInRect(r, p)) return true;
  return false;
}

void Offset(std::vector<TRect>& rects, int dx, int dy) {
  for (TRect& r : rects) OffsetRect(r, dx, dy);
}

}  // namespace RegionOps

static int Complexity(const std::vector<TRect>& r) {
  return r.empty() ? NULLREGION : r.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---------------------------------------------------------------------------
// the device context

TDeviceContext::TDeviceContext(TKind kind) : FKind(kind) {
  IWidgetset& ws = Widgetset();
  FState.Font = static_cast<HFONT>(ws.StockObject(SYSTEM_FONT));
  FState.Pen = static_cast<HPEN>(ws.StockObject(BLACK_PEN));
  FState.Brush = static_cast<HBRUSH>(ws.StockObject(WHITE_BRUSH));
  FState.Font->AddSelection();
  FState.Pen->AddSelection();
  FState.Brush->AddSelection();
}

TDeviceContext::~TDeviceContext() {
  for (const TState& s : FSaved) ReleaseState(s);
  FSaved.clear();
  if (FState.Bitmap && FState.Bitmap->SelectedInto() == this) FState.Bitmap->SetSelectedInto(nullptr);
  ReleaseState(FState);
}

void TDeviceContext::ReleaseObject(HGDIOBJ obj) {
  if (obj) obj->ReleaseSelection();
}

void TDeviceContext::RetainState(const TState& s) {
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(s.Font), static_cast<HGDIOBJ>(s.Pen), static_cast<HGDIOBJ>(s.Brush),
                    static_cast<HGDIOBJ>(s.Bitmap)})
    if (o) o->AddSelection();
}

void TDeviceContext::ReleaseState(const TState& s) {
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(s.Font), static_cast<HGDIOBJ>(s.Pen), static_cast<HGDIOBJ>(s.Brush),
                    static_cast<HGDIOBJ>(s.Bitmap)})
    if (o) o->ReleaseSelection();
}

void TDeviceContext::ReplaceSelection(HGDIOBJ& slot, HGDIOBJ obj) {
  obj->AddSelection();
  HGDIOBJ old = slot;
  slot = obj;
  if (old) old->ReleaseSelection();
}

HGDIOBJ TDeviceContext::SelectObject(HGDIOBJ obj) {
  if (!obj || obj->DeletePending()) return nullptr;
  HGDIOBJ old = nullptr;
  switch (obj->Kind()) {
    case TGdiObjectKind::Font: {
      old = FState.Font;
      HGDIOBJ slot = FState.Font;
      ReplaceSelection(slot, obj);
      FState.Font = static_cast<HFONT>(slot);
      break;
    }
    case TGdiObjectKind::Pen: {
      old = FState.Pen;
      HGDIOBJ slot = FState.Pen;
      ReplaceSelection(slot, obj);
      FState.Pen = static_cast<HPEN>(slot);
      break;
    }
    case TGdiObjectKind::Brush: {
      old = FState.Brush;
      HGDIOBJ slot = FState.Brush;
      ReplaceSelection(slot, obj);
      FState.Brush = static_cast<HBRUSH>(slot);
      break;
    }
    case TGdiObjectKind::Bitmap: {
      if (FKind != TKind::Memory) return nullptr;
      HBITMAP bmp = static_cast<HBITMAP>(obj);
      if (!bmp->IsStock() && bmp->SelectedInto() && bmp->SelectedInto() != this) return nullptr;
      old = FState.Bitmap;
      if (FState.Bitmap && FState.Bitmap != bmp && FState.Bitmap->SelectedInto() == this)
        FState.Bitmap->SetSelectedInto(nullptr);
      HGDIOBJ slot = FState.Bitmap;
      ReplaceSelection(slot, obj);
      FState.Bitmap = static_cast<HBITMAP>(slot);
      if (!bmp->IsStock()) bmp->SetSelectedInto(this);
      BitmapSelected();
      ResetVisibleRegion();
      break;
    }
    case TGdiObjectKind::Region: {
      int c = SelectClipRgn(static_cast<TGdiRegion*>(obj), RGN_COPY);
      return reinterpret_cast<HGDIOBJ>(intptr_t(c));
    }
  }
  return old;
}

COLORREF TDeviceContext::SetTextColor(COLORREF c) {
  COLORREF o = FState.TextColor;
  FState.TextColor = ColorToRGB(c) & 0xFFFFFF;
  return o;
}
COLORREF TDeviceContext::SetBkColor(COLORREF c) {
  COLORREF o = FState.BkColor;
  FState.BkColor = ColorToRGB(c) & 0xFFFFFF;
  return o;
}
int TDeviceContext::SetBkMode(int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  int o = FState.BkMode;
  FState.BkMode = mode;
  return o;
}
int TDeviceContext::SetCharExtra(int extra) {
  int o = FState.CharExtra;
  FState.CharExtra = extra;
  return o;
}
UINT TDeviceContext::SetTextAlign(UINT align) {
  UINT o = FState.TextAlign;
  FState.TextAlign = align;
  return o;
}
int TDeviceContext::SetRop2(int rop) {
  if (rop < R2_BLACK || rop > R2_WHITE) return 0;
  int o = FState.Rop2;
  FState.Rop2 = rop;
  return o;
}

int TDeviceContext::SaveDC() {
  FSaved.push_back(FState);
  RetainState(FState);
  return int(FSaved.size());
}

bool TDeviceContext::RestoreDC(int level) {
  int depth = int(FSaved.size());
  int target = level < 0 ? depth + level + 1 : level;  // the saved level to go back to
  if (target < 1 || target > depth) return false;
  // Drop the levels above the target.
  while (int(FSaved.size()) > target) {
    ReleaseState(FSaved.back());
    FSaved.pop_back();
  }
  TState s = FSaved.back();
  FSaved.pop_back();
  // s holds its own references; the current state's go.
  HBITMAP oldBitmap = FState.Bitmap;
  ReleaseState(FState);
  FState = s;
  if (FState.Bitmap != oldBitmap) {
    if (oldBitmap && oldBitmap->SelectedInto() == this) oldBitmap->SetSelectedInto(nullptr);
    if (FState.Bitmap) FState.Bitmap->SetSelectedInto(this);
    BitmapSelected();
    ResetVisibleRegion();
  }
  InvalidateClipCache();
  return true;
}

void TDeviceContext::SetVisibleRegion(const std::vector<TRect>& rects) {
  FVisible = rects;
  FVisibleSet = true;
  InvalidateClipCache();
}

void TDeviceContext::ResetVisibleRegion() {
  FVisibleSet = false;
  FVisible.clear();
  InvalidateClipCache();
}

const std::vector<TRect>& TDeviceContext::EffectiveClip() const {
  if (!FClipValid) {
    TSize sz = SurfaceSize();
    std::vector<TRect> vis = FVisibleSet ? FVisible : std::vector<TRect>{TRect(0, 0, sz.cx, sz.cy)};
    vis = RegionOps::Intersect(vis, {TRect(0, 0, sz.cx, sz.cy)});
    FClipCache = FState.HasClip ? RegionOps::Intersect(vis, FState.Clip) : vis;
    FClipValid = true;
  }
  return FClipCache;
}

int TDeviceContext::IntersectClipRect(const TRect& logical) {
  TRect d = ToDevice(logical);
  std::vector<TRect> base = FState.HasClip ? FState.Clip : std::vector<TRect>{kHugeRect};
  FState.Clip = RegionOps::Intersect(base, {d});
  FState.HasClip = true;
  InvalidateClipCache();
  return Complexity(EffectiveClip());
}

int TDeviceContext::ExcludeClipRect(const TRect& logical) {
  TRect d = ToDevice(logical);
  std::vector<TRect> base = FState.HasClip ? FState.Clip : std::vector<TRect>{kHugeRect};
  FState.Clip = IsRectEmpty(d) ? base : RegionOps::Subtract(base, {d});
  FState.HasClip = true;
  InvalidateClipCache();
  return Complexity(EffectiveClip());
}

int TDeviceContext::SelectClipRgn(const TGdiRegion* rgn, int mode) {
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    FState.HasClip = false;
    FState.Clip.clear();
  } else {
    std::vector<TRect> cur = FState.HasClip ? FState.Clip : std::vector<TRect>{kHugeRect};
    switch (mode) {
      case RGN_COPY: cur = rgn->Rects; break;
      case RGN_AND: cur = RegionOps::Intersect(cur, rgn->Rects); break;
      case RGN_OR: cur = RegionOps::Union(cur, rgn->Rects); break;
      case RGN_XOR: cur = RegionOps::Xor(cur, rgn->Rects); break;
      case RGN_DIFF: cur = RegionOps::Subtract(cur, rgn->Rects); break;
      default: return ERROR;
    }
    FState.Clip = cur;
    FState.HasClip = true;
  }
  InvalidateClipCache();
  return Complexity(EffectiveClip());
}

int TDeviceContext::OffsetClipRgn(int dx, int dy) {
  if (FState.HasClip) RegionOps::Offset(FState.Clip, dx, dy);
  InvalidateClipCache();
  return Complexity(EffectiveClip());
}

int TDeviceContext::GetClipBox(TRect& logical) const {
  const std::vector<TRect>& c = EffectiveClip();
  logical = ToLogical(RegionOps::Bounds(c));
  if (c.empty()) logical = TRect();
  return Complexity(c);
}

bool TDeviceContext::PtVisible(int x, int y) const {
  return RegionOps::Contains(EffectiveClip(), ToDevice(TPoint(x, y)));
}

bool TDeviceContext::RectVisible(const TRect& logical) const {
  return !RegionOps::Intersect(EffectiveClip(), {ToDevice(logical)}).empty();
}

int TDeviceContext::DeviceCaps(int index) const {
  TSize s = SurfaceSize();
  switch (index) {
    case HORZRES: return s.cx;
    case VERTRES: return s.cy;
    case BITSPIXEL: return FState.Bitmap && FState.Bitmap->Monochrome() ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return Widgetset().PixelsPerInch();
    default: return 0;
  }
}

bool TDeviceContext::GetTextMetrics(TEXTMETRIC& tm) { return Widgetset().FontMetrics(FState.Font, tm); }

bool TDeviceContext::GetCharABCWidths(UINT first, UINT last, ABC* abc) {
  if (last < first || !abc) return false;
  for (UINT c = first; c <= last; ++c)
    if (!Widgetset().FontCharABC(FState.Font, c, abc[c - first])) return false;
  return true;
}

bool TDeviceContext::GetCharWidths(UINT first, UINT last, int* widths) {
  if (last < first || !widths) return false;
  for (UINT c = first; c <= last; ++c) widths[c - first] = Widgetset().FontCharWidth(FState.Font, c);
  return true;
}

bool TDeviceContext::GetTextExtent(const char* text, int count, TSize& size) {
  TEXTMETRIC tm;
  if (!GetTextMetrics(tm)) return false;
  int w = 0;
  for (int i = 0; i < count; ++i) w += Widgetset().FontCharWidth(FState.Font, static_cast<unsigned char>(text[i]));
  w += count * FState.CharExtra;
  size = TSize(w, tm.tmHeight);
  return true;
}

DWORD TDeviceContext::FontLanguageInfo() { return Widgetset().FontLanguageInfo(FState.Font); }

int TDeviceContext::TextCharset() { return FState.Font ? FState.Font->LogFont().lfCharSet : DEFAULT_CHARSET; }

bool TDeviceContext::ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int count,
                                const int* dx) {
  if (count < 0) return false;
  if (count > 0 && !text) return false;
  TEXTMETRIC tm;
  GetTextMetrics(tm);
  UINT align = FState.TextAlign;
  if (align & TA_UPDATECP) {
    x = FState.Pos.X;
    y = FState.Pos.Y;
  }
  std::vector<int> adv(size_t(count > 0 ? count : 0));
  int total = 0;
  for (int i = 0; i < count; ++i) {
    adv[size_t(i)] =
        dx ? dx[i] : Widgetset().FontCharWidth(FState.Font, static_cast<unsigned char>(text[i])) + FState.CharExtra;
    total += adv[size_t(i)];
  }
  int left = x;
  UINT h = align & (TA_CENTER | TA_RIGHT);
  if (h == TA_CENTER)
    left = x - total / 2;
  else if (h == TA_RIGHT)
    left = x - total;
  int top = y;
  if ((align & TA_BASELINE) == TA_BASELINE)
    top = y - tm.tmAscent;
  else if (align & TA_BOTTOM)
    top = y - tm.tmHeight;
  if (align & TA_UPDATECP) FState.Pos.X = h == TA_RIGHT ? x - total : x + total;

  TPoint dev = ToDevice(TPoint(left, top));
  TRect devRect;
  if (rect) devRect = ToDevice(*rect);
  if ((options & ETO_OPAQUE) && rect) DevSolidFill(devRect, FState.BkColor);
  if (FState.BkMode == OPAQUE && count > 0) {
    TRect cells(dev.X, dev.Y, dev.X + total, dev.Y + tm.tmHeight);
    if ((options & ETO_CLIPPED) && rect) IntersectRect(cells, cells, devRect);
    if (!IsRectEmpty(cells)) DevSolidFill(cells, FState.BkColor);
  }
  if (count > 0)
    DrawGlyphs(dev.X, dev.Y, text, count, adv.data(), (options & ETO_CLIPPED) && rect ? &devRect : nullptr);
  return true;
}

int TDeviceContext::FillRect(const TRect& r, HBRUSH brush) {
  if (!brush) return 0;
  DevFillRect(ToDevice(r), brush, PATCOPY);
  return 1;
}

int TDeviceContext::FrameRect(const TRect& r, HBRUSH brush) {
  if (!brush || IsRectEmpty(r)) return 0;
  TRect d = ToDevice(r);
  DevFillRect(TRect(d.Left, d.Top, d.Right, d.Top + 1), brush, PATCOPY);
  DevFillRect(TRect(d.Left, d.Bottom - 1, d.Right, d.Bottom), brush, PATCOPY);
  DevFillRect(TRect(d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1), brush, PATCOPY);
  DevFillRect(TRect(d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1), brush, PATCOPY);
  return 1;
}

bool TDeviceContext::InvertRect(const TRect& r) {
  DevFillRect(ToDevice(r), FState.Brush, DSTINVERT);
  return true;
}

bool TDeviceContext::DrawFocusRect(const TRect& r) {
  TRect d = ToDevice(r);
  if (IsRectEmpty(d)) return false;
  auto flip = [this](int x, int y) {
    COLORREF c = DevGetPixel(x, y);
    if (c != CLR_INVALID) DevSetPixel(x, y, (~c) & 0xFFFFFF);
  };
  for (int x = d.Left; x < d.Right; ++x) {
    if (((x + d.Top) & 1) == 0) flip(x, d.Top);
    if (d.Bottom - 1 > d.Top && ((x + d.Bottom - 1) & 1) == 0) flip(x, d.Bottom - 1);
  }
  for (int y = d.Top + 1; y < d.Bottom - 1; ++y) {
    if (((d.Left + y) & 1) == 0) flip(d.Left, y);
    if (d.Right - 1 > d.Left && ((d.Right - 1 + y) & 1) == 0) flip(d.Right - 1, y);
  }
  return true;
}

bool TDeviceContext::PatBlt(int x, int y, int w, int h, DWORD rop) {
  TRect r(x, y, x + w, y + h);
  if (w < 0) std::swap(r.Left, r.Right);
  if (h < 0) std::swap(r.Top, r.Bottom);
  DevFillRect(ToDevice(r), FState.Brush, rop);
  return true;
}

bool TDeviceContext::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  TRect d = ToDevice(TRect(left, top, right, bottom));
  bool nullPen = FState.Pen->Style() == PS_NULL;
  if (nullPen) {
    // Without a pen the filled area is one pixel smaller each way.
    TPoint pts[4] = {{d.Left, d.Top}, {d.Right - 1, d.Top}, {d.Right - 1, d.Bottom - 1}, {d.Left, d.Bottom - 1}};
    DevPolygonFill(pts, 4);
    return true;
  }
  int w = FState.Pen->Width();
  if (d.Right - d.Left > 2 && d.Bottom - d.Top > 2) {
    TPoint pts[4] = {
        {d.Left + w, d.Top + w}, {d.Right - w, d.Top + w}, {d.Right - w, d.Bottom - w}, {d.Left + w, d.Bottom - w}};
    DevPolygonFill(pts, 4);
  }
  TPoint outline[5] = {
      {d.Left, d.Top}, {d.Right - 1, d.Top}, {d.Right - 1, d.Bottom - 1}, {d.Left, d.Bottom - 1}, {d.Left, d.Top}};
  DevPolyline(outline, 5, true);
  return true;
}

bool TDeviceContext::RoundRect(int left, int top, int right, int bottom, int w, int h) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  DevRoundRect(ToDevice(TRect(left, top, right, bottom)), w, h);
  return true;
}

bool TDeviceContext::Ellipse(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  DevEllipse(ToDevice(TRect(left, top, right, bottom)));
  return true;
}

bool TDeviceContext::LineTo(int x, int y) {
  TPoint pts[2] = {ToDevice(FState.Pos), ToDevice(TPoint(x, y))};
  DevPolyline(pts, 2, false);
  FState.Pos = TPoint(x, y);
  return true;
}

bool TDeviceContext::Polyline(const TPoint* pts, int count) {
  if (!pts || count < 2) return false;
  std::vector<TPoint> d(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) d[size_t(i)] = ToDevice(pts[i]);
  DevPolyline(d.data(), count, false);
  return true;
}

bool TDeviceContext::Polygon(const TPoint* pts, int count) {
  if (!pts || count < 2) return false;
  std::vector<TPoint> d(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) d[size_t(i)] = ToDevice(pts[i]);
  DevPolygonFill(d.data(), count);
  d.push_back(d.front());
  DevPolyline(d.data(), int(d.size()), true);
  return true;
}

COLORREF TDeviceContext::SetPixel(int x, int y, COLORREF c) {
  TPoint d = ToDevice(TPoint(x, y));
  return DevSetPixel(d.X, d.Y, ColorToRGB(c) & 0xFFFFFF);
}

COLORREF TDeviceContext::GetPixel(int x, int y) {
  TPoint d = ToDevice(TPoint(x, y));
  return DevGetPixel(d.X, d.Y);
}

bool TDeviceContext::StretchBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh,
                                DWORD rop) {
  if (w == 0 || h == 0) return true;
  TRect d = ToDevice(TRect(x, y, x + w, y + h));
  TRect s;
  if (src) s = src->ToDevice(TRect(sx, sy, sx + sw, sy + sh));
  DevBlt(d, src, s, rop, nullptr);
  return true;
}

bool TDeviceContext::TransparentBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh,
                                    COLORREF transparent) {
  if (!src) return false;
  if (w == 0 || h == 0) return true;
  TRect d = ToDevice(TRect(x, y, x + w, y + h));
  TRect s = src->ToDevice(TRect(sx, sy, sx + sw, sy + sh));
  COLORREF t = ColorToRGB(transparent) & 0xFFFFFF;
  DevBlt(d, src, s, SRCCOPY, &t);
  return true;
}

bool TDeviceContext::ScrollSurface(int dx, int dy, const TRect& area, const TRect& clip) { return false; }

// ---------------------------------------------------------------------------
// raster DC

namespace {

uint32_t Rop3(uint8_t code, uint32_t P, uint32_t S, uint32_t D) {
  switch (code) {
    case 0xCC: return S | 0xFF000000u;
    case 0xF0: return P | 0xFF000000u;
    case 0xAA: return D | 0xFF000000u;
    case 0x00: return 0xFF000000u;
    case 0xFF: return 0xFFFFFFFFu;
    case 0x55: return (~D) | 0xFF000000u;
    case 0x66: return (S ^ D) | 0xFF000000u;
    case 0x88: return (S & D) | 0xFF000000u;
    case 0xEE: return (S | D) | 0xFF000000u;
    case 0x5A: return (P ^ D) | 0xFF000000u;
    default: break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if ((code >> i) & 1) r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
  return r | 0xFF000000u;
}

uint32_t ApplyRop2(int code, uint32_t P, uint32_t D) {
  int table = code - 1;
  uint32_t r = 0;
  for (int i = 0; i < 4; ++i)
    if ((table >> i) & 1) r |= ((i & 2) ? P : ~P) & ((i & 1) ? D : ~D);
  return r | 0xFF000000u;
}

uint32_t MonoPixel(uint32_t p) {
  int lum = int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
  return lum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
}

bool HatchBit(int hatch, int x, int y) {
  int px = x & 7, py = y & 7;
  switch (hatch) {
    case HS_HORIZONTAL: return py == 7;
    case HS_VERTICAL: return px == 7;
    case HS_FDIAGONAL: return px == py;
    case HS_BDIAGONAL: return px == 7 - py;
    case HS_CROSS: return px == 7 || py == 7;
    case HS_DIAGCROSS: return px == py || px == 7 - py;
    default: return false;
  }
}

}  // namespace

TRasterDC::TRasterDC(TKind kind, TGdiBitmap* surface) : TDeviceContext(kind), FSurface(surface) {}
TRasterDC::~TRasterDC() = default;

TGdiBitmap* TRasterDC::Surface() const { return FSurface ? FSurface : Bitmap(); }

void TRasterDC::SetSurface(TGdiBitmap* surface) {
  FSurface = surface;
  ResetVisibleRegion();
}

TSize TRasterDC::SurfaceSize() const {
  TGdiBitmap* s = Surface();
  return s ? TSize(s->Width(), s->Height()) : TSize(0, 0);
}

void TRasterDC::BitmapSelected() { InvalidateClipCache(); }

bool TRasterDC::Visible(int x, int y) const {
  TGdiBitmap* s = Surface();
  if (!s || x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return false;
  return RegionOps::Contains(EffectiveClip(), TPoint(x, y));
}

void TRasterDC::DrawGlyphs(int, int, const char*, int, const int*, const TRect*) {}

uint32_t TRasterDC::BrushPixel(HBRUSH brush, int x, int y) const {
  TGdiBitmap* s = Surface();
  bool mono = s && s->Monochrome();
  uint32_t p;
  switch (brush->Style()) {
    case BS_HATCHED:
      p = HatchBit(brush->Hatch(), x - BrushOrg().X, y - BrushOrg().Y) ? ColorToPixel(ColorToRGB(brush->Color()))
                                                                       : ColorToPixel(BkColor());
      break;
    case BS_PATTERN: {
      TGdiBitmap* pat = brush->Pattern();
      if (!pat || pat->Width() == 0 || pat->Height() == 0) {
        p = 0xFFFFFFFFu;
        break;
      }
      int px = ((x - BrushOrg().X) % pat->Width() + pat->Width()) % pat->Width();
      int py = ((y - BrushOrg().Y) % pat->Height() + pat->Height()) % pat->Height();
      p = pat->ScanLine(py)[px];
      if (pat->Monochrome() && !mono) p = (p & 0xFFFFFF) ? ColorToPixel(BkColor()) : ColorToPixel(TextColor());
      break;
    }
    default: p = ColorToPixel(ColorToRGB(brush->Color()) & 0xFFFFFF); break;
  }
  return mono ? MonoPixel(p) : p;
}

void TRasterDC::FillSpan(int y, int x0, int x1, HBRUSH brush, DWORD rop) {
  TGdiBitmap* s = Surface();
  if (!s || !brush || brush->Style() == BS_NULL) return;
  if (y < 0 || y >= s->Height()) return;
  bool hatchTransparent = brush->Style() == BS_HATCHED && BkMode() == TRANSPARENT;
  uint8_t code = uint8_t((rop >> 16) & 0xFF);
  uint32_t* row = s->ScanLine(y);
  for (const TRect& c : EffectiveClip()) {
    if (y < c.Top || y >= c.Bottom) continue;
    int a = std::max(x0, c.Left), b = std::min(x1, c.Right);
    for (int x = a; x < b; ++x) {
      if (hatchTransparent && !HatchBit(brush->Hatch(), x - BrushOrg().X, y - BrushOrg().Y)) continue;
      uint32_t P = BrushPixel(brush, x, y);
      row[x] = code == 0xF0 ? P : Rop3(code, P, 0, row[x]);
      if (s->Monochrome()) row[x] = MonoPixel(row[x]);
    }
  }
}

void TRasterDC::DevFillRect(const TRect& r, HBRUSH brush, DWORD rop) {
  TGdiBitmap* s = Surface();
  if (!s || !brush || IsRectEmpty(r)) return;
  if (brush->Style() == BS_NULL && ((rop >> 16) & 0xFF) == 0xF0) return;
  if (brush->Style() == BS_SOLID && rop == PATCOPY) {
    DevSolidFill(r, brush->Color());
    return;
  }
  HBRUSH b = brush;
  for (int y = std::max(0, r.Top); y < std::min(s->Height(), r.Bottom); ++y) FillSpan(y, r.Left, r.Right, b, rop);
  s->Touch();
}

void TRasterDC::DevSolidFill(const TRect& r, COLORREF c) {
  TGdiBitmap* s = Surface();
  if (!s || IsRectEmpty(r)) return;
  uint32_t p = ColorToPixel(ColorToRGB(c) & 0xFFFFFF);
  if (s->Monochrome()) p = MonoPixel(p);
  for (const TRect& clip : EffectiveClip()) {
    TRect i;
    if (!IntersectRect(i, clip, r)) continue;
    for (int y = i.Top; y < i.Bottom; ++y) std::fill(s->ScanLine(y) + i.Left, s->ScanLine(y) + i.Right, p);
  }
  s->Touch();
}

void TRasterDC::PlotPen(int x, int y, uint32_t penPixel) {
  if (!Visible(x, y)) return;
  TGdiBitmap* s = Surface();
  uint32_t& d = s->ScanLine(y)[x];
  d = ApplyRop2(Rop2(), penPixel, d);
  if (s->Monochrome()) d = MonoPixel(d);
}

void TRasterDC::DevPolyline(const TPoint* pts, int count, bool closed) {
  TGdiBitmap* s = Surface();
  HPEN pen = Pen();
  if (!s || !pen || pen->Style() == PS_NULL || count < 2) return;
  uint32_t penPixel = ColorToPixel(ColorToRGB(pen->Color()) & 0xFFFFFF);
  uint32_t bkPixel = ColorToPixel(BkColor());
  int w = pen->Width();
  static const int kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6}, kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  const int* pattern = nullptr;
  int patLen = 0;
  if (w == 1) switch (pen->Style()) {
      case PS_DASH:
        pattern = kDash;
        patLen = 2;
        break;
      case PS_DOT:
        pattern = kDot;
        patLen = 2;
        break;
      case PS_DASHDOT:
        pattern = kDashDot;
        patLen = 4;
        break;
      case PS_DASHDOTDOT:
        pattern = kDashDotDot;
        patLen = 6;
        break;
      default: break;
    }
  int patIndex = 0, patLeft = pattern ? pattern[0] : 0;
  auto plot = [&](int x, int y) {
    bool on = true;
    if (pattern) {
      on = (patIndex % 2) == 0;
      if (--patLeft == 0) {
        patIndex = (patIndex + 1) % patLen;
        patLeft = pattern[patIndex];
      }
    }
    uint32_t p = on ? penPixel : bkPixel;
    if (!on && BkMode() == TRANSPARENT) return;
    if (w == 1) {
      PlotPen(x, y, p);
    } else {
      int h0 = -(w - 1) / 2;
      for (int dy = 0; dy < w; ++dy)
        for (int dx = 0; dx < w; ++dx) PlotPen(x + h0 + dx, y + h0 + dy, p);
    }
  };
  for (int i = 0; i + 1 < count; ++i) {
    int x0 = pts[i].X, y0 = pts[i].Y, x1 = pts[i + 1].X, y1 = pts[i + 1].Y;
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    // The last point of each segment is not drawn (it starts the next).
    while (!(x0 == x1 && y0 == y1)) {
      plot(x0, y0);
      int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }
  (void)closed;
  s->Touch();
}

void TRasterDC::DevPolygonFill(const TPoint* pts, int count) {
  TGdiBitmap* s = Surface();
  HBRUSH brush = Brush();
  if (!s || !brush || brush->Style() == BS_NULL || count < 3) return;
  int minY = INT_MAX, maxY = INT_MIN;
  for (int i = 0; i < count; ++i) {
    minY = std::min(minY, pts[i].Y);
    maxY = std::max(maxY, pts[i].Y);
  }
  minY = std::max(minY, 0);
  maxY = std::min(maxY, s->Height());
  std::vector<double> xs;
  for (int y = minY; y < maxY; ++y) {
    double cy = y + 0.5;
    xs.clear();
    for (int i = 0; i < count; ++i) {
      const TPoint& a = pts[i];
      const TPoint& b = pts[(i + 1) % count];
      if ((a.Y <= cy && b.Y > cy) || (b.Y <= cy && a.Y > cy))
        xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int x0 = int(std::ceil(xs[i] - 0.5)), x1 = int(std::ceil(xs[i + 1] - 0.5));
      // The shape's fill follows the ROP2 mix mode.
      if (Rop2() == R2_COPYPEN) {
        FillSpan(y, x0, x1, brush, PATCOPY);
      } else {
        for (int x = x0; x < x1; ++x)
          if (Visible(x, y)) PlotPen(x, y, BrushPixel(brush, x, y));
      }
    }
  }
  s->Touch();
}

namespace {
// Pixel-centre rasterisation of a shape given as an inside predicate:
// fills the inside with the brush and draws the boundary with the pen.
template <typename Inside>
void RasterShape(TRasterDC& dc, const TRect& r, Inside inside, HPEN pen, HBRUSH brush,
                 const std::function<void(int, int, uint32_t)>& plotPen,
                 const std::function<void(int, int, int)>& fillSpan) {
  uint32_t penPixel = ColorToPixel(ColorToRGB(pen->Color()) & 0xFFFFFF);
  bool drawPen = pen->Style() != PS_NULL;
  for (int y = r.Top; y < r.Bottom; ++y) {
    int spanStart = INT_MIN;
    for (int x = r.Left; x <= r.Right; ++x) {
      bool in = x < r.Right && inside(x, y);
      bool edge = in && drawPen && (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
      if (in && !edge) {
        if (spanStart == INT_MIN) spanStart = x;
      } else {
        if (spanStart != INT_MIN) {
          fillSpan(y, spanStart, x);
          spanStart = INT_MIN;
        }
        if (edge) plotPen(x, y, penPixel);
      }
    }
  }
  (void)dc;
  (void)brush;
}
}  // namespace

void TRasterDC::DevEllipse(const TRect& r) {
  TGdiBitmap* s = Surface();
  if (!s || IsRectEmpty(r)) return;
  double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
  double rx = (r.Right - r.Left) / 2.0, ry = (r.Bottom - r.Top) / 2.0;
  auto inside = [&](int x, int y) {
    if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) return false;
    double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  HBRUSH brush = Brush();
  RasterShape(
      *this, r, inside, Pen(), brush, [this](int x, int y, uint32_t p) { PlotPen(x, y, p); },
      [this, brush](int y, int x0, int x1) { FillSpan(y, x0, x1, brush, PATCOPY); });
  s->Touch();
}

void TRasterDC::DevRoundRect(const TRect& r, int w, int h) {
  TGdiBitmap* s = Surface();
  if (!s || IsRectEmpty(r)) return;
  double ew = std::min<double>(std::abs(w), r.Width()) / 2.0, eh = std::min<double>(std::abs(h), r.Height()) / 2.0;
  auto inside = [&](int x, int y) {
    if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) return false;
    if (ew <= 0 || eh <= 0) return true;
    double px = x + 0.5, py = y + 0.5;
    double cx = px < r.Left + ew ? r.Left + ew : px > r.Right - ew ? r.Right - ew : px;
    double cy = py < r.Top + eh ? r.Top + eh : py > r.Bottom - eh ? r.Bottom - eh : py;
    double nx = (px - cx) / ew, ny = (py - cy) / eh;
    return nx * nx + ny * ny <= 1.0;
  };
  HBRUSH brush = Brush();
  RasterShape(
      *this, r, inside, Pen(), brush, [this](int x, int y, uint32_t p) { PlotPen(x, y, p); },
      [this, brush](int y, int x0, int x1) { FillSpan(y, x0, x1, brush, PATCOPY); });
  s->Touch();
}

COLORREF TRasterDC::DevSetPixel(int x, int y, COLORREF c) {
  if (!Visible(x, y)) return CLR_INVALID;
  TGdiBitmap* s = Surface();
  uint32_t p = ColorToPixel(c & 0xFFFFFF);
  if (s->Monochrome()) p = MonoPixel(p);
  s->ScanLine(y)[x] = p;
  s->Touch();
  return PixelToColor(p);
}

COLORREF TRasterDC::DevGetPixel(int x, int y) {
  if (!Visible(x, y)) return CLR_INVALID;
  return PixelToColor(Surface()->ScanLine(y)[x]);
}

bool TRasterDC::BlitRows(const TRect& dst, const TGdiBitmap* source, const TRect& srcRect, uint8_t code) {
  // The two blits every paint makes, an unscaled copy from another colour
  // bitmap and a solid pattern fill, go row by row; the same pixels as the
  // general path below.
  TGdiBitmap* d = Surface();
  if (d->Monochrome() || dst.Right <= dst.Left || dst.Bottom <= dst.Top) return false;
  if (code == 0xCC) {
    if (!source || source == d || source->Monochrome()) return false;
    if (srcRect.Width() != dst.Width() || srcRect.Height() != dst.Height()) return false;
    if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > source->Width() || srcRect.Bottom > source->Height())
      return false;
    for (const TRect& clip : EffectiveClip()) {
      TRect i;
      if (!IntersectRect(i, clip, dst)) continue;
      for (int y = i.Top; y < i.Bottom; ++y)
        std::memcpy(d->ScanLine(y) + i.Left,
                    source->ScanLine(srcRect.Top + y - dst.Top) + srcRect.Left + (i.Left - dst.Left),
                    size_t(i.Right - i.Left) * sizeof(uint32_t));
    }
    d->Touch();
    return true;
  }
  if (code == 0xF0) {
    HBRUSH brush = Brush();
    if (!brush || brush->Style() != BS_SOLID) return false;
    TRasterDC::DevSolidFill(dst, brush->Color());
    return true;
  }
  return false;
}

void TRasterDC::DevBlt(const TRect& dst, TDeviceContext* src, const TRect& srcRect, DWORD rop,
                       const COLORREF* transparent) {
  TGdiBitmap* d = Surface();
  if (!d) return;
  uint8_t code = uint8_t((rop >> 16) & 0xFF);
  bool needSource = ((code >> 2) & 0x33) != (code & 0x33);
  TRasterDC* rs = dynamic_cast<TRasterDC*>(src);
  TGdiBitmap* sb = rs ? rs->Surface() : nullptr;
  if (needSource && !sb) return;
  int dw = dst.Right - dst.Left, dh = dst.Bottom - dst.Top;
  int sw = srcRect.Right - srcRect.Left, sh = srcRect.Bottom - srcRect.Top;
  if (dw == 0 || dh == 0) return;
  if (!transparent && BlitRows(dst, sb, srcRect, code)) return;
  // A copy of the source part, so overlapping blits within one surface work.
  std::vector<uint32_t> copy;
  int cw = 0, ch = 0;
  if (needSource) {
    cw = std::abs(sw);
    ch = std::abs(sh);
    if (cw == 0 || ch == 0) return;
    copy.assign(size_t(cw) * size_t(ch), 0xFFFFFFFFu);
    int sx0 = std::min(srcRect.Left, srcRect.Right), sy0 = std::min(srcRect.Top, srcRect.Bottom);
    for (int y = 0; y < ch; ++y) {
      int yy = sy0 + y;
      if (yy < 0 || yy >= sb->Height()) continue;
      for (int x = 0; x < cw; ++x) {
        int xx = sx0 + x;
        if (xx < 0 || xx >= sb->Width()) continue;
        copy[size_t(y) * cw + x] = sb->ScanLine(yy)[xx];
      }
    }
  }
  bool srcMono = sb && sb->Monochrome();
  bool dstMono = d->Monochrome();
  uint32_t fore = ColorToPixel(TextColor()), back = ColorToPixel(BkColor());
  uint32_t srcBk = rs ? ColorToPixel(rs->BkColor()) : 0xFFFFFFFFu;
  uint32_t transPixel = transparent ? ColorToPixel(*transparent) : 0;
  HBRUSH brush = Brush();
  int dl = std::min(dst.Left, dst.Right), dt = std::min(dst.Top, dst.Bottom);
  int adw = std::abs(dw), adh = std::abs(dh);
  TRect area(dl, dt, dl + adw, dt + adh);
  for (const TRect& clip : EffectiveClip()) {
    TRect i;
    if (!IntersectRect(i, clip, area)) continue;
    for (int y = i.Top; y < i.Bottom; ++y) {
      uint32_t* row = d->ScanLine(y);
      int ry = y - dt;
      if (dh < 0) ry = adh - 1 - ry;
      for (int x = i.Left; x < i.Right; ++x) {
        uint32_t S = 0;
        if (needSource) {
          int rx = x - dl;
          if (dw < 0) rx = adw - 1 - rx;
          int cx = int(int64_t(rx) * cw / adw), cy = int(int64_t(ry) * ch / adh);
          if (sw < 0) cx = cw - 1 - cx;
          if (sh < 0) cy = ch - 1 - cy;
          S = copy[size_t(cy) * cw + cx];
          if (transparent && (S & 0xFFFFFF) == (transPixel & 0xFFFFFF)) continue;
          if (srcMono && !dstMono)
            S = (S & 0xFFFFFF) ? back : fore;
          else if (!srcMono && dstMono)
            S = (S & 0xFFFFFF) == (srcBk & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u;
        }
        uint32_t P = (brush && brush->Style() != BS_NULL) ? BrushPixel(brush, x, y) : 0xFFFFFFFFu;
        uint32_t r = Rop3(code, P, S, row[x]);
        row[x] = dstMono ? MonoPixel(r) : r;
      }
    }
  }
  d->Touch();
}

// ---------------------------------------------------------------------------
// API: objects

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  return Widgetset().CreateFont(*lf);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charset, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* face) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = uint8_t(italic);
  lf.lfUnderline = uint8_t(underline);
  lf.lfStrikeOut = uint8_t(strikeOut);
  lf.lfCharSet = uint8_t(charset);
  lf.lfOutPrecision = uint8_t(outPrecision);
  lf.lfClipPrecision = uint8_t(clipPrecision);
  lf.lfQuality = uint8_t(quality);
  lf.lfPitchAndFamily = uint8_t(pitchAndFamily);
  SetLogFontFaceName(lf, face ? face : "");
  return CreateFontIndirect(&lf);
}

HBRUSH CreateSolidBrush(COLORREF c) {
  LOGBRUSH lb;
  lb.lbStyle = BS_SOLID;
  lb.lbColor = c;
  return new TGdiBrush(lb);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF c) {
  LOGBRUSH lb;
  lb.lbStyle = BS_HATCHED;
  lb.lbColor = c;
  lb.lbHatch = uintptr_t(hatch);
  return new TGdiBrush(lb);
}

HBRUSH CreatePatternBrush(HBITMAP bmp) {
  if (!bmp) return nullptr;
  LOGBRUSH lb;
  lb.lbStyle = BS_PATTERN;
  return new TGdiBrush(lb, bmp);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  if (lb->lbStyle == BS_PATTERN) return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
  return new TGdiBrush(*lb);
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= SYS_COLOR_COUNT) return nullptr;
  return static_cast<HBRUSH>(Widgetset().StockObject(1000 + index));
}

HPEN CreatePen(int style, int width, COLORREF c) { return new TGdiPen(UINT(style), width, c); }

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return new TGdiPen(lp->lopnStyle, lp->lopnWidth.X, lp->lopnColor);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0) return nullptr;
  bool mono = planes * bitsPerPixel == 1;
  auto* b = new TGdiBitmap(width, height, mono ? 1 : 32);
  if (bits) {
    if (mono) {
      // Rows of 16-bit words, most significant bit first; 1 is white.
      const uint8_t* p = static_cast<const uint8_t*>(bits);
      int stride = ((width + 15) / 16) * 2;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          bool white = (p[size_t(y) * stride + x / 8] >> (7 - x % 8)) & 1;
          b->ScanLine(y)[x] = white ? 0xFFFFFFFFu : 0xFF000000u;
        }
    } else if (bitsPerPixel == 32) {
      const uint32_t* p = static_cast<const uint32_t*>(bits);
      for (size_t i = 0; i < size_t(width) * size_t(height); ++i) b->Bits()[i] = p[i] | 0xFF000000u;
    } else if (bitsPerPixel == 24) {
      const uint8_t* p = static_cast<const uint8_t*>(bits);
      int stride = ((width * 3 + 1) / 2) * 2;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const uint8_t* q = p + size_t(y) * stride + size_t(x) * 3;
          b->ScanLine(y)[x] = 0xFF000000u | (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        }
    }
  } else if (mono) {
    std::fill(b->Bits(), b->Bits() + size_t(width) * size_t(height), 0xFF000000u);
  }
  return b;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!dc || width < 0 || height < 0) return nullptr;
  // A memory DC makes bitmaps like the one it has selected (a fresh memory
  // DC has a monochrome one).
  bool mono = dc->Kind() == TDeviceContext::TKind::Memory && dc->Bitmap() && dc->Bitmap()->Monochrome();
  auto* b = new TGdiBitmap(width, height, mono ? 1 : 32);
  return b;
}

HGDIOBJ GetStockObject(int index) { return Widgetset().StockObject(index); }

bool DeleteObject(HGDIOBJ obj) {
  if (!obj) return false;
  return obj->Delete();
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!dc) return nullptr;
  return dc->SelectObject(obj);
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->Pen();
    case OBJ_BRUSH: return dc->Brush();
    case OBJ_FONT: return dc->Font();
    case OBJ_BITMAP: return dc->Bitmap();
    default: return nullptr;
  }
}

int GetObject(HGDIOBJ obj, int size, void* buffer) {
  if (!obj) return 0;
  auto put = [&](const void* data, int n) {
    if (!buffer) return n;
    int m = std::min(n, size);
    if (m <= 0) return 0;
    std::memcpy(buffer, data, size_t(m));
    return m;
  };
  switch (obj->Kind()) {
    case TGdiObjectKind::Font: {
      const LOGFONT& lf = static_cast<TGdiFont*>(obj)->LogFont();
      return put(&lf, int(sizeof(LOGFONT)));
    }
    case TGdiObjectKind::Brush: {
      LOGBRUSH lb = static_cast<TGdiBrush*>(obj)->LogBrush();
      return put(&lb, int(sizeof(LOGBRUSH)));
    }
    case TGdiObjectKind::Pen: {
      auto* p = static_cast<TGdiPen*>(obj);
      LOGPEN lp;
      lp.lopnStyle = p->Style();
      lp.lopnWidth = TPoint(p->Width(), 0);
      lp.lopnColor = p->Color();
      return put(&lp, int(sizeof(LOGPEN)));
    }
    case TGdiObjectKind::Bitmap: {
      auto* b = static_cast<TGdiBitmap*>(obj);
      BITMAP bm;
      bm.bmWidth = b->Width();
      bm.bmHeight = b->Height();
      bm.bmBitsPixel = uint16_t(b->BitsPerPixel());
      bm.bmWidthBytes = b->Monochrome() ? ((b->Width() + 15) / 16) * 2 : b->Width() * 4;
      bm.bmBits = b->Bits();
      return put(&bm, int(sizeof(BITMAP)));
    }
    case TGdiObjectKind::Region: return 0;
  }
  return 0;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return new TGdiRegion(TRect(left, top, right, bottom));
}
HRGN CreateRectRgnIndirect(const TRect* r) { return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr; }

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  auto* rgn = new TGdiRegion;
  int width = right - left, height = bottom - top;
  if (width <= 0 || height <= 0) return rgn;
  double rx = std::min(std::abs(w), width) / 2.0, ry = std::min(std::abs(h), height) / 2.0;
  // One rectangle per row inside the corner ellipses; rows that match the
  // one before are merged.
  for (int y = 0; y < height; ++y) {
    double inset = 0;
    double cy = y + 0.5;
    double dy = cy < ry ? ry - cy : cy > height - ry ? cy - (height - ry) : 0;
    if (dy > 0 && ry > 0) inset = rx - rx * std::sqrt(std::max(0.0, 1 - (dy / ry) * (dy / ry)));
    int in = int(std::lround(inset));
    TRect row(left + in, top + y, right - in, top + y + 1);
    if (row.Left >= row.Right) continue;
    if (!rgn->Rects.empty() && rgn->Rects.back().Left == row.Left && rgn->Rects.back().Right == row.Right &&
        rgn->Rects.back().Bottom == row.Top)
      rgn->Rects.back().Bottom = row.Bottom;
    else
      rgn->Rects.push_back(row);
  }
  return rgn;
}

bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  if (!rgn) return false;
  rgn->Rects.clear();
  TRect r(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
  if (!IsRectEmpty(r)) rgn->Rects.push_back(r);
  return true;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  if (!dst || !a || (mode != RGN_COPY && !b)) return ERROR;
  std::vector<TRect> r;
  switch (mode) {
    case RGN_COPY: r = a->Rects; break;
    case RGN_AND: r = RegionOps::Intersect(a->Rects, b->Rects); break;
    case RGN_OR: r = RegionOps::Union(a->Rects, b->Rects); break;
    case RGN_XOR: r = RegionOps::Xor(a->Rects, b->Rects); break;
    case RGN_DIFF: r = RegionOps::Subtract(a->Rects, b->Rects); break;
    default: return ERROR;
  }
  dst->Rects = std::move(r);
  return dst->Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  if (!rgn) return ERROR;
  RegionOps::Offset(rgn->Rects, dx, dy);
  return rgn->Complexity();
}

int GetRgnBox(HRGN rgn, TRect* r) {
  if (!rgn || !r) return ERROR;
  *r = rgn->Box();
  return rgn->Complexity();
}

bool PtInRegion(HRGN rgn, int x, int y) { return rgn && RegionOps::Contains(rgn->Rects, TPoint(x, y)); }

bool RectInRegion(HRGN rgn, const TRect* r) { return rgn && r && !RegionOps::Intersect(rgn->Rects, {*r}).empty(); }

bool EqualRgn(HRGN a, HRGN b) {
  if (!a || !b) return false;
  return RegionOps::Xor(a->Rects, b->Rects).empty();
}

bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  if (!dc || !rgn || !brush) return false;
  for (const TRect& r : rgn->Rects) dc->FillRect(dc->ToLogical(r), brush);
  return true;
}

// ---------------------------------------------------------------------------
// API: device contexts

HDC CreateCompatibleDC(HDC) { return Widgetset().CreateMemoryDC(); }

bool DeleteDC(HDC dc) {
  if (!dc) return false;
  if (dc == Widgetset().ScreenDC()) return false;
  delete dc;
  return true;
}

int GetDeviceCaps(HDC dc, int index) { return dc ? dc->DeviceCaps(index) : 0; }
COLORREF GetNearestColor(HDC dc, COLORREF c) {
  if (!dc) return CLR_INVALID;
  c &= 0xFFFFFF;
  if (dc->DeviceCaps(BITSPIXEL) == 1) return PixelToColor(MonoPixel(ColorToPixel(c))) & 0xFFFFFF;
  return c;
}
int SaveDC(HDC dc) { return dc ? dc->SaveDC() : 0; }
bool RestoreDC(HDC dc, int level) { return dc && dc->RestoreDC(level); }
COLORREF SetTextColor(HDC dc, COLORREF c) { return dc ? dc->SetTextColor(c) : CLR_INVALID; }
COLORREF GetTextColor(HDC dc) { return dc ? dc->TextColor() : CLR_INVALID; }
COLORREF SetBkColor(HDC dc, COLORREF c) { return dc ? dc->SetBkColor(c) : CLR_INVALID; }
COLORREF GetBkColor(HDC dc) { return dc ? dc->BkColor() : CLR_INVALID; }
int SetBkMode(HDC dc, int mode) { return dc ? dc->SetBkMode(mode) : 0; }
int GetBkMode(HDC dc) { return dc ? dc->BkMode() : 0; }
int SetTextCharacterExtra(HDC dc, int extra) { return dc ? dc->SetCharExtra(extra) : int(0x80000000); }
int GetTextCharacterExtra(HDC dc) { return dc ? dc->CharExtra() : int(0x80000000); }
UINT SetTextAlign(HDC dc, UINT align) { return dc ? dc->SetTextAlign(align) : UINT(GDI_ERROR); }
UINT GetTextAlign(HDC dc) { return dc ? dc->TextAlign() : UINT(GDI_ERROR); }
int SetROP2(HDC dc, int rop) { return dc ? dc->SetRop2(rop) : 0; }
int GetROP2(HDC dc) { return dc ? dc->Rop2() : 0; }

bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->BrushOrg();
  dc->SetBrushOrg(TPoint(x, y));
  return true;
}
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->WindowOrg();
  dc->SetWindowOrg(TPoint(x, y));
  return true;
}
bool GetWindowOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->WindowOrg();
  return true;
}
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  TPoint o = dc->WindowOrg();
  if (old) *old = o;
  dc->SetWindowOrg(TPoint(o.X + dx, o.Y + dy));
  return true;
}
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->ViewportOrg();
  dc->SetViewportOrg(TPoint(x, y));
  return true;
}
bool GetViewportOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->ViewportOrg();
  return true;
}
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  TPoint o = dc->ViewportOrg();
  if (old) *old = o;
  dc->SetViewportOrg(TPoint(o.X + dx, o.Y + dy));
  return true;
}
bool MoveToEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->CurrentPos();
  dc->MoveTo(x, y);
  return true;
}
bool GetCurrentPositionEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->CurrentPos();
  return true;
}

// clipping
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return dc ? dc->IntersectClipRect(TRect(left, top, right, bottom)) : ERROR;
}
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return dc ? dc->ExcludeClipRect(TRect(left, top, right, bottom)) : ERROR;
}
int SelectClipRgn(HDC dc, HRGN rgn) { return dc ? dc->SelectClipRgn(rgn, RGN_COPY) : ERROR; }
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) { return dc ? dc->SelectClipRgn(rgn, mode) : ERROR; }
int OffsetClipRgn(HDC dc, int dx, int dy) { return dc ? dc->OffsetClipRgn(dx, dy) : ERROR; }
int GetClipBox(HDC dc, TRect* r) {
  if (!dc || !r) return ERROR;
  return dc->GetClipBox(*r);
}
int GetClipRgn(HDC dc, HRGN rgn) {
  if (!dc || !rgn) return -1;
  if (!dc->HasClipRegion()) return 0;
  rgn->Rects = dc->ClipRegion();
  return 1;
}
bool PtVisible(HDC dc, int x, int y) { return dc && dc->PtVisible(x, y); }
bool RectVisible(HDC dc, const TRect* r) { return dc && r && dc->RectVisible(*r); }

// text
bool GetTextMetrics(HDC dc, TEXTMETRIC* tm) { return dc && tm && dc->GetTextMetrics(*tm); }
bool GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* abc) { return dc && dc->GetCharABCWidths(first, last, abc); }
bool GetCharWidth32(HDC dc, UINT first, UINT last, int* widths) { return dc && dc->GetCharWidths(first, last, widths); }
bool GetCharWidth(HDC dc, UINT first, UINT last, int* widths) { return GetCharWidth32(dc, first, last, widths); }
bool GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size) {
  if (!dc || !size || count < 0 || (count > 0 && !text)) return false;
  return dc->GetTextExtent(text, count, *size);
}
bool GetTextExtentPoint(HDC dc, const char* text, int count, TSize* size) {
  return GetTextExtentPoint32(dc, text, count, size);
}
int GetTextFace(HDC dc, int size, char* face) {
  if (!dc || !dc->Font()) return 0;
  const char* name = dc->Font()->LogFont().lfFaceName;
  int n = int(strnlen(name, LF_FACESIZE));
  if (!face) return n + 1;
  int m = std::min(n, size - 1);
  if (m < 0) return 0;
  std::memcpy(face, name, size_t(m));
  face[m] = 0;
  return m;
}
int GetTextCharset(HDC dc) { return dc ? dc->TextCharset() : DEFAULT_CHARSET; }
int GetTextCharsetInfo(HDC dc, FONTSIGNATURE* sig, DWORD) {
  if (sig) *sig = FONTSIGNATURE();
  return GetTextCharset(dc);
}
DWORD GetFontLanguageInfo(HDC dc) { return dc ? dc->FontLanguageInfo() : DWORD(GDI_ERROR); }

bool TextOut(HDC dc, int x, int y, const char* text, int count) {
  return dc && dc->ExtTextOut(x, y, 0, nullptr, text, count, nullptr);
}

bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, const char* text, UINT count, const INT* dx) {
  return dc && dc->ExtTextOut(x, y, options, rect, text, int(count), dx);
}

namespace {

struct TDrawLine {
  std::string Text;
  int Underline = -1;  // index of the prefixed character
};

int TabbedWidth(HDC dc, const std::string& s, bool expandTabs, int tabWidth) {
  int w = 0;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || (expandTabs && s[i] == '\t')) {
      TSize sz;
      dc->GetTextExtent(s.data() + start, int(i - start), sz);
      w += sz.cx;
      if (i < s.size() && tabWidth > 0) w = (w / tabWidth + 1) * tabWidth;
      start = i + 1;
    }
  }
  return w;
}

}  // namespace

int DrawText(HDC dc, const char* text, int count, TRect* rect, UINT format) {
  if (!dc || !rect) return 0;
  if (!text) count = 0;
  if (count < 0) count = int(std::strlen(text));
  std::string src(text ? text : "", size_t(count));
  TEXTMETRIC tm;
  dc->GetTextMetrics(tm);
  int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  int tabWidth = 8 * std::max(1, tm.tmAveCharWidth);
  if (format & DT_TABSTOP) tabWidth = int((format >> 8) & 0xFF) * std::max(1, tm.tmAveCharWidth);
  bool expand = (format & DT_EXPANDTABS) != 0;
  bool prefix = !(format & DT_NOPREFIX);
  int width = rect->Right - rect->Left;

  // Split into hard lines, strip prefixes.
  std::vector<TDrawLine> hard;
  {
    TDrawLine cur;
    for (size_t i = 0; i < src.size(); ++i) {
      char c = src[i];
      if (!(format & DT_SINGLELINE) && (c == '\r' || c == '\n')) {
        hard.push_back(cur);
        cur = TDrawLine();
        if (c == '\r' && i + 1 < src.size() && src[i + 1] == '\n') ++i;
        continue;
      }
      if (prefix && c == '&') {
        if (i + 1 < src.size() && src[i + 1] == '&') {
          cur.Text += '&';
          ++i;
          continue;
        }
        if (i + 1 < src.size()) {
          cur.Underline = int(cur.Text.size());
          continue;
        }
      }
      if ((format & DT_SINGLELINE) && (c == '\r' || c == '\n')) continue;
      cur.Text += c;
    }
    hard.push_back(cur);
  }

  // Word breaking.
  std::vector<TDrawLine> lines;
  for (TDrawLine& h : hard) {
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || TabbedWidth(dc, h.Text, expand, tabWidth) <= width) {
      lines.push_back(h);
      continue;
    }
    const std::string& s = h.Text;
    size_t pos = 0;
    while (pos < s.size()) {
      // The longest run of whole words that fits; a word wider than the
      // rectangle stands alone.
      size_t best = std::string::npos, scan = pos;
      for (;;) {
        size_t next = s.find(' ', scan);
        if (next == std::string::npos) next = s.size();
        if (TabbedWidth(dc, s.substr(pos, next - pos), expand, tabWidth) > width) break;
        best = next;
        if (next == s.size()) break;
        scan = next + 1;
      }
      if (best == std::string::npos || best == pos) {
        best = s.find(' ', pos);
        if (best == std::string::npos) best = s.size();
        if (best == pos) best = pos + 1;
      }
      TDrawLine l;
      l.Text = s.substr(pos, best - pos);
      if (h.Underline >= int(pos) && h.Underline < int(best)) l.Underline = h.Underline - int(pos);
      lines.push_back(l);
      pos = best;
      while (pos < s.size() && s[pos] == ' ') ++pos;
    }
    if (s.empty()) lines.push_back(h);
  }

  // Ellipsis.
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
    for (TDrawLine& l : lines) {
      if (TabbedWidth(dc, l.Text, expand, tabWidth) <= width) continue;
      // The longest head that fits with the dots after it. Widths grow with
      // the head, so a doubling search bounds it and halving finds it: the
      // work follows the part that shows, never the whole line again.
      const std::string& s = l.Text;
      auto fits = [&](size_t n) { return TabbedWidth(dc, s.substr(0, n) + "...", expand, tabWidth) <= width; };
      size_t lo = 0, hi = 1;  // fits(lo) or lo == 0; !fits(hi) or hi == size
      while (hi < s.size() && fits(hi)) {
        lo = hi;
        hi = std::min(s.size(), hi * 2);
      }
      if (hi == s.size() && fits(hi)) lo = hi;
      while (hi - lo > 1) {
        size_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
      }
      if (l.Underline >= int(lo)) l.Underline = -1;
      l.Text = s.substr(0, lo) + "...";
    }
  }

  int maxWidth = 0;
  for (const TDrawLine& l : lines) maxWidth = std::max(maxWidth, TabbedWidth(dc, l.Text, expand, tabWidth));
  int total = int(lines.size()) * lineHeight;
  if (format & DT_CALCRECT) {
    rect->Right = rect->Left + maxWidth;
    rect->Bottom = rect->Top + total;
    return total;
  }

  int y = rect->Top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = rect->Top + (rect->Bottom - rect->Top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      y = rect->Bottom - lineHeight;
  }
  UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  for (const TDrawLine& l : lines) {
    int w = TabbedWidth(dc, l.Text, expand, tabWidth);
    int x = rect->Left;
    if (format & DT_CENTER)
      x = rect->Left + (width - w) / 2;
    else if (format & DT_RIGHT)
      x = rect->Right - w;
    // Draw segment by segment so tabs land on their stops.
    int cx = x;
    size_t start = 0;
    for (size_t i = 0; i <= l.Text.size(); ++i) {
      if (i == l.Text.size() || (expand && l.Text[i] == '\t')) {
        int n = int(i - start);
        if (n > 0) dc->ExtTextOut(cx, y, options, rect, l.Text.data() + start, n, nullptr);
        TSize sz;
        dc->GetTextExtent(l.Text.data() + start, n, sz);
        cx += sz.cx;
        if (i < l.Text.size()) cx = x + ((cx - x) / tabWidth + 1) * tabWidth;
        start = i + 1;
      }
    }
    if (l.Underline >= 0 && !(format & DT_HIDEPREFIX)) {
      TSize before, ch;
      dc->GetTextExtent(l.Text.data(), l.Underline, before);
      dc->GetTextExtent(l.Text.data() + l.Underline, 1, ch);
      HPEN pen = CreatePen(PS_SOLID, 1, dc->TextColor());
      HGDIOBJ old = dc->SelectObject(pen);
      TPoint oldPos = dc->CurrentPos();
      dc->MoveTo(x + before.cx, y + tm.tmAscent + 1);
      dc->LineTo(x + before.cx + ch.cx, y + tm.tmAscent + 1);
      dc->MoveTo(oldPos.X, oldPos.Y);
      dc->SelectObject(old);
      DeleteObject(pen);
    }
    y += lineHeight;
  }
  if (format & DT_SINGLELINE) return (y - rect->Top);
  return total;
}

// drawing
int FillRect(HDC dc, const TRect* r, HBRUSH brush) { return dc && r ? dc->FillRect(*r, brush) : 0; }
int FrameRect(HDC dc, const TRect* r, HBRUSH brush) { return dc && r ? dc->FrameRect(*r, brush) : 0; }
bool InvertRect(HDC dc, const TRect* r) { return dc && r && dc->InvertRect(*r); }
bool DrawFocusRect(HDC dc, const TRect* r) { return dc && r && dc->DrawFocusRect(*r); }

bool DrawEdge(HDC dc, TRect* rc, UINT edge, UINT flags) {
  if (!dc || !rc) return false;
  TRect r = *rc;
  struct TLayer {
    UINT Raised, Sunken;
    int RaisedTL, RaisedBR, SunkenTL, SunkenBR;
  };
  const TLayer layers[2] = {
      {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
      {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
  };
  for (const TLayer& layer : layers) {
    int tl, br;
    if (edge & layer.Raised) {
      tl = layer.RaisedTL;
      br = layer.RaisedBR;
    } else if (edge & layer.Sunken) {
      tl = layer.SunkenTL;
      br = layer.SunkenBR;
    } else {
      continue;
    }
    if (flags & BF_FLAT) tl = br = COLOR_BTNSHADOW;
    if (flags & BF_MONO) tl = br = COLOR_WINDOWFRAME;
    HBRUSH btl = CreateSolidBrush(GetSysColor(tl)), bbr = CreateSolidBrush(GetSysColor(br));
    if (flags & BF_TOP) {
      TRect t(r.Left, r.Top, r.Right, r.Top + 1);
      dc->FillRect(t, btl);
    }
    if (flags & BF_LEFT) {
      TRect t(r.Left, r.Top, r.Left + 1, r.Bottom);
      dc->FillRect(t, btl);
    }
    if (flags & BF_BOTTOM) {
      TRect t(r.Left, r.Bottom - 1, r.Right, r.Bottom);
      dc->FillRect(t, bbr);
    }
    if (flags & BF_RIGHT) {
      TRect t(r.Right - 1, r.Top, r.Right, r.Bottom);
      dc->FillRect(t, bbr);
    }
    DeleteObject(btl);
    DeleteObject(bbr);
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_BOTTOM) --r.Bottom;
    if (flags & BF_RIGHT) --r.Right;
  }
  if (flags & BF_MIDDLE) {
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    dc->FillRect(r, face);
    DeleteObject(face);
  }
  if (flags & BF_ADJUST) *rc = r;
  return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return dc && dc->Rectangle(left, top, right, bottom);
}
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h) {
  return dc && dc->RoundRect(left, top, right, bottom, w, h);
}
bool Ellipse(HDC dc, int left, int top, int right, int bottom) { return dc && dc->Ellipse(left, top, right, bottom); }
bool LineTo(HDC dc, int x, int y) { return dc && dc->LineTo(x, y); }
bool Polyline(HDC dc, const TPoint* pts, int count) { return dc && dc->Polyline(pts, count); }
bool Polygon(HDC dc, const TPoint* pts, int count) { return dc && dc->Polygon(pts, count); }
COLORREF SetPixel(HDC dc, int x, int y, COLORREF c) { return dc ? dc->SetPixel(x, y, c) : CLR_INVALID; }
bool SetPixelV(HDC dc, int x, int y, COLORREF c) { return dc && dc->SetPixel(x, y, c) != CLR_INVALID; }
COLORREF GetPixel(HDC dc, int x, int y) { return dc ? dc->GetPixel(x, y) : CLR_INVALID; }

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  return dst && dst->StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
}
bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
  return dst && dst->StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop);
}
bool PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop) { return dc && dc->PatBlt(x, y, w, h, rop); }
bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, UINT transparent) {
  return dst && dst->TransparentBlt(x, y, w, h, src, sx, sy, sw, sh, transparent);
}

bool ScrollDC(HDC dc, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect) {
  if (!dc) return false;
  TSize sz = dc->SurfaceSize();
  TRect area = scroll ? dc->ToDevice(*scroll) : TRect(0, 0, sz.cx, sz.cy);
  TRect c = clip ? dc->ToDevice(*clip) : area;
  if (!dc->ScrollSurface(dx, dy, area, c)) return false;
  // The uncovered part.
  TRect moved = area;
  OffsetRect(moved, dx, dy);
  TRect visibleMoved;
  IntersectRect(visibleMoved, moved, c);
  std::vector<TRect> unc = RegionOps::Subtract(RegionOps::Intersect({area}, {c}), {visibleMoved});
  if (update) update->Rects = unc;
  if (updateRect) *updateRect = dc->ToLogical(RegionOps::Bounds(unc));
  return true;
}
