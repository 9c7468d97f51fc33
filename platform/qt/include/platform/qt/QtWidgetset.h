// The Qt 6 widget set: window peers on QWidgets, GDI device contexts whose
// text is drawn with QPainter, fonts and metrics from QFontMetrics, keys as
// Windows virtual keys, the clipboard on QClipboard, timers on QTimer.
//
// Window peers. QtWindowPeer is the default window: an outer QWidget that
// draws the non-client border and holds a pair of QScrollBars, and a client
// QWidget that shows the peer's backing bitmap (what the window's DCs drew)
// and the caret. Child windows are widgets inside their parent's client
// widget, so their bounds are the parent's client coordinates.
//
// Native controls. A peer class for a native Qt widget derives from
// QtWindowPeer, passes its widget to the constructor (it becomes the
// client widget) and registers a factory for its window class name:
//
//   ws.RegisterWindowClass("BUTTON", [](IWidgetset& w, TWinControl* c, const TCreateParams& p) {
//     return new QtButtonPeer(static_cast<QtWidgetset&>(w), c, p);
//   });
//
// Input on a native widget is translated into window messages too, but not
// swallowed (TranslatesInputOnly), so the widget keeps its own behaviour.
//
// Exceptions never leave a Qt event handler: every entry from Qt goes
// through GuardEvent, which shows the error box hook's box (nothing for an
// EAbort).
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QRawFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Monitors.h"
#include "platform/PictureDecoder.h"
#include "platform/ShellIcons.h"
#include "platform/Widgetset.h"

class QTimer;
class QScrollBar;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QInputMethodEvent;
class QtWidgetset;
class QtWindowPeer;

// ---- exceptions at the Qt boundary ----
// Runs `f`, catching everything: an EAbort silently, any other exception
// through the error-box hook.
void GuardEvent(const std::function<void()>& f);
// The hook shows the message (Windows-1251) of an exception that reached
// an event handler; the forms layer installs the toolkit's error box. The
// default writes to stderr.
using TErrorBoxHook = std::function<void(const std::string& message)>;
void SetErrorBoxHook(TErrorBoxHook hook);
const TErrorBoxHook& ErrorBoxHook();

// ---- text and colours at the boundary ----
// Decodes bytes of a font's character set: 255 (OEM) CP866, 2 (symbol)
// Latin-1, anything else Windows-1251.
QString DecodeCharset(const char* bytes, int count, int charset);
inline QString DecodeCharset(const std::string& s, int charset) {
  return DecodeCharset(s.data(), int(s.size()), charset);
}
// Windows-1251 text <-> QString.
QString AnsiToQString(const std::string& s);
std::string QStringToAnsi(const QString& s);
// One character of a font's character set as Unicode.
char32_t DecodeCharsetChar(unsigned char c, int charset);
QColor ColorToQColor(COLORREF c);
// A cursor handle as a Qt cursor: the widget set's shapes (IDC_*) and the
// program's own pictures (platform/Cursors.h); unknown handles show the
// arrow.
QCursor QtCursor(HCURSOR c);

// ---- keys ----
// The Windows virtual key of a key event: from the physical key (X11
// keycode of the PC keyboard, so Ctrl+C is 'C' with any layout), else from
// the Qt key (Cyrillic letters by the Russian layout's positions).
uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods, quint32 nativeScanCode, const QString& text);
uint16_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers mods);
// X11 keycode -> virtual key (0 when the code is not a key of the table).
uint16_t VirtualKeyFromX11Keycode(quint32 keycode, bool keypadDigits);
// The key-message lParam: repeat count 1, scan code, extended bit, Alt
// context bit, previous state and transition.
LPARAM KeyDataFor(uint16_t vk, quint32 nativeScanCode, bool altDown, bool autoRepeat, bool up);
// The character messages of a key press (Windows-1251 bytes; control
// characters for Ctrl+letter as Windows makes them).
std::string CharsForKey(uint16_t vk, Qt::KeyboardModifiers mods, const QString& text);
// The lock keys' states from the window system (false when unknown).
bool QueryLockKeys(bool& caps, bool& num, bool& scroll);

// ---- fonts ----
class QtGdiFont : public TGdiFont {
 public:
  explicit QtGdiFont(const LOGFONT& lf);
  ~QtGdiFont() override;
  const QFont& Font() const { return FFont; }
  int Charset() const { return LogFont().lfCharSet; }
  const TEXTMETRIC& Metrics() const { return FMetrics; }
  int CharWidth(unsigned char c);
  bool CharABC(UINT ch, ABC& abc);
  // The character a byte stands for in this font's character set.
  char32_t Decode(unsigned char c) const;
  // The glyph Qt draws for a byte's character: the face (this font's, or
  // the one Qt falls back to for a character it lacks) and the index in
  // it. Face is -1 when the character does not come out as one glyph.
  struct TGlyph {
    int Face = -1;
    quint32 Index = 0;
  };
  const TGlyph& Glyph(unsigned char c);
  const QRawFont& Face(int face) const { return FFaces[size_t(face)]; }

 private:
  // The Qt font and the metrics of the description.
  void Make(const LOGFONT& lf);

  QFont FFont;
  TEXTMETRIC FMetrics;
  int FWidths[256];
  TGlyph FGlyphs[256];
  bool FGlyphKnown[256] = {};
  std::vector<QRawFont> FFaces;
  char32_t FSymbolBullet = 0xB7;
};

// A raster DC whose glyphs are drawn with QPainter into the surface.
class QtDC : public TRasterDC {
 public:
  QtDC(TKind kind, TGdiBitmap* surface);
  ~QtDC() override;

 protected:
  void DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) override;

 private:
  // The painter of the last glyphs, kept for the next ones while the
  // surface stays: a line of text is many calls.
  struct TGlyphPainter;
  std::unique_ptr<TGlyphPainter> FGlyphPainter;
};

// The QImage view of a bitmap's pixels (no copy; valid while the bitmap
// keeps its size).
QImage BitmapImage(TGdiBitmap* bmp);

// ---- window peers ----
class QtWindowPeer : public TWindowPeer {
 public:
  // `client` null: the default custom-drawn client widget. A given widget
  // becomes the client (input is translated but not swallowed).
  QtWindowPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params, QWidget* client = nullptr);
  ~QtWindowPeer() override;

  QtWidgetset& Qws() const { return FQws; }
  // The whole window, and the client area where children live.
  QWidget* Outer() const { return FOuter; }
  QWidget* Client() const { return FClient; }
  bool TranslatesInputOnly() const { return FNative; }

  TRect NonClientMargins() const override;
  TPoint ClientOrigin() const override;
  void TakeFocus() override;
  void SetCursorShape(HCURSOR cursor) override;
  void SetAcceptFiles(bool accept) override;

  // Event translation (called by the widgets' event filter); true when
  // the event was used up.
  virtual bool FilterEvent(QObject* watched, QEvent* e);
  // Paints the client widget: sends WM_PAINT for what is invalid, then
  // shows the surface and the caret.
  virtual void PaintClient(QPainter& p, const QRect& r);
  void PaintFrame(QPainter& p);
  // The top-level window was moved or resized by the window system.
  void OuterGeometryChanged();
  // Scroll-bar actions from the QScrollBars.
  void ScrollBarAction(int bar, int action);
  void ScrollBarReleased(int bar);
  // How many times the Qt scroll bars were set (an update that changes
  // nothing sets none).
  int ScrollBarUpdates() const { return FScrollBarUpdates; }

 protected:
  void GeometryChanged() override;
  void VisibilityChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void ScrollBarsChanged() override;
  void StyleChanged() override;
  void ParentChanged() override;
  void ZOrderChanged() override;
  void RegionChanged() override;
  // A top-level window stays above its owner: transient for it.
  void OwnerChanged() override;
  void PaintRequested(const TRect& r) override;
  void SurfaceChanged(const TRect& r) override;
  HDC CreateWindowDC() override;

  bool KeyEvent(QKeyEvent* e, bool down);
  bool MouseEvent(QMouseEvent* e, UINT msg);
  bool WheelEvent(QWheelEvent* e);
  bool InputMethodEvent(QInputMethodEvent* e);
  void LayoutChildren();
  bool TopLevel() const { return ParentWindow() == nullptr; }

 private:
  QtWidgetset& FQws;
  QPointer<QWidget> FOuter;
  QPointer<QWidget> FClient;
  QScrollBar* FBars[2] = {nullptr, nullptr};
  QWidget* FCorner = nullptr;
  QObject* FFilter = nullptr;
  bool FNative = false;
  // The part of the client a paint event is drawing now (empty outside
  // one): the surface's changes inside it go to the screen with it.
  QRect FPainting;
  bool FSyncing = false;
  bool FComposing = false;
  bool FUpdatingBars = false;
  // What the Qt bars show, and which were shown at the last layout.
  TScrollBarState FShownBars[2];
  bool FBarsShown = false;
  bool FLaidOutVisible[2] = {false, false};
  int FScrollBarUpdates = 0;
};

// Pictures through Qt's image readers; BMP and ICO stay with the toolkit's
// own readers and metafiles with the built-in players (the same pixels
// headless), and a GIF gives its first image without the logical screen.
class QtPictureBackend : public IPictureBackend {
 public:
  bool Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) override;
  // JPEG and PNG read straight to the size (the JPEG reader scales while
  // decoding); GIF, BMP and ICO decoded whole and shrunk.
  bool DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height, TBitmap& out) override;
};

// Every QScreen's geometry, the primary first.
class QtMonitors : public IMonitorBackend {
 public:
  std::vector<TRect> MonitorRects() override;
};

// The file icon provider's icons by path, the icon theme's by type for
// names that do not exist; each distinct icon gets the next index.
class QtShellIcons : public IShellIconBackend {
 public:
  int IconIndex(const std::string& path) override;
  bool IconImage(int index, bool large, TIcon& out) override;

 private:
  std::vector<QIcon> FIcons;
  std::map<qint64, int> FIndexes;
};

class QtWidgetset : public IWidgetset {
 public:
  // Needs a QApplication.
  QtWidgetset();
  ~QtWidgetset() override;

  // -- IWidgetset --
  bool PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l) override;
  void PostQuitMessage(int code) override;
  void ProcessMessages() override;
  void WaitAndProcess() override;
  HFONT CreateFont(const LOGFONT& lf) override;
  bool FontMetrics(HFONT font, TEXTMETRIC& tm) override;
  bool FontCharABC(HFONT font, UINT ch, ABC& abc) override;
  int FontCharWidth(HFONT font, UINT ch) override;
  void CaretChanged() override;
  uintptr_t SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) override;
  bool KillTimer(HWND wnd, uintptr_t id) override;
  DWORD TickCount() override;
  int16_t KeyState(int vk) override;
  HWND SetCapture(HWND wnd) override;
  TPoint CursorPos() override;
  void SetCursorPos(TPoint p) override;
  HCURSOR SetCursor(HCURSOR c) override;
  void SetOverrideCursor(HCURSOR c) override;
  HWND SetFocus(HWND wnd) override;
  HWND ActiveWindow() override;
  HWND WindowFromPoint(TPoint screen) override;
  TSize ScreenSize() override;
  TRect WorkArea() override;
  // The window system draws a top-level window's frame and caption.
  TRect NonClientMargins(const TCreateParams& params) override;
  bool Beep(UINT type) override;
  std::vector<UINT> ClipboardFormats() override;
  bool ClipboardGet(UINT format, std::string& bytes) override;
  void ClipboardSet(const std::vector<std::pair<UINT, std::string>>& data) override;

  // -- Qt side --
  QtWindowPeer* PeerOf(const QWidget* w) const;
  void RegisterWidget(QWidget* w, QtWindowPeer* peer);
  void UnregisterWidget(QWidget* w);
  // The peer that last had the mouse (gets SetCursor's shape).
  void SetHoverPeer(QtWindowPeer* p) { FHover = p; }
  QtWindowPeer* HoverPeer() const { return FHover; }
  bool CaretPhase() const { return FCaretPhase; }
  // The mime type carrying a registered clipboard format's bytes.
  static QString MimeForFormat(const std::string& name);
  static std::string FormatForMime(const QString& mime);

 protected:
  TWindowPeer* CreateDefaultPeer(TWinControl* control, const TCreateParams& params) override;
  HDC CreateScreenDC() override;
  HDC NewMemoryDC() override;
  void WindowDestroyed(HWND wnd) override;
  void WheelWaiting() override { SchedulePosted(); }

 private:
  void SchedulePosted();
  void UpdateCaretWidget(const TCaretState& c);
  std::map<std::pair<HWND, uintptr_t>, QTimer*> FTimers;
  uintptr_t FNextTimerId = 0x7F00;
  std::unordered_map<const QWidget*, QtWindowPeer*> FWidgets;
  QtWindowPeer* FHover = nullptr;
  QTimer* FCaretTimer = nullptr;
  bool FCaretPhase = true;
  TCaretState FLastCaret;
  bool FPostScheduled = false;
  QObject* FDispatcher = nullptr;
  QtPictureBackend FPictures;
  QtMonitors FMonitors;
  QtShellIcons FShellIcons;
};

// Test helpers: the client area as the window's DCs drew it (a copy owned
// by the caller), and the whole window as Qt shows it (children, frame,
// scroll bars and caret included).
TBitmap* QtGrabWindow(HWND wnd);
QImage QtGrabWidget(HWND wnd);
