// The hint of the progress strip: the document's name, its line count, the
// caret's index and the two position panels, as markup for the hint
// window (lines broken by a carriage return).
#pragma once

#include <string>

// The file name is user text: escaped with EscapeHintText so that it shows
// as it is, in one line.
std::string ProgressHintText(const std::string& fileName, int lineCount, int selectionStart,
                             const std::string& caretPanel, const std::string& mousePanel);
