// Figures of the editing control's text changes on large documents:
// replacing the whole text of a 1,000,000-line document with a pasted
// 1,000,000-line text, undoing and redoing that, and typing one character in
// the middle of the document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SrcEdit.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "platform/testing/FakeWidgetset.h"
#include "common/BenchTexts.h"

namespace {

constexpr int kLines = 1000000;

// The editor as the application has it: a window and the HTML highlighter.
struct TBenchEditor {
  FakeWidgetset Fake;
  std::unique_ptr<TSrcEdit> Edit;
  std::unique_ptr<TSrcHTMLHighlighter> Highlighter;
  TBenchEditor() {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Highlighter = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    Edit->SetBounds(0, 0, 800, 600);
    Edit->HandleNeeded();
    Edit->SetHighlighter(Highlighter.get());
  }
  ~TBenchEditor() {
    Edit->SetHighlighter(nullptr);
    Edit.reset();
    Highlighter.reset();
    SetWidgetset(nullptr);
  }
  void Load(const std::string& text) { Edit->SetText(text); }
};

using bench_texts::NewText;
using bench_texts::OldText;

void BM_ReplaceWholeText(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Load(OldText());
    b.Edit->SelectAllText();
    state.ResumeTiming();
    b.Edit->ReplaceSelection(NewText());
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_ReplaceWholeText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoWholeTextReplacement(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Load(OldText());
    b.Edit->SelectAllText();
    b.Edit->ReplaceSelection(NewText());
    state.ResumeTiming();
    b.Edit->Undo();
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_UndoWholeTextReplacement)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoWholeTextReplacement(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Load(OldText());
    b.Edit->SelectAllText();
    b.Edit->ReplaceSelection(NewText());
    b.Edit->Undo();
    state.ResumeTiming();
    b.Edit->Redo();
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_RedoWholeTextReplacement)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TypeOneCharacterInTheMiddle(benchmark::State& state) {
  TBenchEditor b;
  b.Load(OldText());
  // A thousand neighbouring lines in turn, so that no line grows long.
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Edit->MoveCaretTo(BufferCoord(5, kLines / 2 + (i++ % 1000)));
    state.ResumeTiming();
    b.Edit->ReplaceSelection("x");
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_TypeOneCharacterInTheMiddle)->Unit(benchmark::kMicrosecond);

void BM_TypeCommandInTheMiddle(benchmark::State& state) {
  TBenchEditor b;
  b.Load(OldText());
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Edit->MoveCaretTo(BufferCoord(5, kLines / 2 + (i++ % 1000)));
    state.ResumeTiming();
    b.Edit->ProcessCommand(ecChar, 'x', nullptr);
  }
}
BENCHMARK(BM_TypeCommandInTheMiddle)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
