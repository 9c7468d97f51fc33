#include "ProgressHint.h"

#include "MarkupHints.h"
#include "platform/CodePage.h"

std::string ProgressHintText(const std::string& fileName, int lineCount, int selectionStart,
                             const std::string& caretPanel, const std::string& mousePanel) {
  return Ansi("Документ: ") + EscapeHintText(fileName) + ";\r" + Ansi("Активных строк всего: ") +
         std::to_string(lineCount) + ";\r" + Ansi("Активных знаков перед курсором: ") + std::to_string(selectionStart) +
         "\r" + Ansi("Координаты: ") + caretPanel + "; " + mousePanel;
}
