// One tick of the caret panel's timer (Timer2) of the main window on the
// fake widget set, on 1,000, 100,000 and 1,000,000 lines with the caret on
// the last line: the cost does not grow with the document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/ScriptedUi.h"

namespace {

std::string Lines(int count) {
  std::string s;
  s.reserve(size_t(count) * 16);
  for (int i = 0; i < count; ++i) {
    s += "<p>line ";
    s += std::to_string(i);
    s += "</p>";
    if (i + 1 < count) s += "\r\n";
  }
  return s;
}

void BM_CaretPanelTick(benchmark::State& state) {
  FakeWidgetset fake;
  SetWidgetset(&fake);
  TScriptedUi ui;
  SetUiService(&ui);
  {
    auto form = std::make_unique<TZod2uAppForm>(nullptr);
    const int count = int(state.range(0));
    form->Memo1->SetText(Lines(count));
    form->Memo1->SetCaret(BufferCoord(5, count));
    for (auto _ : state) form->Timer2->OnTimer(form->Timer2);
    state.SetLabel(form->StatusBar1->Panels()->Items(1)->Text().substr(10));
  }
  SetUiService(nullptr);
  SetWidgetset(nullptr);
}
BENCHMARK(BM_CaretPanelTick)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
