// Figures of the editing control's paint pass and rescans, with the HTML
// highlighter. The control runs on the fake widget set; the paint passes
// draw into a raster device context of the view's size (real pixel fills,
// text leaves no ink), without the fake's recording of every call:
// - one full repaint of a 120 x 50 cell view of a 1,000,000-line HTML
//   document, at its top and in its middle;
// - one full repaint of the first screen of a single 10 MB line;
// - the first screen at the end of a 10 MB line (End, Ctrl+End), wrap off
//   and on;
// - the rescan after typing one character into a line of the big document,
//   after pasting 100,000 lines into it, and loading it whole;
// - a 50 MB document of 1,100,000 lines from its bytes to the first screen;
// - a burst of 200 mouse-wheel notches.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <sys/prctl.h>

#include "SrcEditKeyCmds.h"
#include "common/BenchEditor.h"

namespace {

using bench_editor::kCols;
using bench_editor::kRows;
using bench_editor::LongHtmlLine;
using bench_editor::TBenchEditor;

// One line of a varied HTML document.
std::string HtmlLine(int i) {
  switch (i % 8) {
    case 0: return "<div class=\"section\" id=\"s" + std::to_string(i) + "\">";
    case 1: return "  <p>Some text with &amp; an entity and <b>bold</b> words, line " + std::to_string(i) + "</p>";
    case 2: return "  <a href='page" + std::to_string(i) + ".html' title=\"a link\">link</a> &copy; 2001";
    case 3: return "  <!-- a comment that ends here -->";
    case 4: return "\t<img src=\"pic.png\" width=100 height=50 alt=\"picture\">";
    case 5: return "  <table border=1><tr><td>cell</td><td>other cell</td></tr></table>";
    case 6: return "  plain text without any markup at all, just words and more words";
    default: return "</div>";
  }
}

std::string HtmlDocument(int lines) {
  std::string s;
  s.reserve(static_cast<std::size_t>(lines) * 60);
  for (int i = 0; i < lines; ++i) {
    s += HtmlLine(i);
    if (i + 1 < lines) s += "\r\n";
  }
  return s;
}

const std::string& BigDocument() {
  static const std::string s = HtmlDocument(1000000);
  return s;
}

void BM_FullRepaint_MillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(BigDocument());
  b.Edit->SetTopLine(static_cast<int>(state.range(0)));
  b.Edit->SelectRange(BufferCoord(5, b.Edit->TopLine() + 3), BufferCoord(5, b.Edit->TopLine() + 3),
                      BufferCoord(20, b.Edit->TopLine() + 9));
  for (auto _ : state) b.Repaint();
  state.counters["lines"] = b.Edit->Lines()->Count();
}
BENCHMARK(BM_FullRepaint_MillionLines)->Arg(1)->Arg(500000)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint_SmallDocument(benchmark::State& state) {
  TBenchEditor b;
  b.Load(HtmlDocument(kRows));
  for (auto _ : state) b.Repaint();
}
BENCHMARK(BM_FullRepaint_SmallDocument)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint_TenMegabyteLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load(LongHtmlLine(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) b.Repaint();
  state.counters["bytes"] = static_cast<double>(b.Edit->Lines()->LineLength(0));
}
BENCHMARK(BM_FullRepaint_TenMegabyteLine)->Arg(10 << 20)->Arg(10 << 10)->Unit(benchmark::kMicrosecond);

// Word wrap: the first screen of the 10 MB line, and a screen in its middle
// (the highlighter scans the line from its start up to the painted rows).
void BM_WrappedRepaint_TenMegabyteLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load(LongHtmlLine(10 << 20));
  b.Edit->SetWordWrap(true);
  const int rows = b.Edit->DisplayRowCount();
  b.Edit->SetTopLine(static_cast<int>(state.range(0) * (rows / 2)) + 1);
  for (auto _ : state) b.Repaint();
  state.counters["rows"] = rows;
}
BENCHMARK(BM_WrappedRepaint_TenMegabyteLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// End (range(0) 0) or Ctrl+End (1) from the start of a 10 MB line, wrap off
// or on (range(1)), to the painted screen; the way back to the start is off
// the clock.
void BM_FirstScreenAtLineEnd(benchmark::State& state) {
  TBenchEditor b;
  b.Load(LongHtmlLine(10 << 20));
  b.Edit->SetWordWrap(state.range(1) != 0);
  const TSrcEditorCommand command = state.range(0) != 0 ? ecEditorBottom : ecLineEnd;
  for (auto _ : state) {
    b.Edit->ProcessCommand(ecEditorTop, 0, nullptr);
    b.Repaint();
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.Edit->ProcessCommand(command, 0, nullptr);
      b.Repaint();
    }));
  }
  state.counters["column"] = b.Edit->Caret().Char;
}
BENCHMARK(BM_FirstScreenAtLineEnd)
    ->ArgNames({"ctrl", "wrap"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Times a control opening the file and painting its first screen, once
// per iteration, then removes the file.
void TimeFileToFirstScreen(benchmark::State& state, const std::string& file) {
  for (auto _ : state) {
    TBenchEditor b;
    state.SetIterationTime(bench_editor::Seconds([&] {
      b.LoadFile(file);
      b.Repaint();
    }));
  }
  std::remove(file.c_str());
}

// From a 50 MB document file (1,100,000 lines) to its first screen, as the
// program starts with a file: the file read, split and scanned as far as
// the screen needs, and the first paint. The file goes to $BQS_BENCH_DIR
// (default /tmp).
void BM_StartToFirstScreen_FiftyMegabytes(benchmark::State& state) {
  const char* dir = std::getenv("BQS_BENCH_DIR");
  const std::string file = std::string(dir && *dir ? dir : "/tmp") + "/bqs-bench-start.html";
  std::size_t size = 0;
  {
    std::string s;
    s.reserve(52u << 20);
    for (int i = 0; i < 1100000; ++i) {
      s += HtmlLine(i);
      s += "\r\n";
    }
    size = s.size();
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(s.data(), static_cast<std::streamsize>(s.size()));
  }
  TimeFileToFirstScreen(state, file);
  state.counters["MB"] = static_cast<double>(size) / (1 << 20);
}
BENCHMARK(BM_StartToFirstScreen_FiftyMegabytes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// BQS_BENCH_NO_THP=1 turns transparent huge pages off for the whole
// process (the line list's huge-page advice then does nothing): the A/B of
// that advice.
const bool kHugePagesOff = [] {
  return std::getenv("BQS_BENCH_NO_THP") != nullptr && ::prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) == 0;
}();

// The same from a file of empty lines (LF breaks only) of 1 to 200 MB: one
// line per byte, the most lines a file of its size can hold.
void BM_StartToFirstScreen_EmptyLines(benchmark::State& state) {
  const char* dir = std::getenv("BQS_BENCH_DIR");
  const std::string file = std::string(dir && *dir ? dir : "/tmp") + "/bqs-bench-empty-lines.txt";
  const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
  {
    const std::string s(size, '\n');
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(s.data(), static_cast<std::streamsize>(s.size()));
  }
  TimeFileToFirstScreen(state, file);
  state.counters["lines"] = static_cast<double>(size);
  state.counters["huge_pages_off"] = kHugePagesOff ? 1 : 0;
}
BENCHMARK(BM_StartToFirstScreen_EmptyLines)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// 200 mouse-wheel notches at once in the 1,000,000-line document, each
// scrolled and its uncovered lines painted into the window's own surface, as
// a burst of notches reaches the control.
void BM_WheelBurst_MillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(BigDocument());
  for (auto _ : state) {
    state.PauseTiming();
    b.Edit->SetTopLine(400000);
    b.Fake.ProcessMessages();
    state.ResumeTiming();
    for (int i = 0; i < 200; ++i) {
      b.Edit->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint32_t>(-120) << 16), 0);
      b.Fake.ProcessMessages();
    }
  }
  state.counters["top"] = b.Edit->TopLine();
}
BENCHMARK(BM_WheelBurst_MillionLines)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TypeCharacterMidDocument(benchmark::State& state) {
  TBenchEditor b;
  b.Load(BigDocument());
  b.Edit->SetCaret(BufferCoord(4, 500001));
  for (auto _ : state) {
    b.Edit->ReplaceSelection("x");
    b.Fake.ProcessMessages();
  }
}
BENCHMARK(BM_TypeCharacterMidDocument)->Unit(benchmark::kMicrosecond);

void BM_PasteHundredThousandLines(benchmark::State& state) {
  TBenchEditor b;
  const std::string paste = HtmlDocument(100000);
  for (auto _ : state) {
    state.PauseTiming();
    b.Load(HtmlDocument(1000));
    b.Edit->SetCaret(BufferCoord(1, 500));
    state.ResumeTiming();
    b.Edit->ReplaceSelection(paste);
    b.Fake.ProcessMessages();
  }
}
BENCHMARK(BM_PasteHundredThousandLines)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadMillionLines(benchmark::State& state) {
  TBenchEditor b;
  for (auto _ : state) b.Load(BigDocument());
}
BENCHMARK(BM_LoadMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
