// The editing control's paint pass on the Qt widget set, with the HTML
// highlighter: every glyph drawn by QPainter with a real font into an
// offscreen image of the view's size (120 x 50 cells at the font's cell
// size), as the window's paint does, without the flush to the screen:
// - a screen of the 1,000,000-line document, at its top and in its middle;
// - the first screen of a 10 MB line and the screen at its end;
// - a keystroke at the end of the 10 MB line (WM_CHAR, rescan, repaint).
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <string>

#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "common/BenchTexts.h"
#include "platform/Classes.h"
#include "platform/Messages.h"
#include "platform/Win32.h"
#include "platform/qt/QtWidgetset.h"

namespace {

constexpr int kCols = 120;
constexpr int kRows = 50;

QtWidgetset* gWidgetset = nullptr;

struct TQtBenchEditor {
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  std::unique_ptr<TSrcEdit> Edit;
  std::unique_ptr<TGdiBitmap> Image;
  std::unique_ptr<QtDC> DC;

  TQtBenchEditor() {
    Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetHighlighter(Html.get());
    Edit->HandleNeeded();
    Edit->SetBounds(0, 0, Edit->GutterWidth() + 2 + kCols * Edit->CharWidth(), kRows * Edit->LineHeight());
    gWidgetset->ProcessMessages();
    Image = std::make_unique<TGdiBitmap>(Edit->Width(), Edit->Height());
    DC = std::make_unique<QtDC>(TDeviceContext::TKind::Memory, Image.get());
  }
  ~TQtBenchEditor() {
    DC.reset();
    Image.reset();
    Edit.reset();
    Html.reset();
    gWidgetset->ProcessMessages();
  }
  void Load(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    Edit->Lines()->LoadFromStream(&stream);
    gWidgetset->ProcessMessages();
  }
  void Repaint() { Edit->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC.get()), 0); }
};

// range(0): 0 the top, 1 the middle of the document.
void BM_QtPaint_MillionLines(benchmark::State& state) {
  TQtBenchEditor b;
  b.Load(bench_texts::OldText());
  b.Edit->SetTopLine(state.range(0) != 0 ? 500000 : 1);
  b.Repaint();
  for (auto _ : state) b.Repaint();
  state.counters["chars_per_screen"] = kCols * kRows;
}
BENCHMARK(BM_QtPaint_MillionLines)->ArgName("middle")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// range(0): 0 the first screen of the 10 MB line, 1 the screen at its end.
void BM_QtPaint_TenMegabyteLine(benchmark::State& state) {
  TQtBenchEditor b;
  b.Load(bench_texts::LongHtmlLine(10 << 20));
  if (state.range(0) != 0) b.Edit->SetCaret(BufferCoord(b.Edit->Lines()->LineLength(0) + 1, 1));
  b.Repaint();
  for (auto _ : state) b.Repaint();
  state.counters["left_column"] = b.Edit->LeftChar();
}
BENCHMARK(BM_QtPaint_TenMegabyteLine)->ArgName("end")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_QtKeystroke_TenMegabyteLineEnd(benchmark::State& state) {
  TQtBenchEditor b;
  b.Load(bench_texts::LongHtmlLine(10 << 20));
  b.Edit->SetCaret(BufferCoord(b.Edit->Lines()->LineLength(0) + 1, 1));
  b.Repaint();
  for (auto _ : state) {
    b.Edit->Perform(WM_CHAR, 'x', 0);
    b.Repaint();
  }
}
BENCHMARK(BM_QtKeystroke_TenMegabyteLineEnd)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qargc = 1;
  char name[] = "qt_paint_bench";
  char* qargv[] = {name, nullptr};
  QApplication app(qargc, qargv);
  QtWidgetset widgetset;
  SetWidgetset(&widgetset);
  gWidgetset = &widgetset;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  SetWidgetset(nullptr);
  return 0;
}
