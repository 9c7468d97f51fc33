// The notification-area service: the shell record as the backend gets it,
// no tray without a backend, and registered message numbers.
#include "platform/NotifyIcon.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/RecordingNotifyIcon.h"

namespace {

TEST(NotifyIconTest, WithoutABackendThereIsNoTray) {
  ASSERT_EQ(NotifyIconBackend(), nullptr);
  NOTIFYICONDATA d;
  EXPECT_FALSE(TrayAvailable());
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, nullptr));
}

TEST(NotifyIconTest, TheRecordReachesTheBackendWithinItsFields) {
  TFakeWidgetsetScope ws;
  TRecordingNotifyIcon rec;
  NOTIFYICONDATA d;
  d.uID = 7;
  d.uFlags = NIF_MESSAGE | NIF_TIP;
  d.uCallbackMessage = 0x800;
  // A tip field without its NUL is read up to its last byte but one.
  std::memset(d.szTip, 'x', sizeof(d.szTip));
  EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, std::string(127, 'x'));
  EXPECT_EQ(rec.Single()->CallbackMessage, 0x800u);
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));  // there already
  d.uFlags = NIF_MESSAGE;                       // the tip is not given: kept
  d.szTip[0] = 0;
  EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &d));
  EXPECT_EQ(rec.Single()->Tip, std::string(127, 'x'));
  d.uFlags = NIF_TIP;
  EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &d));
  EXPECT_EQ(rec.Single()->Tip, "");
  EXPECT_TRUE(Shell_NotifyIcon(NIM_SETVERSION, &d));
  EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &d));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &d));
  EXPECT_FALSE(Shell_NotifyIcon(99, &d));
  rec.SetAvailable(false);
  EXPECT_FALSE(TrayAvailable());
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));
}

TEST(NotifyIconTest, RegisteredMessagesShareANumberPerName) {
  UINT a = RegisterWindowMessage("TaskbarCreated");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("taskbarcreated"), a);
  EXPECT_EQ(TaskbarCreatedMessage(), a);
  EXPECT_NE(TrayGoneMessage(), a);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

}  // namespace
