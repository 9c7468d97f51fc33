// The editing control as the editor has it (HTML highlighter, a 120 x 50
// cell view without border or scroll bars) on the fake widget set, painting
// into a raster device context of the view's size: real pixel fills, text
// leaves no ink (the Qt paint figures are in qt_paint_bench), and without
// the fake's recording of every call.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "SrcEdit.h"
#include "SrcEditTextBuffer.h"
#include "SrcHighlighterHtml.h"
#include "common/BenchTexts.h"
#include "platform/Classes.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/testing/FakeWidgetset.h"

namespace bench_editor {

constexpr int kCols = 120;
constexpr int kRows = 50;

struct TBenchEditor {
  FakeWidgetset Fake;
  std::unique_ptr<TSrcEdit> Edit;
  std::unique_ptr<TSrcHTMLHighlighter> Html;
  HWND Wnd = nullptr;
  std::unique_ptr<TGdiBitmap> Surface;
  std::unique_ptr<TRasterDC> DC;

  TBenchEditor() {
    SetWidgetset(&Fake);
    Html = std::make_unique<TSrcHTMLHighlighter>(nullptr);
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBorderStyle(bsNone);
    Edit->SetScrollBars(TSrcScrollStyle::ssNone);
    Edit->SetHighlighter(Html.get());
    Edit->SetBounds(0, 0, 30 + 2 + kCols * 8, kRows * 16);
    Wnd = Edit->Handle();
    ::ShowWindow(Wnd, SW_SHOW);
    Edit->SetVisible(true);
    Fake.ProcessMessages();
    Surface = std::make_unique<TGdiBitmap>(30 + 2 + kCols * 8, kRows * 16);
    DC = std::make_unique<TRasterDC>(TDeviceContext::TKind::Memory, Surface.get());
  }
  ~TBenchEditor() {
    DC.reset();
    Surface.reset();
    Edit.reset();
    Html.reset();
    SetWidgetset(nullptr);
  }
  // As a file load: the lines split and scanned, the view at the top.
  void Load(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    Edit->Lines()->LoadFromStream(&stream);
    Fake.ProcessMessages();
  }
  // As the program opens a file: read from the file, split and scanned.
  void LoadFile(const std::string& fileName) {
    Edit->Lines()->LoadFromFile(fileName);
    Fake.ProcessMessages();
  }
  // One whole paint pass into the raster DC.
  void Repaint() { Edit->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC.get()), 0); }
  // A typed character through the key message path.
  void Type(char c) { Edit->Perform(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0); }
};

// Seconds taken by `work`, for benchmarks on manual time (no paused timer).
template <class F>
double Seconds(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

using bench_texts::LongHtmlLine;

}  // namespace bench_editor
