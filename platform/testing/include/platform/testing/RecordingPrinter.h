// The recording printer backend for tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Printers.h"

// One printer (or the given list); jobs keep their pages: every text run
// drawn (position in device pixels and bytes) and every rectangle filled.
class TRecordingPrinterBackend : public IPrinterBackend {
 public:
  struct TTextRun {
    int X = 0;
    int Y = 0;
    std::string Text;
    std::string FontName;
    int FontHeight = 0;  // lfHeight
  };
  struct TPage {
    std::vector<TTextRun> Runs;
    std::vector<TRect> Fills;
  };
  struct TJob {
    TPrintJobInfo Info;
    std::vector<TPage> Pages;
    bool Ended = false;
    bool Aborted = false;
  };

  std::vector<std::string> Names{"Test Printer"};
  std::string Default = "Test Printer";
  // The page in device pixels and the resolution.
  int PageWidth = 4800;
  int PageHeight = 6600;
  int Dpi = 600;

  std::vector<TJob> Jobs;

  std::vector<std::string> PrinterNames() override { return Names; }
  std::string DefaultPrinterName() override { return Default; }
  std::unique_ptr<IPrintJob> StartJob(const TPrintJobInfo& info) override;
};
