// The flat menu painter inside a real QMenu, and the Qt tray on the
// offscreen platform, which has no tray.
#include <gtest/gtest.h>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include <memory>

#include "FlatMenus.h"
#include "QtTestEnv.h"
#include "platform/Menus.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtMenus.h"

namespace {

QColor Q(TColor c) { return ColorToQColor(ColorToRGB(c)); }

TEST(FlatMenuGuiTest, AQMenuShowsTheGutterTheBackgroundAndTheSeparator) {
  TestWidgetset();
  TComponent owner(nullptr);
  auto* menu = new TPopupMenu(&owner);
  menu->Items()->Add(NewItem(&owner, "Open", ShortCut('O', {ssCtrl})));
  menu->Items()->Add(NewLine(&owner));
  menu->Items()->Add(NewItem(&owner, "Close"));
  TFlatMenu painter;
  painter.GutterColor = RGB(200, 30, 30);
  painter.BackgroundColor = RGB(30, 200, 30);
  painter.AttachMenu(menu, nullptr);

  std::unique_ptr<QMenu> qmenu(NewViewMenu(nullptr));
  QtMenuView view(menu, qmenu.get(), false);
  qmenu->adjustSize();
  QImage img = qmenu->grab().toImage();
  ASSERT_FALSE(img.isNull());
  if (qEnvironmentVariableIsSet("BQS_SAVE_MENU")) img.save(qEnvironmentVariable("BQS_SAVE_MENU"));
  // Down the gutter column and the background column just right of it
  // (the gutter is 18 + 4 wide, the text starts 5 pixels later): two item
  // rows, the separator between them.
  int gutterRows = 0, backgroundRows = 0, lineRows = 0;
  int x = 23;
  for (int y = 0; y < img.height(); ++y) {
    if (img.pixelColor(4, y) == Q(painter.GutterColor)) ++gutterRows;
    if (img.pixelColor(x, y) == Q(painter.BackgroundColor)) ++backgroundRows;
    if (img.pixelColor(img.width() / 2, y) == Q(clBtnShadow)) ++lineRows;
  }
  // Two items of 18 pixels and a 5-pixel separator.
  EXPECT_EQ(img.height(), 2 * 18 + 5);
  EXPECT_EQ(gutterRows, 2 * 18 + 5) << "gutter rows";
  EXPECT_EQ(backgroundRows, 2 * 18 + 5) << "background rows";
  EXPECT_EQ(lineRows, 1) << "separator line";
}

TEST(QtTrayGuiTest, TheOffscreenPlatformHasNoTray) {
  TestWidgetset();
  QtNotifyIconBackend tray;
  EXPECT_FALSE(tray.TrayAvailable());
  TNotifyIconRequest r;
  r.Wnd = nullptr;
  r.Id = 1;
  r.Tip = "tip";
  EXPECT_FALSE(tray.Add(r));
  EXPECT_FALSE(tray.Modify(r));
  EXPECT_FALSE(tray.Delete(nullptr, 1));
}

TEST(QtMenuFontGuiTest, TheMenuFontComesFromQt) {
  TestWidgetset();
  InstallQtMenuFont();
  LOGFONT lf = SystemMenuFont();
  EXPECT_LT(lf.lfHeight, 0);
  EXPECT_NE(lf.lfFaceName[0], '\0');
  TFlatMenu painter;
  EXPECT_EQ(painter.ItemFont->Height(), lf.lfHeight);
}

}  // namespace
