// The picture backend on Qt's image readers.
#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "platform/qt/QtWidgetset.h"

namespace {

// The image at its own size, or read straight to `scaled` when that is
// valid; null when the reader fails. What the reader allocates stays within
// the picture limit.
QImage ReadImage(const std::string& bytes, QSize scaled = QSize()) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // MB of decoded pixels, as GraphicSizeAllowed counts them (4 bytes each).
  reader.setAllocationLimit(int(MaxGraphicPixels * 4 / (1024 * 1024)));
  if (scaled.isValid()) reader.setScaledSize(scaled);
  QImage img;
  if (!reader.read(&img) || img.isNull() || !GraphicSizeAllowed(img.width(), img.height())) return QImage();
  return img;
}

void StoreImage(QImage img, TBitmap& out) {
  img = img.convertToFormat(QImage::Format_ARGB32);
  TBitmap b(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    uint32_t* dst = b.ScanLine(y);
    // Transparent pixels over white, as a picture on a page.
    for (int x = 0; x < img.width(); ++x) dst[x] = PixelOverWhite(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), qAlpha(src[x]));
  }
  out.Assign(&b);
}

}  // namespace

bool QtPictureBackend::DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height,
                                    TBitmap& out) {
  if (format != TPictureFormat::Jpeg && format != TPictureFormat::Png)
    return IPictureBackend::DecodeScaled(bytes, format, width, height, out);
  QImage img = ReadImage(bytes, QSize(width, height));
  if (img.isNull()) return false;
  StoreImage(img, out);
  return true;
}

bool QtPictureBackend::Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) {
  if (format == TPictureFormat::Bmp || format == TPictureFormat::Ico || format == TPictureFormat::Unknown) {
    TBuiltinPictureBackend builtin;
    return builtin.Decode(bytes, format, out);
  }
  QImage img = ReadImage(bytes);
  if (img.isNull()) return false;
  TRect frame;
  if (format == TPictureFormat::Gif && ReadGifFrameRect(bytes, frame)) {
    QRect r = QRect(frame.Left, frame.Top, frame.Width(), frame.Height()).intersected(img.rect());
    if (r.isEmpty()) return false;
    if (r != img.rect()) img = img.copy(r);
  }
  StoreImage(img, out);
  return true;
}
