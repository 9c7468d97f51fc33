// The widget set: the one backend behind Gdi.h, Win32.h and the window
// peers. platform_core never opens a window or draws by itself; a program
// installs the Qt widget set, tests install the fake one
// (platform/testing/FakeWidgetset.h of platform_testing).
//
// Window peers. A TWinControl gets its window (HWND = TWindowPeer*) from
// IWidgetset::CreateWindowPeer(control, params). The widget set picks a
// factory by TCreateParams::WinClassName (RegisterWindowClass); classes
// without a factory get the widget set's default custom-drawn window, which
// is what TCustomControl descendants use. A peer delivers the platform's
// events to its control as window messages through the control's
// WindowProc. The base TWindowPeer keeps the Win32 state shared by all
// backends (geometry, styles, update region, scroll bars, text, the
// input-method context) and a backing bitmap that window DCs draw into; the
// backend shows it and reports input.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Colors.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Types.h"
#include "platform/Win32.h"

class TWinControl;
class IWidgetset;

// What a control asks of its window (the CreateParams hook fills it).
struct TCreateParams {
  std::string Caption;  // Windows-1251
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  UINT ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  // Selects the peer factory ("BUTTON", "EDIT", ...); a control's class
  // name by default.
  std::string WinClassName;
};

// The input-method context of a window.
struct TImeContext {
  bool Open = false;
  std::string CompositionString;  // Windows-1251, during a composition
  std::string ResultString;       // Windows-1251, the last committed result
  bool HasFont = false;
  LOGFONT Font;
  COMPOSITIONFORM Form;
};

struct TGlobalBlock {
  std::string Bytes;
  int LockCount = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

class TWindowPeer {
 public:
  // A window of a control, or (control null) a utility window whose
  // messages go to `method` (AllocateHWnd).
  TWindowPeer(IWidgetset& ws, TWinControl* control, const TCreateParams& params);
  virtual ~TWindowPeer();
  TWindowPeer(const TWindowPeer&) = delete;
  TWindowPeer& operator=(const TWindowPeer&) = delete;

  IWidgetset& Widgetset() const { return FWidgetset; }
  TWinControl* Control() const { return FControl; }
  const TCreateParams& Params() const { return FParams; }
  void SetWndMethod(TWndMethod m) { FWndMethod = std::move(m); }

  // Sends a message synchronously through the control's WindowProc (or the
  // utility method); unhandled ones reach DefWindowProc.
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0);
  void Deliver(TMessage& m);
  // Win32 default processing (WM_SETTEXT, WM_GETTEXT, WM_ERASEBKGND,
  // WM_NCHITTEST, WM_SETCURSOR, WM_CLOSE, ...). Backends with native
  // widgets extend it.
  virtual void DefWindowProc(TMessage& m);

  // -- styles --
  DWORD Style() const { return FStyle; }
  DWORD ExStyle() const { return FExStyle; }
  virtual void SetStyle(DWORD style);
  virtual void SetExStyle(DWORD exStyle);

  // -- tree --
  HWND ParentWindow() const { return FParent; }
  virtual void SetParentWindow(HWND parent);
  const std::vector<HWND>& Children() const { return FChildren; }
  virtual void BringToFront();
  virtual void SendToBack();

  // -- geometry --
  // Window rectangle in the parent's client coordinates (screen for a
  // top-level window).
  TRect Bounds() const { return FBounds; }
  // Moves and sizes; sends WM_MOVE and WM_SIZE when they change and
  // invalidates by the class styles (CS_HREDRAW / CS_VREDRAW: all).
  virtual void SetBounds(const TRect& r);
  // Border widths: WS_BORDER 1, WS_EX_CLIENTEDGE 2, WS_EX_STATICEDGE 1,
  // WS_THICKFRAME/WS_DLGFRAME frames, WS_CAPTION; visible scroll bars.
  virtual TRect NonClientMargins() const;
  TRect ClientRect() const;  // (0, 0, w, h)
  TSize ClientSize() const;
  // Client (0, 0) in screen coordinates.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // The window region (SetWindowRgn): window coordinates; empty with
  // HasWindowRegion false for the whole window.
  bool HasWindowRegion() const { return FHasRegion; }
  const std::vector<TRect>& WindowRegion() const { return FRegion; }
  void SetWindowRegion(const std::vector<TRect>* rects);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  // Visible together with every parent.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  // Enabled together with every parent: a window inside a disabled one
  // (a control of a form that a modal dialog disabled) takes no input.
  bool TakesInput() const;
  // The window a top-level window belongs to (a dialog's opener): it stays
  // above it; null for none.
  HWND OwnerWindow() const { return FOwner; }
  void SetOwnerWindow(HWND owner);
  int ShowState() const { return FShowState; }
  virtual void SetShowState(int cmd);

  const std::string& Text() const { return FText; }
  virtual void SetText(const std::string& text);

  // -- painting --
  // Client coordinates; null = all.
  void InvalidateRect(const TRect* r, bool erase);
  void InvalidateRegion(const std::vector<TRect>& rects, bool erase);
  void ValidateRect(const TRect* r);
  const std::vector<TRect>& UpdateRegion() const { return FUpdate; }
  bool NeedsPaint() const { return !FUpdate.empty(); }
  bool EraseNeeded() const { return FEraseNeeded; }
  // Sends WM_PAINT now if there is something to paint.
  virtual void UpdateNow();
  // BeginPaint: a DC clipped to the update region; sends WM_ERASEBKGND
  // first when the update was marked for erasing; validates.
  virtual HDC BeginPaint(PAINTSTRUCT& ps);
  virtual void EndPaint(const PAINTSTRUCT& ps);
  virtual HDC GetDC();
  virtual void ReleaseDC(HDC dc);
  // Moves client pixels; invalidates what is uncovered (and, with
  // SW_INVALIDATE semantics, the moved part of the update region).
  virtual int Scroll(int dx, int dy, const TRect* scroll, const TRect* clip, std::vector<TRect>* uncovered, UINT flags);
  // The backing bitmap (client size) window DCs draw into; created on
  // demand.
  TGdiBitmap* Surface();
  bool HasSurface() const { return FSurface != nullptr; }

  // -- scroll bars (SB_HORZ, SB_VERT) --
  struct TScrollBarState {
    int Min = 0;
    int Max = 100;
    UINT Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    bool Visible = false;
    UINT Disabled = ESB_ENABLE_BOTH;  // ESB_DISABLE_* bits
  };
  const TScrollBarState& ScrollBar(int bar) const { return FBars[bar == SB_VERT ? 1 : 0]; }
  int SetScrollInfo(int bar, const SCROLLINFO& si, bool redraw);
  bool GetScrollInfo(int bar, SCROLLINFO& si) const;
  bool ShowScrollBar(int bar, bool show);
  bool EnableScrollBar(int bar, UINT arrows);
  // The user's thumb drag position while SB_THUMBTRACK runs.
  void SetTrackPos(int bar, int pos);

  // -- misc --
  bool AcceptsFiles() const { return FAcceptFiles; }
  virtual void SetAcceptFiles(bool accept);
  TImeContext& Ime() { return FIme; }
  HCURSOR Cursor() const { return FCursor; }
  virtual void SetCursorShape(HCURSOR cursor);
  // Gives the platform focus to this window (the widget set then reports
  // the change through IWidgetset::FocusChanged).
  virtual void TakeFocus();
  bool Destroying() const { return FDestroying; }
  void SetDestroying() { FDestroying = true; }
  // Window DCs handed out and not yet released.
  bool OwnsDC(HDC dc) const;
  // Outstanding DCs stop drawing (the window is going).
  void DetachDCs();

  // -- input entries: the backends report platform input through these,
  // and they deliver it the Windows way; a window that does not take input
  // (TakesInput) gets none of it --
  // CN_KEYDOWN, then WM_KEYDOWN unless handled (SYS variants with Alt or
  // F10); the widget set's OnPreTranslate hook may take the message first.
  // Returns false when the key was taken before WM_KEYDOWN (a shortcut or
  // dialog key): then it makes no characters.
  bool InputKeyDown(uint16_t vk, LPARAM keyData);
  void InputKeyUp(uint16_t vk, LPARAM keyData);
  // CN_CHAR, then WM_CHAR (a Windows-1251 byte).
  void InputChar(unsigned char ch, LPARAM keyData);
  // A mouse message in client coordinates: to the capture window if there
  // is one, else here; double clicks become presses for classes without
  // CS_DBLCLKS. Without a capture the window is asked WM_NCHITTEST first: a
  // caption or sizing edge answer turns the message into its WM_NC*
  // counterpart (screen position, the hit code in WParam), any other
  // answer keeps it a client message. WM_SETCURSOR (with the hit code)
  // comes first for moves and presses.
  void InputMouse(UINT msg, WPARAM keys, int x, int y);
  // Whether a caption drag or an edge resize (WM_NCLBUTTONDOWN with
  // HTCAPTION or a sizing code) is following the mouse.
  bool FrameDragging() const { return FFrameDrag.Hit != HTNOWHERE; }
  // WM_MOUSEWHEEL to the focused window (screen position).
  void InputWheel(int delta, WPARAM keys, int screenX, int screenY);
  // A wheel turn read while more input may be waiting: the turns that
  // follow in the same direction, with the same keys at the same place, add
  // up into one WM_MOUSEWHEEL of their sum, delivered before the next other
  // input and before the posted messages. A burst of notches thus scrolls
  // and paints once, to where the single notches would have led.
  void QueueWheel(int delta, WPARAM keys, int screenX, int screenY);
  // A committed input-method text: WM_IME_STARTCOMPOSITION,
  // WM_IME_COMPOSITION (GCS_RESULTSTR, the context holding the text),
  // WM_IME_ENDCOMPOSITION.
  void InputImeCommit(const std::string& text);
  // WM_DROPFILES when the window accepts files. The names are the system's
  // (UTF-8); one Windows-1251 cannot hold is refused with a message.
  void InputDropFiles(const std::vector<std::string>& sysFiles, int x, int y);
  // WM_HSCROLL / WM_VSCROLL from the window's own scroll bar.
  void InputScroll(int bar, int code, int pos);

 protected:
  // Backend hooks, called after the base state changed.
  virtual void GeometryChanged() {}
  virtual void VisibilityChanged() {}
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void ScrollBarsChanged() {}
  virtual void StyleChanged() {}
  virtual void ParentChanged() {}
  virtual void ZOrderChanged() {}
  virtual void RegionChanged() {}
  virtual void OwnerChanged() {}
  // Something was invalidated (client coordinates); the backend schedules
  // a paint.
  virtual void PaintRequested(const TRect& r) {}
  // Pixels of the surface changed (ReleaseDC, EndPaint, Scroll); the
  // backend shows them.
  virtual void SurfaceChanged(const TRect& r) {}
  // A window DC on the surface; the backend supplies its DC class.
  virtual HDC CreateWindowDC();
  // Resizes the surface to the client size; the new area is white.
  void SyncSurfaceSize();
  // After a non-client change (scroll bar shown or hidden, style): sends
  // WM_SIZE when the client size changed.
  void ClientSizeMayHaveChanged(TSize before);

 private:
  friend class IWidgetset;
  void AddChild(HWND c);
  void RemoveChild(HWND c);
  // Before any other input the summed wheel turns go (QueueWheel); then
  // whether the window still stands and takes input.
  bool InputArrives();

  IWidgetset& FWidgetset;
  TWinControl* FControl;
  TCreateParams FParams;
  TWndMethod FWndMethod;
  DWORD FStyle;
  DWORD FExStyle;
  HWND FParent = nullptr;
  HWND FOwner = nullptr;
  std::vector<HWND> FChildren;
  TRect FBounds;
  bool FVisible = false;
  bool FHasRegion = false;
  std::vector<TRect> FRegion;
  bool FEnabled = true;
  int FShowState = SW_SHOWNORMAL;
  std::string FText;
  std::vector<TRect> FUpdate;
  bool FEraseNeeded = false;
  bool FInPaint = false;
  bool FPaintBegun = false;
  std::vector<HDC> FDCs;
  std::unique_ptr<TGdiBitmap> FSurface;
  TScrollBarState FBars[2];
  bool FAcceptFiles = false;
  TImeContext FIme;
  HCURSOR FCursor = IDC_ARROW;
  bool FDestroying = false;
  // The move or resize loop: the mouse is captured while the left button
  // is down, each move places the window, letting go ends it.
  struct TFrameDrag {
    LRESULT Hit = HTNOWHERE;
    TPoint Start;  // screen
    TRect Bounds;  // at the start
  };
  void BeginFrameDrag(LRESULT hit, TPoint screen);
  void TrackFrameDrag(UINT msg, TPoint screen);
  void EndFrameDrag();
  TFrameDrag FFrameDrag;
};

// The caret: one per program.
struct TCaretState {
  HWND Owner = nullptr;
  HBITMAP Bitmap = nullptr;  // null solid, (HBITMAP)1 grey
  int Width = 0;
  int Height = 0;
  TPoint Pos;
  int HideCount = 1;
  bool Visible() const { return Owner != nullptr && HideCount == 0; }
};

class IWidgetset {
 public:
  IWidgetset();
  virtual ~IWidgetset();
  IWidgetset(const IWidgetset&) = delete;
  IWidgetset& operator=(const IWidgetset&) = delete;

  // -- windows --
  using TPeerFactory = std::function<TWindowPeer*(IWidgetset&, TWinControl*, const TCreateParams&)>;
  void RegisterWindowClass(const std::string& className, TPeerFactory factory);
  bool HasWindowClass(const std::string& className) const;
  // Makes the peer (by WinClassName, else the default window), registers
  // it, links it to the parent, applies bounds, text and visibility from
  // the params and sends WM_CREATE.
  HWND CreateWindowPeer(TWinControl* control, const TCreateParams& params);
  // A utility window without a control (AllocateHWnd).
  HWND CreateUtilityWindow(TWndMethod method);
  // Sends WM_DESTROY and WM_NCDESTROY (children first), kills its timers,
  // gives up caret, capture and focus it holds, forgets posted messages and
  // deletes the peer.
  void DestroyWindowPeer(HWND wnd);
  bool IsWindow(HWND wnd) const { return FWindows.count(wnd) != 0; }
  const std::set<HWND>& Windows() const { return FWindows; }

  // -- messages --
  // The wheel turns summed by TWindowPeer::QueueWheel, delivered now.
  void DeliverQueuedWheel();
  bool WheelQueued() const { return FQueuedWheel.From != nullptr; }
  virtual bool PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l);
  virtual void PostQuitMessage(int code);
  bool QuitRequested() const { return FQuit; }
  int QuitCode() const { return FQuitCode; }
  void ClearQuit() { FQuit = false; }
  // Handles every pending event and posted message, then paints.
  virtual void ProcessMessages() = 0;
  // Waits for at least one event and handles it.
  virtual void WaitAndProcess() = 0;

  // -- painting --
  HDC ScreenDC();
  virtual HDC CreateMemoryDC();
  // Paints every window with a non-empty update region (parents first).
  void PaintPending();

  // -- fonts --
  virtual HFONT CreateFont(const LOGFONT& lf) = 0;
  virtual bool FontMetrics(HFONT font, TEXTMETRIC& tm) = 0;
  // Advance (B plus overhangs) of each character code; false when the font
  // cannot say (GetCharABCWidths then fails).
  virtual bool FontCharABC(HFONT font, UINT ch, ABC& abc) = 0;
  virtual int FontCharWidth(HFONT font, UINT ch) = 0;
  // GCP_DBCS for fonts of a double-byte character set.
  virtual DWORD FontLanguageInfo(HFONT font);
  // The stock objects; fonts made on first use.
  HGDIOBJ StockObject(int index);

  // -- caret --
  TCaretState& Caret() { return FCaret; }
  virtual void CaretChanged() {}
  UINT CaretBlinkTime() const { return FCaretBlink; }
  void SetCaretBlinkTime(UINT ms) {
    FCaretBlink = ms;
    CaretChanged();
  }

  // -- timers --
  virtual uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) = 0;
  virtual bool KillTimer(HWND wnd, uintptr_t id) = 0;
  virtual DWORD TickCount() = 0;

  // -- keyboard and mouse --
  // Key state table: 0x80 down, 0x01 toggled; the backend keeps it up to
  // date from its key and mouse events.
  virtual int16_t KeyState(int vk);
  virtual int16_t AsyncKeyState(int vk) { return KeyState(vk); }
  void SetKeyDown(int vk, bool down);
  void SetKeyToggled(int vk, bool on);
  const uint8_t* KeyboardState() const { return FKeys; }
  HWND Capture() const { return FCapture; }
  // Sends WM_CAPTURECHANGED to the old capture window.
  virtual HWND SetCapture(HWND wnd);
  virtual TPoint CursorPos() = 0;
  virtual void SetCursorPos(TPoint p) {}
  // The cursor shape now shown (SetCursor).
  HCURSOR CurrentCursor() const { return FCursor; }
  virtual HCURSOR SetCursor(HCURSOR c);
  // A cursor over every window of the program (Screen->Cursor); 0 ends it.
  virtual void SetOverrideCursor(HCURSOR c) { FOverrideCursor = c; }
  HCURSOR OverrideCursor() const { return FOverrideCursor; }
  UINT DoubleClickTime() const { return FDoubleClickTime; }
  void SetDoubleClickTime(UINT ms) { FDoubleClickTime = ms; }

  // -- focus --
  HWND Focus() const { return FFocus; }
  // Asks the platform for focus; the backend reports it with FocusChanged.
  virtual HWND SetFocus(HWND wnd);
  // Records the change and sends WM_KILLFOCUS (wParam = new) to the old
  // window and WM_SETFOCUS (wParam = old) to the new one.
  void FocusChanged(HWND newFocus);
  virtual HWND ActiveWindow() { return nullptr; }
  // The innermost showing window at a screen point (the default walks the
  // window tree; later children lie on top).
  virtual HWND WindowFromPoint(TPoint screen);

  // -- metrics and screen --
  // The border, caption and edges a window made with these parameters has
  // around its client area (its scroll bars aside); a window's peer gives
  // the same once it stands.
  virtual TRect NonClientMargins(const TCreateParams& params) { return StyleMargins(params.Style, params.ExStyle); }
  // The border and caption the window styles give, from the metrics.
  TRect StyleMargins(DWORD style, DWORD exStyle);
  virtual int SystemMetric(int index);
  void SetSystemMetric(int index, int value) { FMetrics[index] = value; }
  virtual TSize ScreenSize() { return TSize(1280, 1024); }
  virtual TRect WorkArea() { return TRect(0, 0, 1280, 1024); }
  virtual int PixelsPerInch() { return 96; }
  virtual bool Beep(UINT type) { return true; }

  // -- clipboard (bytes per format) --
  UINT RegisterClipboardFormat(const std::string& name);
  std::string ClipboardFormatName(UINT format) const;
  // Formats on offer now.
  virtual std::vector<UINT> ClipboardFormats() = 0;
  virtual bool ClipboardGet(UINT format, std::string& bytes) = 0;
  // Replaces the whole content.
  virtual void ClipboardSet(const std::vector<std::pair<UINT, std::string>>& data) = 0;
  // Whether the clipboard can be opened now / takes data in a format
  // (OpenClipboard and SetClipboardData fail otherwise).
  virtual bool ClipboardCanOpen() { return true; }
  virtual bool ClipboardAccepts(UINT /*format*/) { return true; }
  // The Win32 open/close protocol (Win32.cpp keeps it here).
  struct TClipboardSession {
    bool Open = false;
    HWND Owner = nullptr;
    bool Emptied = false;
    std::vector<std::pair<UINT, std::string>> Pending;
    std::vector<std::unique_ptr<TGlobalBlock>> Handed;  // blocks returned by GetClipboardData
  };
  TClipboardSession& ClipboardSession() { return FClipboard; }
  HWND ClipboardOwner() const { return FClipboardOwner; }
  void SetClipboardOwner(HWND w) { FClipboardOwner = w; }

  // Sees every input message before it is delivered (menus' shortcuts,
  // hints); returning true swallows it.
  std::function<bool(HWND, TMessage&)> OnPreTranslate;

  // Stock index of the 1x1 monochrome bitmap a new memory DC holds.
  static constexpr int kDefaultBitmap = 2000;

  // -- drop handles handed out with WM_DROPFILES --
  HDROP NewDrop(std::vector<std::string> files, TPoint pt);
  void FreeDrop(HDROP drop);
  bool IsDrop(HDROP drop) const { return FDrops.count(drop) != 0; }

 protected:
  // Frees every window without messages (the widget set is going).
  void ReleaseAllWindows();
  // The default window and the backend's own classes.
  virtual TWindowPeer* CreateDefaultPeer(TWinControl* control, const TCreateParams& params) = 0;
  virtual HDC CreateScreenDC() = 0;
  virtual HDC NewMemoryDC() = 0;
  // A peer is going away: drop its timers and queued messages.
  virtual void WindowDestroyed(HWND wnd) {}

  // Posted messages (the backend decides when to deliver them).
  struct TPosted {
    HWND Wnd;
    UINT Msg;
    WPARAM W;
    LPARAM L;
  };
  std::deque<TPosted> FPosted;
  // Delivers the queued wheel turns and messages present now; returns how
  // many.
  int DeliverPosted();
  // A wheel turn waits for delivery: the backend wakes its loop.
  virtual void WheelWaiting() {}

 private:
  friend class TWindowPeer;
  void QueueWheel(HWND from, int delta, WPARAM keys, TPoint screen);
  struct TQueuedWheel {
    HWND From = nullptr;
    int Delta = 0;
    WPARAM Keys = 0;
    TPoint Screen;
  };
  TQueuedWheel FQueuedWheel;
  std::map<std::string, TPeerFactory> FClasses;
  std::set<HWND> FWindows;
  bool FQuit = false;
  int FQuitCode = 0;
  TCaretState FCaret;
  UINT FCaretBlink = 530;
  uint8_t FKeys[256] = {};
  HWND FCapture = nullptr;
  HWND FFocus = nullptr;
  HCURSOR FCursor = IDC_ARROW;
  HCURSOR FOverrideCursor = 0;
  UINT FDoubleClickTime = 500;
  std::map<int, int> FMetrics;
  std::map<std::string, UINT> FFormatIds;
  std::map<UINT, std::string> FFormatNames;
  TClipboardSession FClipboard;
  HWND FClipboardOwner = nullptr;
  std::set<HDROP> FDrops;
  HDC FScreenDC = nullptr;
  std::map<int, HGDIOBJ> FStock;
  std::vector<HGDIOBJ> FRetiredStock;
};

// Answers WM_GETTEXT from a window's text: as much as fits the caller's
// buffer (LParam, WParam bytes) with a closing nul; Result is the count copied.
void AnswerGetText(TMessage& m, const std::string& text);

// The installed widget set. Widgetset() throws when none is installed.
void SetWidgetset(IWidgetset* ws);
IWidgetset& Widgetset();
bool WidgetsetInstalled();

// Utility windows for components that need a window without a control:
// messages go to `method`.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);
