// The line list's loading and saving: any bytes load as a plain splitter
// splits them; the lines saved in each line-break style load back as the
// same lines in that style, and saving them again gives the same bytes.
// Then the same bytes drive edits of the loaded lines (in place, near
// either end of short and long lines, replacements, insertions, deletions,
// exchanges, scan states, objects, widths, and emptying the list before
// loading its saved text again) against a plain model, with the runs of
// lines that lie one after another in the block a load read; the list is saved
// and loaded once more at the end. Each input's work is bounded (the edits
// stop when its bytes are used up, long texts share a budget) so that the
// target runs thousands of inputs a second.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "SrcEditMiscProcs.h"
#include "SrcEditTextBuffer.h"
#include "platform/Classes.h"

namespace {

std::vector<std::string> LinesOf(const TSrcEditStringList& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list.Get(i));
  return r;
}

// CR LF, a lone CR and a lone LF each end a line; the text after the last
// break is the last line (empty after a final break); no bytes, no lines.
// (The next CR and the next LF are each looked for again only once passed.)
std::vector<std::string> SplitPlainly(const std::string& bytes, TSrcEditFileFormat& format) {
  std::vector<std::string> r;
  bool cr = false, lf = false;
  const char* p = bytes.data();
  const std::size_t n = bytes.size();
  auto next = [&](char c, std::size_t from) {
    const void* q = std::memchr(p + from, c, n - from);
    return q ? static_cast<std::size_t>(static_cast<const char*>(q) - p) : n;
  };
  std::size_t nextCr = next('\r', 0), nextLf = next('\n', 0);
  for (std::size_t i = 0; n > 0;) {
    std::size_t j = std::min(nextCr, nextLf);
    r.emplace_back(p + i, j - i);
    if (j == n) break;
    if (p[j] == '\r') {
      cr = true;
      if (++j < n && p[j] == '\n') {
        lf = true;
        ++j;
      }
    } else {
      lf = true;
      ++j;
    }
    i = j;
    if (nextCr < i) nextCr = next('\r', i);
    if (nextLf < i) nextLf = next('\n', i);
  }
  format = cr && !lf ? lbCr : lf && !cr ? lbLf : lbCrLf;
  return r;
}

std::string Saved(TSrcEditStringList& list) {
  TStringStream s;
  list.SaveToStream(&s);
  return s.DataString();
}

// Loads the bytes and checks the lines and the style against the plain
// splitter.
void LoadAndCheck(TSrcEditStringList& list, const std::string& bytes) {
  TStringStream s(bytes);
  list.LoadFromStream(&s);
  TSrcEditFileFormat format = lbCrLf;
  Require(LinesOf(list) == SplitPlainly(bytes, format));
  Require(list.FileFormat() == format);
  Require(list.Capacity() >= list.Count());
  for (int i = 0; i < list.Count(); ++i) Require(list.GetLineScanState(i) == -1 && !list.GetObject(i));
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

TObject gObjects[2];

struct TModel {
  std::vector<std::string> lines;
  std::vector<int> states;
  std::vector<TObject*> objects;
  void Erase(int from, int to) {
    lines.erase(lines.begin() + from, lines.begin() + to);
    states.erase(states.begin() + from, states.begin() + to);
    objects.erase(objects.begin() + from, objects.begin() + to);
  }
  void Insert(int at, int n, const std::string& text, int state) {
    lines.insert(lines.begin() + at, static_cast<std::size_t>(n), text);
    states.insert(states.begin() + at, static_cast<std::size_t>(n), state);
    objects.insert(objects.begin() + at, static_cast<std::size_t>(n), nullptr);
  }
  void Reset(const TSrcEditStringList& list) {
    lines = LinesOf(list);
    states.assign(lines.size(), -1);
    objects.assign(lines.size(), nullptr);
  }
};

// Everything the model knows of line k.
void CheckLine(TSrcEditStringList& list, const TModel& model, int k) {
  const std::size_t at = static_cast<std::size_t>(k);
  const std::string& m = model.lines[at];
  Require(list.LineView(k) == m);
  Require(list.GetLineScanState(k) == model.states[at]);
  Require(list.GetObject(k) == model.objects[at]);
  Require(list.GetExpandedLen(k) == ExpandedLength(m, 8));
  if (const char* own = list.TerminatedLine(k)) Require(own == list.LineView(k).data() && own[m.size()] == '\0');
}

// The runs of lines from `first` to `last`: one after another without a
// gap, each line with text where its view is in its run's text, after the
// one before it with at least one byte between and at most two per line
// break, the text from the first such line to the end of the last; the
// model's lines are what the list holds (checked by the caller), so a search
// over a run reads the model's text.
void CheckRuns(const TSrcEditStringList& list, int first, int last) {
  for (int i = first; i <= last;) {
    const TSrcEditStringList::TLineRun run = list.LineRun(i, last);
    Require(run.First == i && run.Last >= i && run.Last <= last);
    const char* end = nullptr;
    int breaks = 0;
    for (int j = i; j <= run.Last; ++j, ++breaks) {
      const std::string_view v = list.LineView(j);
      if (v.empty()) continue;
      if (end)
        Require(v.data() > end && v.data() <= end + 2 * breaks);
      else
        Require(v.data() == run.Text.data());
      Require(v.data() + v.size() <= run.Text.data() + run.Text.size());
      end = v.data() + v.size();
      breaks = 0;
    }
    Require(end ? end == run.Text.data() + run.Text.size() : run.Text.empty());
    i = run.Last + 1;
  }
}

void EditAgainstAModel(TSrcEditStringList& list, const std::uint8_t* data, std::size_t size) {
  TFuzzInput in(data, size);
  TModel model;
  model.Reset(list);
  for (int i = 0; i < list.Count(); ++i) model.states[static_cast<std::size_t>(i)] = list.GetLineScanState(i);
  const int values[] = {-1, 0, 4, 253, 254, 255, -2, 1 << 20};
  // Bytes of long texts an input may insert: lines past 4 KB (a block of
  // their own) and past 64 KB (room at both ends) without letting one input
  // move megabytes.
  std::size_t longBudget = 90000;
  int reloads = 2;
  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    const int n = static_cast<int>(model.lines.size());
    const int i = n ? in.Pick(n) : 0;
    int j = i;
    std::string text = in.Bytes(6);
    if (in.Pick(6) == 0) {
      const std::size_t target = (in.Pick(2) ? 800 : 12000) * std::max<std::size_t>(text.size(), 1);
      if (target <= longBudget) {
        longBudget -= target;
        // A long line, not many short ones once saved and loaded again.
        std::string longer = text.empty() ? "w" : text;
        std::replace(longer.begin(), longer.end(), '\r', 'w');
        std::replace(longer.begin(), longer.end(), '\n', 'w');
        while (longer.size() < target) longer += longer;
        longer.resize(target);
        text.swap(longer);
      }
    }
    switch (in.Pick(9)) {
      case 0:
      case 1:
        if (n) {
          std::string& m = model.lines[static_cast<std::size_t>(i)];
          const std::size_t pos = PickPos(in, m.size());
          const std::size_t count = std::min(m.size() - pos, PickPos(in, m.size() - pos));
          list.EditLine(i, static_cast<int>(pos), static_cast<int>(count), text);
          m.replace(pos, count, text);
        }
        break;
      case 2:
        list.Put(i, text);
        if (i < n)
          model.lines[static_cast<std::size_t>(i)] = text;
        else
          model.Insert(i, 1, text, -1);
        break;
      case 3:
        list.Insert(i, text);
        model.Insert(i, 1, text, -1);
        break;
      case 4:
        if (n) {
          const int k = 1 + in.Pick(3);
          list.DeleteLines(i, k);
          model.Erase(i, std::min(n, i + k));
        }
        break;
      case 5:
        if (n) {
          j = in.Pick(n);
          list.Exchange(i, j);
          std::swap(model.lines[static_cast<std::size_t>(i)], model.lines[static_cast<std::size_t>(j)]);
          std::swap(model.states[static_cast<std::size_t>(i)], model.states[static_cast<std::size_t>(j)]);
          std::swap(model.objects[static_cast<std::size_t>(i)], model.objects[static_cast<std::size_t>(j)]);
        } else {
          list.InsertLines(0, 2);
          model.Insert(0, 2, std::string(), 0);
        }
        break;
      case 6:
        if (n) {
          const int value = values[in.Pick(static_cast<int>(std::size(values)))];
          list.SetLineScanState(i, value);
          model.states[static_cast<std::size_t>(i)] = value;
        }
        break;
      case 7:
        if (n) {
          TObject* object = in.Pick(3) ? &gObjects[in.Pick(2)] : nullptr;
          list.PutObject(i, object);
          model.objects[static_cast<std::size_t>(i)] = object;
        }
        break;
      case 8: {
        if (reloads-- <= 0) break;
        // Every line deleted (the list keeps its arrays), then its saved
        // text loaded into it again.
        const std::string saved = Saved(list);
        if (in.Pick(2)) {
          while (list.Count()) list.Delete(in.Pick(2) ? 0 : list.Count() - 1);
        } else if (n) {
          list.DeleteLines(0, n);
        }
        Require(list.Count() == 0);
        LoadAndCheck(list, saved);
        model.Reset(list);
        j = -1;
        break;
      }
    }
    Require(list.Count() == static_cast<int>(model.lines.size()));
    for (int k = 0; k < list.Count(); ++k)
      Require(list.LineLength(k) == static_cast<int>(model.lines[static_cast<std::size_t>(k)].size()));
    if (j < 0) {
      for (int k = 0; k < list.Count(); ++k) CheckLine(list, model, k);
    } else {
      for (int k : {i, j})
        if (k < list.Count()) CheckLine(list, model, k);
    }
    if (list.Count()) CheckRuns(list, i < list.Count() ? i : 0, list.Count() - 1);
  }
  CheckRuns(list, 0, list.Count() - 1);
  for (int k = 0; k < list.Count(); ++k) CheckLine(list, model, k);
  int widest = 0;
  for (const std::string& m : model.lines) widest = std::max(widest, ExpandedLength(m, 8));
  Require(list.GetLongestLineLen() == widest);
  // Saved and loaded again: the lines as the plain splitter finds them in
  // the model's lines joined by the list's break.
  const char* brk = list.FileFormat() == lbCrLf ? "\r\n" : list.FileFormat() == lbLf ? "\n" : "\r";
  std::string joined;
  for (std::size_t k = 0; k < model.lines.size(); ++k) joined += (k ? brk : "") + model.lines[k];
  const std::string saved = Saved(list);
  Require(saved == joined);
  TSrcEditStringList again;
  LoadAndCheck(again, saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TSrcEditStringList list;
  LoadAndCheck(list, bytes);
  const std::vector<std::string> lines = LinesOf(list);
  // The lines saved in each style come back as they were, in that style,
  // and save as the same bytes again.
  for (TSrcEditFileFormat style : {lbCrLf, lbLf, lbCr}) {
    list.SetFileFormat(style);
    const std::string saved = Saved(list);
    TSrcEditStringList back;
    LoadAndCheck(back, saved);
    // One empty line and no lines are the same (empty) file.
    if (!(lines.size() == 1 && lines[0].empty())) Require(LinesOf(back) == lines);
    if (lines.size() > 1) Require(back.FileFormat() == style);
    back.SetFileFormat(style);
    Require(Saved(back) == saved);
  }
  EditAgainstAModel(list, data, size);
  return 0;
}
