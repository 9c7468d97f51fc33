// Shared-window timers on the fake clock.
#include "SharedTimer.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Messages.h"
#include "platform/Win32.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class SharedTimerTest : public ::testing::Test {
 protected:
  HWND Window() { return TSharedTimerHandler::Instance()->Handle(); }
  bool SystemTimer(const TSharedTimer& t) { return ws->TimerActive(Window(), t.Id()); }
  TFakeWidgetsetScope ws;
};

TEST_F(SharedTimerTest, TicksPausesOnIntervalZeroAndRestarts) {
  int ticks = 0;
  TSharedTimer t(100, [&](TObject* s) {
    EXPECT_EQ(s, &t);
    ++ticks;
  });
  EXPECT_FALSE(t.Enabled());
  EXPECT_TRUE(t.Start());
  ws->Advance(350);
  EXPECT_EQ(ticks, 3);
  t.SetInterval(0);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(SystemTimer(t));
  ws->Advance(1000);
  EXPECT_EQ(ticks, 3);
  t.SetInterval(500);
  EXPECT_TRUE(SystemTimer(t));
  EXPECT_EQ(ws->TimerInterval(Window(), t.Id()), 500u);
  ws->Advance(500);
  EXPECT_EQ(ticks, 4);
  // Clearing the handler pauses; Stop(false) pauses too; Enabled := false stops.
  t.SetOnTimer(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(SystemTimer(t));
  t.SetEnabled(true);
  EXPECT_TRUE(SystemTimer(t));
  EXPECT_TRUE(t.Stop(false));
  EXPECT_TRUE(t.Enabled());
  t.SetEnabled(false);
  EXPECT_FALSE(t.Enabled());
}

TEST_F(SharedTimerTest, IntervalZeroDoesNotStart) {
  TSharedTimer t(0, [](TObject*) {});
  EXPECT_FALSE(t.Start());
  t.SetEnabled(true);
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(TSharedTimer().Interval(), 1000u);
}

TEST_F(SharedTimerTest, AutoDisableStopsBeforeTheHandlerRuns) {
  int ticks = 0;
  TSharedTimer t(50, nullptr);
  t.SetOnTimer([&](TObject*) {
    EXPECT_FALSE(t.Enabled());
    ++ticks;
  });
  t.AutoDisable = true;
  t.SetEnabled(true);
  ws->Advance(500);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(SystemTimer(t));
}

TEST_F(SharedTimerTest, TheWindowLivesWithItsLastTimer) {
  EXPECT_EQ(TSharedTimerHandler::Instance(), nullptr);
  auto a = std::make_unique<TSharedTimer>();
  HWND first = Window();
  EXPECT_TRUE(ws->IsWindow(first));
  auto b = std::make_unique<TSharedTimer>();
  EXPECT_EQ(Window(), first);
  EXPECT_EQ(TSharedTimerHandler::Instance()->Count(), 2);
  b->SetEnabled(true);
  b.reset();
  EXPECT_EQ(ws->TimerCount(), 0);
  EXPECT_TRUE(ws->IsWindow(first));
  a.reset();
  EXPECT_EQ(TSharedTimerHandler::Instance(), nullptr);
  EXPECT_FALSE(ws->IsWindow(first));
  TSharedTimer c;
  EXPECT_TRUE(ws->IsWindow(Window()));
}

TEST_F(SharedTimerTest, UnknownIdentifiersAreIgnored) {
  int ticks = 0;
  TSharedTimer live(100, [&](TObject*) { ++ticks; });
  uintptr_t dead;
  {
    TSharedTimer gone(100, [&](TObject*) { ++ticks; });
    dead = gone.Id();
  }
  SendMessage(Window(), WM_TIMER, dead, 0);
  SendMessage(Window(), WM_TIMER, 0x1234, 0);
  EXPECT_EQ(ticks, 0);
  SendMessage(Window(), WM_TIMER, live.Id(), 0);
  EXPECT_EQ(ticks, 1);
}

TEST_F(SharedTimerTest, AHandlerMayFreeItsTimer) {
  auto* t = new TSharedTimer(100, nullptr);
  t->SetOnTimer([&](TObject*) {
    delete t;
    t = nullptr;
  });
  t->SetEnabled(true);
  ws->Advance(300);
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(TSharedTimerHandler::Instance(), nullptr);
}

}  // namespace
