// The speed button: pixels per state, the layout of glyph and caption,
// groups, release inside and outside, repeat, the drop-down menu, glyph
// counts and the shared image lists.
#include <gtest/gtest.h>

#include <stdexcept>

#include "XpControls.h"
#include "XpSpeedButtons.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

constexpr TColor kTransparent = clOlive;

// A picture whose bottom-left pixel is the transparent colour and whose
// top-left w-1 x h-1 pixels are ink.
std::unique_ptr<TBitmap> MakeGlyph(int w, int h, TColor ink = clRed) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, x < w - 1 && y < h - 1 ? ink : kTransparent);
  return b;
}

class TRecordingMenus : public IMenuBackend {
 public:
  TMenuItem* TrackPopup(TPopupMenu* menu, TPoint at) override {
    Shown.push_back(at);
    if (Log) Log->push_back("menu");
    return nullptr;
  }
  std::vector<TPoint> Shown;
  std::vector<std::string>* Log = nullptr;
};

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TWinControl(nullptr);
    form->SetBounds(100, 50, 300, 200);
    form->SetColor(RGB(10, 20, 30));
    form->HandleNeeded();
    SetMenuBackend(&menus);
  }
  void TearDown() override {
    delete form;
    SetMenuBackend(nullptr);
    EXPECT_EQ(XpGlyphCache(), nullptr);  // freed with the last list
  }
  TXpSpeedButton* NewButton(int l, int t, int w = 23, int h = 22) {
    auto* b = new TXpSpeedButton(form);
    b->SetBounds(l, t, w, h);
    b->SetParent(form);
    b->OnClick = [this, b](TObject*) { log.push_back("click " + b->Name()); };
    return b;
  }
  // Pixel of a button in its own coordinates.
  COLORREF At(TXpSpeedButton* b, int x, int y) { return ws->PixelAt(form->Handle(), b->Left() + x, b->Top() + y); }
  void Paint() { ws->ProcessMessages(); }
  void Down(TXpSpeedButton* b, int x = 5, int y = 5) {
    ws->MouseDown(form->Handle(), mbLeft, b->Left() + x, b->Top() + y);
  }
  void Up(TXpSpeedButton* b, int x = 5, int y = 5) { ws->MouseUp(form->Handle(), mbLeft, b->Left() + x, b->Top() + y); }
  void Move(TXpSpeedButton* b, int x, int y) { ws->MouseMove(form->Handle(), b->Left() + x, b->Top() + y); }
  void ClickOn(TXpSpeedButton* b) {
    Down(b);
    Up(b);
  }
  TColor Gradient(int w, int h, TColor top, TColor bottom, int x, int y) {
    TBitmap g;
    SetRandSeed(1);
    GradientBitmap(w, h, top, bottom, 255, 1, true, &g);
    return g.Pixel(x, y);
  }

  TFakeWidgetsetScope ws;
  TRecordingMenus menus;
  TWinControl* form = nullptr;
  std::vector<std::string> log;
  const TColor parent = RGB(10, 20, 30);
};

TEST_F(SpeedButtonTest, ConstructionDefaults) {
  TXpSpeedButton b(nullptr);
  EXPECT_EQ(b.Width(), 23);
  EXPECT_EQ(b.Height(), 22);
  EXPECT_FALSE(b.Flat());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.NumGlyphs(), 1);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Layout(), blGlyphLeft);
  EXPECT_EQ(b.State(), StateUp);
  EXPECT_TRUE(b.ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(b.ControlStyle().Contains(csDoubleClicks));
  EXPECT_FALSE(b.ControlStyle().Contains(csOpaque));
  EXPECT_EQ(b.GlyphObject()->TransparentColor(), clOlive);
}

TEST_F(SpeedButtonTest, FlatButtonPixelsPerState) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetFlat(true);
  Paint();
  // At rest a flat button draws nothing of its own.
  EXPECT_EQ(At(b, 0, 5), parent);
  EXPECT_EQ(At(b, 5, 5), parent);
  // Under the mouse: a light frame and a white-to-grey face.
  Move(b, 5, 5);
  ASSERT_TRUE(b->MouseInControl());
  Paint();
  const TColor line = RGB(200, 200, 200), edge = RGB(224, 224, 224), inner = RGB(242, 242, 242);
  EXPECT_EQ(At(b, 0, 5), line);
  EXPECT_EQ(At(b, 22, 5), line);
  EXPECT_EQ(At(b, 5, 0), line);
  EXPECT_EQ(At(b, 5, 21), line);
  EXPECT_EQ(At(b, 0, 0), parent);
  EXPECT_EQ(At(b, 22, 21), parent);
  EXPECT_EQ(At(b, 1, 1), line);
  EXPECT_EQ(At(b, 21, 20), line);
  EXPECT_EQ(At(b, 1, 0), edge);
  EXPECT_EQ(At(b, 22, 20), edge);
  EXPECT_EQ(At(b, 2, 1), inner);
  EXPECT_EQ(At(b, 1, 19), inner);
  EXPECT_NE(At(b, 20, 20), inner);  // flat buttons leave the lower right corner
  EXPECT_EQ(At(b, 5, 5), Gradient(20, 19, clWhite, RGB(238, 238, 238), 5, 5));
  EXPECT_EQ(At(b, 21, 5), Gradient(23, 22, RGB(234, 234, 234), RGB(215, 215, 215), 21, 5));
  // Pressed: the pressed face and a darker line.
  Down(b);
  Paint();
  EXPECT_EQ(b->State(), StateDown);
  EXPECT_EQ(At(b, 0, 5), RGB(184, 170, 154));
  EXPECT_EQ(At(b, 5, 5), Gradient(23, 22, RGB(224, 224, 224), RGB(228, 228, 228), 5, 5));
  Up(b);
  EXPECT_EQ(log, std::vector<std::string>({"click "}));
  // Disabled: neither face nor border, even under the mouse.
  b->SetEnabled(false);
  Paint();
  EXPECT_EQ(b->State(), StateDisabled);
  EXPECT_EQ(At(b, 0, 5), parent);
  EXPECT_EQ(At(b, 5, 5), parent);
  b->SetEnabled(true);
  Paint();
  EXPECT_EQ(b->State(), StateUp);
}

TEST_F(SpeedButtonTest, RaisedButtonPixels) {
  TXpSpeedButton* b = NewButton(10, 10);
  Paint();
  EXPECT_EQ(At(b, 0, 5), RGB(36, 78, 147));
  EXPECT_EQ(At(b, 1, 0), RGB(152, 152, 220));
  EXPECT_EQ(At(b, 20, 20), RGB(207, 207, 239));  // (W - 3, H - 2)
  EXPECT_EQ(At(b, 21, 19), RGB(207, 207, 239));  // (W - 2, H - 3)
  EXPECT_EQ(At(b, 5, 5), Gradient(23, 22, clWhite, RGB(231, 235, 239), 5, 5));
  // Under the mouse: the orange frame shows around a face inset by 3.
  Move(b, 5, 5);
  Paint();
  TBitmap frame;
  GradientBitmap(23, 22, RGB(255, 226, 174), RGB(255, 194, 81), 16, 1, true, &frame);
  EXPECT_EQ(At(b, 2, 10), frame.Pixel(2, 10));
  EXPECT_EQ(At(b, 5, 5), Gradient(17, 16, clWhite, RGB(231, 235, 239), 2, 2));
  // Not transparent: the rectangle is first filled with the parent's colour.
  b->SetTransparent(false);
  EXPECT_TRUE(b->ControlStyle().Contains(csOpaque));
}

TEST_F(SpeedButtonTest, PressedGlyphMovesByOnePixel) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetFlat(true);
  b->SetGlyph(MakeGlyph(5, 5).get());
  Paint();
  // No caption: margin (23 - 5 + 1) div 2 = 9, y (22 - 5 + 1) div 2 = 9.
  EXPECT_EQ(At(b, 9, 9), clRed);
  EXPECT_EQ(At(b, 12, 12), clRed);
  EXPECT_EQ(At(b, 13, 9), parent);  // the transparent column
  Down(b);
  Paint();
  EXPECT_EQ(At(b, 9, 9), Gradient(23, 22, RGB(224, 224, 224), RGB(228, 228, 228), 9, 9));
  EXPECT_EQ(At(b, 10, 10), clRed);
  EXPECT_EQ(At(b, 13, 13), clRed);
  Up(b);
}

TEST_F(SpeedButtonTest, LayoutOfGlyphAndCaption) {
  TXpBGlyph glyph;
  glyph.SetGlyph(MakeGlyph(16, 16).get());
  TBitmap canvasOwner(1, 1);
  TCanvas* c = canvasOwner.Canvas();
  const TRect client(0, 0, 100, 40);
  struct Case {
    TButtonLayout layout;
    int margin, spacing;
    TPoint glyph, text;
  } cases[] = {
      {blGlyphLeft, -1, 4, {32, 12}, {52, 12}},  // caption "Ab" is 16 x 16
      {blGlyphRight, -1, 4, {52, 12}, {32, 12}}, {blGlyphTop, -1, 4, {42, 2}, {42, 22}},
      {blGlyphBottom, -1, 4, {42, 22}, {42, 2}}, {blGlyphLeft, -1, -1, {22, 12}, {60, 12}},
      {blGlyphLeft, 5, -1, {5, 12}, {52, 12}},   {blGlyphLeft, 5, 4, {5, 12}, {25, 12}},
  };
  for (const Case& k : cases) {
    TXpGlyphLayout at = glyph.LayoutGlyphAndText(c, client, TPoint(0, 0), "Ab", k.layout, k.margin, k.spacing, 0);
    EXPECT_EQ(at.GlyphPos, k.glyph) << k.layout << " " << k.margin << " " << k.spacing;
    EXPECT_EQ(at.TextBounds, TRect(k.text.X, k.text.Y, k.text.X + 16, k.text.Y + 16)) << k.layout;
  }
  // Pressed: the glyph moves, the caption stays.
  TXpGlyphLayout at = glyph.LayoutGlyphAndText(c, client, TPoint(1, 1), "Ab", blGlyphLeft, -1, 4, 0);
  EXPECT_EQ(at.GlyphPos, TPoint(33, 13));
  EXPECT_EQ(at.TextBounds.Left, 52);
  // Without a caption the spacing is dropped.
  at = glyph.LayoutGlyphAndText(c, client, TPoint(0, 0), "", blGlyphLeft, -1, 4, 0);
  EXPECT_EQ(at.GlyphPos, TPoint(42, 12));
  // Right-to-left text swaps left and right.
  at = glyph.LayoutGlyphAndText(c, client, TPoint(0, 0), "Ab", blGlyphLeft, -1, 4, DT_RIGHT | DT_RTLREADING);
  EXPECT_EQ(at.GlyphPos.X, 52);
}

TEST_F(SpeedButtonTest, CaptionIsEmbossedWhenDisabled) {
  TXpSpeedButton* b = NewButton(10, 10, 60, 22);
  b->SetFlat(true);
  b->SetCaption("Go");
  Paint();
  EXPECT_EQ(ws->RowText(form->Handle(), b->Top() + 3), "Go");
  ws->ClearCalls();
  b->SetEnabled(false);  // repaints at once
  Paint();
  auto texts = ws->CallsOf(TFakeDrawCall::ExtTextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->TextColor, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(texts[1]->TextColor, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(texts[0]->X, texts[1]->X + 1);
  EXPECT_EQ(texts[0]->Y, texts[1]->Y + 1);
  EXPECT_EQ(texts[1]->DeviceRect.Left, b->Left() + 22);  // margin (60 - 16 + 1) div 2
}

TEST_F(SpeedButtonTest, DisabledGlyphIsGreyed) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetGlyph(MakeGlyph(5, 5).get());
  b->SetFlat(true);
  b->SetEnabled(false);
  Paint();
  EXPECT_NE(At(b, 10, 10), clRed);
  EXPECT_NE(At(b, 10, 10), parent);
  EXPECT_EQ(At(b, 0, 5), parent);
}

TEST_F(SpeedButtonTest, ReleaseInsideClicksAndOutsideDoesNot) {
  TXpSpeedButton* b = NewButton(10, 10);
  Down(b);
  EXPECT_EQ(b->State(), StateDown);
  EXPECT_TRUE(b->IsDragging());
  Move(b, 40, 5);
  EXPECT_EQ(b->State(), StateUp);
  Move(b, 5, 5);
  EXPECT_EQ(b->State(), StateDown);
  Move(b, 40, 5);
  Up(b, 40, 5);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(b->IsDragging());
  // The row just below the client area still counts as inside.
  Down(b);
  Up(b, 5, 22);
  EXPECT_EQ(log.size(), 1u);
  Down(b);
  Up(b, 5, 23);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(SpeedButtonTest, GroupsKeepOneButtonDown) {
  TXpSpeedButton* a = NewButton(0, 0);
  TXpSpeedButton* b = NewButton(30, 0);
  TXpSpeedButton* c = NewButton(60, 0);
  TXpSpeedButton* other = NewButton(90, 0);
  for (auto* x : {a, b, c}) x->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetDown(true);
  ClickOn(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), StateExclusive);
  ClickOn(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), StateUp);
  EXPECT_TRUE(other->Down());
  // Without AllowAllUp the down button cannot be raised.
  ClickOn(b);
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  // AllowAllUp spreads through the group.
  c->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  EXPECT_TRUE(b->AllowAllUp());
  EXPECT_FALSE(other->AllowAllUp());
  ClickOn(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(log.size(), 4u);
  // Buttons without a group never stay down.
  TXpSpeedButton* plain = NewButton(120, 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
}

TEST_F(SpeedButtonTest, ButtonPressedFromOtherSendersIsIgnored) {
  TXpSpeedButton* a = NewButton(0, 0);
  a->SetGroupIndex(1);
  a->SetDown(true);
  TControl stranger(nullptr);
  a->Perform(CM_BUTTONPRESSED, 1, LPARAM(static_cast<TObject*>(&stranger)));
  a->Perform(CM_BUTTONPRESSED, 1, 0);
  EXPECT_TRUE(a->Down());
}

TEST_F(SpeedButtonTest, RepeatClicksWhileHeld) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetRepeatAction(true);
  Down(b);
  ASSERT_NE(b->RepeatTimer(), nullptr);
  ws->Advance(399);
  EXPECT_EQ(log.size(), 0u);
  ws->Advance(1);
  EXPECT_EQ(log.size(), 1u);
  ws->Advance(300);
  EXPECT_EQ(log.size(), 4u);
  Move(b, 40, 5);  // outside: paused
  ws->Advance(300);
  EXPECT_EQ(log.size(), 4u);
  Move(b, 5, 5);
  ws->Advance(100);
  EXPECT_EQ(log.size(), 5u);
  Up(b);
  EXPECT_EQ(log.size(), 6u);  // the release clicks too
  EXPECT_FALSE(b->RepeatTimer()->Enabled());
  ws->Advance(1000);
  EXPECT_EQ(log.size(), 6u);
  EXPECT_TRUE(menus.Shown.empty());
}

TEST_F(SpeedButtonTest, AFailingRepeatedClickStopsTheTimer) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetRepeatAction(true);
  b->OnClick = [](TObject*) { throw std::runtime_error("no"); };
  Down(b);
  EXPECT_THROW(ws->Advance(400), std::runtime_error);
  EXPECT_FALSE(b->RepeatTimer()->Enabled());
}

TEST_F(SpeedButtonTest, DropDownMenuOpensBelowTheButtonAfterTheClick) {
  TXpSpeedButton* b = NewButton(10, 20);
  auto* menu = new TPopupMenu(form);
  b->SetDropDownMenu(menu);
  menus.Log = &log;
  ClickOn(b);
  // The form's client area starts at (100, 50) on the screen.
  TPoint origin = form->ClientOrigin();
  ASSERT_NE(origin, TPoint(0, 0));
  ASSERT_EQ(menus.Shown.size(), 1u);
  EXPECT_EQ(menus.Shown[0], TPoint(origin.X + 9, origin.Y + 42));
  EXPECT_EQ(log, std::vector<std::string>({"click ", "menu"}));
  EXPECT_TRUE(menu->AutoPopup());
  EXPECT_EQ(menu->PopupComponent(), b);
  // Also when released outside, and for a button of a group.
  b->SetGroupIndex(3);
  Down(b);
  Up(b, 60, 5);
  EXPECT_EQ(menus.Shown.size(), 2u);
  // A destroyed menu leaves the button; a destroyed button takes its menu.
  delete menu;
  EXPECT_EQ(b->DropDownMenu(), nullptr);
  auto* second = new TPopupMenu(form);
  b->SetDropDownMenu(second);
  int before = form->ComponentCount();
  delete b;
  EXPECT_EQ(form->ComponentCount(), before - 2);
}

TEST_F(SpeedButtonTest, DoubleClickFiresOnlyOnADownButton) {
  TXpSpeedButton* b = NewButton(10, 10);
  int dbl = 0;
  b->OnDblClick = [&](TObject*) { ++dbl; };
  ws->MouseDown(form->Handle(), mbLeft, 15, 15, 0, true);
  Up(b);
  EXPECT_EQ(dbl, 0);
  b->SetGroupIndex(1);
  b->SetDown(true);
  ws->MouseDown(form->Handle(), mbLeft, 15, 15, 0, true);
  Up(b);
  EXPECT_EQ(dbl, 1);
}

TEST_F(SpeedButtonTest, AcceleratorClicksAnEnabledButton) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetCaption("&Go");
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 1);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'o'), 0);
  b->SetEnabled(false);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 0);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(SpeedButtonTest, NumGlyphsFollowsThePicture) {
  TXpSpeedButton* b = NewButton(10, 10);
  b->SetGlyph(MakeGlyph(64, 16).get());
  EXPECT_EQ(b->NumGlyphs(), 4);
  b->SetGlyph(MakeGlyph(96, 16).get());  // six pictures would exceed four
  EXPECT_EQ(b->NumGlyphs(), 1);
  b->SetNumGlyphs(2);
  b->SetGlyph(MakeGlyph(40, 16).get());  // not a multiple: kept
  EXPECT_EQ(b->NumGlyphs(), 2);
  b->SetNumGlyphs(0);
  EXPECT_EQ(b->NumGlyphs(), 2);
  b->SetNumGlyphs(9);
  EXPECT_EQ(b->NumGlyphs(), 4);
  b->SetMargin(-5);
  EXPECT_EQ(b->Margin(), -1);
  b->SetMargin(3);
  EXPECT_EQ(b->Margin(), 3);
  // A picture of no width or height draws no glyph and makes no list.
  b->SetGlyph(MakeGlyph(0, 16).get());
  Paint();
  EXPECT_EQ(XpGlyphCache(), nullptr);
}

TEST_F(SpeedButtonTest, ButtonsShareOneImageListPerPictureSize) {
  TXpSpeedButton* a = NewButton(0, 0, 23, 22);
  TXpSpeedButton* b = NewButton(40, 0, 33, 34);
  TXpSpeedButton* c = NewButton(80, 0);
  a->SetGlyph(MakeGlyph(16, 16).get());
  b->SetGlyph(MakeGlyph(16, 16, clBlue).get());
  c->SetGlyph(MakeGlyph(8, 8).get());
  Paint();
  ASSERT_NE(XpGlyphCache(), nullptr);
  EXPECT_EQ(XpGlyphCache()->ListCount(), 2);
  EXPECT_EQ(a->GlyphObject()->List(), b->GlyphObject()->List());
  TXpGlyphL* shared = a->GlyphObject()->List();
  EXPECT_EQ(shared->UsedCount(), 2);
  delete a;
  EXPECT_EQ(shared->UsedCount(), 1);
  // The freed slot is reused.
  TXpSpeedButton* d = NewButton(120, 0);
  d->SetGlyph(MakeGlyph(16, 16).get());
  Paint();
  EXPECT_EQ(shared->Count(), 2);
  delete b;
  delete d;
  EXPECT_EQ(XpGlyphCache()->ListCount(), 1);
  delete c;
  EXPECT_EQ(XpGlyphCache(), nullptr);
}

TEST_F(SpeedButtonTest, TinyButtonsPaintWithoutErrors) {
  for (auto [w, h] : {std::pair(6, 6), std::pair(3, 2), std::pair(1, 1), std::pair(0, 0)}) {
    for (bool flat : {false, true}) {
      TXpSpeedButton* b = NewButton(200, 100, w, h);
      b->SetFlat(flat);
      b->SetGlyph(MakeGlyph(16, 16).get());
      b->SetCaption("Long caption");
      Move(b, 0, 0);
      Down(b);
      EXPECT_NO_THROW(Paint());
      Up(b);
      delete b;
    }
  }
}

TEST_F(SpeedButtonTest, ActionGivesCaptionClickAndGlyph) {
  TActionList list(nullptr);
  TImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  images.AddMasked(MakeGlyph(8, 8).get(), clDefault);
  list.SetImages(&images);
  TAction action(nullptr);
  action.SetActionList(&list);
  action.SetCaption("Run");
  action.SetImageIndex(0);
  int runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };
  TXpSpeedButton* b = NewButton(10, 10);
  b->OnClick = nullptr;
  b->SetAction(&action);
  EXPECT_EQ(b->Caption(), "Run");
  EXPECT_EQ(b->Glyph()->Width(), 8);
  EXPECT_EQ(b->Glyph()->Pixel(0, 0), clRed);
  EXPECT_EQ(b->Glyph()->Pixel(0, 7), clFuchsia);
  ClickOn(b);
  EXPECT_EQ(runs, 1);
  delete b;
}

}  // namespace
