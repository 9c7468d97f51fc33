// The clipboard on QClipboard: text as Unicode (the Win32 layer makes the
// Windows-1251 and OEM forms), files as URLs, registered formats as mime
// data carrying their exact bytes.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {
const char kMimePrefix[] = "application/x-bqs-";

QClipboard* Board() { return QGuiApplication::clipboard(); }
}  // namespace

// Rich text goes by the desktop's own type, so RTF from other programs can
// be pasted and ours read by them.
const char kRtfFormat[] = "Rich Text Format";
const char kRtfMime[] = "text/rtf";

QString QtWidgetset::MimeForFormat(const std::string& name) {
  if (name == kRtfFormat) return QString::fromLatin1(kRtfMime);
  QByteArray utf8 = AnsiToQString(name).toUtf8();
  return QString::fromLatin1(kMimePrefix) + QString::fromLatin1(utf8.toPercentEncoding());
}

std::string QtWidgetset::FormatForMime(const QString& mime) {
  if (mime == QLatin1String(kRtfMime)) return kRtfFormat;
  if (!mime.startsWith(QLatin1String(kMimePrefix))) return std::string();
  QByteArray enc = mime.mid(int(std::strlen(kMimePrefix))).toLatin1();
  return QStringToAnsi(QString::fromUtf8(QByteArray::fromPercentEncoding(enc)));
}

std::vector<UINT> QtWidgetset::ClipboardFormats() {
  std::vector<UINT> r;
  QClipboard* cb = Board();
  if (!cb) return r;
  const QMimeData* md = cb->mimeData();
  if (!md) return r;
  if (md->hasText()) r.push_back(CF_UNICODETEXT);
  if (md->hasUrls()) {
    bool local = false;
    for (const QUrl& u : md->urls()) local |= u.isLocalFile();
    if (local) r.push_back(CF_HDROP);
  }
  for (const QString& f : md->formats()) {
    std::string name = FormatForMime(f);
    if (!name.empty()) r.push_back(RegisterClipboardFormat(name));
  }
  return r;
}

bool QtWidgetset::ClipboardGet(UINT format, std::string& bytes) {
  QClipboard* cb = Board();
  if (!cb) return false;
  const QMimeData* md = cb->mimeData();
  if (!md) return false;
  if (format == CF_UNICODETEXT) {
    if (!md->hasText()) return false;
    QString t = md->text();
    bytes.assign(reinterpret_cast<const char*>(t.utf16()), size_t(t.size()) * 2);
    bytes.append(2, '\0');
    return true;
  }
  if (format == CF_HDROP) {
    if (!md->hasUrls()) return false;
    bytes.clear();
    for (const QUrl& u : md->urls()) {
      // A name Windows-1251 cannot hold would read as another file's.
      const std::string sysName = u.toLocalFile().toUtf8().toStdString();
      if (u.isLocalFile() && AnsiHoldsFileName(sysName)) {
        bytes += AnsiFileName(sysName);
        bytes += '\0';
      }
    }
    bytes += '\0';
    return true;
  }
  std::string name = ClipboardFormatName(format);
  if (name.empty()) return false;
  QString mime = MimeForFormat(name);
  if (!md->hasFormat(mime)) return false;
  QByteArray d = md->data(mime);
  bytes.assign(d.constData(), size_t(d.size()));
  return true;
}

void QtWidgetset::ClipboardSet(const std::vector<std::pair<UINT, std::string>>& data) {
  QClipboard* cb = Board();
  if (!cb) return;
  auto* md = new QMimeData;
  for (const auto& d : data) {
    if (d.first == CF_UNICODETEXT) {
      std::u16string u(d.second.size() / 2, u'\0');
      if (!u.empty()) std::memcpy(&u[0], d.second.data(), u.size() * 2);
      size_t z = u.find(u'\0');
      if (z != std::u16string::npos) u.resize(z);
      md->setText(QString::fromUtf16(u.data(), qsizetype(u.size())));
    } else if (d.first == CF_HDROP) {
      QList<QUrl> urls;
      size_t pos = 0;
      while (pos < d.second.size()) {
        size_t z = d.second.find('\0', pos);
        if (z == std::string::npos) z = d.second.size();
        if (z == pos) break;
        urls.push_back(QUrl::fromLocalFile(AnsiToQString(d.second.substr(pos, z - pos))));
        pos = z + 1;
      }
      md->setUrls(urls);
    } else if (d.first >= 0xC000) {
      std::string name = ClipboardFormatName(d.first);
      if (!name.empty()) md->setData(MimeForFormat(name), QByteArray(d.second.data(), qsizetype(d.second.size())));
    }
  }
  cb->setMimeData(md);
}
