// The plain speed button: a press and release over it clicks, a release
// elsewhere does not, a disabled one never clicks, and a click leaves the
// keyboard focus where it was.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/Buttons.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class SpeedButtonPlainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 100, 100, 21);
    button = new TSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 60, 22);
    button->SetCaption("<br>");
    button->OnClick = [this](TObject*) { ++clicks; };
  }
  void TearDown() override { DoneApplication(); }
  void Mouse(UINT msg, int x, int y) {
    form->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MakeLParam(uint16_t(x), uint16_t(y)));
  }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TSpeedButton* button = nullptr;
  int clicks = 0;
};

TEST_F(SpeedButtonPlainTest, PressAndReleaseOverItClicksAndTheFocusStays) {
  edit->SetFocus();
  ASSERT_TRUE(edit->Focused());
  struct TCase {
    int DownX, DownY, UpX, UpY;
    bool Enabled;
    int Clicks;
  };
  const TCase cases[] = {
      {20, 20, 25, 21, true, 1},   // over it
      {20, 20, 200, 20, true, 0},  // released elsewhere
      {69, 31, 69, 31, true, 1},   // its last pixel
      {70, 20, 70, 20, true, 0},   // just beside it
      {20, 20, 20, 20, false, 0},  // disabled
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.UpX);
    clicks = 0;
    button->SetEnabled(c.Enabled);
    Mouse(WM_LBUTTONDOWN, c.DownX, c.DownY);
    if (c.Enabled && c.DownX < 70) {
      EXPECT_TRUE(button->Pressed());
    }
    Mouse(WM_MOUSEMOVE, c.UpX, c.UpY);
    Mouse(WM_LBUTTONUP, c.UpX, c.UpY);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, c.Clicks);
    EXPECT_TRUE(edit->Focused());
  }
  // It has no window of its own: nothing to focus.
  EXPECT_FALSE(button->Flat());
  button->SetFlat(true);
  EXPECT_TRUE(button->Flat());
}

}  // namespace
