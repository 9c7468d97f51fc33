// A 300 x 200 bitmap canvas on the fake widget set (every character 8 x 16)
// and the text the renderer drew on it.
#pragma once

#include <gtest/gtest.h>

#include "MarkupHints.h"
#include "platform/testing/FakeWidgetset.h"

class MarkupFixture : public ::testing::Test {
 protected:
  MarkupFixture() : bmp(300, 200) {
    canvas = bmp.Canvas();
    canvas->Font()->SetName("Tahoma");
    canvas->Font()->SetHeight(-11);
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clWhite);
  }
  TMarkupResult Measure(const std::string& text, bool wrap = false, int width = 300) {
    TMarkupRequest q;
    q.Canvas = canvas;
    q.Text = text;
    q.Rect = TRect(0, 0, width, 200);
    q.MeasureOnly = true;
    q.WordWrap = wrap;
    TMarkupResult r;
    RenderMarkup(q, r);
    return r;
  }
  TMarkupResult Paint(const std::string& text, bool wrap = false, TRect rect = TRect(0, 0, 300, 200)) {
    TMarkupRequest q;
    q.Canvas = canvas;
    q.Text = text;
    q.Rect = rect;
    q.WordWrap = wrap;
    return Paint(q);
  }
  TMarkupResult Paint(TMarkupRequest q) {
    q.Canvas = canvas;
    ws->ClearCalls();
    TMarkupResult r;
    RenderMarkup(q, r);
    return r;
  }
  // The text runs drawn, in order.
  std::vector<const TFakeDrawCall*> Runs() { return ws->CallsOf(TFakeDrawCall::ExtTextOut); }
  std::string Drawn(const char* separator = "|") {
    std::string s;
    for (const TFakeDrawCall* c : Runs()) s += (s.empty() ? "" : separator) + c->Text;
    return s;
  }
  TFakeWidgetsetScope ws;
  TBitmap bmp;
  TCanvas* canvas = nullptr;
};
