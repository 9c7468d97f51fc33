#include "platform/testing/RecordingPrinter.h"

namespace {

class TRecordingPrinterDC : public TDeviceContext {
 public:
  TRecordingPrinterDC(TRecordingPrinterBackend& backend, size_t job)
      : TDeviceContext(TKind::Printer), FBackend(backend), FJob(job) {
    ResetVisibleRegion();
  }
  TSize SurfaceSize() const override { return TSize(FBackend.PageWidth, FBackend.PageHeight); }
  int DeviceCaps(int index) const override {
    switch (index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return FBackend.Dpi;
      default: return TDeviceContext::DeviceCaps(index);
    }
  }

 protected:
  TRecordingPrinterBackend::TPage& Page() { return FBackend.Jobs[FJob].Pages.back(); }
  void DrawGlyphs(int x, int y, const char* text, int count, const int*, const TRect*) override {
    TRecordingPrinterBackend::TTextRun run;
    run.X = x;
    run.Y = y;
    run.Text.assign(text, size_t(count));
    if (Font()) {
      run.FontName = Font()->LogFont().lfFaceName;
      run.FontHeight = Font()->LogFont().lfHeight;
    }
    Page().Runs.push_back(run);
  }
  void DevFillRect(const TRect& r, HBRUSH, DWORD) override { Page().Fills.push_back(r); }
  void DevSolidFill(const TRect& r, COLORREF) override { Page().Fills.push_back(r); }
  void DevPolyline(const TPoint*, int, bool) override {}
  void DevPolygonFill(const TPoint*, int) override {}
  void DevEllipse(const TRect&) override {}
  void DevRoundRect(const TRect&, int, int) override {}
  COLORREF DevSetPixel(int, int, COLORREF c) override { return c; }
  COLORREF DevGetPixel(int, int) override { return 0xFFFFFF; }
  void DevBlt(const TRect&, TDeviceContext*, const TRect&, DWORD, const COLORREF*) override {}

 private:
  TRecordingPrinterBackend& FBackend;
  size_t FJob;
};

class TRecordingJob : public IPrintJob {
 public:
  TRecordingJob(TRecordingPrinterBackend& backend, size_t job) : FBackend(backend), FJob(job), FDc(backend, job) {}
  HDC Dc() override { return &FDc; }
  void NewPage() override { FBackend.Jobs[FJob].Pages.emplace_back(); }
  void End() override { FBackend.Jobs[FJob].Ended = true; }
  void Abort() override { FBackend.Jobs[FJob].Aborted = true; }

 private:
  TRecordingPrinterBackend& FBackend;
  size_t FJob;
  TRecordingPrinterDC FDc;
};

}  // namespace

std::unique_ptr<IPrintJob> TRecordingPrinterBackend::StartJob(const TPrintJobInfo& info) {
  TJob job;
  job.Info = info;
  job.Pages.emplace_back();
  Jobs.push_back(job);
  return std::make_unique<TRecordingJob>(*this, Jobs.size() - 1);
}
