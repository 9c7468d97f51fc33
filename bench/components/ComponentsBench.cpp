// Figures of the component kit's painters on the fake widget set:
// - GradientBitmap of 1920 x 1080 in 255 dithered bands, left to right
//   (style 0) and top to bottom (style 1);
// - the repaint of a 31 x 31 flat tool bar button when the mouse comes over
//   it (two gradients, the border, a 24 x 24 glyph), and the same button at
//   rest.
#include <benchmark/benchmark.h>

#include <memory>

#include "XpControls.h"
#include "XpSpeedButtons.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

void BM_GradientBitmap(benchmark::State& state) {
  TFakeWidgetsetScope ws;
  TBitmap bitmap;
  const auto style = static_cast<uint8_t>(state.range(0));
  for (auto _ : state) {
    GradientBitmap(1920, 1080, clWhite, RGB(215, 215, 215), 255, style, true, &bitmap);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_GradientBitmap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ToolButtonRepaint(benchmark::State& state) {
  TFakeWidgetsetScope ws;
  auto form = std::make_unique<TWinControl>(nullptr);
  form->SetBounds(0, 0, 700, 40);
  form->HandleNeeded();
  auto* button = new TXpSpeedButton(form.get());
  button->SetBounds(4, 1, 31, 31);
  button->SetFlat(true);
  TBitmap glyph(24, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) glyph.SetPixel(x, y, (x + y) % 5 ? clFuchsia : clBlue);
  button->SetGlyph(&glyph);
  button->SetParent(form.get());
  ws->ProcessMessages();
  const bool hover = state.range(0) != 0;
  if (hover) ws->MouseMove(form->Handle(), 10, 10);
  for (auto _ : state) {
    button->Repaint();
    ws->ClearCalls();
  }
  button->Perform(CM_MOUSELEAVE);
}
BENCHMARK(BM_ToolButtonRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
