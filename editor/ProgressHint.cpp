#include "ProgressHint.h"

#include "platform/CodePage.h"

namespace {
// Markup-safe user text (the hint window's own escaping takes this role
// once it is there).
std::string EscapeForHint(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '|': out += "&#124;"; break;
      case '\r':
      case '\n': out += ' '; break;
      default: out += c;
    }
  }
  return out;
}
}  // namespace

std::string ProgressHintText(const std::string& fileName, int lineCount, int selectionStart,
                             const std::string& caretPanel, const std::string& mousePanel) {
  return Ansi("Документ: ") + EscapeForHint(fileName) + ";\r" + Ansi("Активных строк всего: ") +
         std::to_string(lineCount) + ";\r" + Ansi("Активных знаков перед курсором: ") +
         std::to_string(selectionStart) + "\r" + Ansi("Координаты: ") + caretPanel + "; " + mousePanel;
}
