// Stored key-binding differences: any text either loads or is refused with
// the bindings unchanged; loaded bindings saved and loaded again make every
// shortcut find the same command.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SrcEditKeyCmds.h"
#include "platform/Classes.h"

namespace {

void RequireSameFinds(const TSrcEditKeyStrokes& a, const TSrcEditKeyStrokes& b) {
  for (const TSrcEditKeyStrokes* from : {&a, &b})
    for (int i = 0; i < from->Count(); ++i) {
      const TSrcEditKeyStroke* k = from->Items(i);
      if (k->ShortCut() == 0) continue;
      int ia = a.FindShortCuts(k->ShortCut(), k->ShortCut2());
      int ib = b.FindShortCuts(k->ShortCut(), k->ShortCut2());
      Require(ia >= 0 && ib >= 0 && a.Items(ia)->Command() == b.Items(ib)->Command());
    }
}

}  // namespace

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
  RequireSameFinds(keys, back);
  return 0;
}
