// The etched section label: caption, then the etched rule at mid-height.
#include <gtest/gtest.h>

#include "EtchedLabels.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class EtchedLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TWinControl(nullptr);
    form->SetBounds(0, 0, 300, 100);
    form->SetColor(RGB(200, 210, 220));
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  TEtchedLabel* NewLabel(const std::string& caption) {
    auto* l = new TEtchedLabel(form);
    l->SetBounds(10, 20, 200, 13);
    l->SetParent(form);
    l->SetCaption(caption);
    ws->ProcessMessages();
    return l;
  }
  COLORREF At(TEtchedLabel* l, int x, int y) { return ws->PixelAt(form->Handle(), l->Left() + x, l->Top() + y); }
  TFakeWidgetsetScope ws;
  TWinControl* form = nullptr;
  const TColor back = RGB(200, 210, 220);
};

TEST_F(EtchedLabelTest, RuleFollowsTheCaptionAtMidHeight) {
  TEtchedLabel* l = NewLabel("");
  EXPECT_EQ(l->Space(), 5);
  EXPECT_EQ(l->Color(), back);  // the parent's colour
  EXPECT_TRUE(l->ControlStyle().Contains(csOpaque));
  const TColor shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Empty caption: from 5 + 0 + 8 = 13 to the right edge.
  EXPECT_EQ(At(l, 12, 6), back);
  EXPECT_EQ(At(l, 13, 6), shadow);
  EXPECT_EQ(At(l, 13, 7), light);
  EXPECT_EQ(At(l, 199, 6), shadow);
  EXPECT_EQ(At(l, 199, 7), light);
  EXPECT_EQ(At(l, 13, 5), back);
  EXPECT_EQ(At(l, 13, 8), back);
  // A caption of three 8-pixel characters pushes the rule to 5 + 24 + 8.
  l->SetCaption("&Abc");
  ws->ProcessMessages();
  EXPECT_EQ(ws->RowText(form->Handle(), 20 - 1, 0, 300).empty() ? ws->TextAt(form->Handle(), 16, 25)->Ch : 'A', 'A');
  EXPECT_EQ(At(l, 36, 6), back);
  EXPECT_EQ(At(l, 37, 6), shadow);
  // Space takes effect at the next repaint only.
  l->SetSpace(15);
  ws->ProcessMessages();
  EXPECT_EQ(At(l, 37, 6), shadow);
  l->Invalidate();
  ws->ProcessMessages();
  EXPECT_EQ(At(l, 37, 6), back);
  EXPECT_EQ(At(l, 47, 6), shadow);
}

TEST_F(EtchedLabelTest, AWideCaptionLeavesNoRuleAndChangesRepaint) {
  TEtchedLabel* l = NewLabel(std::string(30, 'W'));
  for (int x = 0; x < 200; ++x) ASSERT_NE(At(l, x, 6), GetSysColor(COLOR_BTNSHADOW)) << x;
  l->SetColor(clRed);
  ws->ProcessMessages();
  EXPECT_EQ(At(l, 199, 0), clRed);
  l->SetCaption("");
  ws->ProcessMessages();
  EXPECT_EQ(At(l, 13, 6), GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace
