// Figures of the editing control's text changes on large documents:
// replacing the whole text of a 1,000,000-line document with a pasted
// 1,000,000-line text, undoing and redoing that, typing one character in
// the middle of the document, and what a user feels of a keystroke and of
// an undo (key message, rescan, repaint) in that document and at both ends
// of a 10 MB and a 100 MB line.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SrcEdit.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "common/BenchEditor.h"
#include "common/BenchTexts.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

constexpr int kLines = 1000000;

using bench_editor::TBenchEditor;
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

// The caret moves between iterations off the clock (manual time: a paused
// timer costs more than the keystroke).
void BM_TypeOneCharacterInTheMiddle(benchmark::State& state) {
  TBenchEditor b;
  b.Load(OldText());
  // A thousand neighbouring lines in turn, so that no line grows long.
  int i = 0;
  for (auto _ : state) {
    b.Edit->MoveCaretTo(BufferCoord(5, kLines / 2 + (i++ % 1000)));
    state.SetIterationTime(bench_editor::Seconds([&] { b.Edit->ReplaceSelection("x"); }));
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_TypeOneCharacterInTheMiddle)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_TypeCommandInTheMiddle(benchmark::State& state) {
  TBenchEditor b;
  b.Load(OldText());
  int i = 0;
  for (auto _ : state) {
    b.Edit->MoveCaretTo(BufferCoord(5, kLines / 2 + (i++ % 1000)));
    state.SetIterationTime(bench_editor::Seconds([&] { b.Edit->ProcessCommand(ecChar, 'x', nullptr); }));
  }
}
BENCHMARK(BM_TypeCommandInTheMiddle)->UseManualTime()->Unit(benchmark::kMicrosecond);

// What a user feels of a keystroke: WM_CHAR through the key message path,
// the rescan, and the repaint of the view (120 x 50 cells, raster surface).
void BM_KeystrokeMillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(OldText());
  int i = 0;
  for (auto _ : state) {
    b.Edit->SetCaret(BufferCoord(5, kLines / 2 + (i++ % 1000)));
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.Type('x');
      b.Repaint();
    }));
  }
  state.counters["lines"] = b.Edit->Lines()->GetCount();
}
BENCHMARK(BM_KeystrokeMillionLines)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A single line of range(0) MB; range(1): 0 types at its start, 1 at its end.
void BM_KeystrokeLongLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load(bench_editor::LongHtmlLine(static_cast<std::size_t>(state.range(0)) << 20));
  const bool atEnd = state.range(1) != 0;
  for (auto _ : state) {
    b.Edit->SetCaret(BufferCoord(atEnd ? b.Edit->Lines()->LineLength(0) + 1 : 1, 1));
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.Type('x');
      b.Repaint();
    }));
  }
  state.counters["MB"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_KeystrokeLongLine)
    ->ArgNames({"MB", "end"})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({100, 0})
    ->Args({100, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The first keystroke after a long line is opened, at its start or at its
// end (reached and painted off the clock, as a user sees the screen before
// typing): the first edit of a line read from a file also gives it a block
// of its own. Each iteration loads the line afresh.
void BM_FirstKeystrokeLongLine(benchmark::State& state) {
  const std::string line = bench_editor::LongHtmlLine(static_cast<std::size_t>(state.range(0)) << 20);
  const bool atEnd = state.range(1) != 0;
  for (auto _ : state) {
    TBenchEditor b;
    b.Load(line);
    b.Repaint();
    if (atEnd) {
      b.Edit->ProcessCommand(ecLineEnd, 0, nullptr);
      b.Repaint();
    }
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.Type('x');
      b.Repaint();
    }));
  }
}
BENCHMARK(BM_FirstKeystrokeLongLine)
    ->ArgNames({"MB", "end"})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({100, 0})
    ->Args({100, 1})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Undo of a typed word (five characters, one action) in a line of range(0)
// MB, at its start (range(1) 0) or its end (1), with the repaint.
void BM_UndoTypingLongLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load(bench_editor::LongHtmlLine(static_cast<std::size_t>(state.range(0)) << 20));
  const bool atEnd = state.range(1) != 0;
  for (auto _ : state) {
    b.Edit->SetCaret(BufferCoord(atEnd ? b.Edit->Lines()->LineLength(0) + 1 : 1, 1));
    for (char c : std::string("words")) b.Type(c);
    b.Repaint();
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.Edit->Undo();
      b.Repaint();
    }));
  }
}
BENCHMARK(BM_UndoTypingLongLine)
    ->ArgNames({"MB", "end"})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({100, 0})
    ->Args({100, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
