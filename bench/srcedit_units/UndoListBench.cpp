// Undo list figures: recording with trimming at the default limit, one
// action of many items (a column paste over many lines), and popping.
#include <benchmark/benchmark.h>

#include "SrcEditUndo.h"

namespace {

// Single-item actions past the default limit of 1024: every push trims.
void BM_AddChangeTrimmed(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TSrcEditUndoList list;
    for (int i = 0; i < n; ++i) list.AddChange(urInsert, BufferCoord(1, i + 1), BufferCoord(2, i + 1), "", smNormal);
    benchmark::DoNotOptimize(list.ItemCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AddChangeTrimmed)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One block of n items (kept whole above the limit), then the next action
// trims it in one go, then everything is popped.
void BM_BigBlockThenTrimAndPop(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TSrcEditUndoList list;
    list.BeginBlock();
    for (int i = 0; i < n; ++i) list.AddChange(urPaste, BufferCoord(1, i + 1), BufferCoord(2, i + 1), "x", smColumn);
    list.EndBlock();
    list.SetMaxUndoActions(n);
    for (int i = 0; i < n; ++i) list.AddChange(urInsert, BufferCoord(1, 1), BufferCoord(2, 1), "", smNormal);
    while (list.PopItem()) {}
  }
  state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(BM_BigBlockThenTrimAndPop)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
