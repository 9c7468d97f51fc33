// The installed font families, for Screen->Fonts(): a small backend the
// widget set installs (Qt: QFontDatabase), a fake in tests.
#pragma once

#include <string>
#include <vector>

class IFontListBackend {
 public:
  virtual ~IFontListBackend() = default;
  // Family names alone (no foundry), UTF-8, in any order; a name may come
  // more than once.
  virtual std::vector<std::string> Families() = 0;
};
void SetFontListBackend(IFontListBackend* backend);
IFontListBackend* FontListBackend();

// The families as Screen->Fonts() lists them: Windows-1251, sorted without
// case, each once; names Windows-1251 cannot hold are left out.
std::vector<std::string> InstalledFontNames(const std::vector<std::string>& utf8Families);
