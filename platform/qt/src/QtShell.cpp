// Shell starts on the desktop: addresses, folders and documents through
// the desktop's opener, programs started directly and never waited for.
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtApplication.h"

namespace {
QString SysPath(const std::string& ansi) { return QString::fromUtf8(SysFileName(ansi).c_str()); }

// A document or folder goes to the desktop's opener as one path, to be
// shown by the program the desktop has for its type; it is never started
// itself, whatever its mode.
bool OpenPath(const QString& path) {
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (!opener.isEmpty()) return QProcess::startDetached(opener, {path});
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
}  // namespace

bool QtShellBackend::Start(const TShellStart& s) {
  switch (s.Kind) {
    case TShellStart::skUrl: {
      // Blanks around an address are not part of it: "mailto:a@b.c " would
      // reach the mail program as "a@b.c%20".
      QUrl url(QString::fromUtf8(Cp1251ToUtf8(s.Target).c_str()).trimmed(), QUrl::TolerantMode);
      return url.isValid() && QDesktopServices::openUrl(url);
    }
    case TShellStart::skFolder:
    case TShellStart::skDocument: return OpenPath(SysPath(s.Target));
    case TShellStart::skProgram: {
      QStringList args;
      for (const std::string& a : s.Arguments) args << QString::fromUtf8(Cp1251ToUtf8(a).c_str());
      QString dir = s.Directory.empty() ? QString() : SysPath(s.Directory);
      return QProcess::startDetached(SysPath(s.Target), args, dir);
    }
    case TShellStart::skProperties: {
      // The file manager's properties sheet, where the desktop offers one;
      // else the folder that holds the item.
      QString busSend = QStandardPaths::findExecutable("dbus-send");
      QString uri = QUrl::fromLocalFile(SysPath(s.Target)).toString(QUrl::FullyEncoded);
      if (!busSend.isEmpty() &&
          QProcess::startDetached(busSend,
                                  {"--session", "--type=method_call", "--dest=org.freedesktop.FileManager1",
                                   "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1.ShowItemProperties",
                                   "array:string:" + uri, "string:"}))
        return true;
      return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(SysPath(s.Target)).absolutePath()));
    }
    case TShellStart::skNone: break;
  }
  return false;
}
