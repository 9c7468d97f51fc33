// Forms on Qt: a form's window is a top-level widget with the form's menu
// bar above the client area, the border and buttons its styles ask for,
// and its minimise, maximise and restore reported as system commands.
#include <QEvent>
#include <QMenuBar>
#include <QWidget>
#include <QWindowStateChangeEvent>
#include <memory>

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtMenus.h"
#include "platform/qt/QtWidgetset.h"

namespace {

class QtFormPeer;

// Marks a window state change in progress for as long as it lives.
struct TStateChangeScope {
  explicit TStateChangeScope(bool& flag) : F(flag) { F = true; }
  ~TStateChangeScope() { F = false; }
  bool& F;
};

class QtFormStateFilter : public QObject {
 public:
  explicit QtFormStateFilter(QtFormPeer* peer) : Peer(peer) {}
  bool eventFilter(QObject* watched, QEvent* e) override;
  QtFormPeer* Peer;
};

class QtFormPeer : public QtWindowPeer {
 public:
  QtFormPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params) : QtWindowPeer(ws, control, params) {
    FFilter = new QtFormStateFilter(this);
    if (Outer()) {
      Outer()->installEventFilter(FFilter);
      ApplyFlags();
      FixSize();
    }
  }

  ~QtFormPeer() override {
    FFilter->Peer = nullptr;
    if (Outer()) Outer()->removeEventFilter(FFilter);
    FView.reset();
    delete FFilter;
  }

  QMenuBar* MenuBar() const { return FMenuBar; }

  TRect NonClientMargins() const override {
    TRect m = QtWindowPeer::NonClientMargins();
    m.Top += MenuHeight();
    return m;
  }

  void DefWindowProc(TMessage& m) override {
    if (m.Msg == BQM_SETMENU) {
      SetMenu(reinterpret_cast<TMainMenu*>(m.LParam));
      m.Result = 0;
      return;
    }
    QtWindowPeer::DefWindowProc(m);
  }

  void SetShowState(int cmd) override {
    QtWindowPeer::SetShowState(cmd);
    QWidget* w = Outer();
    if (!w || FInStateChange) return;
    // A state the program sets is no system command: the state change it
    // causes is not reported back (a minimise through the application
    // would otherwise come back as the title bar's).
    TStateChangeScope scope(FInStateChange);
    switch (cmd) {
      case SW_SHOWMINIMIZED:
      case SW_MINIMIZE:
      case SW_SHOWMINNOACTIVE:
        if (!w->isMinimized()) w->showMinimized();
        break;
      case SW_SHOWMAXIMIZED:
        if (!w->isMaximized()) w->showMaximized();
        break;
      case SW_RESTORE:
      case SW_SHOWNORMAL:
        if (w->isMinimized() || w->isMaximized()) w->showNormal();
        break;
      default: break;
    }
  }

  // The window system changed the window's state.
  void StateChanged(Qt::WindowStates old) {
    QWidget* w = Outer();
    if (!w || FInStateChange) return;
    Qt::WindowStates now = w->windowState();
    TStateChangeScope scope(FInStateChange);
    if ((now & Qt::WindowMinimized) && !(old & Qt::WindowMinimized)) {
      Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
      if (Widgetset().IsWindow(this)) Send(WM_SIZE, SIZE_MINIMIZED, 0);
    } else if ((now & Qt::WindowMaximized) && !(old & Qt::WindowMaximized)) {
      Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      if (Widgetset().IsWindow(this)) Send(WM_SIZE, SIZE_MAXIMIZED, 0);
    } else if (!(now & (Qt::WindowMinimized | Qt::WindowMaximized)) &&
               (old & (Qt::WindowMinimized | Qt::WindowMaximized))) {
      Send(WM_SYSCOMMAND, SC_RESTORE, 0);
      if (Widgetset().IsWindow(this)) Send(WM_SIZE, SIZE_RESTORED, 0);
    }
  }

 protected:
  void GeometryChanged() override {
    // A fixed size holds the window to its old size while it changes.
    if (Outer()) {
      Outer()->setMinimumSize(0, 0);
      Outer()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    QtWindowPeer::GeometryChanged();
    PlaceMenuBar();
    FixSize();
  }

  void StyleChanged() override {
    QtWindowPeer::StyleChanged();
    if (Outer() && !Outer()->isVisible()) ApplyFlags();
    FixSize();
  }

  void OwnerChanged() override {
    // A window that belongs to another is a dialog of it (the window
    // system keeps it above its owner); the flags first, as changing them
    // may make the window anew.
    if (Outer() && !Outer()->isVisible()) ApplyFlags();
    QtWindowPeer::OwnerChanged();
  }

 private:
  int MenuHeight() const {
    if (!FMenuBar || FMenuBar->actions().isEmpty()) return 0;
    return FMenuBar->sizeHint().height();
  }

  void PlaceMenuBar() {
    if (!FMenuBar || !Outer()) return;
    int h = MenuHeight();
    FMenuBar->setGeometry(0, 0, Outer()->width(), h);
    FMenuBar->setVisible(h > 0);
  }

  void FixSize() {
    QWidget* w = Outer();
    if (!w) return;
    TRect b = Bounds();
    if (Style() & WS_THICKFRAME) {
      w->setMinimumSize(0, 0);
      w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
      w->setFixedSize(b.Width(), b.Height());
    }
  }

  void ApplyFlags() {
    QWidget* w = Outer();
    DWORD st = Style(), ex = ExStyle();
    Qt::WindowFlags f = (OwnerWindow() ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
    if ((st & WS_CAPTION) == WS_CAPTION) {
      f |= Qt::WindowTitleHint;
      if (st & WS_SYSMENU) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (st & WS_MINIMIZEBOX) f |= Qt::WindowMinimizeButtonHint;
      if (st & WS_MAXIMIZEBOX) f |= Qt::WindowMaximizeButtonHint;
    } else {
      f |= Qt::FramelessWindowHint;
    }
    if (ex & WS_EX_TOOLWINDOW) f |= Qt::Tool;
    if (ex & WS_EX_TOPMOST) f |= Qt::WindowStaysOnTopHint;
    if (!(st & WS_THICKFRAME)) f |= Qt::MSWindowsFixedSizeDialogHint;
    if (w->windowFlags() != f) w->setWindowFlags(f);
  }

  void SetMenu(TMainMenu* menu) {
    TSize before = ClientSize();
    FView.reset();
    if (FMenuBar) {
      FMenuBar->hide();
      FMenuBar->deleteLater();
      FMenuBar = nullptr;
    }
    if (menu && Outer()) {
      FMenuBar = NewViewMenuBar(Outer());
      FMenuBar->setNativeMenuBar(false);
      FView = std::make_unique<QtMenuView>(menu, FMenuBar, true);
    }
    // The menu bar takes its height from the client area.
    LayoutChildren();
    PlaceMenuBar();
    ClientSizeMayHaveChanged(before);
  }

  QtFormStateFilter* FFilter = nullptr;
  QMenuBar* FMenuBar = nullptr;
  std::unique_ptr<QtMenuView> FView;
  bool FInStateChange = false;
};

bool QtFormStateFilter::eventFilter(QObject* watched, QEvent* e) {
  if (Peer && e->type() == QEvent::WindowStateChange) {
    auto* se = static_cast<QWindowStateChangeEvent*>(e);
    QtFormPeer* p = Peer;
    Qt::WindowStates old = se->oldState();
    GuardEvent([p, old] { p->StateChanged(old); });
  }
  return false;
}

// A hint window: a tooltip that never takes the focus.
class QtHintPeer : public QtWindowPeer {
 public:
  QtHintPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params) : QtWindowPeer(ws, control, params) {
    if (QWidget* w = Outer()) {
      bool shown = w->isVisible();
      w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
      w->setAttribute(Qt::WA_ShowWithoutActivating);
      if (shown) w->show();
    }
  }
};

}  // namespace

void RegisterQtForms(QtWidgetset& ws) {
  ws.RegisterWindowClass(HintWindowClass, [](IWidgetset& w, TWinControl* c, const TCreateParams& p) -> TWindowPeer* {
    return new QtHintPeer(static_cast<QtWidgetset&>(w), c, p);
  });
  ws.RegisterWindowClass(FormWindowClass, [](IWidgetset& w, TWinControl* c, const TCreateParams& p) -> TWindowPeer* {
    return new QtFormPeer(static_cast<QtWidgetset&>(w), c, p);
  });
}

QMenuBar* QtFormMenuBar(HWND formWindow) {
  auto* p = dynamic_cast<QtFormPeer*>(formWindow);
  return p ? p->MenuBar() : nullptr;
}

QWidget* QtFormWidget(HWND formWindow) {
  auto* p = dynamic_cast<QtWindowPeer*>(formWindow);
  return p ? p->Outer() : nullptr;
}
