// The flat menu painter on the fake widget set: measuring and painting one
// item (a menu is drawn item by item, so this is the cost of each), and
// attaching a painter to a menu of many items.
#include <benchmark/benchmark.h>

#include <memory>

#include "FlatMenus.h"
#include "platform/Menus.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

struct TMenuFixture {
  explicit TMenuFixture(int items) {
    menu = new TPopupMenu(&owner);
    for (int i = 0; i < items; ++i) {
      TMenuItem* item = NewItem(&owner, i % 10 == 9 ? "-" : "&Item with a caption", ShortCut('N', {ssCtrl}));
      item->SetChecked(i % 3 == 0);
      menu->Items()->Add(item);
    }
  }
  TFakeWidgetsetScope ws;
  TComponent owner{nullptr};
  TPopupMenu* menu = nullptr;
};

void BM_PaintItem(benchmark::State& state) {
  TMenuFixture f(10);
  TFlatMenu painter;
  TBitmap canvas(250, 20);
  int i = 0;
  for (auto _ : state) {
    TMenuItem* item = f.menu->Items()->Items(i++ % 10);
    painter.PaintItem(item, canvas.Canvas(), TRect(0, 0, 250, 20), TOwnerDrawState{});
    f.ws->ClearCalls();
  }
}
BENCHMARK(BM_PaintItem);

void BM_MeasureItem(benchmark::State& state) {
  TMenuFixture f(10);
  TFlatMenu painter;
  TBitmap canvas(1, 1);
  int i = 0;
  for (auto _ : state) {
    int w = 0, h = 0;
    painter.MeasureMenuItem(f.menu->Items()->Items(i++ % 10), canvas.Canvas(), w, h);
    benchmark::DoNotOptimize(w + h);
  }
}
BENCHMARK(BM_MeasureItem);

void BM_AttachMenu(benchmark::State& state) {
  TMenuFixture f(int(state.range(0)));
  for (auto _ : state) {
    TFlatMenu painter;
    painter.AttachMenu(f.menu, nullptr);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AttachMenu)->Arg(100)->Arg(1000)->Complexity();

}  // namespace
