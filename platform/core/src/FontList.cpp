#include "platform/FontList.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {
IFontListBackend* gBackend = nullptr;
}  // namespace

void SetFontListBackend(IFontListBackend* backend) { gBackend = backend; }
IFontListBackend* FontListBackend() { return gBackend; }

std::vector<std::string> InstalledFontNames(const std::vector<std::string>& utf8Families) {
  std::vector<std::string> names;
  for (const std::string& family : utf8Families) {
    if (family.empty()) continue;
    // A name that does not come back whole would name another font.
    const std::string ansi = Utf8ToCp1251(family);
    if (Cp1251ToUtf8(ansi) != family) continue;
    names.push_back(ansi);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return AnsiSameText(a, b); }),
              names.end());
  return names;
}
