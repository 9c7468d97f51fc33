// Figures of the markup hint window's work, on the fake widget set:
// - measuring and painting (background, frame, text) the progress-strip
//   hint and each of the help viewer's hints, as the hint window does;
// - measuring and painting one run of plain text of 5 KB, 20 KB and 1 MB;
// - measuring 64 KB and 256 KB of markup (80-character lines, BR, a tag
//   and an entity every 32 characters);
// - counting the frames of a 5 MB GIF and showing frame 500 (the decoder
//   itself replaced by one that does nothing).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "MarkupHint.h"
#include "MarkupHints.h"
#include "TestPictures.h"
#include "platform/CodePage.h"
#include "platform/PictureDecoder.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::vector<std::string> Hints() {
  return {
      Ansi("Документ: ") + EscapeHintText("/home/user/Документы/site & co/index.htm") +
          Ansi(";\rАктивных строк всего: 1234;\rАктивных знаков перед курсором: 5678\rКоординаты: 12; 34"),
      Ansi("Навигация по Справке\r\nНазад"),
      Ansi("Навигация по Справке\r\nВперед"),
      Ansi("Навигация по Справке\r\nОстановить открытие документа"),
      Ansi("Сохранить текущий документ"),
      Ansi("Печать текущего документа"),
      Ansi("Главная страница\r\nПоказать главную страницу Справки"),
      Ansi("Свойства текущего документа"),
  };
}

// Measure, then paint into a window-sized bitmap as TMarkupHintWindow does.
void MeasureAndPaint(TCanvas* c, const std::string& hint) {
  TMarkupRequest q;
  q.Canvas = c;
  q.Text = hint;
  q.Rect = TRect(0, 0, 1264, 100);
  q.MeasureOnly = true;
  TMarkupResult m;
  RenderMarkup(q, m);
  TRect r(0, 0, m.XSize + 16, m.YSize + 4);
  FillHintGradient(c, clWhite, 15000804, false, r, 48);
  DrawHintFrame(c, r, cl3DLight, cl3DDkShadow);
  q.MeasureOnly = false;
  q.Rect = TRect(4, 0, r.Right - 4, r.Bottom + 8);
  q.ShadowOffset = 5;
  q.ShadowColor = clWindow;
  TMarkupResult p;
  RenderMarkup(q, p);
  benchmark::DoNotOptimize(p.YSize);
}

// Measures and paints the hint on a 600 x 120 bitmap in the hints' font,
// once per iteration.
void TimeMeasureAndPaint(benchmark::State& state, const std::string& hint) {
  TFakeWidgetsetScope ws;
  TBitmap bmp(600, 120);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName("Trebuchet MS");
  c->Font()->SetHeight(-11);
  for (auto _ : state) {
    ws->ClearCalls();
    MeasureAndPaint(c, hint);
  }
}

void BM_HintMeasureAndPaint(benchmark::State& state) { TimeMeasureAndPaint(state, Hints()[size_t(state.range(0))]); }
BENCHMARK(BM_HintMeasureAndPaint)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// One run of plain text far wider than the screen, as a hint of a long
// line without markup: the hint window cuts it with an ellipsis.
void BM_HintLongRun(benchmark::State& state) {
  std::string hint;
  while (hint.size() < size_t(state.range(0)) * 1024) hint += "plain words of a long hint ";
  TimeMeasureAndPaint(state, hint);
  state.SetLabel(std::to_string(hint.size()) + " bytes");
}
BENCHMARK(BM_HintLongRun)->Arg(5)->Arg(20)->Arg(1024)->Unit(benchmark::kMillisecond);

std::string LargeMarkup(size_t bytes) {
  static const char* const tags[] = {"<B>", "</B>", "<I>", "</I>", "<FONT COLOR=\"#FF0000\">", "</FONT>"};
  static const char* const entities[] = {"&amp;", "&lt;", "&copy;", "&nbsp;"};
  std::string s;
  int n = 0;
  while (s.size() < bytes) {
    std::string line;
    while (line.size() < 80) {
      line += "words and more ";
      line += tags[n % 6];
      line += entities[n % 4];
      ++n;
    }
    s += line + "<BR>";
  }
  return s;
}

void BM_MeasureLargeMarkup(benchmark::State& state) {
  TFakeWidgetsetScope ws;
  std::string text = LargeMarkup(size_t(state.range(0)) * 1024);
  TBitmap bmp(10, 10);
  for (auto _ : state) {
    TMarkupRequest q;
    q.Canvas = bmp.Canvas();
    q.Text = text;
    q.Rect = TRect(0, 0, 1264, 100);
    q.MeasureOnly = true;
    TMarkupResult m;
    RenderMarkup(q, m);
    benchmark::DoNotOptimize(m.YSize);
  }
  state.SetLabel(std::to_string(text.size()) + " bytes");
}
BENCHMARK(BM_MeasureLargeMarkup)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

class TNullDecoder : public IPictureBackend {
 public:
  bool Decode(const std::string&, TPictureFormat, TBitmap& out) override {
    out.SetSize(1, 1);
    return true;
  }
};

void BM_GifCountAndFrame500(benchmark::State& state) {
  TFakeWidgetsetScope ws;
  TNullDecoder null;
  SetPictureBackend(&null);
  std::vector<TGifFrameSpec> frames;
  std::string gif;
  for (int n = 1000;; n += 1000) {
    frames.assign(size_t(n), TGifFrameSpec{0, 0, 40, 40, 1});
    gif = MakeGif(40, 40, frames);
    if (gif.size() >= 5u << 20) break;
  }
  for (auto _ : state) {
    THintPicture p;
    TStringStream s(gif);
    p.LoadFromStream(&s);
    benchmark::DoNotOptimize(p.CountFrames());
    p.SetFrame(500);
    benchmark::DoNotOptimize(p.FrameX());
  }
  state.SetLabel(std::to_string(gif.size()) + " bytes, " + std::to_string(frames.size()) + " frames");
  SetPictureBackend(nullptr);
}
BENCHMARK(BM_GifCountAndFrame500)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
