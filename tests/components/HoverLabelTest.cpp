// The hover label over the fake widget set: painting, fitting, hover
// tracking with the system cursor position and the hand cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TaskPanels.h"
#include "platform/Cursors.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

constexpr TColor kParent = RGB(200, 0, 0);
constexpr TColor kBack = RGB(255, 255, 0);
constexpr TColor kHoverBack = RGB(0, 255, 0);
constexpr TColor kHoverText = RGB(0, 0, 255);

class HoverLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = new TWinControl(nullptr);
    parent->SetBounds(0, 0, 300, 200);
    parent->SetColor(kParent);
    parent->HandleNeeded();
    label = new THoverLabel(parent);
    label->SetName("HoverLabel1");
    label->SetBounds(10, 20, 116, 19);
    label->SetColor(kBack);
    label->SetHoverColor(kHoverBack);
    label->HoverFont()->Color = kHoverText;
    label->HoverFont()->Style = TFontStyles{fsUnderline};
    label->SetParent(parent);
  }
  void TearDown() override { delete parent; }
  COLORREF Pixel(int x, int y) {
    ws->ProcessMessages();
    return ws->PixelAt(parent->Handle(), label->Left() + x, label->Top() + y);
  }
  const TFakeGlyph* Glyph(int x, int y) {
    ws->ProcessMessages();
    return ws->TextAt(parent->Handle(), label->Left() + x, label->Top() + y);
  }
  void Enter(bool cursorInside) {
    ws->SetCursorPosition(label->ClientToScreen(cursorInside ? TPoint(30, 5) : TPoint(-50, 5)));
    label->Perform(CM_MOUSEENTER, 0, 0);
  }

  TFakeWidgetsetScope ws;
  TWinControl* parent = nullptr;
  THoverLabel* label = nullptr;
};

TEST_F(HoverLabelTest, NewLabelHasTheDocumentedDefaults) {
  THoverLabel l(nullptr);
  EXPECT_EQ(l.BoundsRect(), TRect(0, 0, 116, 19));
  EXPECT_EQ(l.Color(), clBtnFace);
  EXPECT_EQ(l.HoverColor(), clBtnFace);
  EXPECT_EQ(l.HoverFont()->Color, l.Font()->Color());
  EXPECT_TRUE(l.HoverFont()->Style.Empty());
  EXPECT_FALSE(l.HoverCursor() || l.AutoSize() || l.Wordwrap() || l.Transparent() || l.Hovered());
  EXPECT_EQ(l.Alignment(), taLeftJustify);
  EXPECT_EQ(l.Layout(), tlTop);
  EXPECT_TRUE(l.Glyph()->Transparent());
  EXPECT_EQ(label->Caption(), "HoverLabel1");  // the caption follows the name
  l.SetTransparent(true);
  EXPECT_FALSE(l.ControlStyle().Contains(csOpaque));
}

TEST_F(HoverLabelTest, PaintsTheTextAreaRightOfTheGlyphAndHoverColours) {
  label->SetCaption("Link");
  EXPECT_EQ(Pixel(2, 5), kParent);  // no glyph: the four pixels before the text are not filled
  EXPECT_EQ(Pixel(4, 5), kBack);
  EXPECT_EQ(Pixel(115, 18), kBack);
  const TFakeGlyph* g = Glyph(4, 0);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Ch, 'L');
  EXPECT_EQ(g->TextColor, ColorToRGB(label->Font()->Color()));
  EXPECT_FALSE(g->Opaque);

  Enter(true);
  EXPECT_TRUE(label->Hovered());
  EXPECT_EQ(Pixel(60, 5), kHoverBack);
  g = Glyph(4, 0);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->TextColor, kHoverText);
  EXPECT_EQ(g->Font.lfUnderline, 1);

  // Disabled: no hover look, the text twice (highlight shifted, then shadow).
  label->SetEnabled(false);
  EXPECT_EQ(Pixel(60, 5), kBack);
  ws->ClearCalls();
  label->Invalidate();
  ws->ProcessMessages();
  std::vector<std::pair<int, COLORREF>> texts;
  for (const TFakeDrawCall* c : ws->CallsOf(TFakeDrawCall::ExtTextOut))
    texts.push_back({c->DeviceRect.Left, c->TextColor});
  EXPECT_EQ(texts, (std::vector<std::pair<int, COLORREF>>{{label->Left() + 5, ColorToRGB(clBtnHighlight)},
                                                          {label->Left() + 4, ColorToRGB(clBtnShadow)}}));
}

TEST_F(HoverLabelTest, GlyphShiftsTheTextAndLayoutPlacesItVertically) {
  TBitmap glyph(10, 12);
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(TRect(0, 0, 10, 12));
  glyph.SetPixel(0, 11, clWhite);  // the see-through colour
  label->SetGlyph(&glyph);
  label->SetCaption("Go");
  label->SetHeight(40);
  EXPECT_EQ(Pixel(3, 3), clBlue);
  EXPECT_EQ(Pixel(0, 11), kParent);
  EXPECT_EQ(Pixel(12, 3), kParent);
  EXPECT_EQ(Pixel(14, 3), kBack);
  EXPECT_EQ(Glyph(14, 0)->Ch, 'G');
  label->SetLayout(tlBottom);
  EXPECT_EQ(Glyph(14, 24)->Ch, 'G');
  label->SetLayout(tlCenter);
  EXPECT_EQ(Glyph(14, 12)->Ch, 'G');
  // A glyph wider than the label.
  TBitmap wide(300, 5);
  label->SetGlyph(&wide);
  EXPECT_NO_THROW(ws->ProcessMessages());
}

TEST_F(HoverLabelTest, FittingAddsThreeToTheTextAndGlyph) {
  struct TCase {
    std::string Caption;
    int GlyphWidth, GlyphHeight;
    TRect Expected;
  };
  // The fake's characters are 8 x 16.
  const TCase cases[] = {
      {"Hello", 0, 0, TRect(10, 20, 10 + 43, 20 + 16)},
      {"Hello", 20, 24, TRect(10, 20, 10 + 63, 20 + 24)},
      {"", 0, 0, TRect(10, 20, 10 + 11, 20 + 16)},
      {"&", 0, 0, TRect(10, 20, 10 + 11, 20 + 16)},
  };
  for (const TCase& c : cases) {
    label->SetAutoSize(false);
    label->SetBounds(10, 20, 116, 19);
    TBitmap glyph(c.GlyphWidth, c.GlyphHeight);
    label->SetGlyph(&glyph);
    label->SetCaption(c.Caption);
    label->SetAutoSize(true);
    EXPECT_EQ(label->BoundsRect(), c.Expected) << c.Caption << " " << c.GlyphWidth;
  }
  // A caption change refits; right alignment keeps the right edge.
  label->SetAlignment(taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption("Longer text");
  EXPECT_EQ(label->Left() + label->Width(), right + 3);
  EXPECT_EQ(label->Width(), 88 + 3);
}

TEST_F(HoverLabelTest, EnteringWithTheCursorOutsideFiresButDoesNotHover) {
  std::vector<std::string> events;
  label->OnMouseEnter = [&](TObject*) { events.push_back(label->Hovered() ? "enter hovered" : "enter"); };
  label->OnMouseHover = [&](TObject*) { events.push_back("leave"); };
  Enter(false);
  EXPECT_FALSE(label->Hovered());
  Enter(true);
  EXPECT_TRUE(label->Hovered());
  label->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(label->Hovered());
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "enter hovered", "leave"}));
}

TEST_F(HoverLabelTest, HoverCursorShowsTheHandAsScreenCursorOne) {
  const HCURSOR hand = LoadCursorResource("HOVERHAND");
  ASSERT_TRUE(IsProgramCursor(hand));
  EXPECT_EQ(ScreenCursorHandle(crHoverHand), hand);
  EXPECT_EQ(CursorToIdc(crHoverHand), hand);
  const TCursorImage* image = ProgramCursorImage(hand);
  ASSERT_NE(image, nullptr);
  // The hot spot is the fingertip: an opaque pixel on the top row.
  EXPECT_EQ(image->HotSpot.Y, 0);
  EXPECT_NE(image->Pixels[size_t(image->HotSpot.X)] >> 24, 0u);
  EXPECT_EQ(image->Pixels[0] >> 24, 0u);

  label->SetHoverCursor(true);
  EXPECT_EQ(label->Cursor(), crHoverHand);
  Enter(true);
  EXPECT_EQ(label->Cursor(), crHoverHand);
  label->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(label->Cursor(), crDefault);
  Enter(true);
  EXPECT_EQ(label->Cursor(), crHoverHand);
  // Over the label the parent shows the hand.
  ws->MouseMove(parent->Handle(), label->Left() + 30, label->Top() + 5);
  EXPECT_EQ(ws->CurrentCursor(), hand);
  label->SetHoverCursor(false);
  EXPECT_EQ(label->Cursor(), crDefault);
}

TEST_F(HoverLabelTest, TransparentLabelLeavesTheBackground) {
  label->SetCaption("x");
  label->SetTransparent(true);
  EXPECT_EQ(Pixel(60, 5), kParent);
  label->SetCaption("");
  EXPECT_NO_THROW(ws->ProcessMessages());
}

}  // namespace
