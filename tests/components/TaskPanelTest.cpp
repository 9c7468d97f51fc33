// The task panel over the fake widget set: exact pixels of both styles,
// title clicks, folding with its sounds, the frame hit test, the size
// bookkeeping and bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "TaskPanelUtils.h"
#include "TaskPanels.h"
#include "platform/Forms.h"
#include "platform/Resources.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingSound.h"

namespace {

constexpr TColor kParent = RGB(200, 0, 0);
constexpr TColor kBody = RGB(10, 20, 30);
constexpr TColor kFrame = RGB(250, 250, 250);
constexpr TColor kBand = RGB(40, 80, 120);
constexpr TColor kFolded = RGB(90, 90, 90);
constexpr TColor kGlyphClear = RGB(255, 0, 255);

class TaskPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = new TWinControl(nullptr);
    parent->SetBounds(0, 0, 300, 400);
    parent->SetColor(kParent);
    parent->HandleNeeded();
  }
  void TearDown() override { delete parent; }

  TTaskPanel* NewPanel(int left, int top, int width, int height) {
    auto* p = new TTaskPanel(parent);
    p->SetBounds(left, top, width, height);
    p->SetColor(kBody);
    p->SetColorFrame(kFrame);
    p->Title()->SetColor(kBand);
    p->Title()->ColorIsMinimized = kFolded;
    p->SetParent(parent);
    return p;
  }
  // Title shown with both buttons visible and enabled.
  TTaskPanel* TitledPanel(TXPStyle style) {
    TTaskPanel* p = NewPanel(10, 10, 120, 60);
    p->SetStyle(style);
    p->Title()->SetVisible(true);
    for (TTaskButton* b : {p->Title()->ButtonSpin(), p->Title()->ButtonClose()}) {
      b->SetVisible(true);
      b->SetEnabled(true);
    }
    return p;
  }
  COLORREF Pixel(TTaskPanel* p, int x, int y) {
    ws->ProcessMessages();
    return ws->PixelAt(p->Handle(), x, y);
  }
  // The heights the panel's window was given, in order.
  std::vector<int> RecordHeights(TTaskPanel* p) {
    heights.clear();
    p->WindowProc = [this, p](TMessage& m) {
      if (m.Msg == WM_SIZE) heights.push_back(HiWord(uintptr_t(m.LParam)));
      p->WndProc(m);
    };
    return heights;
  }

  TFakeWidgetsetScope ws;
  TRecordingSoundScope sound;
  TWinControl* parent = nullptr;
  std::vector<int> heights;
};

TEST_F(TaskPanelTest, NewPanelHasTheDocumentedDefaults) {
  TTaskPanel p(nullptr);
  EXPECT_EQ(p.Color(), TColor(15395562));
  EXPECT_FALSE(p.ParentColor());
  EXPECT_EQ(p.ColorFrame(), clWindow);
  EXPECT_EQ(p.Style(), xpWindows);
  EXPECT_EQ(p.BoundsRect(), TRect(0, 0, 185, 41));
  EXPECT_EQ(p.ExpandedHeight(), 41);
  EXPECT_FALSE(p.Collapsed() || p.Busy() || p.Animated() || p.Sound() || p.Moveable() || p.Sizeable());
  EXPECT_EQ(p.Title()->Color(), TColor(13555414));
  EXPECT_EQ(p.Title()->ColorIsMinimized, TColor(15395562));
  EXPECT_EQ(p.Title()->Height(), 19);
  EXPECT_FALSE(p.Title()->Visible());
  for (TTaskButton* b : {p.Title()->ButtonSpin(), p.Title()->ButtonClose()}) {
    EXPECT_FALSE(b->Visible() || b->Enabled());
    EXPECT_EQ(b->Glyph()->Width(), 16);
    EXPECT_EQ(b->Glyph()->Height(), 15);
    EXPECT_TRUE(b->Glyph()->Transparent());
    EXPECT_EQ(b->Glyph()->TransparentColor(), kGlyphClear);
  }
  EXPECT_TRUE(p.ControlStyle().Contains(csAcceptsControls));
  EXPECT_TRUE(p.ControlStyle().Contains(csOpaque));
}

TEST_F(TaskPanelTest, TitleHiddenPaintsBodyAndFrameFromTheTopInBothStyles) {
  for (TXPStyle style : {xpWindows, xpOffice}) {
    TTaskPanel* p = NewPanel(10, 10, 100, 50);
    p->SetStyle(style);
    EXPECT_EQ(Pixel(p, 0, 0), kFrame) << int(style);
    EXPECT_EQ(Pixel(p, 99, 49), kFrame);
    EXPECT_EQ(Pixel(p, 50, 0), kFrame);
    EXPECT_EQ(Pixel(p, 0, 25), kFrame);
    EXPECT_EQ(Pixel(p, 1, 1), kBody);
    EXPECT_EQ(Pixel(p, 98, 48), kBody);
    // Transparent: the parent's background inside the frame.
    p->SetTransparent(true);
    EXPECT_EQ(Pixel(p, 50, 25), kParent);
    EXPECT_EQ(Pixel(p, 0, 25), kFrame);
    delete p;
  }
}

TEST_F(TaskPanelTest, WindowsTitleIsARoundedBandOverABodyStartingAtEight) {
  TTaskPanel* p = TitledPanel(xpWindows);
  p->Title()->ButtonSpin()->SetVisible(false);
  p->Title()->ButtonClose()->SetVisible(false);
  EXPECT_EQ(Pixel(p, 0, 0), kParent);  // outside the rounded corner
  EXPECT_EQ(Pixel(p, 60, 0), kBand);
  EXPECT_EQ(Pixel(p, 0, 10), kBand);  // the squared-off lower part
  EXPECT_EQ(Pixel(p, 119, 18), kBand);
  EXPECT_EQ(Pixel(p, 0, 19), kFrame);  // the body's frame below the band
  EXPECT_EQ(Pixel(p, 60, 19), kBody);
  EXPECT_EQ(Pixel(p, 60, 59), kFrame);
}

TEST_F(TaskPanelTest, OfficeTitleIsABandInsideTheFrame) {
  TTaskPanel* p = TitledPanel(xpOffice);
  p->Title()->ButtonSpin()->SetVisible(false);
  p->Title()->ButtonClose()->SetVisible(false);
  EXPECT_EQ(Pixel(p, 0, 0), kFrame);
  EXPECT_EQ(Pixel(p, 60, 0), kFrame);
  EXPECT_EQ(Pixel(p, 1, 1), kBand);
  EXPECT_EQ(Pixel(p, 118, 17), kBand);
  EXPECT_EQ(Pixel(p, 60, 18), kBody);
  EXPECT_EQ(Pixel(p, 119, 10), kFrame);
}

TEST_F(TaskPanelTest, CaptionSitsInTheBandAtTheStyleOffset) {
  for (TXPStyle style : {xpWindows, xpOffice}) {
    TTaskPanel* p = TitledPanel(style);
    p->Title()->SetCaption("Tasks");
    ws->ProcessMessages();
    // Text height 16 in the fake: y = 19 div 2 - 8 - 1 = 0.
    const int x = style == xpWindows ? 3 : 6;
    EXPECT_EQ(ws->RowText(p->Handle(), 0), "Tasks") << int(style);
    const TFakeGlyph* g = ws->TextAt(p->Handle(), x, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Ch, 'T');
    EXPECT_EQ(g->Cell.Left, x);
    EXPECT_EQ(g->BkColor, kBand);
    delete p;
  }
}

TEST_F(TaskPanelTest, TitleButtonsAreDrawnAtTheRightEdgeAndInvertedWhenDisabled) {
  TTaskPanel* p = TitledPanel(xpOffice);
  // Close glyph at x = 120 - 16 - 2 = 102, y = 9 - 7 = 2; its cross starts
  // at glyph (3, 2). The spin glyph is left of it, at x = 86.
  EXPECT_EQ(Pixel(p, 102 + 3, 2 + 2), clBlack);
  EXPECT_EQ(Pixel(p, 102 + 0, 2 + 0), kBand);  // the see-through colour
  EXPECT_EQ(Pixel(p, 86 + 7, 2 + 2), RGB(0, 0, 128));
  p->Title()->ButtonClose()->SetEnabled(false);
  EXPECT_EQ(Pixel(p, 102 + 3, 2 + 2), clWhite);
  p->Title()->ButtonClose()->SetVisible(false);
  // The spin button moves to the edge.
  EXPECT_EQ(Pixel(p, 102 + 7, 2 + 2), RGB(0, 0, 128));
}

TEST_F(TaskPanelTest, FoldedBandTakesTheMinimizedColour) {
  TTaskPanel* p = TitledPanel(xpOffice);
  p->Collapse();
  EXPECT_EQ(p->Height(), 19);
  EXPECT_TRUE(p->Collapsed());
  EXPECT_EQ(Pixel(p, 50, 5), kFolded);
  p->Expand();
  EXPECT_EQ(p->Height(), 60);
  EXPECT_EQ(Pixel(p, 50, 5), kBand);
}

TEST_F(TaskPanelTest, TitleClicksRunCloseThenSpinThenTitle) {
  TTaskPanel* p = TitledPanel(xpOffice);
  std::vector<std::string> order;
  p->OnCloseButtonClick = [&](TObject*) { order.push_back("close"); };
  p->OnSpinButtonClick = [&](TObject*) { order.push_back("spin"); };
  p->OnTitleClick = [&](TObject*) { order.push_back("title"); };
  struct TCase {
    int X, Y;
    std::vector<std::string> Expected;
  };
  // Close square (102, 2)-(118, 18); spin square (86, 2)-(102, 18); the
  // title (0, 0)-(118, 19).
  const TCase cases[] = {
      {102, 2, {"close", "title"}}, {117, 17, {"close", "title"}}, {118, 5, {}},
      {86, 5, {"spin", "title"}},   {101, 17, {"spin", "title"}},  {85, 5, {"title"}},
      {110, 1, {"title"}},          {10, 18, {"title"}},           {10, 19, {}},
  };
  for (const TCase& c : cases) {
    order.clear();
    ws->Click(p->Handle(), c.X, c.Y);
    EXPECT_EQ(order, c.Expected) << c.X << "," << c.Y;
  }
  // A disabled button ignores the click; the title still hears it.
  p->Title()->ButtonClose()->SetEnabled(false);
  order.clear();
  ws->Click(p->Handle(), 110, 5);
  EXPECT_EQ(order, std::vector<std::string>{"title"});
  // Without a title nothing is hit.
  p->Title()->SetVisible(false);
  order.clear();
  ws->Click(p->Handle(), 90, 5);
  EXPECT_TRUE(order.empty());
}

TEST_F(TaskPanelTest, ButtonsWithoutHandlersFoldAndHide) {
  TTaskPanel* p = TitledPanel(xpOffice);
  ws->Click(p->Handle(), 90, 5);
  EXPECT_TRUE(p->Collapsed());
  EXPECT_EQ(p->Height(), 19);
  ws->Click(p->Handle(), 90, 5);
  EXPECT_FALSE(p->Collapsed());
  EXPECT_EQ(p->Height(), 60);
  ws->Click(p->Handle(), 110, 5);
  EXPECT_FALSE(p->Visible());
}

TEST_F(TaskPanelTest, AnimatedFoldAndUnfoldStepByFourWithTheirSounds) {
  TTaskPanel* p = TitledPanel(xpOffice);
  p->SetHeight(100);
  p->SetAnimated(true);
  p->SetSound(true);
  RecordHeights(p);
  p->Collapse();
  std::vector<int> fold;
  for (int h = 96; h >= 20; h -= 4) fold.push_back(h);
  fold.push_back(19);
  EXPECT_EQ(heights, fold);
  EXPECT_EQ(p->Height(), 19);
  EXPECT_EQ(p->ExpandedHeight(), 100);
  EXPECT_FALSE(p->Busy());
  EXPECT_EQ(sound.Sound.Played, std::vector<std::string>{"SNF_001"});

  heights.clear();
  p->Expand();
  std::vector<int> unfold;
  for (int h = 20; h <= 100; h += 4) unfold.push_back(h);
  EXPECT_EQ(heights, unfold);
  EXPECT_EQ(p->Height(), 100);
  EXPECT_FALSE(p->Collapsed());
  EXPECT_EQ(sound.Sound.Played, (std::vector<std::string>{"SNF_001", "SNF_005"}));
}

TEST_F(TaskPanelTest, SidewaysAlignedPanelsDoNotFoldButStillUnfold) {
  for (TAlign a : {alLeft, alRight, alClient, alCustom}) {
    TTaskPanel* p = TitledPanel(xpOffice);
    p->SetAlign(a);
    const int h = p->Height();
    p->Collapse();
    EXPECT_FALSE(p->Collapsed()) << int(a);
    EXPECT_EQ(p->Height(), h);
    delete p;
  }
  TTaskPanel* p = TitledPanel(xpOffice);
  p->SetAlign(alTop);
  p->Collapse();
  ASSERT_TRUE(p->Collapsed());
  p->SetAlign(alLeft);
  p->Expand();
  EXPECT_FALSE(p->Collapsed());
}

TEST_F(TaskPanelTest, HitTestAnswersTheSizingEdgesOfAnUnfoldedSizeablePanel) {
  TTaskPanel* p = TitledPanel(xpOffice);  // (10, 10) 120 x 60
  auto hit = [&](int x, int y) {
    TPoint s = p->ClientToScreen(TPoint(x, y));
    return p->Perform(WM_NCHITTEST, 0, MakeLParam(s.X, s.Y));
  };
  EXPECT_EQ(hit(119, 59), HTCLIENT);  // not sizeable: the default
  p->SetSizeable(true);
  EXPECT_EQ(p->GripWidth(), 5);
  struct TCase {
    int X, Y;
    LRESULT Expected;
  };
  const TCase cases[] = {{119, 59, HTBOTTOMRIGHT}, {116, 56, HTBOTTOMRIGHT}, {115, 56, HTBOTTOM}, {116, 30, HTRIGHT},
                         {60, 55, HTCLIENT},       {60, 56, HTBOTTOM},       {60, 30, HTCLIENT}};
  for (const TCase& c : cases) EXPECT_EQ(hit(c.X, c.Y), c.Expected) << c.X << "," << c.Y;
  p->Collapse();
  EXPECT_EQ(hit(119, 18), HTCLIENT);
  p->SetSizeable(false);
  EXPECT_EQ(p->GripWidth(), 0);
}

TEST_F(TaskPanelTest, SizeBookkeepingKeepsTheTitleHeightAndFollowsTheHeight) {
  TTaskPanel* p = TitledPanel(xpOffice);
  int resizes = 0;
  p->OnResize = [&](TObject*) { ++resizes; };
  p->SetHeight(80);
  EXPECT_EQ(p->ExpandedHeight(), 80);
  EXPECT_GT(resizes, 0);
  p->SetHeight(5);
  EXPECT_EQ(p->Height(), 19);
  EXPECT_EQ(p->ExpandedHeight(), 19);
  p->SetHeight(70);
  p->Collapse();
  resizes = 0;
  p->SetHeight(40);  // folded: no inherited handling, the height to unfold to kept
  EXPECT_EQ(resizes, 0);
  EXPECT_EQ(p->ExpandedHeight(), 70);
}

TEST_F(TaskPanelTest, DraggingTheTitleMovesAMoveablePanel) {
  TTaskPanel* p = TitledPanel(xpOffice);
  p->SetMoveable(true);
  ws->MouseDown(p->Handle(), mbLeft, 20, 5);
  EXPECT_TRUE(p->Handle()->FrameDragging());
  ws->MouseMove(p->Handle(), 45, 12);
  EXPECT_EQ(p->BoundsRect(), TRect(35, 17, 155, 77));
  ws->MouseUp(p->Handle(), mbLeft, 20, 5);
  EXPECT_FALSE(p->Handle()->FrameDragging());
  EXPECT_EQ(GetCapture(), nullptr);
  // Not by the buttons, not when aligned, not when not moveable.
  ws->MouseDown(p->Handle(), mbLeft, 90, 5);
  EXPECT_FALSE(p->Handle()->FrameDragging());
  ws->MouseUp(p->Handle(), mbLeft, 90, 5);
  p->SetMoveable(false);
  ws->MouseDown(p->Handle(), mbLeft, 20, 5);
  EXPECT_FALSE(p->Handle()->FrameDragging());
  ws->MouseUp(p->Handle(), mbLeft, 20, 5);
}

TEST_F(TaskPanelTest, DraggingTheCornerResizesASizeablePanel) {
  TTaskPanel* p = TitledPanel(xpOffice);
  p->SetSizeable(true);
  ws->MouseMove(p->Handle(), 118, 58);
  EXPECT_EQ(ws->CurrentCursor(), IDC_SIZENWSE);
  ws->MouseDown(p->Handle(), mbLeft, 118, 58);
  ws->MouseMove(p->Handle(), 138, 78);
  EXPECT_EQ(p->BoundsRect(), TRect(10, 10, 150, 90));
  EXPECT_EQ(p->ExpandedHeight(), 80);
  // Shrinking past the title keeps the title's height.
  ws->MouseMove(p->Handle(), 138, -20);
  EXPECT_EQ(p->Height(), 19);
  ws->MouseUp(p->Handle(), mbLeft, 138, -20);
  EXPECT_FALSE(p->Handle()->FrameDragging());
}

TEST_F(TaskPanelTest, OddTitleHeightsEndFoldingWithoutNegativeHeights) {
  for (int titleHeight : {0, -7, 500}) {
    TTaskPanel* p = TitledPanel(xpOffice);
    p->Title()->SetHeight(titleHeight);
    p->SetHeight(64);
    p->SetAnimated(true);
    RecordHeights(p);
    p->Collapse();
    p->Expand();
    for (int h : heights) EXPECT_GE(h, 0) << titleHeight;
    EXPECT_FALSE(p->Busy());
    ws->ProcessMessages();
    delete p;
  }
}

TEST_F(TaskPanelTest, ShrinkingTheParentToAFewPixelsKeepsTheTitleHeight) {
  TTaskPanel* top = TitledPanel(xpOffice);
  top->SetAlign(alTop);
  TTaskPanel* client = TitledPanel(xpOffice);
  client->SetAlign(alClient);
  ws->Resize(parent->Handle(), 300, 70);  // 10 pixels left under the tool strip
  EXPECT_EQ(top->Height(), 60);
  EXPECT_EQ(client->Height(), 19);
  EXPECT_EQ(client->ExpandedHeight(), 19);
  ws->Resize(parent->Handle(), 3, 2);
  ws->ProcessMessages();
  EXPECT_GE(client->Height(), 19);
  ws->Resize(parent->Handle(), 300, 400);
  EXPECT_EQ(client->Height(), 340);
}

TEST_F(TaskPanelTest, UnusualPanelsPaintWithoutErrors) {
  // A bare transparent panel (no parent), an empty title glyph, a caption
  // over the buttons, a panel smaller than its frame.
  TTaskPanel bare(nullptr);
  bare.SetTransparent(true);
  bare.Title()->SetVisible(true);
  bare.HandleNeeded();
  bare.Show();
  ws->ProcessMessages();
  auto original = std::make_shared<TBitmap>();
  original->Assign(bare.Title()->ButtonSpin()->Glyph());
  TTaskPanel* p = TitledPanel(xpWindows);
  UnregisterResource("BM_SPIN16");
  p->Title()->ButtonSpin()->Glyph()->Assign(nullptr);
  p->Title()->SetCaption(std::string(40, 'W'));
  EXPECT_NO_THROW(ws->ProcessMessages());
  p->SetBounds(10, 10, 3, 2);
  EXPECT_NO_THROW(ws->ProcessMessages());
  RegisterBitmapResource("BM_SPIN16", [original](TBitmap& b) { b.Assign(original.get()); });
}

TEST_F(TaskPanelTest, ClearedGlyphsGetTheirDefaultPictureOnce) {
  TTaskPanel* p = TitledPanel(xpOffice);
  TBitmap* spin = p->Title()->ButtonSpin()->Glyph();
  auto original = std::make_shared<TBitmap>();
  original->Assign(spin);
  spin->Assign(nullptr);
  EXPECT_EQ(spin->Width(), 16);
  EXPECT_EQ(spin->Pixel(7, 2), original->Pixel(7, 2));
  p->Title()->ButtonClose()->SetGlyph(nullptr);
  EXPECT_EQ(p->Title()->ButtonClose()->Glyph()->Height(), 15);

  // A picture that loads empty or is missing leaves the button bare.
  int paints = 0;
  RegisterBitmapResource("BM_SPIN16", [&](TBitmap&) { ++paints; });
  spin->Assign(nullptr);
  EXPECT_EQ(paints, 1);
  EXPECT_TRUE(spin->Empty());
  UnregisterResource("BM_SPIN16");
  spin->SetSize(0, 0);
  spin->Assign(nullptr);
  EXPECT_TRUE(spin->Empty());
  RegisterBitmapResource("BM_SPIN16", [original](TBitmap& b) { b.Assign(original.get()); });
  spin->SetTransparent(false);
  spin->SetTransparent(true);
  EXPECT_EQ(spin->Width(), 16);
}

TEST_F(TaskPanelTest, AFormFreedDuringTheFoldEndsTheAnimation) {
  InitApplication();
  auto* form = new TForm(Application);
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->SetBounds(0, 0, 200, 300);
  auto* p = new TTaskPanel(form);
  p->SetParent(form);
  p->SetBounds(0, 0, 100, 200);
  p->Title()->SetVisible(true);
  p->SetAnimated(true);
  p->SetSound(true);
  form->Show();
  form->Release();
  p->Collapse();  // the first step's message pump frees the form
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(sound.Sound.Played.empty());
  DoneApplication();
}

TEST(TaskPanelUtilsTest, InvertedGlyphCopyInvertsEveryChannel) {
  TFakeWidgetsetScope ws;
  TBitmap source(3, 2);
  const TColor in[] = {clWhite, RGB(128, 128, 128), RGB(1, 2, 3), clBlack, RGB(255, 0, 0), RGB(0, 200, 55)};
  const TColor out[] = {clBlack, RGB(127, 127, 127), RGB(254, 253, 252), clWhite, RGB(0, 255, 255), RGB(255, 55, 200)};
  for (int i = 0; i < 6; ++i) source.SetPixel(i % 3, i / 3, in[i]);
  std::unique_ptr<TBitmap> copy = InvertedGlyphCopy(&source);
  ASSERT_EQ(copy->Width(), 3);
  ASSERT_EQ(copy->Height(), 2);
  EXPECT_TRUE(copy->Transparent());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(copy->Pixel(i % 3, i / 3), out[i]) << i;
  EXPECT_EQ(source.Pixel(0, 0), clWhite);
  TBitmap empty;
  EXPECT_TRUE(InvertedGlyphCopy(&empty)->Empty());
  EXPECT_EQ(LargerOf(3, -4), 3);
  EXPECT_EQ(LargerOf(-9, -4), -4);
}

}  // namespace
