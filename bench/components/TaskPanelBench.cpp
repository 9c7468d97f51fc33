// Figures of the task panel on the fake widget set (real pixel fills and
// blits; the fake's call records are cleared every round):
// - one paint of the side panel, 175 x 600 at the right of an 895 x 633
//   window, with the window's background painted under it;
// - one hover over a tool bar button: the mouse enters a 23 x 22 button on
//   the 33-pixel tool strip, which repaints it with the strip under it.
#include <benchmark/benchmark.h>

#include "TaskPanels.h"
#include "platform/Controls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// Stands for a tool bar button: lights up while the mouse is over it.
class THoverBox : public TGraphicControl {
 public:
  explicit THoverBox(TComponent* owner) : TGraphicControl(owner) {}
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) {
      FOver = m.Msg == CM_MOUSEENTER;
      Invalidate();
    }
    TGraphicControl::Dispatch(m);
  }

 protected:
  void Paint() override {
    if (!FOver) return;
    Canvas()->Brush()->SetColor(RGB(182, 189, 210));
    Canvas()->FillRect(ClientRect());
  }

 private:
  bool FOver = false;
};

struct TWindow {
  TWindow() {
    form = new TWinControl(nullptr);
    form->SetBounds(0, 0, 895, 633);  // the side panel 175 x 600 under the 33-pixel strip
    form->SetColor(clBtnFace);
    form->HandleNeeded();
    toolBar = Strip(alTop, 33);
    side = Strip(alRight, 175);
    for (int i = 0; i < 19; ++i) {
      auto* b = new THoverBox(form);
      b->SetBounds(4 + 32 * i, 5, 23, 22);
      b->SetParent(toolBar);
    }
    ws->ProcessMessages();
    ws->ClearCalls();
  }
  ~TWindow() { delete form; }
  TTaskPanel* Strip(TAlign align, int size) {
    auto* p = new TTaskPanel(form);
    p->SetStyle(xpOffice);
    p->SetColor(15395562);
    p->SetAlign(align);
    if (align == alTop)
      p->SetHeight(size);
    else
      p->SetWidth(size);
    p->SetParent(form);
    return p;
  }
  TFakeWidgetsetScope ws;
  TWinControl* form = nullptr;
  TTaskPanel* toolBar = nullptr;
  TTaskPanel* side = nullptr;
};

void BM_SidePanelPaint(benchmark::State& state) {
  TWindow w;
  for (auto _ : state) {
    w.side->Invalidate();
    w.ws->ProcessMessages();
    w.ws->ClearCalls();
  }
  state.counters["width"] = w.side->Width();
  state.counters["height"] = w.side->Height();
}
BENCHMARK(BM_SidePanelPaint)->Unit(benchmark::kMicrosecond);

void BM_ToolButtonHover(benchmark::State& state) {
  TWindow w;
  HWND strip = w.toolBar->Handle();
  bool left = false;
  for (auto _ : state) {
    // Enter one button, then the next (each move repaints two buttons).
    w.ws->MouseMove(strip, left ? 10 : 42, 15);
    w.ws->ProcessMessages();
    w.ws->ClearCalls();
    left = !left;
  }
}
BENCHMARK(BM_ToolButtonHover)->Unit(benchmark::kMicrosecond);

}  // namespace
