// The picture backend on Qt's image readers.
#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "platform/qt/QtWidgetset.h"

bool QtPictureBackend::Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) {
  if (format == TPictureFormat::Bmp || format == TPictureFormat::Ico || format == TPictureFormat::Unknown) {
    TBuiltinPictureBackend builtin;
    return builtin.Decode(bytes, format, out);
  }
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // MB of decoded pixels, as GraphicSizeAllowed counts them (4 bytes each).
  reader.setAllocationLimit(int(MaxGraphicPixels * 4 / (1024 * 1024)));
  QImage img;
  if (!reader.read(&img) || img.isNull() || !GraphicSizeAllowed(img.width(), img.height())) return false;
  TRect frame;
  if (format == TPictureFormat::Gif && ReadGifFrameRect(bytes, frame)) {
    QRect r = QRect(frame.Left, frame.Top, frame.Width(), frame.Height()).intersected(img.rect());
    if (r.isEmpty()) return false;
    if (r != img.rect()) img = img.copy(r);
  }
  img = img.convertToFormat(QImage::Format_ARGB32);
  TBitmap b(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    uint32_t* dst = b.ScanLine(y);
    // Transparent pixels over white, as a picture on a page.
    for (int x = 0; x < img.width(); ++x) dst[x] = PixelOverWhite(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), qAlpha(src[x]));
  }
  out.Assign(&b);
  return true;
}
