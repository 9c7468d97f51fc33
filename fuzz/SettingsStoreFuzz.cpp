// The settings store's file: any bytes load; written back and read again
// they give the same keys and values.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

std::string ScratchFile() {
  static const std::string name = "/tmp/bqs-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
  return name;
}

// Every key path with its values, walked without recursion.
std::vector<std::string> Content(const TSettingsStore& store) {
  std::vector<std::string> r;
  std::vector<std::string> todo = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                   "HKEY_CURRENT_CONFIG"};
  while (!todo.empty()) {
    std::string path = std::move(todo.back());
    todo.pop_back();
    r.push_back("[" + AnsiUpperCase(path) + "]");
    for (const std::string& v : store.ValueNames(path)) {
      TRegValue value;
      Require(store.GetValue(path, v, value));
      r.push_back(v + "=" + std::to_string(value.Kind) + ":" + value.Text + ":" + std::to_string(value.Number));
    }
    for (const std::string& k : store.KeyNames(path)) todo.push_back(path + "\\" + k);
  }
  return r;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  FILE* f = std::fopen(name.c_str(), "wb");
  Require(f != nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = ScratchFile();
  WriteFile(file, std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> before;
  {
    TIniSettingsStore store(AnsiFileName(file));
    before = Content(store);
    store.Flush();
  }
  TIniSettingsStore again(AnsiFileName(file));
  Require(Content(again) == before);
  return 0;
}
