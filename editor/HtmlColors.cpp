#include "HtmlColors.h"

#include "platform/SysUtils.h"

std::string ColorToHtml(TColor color) {
  const std::string t = "#" + IntToHex(static_cast<std::uint32_t>(color), 6);
  return "#" + Copy(t, 6, 2) + Copy(t, 4, 2) + Copy(t, 2, 2);
}

TColor HexToColor(const std::string& code) {
  return static_cast<TColor>(StrToInt("$" + Copy(code, 6, 2) + Copy(code, 4, 2) + Copy(code, 2, 2)));
}
