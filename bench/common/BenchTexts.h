// Large HTML documents for the editing control's figures: one paragraph a
// line, the class attribute naming the document ("old", "new").
#pragma once

#include <cstddef>
#include <string>

namespace bench_texts {

inline std::string MakeText(int lines, const char* word) {
  std::string s;
  s.reserve(static_cast<std::size_t>(lines) * 40);
  for (int i = 0; i < lines; ++i) {
    s += "<p class=\"";
    s += word;
    s += "\">line ";
    s += std::to_string(i);
    s += "</p>";
    if (i + 1 < lines) s += "\r\n";
  }
  return s;
}

// The 1,000,000-line documents, built once.
inline const std::string& OldText() {
  static const std::string s = MakeText(1000000, "old");
  return s;
}
inline const std::string& NewText() {
  static const std::string s = MakeText(1000000, "new");
  return s;
}

}  // namespace bench_texts
