// The tray icon over the fake widget set and the recording tray.
#include "TrayIcon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/Win32.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingNotifyIcon.h"

namespace {

// An image list of `count` 16 x 16 icons, icon i filled with RGB(i * 10, 0, 0).
void FillList(TImageList* list, int count) {
  for (int i = 0; i < count; ++i) {
    TBitmap b(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) b.SetPixel(x, y, RGB(i * 10 + 5, 0, 0));
    list->Add(&b, nullptr);
  }
}

TColor PictureColour(const TRecordingNotifyIcon::TShown* s) {
  if (!s || s->Picture->Empty()) return clNone;
  return s->Picture->Image()->Pixel(8, 8);
}

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    form->SetBounds(10, 10, 300, 200);
    tray = new TTrayIcon(form);
    tray->Icon()->SetWidth(16);
    tray->Icon()->SetHeight(16);
  }
  void TearDown() override {
    DoneApplication();
    form = nullptr;
  }
  const std::vector<std::string>& Log() const { return log; }
  void Record(const std::string& what) { log.push_back(what); }
  // Delivers a notification the way the tray posts it.
  void Tray(UINT code) {
    ASSERT_TRUE(rec.Notify(code));
    ws->ProcessMessages();
  }
  HWND TrayWindow() { return TTrayIconHandler::Instance()->Handle(); }

  TFakeWidgetsetScope ws;
  TRecordingNotifyIcon rec;
  TForm* form = nullptr;
  TTrayIcon* tray = nullptr;
  std::vector<std::string> log;
};

TEST_F(TrayIconTest, RecordIsFilledAndTheTipIsCutTo127Bytes) {
  const NOTIFYICONDATA& d = tray->IconData();
  EXPECT_EQ(d.cbSize, 488u);
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 2048u);
  EXPECT_EQ(d.uID, reinterpret_cast<uintptr_t>(tray));
  EXPECT_EQ(d.hWnd, TrayWindow());

  tray->SetHint(std::string(200, 'x'));
  EXPECT_TRUE(tray->ShowIcon());
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, std::string(127, 'x'));
  tray->SetHint(Ansi("Свернуто"));
  EXPECT_EQ(rec.Single()->Tip, Ansi("Свернуто"));
  tray->SetShowHint(false);
  EXPECT_EQ(rec.Single()->Tip, "");
  EXPECT_TRUE(tray->HideIcon());
  EXPECT_FALSE(tray->IconVisible());
  EXPECT_TRUE(rec.Icons.empty());
}

TEST_F(TrayIconTest, AnIconWithoutAPictureShowsAsNoIcon) {
  TIcon none;
  tray->SetIcon(&none);
  tray->SetIconVisible(true);
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_TRUE(rec.Single()->Picture->Empty());
}

TEST_F(TrayIconTest, ClickWithoutDoubleClickHandlerFiresOnTheLeftUp) {
  tray->OnClick = [this](TObject* s) { Record(s == tray ? "click" : "?"); };
  tray->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState sh, int, int) {
    Record(b == mbLeft && sh.Contains(ssLeft) ? "down" : "?");
  };
  tray->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Record("up"); };
  tray->SetIconVisible(true);
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONUP);
  EXPECT_EQ(Log(), (std::vector<std::string>{"down", "click", "up"}));
}

TEST_F(TrayIconTest, WithADoubleClickHandlerASingleClickWaitsForTheDoubleClickTime) {
  tray->OnClick = [this](TObject*) { Record("click"); };
  tray->OnDblClick = [this](TObject*) { Record("dbl"); };
  tray->SetIconVisible(true);
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONUP);
  EXPECT_TRUE(Log().empty());
  ws->Advance(GetDoubleClickTime() + 10);
  EXPECT_EQ(Log(), (std::vector<std::string>{"click"}));
  log.clear();
  // A double click: only OnDblClick, neither now nor after the time.
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONUP);
  Tray(WM_LBUTTONDBLCLK);
  Tray(WM_LBUTTONUP);
  ws->Advance(GetDoubleClickTime() + 10);
  EXPECT_EQ(Log(), (std::vector<std::string>{"dbl"}));
  log.clear();
  // The mark of the double click does not swallow the next single click.
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONUP);
  ws->Advance(GetDoubleClickTime() + 10);
  EXPECT_EQ(Log(), (std::vector<std::string>{"click"}));
}

TEST_F(TrayIconTest, DisabledIconsIgnoreTheMouseButNotBalloons) {
  tray->OnClick = [this](TObject*) { Record("click"); };
  tray->OnBalloonHintClick = [this](TObject*) { Record("balloon"); };
  tray->OnBalloonHintShow = [this](TObject*) { Record("show"); };
  tray->SetEnabled(false);
  tray->SetIconVisible(true);
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONUP);
  Tray(NIN_BALLOONSHOW);
  Tray(NIN_BALLOONUSERCLICK);
  EXPECT_EQ(Log(), (std::vector<std::string>{"show", "balloon"}));
}

TEST_F(TrayIconTest, MiddleAndRightButtonsAndTheBehaviours) {
  tray->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState sh, int, int) {
    Record(std::string("down") + (b == mbMiddle && sh.Contains(ssMiddle) ? "M" : b == mbRight ? "R" : "?"));
  };
  tray->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
    Record(std::string("up") + (b == mbMiddle ? "M" : b == mbRight ? "R" : "?"));
  };
  tray->SetIconVisible(true);
  Tray(WM_MBUTTONDOWN);
  Tray(WM_MBUTTONUP);
  Tray(WM_RBUTTONDOWN);
  Tray(WM_RBUTTONUP);
  Tray(WM_CONTEXTMENU);
  tray->SetBehavior(1);
  Tray(WM_RBUTTONUP);
  Tray(NIN_SELECT);
  EXPECT_EQ(Log(), (std::vector<std::string>{"downM", "upM", "downR", "upR", "upR"}));
}

TEST_F(TrayIconTest, PopupMenuOnTheRightAndWithLeftPopupOnTheLeft) {
  auto* menu = new TPopupMenu(form);
  TMenuItem* show = NewItem(form, "Show", scNone, [this](TObject*) { Record("default item"); });
  show->SetDefault(true);
  menu->Items()->Add(NewItem(form, "Other"));
  menu->Items()->Add(show);
  menu->OnPopup = [this, menu](TObject*) { Record(menu->PopupComponent() == tray ? "popup" : "?"); };
  tray->SetPopupMenu(menu);
  tray->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Record("down"); };
  tray->SetIconVisible(true);
  Tray(WM_RBUTTONDOWN);
  EXPECT_EQ(Log(), (std::vector<std::string>{"down", "popup"}));
  log.clear();
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONDBLCLK);
  EXPECT_EQ(Log(), (std::vector<std::string>{"down", "default item"}));
  log.clear();
  tray->SetLeftPopup(true);
  Tray(WM_LBUTTONDOWN);
  Tray(WM_LBUTTONDBLCLK);
  EXPECT_EQ(Log(), (std::vector<std::string>{"down", "popup"}));
  log.clear();
  menu->SetAutoPopup(false);
  Tray(WM_RBUTTONDOWN);
  EXPECT_EQ(Log(), (std::vector<std::string>{"down"}));
  // A freed menu is forgotten.
  delete menu;
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  Tray(WM_RBUTTONDOWN);
}

TEST_F(TrayIconTest, IconIndexIsHeldToTheList) {
  auto* list = new TImageList(form);
  tray->SetIconVisible(true);
  tray->SetIconList(list);
  EXPECT_EQ(tray->IconIndex(), 0);
  tray->SetIconIndex(3);
  EXPECT_EQ(tray->IconIndex(), 0);  // empty list: 0, the icon unchanged
  EXPECT_EQ(tray->Icon()->Width(), 16);
  FillList(list, 5);
  struct TCase {
    int Set;
    int Expected;
  };
  for (TCase c : {TCase{10, 4}, TCase{2, 2}, TCase{-3, 0}, TCase{4, 4}}) {
    tray->SetIconIndex(c.Set);
    EXPECT_EQ(tray->IconIndex(), c.Expected) << c.Set;
    EXPECT_EQ(PictureColour(rec.Single()), RGB(c.Expected * 10 + 5, 0, 0)) << c.Set;
  }
  // A freed list is forgotten and the index goes back to 0.
  delete list;
  EXPECT_EQ(tray->IconList(), nullptr);
  EXPECT_EQ(tray->IconIndex(), 0);
}

TEST_F(TrayIconTest, CyclingStepsThroughTheListAndWrapsAround) {
  auto* list = new TImageList(form);
  FillList(list, 3);
  std::vector<int> next;
  tray->OnCycle = [&](TObject*, int n) { next.push_back(n); };
  tray->SetIconList(list);
  tray->SetIconVisible(true);
  tray->SetCycleIcons(true);  // interval 0: never steps
  ws->Advance(1000);
  EXPECT_TRUE(next.empty());
  tray->SetCycleInterval(100);
  ws->Advance(400);
  EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(tray->IconIndex(), 1);
  EXPECT_EQ(PictureColour(rec.Single()), RGB(15, 0, 0));
  // A tick on an emptied list does nothing.
  list->Clear();
  ws->Advance(300);
  EXPECT_EQ(next.size(), 4u);
  tray->SetCycleIcons(false);
}

TEST_F(TrayIconTest, AVisibleIconComesBackWithTheTray) {
  auto* other = new TTrayIcon(form);
  tray->SetIconVisible(true);
  other->SetIconVisible(false);
  rec.SetAvailable(false);
  EXPECT_TRUE(rec.Icons.empty());
  rec.SetAvailable(true);
  ws->ProcessMessages();
  ASSERT_EQ(rec.Icons.size(), 1u);
  EXPECT_NE(rec.Find(TrayWindow(), reinterpret_cast<uintptr_t>(tray)), nullptr);
}

TEST_F(TrayIconTest, TheHandlerWindowIgnoresUnknownIconsAndNeverCloses) {
  tray->OnClick = [this](TObject*) { Record("click"); };
  tray->SetIconVisible(true);
  HWND w = TrayWindow();
  SendMessage(w, TrayIconCallbackMessage, 0xDEAD0, WM_LBUTTONDOWN);
  SendMessage(w, TrayIconCallbackMessage, 0xDEAD0, WM_LBUTTONUP);
  EXPECT_TRUE(Log().empty());
  for (UINT m : {WM_DESTROY, WM_CLOSE, WM_QUERYENDSESSION, WM_QUIT, WM_ENDSESSION, WM_NCDESTROY})
    EXPECT_EQ(SendMessage(w, m, 0, 0), 1) << m;
  EXPECT_TRUE(ws->IsWindow(w));
  // The last icon takes the window with it.
  delete tray;
  EXPECT_EQ(TTrayIconHandler::Instance(), nullptr);
  EXPECT_FALSE(ws->IsWindow(w));
  EXPECT_TRUE(rec.Icons.empty());
}

TEST_F(TrayIconTest, LoadedAsksOnStartupAndHidesTheMainForm) {
  form->Show();
  tray->OnStartup = [](TObject*, bool& show) { show = false; };
  tray->Loaded();
  EXPECT_FALSE(Application->ShowMainForm());
  EXPECT_FALSE(form->Visible());
}

// ---- minimising to the tray ----
class MinimizeToTrayTest : public TrayIconTest {
 protected:
  void SetUp() override {
    TrayIconTest::SetUp();
    // What the form's own window procedure sees of system commands.
    delete tray;
    auto previous = form->WindowProc;
    form->WindowProc = [this, previous](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) Record("form sees minimise");
      previous ? previous(m) : form->WndProc(m);
    };
    tray = new TTrayIcon(form);
    tray->SetMinimizeToTray(true);
    tray->OnMinimizeToTray = [this](TObject*) {
      Record("event");
      tray->SetHint("caption");
    };
    form->Show();
  }
};

TEST_F(MinimizeToTrayTest, TheTitleBarMinimiseHidesTheFormToTheTray) {
  EXPECT_EQ(SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"event"}));
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(tray->IconVisible());
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, "caption");
  // The add came before the hiding: the call log has the icon, the form is gone.
  tray->RestoreMainForm();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(MinimizeToTrayTest, AWindowHiddenInATrayThatGoesComesBack) {
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_FALSE(form->Visible());
  rec.SetAvailable(false);
  ws->ProcessMessages();
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(tray->IconVisible());
  // The tray back: nothing to add, the window is on screen.
  rec.SetAvailable(true);
  ws->ProcessMessages();
  EXPECT_TRUE(rec.Icons.empty());
  EXPECT_TRUE(form->Visible());
}

TEST_F(MinimizeToTrayTest, WithoutATrayTheFormStaysMinimisedAndVisible) {
  rec.SetAvailable(false);
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"form sees minimise"}));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_FALSE(tray->IconVisible());
}

TEST_F(MinimizeToTrayTest, ARefusedIconLetsTheMinimiseThrough) {
  // The tray is there but already holds an icon under this identity.
  TNotifyIconRequest clash;
  clash.Wnd = TrayWindow();
  clash.Id = reinterpret_cast<uintptr_t>(tray);
  rec.Add(clash);
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"event", "form sees minimise"}));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsMinimized);
}

TEST_F(MinimizeToTrayTest, TheApplicationsMinimiseTakesTheHookWithoutTheEvent) {
  Application->Minimize();
  EXPECT_TRUE(Log().empty());
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(tray->IconVisible());
  tray->RestoreMainForm();
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(form->WindowState(), wsNormal);

  rec.SetAvailable(false);
  tray->SetIconVisible(false);
  Application->Minimize();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_FALSE(tray->IconVisible());
}

TEST_F(MinimizeToTrayTest, AnIconAlreadyInTheTrayIsUpdated) {
  tray->SetIconVisible(true);
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(form->Visible());
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, "caption");
}

TEST_F(MinimizeToTrayTest, OffOrWithoutAHandlerTheSubclassLetsTheCommandThrough) {
  tray->SetMinimizeToTray(false);
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"form sees minimise"}));
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(tray->IconVisible());
}

TEST_F(MinimizeToTrayTest, HidingBecauseTheParentClosesGoesToTheTray) {
  EXPECT_EQ(SendMessage(form->WindowHandle(), WM_SHOWWINDOW, 0, 1), 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"event"}));
  EXPECT_TRUE(tray->IconVisible());
  EXPECT_FALSE(form->Visible());
}

TEST_F(MinimizeToTrayTest, TheFormsWindowProcedureIsRestored) {
  delete tray;
  tray = nullptr;
  SendMessage(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"form sees minimise"}));
}

}  // namespace
