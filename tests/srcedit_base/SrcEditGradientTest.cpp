#include <gtest/gtest.h>

#include "SrcEditMiscProcs.h"
#include "platform/Graphics.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(SrcEditGradient, FillsEachBandWithTheCanvasBrush) {
  TFakeWidgetsetScope ws;
  TBitmap bitmap;
  bitmap.SetSize(20, 10);
  TCanvas* canvas = bitmap.Canvas();
  ws->ClearCalls();
  FillGradient(canvas, clBlack, clWindow, 1, Rect(0, 0, 20, 10), false);  // one step: two bands
  auto fills = ws->CallsOf(TFakeDrawCall::FillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->Rect, Rect(0, 0, 20, 5));
  EXPECT_EQ(fills[1]->Rect, Rect(0, 5, 20, 10));
  EXPECT_EQ(fills[0]->Color, clBlack);
  EXPECT_EQ(fills[1]->Color, clWhite);  // the system colour resolved
  EXPECT_EQ(canvas->Brush()->Color(), clWhite);
  EXPECT_EQ(canvas->Pixels(3, 2), clBlack);
  EXPECT_EQ(canvas->Pixels(3, 7), clWhite);
}

}  // namespace
