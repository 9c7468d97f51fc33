// The notification area on Qt: one QSystemTrayIcon per icon. Qt reports
// clicks, not buttons going down and up, so each activation becomes the
// pair of mouse messages a tray sends for it; Linux trays report no hover.
// Qt tells nobody when a tray appears, so the backend looks every two
// seconds: when the tray goes it posts "TrayGone" to the icons' windows,
// and when one is back it drops the icons of the old tray and posts
// "TaskbarCreated" for their owners to add them again.
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <map>
#include <set>
#include <utility>

#include "platform/Graphics.h"
#include "platform/NotifyIcon.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

constexpr int TrayPollMs = 2000;

// The icon's picture with its mask as alpha; a fully transparent square
// for an icon without a picture.
QIcon IconOf(const TIcon* icon) {
  if (!icon || icon->Empty()) {
    QPixmap none(16, 16);
    none.fill(Qt::transparent);
    return QIcon(none);
  }
  auto* ic = const_cast<TIcon*>(icon);
  QImage image = BitmapImage(ic->Image()->Handle()).convertToFormat(QImage::Format_ARGB32);
  TBitmap* mask = ic->Mask();
  bool masked = !mask->Empty() && mask->Width() == image.width() && mask->Height() == image.height();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      bool clear = masked && (mask->Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
      row[x] = clear ? qRgba(0, 0, 0, 0) : (row[x] | 0xFF000000u);
    }
  }
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

struct QtNotifyIconBackend::TImpl {
  using Key = std::pair<HWND, uintptr_t>;
  struct TEntry {
    QSystemTrayIcon* Icon = nullptr;
    UINT CallbackMessage = 0;
  };
  std::map<Key, TEntry> Icons;
  std::set<HWND> Owners;  // windows that had icons
  bool Available = false;
  // Asking whether there is a tray talks to the session bus (and may start
  // one): a program learns it when it first wants an icon, not at start.
  bool Known = false;
  QTimer Poll;

  bool Ask() {
    Available = QSystemTrayIcon::isSystemTrayAvailable();
    Known = true;
    return Available;
  }

  void Post(const Key& key, std::initializer_list<UINT> codes) {
    auto it = Icons.find(key);
    if (it == Icons.end() || !WidgetsetInstalled() || !Widgetset().IsWindow(key.first)) return;
    for (UINT code : codes) ::PostMessage(key.first, it->second.CallbackMessage, key.second, LPARAM(code));
  }

  // An add gives every field (missing ones as none); a modify only those
  // its flags name.
  void Apply(QSystemTrayIcon* icon, const TNotifyIconRequest& r, bool all) {
    if (all || (r.Flags & NIF_ICON)) icon->setIcon(IconOf(r.Flags & NIF_ICON ? r.Icon : nullptr));
    if (all || (r.Flags & NIF_TIP))
      icon->setToolTip(r.Flags & NIF_TIP ? AnsiToQString(r.Tip.substr(0, NotifyIconTipSize - 1)) : QString());
  }

  void Drop(TEntry& e) {
    e.Icon->hide();
    e.Icon->deleteLater();
  }

  void CheckTray() {
    // Nobody has asked yet: there is nothing to tell.
    if (!Known) return;
    bool now = QSystemTrayIcon::isSystemTrayAvailable();
    if (now == Available) return;
    Available = now;
    if (!now) {
      std::set<HWND> holders;
      for (auto& i : Icons) holders.insert(i.first.first);
      if (!WidgetsetInstalled()) return;
      for (HWND w : holders)
        if (Widgetset().IsWindow(w)) ::PostMessage(w, TrayGoneMessage(), 0, 0);
      return;
    }
    // The icons belonged to the tray that went.
    for (auto& i : Icons) Drop(i.second);
    Icons.clear();
    if (!WidgetsetInstalled()) return;
    for (HWND w : Owners)
      if (Widgetset().IsWindow(w)) ::PostMessage(w, TaskbarCreatedMessage(), 0, 0);
  }
};

QtNotifyIconBackend::QtNotifyIconBackend() : F(std::make_unique<TImpl>()) {
  F->Poll.setInterval(TrayPollMs);
  TImpl* impl = F.get();
  QObject::connect(&F->Poll, &QTimer::timeout, [impl] { GuardEvent([impl] { impl->CheckTray(); }); });
  F->Poll.start();
}

QtNotifyIconBackend::~QtNotifyIconBackend() {
  F->Poll.stop();
  for (auto& i : F->Icons) delete i.second.Icon;
}

bool QtNotifyIconBackend::TrayAvailable() { return F->Ask(); }

bool QtNotifyIconBackend::Add(const TNotifyIconRequest& r) {
  TImpl::Key key{r.Wnd, r.Id};
  if (!TrayAvailable() || F->Icons.count(key)) return false;
  auto* icon = new QSystemTrayIcon;
  F->Apply(icon, r, true);
  TImpl* impl = F.get();
  QObject::connect(icon, &QSystemTrayIcon::activated, [impl, key](QSystemTrayIcon::ActivationReason why) {
    GuardEvent([impl, key, why] {
      switch (why) {
        case QSystemTrayIcon::Trigger: impl->Post(key, {WM_LBUTTONDOWN, WM_LBUTTONUP}); break;
        case QSystemTrayIcon::DoubleClick: impl->Post(key, {WM_LBUTTONDBLCLK, WM_LBUTTONUP}); break;
        case QSystemTrayIcon::MiddleClick: impl->Post(key, {WM_MBUTTONDOWN, WM_MBUTTONUP}); break;
        case QSystemTrayIcon::Context: impl->Post(key, {WM_RBUTTONDOWN, WM_RBUTTONUP}); break;
        default: break;
      }
    });
  });
  QObject::connect(icon, &QSystemTrayIcon::messageClicked,
                   [impl, key] { GuardEvent([impl, key] { impl->Post(key, {NIN_BALLOONUSERCLICK}); }); });
  icon->show();
  F->Icons[key] = TImpl::TEntry{icon, r.CallbackMessage};
  F->Owners.insert(r.Wnd);
  return true;
}

bool QtNotifyIconBackend::Modify(const TNotifyIconRequest& r) {
  auto it = F->Icons.find(TImpl::Key{r.Wnd, r.Id});
  if (it == F->Icons.end()) return false;
  F->Apply(it->second.Icon, r, false);
  if (r.Flags & NIF_MESSAGE) it->second.CallbackMessage = r.CallbackMessage;
  return true;
}

bool QtNotifyIconBackend::Delete(HWND wnd, uintptr_t id) {
  auto it = F->Icons.find(TImpl::Key{wnd, id});
  if (it == F->Icons.end()) return false;
  F->Drop(it->second);
  F->Icons.erase(it);
  return true;
}
