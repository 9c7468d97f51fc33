// The window peer's Win32 state and the widget set's shared machinery.
#include "platform/Widgetset.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

namespace {

// Hit codes that move or size the window rather than reach its client.
bool IsFrameHit(LRESULT hit) { return hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT); }

// The arrows of the sizing edges (0: not an edge).
HCURSOR FrameCursor(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    case HTCAPTION: return IDC_ARROW;
    default: return 0;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TWindowPeer

TWindowPeer::TWindowPeer(IWidgetset& ws, TWinControl* control, const TCreateParams& params)
    : FWidgetset(ws),
      FControl(control),
      FParams(params),
      FStyle(params.Style),
      FExStyle(params.ExStyle),
      FBounds(params.X, params.Y, params.X + std::max(0, params.Width), params.Y + std::max(0, params.Height)),
      FVisible((params.Style & WS_VISIBLE) != 0),
      FEnabled((params.Style & WS_DISABLED) == 0),
      FText(params.Caption) {
  FBars[0].Visible = (params.Style & WS_HSCROLL) != 0;
  FBars[1].Visible = (params.Style & WS_VSCROLL) != 0;
  FAcceptFiles = (params.ExStyle & WS_EX_ACCEPTFILES) != 0;
}

TWindowPeer::~TWindowPeer() = default;

LRESULT TWindowPeer::Send(UINT msg, WPARAM w, LPARAM l) {
  TMessage m(msg, w, l);
  Deliver(m);
  return m.Result;
}

void TWindowPeer::Deliver(TMessage& m) {
  if (FControl) {
    if (FControl->WindowProc)
      FControl->WindowProc(m);
    else
      FControl->WndProc(m);
  } else if (FWndMethod) {
    FWndMethod(m);
  } else {
    DefWindowProc(m);
  }
}

void AnswerGetText(TMessage& m, const std::string& text) {
  char* buf = reinterpret_cast<char*>(m.LParam);
  int max = int(m.WParam);
  if (!buf || max <= 0) {
    m.Result = 0;
    return;
  }
  int n = std::min<int>(int(text.size()), max - 1);
  std::memcpy(buf, text.data(), size_t(n));
  buf[n] = 0;
  m.Result = n;
}

void TWindowPeer::DefWindowProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT: {
      const char* t = reinterpret_cast<const char*>(m.LParam);
      SetText(t ? std::string(t) : std::string());
      m.Result = 1;
      break;
    }
    case WM_GETTEXT: AnswerGetText(m, FText); break;
    case WM_GETTEXTLENGTH: m.Result = LRESULT(FText.size()); break;
    case WM_NCHITTEST: {
      TPoint p = ScreenToClient(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
      TSize cs = ClientSize();
      if (p.X >= 0 && p.Y >= 0 && p.X < cs.cx && p.Y < cs.cy)
        m.Result = HTCLIENT;
      else if (ScrollBar(SB_VERT).Visible && p.X >= cs.cx && p.Y < cs.cy)
        m.Result = HTVSCROLL;
      else if (ScrollBar(SB_HORZ).Visible && p.Y >= cs.cy && p.X < cs.cx)
        m.Result = HTHSCROLL;
      else
        m.Result = HTBORDER;
      break;
    }
    case WM_SETCURSOR: {
      // The parent decides first; then the client area shows the window's
      // cursor and the sizing edges their arrows.
      if (FParent && FParent->Send(WM_SETCURSOR, m.WParam, m.LParam) != 0) {
        m.Result = 1;
        break;
      }
      LRESULT hit = int16_t(LoWord(uintptr_t(m.LParam)));
      HCURSOR edge = FrameCursor(hit);
      if (hit == HTCLIENT) {
        FWidgetset.SetCursor(FCursor);
        m.Result = 1;
      } else if (edge) {
        FWidgetset.SetCursor(edge);
        m.Result = 1;
      } else {
        m.Result = 0;
      }
      break;
    }
    case WM_NCLBUTTONDOWN:
      if (IsFrameHit(LRESULT(m.WParam)))
        BeginFrameDrag(LRESULT(m.WParam), TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
      m.Result = 0;
      break;
    case WM_MOUSEWHEEL: m.Result = FParent ? FParent->Send(m.Msg, m.WParam, m.LParam) : 0; break;
    case WM_CONTEXTMENU: m.Result = FParent ? FParent->Send(m.Msg, m.WParam, m.LParam) : 0; break;
    case WM_RBUTTONUP: {
      TPoint p = ClientToScreen(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
      Send(WM_CONTEXTMENU, WPARAM(this), MakeLParam(p.X, p.Y));
      m.Result = 0;
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(ps);
      EndPaint(ps);
      m.Result = 0;
      break;
    }
    case WM_ERASEBKGND: m.Result = 0; break;
    case WM_IME_COMPOSITION:
      // A window that does not take the result gets it as characters.
      if (m.LParam & GCS_RESULTSTR) {
        std::string r = FIme.ResultString;
        for (char c : r) {
          if (!FWidgetset.IsWindow(this)) break;
          Send(WM_IME_CHAR, static_cast<unsigned char>(c), 1);
        }
      }
      m.Result = 0;
      break;
    case WM_IME_CHAR: Send(WM_CHAR, m.WParam, m.LParam); break;
    case WM_QUERYENDSESSION: m.Result = 1; break;
    case WM_CLOSE: m.Result = 0; break;
    case WM_MOUSEACTIVATE: m.Result = 1; break;
    default: m.Result = 0; break;
  }
}

void TWindowPeer::SetStyle(DWORD style) {
  TSize before = ClientSize();
  FStyle = style;
  StyleChanged();
  ClientSizeMayHaveChanged(before);
}

void TWindowPeer::SetExStyle(DWORD exStyle) {
  TSize before = ClientSize();
  FExStyle = exStyle;
  StyleChanged();
  ClientSizeMayHaveChanged(before);
}

void TWindowPeer::AddChild(HWND c) {
  if (std::find(FChildren.begin(), FChildren.end(), c) == FChildren.end()) FChildren.push_back(c);
}

void TWindowPeer::RemoveChild(HWND c) {
  FChildren.erase(std::remove(FChildren.begin(), FChildren.end(), c), FChildren.end());
}

void TWindowPeer::SetParentWindow(HWND parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveChild(this);
  FParent = parent;
  if (FParent) FParent->AddChild(this);
  ParentChanged();
}

void TWindowPeer::BringToFront() {
  if (FParent) {
    FParent->RemoveChild(this);
    FParent->FChildren.push_back(this);
  }
  ZOrderChanged();
}

void TWindowPeer::SendToBack() {
  if (FParent) {
    FParent->RemoveChild(this);
    FParent->FChildren.insert(FParent->FChildren.begin(), this);
  }
  ZOrderChanged();
}

TRect TWindowPeer::NonClientMargins() const {
  TRect m = FWidgetset.StyleMargins(FStyle, FExStyle);
  if (FBars[1].Visible) m.Right += FWidgetset.SystemMetric(SM_CXVSCROLL);
  if (FBars[0].Visible) m.Bottom += FWidgetset.SystemMetric(SM_CYHSCROLL);
  return m;
}

TSize TWindowPeer::ClientSize() const {
  TRect m = NonClientMargins();
  return TSize(std::max(0, FBounds.Width() - m.Left - m.Right), std::max(0, FBounds.Height() - m.Top - m.Bottom));
}

TRect TWindowPeer::ClientRect() const {
  TSize s = ClientSize();
  return TRect(0, 0, s.cx, s.cy);
}

TPoint TWindowPeer::ClientOrigin() const {
  TRect m = NonClientMargins();
  TPoint p(FBounds.Left + m.Left, FBounds.Top + m.Top);
  if (FParent) {
    TPoint o = FParent->ClientOrigin();
    p.X += o.X;
    p.Y += o.Y;
  }
  return p;
}

TPoint TWindowPeer::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return TPoint(p.X + o.X, p.Y + o.Y);
}

TPoint TWindowPeer::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return TPoint(p.X - o.X, p.Y - o.Y);
}

void TWindowPeer::SetBounds(const TRect& r) {
  TRect old = FBounds;
  TSize before = ClientSize();
  FBounds = TRect(r.Left, r.Top, r.Left + std::max(0, r.Width()), r.Top + std::max(0, r.Height()));
  if (FBounds == old) return;
  GeometryChanged();
  SyncSurfaceSize();
  TSize after = ClientSize();
  if (after != before) {
    bool all = ((FParams.ClassStyle & CS_HREDRAW) && after.cx != before.cx) ||
               ((FParams.ClassStyle & CS_VREDRAW) && after.cy != before.cy);
    if (all) {
      InvalidateRect(nullptr, true);
    } else {
      if (after.cx > before.cx) {
        TRect s(before.cx, 0, after.cx, after.cy);
        InvalidateRect(&s, true);
      }
      if (after.cy > before.cy) {
        TRect s(0, before.cy, after.cx, after.cy);
        InvalidateRect(&s, true);
      }
    }
  }
  Send(WM_WINDOWPOSCHANGED, 0, 0);
  if (FBounds.Left != old.Left || FBounds.Top != old.Top) {
    TRect m = NonClientMargins();
    Send(WM_MOVE, 0, MakeLParam(FBounds.Left + m.Left, FBounds.Top + m.Top));
  }
  if (after != before) Send(WM_SIZE, SIZE_RESTORED, LPARAM(MakeLong(uint16_t(after.cx), uint16_t(after.cy))));
}

void TWindowPeer::ClientSizeMayHaveChanged(TSize before) {
  TSize after = ClientSize();
  if (after == before) return;
  SyncSurfaceSize();
  GeometryChanged();
  if (after.cx > before.cx || after.cy > before.cy) InvalidateRect(nullptr, true);
  Send(WM_SIZE, SIZE_RESTORED, LPARAM(MakeLong(uint16_t(after.cx), uint16_t(after.cy))));
}

void TWindowPeer::SetWindowRegion(const std::vector<TRect>* rects) {
  FHasRegion = rects != nullptr;
  FRegion = rects ? *rects : std::vector<TRect>();
  RegionChanged();
}

void TWindowPeer::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  if (visible)
    FStyle |= WS_VISIBLE;
  else
    FStyle &= ~WS_VISIBLE;
  VisibilityChanged();
  Send(WM_SHOWWINDOW, visible ? 1 : 0, 0);
  if (visible) InvalidateRect(nullptr, true);
}

bool TWindowPeer::Showing() const {
  for (const TWindowPeer* p = this; p; p = p->FParent)
    if (!p->FVisible) return false;
  return true;
}

void TWindowPeer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (enabled)
    FStyle &= ~WS_DISABLED;
  else
    FStyle |= WS_DISABLED;
  EnabledChanged();
  Send(WM_ENABLE, enabled ? 1 : 0, 0);
}

bool TWindowPeer::TakesInput() const {
  for (const TWindowPeer* p = this; p; p = p->FParent)
    if (!p->FEnabled) return false;
  return true;
}

void TWindowPeer::SetOwnerWindow(HWND owner) {
  if (owner == this) owner = nullptr;
  if (owner == FOwner) return;
  FOwner = owner;
  OwnerChanged();
}

void TWindowPeer::SetShowState(int cmd) {
  FShowState = cmd;
  SetVisible(cmd != SW_HIDE);
}

void TWindowPeer::SetText(const std::string& text) {
  FText = text;
  TextChanged();
}

void TWindowPeer::InvalidateRect(const TRect* r, bool erase) {
  TRect c = ClientRect();
  TRect a = c;
  if (r && !IntersectRect(a, *r, c)) return;
  if (IsRectEmpty(a)) return;
  FUpdate = RegionOps::Union(FUpdate, {a});
  if (erase) FEraseNeeded = true;
  PaintRequested(a);
}

void TWindowPeer::InvalidateRegion(const std::vector<TRect>& rects, bool erase) {
  for (const TRect& r : rects) InvalidateRect(&r, erase);
}

void TWindowPeer::ValidateRect(const TRect* r) {
  if (!r) {
    FUpdate.clear();
  } else {
    FUpdate = RegionOps::Subtract(FUpdate, {*r});
  }
  if (FUpdate.empty()) FEraseNeeded = false;
}

void TWindowPeer::UpdateNow() {
  if (!NeedsPaint() || FInPaint || !Showing() || FDestroying) return;
  FPaintBegun = false;
  Send(WM_PAINT, 0, 0);
  // A window that paints without BeginPaint would be asked forever.
  if (!FPaintBegun && !FDestroying) ValidateRect(nullptr);
}

HDC TWindowPeer::CreateWindowDC() { return new TRasterDC(TDeviceContext::TKind::Window, Surface()); }

TGdiBitmap* TWindowPeer::Surface() {
  if (!FSurface) {
    TSize s = ClientSize();
    FSurface = std::make_unique<TGdiBitmap>(s.cx, s.cy);
    std::fill(FSurface->Bits(), FSurface->Bits() + size_t(s.cx) * size_t(s.cy), 0xFFFFFFFFu);
  }
  return FSurface.get();
}

void TWindowPeer::SyncSurfaceSize() {
  if (!FSurface) return;
  TSize s = ClientSize();
  FSurface->Resize(s.cx, s.cy);
}

HDC TWindowPeer::BeginPaint(PAINTSTRUCT& ps) {
  FPaintBegun = true;
  std::vector<TRect> region = FUpdate;
  bool erase = FEraseNeeded;
  ps.rcPaint = RegionOps::Bounds(region);
  FUpdate.clear();
  FEraseNeeded = false;
  FInPaint = true;
  HDC dc = CreateWindowDC();
  FDCs.push_back(dc);
  dc->SetVisibleRegion(region);
  ps.hdc = dc;
  ps.fErase = false;
  if (erase) ps.fErase = Send(WM_ERASEBKGND, WPARAM(dc), 0) == 0;
  return dc;
}

void TWindowPeer::EndPaint(const PAINTSTRUCT& ps) {
  FInPaint = false;
  if (ps.hdc) {
    auto it = std::find(FDCs.begin(), FDCs.end(), ps.hdc);
    if (it != FDCs.end()) {
      FDCs.erase(it);
      delete ps.hdc;
    }
  }
  SurfaceChanged(ps.rcPaint);
}

HDC TWindowPeer::GetDC() {
  HDC dc = CreateWindowDC();
  FDCs.push_back(dc);
  return dc;
}

void TWindowPeer::ReleaseDC(HDC dc) {
  auto it = std::find(FDCs.begin(), FDCs.end(), dc);
  if (it == FDCs.end()) return;
  FDCs.erase(it);
  delete dc;
  SurfaceChanged(ClientRect());
}

void TWindowPeer::DetachDCs() {
  for (HDC dc : FDCs)
    if (auto* r = dynamic_cast<TRasterDC*>(dc)) r->SetSurface(nullptr);
}

bool TWindowPeer::OwnsDC(HDC dc) const { return std::find(FDCs.begin(), FDCs.end(), dc) != FDCs.end(); }

int TWindowPeer::Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, std::vector<TRect>* uncovered,
                        UINT flags) {
  TRect client = ClientRect();
  TRect area = client, c = client;
  if (scroll && !IntersectRect(area, *scroll, client)) area = TRect();
  if (clip && !IntersectRect(c, *clip, client)) c = TRect();
  TRect src;
  IntersectRect(src, area, c);
  // Pixels move within the clip.
  TGdiBitmap* s = Surface();
  if (!IsRectEmpty(src) && (dx || dy)) {
    // Only the pixels that land inside the clip move, a row at a time; rows
    // are walked away from the direction of the move so that no source row is
    // overwritten before it is read, and memmove takes care of the overlap
    // inside a row.
    TRect to = src;
    OffsetRect(to, dx, dy);
    if (IntersectRect(to, to, c)) {
      const size_t width = size_t(to.Width());
      const int fromLeft = to.Left - dx;
      auto moveRow = [&](int ty) {
        std::memmove(s->ScanLine(ty) + to.Left, s->ScanLine(ty - dy) + fromLeft, width * sizeof(uint32_t));
      };
      if (dy > 0)
        for (int ty = to.Bottom - 1; ty >= to.Top; --ty) moveRow(ty);
      else
        for (int ty = to.Top; ty < to.Bottom; ++ty) moveRow(ty);
    }
    s->Touch();
  }
  TRect moved = src;
  OffsetRect(moved, dx, dy);
  TRect kept;
  IntersectRect(kept, moved, c);
  std::vector<TRect> unc = IsRectEmpty(src) ? std::vector<TRect>() : RegionOps::Subtract({src}, {kept});
  // The invalid part inside the scrolled area moves with the pixels.
  if (!FUpdate.empty() && !IsRectEmpty(src)) {
    std::vector<TRect> inside = RegionOps::Intersect(FUpdate, {src});
    std::vector<TRect> outside = RegionOps::Subtract(FUpdate, {src});
    RegionOps::Offset(inside, dx, dy);
    inside = RegionOps::Intersect(inside, {c});
    FUpdate = RegionOps::Union(outside, inside);
  }
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids = FChildren;
    for (HWND k : kids) {
      TRect b = k->Bounds();
      if (!scroll || !IsRectEmpty(RegionOps::Bounds(RegionOps::Intersect({b}, {area})))) {
        OffsetRect(b, dx, dy);
        k->SetBounds(b);
      }
    }
  }
  if (flags & SW_INVALIDATE) InvalidateRegion(unc, (flags & SW_ERASE) != 0);
  if (uncovered) *uncovered = unc;
  SurfaceChanged(src);
  return unc.empty() ? NULLREGION : unc.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int TWindowPeer::SetScrollInfo(int bar, const SCROLLINFO& si, bool redraw) {
  if (bar != SB_HORZ && bar != SB_VERT) return 0;
  TSize before = ClientSize();
  TScrollBarState& st = FBars[bar == SB_VERT ? 1 : 0];
  if (si.fMask & SIF_RANGE) {
    st.Min = si.nMin;
    st.Max = si.nMax;
  }
  if (si.fMask & SIF_PAGE) st.Page = si.nPage;
  if (si.fMask & SIF_POS) st.Pos = si.nPos;
  int64_t range = int64_t(st.Max) - st.Min + 1;
  if (range < 0) range = 0;
  if (int64_t(st.Page) > range) st.Page = UINT(range);
  int64_t maxPos = int64_t(st.Max) - std::max<int64_t>(int64_t(st.Page) - 1, 0);
  if (maxPos < st.Min) maxPos = st.Min;
  if (st.Pos > maxPos) st.Pos = int(maxPos);
  if (st.Pos < st.Min) st.Pos = st.Min;
  if (si.fMask & (SIF_RANGE | SIF_PAGE)) {
    bool needed = st.Page == 0 ? st.Max > st.Min : int64_t(st.Max) - st.Min + 1 > int64_t(st.Page);
    if (needed) {
      st.Visible = true;
      st.Disabled = ESB_ENABLE_BOTH;
    } else if (si.fMask & SIF_DISABLENOSCROLL) {
      st.Disabled = ESB_DISABLE_BOTH;
    } else {
      st.Visible = false;
    }
    DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (st.Visible)
      FStyle |= styleBit;
    else
      FStyle &= ~styleBit;
  }
  ScrollBarsChanged();
  ClientSizeMayHaveChanged(before);
  (void)redraw;
  return st.Pos;
}

bool TWindowPeer::GetScrollInfo(int bar, SCROLLINFO& si) const {
  if (bar != SB_HORZ && bar != SB_VERT) return false;
  const TScrollBarState& st = FBars[bar == SB_VERT ? 1 : 0];
  if (si.fMask & SIF_RANGE) {
    si.nMin = st.Min;
    si.nMax = st.Max;
  }
  if (si.fMask & SIF_PAGE) si.nPage = st.Page;
  if (si.fMask & SIF_POS) si.nPos = st.Pos;
  if (si.fMask & SIF_TRACKPOS) si.nTrackPos = st.TrackPos;
  return true;
}

bool TWindowPeer::ShowScrollBar(int bar, bool show) {
  TSize before = ClientSize();
  auto apply = [&](int i) {
    FBars[i].Visible = show;
    DWORD styleBit = i == 1 ? WS_VSCROLL : WS_HSCROLL;
    if (show)
      FStyle |= styleBit;
    else
      FStyle &= ~styleBit;
  };
  if (bar == SB_HORZ || bar == SB_BOTH) apply(0);
  if (bar == SB_VERT || bar == SB_BOTH) apply(1);
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return false;
  ScrollBarsChanged();
  ClientSizeMayHaveChanged(before);
  return true;
}

bool TWindowPeer::EnableScrollBar(int bar, UINT arrows) {
  if (bar == SB_HORZ || bar == SB_BOTH) FBars[0].Disabled = arrows;
  if (bar == SB_VERT || bar == SB_BOTH) FBars[1].Disabled = arrows;
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return false;
  ScrollBarsChanged();
  return true;
}

void TWindowPeer::SetTrackPos(int bar, int pos) {
  if (bar != SB_HORZ && bar != SB_VERT) return;
  FBars[bar == SB_VERT ? 1 : 0].TrackPos = pos;
}

void TWindowPeer::SetAcceptFiles(bool accept) {
  FAcceptFiles = accept;
  if (accept)
    FExStyle |= WS_EX_ACCEPTFILES;
  else
    FExStyle &= ~WS_EX_ACCEPTFILES;
}

void TWindowPeer::SetCursorShape(HCURSOR cursor) { FCursor = cursor; }

void TWindowPeer::TakeFocus() { FWidgetset.FocusChanged(this); }

// -- input entries shared by the backends --

bool TWindowPeer::InputArrives() {
  FWidgetset.DeliverQueuedWheel();
  return FWidgetset.IsWindow(this) && TakesInput();
}

bool TWindowPeer::InputKeyDown(uint16_t vk, LPARAM keyData) {
  if (!InputArrives()) return false;
  IWidgetset& ws = FWidgetset;
  bool alt = (keyData & KF_ALTDOWN_BIT) != 0 || vk == VK_MENU || vk == VK_F10;
  TMessage pre(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
  if (ws.OnPreTranslate && ws.OnPreTranslate(this, pre)) return false;
  if (!ws.IsWindow(this)) return false;
  if (Send(alt ? CN_SYSKEYDOWN : CN_KEYDOWN, vk, keyData) != 0) return false;
  if (!ws.IsWindow(this)) return false;
  Send(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
  return ws.IsWindow(this);
}

void TWindowPeer::InputKeyUp(uint16_t vk, LPARAM keyData) {
  if (!InputArrives()) return;
  IWidgetset& ws = FWidgetset;
  bool alt = (keyData & KF_ALTDOWN_BIT) != 0 || vk == VK_MENU || vk == VK_F10;
  TMessage pre(alt ? WM_SYSKEYUP : WM_KEYUP, vk, keyData);
  if (ws.OnPreTranslate && ws.OnPreTranslate(this, pre)) return;
  if (!ws.IsWindow(this)) return;
  if (Send(CN_KEYUP, vk, keyData) != 0) return;
  if (!ws.IsWindow(this)) return;
  Send(alt ? WM_SYSKEYUP : WM_KEYUP, vk, keyData);
}

void TWindowPeer::InputChar(unsigned char ch, LPARAM keyData) {
  if (!InputArrives()) return;
  IWidgetset& ws = FWidgetset;
  bool alt = (keyData & KF_ALTDOWN_BIT) != 0;
  TMessage pre(alt ? WM_SYSCHAR : WM_CHAR, ch, keyData);
  if (ws.OnPreTranslate && ws.OnPreTranslate(this, pre)) return;
  if (!ws.IsWindow(this)) return;
  if (Send(alt ? CN_SYSCHAR : CN_CHAR, ch, keyData) != 0) return;
  if (!ws.IsWindow(this)) return;
  Send(alt ? WM_SYSCHAR : WM_CHAR, ch, keyData);
}

void TWindowPeer::InputMouse(UINT msg, WPARAM keys, int x, int y) {
  IWidgetset& ws = FWidgetset;
  ws.DeliverQueuedWheel();
  if (!ws.IsWindow(this)) return;
  // Double clicks only for classes that ask for them.
  if (!(FParams.ClassStyle & CS_DBLCLKS)) {
    if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
    if (msg == WM_RBUTTONDBLCLK) msg = WM_RBUTTONDOWN;
    if (msg == WM_MBUTTONDBLCLK) msg = WM_MBUTTONDOWN;
  }
  HWND target = this;
  HWND cap = ws.Capture();
  if (cap && ws.IsWindow(cap) && cap->FrameDragging()) {
    cap->TrackFrameDrag(msg, ClientToScreen(TPoint(x, y)));
    return;
  }
  if (cap && cap != this && ws.IsWindow(cap)) {
    TPoint s = ClientToScreen(TPoint(x, y));
    TPoint c = cap->ScreenToClient(s);
    target = cap;
    x = c.X;
    y = c.Y;
  }
  if (!target->TakesInput()) {
    // A window disabled while it held the mouse lets it go, as the system
    // cancels its mode: its controls see the capture end.
    if (target == cap) ws.SetCapture(nullptr);
    return;
  }
  TMessage pre(msg, keys, MakeLParam(x, y));
  if (ws.OnPreTranslate && ws.OnPreTranslate(target, pre)) return;
  if (!ws.IsWindow(target)) return;
  LRESULT hit = HTCLIENT;
  TPoint screen = target->ClientToScreen(TPoint(x, y));
  if (!cap) {
    hit = target->Send(WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y));
    if (!ws.IsWindow(target)) return;
    if (!IsFrameHit(hit)) hit = HTCLIENT;
  }
  if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    if (!cap) {
      target->Send(WM_SETCURSOR, WPARAM(target), LPARAM(MakeLong(uint16_t(hit), uint16_t(msg))));
      if (!ws.IsWindow(target)) return;
    }
  }
  if (hit != HTCLIENT) {
    // WM_MOUSEMOVE..WM_MBUTTONDBLCLK map one to one onto WM_NCMOUSEMOVE..
    target->Send(msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), MakeLParam(screen.X, screen.Y));
    return;
  }
  target->Send(msg, keys, MakeLParam(x, y));
}

void TWindowPeer::BeginFrameDrag(LRESULT hit, TPoint screen) {
  FFrameDrag.Hit = hit;
  FFrameDrag.Start = screen;
  FFrameDrag.Bounds = FBounds;
  if (FWidgetset.Capture() != this) FWidgetset.SetCapture(this);
}

void TWindowPeer::TrackFrameDrag(UINT msg, TPoint screen) {
  if (msg == WM_LBUTTONUP || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    EndFrameDrag();
    return;
  }
  if (msg != WM_MOUSEMOVE) return;
  const int dx = screen.X - FFrameDrag.Start.X;
  const int dy = screen.Y - FFrameDrag.Start.Y;
  TRect r = FFrameDrag.Bounds;
  const LRESULT hit = FFrameDrag.Hit;
  if (hit == HTCAPTION) {
    OffsetRect(r, dx, dy);
  } else {
    // An edge never passes the opposite one.
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) r.Left = std::min(r.Left + dx, r.Right);
    if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT) r.Right = std::max(r.Right + dx, r.Left);
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) r.Top = std::min(r.Top + dy, r.Bottom);
    if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) r.Bottom = std::max(r.Bottom + dy, r.Top);
  }
  if (r != FBounds) SetBounds(r);
}

void TWindowPeer::EndFrameDrag() {
  if (!FrameDragging()) return;
  FFrameDrag = TFrameDrag();
  if (FWidgetset.Capture() == this) FWidgetset.SetCapture(nullptr);
}

void TWindowPeer::InputWheel(int delta, WPARAM keys, int screenX, int screenY) {
  IWidgetset& ws = FWidgetset;
  ws.DeliverQueuedWheel();
  if (!ws.IsWindow(this)) return;
  // The wheel goes to the focused window (as Windows delivers it).
  HWND target = ws.Focus() && ws.IsWindow(ws.Focus()) ? ws.Focus() : this;
  if (!target->TakesInput()) return;
  WPARAM w = MakeWParam(uint16_t(keys), uint16_t(int16_t(delta)));
  TMessage pre(WM_MOUSEWHEEL, w, MakeLParam(screenX, screenY));
  if (ws.OnPreTranslate && ws.OnPreTranslate(target, pre)) return;
  if (!ws.IsWindow(target)) return;
  target->Send(WM_MOUSEWHEEL, w, MakeLParam(screenX, screenY));
}

void TWindowPeer::QueueWheel(int delta, WPARAM keys, int screenX, int screenY) {
  FWidgetset.QueueWheel(this, delta, keys, TPoint(screenX, screenY));
}

void IWidgetset::QueueWheel(HWND from, int delta, WPARAM keys, TPoint screen) {
  if (delta == 0) return;
  TQueuedWheel& q = FQueuedWheel;
  // Turns of one direction add up exactly (notches and their remainders);
  // the sum must still fit the message's 16-bit delta.
  const bool joins = q.From == from && q.Keys == keys && q.Screen == screen && (q.Delta < 0) == (delta < 0) &&
                     std::abs(std::int64_t(q.Delta) + delta) <= INT16_MAX;
  if (q.From && !joins) DeliverQueuedWheel();
  if (!IsWindow(from)) return;
  if (q.From) {
    q.Delta += delta;
    return;
  }
  q = TQueuedWheel{from, delta, keys, screen};
  WheelWaiting();
}

void IWidgetset::DeliverQueuedWheel() {
  if (!FQueuedWheel.From) return;
  const TQueuedWheel q = FQueuedWheel;
  FQueuedWheel = TQueuedWheel();
  if (IsWindow(q.From)) q.From->InputWheel(q.Delta, q.Keys, q.Screen.X, q.Screen.Y);
}

void TWindowPeer::InputImeCommit(const std::string& text) {
  if (!InputArrives() || text.empty()) return;
  FIme.CompositionString.clear();
  FIme.ResultString = text;
  Send(WM_IME_STARTCOMPOSITION, 0, 0);
  if (!FWidgetset.IsWindow(this)) return;
  Send(WM_IME_COMPOSITION, static_cast<unsigned char>(text[0]), GCS_RESULTSTR);
  if (!FWidgetset.IsWindow(this)) return;
  Send(WM_IME_ENDCOMPOSITION, 0, 0);
}

void TWindowPeer::InputDropFiles(const std::vector<std::string>& sysFiles, int x, int y) {
  if (!InputArrives() || !FAcceptFiles || sysFiles.empty()) return;
  // A name Windows-1251 cannot hold is refused: its conversion names
  // another file.
  std::vector<std::string> files;
  std::string refused;
  for (const std::string& f : sysFiles) {
    if (AnsiHoldsFileName(f))
      files.push_back(AnsiFileName(f));
    else if (refused.empty())
      refused = f;
  }
  if (!refused.empty()) RefuseUnholdableFileName(this, refused);
  if (files.empty()) return;
  HDROP drop = FWidgetset.NewDrop(files, TPoint(x, y));
  Send(WM_DROPFILES, WPARAM(drop), 0);
}

void TWindowPeer::InputScroll(int bar, int code, int pos) {
  if (!InputArrives() || (bar != SB_HORZ && bar != SB_VERT)) return;
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) SetTrackPos(bar, pos);
  Send(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MakeWParam(uint16_t(code), uint16_t(pos)), 0);
}

// ---------------------------------------------------------------------------
// IWidgetset

namespace {
IWidgetset* gWidgetset = nullptr;
}

IWidgetset::IWidgetset() = default;

IWidgetset::~IWidgetset() {
  ReleaseAllWindows();
  delete FScreenDC;
  FScreenDC = nullptr;
  for (HDROP d : FDrops) delete d;
  FDrops.clear();
  for (auto& kv : FStock) delete kv.second;
  FStock.clear();
  for (HGDIOBJ o : FRetiredStock) delete o;
  FRetiredStock.clear();
  if (gWidgetset == this) gWidgetset = nullptr;
}

void IWidgetset::ReleaseAllWindows() {
  // Whatever windows remain are freed without messages.
  std::set<HWND> left = FWindows;
  FWindows.clear();
  for (HWND w : left) {
    if (TWinControl* c = w->Control()) c->FHandle = nullptr;
    w->DetachDCs();
    delete w;
  }
  FCaret = TCaretState();
  FCapture = nullptr;
  FFocus = nullptr;
}

void IWidgetset::RegisterWindowClass(const std::string& className, TPeerFactory factory) {
  FClasses[className] = std::move(factory);
}

bool IWidgetset::HasWindowClass(const std::string& className) const { return FClasses.count(className) != 0; }

HWND IWidgetset::CreateWindowPeer(TWinControl* control, const TCreateParams& params) {
  TWindowPeer* peer = nullptr;
  auto it = FClasses.find(params.WinClassName);
  if (it != FClasses.end()) peer = it->second(*this, control, params);
  if (!peer) peer = CreateDefaultPeer(control, params);
  if (!peer) return nullptr;
  FWindows.insert(peer);
  if (params.WndParent && IsWindow(params.WndParent)) peer->SetParentWindow(params.WndParent);
  if (control) control->FHandle = peer;
  peer->Send(WM_NCCREATE, 0, 0);
  if (IsWindow(peer)) peer->Send(WM_CREATE, 0, 0);
  // As CreateWindowEx does, the new window hears its size and place.
  if (IsWindow(peer)) {
    TSize cs = peer->ClientSize();
    peer->Send(WM_SIZE, SIZE_RESTORED, LPARAM(MakeLong(uint16_t(cs.cx), uint16_t(cs.cy))));
  }
  if (IsWindow(peer)) {
    TRect m = peer->NonClientMargins();
    TRect b = peer->Bounds();
    peer->Send(WM_MOVE, 0, MakeLParam(b.Left + m.Left, b.Top + m.Top));
  }
  if (!IsWindow(peer)) return nullptr;
  if (peer->Visible()) peer->InvalidateRect(nullptr, true);
  return peer;
}

HWND IWidgetset::CreateUtilityWindow(TWndMethod method) {
  TCreateParams params;
  params.WinClassName = "TPUtilWindow";
  params.Style = WS_POPUP;
  TWindowPeer* peer = CreateDefaultPeer(nullptr, params);
  if (!peer) return nullptr;
  peer->SetWndMethod(std::move(method));
  FWindows.insert(peer);
  return peer;
}

void IWidgetset::DestroyWindowPeer(HWND wnd) {
  if (!IsWindow(wnd) || wnd->Destroying()) return;
  wnd->SetDestroying();
  std::vector<HWND> kids = wnd->Children();
  for (HWND k : kids) DestroyWindowPeer(k);
  if (FFocus == wnd) {
    FFocus = nullptr;
    wnd->Send(WM_KILLFOCUS, 0, 0);
  }
  wnd->Send(WM_DESTROY, 0, 0);
  if (FCaret.Owner == wnd) {
    FCaret = TCaretState();
    CaretChanged();
  }
  if (FCapture == wnd) FCapture = nullptr;
  if (FClipboard.Owner == wnd) FClipboard.Owner = nullptr;
  if (FClipboardOwner == wnd) FClipboardOwner = nullptr;
  wnd->Send(WM_NCDESTROY, 0, 0);
  WindowDestroyed(wnd);
  FPosted.erase(std::remove_if(FPosted.begin(), FPosted.end(), [wnd](const TPosted& p) { return p.Wnd == wnd; }),
                FPosted.end());
  if (FQueuedWheel.From == wnd) FQueuedWheel = TQueuedWheel();
  for (HWND k : wnd->Children()) k->FParent = nullptr;
  wnd->SetParentWindow(nullptr);
  FWindows.erase(wnd);
  // The windows it owned belong to nobody now.
  for (HWND w : FWindows)
    if (w->FOwner == wnd) w->SetOwnerWindow(nullptr);
  if (TWinControl* c = wnd->Control())
    if (c->FHandle == wnd) c->FHandle = nullptr;
  wnd->DetachDCs();
  delete wnd;
}

bool IWidgetset::PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (wnd && !IsWindow(wnd)) return false;
  if (!wnd) {
    if (msg == WM_QUIT) PostQuitMessage(int(w));
    return true;
  }
  FPosted.push_back(TPosted{wnd, msg, w, l});
  return true;
}

void IWidgetset::PostQuitMessage(int code) {
  FQuit = true;
  FQuitCode = code;
}

int IWidgetset::DeliverPosted() {
  // Summed wheel turns first, as each went at once when it was read.
  int done = WheelQueued() ? 1 : 0;
  DeliverQueuedWheel();
  size_t n = FPosted.size();
  for (size_t i = 0; i < n && !FPosted.empty(); ++i) {
    TPosted p = FPosted.front();
    FPosted.pop_front();
    if (!IsWindow(p.Wnd)) continue;
    p.Wnd->Send(p.Msg, p.W, p.L);
    ++done;
  }
  return done;
}

HDC IWidgetset::ScreenDC() {
  if (!FScreenDC) FScreenDC = CreateScreenDC();
  return FScreenDC;
}

HDC IWidgetset::CreateMemoryDC() {
  HDC dc = NewMemoryDC();
  if (dc) dc->SelectObject(StockObject(kDefaultBitmap));
  return dc;
}

void IWidgetset::PaintPending() {
  std::vector<std::pair<int, HWND>> order;
  for (HWND w : FWindows) {
    if (!w->NeedsPaint()) continue;
    int depth = 0;
    for (HWND p = w->ParentWindow(); p; p = p->ParentWindow()) ++depth;
    order.emplace_back(depth, w);
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& o : order)
    if (IsWindow(o.second)) o.second->UpdateNow();
}

DWORD IWidgetset::FontLanguageInfo(HFONT font) {
  return font && IsDbcsCharset(font->LogFont().lfCharSet) ? GCP_DBCS : 0;
}

HGDIOBJ IWidgetset::StockObject(int index) {
  auto it = FStock.find(index);
  if (index >= 1000 && index < 1000 + SYS_COLOR_COUNT && it != FStock.end()) {
    // A system-colour brush follows the colour table.
    if (static_cast<HBRUSH>(it->second)->Color() != GetSysColor(index - 1000)) {
      FRetiredStock.push_back(it->second);
      FStock.erase(it);
      it = FStock.end();
    }
  }
  if (it != FStock.end()) return it->second;
  HGDIOBJ obj = nullptr;
  auto font = [this](const char* face, int height, int weight, uint8_t charset, uint8_t pitch) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charset;
    lf.lfPitchAndFamily = pitch;
    SetLogFontFaceName(lf, face);
    return CreateFont(lf);
  };
  auto brush = [](UINT style, COLORREF c) {
    LOGBRUSH lb;
    lb.lbStyle = style;
    lb.lbColor = c;
    return new TGdiBrush(lb);
  };
  switch (index) {
    case WHITE_BRUSH: obj = brush(BS_SOLID, 0xFFFFFF); break;
    case LTGRAY_BRUSH: obj = brush(BS_SOLID, 0xC0C0C0); break;
    case GRAY_BRUSH: obj = brush(BS_SOLID, 0x808080); break;
    case DKGRAY_BRUSH: obj = brush(BS_SOLID, 0x404040); break;
    case BLACK_BRUSH: obj = brush(BS_SOLID, 0x000000); break;
    case NULL_BRUSH: obj = brush(BS_NULL, 0); break;
    case WHITE_PEN: obj = new TGdiPen(PS_SOLID, 1, 0xFFFFFF); break;
    case BLACK_PEN: obj = new TGdiPen(PS_SOLID, 1, 0x000000); break;
    case NULL_PEN: obj = new TGdiPen(PS_NULL, 1, 0); break;
    case OEM_FIXED_FONT: obj = font("Terminal", 12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN); break;
    case ANSI_FIXED_FONT: obj = font("Courier New", -13, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN); break;
    case ANSI_VAR_FONT: obj = font("MS Sans Serif", -11, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS); break;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: obj = font("System", 16, FW_BOLD, DEFAULT_CHARSET, VARIABLE_PITCH | FF_SWISS); break;
    case SYSTEM_FIXED_FONT: obj = font("Fixedsys", 15, FW_NORMAL, DEFAULT_CHARSET, FIXED_PITCH | FF_MODERN); break;
    case DEFAULT_GUI_FONT:
      obj = font("MS Shell Dlg", -11, FW_NORMAL, DEFAULT_CHARSET, VARIABLE_PITCH | FF_SWISS);
      break;
    case kDefaultBitmap: obj = new TGdiBitmap(1, 1, 1); break;
    default:
      if (index >= 1000 && index < 1000 + SYS_COLOR_COUNT) obj = brush(BS_SOLID, GetSysColor(index - 1000));
      break;
  }
  if (!obj) return nullptr;
  obj->MakeStock();
  FStock[index] = obj;
  return obj;
}

int16_t IWidgetset::KeyState(int vk) {
  uint8_t s = FKeys[vk & 0xFF];
  return int16_t(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

void IWidgetset::SetKeyDown(int vk, bool down) {
  // Summed wheel turns see the keys held when they were turned.
  if (((FKeys[vk & 0xFF] & 0x80) != 0) != down) DeliverQueuedWheel();
  uint8_t& s = FKeys[vk & 0xFF];
  if (down) {
    if (!(s & 0x80)) s ^= 1;  // each press flips the toggle
    s |= 0x80;
  } else {
    s &= uint8_t(~0x80);
  }
}

void IWidgetset::SetKeyToggled(int vk, bool on) {
  uint8_t& s = FKeys[vk & 0xFF];
  s = uint8_t(on ? (s | 1) : (s & ~1));
}

HWND IWidgetset::SetCapture(HWND wnd) {
  HWND old = FCapture;
  if (wnd && !IsWindow(wnd)) return old;
  FCapture = wnd;
  // Losing the mouse ends a move or resize that follows it.
  if (old && old != wnd && IsWindow(old)) old->FFrameDrag = TWindowPeer::TFrameDrag();
  if (old && old != wnd && IsWindow(old)) old->Send(WM_CAPTURECHANGED, 0, LPARAM(wnd));
  return old;
}

HCURSOR IWidgetset::SetCursor(HCURSOR c) {
  HCURSOR old = FCursor;
  FCursor = c;
  return old;
}

HWND IWidgetset::SetFocus(HWND wnd) {
  HWND old = FFocus;
  if (wnd && !IsWindow(wnd)) return nullptr;
  FocusChanged(wnd);
  return old;
}

void IWidgetset::FocusChanged(HWND newFocus) {
  if (newFocus == FFocus) return;
  if (newFocus && !IsWindow(newFocus)) return;
  // Summed wheel turns go to the window that had the focus when they came.
  DeliverQueuedWheel();
  if (newFocus == FFocus || (newFocus && !IsWindow(newFocus))) return;
  HWND old = FFocus;
  FFocus = newFocus;
  if (old && IsWindow(old)) old->Send(WM_KILLFOCUS, WPARAM(newFocus), 0);
  if (newFocus && FFocus == newFocus && IsWindow(newFocus)) newFocus->Send(WM_SETFOCUS, WPARAM(old), 0);
}

TRect IWidgetset::StyleMargins(DWORD style, DWORD ex) {
  int b = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    b = SystemMetric(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    b = 1;
  }
  if (style & WS_THICKFRAME)
    b = SystemMetric(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) && (style & WS_CAPTION) != WS_CAPTION)
    b = SystemMetric(SM_CXDLGFRAME);
  if (ex & WS_EX_CLIENTEDGE) b += 2;
  if (ex & WS_EX_STATICEDGE) b += 1;
  TRect m(b, b, b, b);
  if ((style & WS_CAPTION) == WS_CAPTION) m.Top += SystemMetric(SM_CYCAPTION);
  return m;
}

int IWidgetset::SystemMetric(int index) {
  auto it = FMetrics.find(index);
  if (it != FMetrics.end()) return it->second;
  TSize scr = ScreenSize();
  switch (index) {
    case SM_CXSCREEN: return scr.cx;
    case SM_CYSCREEN: return scr.cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return scr.cx;
    case SM_CYFULLSCREEN: return scr.cy - 19;
    case SM_SWAPBUTTON: return 0;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_DBCSENABLED: return 0;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXMAXIMIZED: return scr.cx + 8;
    case SM_CYMAXIMIZED: return scr.cy + 8;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_CXVIRTUALSCREEN: return scr.cx;
    case SM_CYVIRTUALSCREEN: return scr.cy;
    case SM_IMMENABLED: return 1;
    default: return 0;
  }
}

UINT IWidgetset::RegisterClipboardFormat(const std::string& name) {
  if (name.empty()) return 0;
  std::string key = AnsiUpperCase(name);
  auto it = FFormatIds.find(key);
  if (it != FFormatIds.end()) return it->second;
  UINT id = 0xC000 + UINT(FFormatIds.size());
  FFormatIds[key] = id;
  FFormatNames[id] = name;
  return id;
}

std::string IWidgetset::ClipboardFormatName(UINT format) const {
  auto it = FFormatNames.find(format);
  return it == FFormatNames.end() ? std::string() : it->second;
}

HDROP IWidgetset::NewDrop(std::vector<std::string> files, TPoint pt) {
  auto* d = new TDropHandle;
  d->Files = std::move(files);
  d->Point = pt;
  FDrops.insert(d);
  return d;
}

void IWidgetset::FreeDrop(HDROP drop) {
  if (FDrops.erase(drop)) delete drop;
}

void SetWidgetset(IWidgetset* ws) { gWidgetset = ws; }

IWidgetset& Widgetset() {
  if (!gWidgetset) throw Exception("No widget set is installed");
  return *gWidgetset;
}

bool WidgetsetInstalled() { return gWidgetset != nullptr; }

HWND AllocateHWnd(TWndMethod method) { return Widgetset().CreateUtilityWindow(std::move(method)); }

void DeallocateHWnd(HWND wnd) {
  if (WidgetsetInstalled()) Widgetset().DestroyWindowPeer(wnd);
}

HWND IWidgetset::WindowFromPoint(TPoint screen) {
  std::function<HWND(HWND)> search = [&](HWND w) -> HWND {
    if (!w->Visible()) return nullptr;
    TRect b = w->Bounds();
    TPoint origin;
    if (HWND p = w->ParentWindow()) origin = p->ClientOrigin();
    OffsetRect(b, origin.X, origin.Y);
    if (!PtInRect(b, screen)) return nullptr;
    const std::vector<HWND>& kids = w->Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
      if (HWND hit = search(*it)) return hit;
    return w;
  };
  HWND found = nullptr;
  for (HWND w : FWindows) {
    if (w->ParentWindow() || !w->Control()) continue;
    if (HWND hit = search(w)) found = hit;
  }
  return found;
}
