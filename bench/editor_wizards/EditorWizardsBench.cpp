// Another document of 50 MB read whole and inserted in place of a selection
// (what "Другой документ..." does once its dialog is answered), and the
// size of a 40-megapixel JPEG from its header (the image wizard's "Открыть").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "PictureSize.h"
#include "SrcHighlighterHtml.h"
#include "SrcMemo.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::string TempFile(const char* name, const std::string& bytes) {
  const std::string path = std::string("/tmp/") + name;
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void BM_InsertAnotherDocument50MB(benchmark::State& state) {
  FakeWidgetset fake;
  SetWidgetset(&fake);
  std::string text;
  text.reserve(50u << 20);
  while (text.size() < (50u << 20)) text += "<p class=\"x\">a line of the other document</p>\r\n";
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
    TMemoryStream data;
    data.LoadFromFile(path);
    memo->ReplaceSelection(std::string(data.Memory(), static_cast<std::size_t>(data.Size())));
    benchmark::DoNotOptimize(memo->GetSelectionStart());
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

void BM_SizeOf40MegapixelJpeg(benchmark::State& state) {
  // 7300 x 5480 (40 megapixels): start, APP0, an 60 KB APP1 block as cameras
  // write, the frame header, then 25 MB of entropy-coded data.
  std::string jpeg = "\xFF\xD8\xFF\xE0";
  jpeg += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
  jpeg += std::string("\xFF\xE1\xEA\x60", 4) + std::string(60000 - 2, 'e');
  jpeg += std::string("\xFF\xC0\x00\x11\x08\x15\x68\x1C\x84\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 19);
  jpeg += std::string(25u << 20, '\x55') + "\xFF\xD9";
  const std::string path = TempFile("bqs-bench-40mp.jpg", jpeg);
  TPictureSize size;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadPictureSize(path, size));
  }
  std::remove(path.c_str());
  if (size.Width != 7300 || size.Height != 5480) state.SkipWithError("wrong size");
}
BENCHMARK(BM_SizeOf40MegapixelJpeg)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
