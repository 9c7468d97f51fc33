// Printing on Qt: a job is a QPrinter (high resolution; a PDF file when the
// job prints to a file) with a QPainter, and the job's DC draws through
// that painter, so text stays text in the output.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegion>

#include "platform/Printers.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtPrinting.h"
#include "platform/qt/QtWidgetset.h"

namespace {
QString QFileName(const std::string& ansi) { return QString::fromUtf8(SysFileName(ansi).c_str()); }
}  // namespace

QPageLayout& QtChosenPageLayout() {
  static QPageLayout layout;
  return layout;
}

std::unique_ptr<QPrinter> MakeQtPrinter(const std::string& printerName, const std::string& outputFile, bool forDialog) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  bool installed = !QPrinterInfo::availablePrinterNames().isEmpty();
  if (!outputFile.empty() || (printerName.empty() && !installed && forDialog)) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    if (!outputFile.empty()) printer->setOutputFileName(QFileName(outputFile));
  } else {
    if (!forDialog && printerName.empty() && QPrinterInfo::defaultPrinterName().isEmpty())
      throw EPrinter("There is no default printer currently selected");
    if (!printerName.empty()) printer->setPrinterName(AnsiToQString(printerName));
    if (!forDialog && !printer->isValid()) throw EPrinter("Printer selected is not valid");
  }
  if (QtChosenPageLayout().isValid()) printer->setPageLayout(QtChosenPageLayout());
  return printer;
}

namespace {

class QtPrinterDC : public TDeviceContext {
 public:
  QtPrinterDC(QPrinter& printer, QPainter& painter)
      : TDeviceContext(TKind::Printer), FPrinter(printer), FPainter(painter) {
    QRect page = FPrinter.pageLayout().paintRectPixels(FPrinter.resolution());
    FSize = TSize(page.width(), page.height());
    ResetVisibleRegion();
  }

  TSize SurfaceSize() const override { return FSize; }
  int DeviceCaps(int index) const override {
    switch (index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return FPrinter.resolution();
      case BITSPIXEL: return 24;
      default: return TDeviceContext::DeviceCaps(index);
    }
  }

 protected:
  void Clip(const TRect* extra = nullptr) {
    QRegion region;
    for (const TRect& r : EffectiveClip()) region += QRect(r.Left, r.Top, r.Width(), r.Height());
    if (extra) region &= QRect(extra->Left, extra->Top, extra->Width(), extra->Height());
    FPainter.setClipRegion(region);
  }

  void DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) override {
    auto* font = dynamic_cast<QtGdiFont*>(Font());
    if (!font || count <= 0) return;
    FPainter.save();
    Clip(clip);
    FPainter.setFont(font->Font());
    FPainter.setPen(ColorToQColor(TextColor()));
    int baseline = y + font->Metrics().tmAscent;
    // A run at the font's own advances goes out as one string (so the
    // output keeps words together); other spacing character by character.
    bool natural = true;
    QString run;
    for (int i = 0; i < count; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      run += QChar(char16_t(font->Decode(c)));
      if (dx[i] != font->CharWidth(c) + CharExtra()) natural = false;
    }
    if (natural) {
      FPainter.drawText(QPoint(x, baseline), run);
    } else {
      int cx = x;
      for (int i = 0; i < count; ++i) {
        FPainter.drawText(QPoint(cx, baseline), run.mid(i, 1));
        cx += dx[i];
      }
    }
    FPainter.restore();
  }

  void DevFillRect(const TRect& r, HBRUSH brush, DWORD rop) override {
    if (rop == DSTINVERT || !brush || brush->Style() == BS_NULL) return;
    DevSolidFill(r, rop == BLACKNESS ? 0 : rop == WHITENESS ? 0xFFFFFF : brush->Color());
  }
  void DevSolidFill(const TRect& r, COLORREF c) override {
    FPainter.save();
    Clip();
    FPainter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), ColorToQColor(c));
    FPainter.restore();
  }
  void UsePen() {
    TGdiPen* pen = Pen();
    if (!pen || pen->Style() == PS_NULL) {
      FPainter.setPen(Qt::NoPen);
      return;
    }
    QPen p(ColorToQColor(pen->Color()));
    p.setWidth(std::max(1, pen->Width()));
    FPainter.setPen(p);
  }
  void UseBrush() {
    TGdiBrush* b = Brush();
    if (!b || b->Style() == BS_NULL)
      FPainter.setBrush(Qt::NoBrush);
    else
      FPainter.setBrush(ColorToQColor(b->Color()));
  }
  void DevPolyline(const TPoint* pts, int count, bool closed) override {
    if (count < 2) return;
    FPainter.save();
    Clip();
    UsePen();
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << QPoint(pts[i].X, pts[i].Y);
    if (closed)
      FPainter.drawPolygon(poly);
    else
      FPainter.drawPolyline(poly);
    FPainter.restore();
  }
  void DevPolygonFill(const TPoint* pts, int count) override {
    if (count < 3) return;
    FPainter.save();
    Clip();
    FPainter.setPen(Qt::NoPen);
    UseBrush();
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << QPoint(pts[i].X, pts[i].Y);
    FPainter.drawPolygon(poly);
    FPainter.restore();
  }
  void DevEllipse(const TRect& r) override {
    FPainter.save();
    Clip();
    UsePen();
    UseBrush();
    FPainter.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    FPainter.restore();
  }
  void DevRoundRect(const TRect& r, int w, int h) override {
    FPainter.save();
    Clip();
    UsePen();
    UseBrush();
    FPainter.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), w / 2.0, h / 2.0);
    FPainter.restore();
  }
  COLORREF DevSetPixel(int x, int y, COLORREF c) override {
    FPainter.save();
    Clip();
    FPainter.fillRect(QRect(x, y, 1, 1), ColorToQColor(c));
    FPainter.restore();
    return c;
  }
  // Paper cannot be read back.
  COLORREF DevGetPixel(int, int) override { return 0xFFFFFF; }
  void DevBlt(const TRect& dst, TDeviceContext* src, const TRect& srcRect, DWORD,
              const COLORREF* transparent) override {
    auto* raster = dynamic_cast<TRasterDC*>(src);
    if (!raster || !raster->Surface()) return;
    QImage img = BitmapImage(raster->Surface())
                     .copy(QRect(srcRect.Left, srcRect.Top, srcRect.Width(), srcRect.Height()))
                     .convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
      QRgb key = ColorToQColor(*transparent).rgb();
      for (int yy = 0; yy < img.height(); ++yy) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
        for (int xx = 0; xx < img.width(); ++xx)
          if ((line[xx] & 0xFFFFFF) == (key & 0xFFFFFF)) line[xx] = 0;
      }
    }
    FPainter.save();
    Clip();
    FPainter.drawImage(QRect(dst.Left, dst.Top, dst.Width(), dst.Height()), img);
    FPainter.restore();
  }

 private:
  QPrinter& FPrinter;
  QPainter& FPainter;
  TSize FSize;
};

class QtPrintJob : public IPrintJob {
 public:
  explicit QtPrintJob(const TPrintJobInfo& info)
      : FPrinterObject(MakeQtPrinter(info.PrinterName, info.OutputFileName, false)), FPrinter(*FPrinterObject) {
    FPrinter.setDocName(AnsiToQString(info.Title));
    FPrinter.setCopyCount(std::max(1, info.Copies));
    if (!FPainter.begin(&FPrinter)) throw EPrinter("Printer selected is not valid");
    FDc = std::make_unique<QtPrinterDC>(FPrinter, FPainter);
  }
  ~QtPrintJob() override {
    FDc.reset();
    if (FPainter.isActive()) FPainter.end();
  }
  HDC Dc() override { return FDc.get(); }
  void NewPage() override {
    if (!FPrinter.newPage()) throw EPrinter("Printer selected is not valid");
  }
  void End() override {
    FDc.reset();
    if (FPainter.isActive()) FPainter.end();
  }
  void Abort() override {
    FDc.reset();
    FPrinter.abort();
    if (FPainter.isActive()) FPainter.end();
  }

 private:
  std::unique_ptr<QPrinter> FPrinterObject;
  QPrinter& FPrinter;
  QPainter FPainter;
  std::unique_ptr<QtPrinterDC> FDc;
};

class QtPrinterBackend : public IPrinterBackend {
 public:
  std::vector<std::string> PrinterNames() override {
    std::vector<std::string> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(QStringToAnsi(n));
    return names;
  }
  std::string DefaultPrinterName() override { return QStringToAnsi(QPrinterInfo::defaultPrinterName()); }
  std::unique_ptr<IPrintJob> StartJob(const TPrintJobInfo& info) override { return std::make_unique<QtPrintJob>(info); }
};

QtPrinterBackend gQtPrinters;

}  // namespace

void InstallQtPrinters(bool install) {
  if (install)
    SetPrinterBackend(&gQtPrinters);
  else if (PrinterBackend() == &gQtPrinters)
    SetPrinterBackend(nullptr);
}
