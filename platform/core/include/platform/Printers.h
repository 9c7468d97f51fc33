// Printing: the toolkit's printer object (a print job with a canvas in
// device pixels of the printer), and the printer text device that writes
// lines of text down the pages.
//
// The printer chosen by the print and printer-setup dialogs
// (SelectedPrinterName, Dialogs.h) is the one printed on; an empty name is
// the system's default printer. A job may instead go to a file
// (OutputFileName, the "print to file" of the print dialog); the Qt
// backend writes a PDF there.
//
// The widget set's backend does the printing (Qt: QPrinter, QPainter);
// without one, or without any printer, BeginDoc fails with EPrinter
// "There is no default printer currently selected". Tests install the
// recording backend, which keeps every page's text runs and rectangles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

BQS_DECLARE_EXCEPTION(EPrinter, Exception);

// What a job is started with.
struct TPrintJobInfo {
  std::string PrinterName;     // empty: the default printer
  std::string Title;           // the document's name in the print queue
  std::string OutputFileName;  // not empty: print to this file
  int Copies = 1;
};

// One job: the DC of the current page and the page changes. The DC's
// DeviceCaps answer HORZRES/VERTRES (the printable page in pixels) and
// LOGPIXELSX/LOGPIXELSY (the printer's resolution).
class IPrintJob {
 public:
  virtual ~IPrintJob() = default;
  virtual HDC Dc() = 0;
  virtual void NewPage() = 0;
  // Finishes the job (the output is complete when it returns).
  virtual void End() = 0;
  // Throws the job away.
  virtual void Abort() = 0;
};

class IPrinterBackend {
 public:
  virtual ~IPrinterBackend() = default;
  virtual std::vector<std::string> PrinterNames() = 0;
  // Empty when the system has none.
  virtual std::string DefaultPrinterName() = 0;
  // Raises EPrinter when the job cannot start.
  virtual std::unique_ptr<IPrintJob> StartJob(const TPrintJobInfo& info) = 0;
};

void SetPrinterBackend(IPrinterBackend* backend);
IPrinterBackend* PrinterBackend();

// ---- the printer object ----
class TPrinter : public TObject {
 public:
  TPrinter();
  ~TPrinter() override;
  const char* ClassName() const override { return "TPrinter"; }

  // Starts a job (EPrinter "Printing in progress" while one runs); the
  // canvas draws on its first page, its font scaled to the printer.
  void BeginDoc();
  void EndDoc();
  void Abort();
  void NewPage();
  bool Printing() const { return FJob != nullptr; }
  bool Aborted() const { return FAborted; }
  int PageNumber() const { return FPageNumber; }

  // The job's canvas; valid while printing (EPrinter "Printer is not
  // currently printing" otherwise).
  TCanvas* Canvas();
  int PageWidth();
  int PageHeight();

  std::string Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  int Copies() const { return FCopies; }
  void SetCopies(int copies) { FCopies = copies; }
  std::string OutputFileName() const { return FOutputFileName; }
  void SetOutputFileName(const std::string& name) { FOutputFileName = name; }

  // The printers of the system; PrinterIndex -1 is the default printer.
  std::vector<std::string> Printers() const;
  int PrinterIndex() const;
  void SetPrinterIndex(int index);
  // The printer a job would go to (empty: the default one).
  std::string PrinterName() const;

 private:
  std::unique_ptr<IPrintJob> FJob;
  std::unique_ptr<TCanvas> FCanvas;
  std::string FTitle;
  std::string FOutputFileName;
  int FCopies = 1;
  int FPageNumber = 0;
  bool FAborted = false;
};

// The program's printer object (made on first use).
TPrinter* Printer();
// Replaces it (tests); returns the old one (the caller frees it).
TPrinter* SetPrinter(TPrinter* printer);

// ---- the printer text device ----
// A text file on the printer: Rewrite starts the job, text is drawn from
// the top left of the page in the canvas font, a line break moves down by
// the font's line height (tmHeight + tmExternalLeading) and back to the
// left edge, and a new page starts when the next line would not fit below
// the page's end; a carriage return alone goes back to the left edge and a
// form feed starts a new page. Characters past the page's right edge are
// cut off. Close ends the job.
class TPrinterText {
 public:
  explicit TPrinterText(TPrinter* printer = nullptr);
  ~TPrinterText();
  void Rewrite();
  void Write(const std::string& text);
  void WriteLine(const std::string& line) { Write(line + "\r\n"); }
  void Close();
  bool Open() const { return FOpen; }

 private:
  void NewLine();
  void Flush();
  TPrinter* FPrinter;
  bool FOpen = false;
  std::string FPending;
  int FX = 0;
  int FY = 0;
};
