// Another document of 50 MB read whole and inserted byte for byte in place
// of a selection (what "Другой документ..." does once its dialog is
// answered), the size of a 40-megapixel JPEG from its header (the image
// wizard's "Открыть"; the target is 50 ms), and that picture's preview
// decoded scaled. The mean of each is printed beside its target at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "FileUrl.h"
#include "PicturePreview.h"
#include "SrcHighlighterHtml.h"
#include "SrcMemo.h"
#include "TestPictures.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::string TempFile(const char* name, const std::string& bytes) {
  const std::string path = std::string("/tmp/") + name;
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Total time and runs of each, for the mean printed at the end.
struct TFigure {
  double Ms = 0;
  int Runs = 0;
  void Add(double ms) {
    Ms += ms;
    ++Runs;
  }
  double Mean() const { return Runs ? Ms / Runs : 0; }
};
TFigure gInsert, gSize, gPreview;

double Ms(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

void BM_InsertAnotherDocument50MB(benchmark::State& state) {
  FakeWidgetset fake;
  SetWidgetset(&fake);
  // Lines ending in CR LF, LF and CR by turns, a NUL in every tenth.
  std::string text;
  text.reserve((50u << 20) + 64);
  for (int i = 0; text.size() < (50u << 20); ++i) {
    text += "<p class=\"x\">a line of the other document</p>";
    if (i % 10 == 0) text += '\0';
    text += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";
  }
  const std::string path = TempFile("bqs-bench-other.html", text);
  for (auto _ : state) {
    state.PauseTiming();
    auto html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    auto memo = std::make_unique<TSrcMemo>(nullptr);
    memo->SetHighlighter(html.get());
    memo->SetText("<html>\r\n<body>SEL</body>\r\n</html>");
    memo->SetSelectionStart(14);
    memo->SetSelectionLength(3);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    memo->ReplaceSelectionWhole(ReadWholeFile(path));
    benchmark::DoNotOptimize(memo->GetSelectionStart());
    gInsert.Add(Ms(start));
    state.PauseTiming();
    memo.reset();
    html.reset();
    state.ResumeTiming();
  }
  std::remove(path.c_str());
  SetWidgetset(nullptr);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_InsertAnotherDocument50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// 7300 x 5480 (40 megapixels), its frame header after an APP1 block of
// 60 KB as cameras write.
std::string CameraJpeg() {
  std::string jpeg = MakeJpeg(7300, 5480, TColor(0x3060C0));
  jpeg.insert(2, std::string("\xFF\xE1\xEA\x60", 4) + std::string(60000 - 2, 'e'));
  return jpeg;
}

void BM_SizeOf40MegapixelJpeg(benchmark::State& state) {
  const std::string path = TempFile("bqs-bench-40mp.jpg", CameraJpeg());
  TPictureHeader size;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ReadPictureFileSize(path, size));
    gSize.Add(Ms(start));
  }
  std::remove(path.c_str());
  if (size.Width != 7300 || size.Height != 5480) state.SkipWithError("wrong size");
}
BENCHMARK(BM_SizeOf40MegapixelJpeg)->Unit(benchmark::kMicrosecond);

void BM_PreviewOf40MegapixelJpeg(benchmark::State& state) {
  TFakeWidgetsetScope fake;
  const std::string path = TempFile("bqs-bench-40mp-preview.jpg", CameraJpeg());
  TImage image(nullptr);
  TPictureHeader size;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ShowPicturePreview(&image, path, nullptr, size));
    gPreview.Add(Ms(start));
  }
  std::remove(path.c_str());
  if (image.Picture()->Width() != kPreviewMaxSide) state.SkipWithError("no scaled preview");
}
BENCHMARK(BM_PreviewOf40MegapixelJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The mean of each, against what a user may wait.
  std::printf("another document of 50 MB (NULs, CR LF, LF, CR): %.0f ms (target under 1000 ms)\n", gInsert.Mean());
  std::printf("size of a 40-megapixel JPEG from its header: %.3f ms (target under 50 ms)\n", gSize.Mean());
  std::printf("preview of a 40-megapixel JPEG, decoded scaled: %.0f ms\n", gPreview.Mean());
  return 0;
}
