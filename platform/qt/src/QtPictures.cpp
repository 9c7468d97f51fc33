// The picture backend on Qt's image readers.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstring>

#include "platform/qt/QtWidgetset.h"

namespace {

// The picture as a bitmap: transparent pixels over white, as a picture on
// a page; an opaque picture's 0xFFRRGGBB words are the bitmap's as they
// stand. The pixels move into `out`: a large picture is not copied again.
void StoreImage(QImage img, TBitmap& out) {
  const bool opaque = !img.hasAlphaChannel();
  img = img.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  TBitmap b(img.width(), img.height());
  const size_t rowBytes = size_t(img.width()) * sizeof(uint32_t);
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    uint32_t* dst = b.ScanLine(y);
    if (opaque) {
      std::memcpy(dst, src, rowBytes);
      continue;
    }
    for (int x = 0; x < img.width(); ++x)
      dst[x] = PixelOverWhite(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), qAlpha(src[x]));
  }
  out.SetHandle(b.ReleaseHandle());
}

// Reads the picture at its own size, or straight to `scaled` when that is
// valid. What the reader allocates stays within the picture limit. A
// picture that comes out opaque in 32 bits at its own size (JPEG) is
// decoded straight into the bitmap's pixels: no second 48 MB copy for a
// 4000 x 3000 photo.
bool ReadInto(const std::string& bytes, TPictureFormat format, TBitmap& out, QSize scaled = QSize()) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // MB of decoded pixels, as GraphicSizeAllowed counts them (4 bytes each).
  reader.setAllocationLimit(int(MaxGraphicPixels * 4 / (1024 * 1024)));
  if (scaled.isValid()) {
    reader.setScaledSize(scaled);
  } else {
    const QSize size = format == TPictureFormat::Gif ? QSize() : reader.size();
    if (size.isValid() && reader.imageFormat() == QImage::Format_RGB32) {
      if (!GraphicSizeAllowed(size.width(), size.height())) return false;
      TBitmap b(size.width(), size.height());
      uchar* bits = reinterpret_cast<uchar*>(b.ScanLine(0));
      QImage into(bits, size.width(), size.height(), size.width() * 4, QImage::Format_RGB32);
      if (!reader.read(&into) || into.isNull() || into.size() != size) return false;
      if (into.constBits() != bits) {
        // The reader made an image of its own: copy it over.
        into = into.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
          std::memcpy(b.ScanLine(y), into.constScanLine(y), size_t(size.width()) * sizeof(uint32_t));
      }
      out.SetHandle(b.ReleaseHandle());
      return true;
    }
  }
  QImage img;
  if (!reader.read(&img) || img.isNull() || !GraphicSizeAllowed(img.width(), img.height())) return false;
  TRect frame;
  if (!scaled.isValid() && format == TPictureFormat::Gif && ReadGifFrameRect(bytes, frame)) {
    QRect r = QRect(frame.Left, frame.Top, frame.Width(), frame.Height()).intersected(img.rect());
    if (r.isEmpty()) return false;
    if (r != img.rect()) img = img.copy(r);
  }
  StoreImage(std::move(img), out);
  return true;
}

}  // namespace

bool QtPictureBackend::DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height,
                                    TBitmap& out) {
  if (format == TPictureFormat::Wmf || format == TPictureFormat::Emf) {
    TBuiltinPictureBackend builtin;
    return builtin.DecodeScaled(bytes, format, width, height, out);
  }
  if (format != TPictureFormat::Jpeg && format != TPictureFormat::Png)
    return IPictureBackend::DecodeScaled(bytes, format, width, height, out);
  return ReadInto(bytes, format, out, QSize(width, height));
}

bool QtPictureBackend::Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) {
  // The toolkit's own readers, and the metafile players Qt lacks.
  if (format == TPictureFormat::Bmp || format == TPictureFormat::Ico || format == TPictureFormat::Wmf ||
      format == TPictureFormat::Emf || format == TPictureFormat::Unknown) {
    TBuiltinPictureBackend builtin;
    return builtin.Decode(bytes, format, out);
  }
  return ReadInto(bytes, format, out);
}
