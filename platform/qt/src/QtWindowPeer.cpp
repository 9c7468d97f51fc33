// Window peers on QWidgets: the frame and scroll bars, the client widget
// showing the backing bitmap and the caret, and the translation of Qt's
// input into window messages.
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <utility>

#include "platform/Controls.h"
#include "platform/qt/QtWidgetset.h"

namespace {

class QtPeerFilter : public QObject {
 public:
  explicit QtPeerFilter(QtWindowPeer* peer) : Peer(peer) {}
  QtWindowPeer* Peer;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!Peer) return false;
    bool used = false;
    QtWindowPeer* p = Peer;
    GuardEvent([&] { used = p->FilterEvent(watched, e); });
    return used;
  }
};

class QtOuterWidget : public QWidget {
 public:
  QtOuterWidget(QtWindowPeer* peer, QWidget* parent, Qt::WindowFlags f) : QWidget(parent, f), Peer(peer) {}
  QtWindowPeer* Peer;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!Peer) return;
    QPainter p(this);
    QtWindowPeer* peer = Peer;
    GuardEvent([&] { peer->PaintFrame(p); });
  }
  void resizeEvent(QResizeEvent*) override {
    if (Peer && isWindow()) {
      QtWindowPeer* peer = Peer;
      GuardEvent([&] { peer->OuterGeometryChanged(); });
    }
  }
  void moveEvent(QMoveEvent*) override {
    if (Peer && isWindow()) {
      QtWindowPeer* peer = Peer;
      GuardEvent([&] { peer->OuterGeometryChanged(); });
    }
  }
  void closeEvent(QCloseEvent* e) override {
    // The window decides (a form closes itself on WM_CLOSE).
    e->ignore();
    if (Peer) {
      QtWindowPeer* peer = Peer;
      GuardEvent([&] { peer->Send(WM_CLOSE, 0, 0); });
    }
  }
  void changeEvent(QEvent* e) override {
    if (Peer && e->type() == QEvent::ActivationChange && isWindow()) {
      QtWindowPeer* peer = Peer;
      bool active = isActiveWindow();
      GuardEvent([&] { peer->Send(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0); });
    }
    QWidget::changeEvent(e);
  }
};

class QtClientWidget : public QWidget {
 public:
  QtClientWidget(QtWindowPeer* peer, QWidget* parent) : QWidget(parent), Peer(peer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
  }
  QtWindowPeer* Peer;

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (!Peer) return;
    QPainter p(this);
    QtWindowPeer* peer = Peer;
    QRect r = e->rect();
    GuardEvent([&] { peer->PaintClient(p, r); });
  }
  QVariant inputMethodQuery(Qt::InputMethodQuery q) const override {
    if (!Peer) return QWidget::inputMethodQuery(q);
    TImeContext& ime = Peer->Ime();
    const TCaretState& c = Peer->Widgetset().Caret();
    switch (q) {
      case Qt::ImEnabled: return true;
      case Qt::ImCursorRectangle: {
        if (ime.Form.dwStyle & (CFS_POINT | CFS_FORCE_POSITION | CFS_RECT))
          return QRect(ime.Form.ptCurrentPos.X, ime.Form.ptCurrentPos.Y, 1, c.Height > 0 ? c.Height : 16);
        if (c.Owner == Peer) return QRect(c.Pos.X, c.Pos.Y, std::max(1, c.Width), std::max(1, c.Height));
        return QRect(0, 0, 1, 16);
      }
      case Qt::ImFont:
        if (ime.HasFont) {
          QtGdiFont f(ime.Font);
          return f.Font();
        }
        return font();
      default: return QWidget::inputMethodQuery(q);
    }
  }
};

Qt::WindowFlags FlagsFor(const TCreateParams& p) {
  Qt::WindowFlags f = Qt::Window;
  if ((p.Style & WS_CAPTION) != WS_CAPTION) f |= Qt::FramelessWindowHint;
  if (p.ExStyle & WS_EX_TOOLWINDOW) f |= Qt::Tool;
  if (p.ExStyle & WS_EX_TOPMOST) f |= Qt::WindowStaysOnTopHint;
  return f;
}

}  // namespace

QtWindowPeer::QtWindowPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params, QWidget* client)
    : TWindowPeer(ws, control, params), FQws(ws), FNative(client != nullptr) {
  QWidget* parent = nullptr;
  if (params.WndParent && ws.IsWindow(params.WndParent))
    if (auto* pp = dynamic_cast<QtWindowPeer*>(params.WndParent)) parent = pp->Client();
  auto* outer = new QtOuterWidget(this, parent, parent ? Qt::Widget : FlagsFor(params));
  FOuter = outer;
  if (client) {
    client->setParent(outer);
    // Moves without a button pressed reach the control too (its hint).
    client->setMouseTracking(true);
    FClient = client;
  } else {
    FClient = new QtClientWidget(this, outer);
  }
  FClient->show();
  FFilter = new QtPeerFilter(this);
  FClient->installEventFilter(FFilter);
  ws.RegisterWidget(FOuter, this);
  ws.RegisterWidget(FClient, this);
  for (int i = 0; i < 2; ++i) {
    auto* sb = new QScrollBar(i == 1 ? Qt::Vertical : Qt::Horizontal, outer);
    sb->hide();
    sb->setFocusPolicy(Qt::NoFocus);
    QObject::connect(sb, &QAbstractSlider::actionTriggered, sb,
                     [this, i](int action) { GuardEvent([&] { ScrollBarAction(i, action); }); });
    QObject::connect(sb, &QAbstractSlider::sliderReleased, sb,
                     [this, i] { GuardEvent([&] { ScrollBarReleased(i); }); });
    FBars[i] = sb;
  }
  FCorner = new QWidget(outer);
  FCorner->setAutoFillBackground(true);
  QPalette pal = FCorner->palette();
  pal.setColor(QPalette::Window, ColorToQColor(GetSysColor(COLOR_BTNFACE)));
  FCorner->setPalette(pal);
  FCorner->hide();
  if (!params.Caption.empty() && !parent) outer->setWindowTitle(AnsiToQString(params.Caption));
  if (FNative) FClient->setEnabled(Enabled());
  GeometryChanged();
  ScrollBarsChanged();
  outer->setEnabled(Enabled());
  // Utility windows (no control) never show.
  if (control && Visible()) outer->show();
}

QtWindowPeer::~QtWindowPeer() {
  if (auto* f = static_cast<QtPeerFilter*>(FFilter)) f->Peer = nullptr;
  for (QScrollBar* sb : FBars)
    if (sb) sb->disconnect();
  if (FClient) {
    if (auto* c = dynamic_cast<QtClientWidget*>(FClient.data())) c->Peer = nullptr;
    FClient->removeEventFilter(FFilter);
    FQws.UnregisterWidget(FClient);
  }
  if (FOuter) {
    static_cast<QtOuterWidget*>(FOuter.data())->Peer = nullptr;
    FQws.UnregisterWidget(FOuter);
    FOuter->hide();
    FOuter->deleteLater();
  }
  delete FFilter;
  if (FQws.HoverPeer() == this) FQws.SetHoverPeer(nullptr);
}

TRect QtWindowPeer::NonClientMargins() const {
  // The window system draws a top-level window's frame and caption.
  TRect m = TopLevel() ? TRect() : TWindowPeer::NonClientMargins();
  if (TopLevel() && !FNative) {
    if (ScrollBar(SB_VERT).Visible) m.Right += FQws.SystemMetric(SM_CXVSCROLL);
    if (ScrollBar(SB_HORZ).Visible) m.Bottom += FQws.SystemMetric(SM_CYHSCROLL);
  } else if (!TopLevel() && FNative) {
    // A native widget shows its own scroll bars inside its area.
    if (ScrollBar(SB_VERT).Visible) m.Right -= FQws.SystemMetric(SM_CXVSCROLL);
    if (ScrollBar(SB_HORZ).Visible) m.Bottom -= FQws.SystemMetric(SM_CYHSCROLL);
  }
  return m;
}

TPoint QtWindowPeer::ClientOrigin() const {
  // A window's place is its frame's; its client area starts where the
  // window system put it, inside the frame.
  if (FOuter && FOuter->isWindow()) {
    const QPoint g = FOuter->geometry().topLeft();
    const TRect m = NonClientMargins();
    return TPoint(g.x() + m.Left, g.y() + m.Top);
  }
  return TWindowPeer::ClientOrigin();
}

void QtWindowPeer::TakeFocus() {
  TWindowPeer::TakeFocus();
  if (FClient) FClient->setFocus(Qt::OtherFocusReason);
}

void QtWindowPeer::SetCursorShape(HCURSOR cursor) {
  TWindowPeer::SetCursorShape(cursor);
  if (FClient) FClient->setCursor(QtCursor(cursor));
}

void QtWindowPeer::SetAcceptFiles(bool accept) {
  TWindowPeer::SetAcceptFiles(accept);
  if (FClient) FClient->setAcceptDrops(accept);
}

void QtWindowPeer::GeometryChanged() {
  if (FSyncing || !FOuter) return;
  FSyncing = true;
  TRect b = Bounds();
  if (FOuter->isWindow()) {
    // A window's left and top are its frame's, as the window system's
    // own; its width and height are the area inside the frame.
    FOuter->move(b.Left, b.Top);
    FOuter->resize(b.Width(), b.Height());
  } else {
    FOuter->setGeometry(b.Left, b.Top, b.Width(), b.Height());
  }
  LayoutChildren();
  FSyncing = false;
}

void QtWindowPeer::OuterGeometryChanged() {
  if (FSyncing || !FOuter) return;
  FSyncing = true;
  const QRect g = FOuter->geometry();
  const QPoint p = FOuter->isWindow() ? FOuter->pos() : g.topLeft();
  SetBounds(TRect(p.x(), p.y(), p.x() + g.width(), p.y() + g.height()));
  LayoutChildren();
  FSyncing = false;
}

void QtWindowPeer::LayoutChildren() {
  if (!FOuter || !FClient) return;
  TRect m = NonClientMargins();
  TSize cs = ClientSize();
  FClient->setGeometry(m.Left, m.Top, cs.cx, cs.cy);
  int sw = FQws.SystemMetric(SM_CXVSCROLL), sh = FQws.SystemMetric(SM_CYHSCROLL);
  bool v = !FNative && ScrollBar(SB_VERT).Visible, h = !FNative && ScrollBar(SB_HORZ).Visible;
  FLaidOutVisible[0] = h;
  FLaidOutVisible[1] = v;
  if (FBars[1]) {
    FBars[1]->setGeometry(m.Left + cs.cx, m.Top, sw, cs.cy);
    FBars[1]->setVisible(v);
  }
  if (FBars[0]) {
    FBars[0]->setGeometry(m.Left, m.Top + cs.cy, cs.cx, sh);
    FBars[0]->setVisible(h);
  }
  if (FCorner) {
    FCorner->setGeometry(m.Left + cs.cx, m.Top + cs.cy, sw, sh);
    FCorner->setVisible(v && h);
  }
}

void QtWindowPeer::VisibilityChanged() {
  if (!FOuter || !Control()) return;
  FOuter->setVisible(Visible());
}

void QtWindowPeer::EnabledChanged() {
  if (FOuter) FOuter->setEnabled(Enabled());
}

void QtWindowPeer::TextChanged() {
  if (FOuter && TopLevel()) FOuter->setWindowTitle(AnsiToQString(Text()));
}

namespace {

bool SameBar(const TWindowPeer::TScrollBarState& a, const TWindowPeer::TScrollBarState& b) {
  return a.Min == b.Min && a.Max == b.Max && a.Page == b.Page && a.Pos == b.Pos && a.Visible == b.Visible &&
         a.Disabled == b.Disabled;
}

}  // namespace

void QtWindowPeer::ScrollBarsChanged() {
  // A window sets its bars many times during one change (a load sets them
  // per step): what changes nothing touches no Qt widget, and the children
  // are laid out again only when a bar appears or goes.
  const TScrollBarState& horz = ScrollBar(SB_HORZ);
  const TScrollBarState& vert = ScrollBar(SB_VERT);
  if (FBarsShown && SameBar(FShownBars[0], horz) && SameBar(FShownBars[1], vert)) return;
  FShownBars[0] = horz;
  FShownBars[1] = vert;
  FBarsShown = true;
  ++FScrollBarUpdates;
  FUpdatingBars = true;
  for (int i = 0; i < 2; ++i) {
    QScrollBar* sb = FBars[i];
    if (!sb) continue;
    const TScrollBarState& st = ScrollBar(i == 1 ? SB_VERT : SB_HORZ);
    int maxPos = st.Max - std::max(int(st.Page) - 1, 0);
    sb->setRange(st.Min, std::max(st.Min, maxPos));
    sb->setPageStep(std::max(1, int(st.Page)));
    sb->setSingleStep(1);
    if (!sb->isSliderDown()) sb->setValue(st.Pos);
    sb->setEnabled(st.Disabled != ESB_DISABLE_BOTH);
  }
  FUpdatingBars = false;
  if (FLaidOutVisible[0] != (!FNative && horz.Visible) || FLaidOutVisible[1] != (!FNative && vert.Visible))
    LayoutChildren();
}

void QtWindowPeer::ScrollBarAction(int i, int action) {
  if (FUpdatingBars) return;
  QScrollBar* sb = FBars[i];
  int bar = i == 1 ? SB_VERT : SB_HORZ;
  int code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
  }
  int track = sb->sliderPosition();
  if (code != SB_THUMBTRACK) {
    // The window moves the thumb itself (SetScrollInfo).
    FUpdatingBars = true;
    sb->setSliderPosition(ScrollBar(bar).Pos);
    FUpdatingBars = false;
    InputScroll(bar, code, ScrollBar(bar).Pos);
    if (FQws.IsWindow(this)) InputScroll(bar, SB_ENDSCROLL, 0);
  } else {
    InputScroll(bar, SB_THUMBTRACK, track);
  }
}

void QtWindowPeer::ScrollBarReleased(int i) {
  QScrollBar* sb = FBars[i];
  int bar = i == 1 ? SB_VERT : SB_HORZ;
  InputScroll(bar, SB_THUMBPOSITION, sb->sliderPosition());
  if (FQws.IsWindow(this)) InputScroll(bar, SB_ENDSCROLL, 0);
}

void QtWindowPeer::StyleChanged() {
  LayoutChildren();
  if (FOuter) FOuter->update();
}

void QtWindowPeer::ParentChanged() {
  if (!FOuter) return;
  QWidget* pw = nullptr;
  if (auto* pp = dynamic_cast<QtWindowPeer*>(ParentWindow())) pw = pp->Client();
  if (FOuter->parentWidget() == pw) return;
  FOuter->setParent(pw, pw ? Qt::Widget : FlagsFor(Params()));
  GeometryChanged();
  if (Control() && Visible()) FOuter->show();
}

void QtWindowPeer::ZOrderChanged() {
  if (!FOuter) return;
  HWND p = ParentWindow();
  if (p && !p->Children().empty() && p->Children().front() == this)
    FOuter->lower();
  else
    FOuter->raise();
}

void QtWindowPeer::RegionChanged() {
  if (!FOuter) return;
  if (!HasWindowRegion()) {
    FOuter->clearMask();
    return;
  }
  QRegion mask;
  for (const TRect& r : WindowRegion()) mask += QRect(r.Left, r.Top, r.Width(), r.Height());
  FOuter->setMask(mask);
}

void QtWindowPeer::OwnerChanged() {
  if (!FOuter || !FOuter->isWindow()) return;
  QWindow* owner = nullptr;
  if (auto* o = dynamic_cast<QtWindowPeer*>(OwnerWindow()))
    if (QWidget* top = o->Outer() ? o->Outer()->window() : nullptr) {
      top->winId();
      owner = top->windowHandle();
    }
  // The window system learns it when the window is next shown.
  FOuter->winId();
  if (QWindow* w = FOuter->windowHandle()) w->setTransientParent(owner);
}

void QtWindowPeer::PaintRequested(const TRect& r) {
  if (FClient && !FNative) FClient->update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void QtWindowPeer::SurfaceChanged(const TRect& r) {
  if (!FClient || FNative || IsRectEmpty(r)) return;
  const QRect changed(r.Left, r.Top, r.Width(), r.Height());
  // Painted while the client's paint event draws that part: it is shown by
  // that event, and asking Qt again would paint the window twice.
  if (FPainting.contains(changed)) return;
  FClient->update(changed);
}

HDC QtWindowPeer::CreateWindowDC() { return new QtDC(TDeviceContext::TKind::Window, Surface()); }

void QtWindowPeer::PaintClient(QPainter& p, const QRect& r) {
  if (NeedsPaint()) {
    const QRect outer = std::exchange(FPainting, r);
    // The peer may go while it paints: nothing of it is touched then.
    QPointer<QWidget> client(FClient);
    try {
      UpdateNow();
    } catch (...) {
      if (client && FQws.IsWindow(this)) FPainting = outer;
      throw;
    }
    if (!client || !FQws.IsWindow(this)) return;
    FPainting = outer;
  }
  if (!FQws.IsWindow(this)) return;
  QImage img = BitmapImage(Surface());
  if (!img.isNull()) p.drawImage(r.topLeft(), img, r);
  const TCaretState& c = FQws.Caret();
  if (c.Owner == this && c.Visible() && FQws.CaretPhase()) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QColor ink = c.Bitmap == reinterpret_cast<HBITMAP>(1) ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
    p.fillRect(QRect(c.Pos.X, c.Pos.Y, std::max(1, c.Width), std::max(1, c.Height)), ink);
  }
}

void QtWindowPeer::PaintFrame(QPainter& p) {
  if (TopLevel()) return;
  QRect all(0, 0, FOuter->width(), FOuter->height());
  DWORD st = Style(), ex = ExStyle();
  int inset = 0;
  auto frame = [&](COLORREF tl, COLORREF br) {
    QRect r = all.adjusted(inset, inset, -inset - 1, -inset - 1);
    p.setPen(ColorToQColor(tl));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(ColorToQColor(br));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    ++inset;
  };
  if (st & WS_BORDER) frame(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
  if (ex & WS_EX_CLIENTEDGE) {
    frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    frame(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  }
  if (ex & WS_EX_STATICEDGE) frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

// ---------------------------------------------------------------------------
// input

namespace {
WPARAM KeysOf(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  WPARAM k = 0;
  if (b & Qt::LeftButton) k |= MK_LBUTTON;
  if (b & Qt::RightButton) k |= MK_RBUTTON;
  if (b & Qt::MiddleButton) k |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) k |= MK_SHIFT;
  if (m & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}

void SyncModifiers(IWidgetset& ws, Qt::KeyboardModifiers m) {
  auto set = [&](int vk, bool down) {
    if (((ws.KeyboardState()[vk] & 0x80) != 0) != down) ws.SetKeyDown(vk, down);
  };
  set(VK_SHIFT, m & Qt::ShiftModifier);
  set(VK_CONTROL, m & Qt::ControlModifier);
  set(VK_MENU, m & Qt::AltModifier);
}

void SyncButtons(IWidgetset& ws, Qt::MouseButtons b) {
  auto set = [&](int vk, bool down) {
    if (((ws.KeyboardState()[vk] & 0x80) != 0) != down) ws.SetKeyDown(vk, down);
  };
  set(VK_LBUTTON, b & Qt::LeftButton);
  set(VK_RBUTTON, b & Qt::RightButton);
  set(VK_MBUTTON, b & Qt::MiddleButton);
}
}  // namespace

bool QtWindowPeer::FilterEvent(QObject* watched, QEvent* e) {
  if (watched != FClient) return false;
  bool consume = !FNative;
  // Wheel turns wait to be summed (QueueWheel); any other input comes
  // after them.
  switch (e->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::InputMethod:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::ContextMenu:
    case QEvent::Drop:
      if (FQws.WheelQueued()) {
        FQws.DeliverQueuedWheel();
        if (!FQws.IsWindow(this)) return true;
      }
      break;
    default: break;
  }
  switch (e->type()) {
    case QEvent::ShortcutOverride:
      // Every key reaches the window; the toolkit's menus find shortcuts.
      if (!FNative) e->accept();
      return false;
    case QEvent::KeyPress: return KeyEvent(static_cast<QKeyEvent*>(e), true) && consume;
    case QEvent::KeyRelease: return KeyEvent(static_cast<QKeyEvent*>(e), false) && consume;
    case QEvent::MouseButtonPress: return MouseEvent(static_cast<QMouseEvent*>(e), WM_LBUTTONDOWN) && consume;
    case QEvent::MouseButtonRelease: return MouseEvent(static_cast<QMouseEvent*>(e), WM_LBUTTONUP) && consume;
    case QEvent::MouseButtonDblClick: return MouseEvent(static_cast<QMouseEvent*>(e), WM_LBUTTONDBLCLK) && consume;
    case QEvent::MouseMove: return MouseEvent(static_cast<QMouseEvent*>(e), WM_MOUSEMOVE) && consume;
    case QEvent::Wheel: return WheelEvent(static_cast<QWheelEvent*>(e)) && consume;
    case QEvent::InputMethod: return InputMethodEvent(static_cast<QInputMethodEvent*>(e)) && consume;
    case QEvent::Enter: FQws.SetHoverPeer(this); return false;
    case QEvent::Leave: Send(WM_MOUSELEAVE, 0, 0); return false;
    case QEvent::FocusIn: FQws.FocusChanged(this); return false;
    case QEvent::FocusOut: {
      // Win32 tells the window losing focus who gets it.
      QWidget* next = QApplication::focusWidget();
      QtWindowPeer* np = next ? FQws.PeerOf(next) : nullptr;
      if (FQws.Focus() == this) FQws.FocusChanged(np);
      return false;
    }
    case QEvent::ContextMenu: {
      auto* ce = static_cast<QContextMenuEvent*>(e);
      // Mouse context menus come from WM_RBUTTONUP already.
      if (ce->reason() == QContextMenuEvent::Keyboard) Send(WM_CONTEXTMENU, WPARAM(this), MakeLParam(-1, -1));
      return consume;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* de = static_cast<QDropEvent*>(e);
      if (AcceptsFiles() && de->mimeData()->hasUrls()) {
        de->acceptProposedAction();
        return true;
      }
      return false;
    }
    case QEvent::Drop: {
      auto* de = static_cast<QDropEvent*>(e);
      if (!AcceptsFiles() || !de->mimeData()->hasUrls()) return false;
      std::vector<std::string> files;
      for (const QUrl& u : de->mimeData()->urls())
        if (u.isLocalFile()) files.push_back(u.toLocalFile().toUtf8().toStdString());
      de->acceptProposedAction();
      QPoint pos = de->position().toPoint();
      InputDropFiles(files, pos.x(), pos.y());
      return true;
    }
    default: return false;
  }
}

bool QtWindowPeer::KeyEvent(QKeyEvent* e, bool down) {
  Qt::KeyboardModifiers mods = e->modifiers();
  SyncModifiers(FQws, mods);
  uint16_t vk = VirtualKeyFromQt(e->key(), mods, e->nativeScanCode(), e->text());
  if (vk && vk != VK_SHIFT && vk != VK_CONTROL && vk != VK_MENU) {
    if (!(down && e->isAutoRepeat())) FQws.SetKeyDown(vk, down);
  } else if (vk) {
    FQws.SetKeyDown(vk, down);
  }
  if (vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL) {
    bool caps, num, scroll;
    if (QueryLockKeys(caps, num, scroll)) {
      FQws.SetKeyToggled(VK_CAPITAL, caps);
      FQws.SetKeyToggled(VK_NUMLOCK, num);
      FQws.SetKeyToggled(VK_SCROLL, scroll);
    }
  }
  bool alt = (mods & Qt::AltModifier) != 0;
  LPARAM data = KeyDataFor(vk, e->nativeScanCode(), alt, e->isAutoRepeat(), !down);
  if (!down) {
    if (vk) InputKeyUp(vk, data);
    return true;
  }
  bool chars = vk ? InputKeyDown(vk, data) : true;
  if (!chars || !FQws.IsWindow(this)) return true;
  std::string s = CharsForKey(vk, mods, e->text());
  for (char c : s) {
    if (!FQws.IsWindow(this)) break;
    InputChar(static_cast<unsigned char>(c), data & ~LPARAM(int32_t(1u << 31)));
  }
  return true;
}

bool QtWindowPeer::MouseEvent(QMouseEvent* e, UINT kind) {
  FQws.SetHoverPeer(this);
  SyncModifiers(FQws, e->modifiers());
  SyncButtons(FQws, e->buttons());
  UINT msg = WM_MOUSEMOVE;
  if (kind != WM_MOUSEMOVE) {
    int base;
    switch (e->button()) {
      case Qt::LeftButton: base = 0; break;
      case Qt::RightButton: base = 3; break;
      case Qt::MiddleButton: base = 6; break;
      default: return false;
    }
    UINT offset = kind == WM_LBUTTONDOWN ? 0 : kind == WM_LBUTTONUP ? 1 : 2;
    msg = WM_LBUTTONDOWN + UINT(base) + offset;
  }
  QPoint pos = e->position().toPoint();
  InputMouse(msg, KeysOf(e->buttons(), e->modifiers()), pos.x(), pos.y());
  return true;
}

bool QtWindowPeer::WheelEvent(QWheelEvent* e) {
  SyncModifiers(FQws, e->modifiers());
  int delta = e->angleDelta().y();
  if (delta == 0) return false;
  QPoint g = e->globalPosition().toPoint();
  // Qt hands over a burst of notches one event each: they are summed into
  // one scroll, delivered once the events read so far are handled. A
  // native widget handles the wheel itself next: the window hears of it
  // first, as before.
  if (FNative)
    InputWheel(delta, KeysOf(e->buttons(), e->modifiers()), g.x(), g.y());
  else
    QueueWheel(delta, KeysOf(e->buttons(), e->modifiers()), g.x(), g.y());
  return true;
}

bool QtWindowPeer::InputMethodEvent(QInputMethodEvent* e) {
  TImeContext& ime = Ime();
  QString pre = e->preeditString();
  if (!pre.isEmpty()) {
    if (!FComposing) {
      FComposing = true;
      Send(WM_IME_STARTCOMPOSITION, 0, 0);
      if (!FQws.IsWindow(this)) return true;
    }
    ime.CompositionString = QStringToAnsi(pre);
    Send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    if (!FQws.IsWindow(this)) return true;
  }
  QString commit = e->commitString();
  if (!commit.isEmpty()) {
    std::string s = QStringToAnsi(commit);
    if (FComposing) {
      // A composed result.
      ime.CompositionString.clear();
      ime.ResultString = s;
      Send(WM_IME_COMPOSITION, s.empty() ? 0 : static_cast<unsigned char>(s[0]), GCS_RESULTSTR);
      if (!FQws.IsWindow(this)) return true;
    } else {
      // Text committed without a composition is typed text.
      for (char c : s) {
        if (!FQws.IsWindow(this)) return true;
        InputChar(static_cast<unsigned char>(c), 1);
      }
    }
  }
  if (FComposing && pre.isEmpty()) {
    FComposing = false;
    ime.CompositionString.clear();
    Send(WM_IME_ENDCOMPOSITION, 0, 0);
  }
  return true;
}
