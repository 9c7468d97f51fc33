// The line list's loading and saving: any bytes load; the lines saved in
// each line-break style load back as the same lines in that style, and
// saving them again gives the same bytes. Then the same bytes drive edits
// of the loaded lines (in place, near either end of short and long lines,
// replacements, insertions, deletions, exchanges, scan states) against a
// plain model.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SrcEditMiscProcs.h"
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

// A place in a line of `size` bytes: near its start, near its end, or
// anywhere.
std::size_t PickPos(TFuzzInput& in, std::size_t size) {
  const int how = in.Pick(3);
  const std::size_t k = static_cast<std::size_t>(in.Pick(256));
  if (how == 0) return std::min(size, k % 8);
  if (how == 1) return size - std::min(size, k % 8);
  return size * k / 255;
}

void EditAgainstAModel(TSrcEditStringList& list, const std::uint8_t* data, std::size_t size) {
  TFuzzInput in(data, size);
  std::vector<std::string> model;
  std::vector<int> states;
  for (int i = 0; i < list.Count(); ++i) {
    model.push_back(list.Get(i));
    states.push_back(list.GetLineScanState(i));
  }
  const int values[] = {-1, 0, 4, 253, 254, 255, -2, 1 << 20};
  for (int step = 0; step < 40; ++step) {
    const int n = static_cast<int>(model.size());
    const int i = n ? in.Pick(n) : 0;
    std::string text = in.Bytes(6);
    // Now and then a text that makes a line long.
    if (in.Pick(6) == 0) {
      std::string longer;
      for (int k = 0; k < (in.Pick(2) ? 800 : 12000); ++k) longer += text.empty() ? "w" : text;
      text.swap(longer);
    }
    switch (in.Pick(7)) {
      case 0:
      case 1:
        if (n) {
          std::string& m = model[static_cast<std::size_t>(i)];
          const std::size_t pos = PickPos(in, m.size());
          const std::size_t count = std::min(m.size() - pos, PickPos(in, m.size() - pos));
          list.EditLine(i, static_cast<int>(pos), static_cast<int>(count), text);
          m.replace(pos, count, text);
        }
        break;
      case 2:
        list.Put(i, text);
        if (i < n) {
          model[static_cast<std::size_t>(i)] = text;
        } else {
          model.push_back(text);
          states.push_back(-1);
        }
        break;
      case 3:
        list.Insert(i, text);
        model.insert(model.begin() + i, text);
        states.insert(states.begin() + i, -1);
        break;
      case 4:
        if (n) {
          const int k = 1 + in.Pick(3);
          list.DeleteLines(i, k);
          const int end = std::min(n, i + k);
          model.erase(model.begin() + i, model.begin() + end);
          states.erase(states.begin() + i, states.begin() + end);
        }
        break;
      case 5:
        if (n) {
          const int j = in.Pick(n);
          list.Exchange(i, j);
          std::swap(model[static_cast<std::size_t>(i)], model[static_cast<std::size_t>(j)]);
          std::swap(states[static_cast<std::size_t>(i)], states[static_cast<std::size_t>(j)]);
        } else {
          list.InsertLines(0, 2);
          model.insert(model.begin(), 2, std::string());
          states.insert(states.begin(), 2, 0);
        }
        break;
      case 6:
        if (n) {
          const int value = values[in.Pick(static_cast<int>(std::size(values)))];
          list.SetLineScanState(i, value);
          states[static_cast<std::size_t>(i)] = value;
        }
        break;
    }
    Require(list.Count() == static_cast<int>(model.size()));
    for (int k = 0; k < list.Count(); ++k) {
      const std::string& m = model[static_cast<std::size_t>(k)];
      Require(list.LineView(k) == m);
      Require(list.GetLineScanState(k) == states[static_cast<std::size_t>(k)]);
      if (const char* own = list.TerminatedLine(k)) Require(own == list.LineView(k).data() && own[m.size()] == '\0');
    }
    if (n && i < list.Count()) Require(list.GetExpandedLen(i) == ExpandedLength(model[static_cast<std::size_t>(i)], 8));
  }
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
  EditAgainstAModel(list, data, size);
  return 0;
}
