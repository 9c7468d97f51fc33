// The lock keys' states from X11, and synthetic lock-key events through
// XTest. Kept apart, without the toolkit's headers: the X11 headers' names
// clash with them.
#include <QGuiApplication>

bool QueryLockKeys(bool& caps, bool& num, bool& scroll);
bool X11CanSendKeys();
// lock: 0 Num Lock, 1 Caps Lock, 2 Scroll Lock.
bool X11SendLockKey(int lock, bool down);

#if defined(BQS_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#if defined(BQS_HAVE_XTEST)
#include <X11/extensions/XTest.h>
#endif

namespace {
Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}
}  // namespace

bool QueryLockKeys(bool& caps, bool& num, bool& scroll) {
  caps = num = scroll = false;
  Display* display = X11Display();
  if (!display) return false;
  unsigned int state = 0;
  if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != 0) return false;
  caps = (state & 1) != 0;
  num = (state & 2) != 0;
  scroll = (state & 4) != 0;
  return true;
}

#if defined(BQS_HAVE_XTEST)
bool X11CanSendKeys() {
  Display* display = X11Display();
  if (!display) return false;
  int event = 0, error = 0, major = 0, minor = 0;
  return XTestQueryExtension(display, &event, &error, &major, &minor) != 0;
}

bool X11SendLockKey(int lock, bool down) {
  Display* display = X11Display();
  if (!display || lock < 0 || lock > 2) return false;
  const KeySym syms[] = {XK_Num_Lock, XK_Caps_Lock, XK_Scroll_Lock};
  KeyCode code = XKeysymToKeycode(display, syms[lock]);
  if (!code) return false;
  XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
  XFlush(display);
  return true;
}
#else
bool X11CanSendKeys() { return false; }
bool X11SendLockKey(int, bool) { return false; }
#endif
#else
bool QueryLockKeys(bool& caps, bool& num, bool& scroll) {
  caps = num = scroll = false;
  return false;
}
bool X11CanSendKeys() { return false; }
bool X11SendLockKey(int, bool) { return false; }
#endif
