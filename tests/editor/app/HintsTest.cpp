// Every hint of the program in the markup hint window: each control of
// every window that has a hint has hints on, and hovering it shows a
// TMarkupHintWindow sized to the rendered text, with the white-to-grey
// gradient.
#include <QImage>
#include <algorithm>
#include <functional>
#include <string>

#include "EditorAppFixture.h"
#include "MarkupHint.h"
#include "W2kMain.h"
#include "platform/Forms.h"
#include "platform/qt/QtWidgetset.h"

namespace {

void WalkControls(TControl* c, const std::function<void(TControl*)>& visit) {
  visit(c);
  if (auto* w = dynamic_cast<TWinControl*>(c))
    for (int i = 0; i < w->ControlCount(); ++i) WalkControls(w->Controls(i), visit);
}

TEST_F(EditorAppTest, EveryHintedControlShowsItsHintInTheMarkupWindow) {
  Start(true);
  TMarkupHint* h = Main()->MarkupHint1;
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->Name(), "MarkupHint1");
  EXPECT_TRUE(h->Ellipsis());
  EXPECT_EQ(h->HintColor(), clWhite);
  EXPECT_EQ(h->HintColorTo(), TColor(15000804));
  EXPECT_EQ(h->HintFont()->Name(), "Trebuchet MS");
  EXPECT_EQ(h->HintFont()->Height(), -11);
  EXPECT_EQ(h->ShadowOffset(), 5);
  int hinted = 0;
  for (TCustomForm* form : Application->CreatedForms()) {
    WalkControls(form, [&](TControl* c) {
      if (c == form || GetShortHint(c->Hint()).empty()) return;
      ++hinted;
      EXPECT_TRUE(c->ShowHint()) << form->Name() << "." << c->Name();
      bool wasVisible = form->Visible();
      form->Show();
      Pump();
      c->Perform(WM_MOUSEMOVE, 0, MakeLParam(2, 2));
      TPoint at = c->ClientToScreen(TPoint(2, 2));
      Application->ActivateHint(at);
      Pump();
      auto* w = dynamic_cast<TMarkupHintWindow*>(Application->HintWindow());
      ASSERT_NE(w, nullptr) << c->Name();
      EXPECT_TRUE(w->IsShowing()) << c->Name();
      EXPECT_EQ(w->Width(), w->TextWidth() + 16) << c->Name();
      EXPECT_EQ(w->Height(), w->TextHeight() + 4) << c->Name();
      // Below the cursor; one that would leave the cursor's monitor moves
      // left to end 2 pixels inside it.
      TRect monitor = Screen->MonitorFromPoint(at).BoundsRect;
      int left = at.X + w->Width() > monitor.Right ? std::max(monitor.Left, monitor.Right - w->Width() - 2) : at.X;
      EXPECT_EQ(w->Left(), left) << c->Name();
      int shownTop = at.Y + 20 + w->Height() > monitor.Bottom ? monitor.Bottom - 2 - w->Height() : at.Y + 20;
      EXPECT_EQ(w->Top(), shownTop) << c->Name();
      QImage shot = QtGrabWidget(w->Handle());
      ASSERT_FALSE(shot.isNull());
      // Lighter at the top than at the bottom, inside the frame.
      QRgb top = shot.pixel(shot.width() - 3, 1), bottom = shot.pixel(shot.width() - 3, shot.height() - 2);
      EXPECT_GE(qRed(top), 0xF8) << c->Name();
      EXPECT_LT(qRed(bottom), qRed(top)) << c->Name();
      Application->CancelHint();
      if (!wasVisible) form->Hide();
    });
  }
  EXPECT_GE(hinted, 3);
  // A two-line hint gives two lines.
  TMarkupHintWindow* w = dynamic_cast<TMarkupHintWindow*>(Application->HintWindow());
  ASSERT_NE(w, nullptr);
  std::string two = "one\r\ntwo", s = two;
  bool canShow = true;
  THintInfo info;
  info.HintPos = TPoint(100, 100);
  h->AppShowHint(s, canShow, info);
  w->ActivateHint(TRect(100, 100, 200, 200), two);
  w->Canvas()->Font()->Assign(h->HintFont());
  EXPECT_EQ(w->TextHeight(), 2 * w->Canvas()->TextHeight("gh") + 2);
}

}  // namespace
