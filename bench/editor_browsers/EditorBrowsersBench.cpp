// The file browsers on the Qt widget set, each figure a user's click to
// the window painted again:
// - a 10 MB text file (100,000 lines of Russian and markup) clicked in the
//   text browser's file list: read, put in the viewer, shown (goal: 1 s);
// - a folder of 10,000 files listed in the file list (goal: 200 ms);
// - a 4000 x 3000 JPEG clicked in the picture browser: read, decoded,
//   shown (goal: 300 ms).
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Unit19.h"
#include "Unit20.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtApplication.h"

namespace {

std::string gDir;  // OS path of the scratch folder

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(bytes.data(), std::streamsize(bytes.size()));
}

void Prepare() {
  char tmpl[] = "/tmp/bqs-browsers-bench-XXXXXX";
  gDir = ::mkdtemp(tmpl);
  std::filesystem::create_directories(gDir + "/text");
  std::filesystem::create_directories(gDir + "/many");
  std::filesystem::create_directories(gDir + "/pics");
  std::string text;
  const std::string line =
      Ansi("<p>Строка текста для просмотра в навигаторе, с разметкой и числами 0123456789</p>\r\n");
  while (text.size() < 10 * 1024 * 1024) text += line;
  WriteFile(gDir + "/text/big.txt", text);
  for (int i = 0; i < 10000; ++i) WriteFile(gDir + "/many/file" + std::to_string(i) + ".txt", "x");
  QImage picture(4000, 3000, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 4000, 3000);
  gradient.setColorAt(0, Qt::blue);
  gradient.setColorAt(1, Qt::yellow);
  painter.fillRect(picture.rect(), gradient);
  painter.end();
  picture.save(QString::fromStdString(gDir + "/pics/photo.jpg"), "JPEG", 90);
}

void Pump() { QApplication::processEvents(); }

// The user clicks the item in the list.
void Click(TFileListBox* files, const std::string& name) {
  files->Perform(BQM_ITEMINDEX, WPARAM(files->Items()->IndexOf(name)), 0);
  files->Perform(CN_COMMAND, MakeWParam(0, LBN_SELCHANGE), 0);
}

void BM_TextFileShown10MB(benchmark::State& state) {
  Form19->Show();
  Form19->DirectoryListBox1->SetDirectory(AnsiFileName(gDir + "/text"));
  Pump();
  for (auto _ : state) {
    Form19->Memo1->SetText("");
    Pump();
    Click(Form19->FileListBox1, "big.txt");
    Form19->Repaint();
    Pump();
  }
  state.counters["bytes"] = double(Form19->Memo1->Text().size());
}
BENCHMARK(BM_TextFileShown10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TenThousandFilesListed(benchmark::State& state) {
  Form19->Show();
  Form19->FileListBox1->SetMask("*.txt");
  for (auto _ : state) {
    Form19->FileListBox1->SetDirectory(AnsiFileName(gDir + "/text"));
    Pump();
    Form19->FileListBox1->SetDirectory(AnsiFileName(gDir + "/many"));
    Form19->Repaint();
    Pump();
  }
  state.counters["files"] = Form19->FileListBox1->Items()->Count();
}
BENCHMARK(BM_TenThousandFilesListed)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_JpegShown4000x3000(benchmark::State& state) {
  Form20->Show();
  Form20->DirectoryListBox1->SetDirectory(AnsiFileName(gDir + "/pics"));
  Pump();
  for (auto _ : state) {
    Form20->Image1->Picture()->SetGraphic(nullptr);
    Pump();
    Click(Form20->FileListBox1, "photo.jpg");
    Form20->Repaint();
    Pump();
  }
  state.counters["width"] = Form20->Image1->Picture()->Width();
}
BENCHMARK(BM_JpegShown4000x3000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);
  int qargc = 1;
  TQtPlatform platform(qargc, argv);
  Prepare();
  InitApplication();
  Application->Initialize();
  Application->CreateForm(Form19);
  Application->CreateForm(Form20);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  DoneApplication();
  std::filesystem::remove_all(gDir);
  return 0;
}
