// The main window's flat menus and its tray icon in the running editor
// (offscreen Qt): the File menu drawn by the painter, minimise-to-tray
// with a recording tray, and the offscreen platform's own answer: no tray,
// so minimising stays an ordinary minimise.
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "EditorAppFixture.h"
#include "Unit14.h"
#include "Unit2.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/qt/QtWidgetset.h"
#include "platform/testing/RecordingNotifyIcon.h"

namespace {

QColor Q(TColor c) { return ColorToQColor(ColorToRGB(c)); }

TEST_F(EditorAppTest, TheFileMenuIsDrawnFlat) {
  Start();
  Main()->MenuPainter.GutterColor = RGB(190, 20, 20);
  QMenuBar* bar = QtFormMenuBar(Main()->Handle());
  ASSERT_NE(bar, nullptr);
  QMenu* file = bar->actions().at(0)->menu();
  ASSERT_NE(file, nullptr);
  emit file->aboutToShow();
  file->adjustSize();
  QImage img = file->grab().toImage();
  ASSERT_GT(img.height(), 100);
  // The gutter is the image width + 9 wide: the colour left of it, the
  // background right of it, on most rows.
  int gutter = 0, background = 0;
  for (int y = 0; y < img.height(); ++y) {
    if (img.pixelColor(3, y) == Q(Main()->MenuPainter.GutterColor)) ++gutter;
    if (img.pixelColor(16 + 9 + 1, y) == Q(Main()->MenuPainter.BackgroundColor)) ++background;
  }
  EXPECT_GT(gutter, img.height() * 9 / 10);
  EXPECT_GT(background, img.height() * 8 / 10);
}

TEST_F(EditorAppTest, MinimisingWithATrayHidesTheWindowAndAClickBringsItBack) {
  TRecordingNotifyIcon rec;
  Start();
  Form9->Show();
  Pump();
  SendMessage(Main()->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_FALSE(Main()->Visible());
  EXPECT_FALSE(Form9->Visible());
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, Main()->Caption());
  EXPECT_FALSE(rec.Single()->Picture->Empty());
  ASSERT_TRUE(rec.Notify(WM_LBUTTONDOWN));
  ASSERT_TRUE(rec.Notify(WM_LBUTTONUP));
  Pump();
  EXPECT_TRUE(Main()->Visible());
  EXPECT_EQ(Main()->WindowState(), wsNormal);
  EXPECT_TRUE(rec.Icons.empty());
  EXPECT_FALSE(Form9->Visible());

  // Ctrl+F10 ("Скрыть окно редактора") goes through the application: the
  // same hiding without the event, so the tip stays as it was.
  Main()->TrayIcon1->SetHint("kept");
  Main()->FileExit1->Execute();
  Pump();
  EXPECT_FALSE(Main()->Visible());
  ASSERT_NE(rec.Single(), nullptr);
  EXPECT_EQ(rec.Single()->Tip, "kept");
  // "Показать окно" restores too.
  Main()->TrayShowItem->Click();
  Pump();
  EXPECT_TRUE(Main()->Visible());
  EXPECT_TRUE(rec.Icons.empty());
}

TEST_F(EditorAppTest, OffscreenThereIsNoTrayAndMinimisingLeavesTheWindowMinimised) {
  Start();
  ASSERT_FALSE(TrayAvailable());
  EXPECT_TRUE(Main()->TrayIcon1->MinimizeToTray());
  SendMessage(Main()->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_TRUE(Main()->Visible());
  EXPECT_EQ(Main()->WindowState(), wsMinimized);
  EXPECT_FALSE(Main()->TrayIcon1->IconVisible());
  Main()->FileExit1->Execute();
  Pump();
  EXPECT_TRUE(Main()->Visible());
}

TEST_F(EditorAppTest, TheSettingsBoxOffMakesMinimisingOrdinary) {
  TRecordingNotifyIcon rec;
  Start(false);
  Form2->tray->SetChecked(false);
  Main()->SetVisible(true);
  Pump();
  EXPECT_FALSE(Main()->TrayIcon1->MinimizeToTray());
  SendMessage(Main()->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_TRUE(Main()->Visible());
  EXPECT_TRUE(rec.Icons.empty());
}

}  // namespace
