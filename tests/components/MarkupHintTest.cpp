// The markup hint component and its window on the application.
#include <gtest/gtest.h>

#include <cmath>

#include "MarkupHint.h"
#include "SrcMemo.h"
#include "platform/Monitors.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// The window the application's hint class made for the scroll hint: the
// application owns it; it is not the application's tooltip window.
THintWindow* FindScrollHint() {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* w = dynamic_cast<THintWindow*>(Application->Components(i)))
      if (w != Application->HintWindow()) return w;
  return nullptr;
}

class MarkupHintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(main);
    main->SetBounds(0, 0, 400, 300);
    edit = new TEdit(main);
    edit->SetParent(main);
    edit->SetShowHint(true);
    main->Show();
  }
  void TearDown() override {
    SetMonitorBackend(nullptr);
    DoneApplication();
  }
  // The hint component configured as both programs place it.
  TMarkupHint* Place() { return CreateProgramMarkupHint(main); }
  TMarkupHintWindow* Hover(const std::string& hint, TPoint at = TPoint(10, 10)) {
    edit->SetHint(hint);
    ws->MouseMove(edit->Handle(), 3, 4);
    Application->ActivateHint(at);
    return dynamic_cast<TMarkupHintWindow*>(Application->HintWindow());
  }
  TFakeWidgetsetScope ws;
  TForm* main = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(MarkupHintTest, ConstructionChecksItsOwnerAndInstallsTheWindowClass) {
  TComponent plain(nullptr);
  try {
    new TMarkupHint(&plain);
    ADD_FAILURE();
  } catch (const EMarkupHintError& e) {
    EXPECT_STREQ(e.what(), "Control parent must be a form!");
  }
  EXPECT_FALSE(Application->HintWindowClass());
  TMarkupHint* h = Place();
  try {
    new TMarkupHint(main);
    ADD_FAILURE();
  } catch (const EMarkupHintError& e) {
    EXPECT_STREQ(e.what(), "Only one instance of TMarkupHint allowed on form");
  }
  EXPECT_TRUE(Application->HintWindowClass());
  // The values on construction.
  TMarkupHint* fresh = nullptr;
  {
    TForm other(nullptr);
    fresh = new TMarkupHint(&other);
    EXPECT_FALSE(fresh->Ellipsis());
    EXPECT_EQ(fresh->HintColor(), clInfoBk);
    EXPECT_EQ(fresh->HintColorTo(), clNone);
    EXPECT_EQ(fresh->HintFont()->Name(), "Tahoma");
    EXPECT_EQ(fresh->HintFont()->Color(), clInfoText);
    EXPECT_EQ(fresh->HintStyle(), hsRectangle);
    EXPECT_EQ(fresh->ShadowColor(), clGray);
    EXPECT_EQ(fresh->ShadowOffset(), 1);
    EXPECT_EQ(fresh->URLColor(), clBlue);
    fresh->SetVersion("2.0");
    EXPECT_EQ(fresh->Version(), "1.3.5.0");
    TImageList* list = new TImageList(&other);
    fresh->SetImages(list);
    delete list;
    EXPECT_EQ(fresh->Images(), nullptr);
  }
  delete h;
  // The class stays installed.
  EXPECT_TRUE(Application->HintWindowClass());
  EXPECT_NE(Hover("x"), nullptr);
}

TEST_F(MarkupHintTest, HoverShowsTheMarkupWindowSizedToTheText) {
  TMarkupHint* h = Place();
  std::string seen;
  h->OnShowHint = [&](std::string& s, bool&, THintInfo& info) {
    seen = s;
    EXPECT_EQ(info.HintColor, clWhite);
  };
  TMarkupHintWindow* w = Hover("Two<BR>lines");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(seen, "Two<BR>lines");
  EXPECT_TRUE(w->IsShowing());
  EXPECT_EQ(w->HintComponent(), h);
  // No window border: the frame is painted; topmost, never activated.
  EXPECT_EQ(w->Handle()->Style() & WS_BORDER, 0u);
  EXPECT_NE(w->Handle()->ExStyle() & WS_EX_TOPMOST, 0u);
  EXPECT_NE(w->Handle()->ExStyle() & WS_EX_NOACTIVATE, 0u);
  // "lines": 5 x 8 + 2 wide; two lines of 16 + 2; the window adds 16 and 4.
  EXPECT_EQ(w->Width(), 42 + 16);
  EXPECT_EQ(w->Height(), 34 + 4);
  EXPECT_EQ(w->Left(), 10);
  EXPECT_EQ(w->Top(), 30);  // the hint position: 20 below the cursor
  // An empty text: 16 + 2 x XMargin by TextHeight("gh") + 2 + 2 x YMargin + 4.
  h->SetXMargin(3);
  h->SetYMargin(2);
  std::string empty;
  bool canShow = true;
  THintInfo info = h->HintInfo();
  h->AppShowHint(empty, canShow, info);
  w->ActivateHint(TRect(0, 0, 10, 10), empty);
  EXPECT_EQ(w->Width(), 16 + 6);
  EXPECT_EQ(w->Height(), 16 + 2 + 4 + 4);
}

TEST_F(MarkupHintTest, TheWindowStaysOnItsMonitor) {
  TFixedMonitors monitors;
  monitors.Rects = {TRect(0, 0, 1280, 1024), TRect(1280, 0, 1280 + 800, 600)};
  SetMonitorBackend(&monitors);
  Place();
  // Past the right edge of the second monitor: its right edge 2 inside.
  TMarkupHintWindow* w = Hover("a hint of some width", TPoint(2040, 100));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Left() + w->Width(), 2080 - 2);
  // Past the bottom: the bottom 2 above the monitor's.
  w = Hover("x", TPoint(1300, 590));
  EXPECT_EQ(w->Top() + w->Height(), 600 - 2);
  // Wider than the monitor: it starts at the monitor's left edge.
  std::string wide(200, 'w');
  w = Hover(wide, TPoint(1400, 100));
  EXPECT_EQ(w->Left(), 1280);
}

TEST_F(MarkupHintTest, PaintDrawsTheGradientFrameAndText) {
  TMarkupHint* h = Place();
  TMarkupHintWindow* w = Hover("Hint");
  ASSERT_NE(w, nullptr);
  HWND wnd = w->Handle();
  ws->ClearCalls();
  w->Repaint();
  int height = w->Height(), width = w->Width();
  // 48 bands from white (top) towards $E4E4E4 (the last band, past the
  // bottom of a window this low); the frame over them.
  int previous = 256;
  for (int y = 1; y < height - 1; ++y) {
    int grey = int(ws->PixelAt(wnd, width / 2, y) & 0xFF);
    EXPECT_EQ(ws->PixelAt(wnd, width / 2, y), TColor(grey * 0x010101)) << y;
    EXPECT_LE(grey, previous) << y;
    previous = grey;
  }
  EXPECT_GE(ws->PixelAt(wnd, width / 2, 1) & 0xFF, 0xFCu);
  EXPECT_LE(ws->PixelAt(wnd, width / 2, height - 2) & 0xFF, 0xE7u);
  EXPECT_EQ(ws->PixelAt(wnd, 0, height / 2), ColorToRGB(cl3DLight));
  EXPECT_EQ(ws->PixelAt(wnd, width - 1, height / 2), ColorToRGB(cl3DDkShadow));
  auto runs = ws->CallsOf(TFakeDrawCall::ExtTextOut, wnd);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]->Text, "Hint");
  EXPECT_STREQ(runs[0]->Font.lfFaceName, "Trebuchet MS");
  EXPECT_EQ(runs[0]->Font.lfCharSet, RUSSIAN_CHARSET);
  // The component dies while the hint shows: the window forgets it and
  // paints its background only.
  delete h;
  EXPECT_EQ(w->HintComponent(), nullptr);
  ws->ClearCalls();
  w->Repaint();
  EXPECT_TRUE(ws->CallsOf(TFakeDrawCall::ExtTextOut, wnd).empty());
}

TEST_F(MarkupHintTest, TheEditorsScrollHintKeepsItsPlaceAndColour) {
  Place();
  auto* memo = new TSrcMemo(main);
  memo->SetParent(main);
  memo->SetBounds(0, 0, 300, 160);
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x\r\n";
  memo->SetText(text);
  memo->SetScrollHintColor(clYellow);
  ws->ProcessMessages();
  memo->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 1));
  auto* w = dynamic_cast<TMarkupHintWindow*>(FindScrollHint());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->IsShowing());
  EXPECT_EQ(w->Caption(), "Top Line: 1");
  EXPECT_EQ(w->Color(), clYellow);
  TRect need = w->CalcHintRect(200, w->Caption());
  TRect r = w->BoundsRect();
  EXPECT_EQ(r.Top, memo->ClientToScreen(TPoint(0, 10)).Y);
  EXPECT_EQ(r.Right, memo->ClientToScreen(TPoint(memo->ClientWidth() - 4, 0)).X);
  EXPECT_EQ(r.Width(), need.Width());
  w->Repaint();
  EXPECT_EQ(ws->PixelAt(w->Handle(), 3, r.Height() / 2), ColorToRGB(clYellow));
  // An application tooltip after it is laid out as a tooltip again.
  TMarkupHintWindow* tip = Hover("Hint");
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->Color(), clWhite);
  EXPECT_EQ(tip->Top(), 30);
  memo->Perform(WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0));
}

TEST_F(MarkupHintTest, RoundedHintsGetARoundedRegionAndOutline) {
  TMarkupHint* h = Place();
  h->SetHintStyle(hsRounded);
  TMarkupHintWindow* w = Hover("Rounded hint");
  ASSERT_NE(w, nullptr);
  HWND wnd = w->Handle();
  ASSERT_TRUE(wnd->HasWindowRegion());
  const std::vector<TRect>& region = wnd->WindowRegion();
  EXPECT_FALSE(RegionOps::Contains(region, TPoint(0, 0)));  // a 16 x 16 corner
  EXPECT_TRUE(RegionOps::Contains(region, TPoint(8, 0)));
  EXPECT_TRUE(RegionOps::Contains(region, TPoint(w->Width() / 2, w->Height() / 2)));
  EXPECT_EQ(RegionOps::Bounds(region), TRect(0, 0, w->Width(), w->Height()));
  ws->ClearCalls();
  w->Repaint();
  auto rounds = ws->CallsOf(TFakeDrawCall::RoundRect, wnd);
  ASSERT_EQ(rounds.size(), 1u);
  EXPECT_EQ(rounds[0]->PenColor, 0x808080u);
  // Back to a rectangle: the whole window again.
  h->SetHintStyle(hsRectangle);
  Hover("Rectangle");
  EXPECT_FALSE(wnd->HasWindowRegion());
}

TEST(HintGradientTest, BandsAndDegenerateSteps) {
  TFakeWidgetsetScope ws;
  TBitmap b(4, 48);
  FillHintGradient(b.Canvas(), clBlack, TColor(0x0000FF), false, TRect(0, 0, 4, 48), 48);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(0, 47), 0x0000FFu);  // the last band is the end colour
  EXPECT_EQ(b.Pixel(0, 24), TColor(std::lround(24 * 255.0 / 47)));
  for (int steps : {0, 1}) {
    FillHintGradient(b.Canvas(), clRed, clBlue, false, TRect(0, 0, 4, 48), steps);
    EXPECT_EQ(b.Pixel(2, 47), ColorToRGB(clRed)) << steps;
  }
  FillHintGradient(b.Canvas(), clLime, clBlue, false, TRect(0, 0, 0, 48), 48);  // empty: nothing
  EXPECT_EQ(b.Pixel(2, 47), ColorToRGB(clRed));
  TBitmap f(10, 6);
  DrawHintFrame(f.Canvas(), TRect(0, 0, 10, 6), clWhite, clBlack);
  EXPECT_EQ(f.Pixel(0, 0), ColorToRGB(clWhite));
  EXPECT_EQ(f.Pixel(9, 5), 0u);
  EXPECT_EQ(f.Pixel(5, 5), 0u);
}

}  // namespace
