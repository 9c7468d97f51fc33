// Window-level Win32 calls over the installed widget set.
#include "platform/Win32.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/CodePage.h"
#include "platform/Widgetset.h"

namespace {
IWidgetset& WS() { return Widgetset(); }
bool Valid(HWND w) { return w && WidgetsetInstalled() && WS().IsWindow(w); }
}  // namespace

// ---- painting ----
HDC GetDC(HWND wnd) {
  if (!wnd) return WS().ScreenDC();
  if (!Valid(wnd)) return nullptr;
  return wnd->GetDC();
}

int ReleaseDC(HWND wnd, HDC dc) {
  if (!dc) return 0;
  if (!wnd) return dc == WS().ScreenDC() ? 1 : 0;
  if (!Valid(wnd) || !wnd->OwnsDC(dc)) return 0;
  wnd->ReleaseDC(dc);
  return 1;
}

HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps) {
  if (!Valid(wnd) || !ps) return nullptr;
  return wnd->BeginPaint(*ps);
}

bool EndPaint(HWND wnd, const PAINTSTRUCT* ps) {
  if (!Valid(wnd) || !ps) return false;
  wnd->EndPaint(*ps);
  return true;
}

bool InvalidateRect(HWND wnd, const TRect* r, bool erase) {
  if (!Valid(wnd)) return false;
  wnd->InvalidateRect(r, erase);
  return true;
}

bool InvalidateRgn(HWND wnd, HRGN rgn, bool erase) {
  if (!Valid(wnd)) return false;
  if (!rgn)
    wnd->InvalidateRect(nullptr, erase);
  else
    wnd->InvalidateRegion(rgn->Rects, erase);
  return true;
}

bool ValidateRect(HWND wnd, const TRect* r) {
  if (!Valid(wnd)) return false;
  wnd->ValidateRect(r);
  return true;
}

bool GetUpdateRect(HWND wnd, TRect* r, bool) {
  if (!Valid(wnd)) return false;
  if (r) *r = RegionOps::Bounds(wnd->UpdateRegion());
  return wnd->NeedsPaint();
}

bool UpdateWindow(HWND wnd) {
  if (!Valid(wnd)) return false;
  wnd->UpdateNow();
  return true;
}

bool RedrawWindow(HWND wnd, const TRect* r, HRGN rgn, UINT flags) {
  if (!Valid(wnd)) return false;
  std::vector<TRect> area;
  if (rgn)
    area = rgn->Rects;
  else if (r)
    area.push_back(*r);
  else
    area.push_back(wnd->ClientRect());
  std::function<void(HWND, const std::vector<TRect>&)> apply = [&](HWND w, const std::vector<TRect>& a) {
    if (flags & RDW_INVALIDATE) w->InvalidateRegion(a, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
      for (const TRect& x : a) w->ValidateRect(&x);
    if (flags & RDW_ALLCHILDREN)
      for (HWND c : w->Children()) {
        std::vector<TRect> ca = a;
        TRect b = c->Bounds();
        RegionOps::Offset(ca, -b.Left, -b.Top);
        apply(c, ca);
      }
  };
  apply(wnd, area);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    std::function<void(HWND)> upd = [&](HWND w) {
      w->UpdateNow();
      if (flags & RDW_ALLCHILDREN)
        for (HWND c : w->Children()) upd(c);
    };
    upd(wnd);
  }
  return true;
}

bool ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip) {
  if (!Valid(wnd)) return false;
  UINT flags = SW_INVALIDATE | SW_ERASE;
  if (!scroll) flags |= SW_SCROLLCHILDREN;
  wnd->Scroll(dx, dy, scroll, clip, nullptr, flags);
  return true;
}

int ScrollWindowEx(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
                   UINT flags) {
  if (!Valid(wnd)) return ERROR;
  std::vector<TRect> unc;
  int r = wnd->Scroll(dx, dy, scroll, clip, &unc, flags);
  if (update) update->Rects = unc;
  if (updateRect) *updateRect = RegionOps::Bounds(unc);
  return r;
}

// ---- geometry ----
bool GetClientRect(HWND wnd, TRect* r) {
  if (!Valid(wnd) || !r) return false;
  *r = wnd->ClientRect();
  return true;
}

bool GetWindowRect(HWND wnd, TRect* r) {
  if (!Valid(wnd) || !r) return false;
  TRect b = wnd->Bounds();
  if (HWND p = wnd->ParentWindow()) {
    TPoint o = p->ClientOrigin();
    OffsetRect(b, o.X, o.Y);
  }
  *r = b;
  return true;
}

bool ClientToScreen(HWND wnd, TPoint* p) {
  if (!Valid(wnd) || !p) return false;
  *p = wnd->ClientToScreen(*p);
  return true;
}

bool ScreenToClient(HWND wnd, TPoint* p) {
  if (!Valid(wnd) || !p) return false;
  *p = wnd->ScreenToClient(*p);
  return true;
}

int MapWindowPoints(HWND from, HWND to, TPoint* pts, int count) {
  TPoint o1 = from && Valid(from) ? from->ClientOrigin() : TPoint();
  TPoint o2 = to && Valid(to) ? to->ClientOrigin() : TPoint();
  int dx = o1.X - o2.X, dy = o1.Y - o2.Y;
  for (int i = 0; i < count; ++i) {
    pts[i].X += dx;
    pts[i].Y += dy;
  }
  return int(MakeLong(uint16_t(int16_t(dx)), uint16_t(int16_t(dy))));
}

bool MoveWindow(HWND wnd, int x, int y, int w, int h, bool repaint) {
  if (!Valid(wnd)) return false;
  wnd->SetBounds(TRect(x, y, x + w, y + h));
  if (repaint) wnd->InvalidateRect(nullptr, true);
  return true;
}

bool ShowWindow(HWND wnd, int cmd) {
  if (!Valid(wnd)) return false;
  bool was = wnd->Visible();
  wnd->SetShowState(cmd);
  return was;
}

int SetWindowRgn(HWND wnd, HRGN rgn, bool redraw) {
  if (!Valid(wnd)) {
    if (rgn) DeleteObject(rgn);
    return 0;
  }
  if (rgn) {
    std::vector<TRect> rects = rgn->Rects;
    DeleteObject(rgn);
    wnd->SetWindowRegion(&rects);
  } else {
    wnd->SetWindowRegion(nullptr);
  }
  if (redraw) wnd->InvalidateRect(nullptr, true);
  return 1;
}

bool IsWindow(HWND wnd) { return Valid(wnd); }
bool IsWindowVisible(HWND wnd) { return Valid(wnd) && wnd->Showing(); }
bool IsWindowEnabled(HWND wnd) { return Valid(wnd) && wnd->Enabled(); }

bool EnableWindow(HWND wnd, bool enable) {
  if (!Valid(wnd)) return false;
  bool wasDisabled = !wnd->Enabled();
  wnd->SetEnabled(enable);
  return wasDisabled;
}

HWND GetParent(HWND wnd) { return Valid(wnd) ? wnd->ParentWindow() : nullptr; }

bool SetWindowText(HWND wnd, const std::string& text) {
  if (!Valid(wnd)) return false;
  wnd->Send(WM_SETTEXT, 0, LPARAM(text.c_str()));
  return true;
}

std::string GetWindowTextString(HWND wnd) {
  if (!Valid(wnd)) return std::string();
  LRESULT n = wnd->Send(WM_GETTEXTLENGTH, 0, 0);
  std::string buf(size_t(std::max<LRESULT>(n, 0)) + 1, '\0');
  LRESULT got = wnd->Send(WM_GETTEXT, WPARAM(buf.size()), LPARAM(&buf[0]));
  buf.resize(size_t(std::max<LRESULT>(0, std::min<LRESULT>(got, LRESULT(buf.size()) - 1))));
  return buf;
}

bool DestroyWindow(HWND wnd) {
  if (!Valid(wnd)) return false;
  WS().DestroyWindowPeer(wnd);
  return true;
}

// ---- caret ----
bool CreateCaret(HWND wnd, HBITMAP bitmap, int width, int height) {
  if (!Valid(wnd)) return false;
  TCaretState& c = WS().Caret();
  c = TCaretState();
  c.Owner = wnd;
  c.Bitmap = bitmap;
  if (bitmap && bitmap != reinterpret_cast<HBITMAP>(1)) {
    width = bitmap->Width();
    height = bitmap->Height();
  }
  c.Width = width > 0 ? width : WS().SystemMetric(SM_CXBORDER);
  c.Height = height > 0 ? height : WS().SystemMetric(SM_CYBORDER);
  c.HideCount = 1;
  WS().CaretChanged();
  return true;
}

bool DestroyCaret() {
  TCaretState& c = WS().Caret();
  if (!c.Owner) return false;
  c = TCaretState();
  WS().CaretChanged();
  return true;
}

bool SetCaretPos(int x, int y) {
  TCaretState& c = WS().Caret();
  if (!c.Owner) return false;
  c.Pos = TPoint(x, y);
  WS().CaretChanged();
  return true;
}

bool GetCaretPos(TPoint* p) {
  if (!p) return false;
  *p = WS().Caret().Pos;
  return true;
}

bool ShowCaret(HWND wnd) {
  TCaretState& c = WS().Caret();
  if (!c.Owner || (wnd && wnd != c.Owner)) return false;
  if (c.HideCount > 0) --c.HideCount;
  WS().CaretChanged();
  return true;
}

bool HideCaret(HWND wnd) {
  TCaretState& c = WS().Caret();
  if (!c.Owner || (wnd && wnd != c.Owner)) return false;
  ++c.HideCount;
  WS().CaretChanged();
  return true;
}

UINT GetCaretBlinkTime() { return WS().CaretBlinkTime(); }
bool SetCaretBlinkTime(UINT ms) {
  WS().SetCaretBlinkTime(ms);
  return true;
}

// ---- scroll bars ----
int SetScrollInfo(HWND wnd, int bar, const SCROLLINFO* si, bool redraw) {
  if (!Valid(wnd) || !si) return 0;
  return wnd->SetScrollInfo(bar, *si, redraw);
}

bool GetScrollInfo(HWND wnd, int bar, SCROLLINFO* si) {
  if (!Valid(wnd) || !si) return false;
  return wnd->GetScrollInfo(bar, *si);
}

int SetScrollPos(HWND wnd, int bar, int pos, bool redraw) {
  if (!Valid(wnd)) return 0;
  int old = wnd->ScrollBar(bar).Pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  wnd->SetScrollInfo(bar, si, redraw);
  return old;
}

int GetScrollPos(HWND wnd, int bar) { return Valid(wnd) ? wnd->ScrollBar(bar).Pos : 0; }

bool SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw) {
  if (!Valid(wnd)) return false;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  wnd->SetScrollInfo(bar, si, redraw);
  return true;
}

bool GetScrollRange(HWND wnd, int bar, int* minPos, int* maxPos) {
  if (!Valid(wnd)) return false;
  if (minPos) *minPos = wnd->ScrollBar(bar).Min;
  if (maxPos) *maxPos = wnd->ScrollBar(bar).Max;
  return true;
}

bool ShowScrollBar(HWND wnd, int bar, bool show) { return Valid(wnd) && wnd->ShowScrollBar(bar, show); }
bool EnableScrollBar(HWND wnd, UINT bar, UINT arrows) { return Valid(wnd) && wnd->EnableScrollBar(int(bar), arrows); }

// ---- timers ----
uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) {
  if (wnd && !Valid(wnd)) return 0;
  return WS().SetTimer(wnd, id, ms, proc);
}

bool KillTimer(HWND wnd, uintptr_t id) { return WS().KillTimer(wnd, id); }

DWORD GetTickCount() { return WS().TickCount(); }

// ---- keyboard ----
int16_t GetKeyState(int vk) { return WS().KeyState(vk); }
int16_t GetAsyncKeyState(int vk) { return WS().AsyncKeyState(vk); }
bool GetKeyboardState(uint8_t* state256) {
  if (!state256) return false;
  std::memcpy(state256, WS().KeyboardState(), 256);
  return true;
}

// ---- mouse ----
HWND SetCapture(HWND wnd) { return WS().SetCapture(wnd); }
bool ReleaseCapture() {
  WS().SetCapture(nullptr);
  return true;
}
HWND GetCapture() { return WS().Capture(); }
bool GetCursorPos(TPoint* p) {
  if (!p) return false;
  *p = WS().CursorPos();
  return true;
}
bool SetCursorPos(int x, int y) {
  WS().SetCursorPos(TPoint(x, y));
  return true;
}
UINT GetDoubleClickTime() { return WS().DoubleClickTime(); }

HCURSOR LoadCursor(HINSTANCE, intptr_t id) { return id; }
HCURSOR SetCursor(HCURSOR cursor) { return WS().SetCursor(cursor); }
HCURSOR GetCursor() { return WS().CurrentCursor(); }
int ShowCursor(bool show) { return show ? 0 : -1; }

int GetSystemMetrics(int index) { return WS().SystemMetric(index); }

bool SystemParametersInfo(UINT action, UINT, void* value, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (!value) return false;
      *static_cast<TRect*>(value) = WS().WorkArea();
      return true;
    case SPI_GETWHEELSCROLLLINES:
      if (!value) return false;
      *static_cast<UINT*>(value) = 3;
      return true;
    default: return false;
  }
}

// ---- messages ----
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (!Valid(wnd)) return 0;
  return wnd->Send(msg, w, l);
}

bool PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l) { return WS().PostMessage(wnd, msg, w, l); }
void PostQuitMessage(int code) { WS().PostQuitMessage(code); }

LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (!Valid(wnd)) return 0;
  TMessage m(msg, w, l);
  wnd->DefWindowProc(m);
  return m.Result;
}

UINT RegisterWindowMessage(const std::string& name) {
  static std::map<std::string, UINT> registered;
  if (name.empty()) return 0;
  std::string key = AnsiUpperCase(name);
  auto it = registered.find(key);
  if (it != registered.end()) return it->second;
  UINT id = 0xC000 + UINT(registered.size());
  registered.emplace(key, id);
  return id;
}

// ---- focus ----
HWND GetFocus() { return WS().Focus(); }
HWND SetFocus(HWND wnd) { return WS().SetFocus(wnd); }
HWND GetActiveWindow() { return WS().ActiveWindow(); }

bool MessageBeep(UINT type) { return WS().Beep(type); }

// ---- global memory ----
namespace {
std::set<HGLOBAL>& Blocks() {
  static std::set<HGLOBAL> blocks;
  return blocks;
}
}  // namespace

HGLOBAL GlobalAlloc(UINT, size_t bytes) {
  auto* b = new TGlobalBlock;
  b->Bytes.assign(bytes, '\0');
  Blocks().insert(b);
  return b;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, size_t bytes, UINT) {
  if (!mem || !Blocks().count(mem)) return nullptr;
  mem->Bytes.resize(bytes, '\0');
  return mem;
}

void* GlobalLock(HGLOBAL mem) {
  if (!mem || !Blocks().count(mem)) return nullptr;
  ++mem->LockCount;
  return mem->Bytes.empty() ? static_cast<void*>(&mem->LockCount) : static_cast<void*>(&mem->Bytes[0]);
}

bool GlobalUnlock(HGLOBAL mem) {
  if (!mem || !Blocks().count(mem)) return false;
  if (mem->LockCount > 0) --mem->LockCount;
  return mem->LockCount > 0;
}

size_t GlobalSize(HGLOBAL mem) { return mem && Blocks().count(mem) ? mem->Bytes.size() : 0; }

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  if (!Blocks().erase(mem)) return mem;
  delete mem;
  return nullptr;
}

HGLOBAL GlobalAllocBytes(const std::string& bytes) {
  HGLOBAL b = GlobalAlloc(GMEM_MOVEABLE, 0);
  b->Bytes = bytes;
  return b;
}

std::string GlobalBytes(HGLOBAL mem) { return mem && Blocks().count(mem) ? mem->Bytes : std::string(); }

// ---- dropped files ----
void DragAcceptFiles(HWND wnd, bool accept) {
  if (Valid(wnd)) wnd->SetAcceptFiles(accept);
}

UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size) {
  if (!drop || !WS().IsDrop(drop)) return 0;
  if (index == 0xFFFFFFFFu) return UINT(drop->Files.size());
  if (index >= drop->Files.size()) return 0;
  const std::string& f = drop->Files[index];
  if (!buffer) return UINT(f.size());
  if (size == 0) return 0;
  UINT n = std::min<UINT>(UINT(f.size()), size - 1);
  std::memcpy(buffer, f.data(), n);
  buffer[n] = 0;
  return n;
}

std::string DragQueryFileString(HDROP drop, UINT index) {
  if (!drop || !WS().IsDrop(drop) || index >= drop->Files.size()) return std::string();
  return drop->Files[index];
}

bool DragQueryPoint(HDROP drop, TPoint* p) {
  if (!drop || !WS().IsDrop(drop) || !p) return false;
  *p = drop->Point;
  return !drop->NonClient;
}

void DragFinish(HDROP drop) {
  if (WidgetsetInstalled()) WS().FreeDrop(drop);
}

// ---- input method ----
HIMC ImmGetContext(HWND wnd) { return Valid(wnd) ? &wnd->Ime() : nullptr; }
bool ImmReleaseContext(HWND wnd, HIMC imc) { return Valid(wnd) && imc; }

int32_t ImmGetCompositionString(HIMC imc, DWORD index, void* buffer, DWORD size) {
  if (!imc) return -1;
  const std::string* s = nullptr;
  if (index == DWORD(GCS_RESULTSTR))
    s = &imc->ResultString;
  else if (index == DWORD(GCS_COMPSTR))
    s = &imc->CompositionString;
  else
    return 0;
  if (!buffer || size == 0) return int32_t(s->size());
  DWORD n = std::min<DWORD>(DWORD(s->size()), size);
  std::memcpy(buffer, s->data(), n);
  return int32_t(n);
}

bool ImmSetCompositionFont(HIMC imc, const LOGFONT* lf) {
  if (!imc || !lf) return false;
  imc->Font = *lf;
  imc->HasFont = true;
  return true;
}

bool ImmSetCompositionWindow(HIMC imc, const COMPOSITIONFORM* form) {
  if (!imc || !form) return false;
  imc->Form = *form;
  return true;
}

bool ImmGetOpenStatus(HIMC imc) { return imc && imc->Open; }
bool ImmSetOpenStatus(HIMC imc, bool open) {
  if (!imc) return false;
  imc->Open = open;
  return true;
}

// ---- clipboard ----
namespace {

// The text formats are offered in each other's forms.
void AddSynthesized(std::vector<std::pair<UINT, std::string>>& data) {
  auto find = [&](UINT f) -> const std::string* {
    for (auto& d : data)
      if (d.first == f) return &d.second;
    return nullptr;
  };
  auto strip = [](std::string s, size_t unit) {
    // Up to the first NUL (character) of the given size.
    for (size_t i = 0; i + unit <= s.size(); i += unit) {
      bool zero = true;
      for (size_t k = 0; k < unit; ++k)
        if (s[i + k] != 0) zero = false;
      if (zero) return s.substr(0, i);
    }
    return s.substr(0, s.size() - s.size() % unit);
  };
  const std::string* text = find(CF_TEXT);
  const std::string* uni = find(CF_UNICODETEXT);
  const std::string* oem = find(CF_OEMTEXT);
  if (!uni && (text || oem)) {
    std::u16string u = text ? Cp1251ToUtf16(strip(*text, 1)) : Cp866ToUtf16(strip(*oem, 1));
    std::string bytes(reinterpret_cast<const char*>(u.data()), u.size() * 2);
    bytes.append(2, '\0');
    data.emplace_back(CF_UNICODETEXT, bytes);
    uni = find(CF_UNICODETEXT);
    text = find(CF_TEXT);
    oem = find(CF_OEMTEXT);
  }
  if (uni) {
    std::string raw = strip(*uni, 2);
    std::u16string u(raw.size() / 2, u'\0');
    std::memcpy(&u[0], raw.data(), raw.size() - raw.size() % 2);
    if (!text) data.emplace_back(CF_TEXT, Utf16ToCp1251(u) + std::string(1, '\0'));
    if (!find(CF_OEMTEXT)) data.emplace_back(CF_OEMTEXT, Utf16ToCp866(u) + std::string(1, '\0'));
  }
}

}  // namespace

UINT RegisterClipboardFormat(const std::string& name) { return WS().RegisterClipboardFormat(name); }

int GetClipboardFormatName(UINT format, char* buffer, int size) {
  std::string n = WS().ClipboardFormatName(format);
  if (n.empty() || !buffer || size <= 0) return 0;
  int m = std::min<int>(int(n.size()), size - 1);
  std::memcpy(buffer, n.data(), size_t(m));
  buffer[m] = 0;
  return m;
}

std::string ClipboardFormatName(UINT format) { return WS().ClipboardFormatName(format); }

bool OpenClipboard(HWND owner) {
  IWidgetset& ws = WS();
  auto& s = ws.ClipboardSession();
  if (s.Open || !ws.ClipboardCanOpen()) return false;
  s.Open = true;
  s.Owner = owner;
  s.Emptied = false;
  s.Pending.clear();
  s.Handed.clear();
  return true;
}

bool CloseClipboard() {
  IWidgetset& ws = WS();
  auto& s = ws.ClipboardSession();
  if (!s.Open) return false;
  if (s.Emptied) {
    std::vector<std::pair<UINT, std::string>> data = s.Pending;
    AddSynthesized(data);
    ws.ClipboardSet(data);
    ws.SetClipboardOwner(s.Owner);
  }
  s.Open = false;
  s.Owner = nullptr;
  s.Emptied = false;
  s.Pending.clear();
  for (auto& b : s.Handed) GlobalFree(b.release());
  s.Handed.clear();
  return true;
}

bool EmptyClipboard() {
  auto& s = WS().ClipboardSession();
  if (!s.Open) return false;
  s.Emptied = true;
  s.Pending.clear();
  return true;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL data) {
  auto& s = WS().ClipboardSession();
  if (!s.Open || !s.Emptied || format == 0 || !WS().ClipboardAccepts(format)) return nullptr;
  std::string bytes = data ? GlobalBytes(data) : std::string();
  for (auto it = s.Pending.begin(); it != s.Pending.end(); ++it)
    if (it->first == format) {
      s.Pending.erase(it);
      break;
    }
  s.Pending.emplace_back(format, bytes);
  // The clipboard owns the block now.
  if (data) GlobalFree(data);
  return data;
}

HGLOBAL GetClipboardData(UINT format) {
  IWidgetset& ws = WS();
  auto& s = ws.ClipboardSession();
  if (!s.Open) return nullptr;
  std::vector<std::pair<UINT, std::string>> data;
  if (s.Emptied) {
    data = s.Pending;
  } else {
    for (UINT f : ws.ClipboardFormats()) {
      std::string bytes;
      if (f == format || f == CF_TEXT || f == CF_UNICODETEXT || f == CF_OEMTEXT)
        if (ws.ClipboardGet(f, bytes)) data.emplace_back(f, bytes);
    }
  }
  AddSynthesized(data);
  for (auto& d : data)
    if (d.first == format) {
      HGLOBAL b = GlobalAllocBytes(d.second);
      s.Handed.emplace_back(b);
      return b;
    }
  return nullptr;
}

bool IsClipboardFormatAvailable(UINT format) {
  IWidgetset& ws = WS();
  std::vector<UINT> f = ws.ClipboardFormats();
  bool has = std::find(f.begin(), f.end(), format) != f.end();
  if (has) return true;
  bool anyText = std::find(f.begin(), f.end(), CF_TEXT) != f.end() ||
                 std::find(f.begin(), f.end(), CF_UNICODETEXT) != f.end() ||
                 std::find(f.begin(), f.end(), CF_OEMTEXT) != f.end();
  return anyText && (format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT);
}

int CountClipboardFormats() {
  std::vector<UINT> f = WS().ClipboardFormats();
  bool anyText = false;
  for (UINT x : f)
    if (x == CF_TEXT || x == CF_UNICODETEXT || x == CF_OEMTEXT) anyText = true;
  int n = 0;
  for (UINT x : f)
    if (x != CF_TEXT && x != CF_UNICODETEXT && x != CF_OEMTEXT) ++n;
  return n + (anyText ? 3 : 0);
}

UINT EnumClipboardFormats(UINT format) {
  std::vector<UINT> f = WS().ClipboardFormats();
  bool anyText = false;
  std::vector<UINT> list;
  for (UINT x : f) {
    if (x == CF_TEXT || x == CF_UNICODETEXT || x == CF_OEMTEXT)
      anyText = true;
    else
      list.push_back(x);
  }
  if (anyText) list.insert(list.begin(), {CF_TEXT, CF_UNICODETEXT, CF_OEMTEXT});
  if (format == 0) return list.empty() ? 0 : list[0];
  auto it = std::find(list.begin(), list.end(), format);
  if (it == list.end() || it + 1 == list.end()) return 0;
  return *(it + 1);
}

HWND GetClipboardOwner() { return WS().ClipboardOwner(); }
