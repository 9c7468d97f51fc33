// The desktop's monitors (every QScreen) and the shell's icon lists (the
// file icon provider and the icon theme).
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QScreen>

#include "platform/qt/QtWidgetset.h"

std::vector<TRect> QtMonitors::MonitorRects() {
  std::vector<TRect> rects;
  QScreen* primary = QGuiApplication::primaryScreen();
  auto add = [&](QScreen* s) {
    QRect g = s->geometry();
    rects.push_back(TRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height()));
  };
  if (primary) add(primary);
  for (QScreen* s : QGuiApplication::screens())
    if (s != primary) add(s);
  return rects;
}

int QtShellIcons::IconIndex(const std::string& path) {
  QString name = AnsiToQString(path);
  QFileInfo info(name);
  QIcon icon;
  if (info.exists()) {
    QFileIconProvider provider;
    icon = provider.icon(info);
  } else {
    // By name only, as an ordinary file of its type.
    QMimeType mime = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    if (icon.isNull()) icon = QFileIconProvider().icon(QFileIconProvider::File);
  }
  qint64 key = icon.cacheKey();
  auto it = FIndexes.find(key);
  if (it != FIndexes.end()) return it->second;
  int index = int(FIcons.size());
  FIcons.push_back(icon);
  FIndexes[key] = index;
  return index;
}

bool QtShellIcons::IconImage(int index, bool large, TIcon& out) {
  if (index < 0 || index >= int(FIcons.size())) return false;
  int n = large ? ShellLargeIconSize : ShellSmallIconSize;
  QImage img = FIcons[size_t(index)].pixmap(n, n).toImage().convertToFormat(QImage::Format_ARGB32);
  if (img.isNull()) return false;
  img = img.scaled(n, n);
  TBitmap colour(n, n), mask(n, n);
  mask.SetMonochrome(true);
  for (int y = 0; y < n; ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    uint32_t* dst = colour.ScanLine(y);
    for (int x = 0; x < n; ++x) {
      QRgb p = src[x];
      dst[x] = 0xFF000000u | (uint32_t(qRed(p)) << 16) | (uint32_t(qGreen(p)) << 8) | uint32_t(qBlue(p));
      mask.SetPixel(x, y, qAlpha(p) < 128 ? clWhite : clBlack);
    }
  }
  out.Image()->Assign(&colour);
  out.Mask()->Assign(&mask);
  return true;
}
