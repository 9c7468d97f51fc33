// Forms and the application object over the fake widget set.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/AppEvnts.h"
#include "platform/Buttons.h"
#include "platform/Forms.h"
#include "platform/Monitors.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::vector<std::string> gLog;

class TProbeForm : public TForm {
 public:
  explicit TProbeForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { gLog.push_back(Name() + ".create"); };
    OnShow = [this](TObject*) {
      gLog.push_back(Name() + ".show " + std::to_string(Left()) + "," + std::to_string(Top()));
    };
    OnHide = [this](TObject*) { gLog.push_back(Name() + ".hide"); };
    OnDestroy = [this](TObject*) { gLog.push_back(Name() + ".destroy"); };
  }
};

TProbeForm* gMain = nullptr;
TProbeForm* gSecond = nullptr;
TProbeForm* gThird = nullptr;

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    InitApplication();
    Application->Initialize();
    Application->SetTitle("Probe Title");
  }
  void TearDown() override {
    DoneApplication();
    gMain = gSecond = gThird = nullptr;
  }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
};

struct TReader : TForm {
  explicit TReader(TComponent* o);
};
TReader* gReader = nullptr;
TReader::TReader(TComponent* o) : TForm(o) {
  OnCreate = [](TObject* self) { gLog.push_back(self == static_cast<TObject*>(gReader) ? "ref ok" : "ref missing"); };
}

TEST_F(FormsTest, CreateFormStoresTheReferenceBeforeOnCreateAndTheFirstIsMain) {
  Application->CreateForm(gMain);
  EXPECT_EQ(Application->MainForm(), gMain);
  Application->CreateForm(gSecond);
  EXPECT_EQ(Application->MainForm(), gMain);
  Application->CreateForm(gReader);
  EXPECT_EQ(gLog.back(), "ref ok");
  EXPECT_EQ(Application->CreatedForms(), (std::vector<TCustomForm*>{gMain, gSecond, gReader}));
  gReader = nullptr;
}

TEST_F(FormsTest, ScreenCentredFormIsCentredOnEveryShow) {
  Application->CreateForm(gMain);
  gMain->SetName("A");
  gLog.clear();
  gMain->SetPosition(poScreenCenter);
  gMain->SetBounds(0, 0, 200, 200);
  gMain->Show();
  ASSERT_TRUE(gMain->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(gMain->WindowHandle()));
  EXPECT_EQ(gMain->Left(), (1280 - 200) / 2);
  EXPECT_EQ(gMain->Top(), (1024 - 200) / 2);
  gMain->Hide();
  EXPECT_FALSE(IsWindowVisible(gMain->WindowHandle()));
  gMain->SetBounds(10, 20, 300, 100);
  gMain->Show();
  EXPECT_EQ(gLog, (std::vector<std::string>{"A.show 540,412", "A.hide", "A.show 490,462"}));
}

TEST_F(FormsTest, CloseActsOnTheActionTheHandlerLeaves) {
  Application->CreateForm(gMain);
  Application->CreateForm(gSecond);
  gSecond->SetName("B");
  TCloseAction wanted = caHide;
  gSecond->OnClose = [&](TObject*, TCloseAction& a) {
    EXPECT_EQ(a, caHide);
    a = wanted;
  };
  struct TCase {
    TCloseAction action;
    bool visible;
    TWindowState state;
  };
  for (TCase c :
       {TCase{caHide, false, wsNormal}, TCase{caNone, true, wsNormal}, TCase{caMinimize, true, wsMinimized}}) {
    gSecond->SetWindowState(wsNormal);
    gSecond->Show();
    wanted = c.action;
    gSecond->Close();
    EXPECT_EQ(gSecond->Visible(), c.visible) << c.action;
    EXPECT_EQ(gSecond->WindowState(), c.state) << c.action;
  }
  EXPECT_FALSE(Application->Terminated());

  // caFree frees the form once the current message is done.
  wanted = caFree;
  gLog.clear();
  gSecond->Close();
  EXPECT_EQ(Application->CreatedForms().size(), 2u);
  Application->ProcessMessages();
  EXPECT_EQ(Application->CreatedForms().size(), 1u);
  EXPECT_EQ(gLog, std::vector<std::string>{"B.destroy"});

  // A vetoing OnCloseQuery keeps the main form; otherwise closing it ends
  // the application whatever the action (but caNone).
  bool allow = false;
  gMain->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  gMain->Show();
  gMain->Close();
  EXPECT_FALSE(Application->Terminated());
  allow = true;
  gMain->OnClose = [](TObject*, TCloseAction& a) { a = caNone; };
  gMain->Close();
  EXPECT_FALSE(Application->Terminated());
  gMain->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  gMain->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Application->MainForm(), gMain);
}

TEST_F(FormsTest, WindowCloseMessageClosesTheForm) {
  Application->CreateForm(gMain);
  Application->CreateForm(gSecond);
  gSecond->Show();
  SendMessage(gSecond->WindowHandle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(gSecond->Visible());
}

TEST_F(FormsTest, ShowModalRunsUntilModalResultAndDisablesTheOtherForms) {
  Application->CreateForm(gMain);
  Application->CreateForm(gSecond);
  gMain->Show();
  auto* ok = new TButton(gSecond);
  ok->SetParent(gSecond);
  ok->SetModalResult(mrOk);
  int closes = 0;
  gSecond->OnClose = [&](TObject*, TCloseAction& a) {
    EXPECT_EQ(a, caHide);
    ++closes;
  };
  bool mainEnabledDuring = true;
  ui->ExpectModalForm([&](TCustomForm* f) {
    EXPECT_EQ(f, gSecond);
    EXPECT_TRUE(f->Visible());
    mainEnabledDuring = IsWindowEnabled(gMain->WindowHandle());
    // The disabled main window ignores the window system's close.
    SendMessage(gMain->WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Application->Terminated());
    ok->Click();
  });
  EXPECT_EQ(gSecond->ShowModal(), mrOk);
  EXPECT_FALSE(mainEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(gMain->WindowHandle()));
  EXPECT_FALSE(gSecond->Visible());
  EXPECT_FALSE(gSecond->Modal());
  EXPECT_EQ(closes, 1);

  // Close on a modal form only asks for mrCancel; a veto keeps the loop
  // going until the next result.
  int queries = 0;
  gSecond->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  Application->OnIdle = [&](TObject*) {
    if (gSecond->ModalResult() == mrNone) gSecond->SetModalResult(mrAbort);
  };
  ui->ExpectModalForm([](TCustomForm* f) { f->Close(); });
  EXPECT_EQ(gSecond->ShowModal(), mrAbort);
  EXPECT_EQ(queries, 2);

  gSecond->Show();
  EXPECT_THROW(gSecond->ShowModal(), EInvalidOperation);
}

// While a form runs modally the other forms' windows, and the controls in
// them, take no input; it belongs to the form that was active; and however
// its loop ends, the other forms take input again.
TEST_F(FormsTest, ModalFormShutsTheOtherFormsOffUntilItsLoopEndsHoweverItEnds) {
  struct TWayOut {
    const char* Name;
    std::function<void(TButton* ok)> End;
    TModalResult Result;  // mrNone: the loop ends in an exception
  };
  const TWayOut ways[] = {
      {"a button's modal result", [](TButton* ok) { ok->Click(); }, mrOk},
      {"the form hidden by code", [](TButton*) { gSecond->Hide(); }, mrCancel},
      {"an exception", [](TButton*) { throw EInvalidOperation("stop"); }, mrNone},
  };
  for (const TWayOut& way : ways) {
    SCOPED_TRACE(way.Name);
    Application->CreateForm(gMain);
    Application->CreateForm(gSecond);
    Application->CreateForm(gThird);
    gMain->Show();
    gThird->Show();
    // A tool bar's speed button and the keys of each form.
    int clicks = 0;
    for (TForm* form : {static_cast<TForm*>(gMain), static_cast<TForm*>(gThird)}) {
      auto* b = new TSpeedButton(form);
      b->SetParent(form);
      b->SetBounds(10, 10, 80, 24);
      b->OnClick = [&](TObject*) { ++clicks; };
      form->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++clicks; };
    }
    TForm* onMain = gMain;
    TForm* onTool = gThird;
    auto* ok = new TButton(gSecond);
    ok->SetParent(gSecond);
    ok->SetModalResult(mrOk);
    auto press = [&](TForm* form) {
      ws->Click(form->WindowHandle(), 15, 15);
      ws->KeyDown('A', form->WindowHandle());
      ws->KeyUp('A', form->WindowHandle());
    };
    // A loop that would never end on its own gives up.
    int idle = 0;
    Application->OnIdle = [&](TObject*) {
      if (++idle > 50 && gSecond->ModalResult() == mrNone) gSecond->SetModalResult(mrIgnore);
    };
    HWND owner = nullptr;
    ui->ExpectModalForm([&](TCustomForm* f) {
      owner = f->WindowHandle()->OwnerWindow();
      press(onMain);
      press(onTool);
      EXPECT_EQ(clicks, 0);
      way.End(ok);
    });
    if (way.Result == mrNone)
      EXPECT_THROW(gSecond->ShowModal(), EInvalidOperation);
    else
      EXPECT_EQ(gSecond->ShowModal(), way.Result);
    EXPECT_EQ(owner, gMain->WindowHandle());
    EXPECT_FALSE(gSecond->Visible());
    EXPECT_FALSE(gSecond->Modal());
    press(onMain);
    press(onTool);
    EXPECT_EQ(clicks, 4);
    Application->OnIdle = nullptr;
    Application->DestroyForms();
  }
}

TEST_F(FormsTest, FormsAreDestroyedInReverseOrderOfCreation) {
  Application->CreateForm(gMain);
  gMain->SetName("A");
  Application->CreateForm(gSecond);
  gSecond->SetName("B");
  Application->CreateForm(gThird);
  gThird->SetName("C");
  gLog.clear();
  DoneApplication();
  EXPECT_EQ(gLog, (std::vector<std::string>{"C.destroy", "B.destroy", "A.destroy"}));
  InitApplication();
}

TEST_F(FormsTest, ExceptionsShowTheErrorBoxExceptTheSilentAbort) {
  auto raise = [](auto e) { GuardCall([e] { throw e; }); };
  raise(EAbort());
  EXPECT_TRUE(ui->History().empty());

  ui->ExpectMessage(IDOK, std::string("Cannot open file"), std::string("Probe Title"));
  raise(EFOpenError("Cannot open file"));
  ASSERT_EQ(ui->History().size(), 1u);
  EXPECT_EQ(ui->History()[0].Icon, TUiIcon::Error);
  EXPECT_EQ(ui->History()[0].Buttons, std::vector<int>{IDOK});

  // An error in OnCreate is shown and the creation goes on.
  struct TFailing : TForm {
    explicit TFailing(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw Exception("boom"); };
    }
  };
  TFailing* f = nullptr;
  ui->ExpectMessage(IDOK, std::string("boom"), std::string("Probe Title"));
  Application->CreateForm(f);
  EXPECT_EQ(Application->MainForm(), f);

  // OnException replaces the box.
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  raise(Exception("handled"));
  EXPECT_EQ(seen, "handled");
}

TEST_F(FormsTest, RunShowsTheMainFormAndReturnsWhenItCloses) {
  Application->CreateForm(gMain);
  gMain->SetName("A");
  gMain->OnShow = [](TObject* s) { static_cast<TForm*>(s)->Close(); };
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(gMain->Visible());
}

TEST_F(FormsTest, MinimiseAndRestoreGoThroughTheHooks) {
  Application->CreateForm(gMain);
  gMain->Show();
  std::vector<std::string> seen;
  bool consume = false;
  int tag = 0;
  Application->HookMainWindow(
      [&](TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND) seen.push_back(m.WParam == SC_MINIMIZE ? "sc-minimize" : "sc-restore");
        if (m.Msg == WM_SIZE) seen.push_back(m.WParam == SIZE_MINIMIZED ? "size-minimized" : "size-restored");
        return consume && m.Msg == WM_SYSCOMMAND;
      },
      &tag);
  Application->Minimize();
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(gMain->WindowState(), wsMinimized);
  Application->Restore();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(gMain->WindowState(), wsNormal);
  EXPECT_EQ(seen, (std::vector<std::string>{"sc-minimize", "size-minimized", "sc-restore", "size-restored"}));

  // A hook that consumes the command keeps the window as it is (the tray
  // icon takes it away instead).
  consume = true;
  Application->Minimize();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(gMain->WindowState(), wsNormal);
  Application->UnhookMainWindow(&tag);

  // The user's minimise of the main form minimises the application.
  SendMessage(gMain->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application->Minimized());
}

TEST_F(FormsTest, HintOfTheControlUnderTheMouseIsShown) {
  Application->CreateForm(gMain);
  auto* edit = new TEdit(gMain);
  edit->SetParent(gMain);
  edit->SetHint("Short|Long part");
  edit->SetShowHint(true);
  gMain->Show();
  std::string shown;
  Application->OnShowHint = [&](std::string& hint, bool& canShow, THintInfo& info) {
    shown = hint;
    EXPECT_EQ(info.HintControl, edit);
    EXPECT_EQ(info.HideTimeout, 10000);
  };
  Application->SetHintHidePause(10000);
  ws->MouseMove(edit->Handle(), 3, 4);
  Application->ActivateHint(TPoint(10, 10));
  EXPECT_EQ(shown, "Short");
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->IsShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Short");
  ws->MouseDown(edit->Handle(), mbLeft, 3, 4);
  EXPECT_FALSE(Application->HintWindow()->IsShowing());
}

// A hint goes when its control is clicked, when another window opens or
// takes the focus, and when the mouse leaves; and it stays gone while the
// mouse rests on the control.
TEST_F(FormsTest, HintGoesWithAClickAnotherWindowOrTheMouseLeavingAndStaysGone) {
  auto hintShown = [] { return Application->HintWindow() && Application->HintWindow()->IsShowing(); };
  const struct {
    const char* Name;
    std::function<void()> Do;
  } events[] = {
      {"a click on the control", [&] { ws->Click(gMain->WindowHandle(), 15, 15); }},
      {"another window opens", [] { gThird->Show(); }},
      {"another window takes the focus",
       [] {
         SendMessage(gMain->WindowHandle(), WM_ACTIVATE, WA_INACTIVE, 0);
         SendMessage(gSecond->WindowHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
       }},
      {"a modal window opens",
       [&] {
         bool shownDuring = true;
         ui->ExpectModalForm([&](TCustomForm* f) {
           ws->Advance(12000);
           shownDuring = hintShown();
           f->SetModalResult(mrOk);
         });
         gThird->ShowModal();
         EXPECT_FALSE(shownDuring);
       }},
      {"the mouse leaves the window", [&] { ws->MouseLeave(gMain->WindowHandle()); }},
  };
  for (const auto& event : events) {
    SCOPED_TRACE(event.Name);
    Application->CreateForm(gMain);
    Application->CreateForm(gSecond);
    Application->CreateForm(gThird);
    Application->SetHintHidePause(10000);
    gSecond->Show();
    gMain->Show();
    SendMessage(gMain->WindowHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
    auto* button = new TSpeedButton(gMain);
    button->SetParent(gMain);
    button->SetBounds(10, 10, 80, 24);
    button->SetHint("About (Ctrl+F1)");
    button->SetShowHint(true);
    ws->MouseMove(gMain->WindowHandle(), 15, 15);
    ws->Advance(600);
    ASSERT_TRUE(hintShown());
    event.Do();
    EXPECT_FALSE(hintShown());
    // Past the hide pause, when the hint would have come back.
    ws->Advance(12000);
    EXPECT_FALSE(hintShown());
    Application->DestroyForms();
  }
}

TEST_F(FormsTest, ShowHintReachesTheApplicationAndEveryEventsObjectInTurn) {
  Application->CreateForm(gMain);
  auto* edit = new TEdit(gMain);
  edit->SetParent(gMain);
  edit->SetHint("Hint");
  edit->SetShowHint(true);
  gMain->Show();
  std::vector<std::string> calls;
  Application->OnShowHint = [&](std::string& hint, bool&, THintInfo&) {
    calls.push_back("app " + hint);
    hint += "+app";
  };
  TApplicationEvents first(nullptr), second(nullptr);
  first.OnShowHint = [&](std::string& hint, bool&, THintInfo& info) {
    calls.push_back("first " + hint);
    info.HintColor = clRed;
  };
  second.OnShowHint = [&](std::string& hint, bool& canShow, THintInfo& info) {
    calls.push_back("second " + hint);
    EXPECT_EQ(info.HintColor, clRed);
    canShow = false;
  };
  ws->MouseMove(edit->Handle(), 3, 4);
  Application->ActivateHint(TPoint(10, 10));
  EXPECT_EQ(calls, (std::vector<std::string>{"app Hint", "first Hint+app", "second Hint+app"}));
  EXPECT_TRUE(!Application->HintWindow() || !Application->HintWindow()->IsShowing());
}

TEST_F(FormsTest, MonitorFromPointPicksTheHoldingOrNearestMonitor) {
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(5, 5)).BoundsRect, TRect(0, 0, 1280, 1024));
  TFixedMonitors two;
  two.Rects = {TRect(0, 0, 1280, 1024), TRect(1280, 100, 2080, 700)};
  SetMonitorBackend(&two);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(1500, 300)).Left(), 1280);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(3000, 50)).Width(), 800);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(-50, 2000)).Left(), 0);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(1279, 1023)).Left(), 0);
  SetMonitorBackend(nullptr);
}

}  // namespace
