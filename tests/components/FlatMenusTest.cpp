// The flat menu painter: colours, measuring and painted pixels on the fake
// widget set (every character 8 x 16).
#include "FlatMenus.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Menus.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(LightenColorTest, RoundsHalvesToEvenAndStaysInRange) {
  struct TCase {
    TColor Color;
    int Percent;
    TColor Expected;
  };
  const TCase cases[] = {
      {clBtnFace, 85, RGB(249, 248, 247)},     // 248.55, 247.95, 246.75
      {clHighlight, 65, RGB(169, 178, 203)},   // 169.25, 178.35, 202.85
      {RGB(0, 0, 0), 50, RGB(128, 128, 128)},  // 127.5 -> 128
      {RGB(0, 1, 2), 10, RGB(26, 26, 27)},     // 25.5 -> 26, 26.4, 27.3
      {RGB(0, 0, 0), 30, RGB(76, 76, 76)},     // 76.5 -> 76
      {RGB(10, 20, 30), 0, RGB(10, 20, 30)},      {RGB(10, 20, 30), 100, RGB(255, 255, 255)},
      {RGB(10, 20, 30), 150, RGB(255, 255, 255)}, {RGB(10, 20, 30), -40, RGB(10, 20, 30)},
      {0x05302010u, 0, RGB(0x10, 0x20, 0x30)},  // neither RGB nor system: the low 24 bits
  };
  for (const TCase& c : cases) EXPECT_EQ(LightenColor(c.Color, c.Percent), c.Expected) << std::hex << c.Color;
}

TEST(FlatMenuTest, DefaultsAndSelectColour) {
  TFakeWidgetsetScope ws;
  TFlatMenu p;
  EXPECT_EQ(p.GutterColor, clBtnFace);
  EXPECT_EQ(p.BackgroundColor, RGB(249, 248, 247));
  EXPECT_EQ(p.SelectColor, LightenColor(clHighlight, 65));
  EXPECT_EQ(p.CheckColor, LightenColor(clHighlight, 75));
  EXPECT_EQ(p.MinItemWidth, 0);
  EXPECT_EQ(p.MinItemHeight, 18);
  p.SetSelectColor(RGB(0, 0, 100));
  EXPECT_EQ(p.SelectColor, RGB(0, 0, 100));
  EXPECT_EQ(p.CheckColor, LightenColor(RGB(0, 0, 100), 75));
}

// A popup menu, a main menu, an image list of 16 x 16 images (image 0 has
// a dark 4 x 4 square at (2, 2) on white) and a painter.
class FlatMenuFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = std::make_unique<TComponent>(nullptr);
    popup = new TPopupMenu(owner.get());
    bar = new TMainMenu(owner.get());
    images = new TImageList(owner.get());
    TBitmap img(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) img.SetPixel(x, y, (x >= 2 && x < 6 && y >= 2 && y < 6) ? RGB(0, 0, 90) : clWhite);
    images->Add(&img, nullptr);
    painter = std::make_unique<TFlatMenu>();
    canvasBitmap = std::make_unique<TBitmap>(200, 20);
  }
  void TearDown() override {
    painter.reset();
    canvasBitmap.reset();
    owner.reset();
  }
  TMenuItem* AddTo(TMenuItem* parent, const std::string& caption, TShortCut sc = scNone) {
    TMenuItem* i = NewItem(owner.get(), caption, sc);
    parent->Add(i);
    return i;
  }
  void Paint(TMenuItem* item, TOwnerDrawState state = {}) {
    TCanvas* c = canvasBitmap->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 200, 20));
    ws->ClearCalls();
    painter->PaintItem(item, c, TRect(0, 0, 200, 20), state);
  }
  TColor Px(int x, int y) { return canvasBitmap->Pixel(x, y); }
  void Measure(TMenuItem* item, int& w, int& h) {
    TBitmap one(1, 1);
    w = h = 0;
    painter->MeasureMenuItem(item, one.Canvas(), w, h);
  }

  TFakeWidgetsetScope ws;
  std::unique_ptr<TComponent> owner;
  TPopupMenu* popup = nullptr;
  TMainMenu* bar = nullptr;
  TImageList* images = nullptr;
  std::unique_ptr<TFlatMenu> painter;
  std::unique_ptr<TBitmap> canvasBitmap;
};

TEST_F(FlatMenuFixture, MeasuresWithAndWithoutAnImageList) {
  TMenuItem* open = AddTo(popup->Items(), "&Open", ShortCut('O', {ssCtrl}));
  TMenuItem* line = AddTo(popup->Items(), "-");
  int w, h;
  Measure(open, w, h);
  EXPECT_EQ(w, 11 * 8 + 35);  // "&OpenCtrl+O"
  EXPECT_EQ(h, 18);
  Measure(line, w, h);
  EXPECT_EQ(h, 5);
  painter->MinItemHeight = 21;
  Measure(line, w, h);
  EXPECT_EQ(h, 11);
  painter->MinItemHeight = 18;
  painter->MinItemWidth = 300;
  Measure(open, w, h);
  EXPECT_EQ(w, 300);
  painter->MinItemWidth = 0;

  popup->SetImages(images);
  Measure(open, w, h);
  EXPECT_EQ(w, 11 * 8 + 24 + 15);
  EXPECT_EQ(h, 16 + 4);
  w = 77;
  painter->MeasureMenuItem(line, canvasBitmap->Canvas(), w, h);
  EXPECT_EQ(w, 77);  // a separator's width is left as it was
  EXPECT_EQ(h, 5);
  images->SetWidth(6);
  images->SetHeight(24);
  Measure(open, w, h);
  EXPECT_EQ(w, 11 * 8 + 16 + 15);
  EXPECT_EQ(h, 24 + 4);
  Measure(line, w, h);
  EXPECT_EQ(h, 11);
}

TEST_F(FlatMenuFixture, AttachHooksEverythingButTheBarMeasuringAndDetachesOnDestruction) {
  TMenuItem* file = AddTo(bar->Items(), "File");
  TMenuItem* open = AddTo(file, "Open");
  TMenuItem* recent = AddTo(file, "Recent");
  TMenuItem* one = AddTo(recent, "1");
  painter->AttachMenu(bar, nullptr);
  EXPECT_TRUE(bar->OwnerDraw());
  for (TMenuItem* i : {file, open, recent, one}) EXPECT_TRUE(i->OnAdvancedDrawItem) << i->Caption();
  EXPECT_FALSE(file->OnMeasureItem);
  EXPECT_TRUE(open->OnMeasureItem);
  EXPECT_TRUE(one->OnMeasureItem);
  TMenuItem* later = AddTo(file, "Later");
  EXPECT_FALSE(later->OnAdvancedDrawItem);

  TMenuItem* single = AddTo(popup->Items(), "Single");
  TMenuItem* below = AddTo(single, "Below");
  painter->AttachMenu(nullptr, single);
  EXPECT_TRUE(single->OnMeasureItem);
  EXPECT_TRUE(below->OnAdvancedDrawItem);
  EXPECT_FALSE(popup->OwnerDraw());

  // An item freed before the painter is forgotten; the painter freed first
  // leaves no handler behind.
  delete one;
  EXPECT_EQ(painter->HookedItems().count(one), 0u);
  painter.reset();
  for (TMenuItem* i : {file, open, recent, single, below}) {
    EXPECT_FALSE(i->OnAdvancedDrawItem) << i->Caption();
    EXPECT_FALSE(i->OnMeasureItem) << i->Caption();
  }
}

TEST_F(FlatMenuFixture, PaintsGutterBackgroundAndSelectionFrame) {
  TMenuItem* item = AddTo(popup->Items(), "Open");
  painter->GutterColor = RGB(10, 120, 10);
  Paint(item);
  // Without images the gutter is the item's height + 4 wide.
  EXPECT_EQ(Px(0, 10), RGB(10, 120, 10));
  EXPECT_EQ(Px(23, 10), RGB(10, 120, 10));
  EXPECT_EQ(Px(24, 10), painter->BackgroundColor);
  EXPECT_EQ(Px(199, 0), painter->BackgroundColor);
  // A settings value that is neither RGB nor a system colour paints by its
  // low 24 bits.
  painter->BackgroundColor = 0x05302010u;
  Paint(item);
  EXPECT_EQ(Px(100, 10), RGB(0x10, 0x20, 0x30));
  Paint(item, TOwnerDrawState{odSelected});
  EXPECT_EQ(Px(0, 0), clBlack);
  EXPECT_EQ(Px(199, 19), clBlack);
  EXPECT_EQ(Px(100, 0), clBlack);
  EXPECT_EQ(Px(5, 10), painter->SelectColor);
  EXPECT_EQ(Px(100, 10), painter->SelectColor);
}

TEST_F(FlatMenuFixture, CheckAndRadioMarksAreCentredInTheGutter) {
  TMenuItem* item = AddTo(popup->Items(), "Wrap");
  item->SetChecked(true);
  Paint(item);
  // The 16 x 16 square around (11, 10), the mark at (5, 4).
  EXPECT_EQ(Px(3, 2), clBlack);
  EXPECT_EQ(Px(18, 17), clBlack);
  EXPECT_EQ(Px(5, 5), painter->CheckColor);
  for (const TMarkPoint& p : CheckMarkPoints) EXPECT_EQ(Px(5 + p.X, 4 + p.Y), clBlack) << p.X << "," << p.Y;
  EXPECT_EQ(Px(5 + 10, 4 + 10), painter->CheckColor);
  item->SetRadioItem(true);
  Paint(item);
  for (const TMarkPoint& p : RadioMarkPoints) EXPECT_EQ(Px(5 + p.X, 4 + p.Y), clBlack) << p.X << "," << p.Y;
  EXPECT_EQ(Px(5 + 2, 4 + 6), painter->CheckColor);  // a check point that the radio lacks
}

TEST_F(FlatMenuFixture, SeparatorIsAThinShadowLine) {
  TMenuItem* line = AddTo(popup->Items(), "-");
  Paint(line);
  // Gutter max(16, 18) + 4 = 22; the line starts 5 pixels after it.
  EXPECT_EQ(Px(21, 10), RGB(212, 208, 200));
  EXPECT_EQ(Px(26, 10), painter->BackgroundColor);
  EXPECT_EQ(Px(27, 10), RGB(128, 128, 128));
  EXPECT_EQ(Px(198, 10), RGB(128, 128, 128));
  EXPECT_EQ(Px(100, 9), painter->BackgroundColor);
  EXPECT_EQ(Px(100, 11), painter->BackgroundColor);
  EXPECT_TRUE(ws->CallsOf(TFakeDrawCall::ExtTextOut).empty());
}

TEST_F(FlatMenuFixture, ImagesEnabledAndDisabled) {
  popup->SetImages(images);
  TMenuItem* item = AddTo(popup->Items(), "Save");
  item->SetImageIndex(0);
  Paint(item);
  // Gutter 16 + 9; the image at (4, 2).
  EXPECT_EQ(Px(24, 10), RGB(212, 208, 200));
  EXPECT_EQ(Px(25, 10), painter->BackgroundColor);
  EXPECT_EQ(Px(4 + 3, 2 + 3), RGB(0, 0, 90));
  item->SetEnabled(false);
  Paint(item, TOwnerDrawState{odDisabled, odGrayed});
  EXPECT_EQ(Px(4 + 3, 2 + 3), RGB(128, 128, 128));    // dark pixels in the button shadow
  EXPECT_EQ(Px(4 + 10, 2 + 10), RGB(212, 208, 200));  // the rest as painted
  // A checked item with an image gets a plain rectangle behind it.
  item->SetEnabled(true);
  item->SetChecked(true);
  Paint(item);
  EXPECT_EQ(Px(2, 0), clBlack);
  EXPECT_EQ(Px(3, 10), painter->CheckColor);
  EXPECT_EQ(Px(4 + 3, 2 + 3), RGB(0, 0, 90));
}

TEST_F(FlatMenuFixture, TextAttributesAndTheRightAlignedShortcut) {
  TMenuItem* item = AddTo(popup->Items(), "&New", ShortCut('N', {ssCtrl}));
  Paint(item);
  auto texts = ws->CallsOf(TFakeDrawCall::ExtTextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Text, "New");
  EXPECT_EQ(texts[0]->X, 24 + 5);
  EXPECT_EQ(texts[0]->TextColor, clBlack);
  EXPECT_EQ(texts[0]->BkMode, TRANSPARENT);
  EXPECT_LT(texts[0]->Font.lfWeight, FW_BOLD);
  EXPECT_EQ(texts[1]->Text, "Ctrl+N");
  EXPECT_EQ(texts[1]->X, 200 - 5 - 6 * 8);
  item->SetDefault(true);
  item->SetEnabled(false);
  Paint(item, TOwnerDrawState{odDisabled});
  texts = ws->CallsOf(TFakeDrawCall::ExtTextOut);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0]->TextColor, RGB(128, 128, 128));
  EXPECT_GE(texts[0]->Font.lfWeight, FW_BOLD);
}

TEST_F(FlatMenuFixture, MenuBarItemsPlainAndHot) {
  TMenuItem* file = AddTo(bar->Items(), "File");
  Paint(file);
  EXPECT_EQ(Px(0, 0), RGB(212, 208, 200));
  EXPECT_EQ(Px(100, 10), RGB(212, 208, 200));
  auto texts = ws->CallsOf(TFakeDrawCall::ExtTextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->X, (200 - 4 * 8) / 2);  // centred, no gutter
  Paint(file, TOwnerDrawState{odHotLight});
  EXPECT_EQ(Px(0, 0), RGB(128, 128, 128));
  EXPECT_EQ(Px(100, 10), painter->SelectColor);
  Paint(file, TOwnerDrawState{odSelected});
  EXPECT_EQ(Px(0, 0), clBlack);
  EXPECT_EQ(Px(100, 10), painter->SelectColor);
}

}  // namespace
