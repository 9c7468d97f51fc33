#include "platform/Printers.h"

#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/Widgetset.h"

namespace {
IPrinterBackend* gBackend = nullptr;
TPrinter* gPrinter = nullptr;

const char kNoDefaultPrinter[] = "There is no default printer currently selected";
}  // namespace

void SetPrinterBackend(IPrinterBackend* backend) { gBackend = backend; }
IPrinterBackend* PrinterBackend() { return gBackend; }

// ---------------------------------------------------------------------------
// TPrinter

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (FJob) {
    try {
      Abort();
    } catch (...) {}
  }
}

void TPrinter::BeginDoc() {
  if (FJob) throw EPrinter("Printing in progress");
  if (!gBackend) throw EPrinter(kNoDefaultPrinter);
  TPrintJobInfo info;
  info.PrinterName = PrinterName();
  info.Title = FTitle;
  info.OutputFileName = FOutputFileName;
  info.Copies = FCopies;
  if (info.PrinterName.empty() && info.OutputFileName.empty() && gBackend->DefaultPrinterName().empty())
    throw EPrinter(kNoDefaultPrinter);
  FJob = gBackend->StartJob(info);
  if (!FJob) throw EPrinter(kNoDefaultPrinter);
  FAborted = false;
  FPageNumber = 1;
  FCanvas = std::make_unique<TCanvas>();
  FCanvas->Font()->SetPixelsPerInch(FJob->Dc()->DeviceCaps(LOGPIXELSY));
  FCanvas->SetHandle(FJob->Dc());
}

void TPrinter::EndDoc() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  if (FCanvas) FCanvas->SetHandle(nullptr);
  std::unique_ptr<IPrintJob> job = std::move(FJob);
  FCanvas.reset();
  FPageNumber = 0;
  job->End();
}

void TPrinter::Abort() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  if (FCanvas) FCanvas->SetHandle(nullptr);
  std::unique_ptr<IPrintJob> job = std::move(FJob);
  FCanvas.reset();
  FPageNumber = 0;
  FAborted = true;
  job->Abort();
}

void TPrinter::NewPage() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  FJob->NewPage();
  ++FPageNumber;
  FCanvas->Refresh();
}

TCanvas* TPrinter::Canvas() {
  if (!FCanvas) throw EPrinter("Printer is not currently printing");
  return FCanvas.get();
}

int TPrinter::PageWidth() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  return FJob->Dc()->DeviceCaps(HORZRES);
}

int TPrinter::PageHeight() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  return FJob->Dc()->DeviceCaps(VERTRES);
}

std::vector<std::string> TPrinter::Printers() const {
  return gBackend ? gBackend->PrinterNames() : std::vector<std::string>();
}

int TPrinter::PrinterIndex() const {
  const std::string& name = SelectedPrinterName();
  if (name.empty()) return -1;
  std::vector<std::string> names = Printers();
  auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? -1 : int(it - names.begin());
}

void TPrinter::SetPrinterIndex(int index) {
  std::vector<std::string> names = Printers();
  if (index == -1) {
    SetSelectedPrinterName(std::string());
    return;
  }
  if (index < 0 || index >= int(names.size())) throw EPrinter("Printer index out of range");
  SetSelectedPrinterName(names[size_t(index)]);
}

std::string TPrinter::PrinterName() const { return SelectedPrinterName(); }

TPrinter* Printer() {
  if (!gPrinter) gPrinter = new TPrinter;
  return gPrinter;
}

TPrinter* SetPrinter(TPrinter* printer) {
  TPrinter* old = gPrinter;
  gPrinter = printer;
  return old;
}

// ---------------------------------------------------------------------------
// TPrinterText

TPrinterText::TPrinterText(TPrinter* printer) : FPrinter(printer) {}

TPrinterText::~TPrinterText() {
  if (FOpen) {
    try {
      Close();
    } catch (...) {}
  }
}

void TPrinterText::Rewrite() {
  if (!FPrinter) FPrinter = Printer();
  FPrinter->BeginDoc();
  FOpen = true;
  FX = 0;
  FY = 0;
  FPending.clear();
}

void TPrinterText::Write(const std::string& text) {
  if (!FOpen) throw EInOutError("File not open");
  for (char c : text) {
    switch (c) {
      case '\r':
        Flush();
        FX = 0;
        break;
      case '\n':
        Flush();
        NewLine();
        break;
      case '\f':
        Flush();
        FPrinter->NewPage();
        FX = 0;
        FY = 0;
        break;
      default: FPending += c; break;
    }
  }
  Flush();
}

void TPrinterText::NewLine() {
  TCanvas* canvas = FPrinter->Canvas();
  TEXTMETRIC tm{};
  GetTextMetrics(canvas->Handle(), &tm);
  int lineHeight = tm.tmHeight + tm.tmExternalLeading;
  FX = 0;
  FY += lineHeight;
  if (FY + lineHeight > FPrinter->PageHeight()) {
    FPrinter->NewPage();
    FY = 0;
  }
}

void TPrinterText::Flush() {
  if (FPending.empty()) return;
  TCanvas* canvas = FPrinter->Canvas();
  int width = FPrinter->PageWidth();
  // Only the characters that start on the page; the last one is clipped
  // at the edge by the page itself.
  size_t n = 0;
  int x = FX;
  while (n < FPending.size() && x < width) {
    x += canvas->TextWidth(FPending.substr(n, 1));
    ++n;
  }
  if (n > 0) canvas->TextOut(FX, FY, FPending.substr(0, n));
  for (size_t i = n; i < FPending.size(); ++i) x += canvas->TextWidth(FPending.substr(i, 1));
  FX = x;
  FPending.clear();
}

void TPrinterText::Close() {
  if (!FOpen) throw EInOutError("File not open");
  Flush();
  FOpen = false;
  FPrinter->EndDoc();
}
