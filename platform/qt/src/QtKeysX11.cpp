// The lock keys' states from X11. Kept apart: the X11 headers' names clash
// with the toolkit's.
#include <QGuiApplication>

bool QueryLockKeys(bool& caps, bool& num, bool& scroll);

#if defined(BQS_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>

bool QueryLockKeys(bool& caps, bool& num, bool& scroll) {
  caps = num = scroll = false;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return false;
  unsigned int state = 0;
  if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != 0) return false;
  caps = (state & 1) != 0;
  num = (state & 2) != 0;
  scroll = (state & 4) != 0;
  return true;
}
#else
bool QueryLockKeys(bool& caps, bool& num, bool& scroll) {
  caps = num = scroll = false;
  return false;
}
#endif
