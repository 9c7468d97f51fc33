// Figures of the find, replace and sort commands on large documents (fake
// widget set, boxes answered by the scripted responder): Find Next from the
// start to an occurrence at the end of 100,000 and 1,000,000 lines and of
// HTML files of 50 MB and 1 GB, Replace
// All of 100,000 to 1,000,000 occurrences (one per line, and all on one long
// line), Replace with a replacement that holds the searched text, and
// sorting 100,000 lines. Then Replace All of "div" by "section" in HTML
// documents of 1 to 200 MB read from a file, its undo and its redo, and the
// same for sorting, indenting and unindenting all lines of 50 MB of HTML,
// each with the memory it holds at its peak and keeps, per byte of the
// document (bench/replace-all-beside-vim.py sets vim's figures beside them).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "MainEditCommands.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "SrcMemo.h"
#include "platform/Dialogs.h"
#include "platform/FindDialogs.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/ScriptedUi.h"

namespace {

std::string Lines(int count, const char* word) {
  std::string s;
  for (int i = 0; i < count; ++i) {
    s += "<p class=\"";
    s += word;
    s += "\">line ";
    s += std::to_string((i * 7919) % count);
    s += "</p>";
    if (i + 1 < count) s += "\r\n";
  }
  return s;
}

struct TBench {
  FakeWidgetset Fake;
  TScriptedUi Ui;
  std::unique_ptr<TSrcMemo> Memo;
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  std::unique_ptr<TReplaceDialog> Replace;
  std::unique_ptr<TMainEditCommands> Commands;
  std::array<std::string, 10> Slots;
  explicit TBench(bool html) {
    SetWidgetset(&Fake);
    SetUiService(&Ui);
    Memo = std::make_unique<TSrcMemo>(nullptr);
    if (html) {
      Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
      Memo->SetHighlighter(Html.get());
    }
    Replace = std::make_unique<TReplaceDialog>(nullptr);
    TEditCommandsHost host;
    host.Memo = Memo.get();
    host.ReplaceDialog = Replace.get();
    host.Slots = &Slots;
    Commands = std::make_unique<TMainEditCommands>(nullptr, host);
    Replace->OnFind = [this](TObject* s) { Commands->FindDialog1Find(s); };
    Replace->OnReplace = [this](TObject* s) { Commands->ReplaceDialog1Replace(s); };
  }
  ~TBench() {
    Commands.reset();
    Replace.reset();
    Memo.reset();
    Html.reset();
    SetUiService(nullptr);
    SetWidgetset(nullptr);
  }
};

void BM_FindNextToTheEnd(benchmark::State& state) {
  TBench b(false);
  b.Memo->SetText(Lines(static_cast<int>(state.range(0)), "x") + "\r\nneedle");
  for (auto _ : state) {
    b.Memo->SetSelStart(0);
    PressFindNext(*b.Replace, "needle");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Memo->Text().size()));
}
BENCHMARK(BM_FindNextToTheEnd)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// HTML lines of about `bytes` bytes read from a file (as
// bench/move-in-editor.py writes them), a rare word on the last line; Find
// Next from the top through the find dialog.
void BM_FindNextToTheEndOfAFile(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
  const std::string path = "/tmp/bqs-find-next-" + std::to_string(state.range(0)) + ".html";
  {
    std::ofstream out(path, std::ios::binary);
    std::string block;
    std::size_t written = 0;
    for (int i = 0; written < bytes; ++i) {
      block += "<div class=\"c" + std::to_string(i % 100) + "\"><p>line " + std::to_string(i) +
               " <b>text</b> &amp; more words</p></div>\r\n";
      if (block.size() >= (1 << 20)) {
        out << block;
        written += block.size();
        block.clear();
      }
    }
    out << block << "<p>zanzibarquux</p>\r\n";
  }
  TBench b(false);
  b.Memo->Lines()->LoadFromFile(path);
  std::remove(path.c_str());
  for (auto _ : state) {
    b.Memo->SetSelStart(0);
    PressFindNext(*b.Replace, "zanzibarquux");
  }
  if (b.Memo->SelText() != "zanzibarquux") state.SkipWithError("the word was not found");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_FindNextToTheEndOfAFile)->Arg(50)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllOnePerLine(benchmark::State& state) {
  TBench b(true);
  const std::string text = Lines(static_cast<int>(state.range(0)), "old");
  for (auto _ : state) {
    state.PauseTiming();
    b.Memo->SetText(text);
    b.Memo->ClearUndoRedo();
    state.ResumeTiming();
    PressReplaceAll(*b.Replace, "old", "brand-new");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceAllOnePerLine)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllOnOneLongLine(benchmark::State& state) {
  TBench b(false);
  std::string line;
  for (int64_t i = 0; i < state.range(0); ++i) line += "ab ";
  for (auto _ : state) {
    state.PauseTiming();
    b.Memo->SetText(line);
    b.Memo->ClearUndoRedo();
    state.ResumeTiming();
    PressReplaceAll(*b.Replace, "ab", "abab");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceAllOnOneLongLine)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReplaceOneOfMany(benchmark::State& state) {
  TBench b(true);
  b.Memo->SetText(Lines(static_cast<int>(state.range(0)), "a"));
  for (auto _ : state) PressReplace(*b.Replace, "a", "aa");
}
BENCHMARK(BM_ReplaceOneOfMany)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortAllLines(benchmark::State& state) {
  TBench b(true);
  const std::string text = Lines(static_cast<int>(state.range(0)), "s");
  for (auto _ : state) {
    state.PauseTiming();
    b.Memo->SetText(text);
    b.Memo->ClearUndoRedo();
    b.Ui.ExpectMessage(IDYES);
    state.ResumeTiming();
    b.Commands->N309Click(nullptr);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortAllLines)->Arg(100000)->Unit(benchmark::kMillisecond);

// An HTML document of about `bytes` bytes: one "div" in every 164 bytes on
// average (one line of six holds a div element).
std::string HtmlWithDivs(std::size_t bytes) {
  std::string s;
  s.reserve(bytes + 256);
  for (int i = 0; s.size() < bytes; ++i) {
    if (i % 6 == 0)
      s += "<div class=\"c" + std::to_string(i % 100) + "\">line " + std::to_string(i) + " <b>text</b></div>\r\n";
    else
      s +=
          "<p class=\"c" + std::to_string(i % 100) + "\">line " + std::to_string(i) + " <b>text</b> &amp; more</p>\r\n";
  }
  s.resize(bytes);
  return s;
}

// Resident and peak resident memory of the process, in bytes; the peak is
// set back to the resident size first when `reset`.
std::size_t Resident(const char* field, bool reset = false) {
  if (reset) std::ofstream("/proc/self/clear_refs") << "5";
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stoull(line.substr(std::string(field).size())) * 1024;
  return 0;
}

// The whole-text commands measured on a large document: Replace All of
// "div" by "section", sorting all lines, block indent and block unindent of
// the whole text.
enum TWholeCommand { wcReplaceAll, wcSort, wcIndent, wcUnindent };

void RunWholeCommand(TBench& b, TWholeCommand command) {
  switch (command) {
    case wcReplaceAll: PressReplaceAll(*b.Replace, "div", "section"); break;
    case wcSort:
      b.Ui.ExpectMessage(IDYES);
      b.Commands->N309Click(nullptr);
      break;
    default:
      b.Memo->SelectAll();
      b.Memo->ExecuteCommand(command == wcIndent ? ecBlockIndent : ecBlockUnindent, '\0', nullptr);
      break;
  }
}

// One step of a command on a document read from a file: 0 the command, 1
// its undo, 2 its redo; the steps before it run untimed. Memory: the peak
// resident size during the step and the resident size after it, less what
// the process held before the document was read, per byte of the document
// (the program's own code and libraries are not the document's); and the
// peak the step adds to what was resident before it.
void WholeCommandStep(benchmark::State& state, TWholeCommand command, int step) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
  const std::string path = "/tmp/bqs-whole-" + std::to_string(state.range(0)) + ".html";
  {
    std::ofstream out(path, std::ios::binary);
    out << HtmlWithDivs(bytes);
  }
  TBench b(true);
  malloc_trim(0);
  const double empty = static_cast<double>(Resident("VmRSS:"));
  const double size = static_cast<double>(bytes);
  double peak = 0, added = 0, kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Memo->Lines()->LoadFromFile(path);
    // As in the program a while after the file opened: the idle scan done.
    b.Memo->EnsureScanned(-1);
    if (command == wcUnindent) RunWholeCommand(b, wcIndent);
    b.Memo->ClearUndoRedo();
    if (step >= 1) RunWholeCommand(b, command);
    if (step >= 2) b.Memo->Undo();
    // What the steps before left free goes back to the system, so that the
    // figures count what the document and its undo hold, not the heap.
    malloc_trim(0);
    const std::size_t before = Resident("VmRSS:", true);
    state.ResumeTiming();
    switch (step) {
      case 0: RunWholeCommand(b, command); break;
      case 1: b.Memo->Undo(); break;
      default: b.Memo->Redo(); break;
    }
    state.PauseTiming();
    const double high = static_cast<double>(Resident("VmHWM:"));
    peak = (high - empty) / size;
    added = (high - static_cast<double>(before)) / size;
    kept = (static_cast<double>(Resident("VmRSS:")) - empty) / size;
    state.ResumeTiming();
  }
  state.counters["peak_per_doc_byte"] = peak;
  state.counters["peak_added_per_doc_byte"] = added;
  state.counters["resident_per_doc_byte"] = kept;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
  std::remove(path.c_str());
}

void BM_ReplaceAllDivs(benchmark::State& state) { WholeCommandStep(state, wcReplaceAll, 0); }
void BM_ReplaceAllDivsUndo(benchmark::State& state) { WholeCommandStep(state, wcReplaceAll, 1); }
void BM_ReplaceAllDivsRedo(benchmark::State& state) { WholeCommandStep(state, wcReplaceAll, 2); }
BENCHMARK(BM_ReplaceAllDivs)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllDivsUndo)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllDivsRedo)->Arg(1)->Arg(10)->Arg(50)->Arg(200)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SortHtml(benchmark::State& state) { WholeCommandStep(state, wcSort, 0); }
void BM_SortHtmlUndo(benchmark::State& state) { WholeCommandStep(state, wcSort, 1); }
void BM_SortHtmlRedo(benchmark::State& state) { WholeCommandStep(state, wcSort, 2); }
void BM_IndentHtml(benchmark::State& state) { WholeCommandStep(state, wcIndent, 0); }
void BM_IndentHtmlUndo(benchmark::State& state) { WholeCommandStep(state, wcIndent, 1); }
void BM_IndentHtmlRedo(benchmark::State& state) { WholeCommandStep(state, wcIndent, 2); }
void BM_UnindentHtml(benchmark::State& state) { WholeCommandStep(state, wcUnindent, 0); }
void BM_UnindentHtmlUndo(benchmark::State& state) { WholeCommandStep(state, wcUnindent, 1); }
void BM_UnindentHtmlRedo(benchmark::State& state) { WholeCommandStep(state, wcUnindent, 2); }
BENCHMARK(BM_SortHtml)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortHtmlUndo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortHtmlRedo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndentHtml)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndentHtmlUndo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndentHtmlRedo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnindentHtml)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnindentHtmlUndo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnindentHtmlRedo)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
