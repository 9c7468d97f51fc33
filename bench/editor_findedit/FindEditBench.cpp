// Figures of the find, replace and sort commands on large documents (fake
// widget set, boxes answered by the scripted responder): Find Next from the
// start to an occurrence at the end of 100,000 and 1,000,000 lines, Replace
// All of 100,000 to 1,000,000 occurrences (one per line, and all on one long
// line), Replace with a replacement that holds the searched text, and
// sorting 100,000 lines.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "MainEditCommands.h"
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

}  // namespace

BENCHMARK_MAIN();
