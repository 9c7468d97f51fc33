// The progress bar: frame and corners, blocks, the smooth fill, the
// Position and Max rules, orientation and the drawing of a change.
#include <gtest/gtest.h>

#include "XpProgress.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TWinControl(nullptr);
    form->SetBounds(0, 0, 700, 700);
    form->SetColor(RGB(10, 20, 30));
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  TXpProgressBar* NewBar(int w, int h, TProgressBarOrientation o = pbHorizontal) {
    auto* bar = new TXpProgressBar(form);
    if (o == pbVertical) bar->SetOrientation(o);
    bar->SetBounds(5, 5, w, h);
    bar->SetParent(form);
    ws->ProcessMessages();
    return bar;
  }
  COLORREF At(TXpProgressBar* bar, int x, int y) { return ws->PixelAt(bar->Handle(), x, y); }
  bool Filled(TXpProgressBar* bar, int x, int y) { return At(bar, x, y) != clWhite; }
  TFakeWidgetsetScope ws;
  TWinControl* form = nullptr;
};

TEST_F(ProgressTest, ConstructionDefaults) {
  TXpProgressBar bar(nullptr);
  EXPECT_EQ(bar.Width(), 149);
  EXPECT_EQ(bar.Height(), 16);
  EXPECT_EQ(bar.Orientation(), pbHorizontal);
  EXPECT_EQ(bar.BorderColor(), TColor(0x808080));
  EXPECT_EQ(bar.Color(), clWhite);
  EXPECT_FALSE(bar.ParentColor());
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Step(), 10);
  EXPECT_EQ(bar.Texture()->Width(), 20);
  EXPECT_EQ(bar.Texture()->Height(), 52);
}

TEST_F(ProgressTest, FrameHighlightAndRoundedCorners) {
  TXpProgressBar* bar = NewBar(40, 16);
  const COLORREF border = 0x808080, light = RGB(217, 217, 217), parent = RGB(10, 20, 30);
  const int r = 39, b = 15;
  for (TPoint p : {TPoint(0, 0), TPoint(r, 0), TPoint(0, b), TPoint(r, b)}) EXPECT_EQ(At(bar, p.X, p.Y), parent);
  for (TPoint p : {TPoint(1, 1), TPoint(r - 1, 1), TPoint(1, b - 1), TPoint(r - 1, b - 1)})
    EXPECT_EQ(At(bar, p.X, p.Y), border);
  for (TPoint p : {TPoint(1, 0), TPoint(r - 1, 0), TPoint(1, b), TPoint(r - 1, b), TPoint(0, 1), TPoint(r, 1),
                   TPoint(0, b - 1), TPoint(r, b - 1)})
    EXPECT_EQ(At(bar, p.X, p.Y), light);
  EXPECT_EQ(At(bar, 20, 0), border);
  EXPECT_EQ(At(bar, 20, b), border);
  EXPECT_EQ(At(bar, 0, 8), border);
  EXPECT_EQ(At(bar, r, 8), border);
  EXPECT_EQ(At(bar, 20, 1), light);  // inner highlight, top and left
  EXPECT_EQ(At(bar, 1, 8), light);
  EXPECT_EQ(At(bar, 20, 8), clWhite);
}

TEST_F(ProgressTest, VerticalBlocksOfTheMainWindowBar) {
  TXpProgressBar* bar = NewBar(16, 568, pbVertical);
  bar->SetMax(5000);
  bar->SetPosition(2500);
  ws->ProcessMessages();
  EXPECT_EQ(bar->BlockCount(), 62);
  EXPECT_EQ(bar->FilledBlocks(), 31);
  // The lowest block: x 3..13, y 558..564; a two-pixel gap above it.
  for (int y = 558; y <= 564; ++y) EXPECT_TRUE(Filled(bar, 3, y) && Filled(bar, 13, y)) << y;
  EXPECT_FALSE(Filled(bar, 2, 560));
  EXPECT_FALSE(Filled(bar, 14, 560));
  EXPECT_FALSE(Filled(bar, 8, 565));
  EXPECT_FALSE(Filled(bar, 8, 557));
  EXPECT_FALSE(Filled(bar, 8, 556));
  EXPECT_TRUE(Filled(bar, 8, 555));
  int top30 = 558 - 30 * 9;  // the 31st block
  EXPECT_TRUE(Filled(bar, 8, top30));
  EXPECT_FALSE(Filled(bar, 8, top30 - 3));
}

TEST_F(ProgressTest, HorizontalBlocksCountAnExactMultipleFully) {
  TXpProgressBar* bar = NewBar(95, 16);  // (95 - 3) div 9 = 10 blocks
  bar->SetPosition(30);
  ws->ProcessMessages();
  EXPECT_EQ(bar->FilledBlocks(), 3);
  // Blocks at x 4..10, 13..19, 22..28; y 2..13.
  for (int x : {4, 10, 13, 19, 22, 28}) EXPECT_TRUE(Filled(bar, x, 2) && Filled(bar, x, 13)) << x;
  for (int x : {3, 11, 12, 29, 31}) EXPECT_FALSE(Filled(bar, x, 8)) << x;
  EXPECT_FALSE(Filled(bar, 8, 14));
}

TEST_F(ProgressTest, SmoothFillCountsFromMinInTheBarsDirection) {
  TXpProgressBar* bar = NewBar(104, 16);
  bar->SetSmooth(true);
  bar->SetMin(50);
  bar->SetMax(150);
  bar->SetPosition(100);
  ws->ProcessMessages();
  // (104 - 4) * 50 / 100 = 50 columns from x 2.
  EXPECT_TRUE(Filled(bar, 2, 2) && Filled(bar, 51, 13));
  EXPECT_FALSE(Filled(bar, 52, 8));
  // A horizontal bar whose Position is at or below 0 still fills across.
  bar->SetMin(-100);
  bar->SetMax(100);
  bar->SetPosition(0);
  ws->ProcessMessages();
  EXPECT_TRUE(Filled(bar, 51, 8));
  EXPECT_FALSE(Filled(bar, 52, 8));
  TXpProgressBar* up = NewBar(16, 104, pbVertical);
  up->SetSmooth(true);
  up->SetPosition(50);
  ws->ProcessMessages();
  // Grows from the bottom: rows 52..101.
  EXPECT_TRUE(Filled(up, 8, 52) && Filled(up, 8, 101));
  EXPECT_FALSE(Filled(up, 8, 51));
}

TEST_F(ProgressTest, EmptyRangesAndTinyBarsDrawTheFrameOnly) {
  for (bool smooth : {false, true}) {
    TXpProgressBar* bar = NewBar(60, 16);
    bar->SetSmooth(smooth);
    bar->SetMax(0);  // Max = Min
    bar->SetPosition(5);
    ws->ProcessMessages();
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_FALSE(Filled(bar, 10, 8));
    bar->SetMin(10);  // Min above Max: Position stays defined
    bar->SetPosition(3);
    EXPECT_EQ(bar->Position(), 10);
    ws->ProcessMessages();
    EXPECT_FALSE(Filled(bar, 10, 8));
  }
  for (auto [w, h] : {std::pair(11, 16), std::pair(3, 3), std::pair(1, 1), std::pair(0, 0)}) {
    TXpProgressBar* bar = NewBar(w, h);
    bar->SetPosition(100);
    EXPECT_NO_THROW(ws->ProcessMessages());
    EXPECT_EQ(bar->FilledBlocks(), 0);
  }
}

TEST_F(ProgressTest, PositionAndMaxRules) {
  TXpProgressBar* bar = NewBar(149, 16);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetPosition(80);
  bar->SetMax(60);
  EXPECT_EQ(bar->Position(), 60);
  bar->SetMax(90);
  EXPECT_EQ(bar->Position(), 60);
}

// Counts full repaints.
class TCountingBar : public TXpProgressBar {
 public:
  using TXpProgressBar::TXpProgressBar;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TXpProgressBar::Paint();
  }
};

TEST_F(ProgressTest, GrowingDrawsAtOnceAndShrinkingRepaints) {
  auto* bar = new TCountingBar(form);
  bar->SetBounds(5, 5, 95, 16);
  bar->SetParent(form);
  ws->ProcessMessages();
  int paints = bar->Paints;
  bar->SetPosition(50);
  EXPECT_TRUE(Filled(bar, 40, 8));  // drawn over the picture, no repaint
  ws->ProcessMessages();
  EXPECT_EQ(bar->Paints, paints);
  bar->SetPosition(10);
  EXPECT_EQ(bar->Paints, paints + 1);  // repainted at once
  EXPECT_FALSE(Filled(bar, 40, 8));
  EXPECT_TRUE(Filled(bar, 4, 8));
  bar->SetPosition(10);
  ws->ProcessMessages();
  EXPECT_EQ(bar->Paints, paints + 1);
}

TEST_F(ProgressTest, OrientationSwapsSizeAndTexture) {
  TXpProgressBar* bar = NewBar(149, 16);
  bar->SetOrientation(pbVertical);
  EXPECT_EQ(bar->BoundsRect(), TRect(5, 5, 21, 154));
  EXPECT_EQ(bar->Texture()->Width(), 52);
  EXPECT_EQ(bar->Texture()->Height(), 20);
  bar->SetOrientation(pbVertical);
  EXPECT_EQ(bar->Width(), 16);
}

}  // namespace
