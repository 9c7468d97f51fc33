#include "HtmlColors.h"

#include <cctype>

#include "platform/SysUtils.h"

std::string ColorToHtml(TColor color) {
  const std::string t = "#" + IntToHex(static_cast<std::uint32_t>(color), 6);
  return "#" + Copy(t, 6, 2) + Copy(t, 4, 2) + Copy(t, 2, 2);
}

TColor HexToColor(const std::string& code) {
  const std::string digits = Copy(code, 6, 2) + Copy(code, 4, 2) + Copy(code, 2, 2);
  // Only hex digits: a blank or a sign among them would be read by the
  // number parser as something else (a signed or shifted value).
  bool hex = !digits.empty();
  for (char c : digits) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
  if (!hex) throw EConvertError("'" + code + "' is not a valid colour code");
  return static_cast<TColor>(StrToInt("$" + digits));
}
