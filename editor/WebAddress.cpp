#include "WebAddress.h"

#include <cctype>

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {
bool HasScheme(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' || s[i] == '-' || s[i] == '.'))
    ++i;
  // Two letters at least, so that "C:" stays a drive.
  return i >= 2 && i < s.size() && s[i] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
}

std::string PercentEncode(const std::string& utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size());
  for (unsigned char c : utf8) {
    if (c <= 0x20 || c >= 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}
}  // namespace

std::string WebAddressFromInput(const std::string& typed) {
  std::string text = Trim(typed);
  if (text.empty()) return text;
  if (!HasScheme(text)) {
    if (FileExists(text) || DirectoryExists(text)) return text;
    text = "http://" + text;
  }
  return Utf8ToCp1251(PercentEncode(Cp1251ToUtf8(text)));
}
