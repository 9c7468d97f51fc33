// The status bar and the page control.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class ComCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->CreateForm(form);
    form->SetBounds(0, 0, 700, 300);
    form->Show();
  }
  void TearDown() override { DoneApplication(); }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
};

TEST_F(ComCtrlsTest, StatusPanelsLieSideBySideAndTheLastRunsToTheEdge) {
  auto* bar = new TStatusBar(form);
  bar->SetParent(form);
  for (int w : {250, 145, 130}) bar->Panels()->Add()->SetWidth(w);
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(bar->PanelRect(1).Left, 250);
  EXPECT_EQ(bar->PanelRect(1).Right, 395);
  EXPECT_EQ(bar->PanelRect(2).Right, bar->ClientWidth());
  bar->Panels()->Items(0)->SetText("clock");
  bar->Repaint();
  bool found = false;
  for (int y = 0; y < bar->ClientHeight() && !found; ++y)
    found = ws->RowText(bar->Handle(), y, 0, 250).find("clock") != std::string::npos;
  EXPECT_TRUE(found);
  EXPECT_THROW(bar->Panels()->Items(3), EListError);
}

TEST_F(ComCtrlsTest, PageControlShowsOnePageAndAsksBeforeChanging) {
  auto* pc = new TPageControl(form);
  pc->SetParent(form);
  pc->SetBounds(0, 0, 400, 200);
  auto* p1 = new TTabSheet(form);
  p1->SetCaption("One");
  p1->SetPageControl(pc);
  auto* p2 = new TTabSheet(form);
  p2->SetCaption("Two");
  p2->SetPageControl(pc);
  EXPECT_EQ(pc->ActivePage(), p1);
  EXPECT_TRUE(p1->Visible());
  EXPECT_FALSE(p2->Visible());
  bool allow = false;
  int changes = 0;
  pc->OnChanging = [&](TObject*, bool& a) { a = allow; };
  pc->OnChange = [&](TObject*) { ++changes; };
  TRect tab = pc->TabRect(1);
  ws->Click(pc->Handle(), tab.Left + 2, tab.Top + 2);
  EXPECT_EQ(pc->ActivePage(), p1);
  allow = true;
  ws->Click(pc->Handle(), tab.Left + 2, tab.Top + 2);
  EXPECT_EQ(pc->ActivePage(), p2);
  EXPECT_EQ(changes, 1);
  pc->SetActivePageIndex(0);
  EXPECT_EQ(changes, 1);  // a change in code fires nothing
  delete p1;
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->ActivePage(), p2);
}

}  // namespace
