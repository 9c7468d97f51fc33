// The printer object and the printer text device on the recording backend
// (the fake widget set's fonts: every character 8 by 16 pixels).
#include <gtest/gtest.h>

#include <memory>

#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingPrinter.h"

namespace {

class PrinterTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend.PageWidth = 40;   // five characters
    backend.PageHeight = 50;  // three lines of 16 pixels
    SetPrinterBackend(&backend);
    SetSelectedPrinterName(std::string());
    old = SetPrinter(printer.get());
  }
  void TearDown() override {
    SetPrinter(old);
    SetPrinterBackend(nullptr);
  }
  std::vector<std::string> PageText(size_t page) {
    std::vector<std::string> lines;
    for (auto& run : backend.Jobs.at(0).Pages.at(page).Runs) lines.push_back(run.Text);
    return lines;
  }
  TFakeWidgetsetScope ws;
  TRecordingPrinterBackend backend;
  std::unique_ptr<TPrinter> printer = std::make_unique<TPrinter>();
  TPrinter* old = nullptr;
};

TEST_F(PrinterTextTest, LinesGoDownThePagesAndAreCutAtTheEdge) {
  TPrinterText prn(printer.get());
  prn.Rewrite();
  EXPECT_TRUE(printer->Printing());
  for (const char* line : {"one", "two", "three", "four", "a long line cut", "", "last"}) prn.WriteLine(line);
  prn.Close();
  EXPECT_FALSE(printer->Printing());

  const auto& job = backend.Jobs.at(0);
  EXPECT_TRUE(job.Ended);
  EXPECT_FALSE(job.Aborted);
  EXPECT_EQ(job.Info.PrinterName, "");
  ASSERT_EQ(job.Pages.size(), 3u);
  EXPECT_EQ(PageText(0), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(PageText(1), (std::vector<std::string>{"four", "a lon"}));
  EXPECT_EQ(PageText(2), (std::vector<std::string>{"last"}));
  // Each line at the left edge, one line height below the last.
  const auto& runs = job.Pages[0].Runs;
  EXPECT_EQ(runs[0].X, 0);
  EXPECT_EQ(runs[0].Y, 0);
  EXPECT_EQ(runs[1].Y, 16);
  EXPECT_EQ(runs[2].Y, 32);
  EXPECT_EQ(job.Pages[2].Runs[0].Y, 0);
}

TEST_F(PrinterTextTest, CarriageReturnFormFeedAndFont) {
  TPrinterText prn(printer.get());
  prn.Rewrite();
  printer->Canvas()->Font()->SetName("Courier New");
  printer->Canvas()->Font()->SetSize(10);
  prn.Write("ab");
  prn.Write("cd\rx\f");
  prn.WriteLine("next");
  prn.Close();
  const auto& job = backend.Jobs.at(0);
  ASSERT_EQ(job.Pages.size(), 2u);
  const auto& runs = job.Pages[0].Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].Text, "cd");
  EXPECT_EQ(runs[1].X, 16);  // after "ab" on the same line
  EXPECT_EQ(runs[2].Text, "x");
  EXPECT_EQ(runs[2].X, 0);
  // The canvas font follows the printer's resolution (600 dpi).
  EXPECT_EQ(runs[0].FontName, "Courier New");
  EXPECT_EQ(runs[0].FontHeight, -83);
  EXPECT_EQ(job.Pages[1].Runs.at(0).Text, "next");
}

TEST_F(PrinterTextTest, PrinterSelectionAndFailures) {
  // The printer the dialogs chose goes with the job, and to a file.
  backend.Names = {"A", "B"};
  printer->SetPrinterIndex(1);
  EXPECT_EQ(SelectedPrinterName(), "B");
  EXPECT_EQ(printer->PrinterIndex(), 1);
  printer->SetOutputFileName("/tmp/out.pdf");
  printer->SetTitle("doc");
  printer->BeginDoc();
  EXPECT_THROW(printer->BeginDoc(), EPrinter);
  printer->Abort();
  EXPECT_TRUE(printer->Aborted());
  EXPECT_EQ(backend.Jobs.at(0).Info.PrinterName, "B");
  EXPECT_EQ(backend.Jobs.at(0).Info.OutputFileName, "/tmp/out.pdf");
  EXPECT_EQ(backend.Jobs.at(0).Info.Title, "doc");
  EXPECT_TRUE(backend.Jobs.at(0).Aborted);
  EXPECT_THROW(printer->EndDoc(), EPrinter);
  EXPECT_THROW(printer->Canvas(), EPrinter);
  printer->SetPrinterIndex(-1);
  EXPECT_EQ(SelectedPrinterName(), "");

  // No default printer and none chosen, or no backend at all.
  printer->SetOutputFileName(std::string());
  backend.Default.clear();
  try {
    printer->BeginDoc();
    FAIL();
  } catch (const EPrinter& e) {
    EXPECT_STREQ(e.what(), "There is no default printer currently selected");
  }
  SetPrinterBackend(nullptr);
  TPrinterText prn(printer.get());
  EXPECT_THROW(prn.Rewrite(), EPrinter);
  EXPECT_FALSE(prn.Open());
}

}  // namespace
