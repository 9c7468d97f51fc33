// The one way this library makes a QPrinter: for the print dialogs, the
// program's print jobs and the browser's page printing alike.
#pragma once

#include <QPageLayout>
#include <memory>
#include <string>

class QPrinter;

// A printer for `printerName` (empty: the default one), or a PDF writer when
// `outputFile` is given or no printer is installed (the dialogs then offer
// printing to a file), with the page layout of the last page setup.
// `forDialog` false: a job without a printer and without a file raises
// EPrinter "There is no default printer currently selected".
std::unique_ptr<QPrinter> MakeQtPrinter(const std::string& printerName, const std::string& outputFile, bool forDialog);
// The page layout the page setup dialog chose last (invalid: the printer's).
QPageLayout& QtChosenPageLayout();
