// Figures of word wrap in the editing control, on the fake widget set in a
// window of 80 columns:
// - wrapping a document of N lines when word wrap is switched on, and when
//   the window's width changes (N up to 1,000,000: linear in the text);
// - wrapping one line of 10 MB;
// - loading a 1,000,000-line document with word wrap on (one hook call per
//   line) and off, pasting 100,000 lines into the middle, typing into it,
//   breaking a line in its middle (with word wrap on and off);
// - converting positions between buffer and display in documents of 1,000
//   and 1,000,000 lines (logarithmic in the line count);
// - rows to lines and back inside a wrapped 10 MB line.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditWordWrap.h"
#include "platform/Classes.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

constexpr int kCols = 80;
constexpr int kRows = 40;

// Lines of 0 to 199 characters: words, tabs, some long unbroken runs.
std::string Line(int i) {
  static const char* const words[] = {"alpha", "beta", "gamma", "<div>", "class=\"x\"", "&amp;", "delta,", "e"};
  std::string s;
  const int n = (i * 7919) % 40;
  if (i % 9 == 0) s += '\t';
  for (int w = 0; w < n; ++w) {
    s += words[(i + w) % 8];
    s += (w % 11 == 10) ? '\t' : ' ';
  }
  if (i % 13 == 0) s += std::string(static_cast<std::size_t>(i % 150), 'z');
  return s;
}

std::string Document(int lines) {
  std::string s;
  s.reserve(static_cast<std::size_t>(lines) * 80);
  for (int i = 0; i < lines; ++i) {
    s += Line(i);
    if (i + 1 < lines) s += "\r\n";
  }
  return s;
}

const std::string& MillionLines() {
  static const std::string s = Document(1000000);
  return s;
}

std::string LongLine(std::size_t bytes) {
  std::string s;
  s.reserve(bytes + 256);
  int i = 0;
  while (s.size() < bytes) s += Line(i++) + ' ';
  s.resize(bytes);
  return s;
}

struct TBenchEditor {
  FakeWidgetset Fake;
  std::unique_ptr<TSrcEdit> Edit;
  HWND Wnd = nullptr;

  TBenchEditor() {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetBounds(0, 0, Width(kCols), kRows * 16);
    Wnd = Edit->Handle();
    ::ShowWindow(Wnd, SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
  }
  ~TBenchEditor() {
    Edit.reset();
    SetWidgetset(nullptr);
  }
  static int Width(int cols) { return 30 + 2 + cols * 8; }
  void Load(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    Edit->Lines()->LoadFromStream(&stream);
    Fake.ProcessMessages();
  }
  int Rows() { return Edit->DisplayRowCount(); }
};

void BM_WrapOnDocument(benchmark::State& state) {
  TBenchEditor b;
  const int lines = static_cast<int>(state.range(0));
  b.Load(lines == 1000000 ? MillionLines() : Document(lines));
  for (auto _ : state) {
    b.Edit->SetWordWrap(true);
    state.PauseTiming();
    state.counters["rows"] = b.Rows();
    b.Edit->SetWordWrap(false);
    state.ResumeTiming();
  }
  state.counters["lines"] = lines;
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(lines == 1000000 ? MillionLines().size() : Document(lines).size()));
}
BENCHMARK(BM_WrapOnDocument)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RewrapOnResize_MillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(MillionLines());
  b.Edit->SetWordWrap(true);
  int cols = kCols;
  for (auto _ : state) {
    cols = cols == kCols ? kCols - 1 : kCols;
    b.Fake.Resize(b.Wnd, TBenchEditor::Width(cols), kRows * 16);
    b.Fake.ProcessMessages();
  }
  state.counters["rows"] = b.Rows();
}
BENCHMARK(BM_RewrapOnResize_MillionLines)->Unit(benchmark::kMillisecond);

void BM_WrapOnTenMegabyteLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load(LongLine(10u << 20));
  for (auto _ : state) {
    b.Edit->SetWordWrap(true);
    state.PauseTiming();
    state.counters["rows"] = b.Rows();
    b.Edit->SetWordWrap(false);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * (10 << 20));
}
BENCHMARK(BM_WrapOnTenMegabyteLine)->Unit(benchmark::kMillisecond);

// Arg 1: word wrap on; 0: off (the same work without the plug-in).
void BM_LoadMillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Edit->SetWordWrap(state.range(0) != 0);
  for (auto _ : state) b.Load(MillionLines());
  state.counters["rows"] = b.Rows();
}
BENCHMARK(BM_LoadMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PasteHundredThousandLinesWrapped(benchmark::State& state) {
  TBenchEditor b;
  b.Edit->SetWordWrap(true);
  const std::string paste = Document(100000);
  for (auto _ : state) {
    state.PauseTiming();
    b.Load(Document(1000));
    b.Edit->SetCaret(BufferCoord(1, 500));
    state.ResumeTiming();
    b.Edit->ReplaceSelection(paste);
    b.Fake.ProcessMessages();
  }
}
BENCHMARK(BM_PasteHundredThousandLinesWrapped)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TypeCharacterWrapped_MillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(MillionLines());
  b.Edit->SetWordWrap(true);
  b.Edit->SetCaret(BufferCoord(4, 500001));
  for (auto _ : state) {
    b.Edit->ReplaceSelection("x ");
    b.Fake.ProcessMessages();
  }
}
BENCHMARK(BM_TypeCharacterWrapped_MillionLines)->Unit(benchmark::kMicrosecond);

void BM_LineBreak_MillionLines(benchmark::State& state) {
  TBenchEditor b;
  b.Load(MillionLines());
  b.Edit->SetWordWrap(state.range(0) != 0);
  b.Edit->SetCaret(BufferCoord(1, 300001));
  for (auto _ : state) {
    b.Edit->ReplaceSelection("\r\n");
    b.Fake.ProcessMessages();
  }
}
BENCHMARK(BM_LineBreak_MillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_ConvertPositions(benchmark::State& state) {
  TBenchEditor b;
  const int lines = static_cast<int>(state.range(0));
  b.Load(lines == 1000000 ? MillionLines() : Document(lines));
  b.Edit->SetWordWrap(true);
  ISrcEditBufferPlugin* plugin = b.Edit->WordWrapPlugin();
  const int rows = plugin->RowCount();
  std::mt19937 rng(1);
  for (auto _ : state) {
    const int line = 1 + static_cast<int>(rng() % static_cast<unsigned>(lines));
    const int row = 1 + static_cast<int>(rng() % static_cast<unsigned>(rows));
    benchmark::DoNotOptimize(plugin->BufferToDisplayPos(BufferCoord(1 + static_cast<int>(rng() % 120), line)));
    benchmark::DoNotOptimize(plugin->DisplayToBufferPos(DisplayCoord(1 + static_cast<int>(rng() % 80), row)));
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ConvertPositions)->Arg(1000)->Arg(1000000)->Unit(benchmark::kNanosecond);

// The line of a row and the first row of a line, for rows all along a
// wrapped 10 MB line with tabs (independent of the row's place in the line).
void BM_RowToLine_TenMegabyteLine(benchmark::State& state) {
  TBenchEditor b;
  b.Load("first\r\n" + LongLine(10u << 20) + "\r\nlast");
  b.Edit->SetWordWrap(true);
  const int rows = b.Rows();
  std::mt19937 rng(1);
  for (auto _ : state) {
    const int row = 1 + static_cast<int>(rng() % static_cast<unsigned>(rows));
    benchmark::DoNotOptimize(b.Edit->RowToLine(row));
    benchmark::DoNotOptimize(b.Edit->LineToRow(2));
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_RowToLine_TenMegabyteLine)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
