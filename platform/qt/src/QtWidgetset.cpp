// The Qt widget set: timers, posted messages, the caret's blinking,
// focus, cursors, fonts, the screen, the event guard.
#include "platform/qt/QtWidgetset.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethod>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "platform/Controls.h"
#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// the guard

namespace {
TErrorBoxHook& HookSlot() {
  static TErrorBoxHook hook = [](const std::string& message) {
    std::fprintf(stderr, "%s\n", QStringToAnsi(AnsiToQString(message)).c_str());
  };
  return hook;
}
}  // namespace

void SetErrorBoxHook(TErrorBoxHook hook) { HookSlot() = std::move(hook); }
const TErrorBoxHook& ErrorBoxHook() { return HookSlot(); }

void GuardEvent(const std::function<void()>& f) {
  auto report = [](const std::string& m) {
    // The box itself must not throw out of the handler either.
    try {
      if (HookSlot()) HookSlot()(m);
    } catch (...) {}
  };
  try {
    f();
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    report(e.Message());
  } catch (const std::exception& e) {
    report(e.what());
  } catch (...) {
    report("Unknown exception");
  }
}

// ---------------------------------------------------------------------------

QtWidgetset::QtWidgetset() {
  FDispatcher = new QObject;
  FCaretTimer = new QTimer(FDispatcher);
  FCaretTimer->setInterval(int(CaretBlinkTime()));
  QObject::connect(FCaretTimer, &QTimer::timeout, FDispatcher, [this] {
    FCaretPhase = !FCaretPhase;
    GuardEvent([this] { UpdateCaretWidget(Caret()); });
  });
  SetDoubleClickTime(UINT(QApplication::doubleClickInterval()));
  bool caps, num, scroll;
  if (QueryLockKeys(caps, num, scroll)) {
    SetKeyToggled(VK_CAPITAL, caps);
    SetKeyToggled(VK_NUMLOCK, num);
    SetKeyToggled(VK_SCROLL, scroll);
  }
  SetPictureBackend(&FPictures);
  SetMonitorBackend(&FMonitors);
  SetShellIconBackend(&FShellIcons);
}

QtWidgetset::~QtWidgetset() {
  for (auto& kv : FTimers) {
    kv.second->stop();
    delete kv.second;
  }
  FTimers.clear();
  ReleaseAllWindows();
  SetPictureBackend(nullptr);
  SetMonitorBackend(nullptr);
  SetShellIconBackend(nullptr);
  delete FDispatcher;
  FDispatcher = nullptr;
}

// -- windows --

QtWindowPeer* QtWidgetset::PeerOf(const QWidget* w) const {
  auto it = FWidgets.find(w);
  return it == FWidgets.end() ? nullptr : it->second;
}

void QtWidgetset::RegisterWidget(QWidget* w, QtWindowPeer* peer) { FWidgets[w] = peer; }
void QtWidgetset::UnregisterWidget(QWidget* w) { FWidgets.erase(w); }

TWindowPeer* QtWidgetset::CreateDefaultPeer(TWinControl* control, const TCreateParams& params) {
  return new QtWindowPeer(*this, control, params);
}

HDC QtWidgetset::CreateScreenDC() { return new QtDC(TDeviceContext::TKind::Screen, nullptr); }
HDC QtWidgetset::NewMemoryDC() { return new QtDC(TDeviceContext::TKind::Memory, nullptr); }

void QtWidgetset::WindowDestroyed(HWND wnd) {
  for (auto it = FTimers.begin(); it != FTimers.end();) {
    if (it->first.first == wnd) {
      it->second->stop();
      it->second->deleteLater();
      it = FTimers.erase(it);
    } else {
      ++it;
    }
  }
  if (FHover == wnd) FHover = nullptr;
}

// -- messages --

void QtWidgetset::SchedulePosted() {
  if (FPostScheduled || !FDispatcher) return;
  FPostScheduled = true;
  QMetaObject::invokeMethod(
      FDispatcher,
      [this] {
        FPostScheduled = false;
        GuardEvent([this] { DeliverPosted(); });
        if (!FPosted.empty() || WheelQueued()) SchedulePosted();
      },
      Qt::QueuedConnection);
}

bool QtWidgetset::PostMessage(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (!IWidgetset::PostMessage(wnd, msg, w, l)) return false;
  if (!FPosted.empty()) SchedulePosted();
  return true;
}

void QtWidgetset::PostQuitMessage(int code) {
  IWidgetset::PostQuitMessage(code);
  // The message loop is the application's own: it only needs waking. Qt's
  // exit() would also end at once every dialog run after it, so a box
  // shown while the program ends (a settings file that could not be
  // written) would never be seen.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

void QtWidgetset::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  GuardEvent([this] {
    DeliverPosted();
    PaintPending();
  });
  FreeDeviceContexts();
}

void QtWidgetset::WaitAndProcess() {
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  GuardEvent([this] { DeliverPosted(); });
  FreeDeviceContexts();
}

// -- fonts --

HFONT QtWidgetset::CreateFont(const LOGFONT& lf) { return new QtGdiFont(lf); }

bool QtWidgetset::FontMetrics(HFONT font, TEXTMETRIC& tm) {
  auto* f = dynamic_cast<QtGdiFont*>(font);
  if (!f) return false;
  tm = f->Metrics();
  return true;
}

bool QtWidgetset::FontCharABC(HFONT font, UINT ch, ABC& abc) {
  auto* f = dynamic_cast<QtGdiFont*>(font);
  return f && f->CharABC(ch, abc);
}

int QtWidgetset::FontCharWidth(HFONT font, UINT ch) {
  auto* f = dynamic_cast<QtGdiFont*>(font);
  if (!f) return 0;
  if (ch < 256) return f->CharWidth(static_cast<unsigned char>(ch));
  return QFontMetrics(f->Font()).horizontalAdvance(QChar(char16_t(ch)));
}

// -- caret --

void QtWidgetset::UpdateCaretWidget(const TCaretState& c) {
  auto* p = dynamic_cast<QtWindowPeer*>(c.Owner);
  if (!p || !IsWindow(c.Owner) || !p->Client()) return;
  p->Client()->update(QRect(c.Pos.X, c.Pos.Y, std::max(1, c.Width), std::max(1, c.Height)));
}

void QtWidgetset::CaretChanged() {
  UpdateCaretWidget(FLastCaret);
  const TCaretState& c = Caret();
  FCaretPhase = true;
  if (FCaretTimer) {
    FCaretTimer->setInterval(int(std::max<UINT>(CaretBlinkTime(), 50)));
    if (c.Owner)
      FCaretTimer->start();
    else
      FCaretTimer->stop();
  }
  UpdateCaretWidget(c);
  FLastCaret = c;
  if (c.Owner && c.Owner == Focus() && QGuiApplication::inputMethod())
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// -- timers --

uintptr_t QtWidgetset::SetTimer(HWND wnd, uintptr_t id, UINT ms, TIMERPROC proc) {
  if (ms < 10) ms = 10;
  if (!wnd && id == 0) id = FNextTimerId++;
  auto key = std::make_pair(wnd, id);
  auto it = FTimers.find(key);
  QTimer* t;
  if (it != FTimers.end()) {
    t = it->second;
    t->disconnect();
  } else {
    t = new QTimer(FDispatcher);
    FTimers[key] = t;
  }
  QObject::connect(t, &QTimer::timeout, FDispatcher, [this, wnd, id, proc] {
    GuardEvent([&] {
      if (proc)
        proc(wnd, WM_TIMER, id, TickCount());
      else if (IsWindow(wnd))
        wnd->Send(WM_TIMER, id, 0);
    });
  });
  t->start(int(ms));
  return wnd ? (id ? id : 1) : id;
}

bool QtWidgetset::KillTimer(HWND wnd, uintptr_t id) {
  auto it = FTimers.find(std::make_pair(wnd, id));
  if (it == FTimers.end()) return false;
  it->second->stop();
  it->second->disconnect();
  it->second->deleteLater();
  FTimers.erase(it);
  return true;
}

DWORD QtWidgetset::TickCount() {
  using namespace std::chrono;
  return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// -- keyboard and mouse --

int16_t QtWidgetset::KeyState(int vk) {
  // The state as of the input being handled (the peers keep it from each
  // event), not the keyboard's state now: a key handled late must see the
  // Shift that was down when it was pressed.
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return IWidgetset::KeyState(VK_SHIFT);
    case VK_LCONTROL:
    case VK_RCONTROL: return IWidgetset::KeyState(VK_CONTROL);
    case VK_LMENU:
    case VK_RMENU: return IWidgetset::KeyState(VK_MENU);
    default: return IWidgetset::KeyState(vk);
  }
}

HWND QtWidgetset::SetCapture(HWND wnd) { return IWidgetset::SetCapture(wnd); }

TPoint QtWidgetset::CursorPos() {
  QPoint p = QCursor::pos();
  return TPoint(p.x(), p.y());
}

void QtWidgetset::SetCursorPos(TPoint p) { QCursor::setPos(p.X, p.Y); }

HCURSOR QtWidgetset::SetCursor(HCURSOR c) {
  HCURSOR old = IWidgetset::SetCursor(c);
  if (FHover && FHover->Client()) FHover->Client()->setCursor(QtCursor(c));
  return old;
}

void QtWidgetset::SetOverrideCursor(HCURSOR c) {
  bool had = OverrideCursor() != 0;
  IWidgetset::SetOverrideCursor(c);
  if (had) QApplication::restoreOverrideCursor();
  if (c) QApplication::setOverrideCursor(QtCursor(c));
}

HWND QtWidgetset::SetFocus(HWND wnd) {
  HWND old = IWidgetset::SetFocus(wnd);
  if (auto* p = dynamic_cast<QtWindowPeer*>(wnd)) {
    if (QWidget* c = p->Client()) {
      // As the system's SetFocus does: a control of another top-level
      // window activates that window too, so the keys go where the focus
      // went (a tool window's button giving the focus back to the main
      // window's editor). Asked even when the window seems active: a click
      // on another window may be activating that one, not yet reported.
      QWidget* top = c->window();
      if (top && top->isVisible()) top->activateWindow();
      c->setFocus(Qt::OtherFocusReason);
    }
  } else if (!wnd) {
    if (QWidget* f = QApplication::focusWidget())
      if (PeerOf(f)) f->clearFocus();
  }
  return old;
}

HWND QtWidgetset::ActiveWindow() {
  QWidget* w = QApplication::activeWindow();
  return w ? PeerOf(w) : nullptr;
}

TRect QtWidgetset::NonClientMargins(const TCreateParams& params) {
  return params.WndParent ? IWidgetset::NonClientMargins(params) : TRect();
}

HWND QtWidgetset::WindowFromPoint(TPoint screen) {
  QWidget* w = QApplication::widgetAt(QPoint(screen.X, screen.Y));
  for (; w; w = w->parentWidget())
    if (QtWindowPeer* p = PeerOf(w)) return p;
  return IWidgetset::WindowFromPoint(screen);
}

TSize QtWidgetset::ScreenSize() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return IWidgetset::ScreenSize();
  QRect g = s->geometry();
  return TSize(g.width(), g.height());
}

TRect QtWidgetset::WorkArea() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return IWidgetset::WorkArea();
  QRect g = s->availableGeometry();
  return TRect(g.x(), g.y(), g.x() + g.width(), g.y() + g.height());
}

bool QtWidgetset::Beep(UINT) {
  QApplication::beep();
  return true;
}

// -- test helpers --

TBitmap* QtGrabWindow(HWND wnd) {
  if (!wnd || !IsWindow(wnd)) return nullptr;
  auto* b = new TBitmap;
  TGdiBitmap* s = wnd->Surface();
  auto* copy = new TGdiBitmap(0, 0);
  copy->CopyFrom(*s);
  b->SetHandle(copy);
  return b;
}

QImage QtGrabWidget(HWND wnd) {
  auto* p = dynamic_cast<QtWindowPeer*>(wnd);
  if (!p || !IsWindow(wnd) || !p->Outer()) return QImage();
  return p->Outer()->grab().toImage();
}
