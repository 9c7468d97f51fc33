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

// A line of HTML `bytes` long, made of varied tags, values and text.
inline std::string LongHtmlLine(std::size_t bytes) {
  static const char* const kParts[] = {"<div class=\"section\" id=\"s1\">",
                                       "<p>Some text with &amp; an entity and <b>bold</b> words</p>",
                                       "<a href='page.html' title=\"a link\">link</a> &copy; 2001",
                                       "<!-- a comment that ends here -->",
                                       "<td>cell</td><td>other cell</td>",
                                       "plain text without any markup at all, just words",
                                       "</div>"};
  std::string s;
  s.reserve(bytes + 128);
  for (int i = 0; s.size() < bytes; ++i) {
    s += kParts[i % 7];
    s += ' ';
  }
  s.resize(bytes);
  return s;
}

}  // namespace bench_texts
