// A recording widget set for tests without Qt.
//
// - Fonts: every character is CharWidth x CharHeight (8 x 16 by default)
//   for any font; per-face overrides with SetFontMetrics; GetCharABCWidths
//   can be made to fail (SetABCFails).
// - Windows: FakePeer keeps a real 32-bit backing bitmap, so rectangles,
//   lines, blits and background fills are pixel-exact (GetPixel / Pixel),
//   while text leaves no glyph ink: each character drawn is remembered as a
//   glyph cell (TextAt, RowText) and every drawing call is recorded with the
//   DC state at that moment (Calls).
// - Timers run on a manual clock (Advance); posted messages and paints are
//   delivered by ProcessMessages.
// - Caret and scroll-bar state are those of the Win32 layer (Caret(),
//   peer->ScrollBar(bar)); key state is injected (SetKeyDown, SetToggled).
// - The clipboard keeps bytes per format.
// - Input helpers deliver keys, characters, mouse and wheel messages the way
//   the Qt widget set does (CN_KEYDOWN then WM_KEYDOWN, ...).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/WebBrowser.h"
#include "platform/Widgetset.h"
#include "platform/Win32.h"

class FakeWidgetset;

// One recorded drawing call.
struct TFakeDrawCall {
  enum TKind {
    ExtTextOut,
    FillRect,
    FrameRect,
    InvertRect,
    DrawFocusRect,
    PatBlt,
    Rectangle,
    RoundRect,
    Ellipse,
    LineTo,
    Polyline,
    Polygon,
    SetPixel,
    StretchBlt,
    TransparentBlt,
    Scroll
  };
  TKind Kind;
  HWND Window = nullptr;  // the window of a window DC, else null
  bool MemoryDC = false;
  // Logical coordinates as passed; device coordinates in DeviceRect.
  int X = 0;
  int Y = 0;
  TRect Rect;        // the rectangle argument (ExtTextOut: the option rect)
  TRect DeviceRect;  // the same in device coordinates
  bool HasRect = false;
  UINT Options = 0;     // ExtTextOut options, raster op
  std::string Text;     // ExtTextOut text
  std::vector<int> Dx;  // ExtTextOut spacing (empty when none was given)
  std::vector<TPoint> Points;
  COLORREF Color = 0;  // brush / pixel colour
  // DC state when the call was made.
  LOGFONT Font;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0;
  int BkMode = 0;
  int CharExtra = 0;
  COLORREF PenColor = 0;
  COLORREF BrushColor = 0;
  UINT BrushStyle = 0;
  TPoint Offset;            // logical -> device
  std::vector<TRect> Clip;  // effective clip (device)
};

// A glyph cell: what the last text drawn over a pixel position was.
struct TFakeGlyph {
  char Ch = 0;
  TRect Cell;  // device rectangle of the character cell
  LOGFONT Font;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0;
  bool Opaque = false;
};

// Per-surface glyph memory.
class TFakeGlyphMap {
 public:
  void Clear() {
    FRows.clear();
    FMaxHeight = 0;
  }
  // A drawn character replaces glyphs whose cells it overlaps.
  void Put(const TFakeGlyph& g);
  // An opaque fill of a rectangle erases the glyphs it covers entirely or
  // partly.
  void Erase(const TRect& r);
  void Scroll(int dx, int dy, const TRect& area, const TRect& clip);
  // Glyph whose cell contains the point, or null.
  const TFakeGlyph* At(int x, int y) const;
  // The characters of the glyphs whose cells start on row y (top == y),
  // from x0 to x1, ordered by x; no gaps marked.
  std::string Row(int y, int x0 = -1000000, int x1 = 1000000) const;
  std::vector<TFakeGlyph> All() const;

 private:
  // Glyphs by the top of their cells.
  std::map<int, std::vector<TFakeGlyph>> FRows;
  int FMaxHeight = 0;
};

// The fake's DC: a raster DC with recording.
class FakeDC : public TRasterDC {
 public:
  FakeDC(FakeWidgetset& ws, TKind kind, TGdiBitmap* surface, HWND wnd, TFakeGlyphMap* glyphs);
  ~FakeDC() override;
  HWND Window() const { return FWnd; }

  bool ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int count, const int* dx) override;
  int FillRect(const TRect& r, HBRUSH brush) override;
  int FrameRect(const TRect& r, HBRUSH brush) override;
  bool InvertRect(const TRect& r) override;
  bool DrawFocusRect(const TRect& r) override;
  bool PatBlt(int x, int y, int w, int h, DWORD rop) override;
  bool Rectangle(int left, int top, int right, int bottom) override;
  bool RoundRect(int left, int top, int right, int bottom, int w, int h) override;
  bool Ellipse(int left, int top, int right, int bottom) override;
  bool LineTo(int x, int y) override;
  bool Polyline(const TPoint* pts, int count) override;
  bool Polygon(const TPoint* pts, int count) override;
  COLORREF SetPixel(int x, int y, COLORREF c) override;
  bool StretchBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh, DWORD rop) override;
  bool TransparentBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh,
                      COLORREF transparent) override;
  bool ScrollSurface(int dx, int dy, const TRect& area, const TRect& clip) override;

 protected:
  void DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) override;
  void DevSolidFill(const TRect& r, COLORREF c) override;
  void BitmapSelected() override;

 private:
  TFakeDrawCall& Record(TFakeDrawCall::TKind kind);
  FakeWidgetset& FWs;
  HWND FWnd;
  TFakeGlyphMap* FGlyphs;
  std::unique_ptr<TFakeGlyphMap> FOwnGlyphs;  // memory DCs
};

class FakePeer : public TWindowPeer {
 public:
  FakePeer(FakeWidgetset& ws, TWinControl* control, const TCreateParams& params);
  ~FakePeer() override;
  FakeWidgetset& Fake() const { return FFake; }
  TFakeGlyphMap& Glyphs() { return FGlyphs; }
  // Pixel of the backing bitmap (client coordinates).
  COLORREF Pixel(int x, int y);
  // Number of WM_PAINT messages delivered.
  int PaintCount() const { return FPaintCount; }
  void CountPaint() { ++FPaintCount; }
  bool HasFocus() const;
  int Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, std::vector<TRect>* uncovered,
             UINT flags) override;

 protected:
  HDC CreateWindowDC() override;
  void PaintRequested(const TRect& r) override {}

 private:
  FakeWidgetset& FFake;
  TFakeGlyphMap FGlyphs;
  int FPaintCount = 0;
};

class FakeWidgetset : public IWidgetset {
 public:
  FakeWidgetset();
  ~FakeWidgetset() override;

  // -- configuration --
  int CharWidth = 8;
  int CharHeight = 16;
  int Ascent = 13;
  // Per face name (exact match): advance, height, ascent; bold adds
  // nothing unless BoldExtra is set.
  struct TFontConfig {
    int CharWidth = 8;
    int CharHeight = 16;
    int Ascent = 13;
    int Overhang = 0;
    int BoldExtra = 0;
    // Per character advance (0: CharWidth).
    std::map<unsigned char, int> Widths;
    bool ABCFails = false;
    bool Dbcs = false;
  };
  void SetFontMetrics(const std::string& face, const TFontConfig& config);
  // Makes GetCharABCWidths fail for every font.
  void SetABCFails(bool fails) { FABCFails = fails; }

  // -- recorded drawing --
  std::vector<TFakeDrawCall> Calls;
  void ClearCalls() { Calls.clear(); }
  // The calls of one kind (optionally on one window).
  std::vector<const TFakeDrawCall*> CallsOf(TFakeDrawCall::TKind kind, HWND wnd = nullptr) const;
  // Text drawn on a window: the glyph at a client point / one row's text.
  const TFakeGlyph* TextAt(HWND wnd, int x, int y);
  std::string RowText(HWND wnd, int y, int x0 = -1000000, int x1 = 1000000);
  COLORREF PixelAt(HWND wnd, int x, int y);

  // -- clock and timers --
  DWORD Now() const { return FNow; }
  // Moves the clock, firing due timers in time order (each as often as it
  // falls due), then processes messages.
  void Advance(DWORD ms);
  bool TimerActive(HWND wnd, uintptr_t id) const;
  UINT TimerInterval(HWND wnd, uintptr_t id) const;
  int TimerCount() const { return int(FTimers.size()); }

  // -- input helpers (client coordinates) --
  // Sets the key state, then CN_KEYDOWN / WM_KEYDOWN (Alt held: the SYS
  // variants) to the focused window (or `wnd`). False when the key was
  // taken as a shortcut or dialog key (it then makes no character).
  bool KeyDown(uint16_t vk, HWND wnd = nullptr, int repeat = 1);
  void KeyUp(uint16_t vk, HWND wnd = nullptr);
  // CN_CHAR / WM_CHAR with a Windows-1251 byte.
  void Char(char ch, HWND wnd = nullptr);
  // Types: each character as KeyDown (its VK when there is one) + Char
  // (unless the key was taken) + KeyUp.
  void Type(const std::string& text, HWND wnd = nullptr);
  // KeyDown with modifiers held (e.g. {VK_CONTROL}, 'C').
  void KeyStroke(std::initializer_list<uint16_t> modifiers, uint16_t vk, HWND wnd = nullptr);
  void MouseDown(HWND wnd, TMouseButton button, int x, int y, WPARAM extraKeys = 0, bool dbl = false);
  void MouseUp(HWND wnd, TMouseButton button, int x, int y, WPARAM extraKeys = 0);
  void MouseMove(HWND wnd, int x, int y, WPARAM keys = 0);
  // The mouse left the window (WM_MOUSELEAVE).
  void MouseLeave(HWND wnd);
  void Click(HWND wnd, int x, int y) {
    MouseDown(wnd, mbLeft, x, y);
    MouseUp(wnd, mbLeft, x, y);
  }
  void Wheel(HWND wnd, int delta, int x, int y, WPARAM keys = 0);
  // A wheel turn read among more input (TWindowPeer::QueueWheel): summed
  // with the turns that follow, delivered by ProcessMessages or before the
  // next other input.
  void QueueWheel(HWND wnd, int delta, int x, int y, WPARAM keys = 0);
  // Input-method commit: WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION with
  // GCS_RESULTSTR (the context holding `text`), WM_IME_ENDCOMPOSITION.
  void ImeCommit(HWND wnd, const std::string& text);
  void DropFiles(HWND wnd, const std::vector<std::string>& files, int x, int y);
  // Sends WM_HSCROLL / WM_VSCROLL as the scroll bar would.
  void ScrollBarAction(HWND wnd, int bar, int code, int pos = 0);
  void Resize(HWND wnd, int width, int height);
  void SetCursorPosition(TPoint screen) { FCursorPos = screen; }
  int BeepCount() const { return FBeeps; }

  // -- IWidgetset --
  void ProcessMessages() override;
  void WaitAndProcess() override { ProcessMessages(); }
  HFONT CreateFont(const LOGFONT& lf) override;
  bool FontMetrics(HFONT font, TEXTMETRIC& tm) override;
  bool FontCharABC(HFONT font, UINT ch, ABC& abc) override;
  int FontCharWidth(HFONT font, UINT ch) override;
  DWORD FontLanguageInfo(HFONT font) override;
  uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) override;
  bool KillTimer(HWND wnd, uintptr_t id) override;
  DWORD TickCount() override { return FNow; }
  TPoint CursorPos() override { return FCursorPos; }
  void SetCursorPos(TPoint p) override { FCursorPos = p; }
  bool Beep(UINT type) override {
    ++FBeeps;
    return true;
  }
  std::vector<UINT> ClipboardFormats() override;
  bool ClipboardGet(UINT format, std::string& bytes) override;
  void ClipboardSet(const std::vector<std::pair<UINT, std::string>>& data) override;
  // Direct access to the stored content.
  std::map<UINT, std::string>& ClipboardData() { return FClipboardData; }
  // Makes SetClipboardData / OpenClipboard fail (error paths).
  bool ClipboardOpenFails = false;
  // Formats SetClipboardData refuses (error paths).
  std::set<UINT> ClipboardRefusedFormats;
  bool ClipboardCanOpen() override { return !ClipboardOpenFails; }
  bool ClipboardAccepts(UINT format) override {
    return !ClipboardOpenFails && ClipboardRefusedFormats.count(format) == 0;
  }

  const TFontConfig& ConfigFor(const LOGFONT& lf) const;
  void AddCall(TFakeDrawCall call) { Calls.push_back(std::move(call)); }

 protected:
  TWindowPeer* CreateDefaultPeer(TWinControl* control, const TCreateParams& params) override;
  HDC CreateScreenDC() override;
  HDC NewMemoryDC() override;
  void WindowDestroyed(HWND wnd) override;

 private:
  struct TFakeTimer {
    HWND Wnd;
    uintptr_t Id;
    UINT Interval;
    TIMERPROC Proc;
    DWORD Due;
  };
  void SendKey(HWND wnd, UINT cn, UINT wm, WPARAM w, LPARAM l);
  HWND Target(HWND wnd) const;

  std::map<std::string, TFontConfig> FFonts;
  mutable TFontConfig FDefaultConfig;
  bool FABCFails = false;
  DWORD FNow = 0;
  std::vector<TFakeTimer> FTimers;
  uintptr_t FNextTimerId = 0x7F00;
  TPoint FCursorPos;
  int FBeeps = 0;
  std::map<UINT, std::string> FClipboardData;
};

// Installs a fresh FakeWidgetset, and the recording browser engine as the
// engine factory, for the life of the object (tests).
class TFakeWidgetsetScope {
 public:
  TFakeWidgetsetScope();
  ~TFakeWidgetsetScope();
  FakeWidgetset& operator*() { return *FWs; }
  FakeWidgetset* operator->() { return FWs.get(); }
  FakeWidgetset* get() { return FWs.get(); }

 private:
  std::unique_ptr<FakeWidgetset> FWs;
  IWidgetset* FPrevious;
  TWebBrowserEngineFactory FPreviousBrowserFactory;
};
