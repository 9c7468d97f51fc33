// Stored key-binding differences: any text either loads or is refused with
// the bindings unchanged; loaded bindings saved and loaded again make every
// shortcut find the same command.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SrcEditKeyCmds.h"
#include "platform/Classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TStringList text;
  text.SetText(std::string(reinterpret_cast<const char*>(data), size));
  TSrcEditKeyStrokes defaults(nullptr);
  defaults.LoadDefaults();
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  try {
    keys.LoadDifferences(&text);
  } catch (const EReadError&) {
    Require(keys.Equals(&defaults));
    return 0;
  }
  TStringList saved;
  keys.SaveDifferences(&saved);
  TSrcEditKeyStrokes back(nullptr);
  back.LoadDefaults();
  back.LoadDifferences(&saved);
  Require(back.FindsAsIn(&keys));
  return 0;
}
