// The main window as Qt shows it offscreen: not blank, with its menu bar.
#include <QImage>
#include <QMenuBar>
#include <set>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Forms.h"
#include "platform/qt/QtWidgetset.h"

namespace {

TEST_F(EditorAppTest, MainWindowGrabbedOffscreenIsNotBlank) {
  Start();
  Main()->SetBounds(Main()->Left(), Main()->Top(), 640, 480);
  Pump();
  QImage shot = QtGrabWidget(Main()->Handle());
  ASSERT_FALSE(shot.isNull());
  EXPECT_GE(shot.width(), 600);
  std::set<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3)
    for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
  EXPECT_GT(colours.size(), 4u);
  QMenuBar* bar = QtFormMenuBar(Main()->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->actions().size(), 10);
  EXPECT_EQ(bar->actions().at(0)->text(), QString::fromUtf8("Файл"));
  EXPECT_TRUE(bar->isVisible());
  // The document takes the middle, between the bars.
  EXPECT_GT(Main()->Memo1->Width(), 0);
  EXPECT_GE(Main()->Memo1->Top(), Main()->ToolBar1->Height());
  EXPECT_GE(Main()->Memo1->Left(), Main()->TaskPanel1->Width());
  EXPECT_LE(Main()->Memo1->Top() + Main()->Memo1->Height(), Main()->StatusBar1->Top());
}

}  // namespace
