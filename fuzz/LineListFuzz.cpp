// The line list's loading and saving: any bytes load; the lines saved in
// each line-break style load back as the same lines in that style, and
// saving them again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SrcEditTextBuffer.h"
#include "platform/Classes.h"

namespace {

std::vector<std::string> LinesOf(const TSrcEditStringList& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list.Get(i));
  // One empty line and no lines are the same (empty) file.
  if (r.size() == 1 && r[0].empty()) r.clear();
  return r;
}

std::string Saved(TSrcEditStringList& list) {
  TStringStream s;
  list.SaveToStream(&s);
  return s.DataString();
}

void Load(TSrcEditStringList& list, const std::string& bytes) {
  TStringStream s(bytes);
  list.LoadFromStream(&s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TSrcEditStringList list;
  Load(list, bytes);
  const std::vector<std::string> lines = LinesOf(list);
  // A file in one style comes back byte for byte.
  const std::string first = Saved(list);
  TSrcEditStringList again;
  Load(again, first);
  Require(LinesOf(again) == lines);
  for (TSrcEditFileFormat style : {lbCrLf, lbLf, lbCr}) {
    list.SetFileFormat(style);
    const std::string saved = Saved(list);
    TSrcEditStringList back;
    Load(back, saved);
    Require(LinesOf(back) == lines);
    if (lines.size() > 1) Require(back.FileFormat() == style);
    back.SetFileFormat(style);
    Require(Saved(back) == saved);
  }
  return 0;
}
