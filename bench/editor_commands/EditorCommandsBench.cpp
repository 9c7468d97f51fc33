// Figures of the editing control's commands on large documents (fake widget
// set): undoing and redoing a whole-text replacement of 1,000,000 lines
// through ecUndo/ecRedo, bracket matching over a long line and across a
// long document (with and without the HTML highlighter), word moves over a
// long line, a typed run and its undo, and a block indent of 100,000 lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SrcEdit.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "common/BenchTexts.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

struct TBenchEditor {
  FakeWidgetset Fake;
  std::unique_ptr<TSrcEdit> Edit;
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  explicit TBenchEditor(bool html = false) {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    if (html) {
      Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
      Edit->SetHighlighter(Html.get());
    }
  }
  ~TBenchEditor() {
    Edit.reset();
    Html.reset();
    SetWidgetset(nullptr);
  }
  void Run(TSrcEditorCommand c, char ch = '\0') { Edit->ProcessCommand(c, ch, nullptr); }
};

using bench_texts::MakeText;
using bench_texts::NewText;
using bench_texts::OldText;

void BM_UndoCommandWholeText(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Edit->SetText(OldText());
    b.Edit->SelectAllText();
    b.Edit->ReplaceSelection(NewText());
    state.ResumeTiming();
    b.Run(ecUndo);
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_UndoCommandWholeText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoCommandWholeText(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) {
    state.PauseTiming();
    b.Edit->SetText(OldText());
    b.Edit->SelectAllText();
    b.Edit->ReplaceSelection(NewText());
    b.Run(ecUndo);
    state.ResumeTiming();
    b.Run(ecRedo);
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_RedoCommandWholeText)->Unit(benchmark::kMillisecond)->Iterations(3);

// One line of n nested and n side-by-side pairs: the match of the first
// bracket is the last character.
void BM_MatchBracketLongLine(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchEditor b(state.range(1) != 0);
  std::string line = "(";
  for (int i = 0; i < n; ++i) line += "(a)";
  line += ")";
  b.Edit->SetText(line);
  for (auto _ : state) {
    TBufferCoord m = b.Edit->MatchBracketAt(BufferCoord(1, 1));
    benchmark::DoNotOptimize(m);
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_MatchBracketLongLine)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// A bracket on the first line matched on the last of 1,000,000 lines.
void BM_MatchBracketAcrossDocument(benchmark::State& state) {
  TBenchEditor b(state.range(0) != 0);
  b.Edit->SetText("{" + std::string("\r\n") + MakeText(1000000, "x") + "\r\n}");
  for (auto _ : state) {
    TBufferCoord m = b.Edit->MatchBracketAt(BufferCoord(1, 1));
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_MatchBracketAcrossDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Ctrl+Right over a line of 100,000 words, start to end.
void BM_WordRightOverLongLine(benchmark::State& state) {
  TBenchEditor b;
  std::string line;
  for (int i = 0; i < 100000; ++i) line += "word, ";
  b.Edit->SetText(line);
  for (auto _ : state) {
    b.Edit->MoveCaretTo(BufferCoord(1, 1));
    for (int i = 0; i < 100000; ++i) b.Run(ecWordRight);
  }
}
BENCHMARK(BM_WordRightOverLongLine)->Unit(benchmark::kMillisecond);

// 1,000 characters typed in the middle of 1,000,000 lines, then one undo
// (grouped) takes them all back.
void BM_TypedRunAndItsUndo(benchmark::State& state) {
  TBenchEditor b;
  b.Edit->SetText(OldText());
  for (auto _ : state) {
    b.Edit->MoveCaretTo(BufferCoord(5, 500000));
    for (int i = 0; i < 1000; ++i) b.Run(ecChar, 'x');
    b.Run(ecUndo);
  }
}
BENCHMARK(BM_TypedRunAndItsUndo)->Unit(benchmark::kMillisecond);

// Shift+Ctrl+I over 100,000 selected lines, then its undo.
void BM_BlockIndentAndUndo(benchmark::State& state) {
  TBenchEditor b;
  b.Edit->SetText(MakeText(100000, "x"));
  for (auto _ : state) {
    b.Edit->SelectAllText();
    b.Run(ecBlockIndent);
    b.Run(ecUndo);
  }
}
BENCHMARK(BM_BlockIndentAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
