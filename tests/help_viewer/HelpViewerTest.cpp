// Brindel Norvane starts with its one window, which ends the program when
// it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <set>

#include "CaptionFit.h"
#include "MarkupHint.h"
#include "Project1.h"
#include "UiFixture.h"
#include "Unit1.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

int gArgc = 1;
char gArg0[] = "help_viewer_tests";
char* gArgv[] = {gArg0, nullptr};

TEST(HelpViewerTest, StartsWithItsWindowAndEndsWhenItCloses) {
  // The window's browser starts the web engine, here without its sandbox.
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
  QApplication app(gArgc, gArgv);
  TQtPlatform platform(gArgc, gArgv);
  TUiScriptScope ui;
  Project1Start();
  EXPECT_EQ(Application->Title(), "Brindel Norvane");
  ASSERT_NE(Form1, nullptr);
  EXPECT_EQ(Application->MainForm(), Form1);
  EXPECT_EQ(Application->CreatedForms().size(), 1u);
  EXPECT_EQ(Form1->Caption(), "Brindel Norvane");
  Form1->SetVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(Form1->Width(), 645);
  EXPECT_EQ(Form1->Height(), 684);
  EXPECT_EQ(Form1->Left(), (Screen->Width() - 645) / 2);
  EXPECT_EQ(Form1->TaskPanel1->Height(), 89);
  EXPECT_EQ(Form1->StatusBar1->Height(), 19);
  // Its captions show whole in the fonts that stand for the design's.
  EXPECT_GT(ExpectCaptionsFit(Form1), 0);
  QImage shot = QtGrabWidget(Form1->Handle());
  std::set<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 4)
    for (int x = 0; x < shot.width(); x += 4) colours.insert(shot.pixel(x, y));
  // The banner strip, the browser's place and the status bar.
  EXPECT_GT(colours.size(), 2u);
  EXPECT_TRUE(colours.count(qRgb(154, 236, 255))) << "banner colour";
  // The seven navigation buttons in one row on the banner.
  const struct {
    const char* name;
    const char* hint;
  } buttons[] = {
      {"XpSpeedButton1", "Навигация по Справке\r\nНазад"},
      {"XpSpeedButton2", "Навигация по Справке\r\nВперед"},
      {"XpSpeedButton5", "Навигация по Справке\r\nОстановить открытие документа"},
      {"XpSpeedButton3", "Сохранить текущий документ"},
      {"XpSpeedButton6", "Печать текущего документа"},
      {"XpSpeedButton9", "Главная страница\r\nПоказать главную страницу Справки"},
      {"XpSpeedButton4", "Свойства текущего документа"},
  };
  for (int i = 0; i < 7; ++i) {
    auto* b = dynamic_cast<TXpSpeedButton*>(Form1->FindComponent(buttons[i].name));
    ASSERT_NE(b, nullptr) << buttons[i].name;
    EXPECT_EQ(b->Parent(), Form1->TaskPanel1);
    EXPECT_EQ(b->BoundsRect(), TRect(7 + 40 * i, 49, 7 + 40 * i + 33, 49 + 34));
    EXPECT_TRUE(b->Flat());
    EXPECT_EQ(b->Hint(), Ansi(buttons[i].hint));
    EXPECT_EQ(b->Glyph()->Width(), 32);
    EXPECT_EQ(b->Glyph()->Height(), 32);
    EXPECT_TRUE(bool(b->OnClick)) << buttons[i].name;
  }
  // The pictures show on the banner.
  std::set<QRgb> row;
  for (int x = 7; x < 280; ++x) row.insert(shot.pixel(x, 49 + 17));
  EXPECT_GT(row.size(), 4u);
  // The banner is a windows-style task panel without its title: its body
  // inside a one-pixel frame of (246, 247, 247).
  TTaskPanel* banner = Form1->TaskPanel1;
  EXPECT_EQ(banner->Style(), xpWindows);
  EXPECT_FALSE(banner->Title()->Visible());
  for (TTaskButton* b : {banner->Title()->ButtonSpin(), banner->Title()->ButtonClose()})
    EXPECT_FALSE(b->Visible() || b->Enabled());
  EXPECT_TRUE(banner->Animated());
  EXPECT_FALSE(banner->Moveable() || banner->Sound() || banner->Transparent());
  QImage strip = QtGrabWidget(banner->Handle());
  ASSERT_EQ(strip.height(), 89);
  EXPECT_EQ(strip.pixel(0, 0), qRgb(246, 247, 247));
  EXPECT_EQ(strip.pixel(strip.width() - 1, 88), qRgb(246, 247, 247));
  EXPECT_EQ(strip.pixel(strip.width() / 2, 44), qRgb(154, 236, 255));
  // Folding runs its animation through the Qt message loop and comes back.
  banner->Collapse();
  EXPECT_TRUE(banner->Collapsed());
  EXPECT_EQ(banner->Height(), 19);
  banner->Expand();
  EXPECT_FALSE(banner->Collapsed());
  EXPECT_EQ(banner->Height(), 89);
  QApplication::processEvents();
  EXPECT_EQ(QtGrabWidget(banner->Handle()).height(), 89);
  Form1->Close();
  EXPECT_TRUE(Application->Terminated());
  Project1Done();
  EXPECT_EQ(Form1, nullptr);
}

TEST(HelpViewerTest, HintsShowInTheMarkupHintWindow) {
  QApplication app(gArgc, gArgv);
  TQtPlatform platform(gArgc, gArgv);
  TUiScriptScope ui;
  Project1Start();
  ASSERT_NE(Form1->MarkupHint1, nullptr);
  EXPECT_EQ(Form1->MarkupHint1->HintColorTo(), TColor(15000804));
  EXPECT_TRUE(Form1->MarkupHint1->Ellipsis());
  // A button of the row as the viewer's buttons carry their hints: two
  // lines joined by CR LF.
  auto* b = new TButton(Form1);
  b->SetParent(Form1->TaskPanel1);
  b->SetBounds(7, 49, 33, 34);
  b->SetHint(Ansi("Навигация по Справке\r\nНазад"));
  b->SetShowHint(true);
  Form1->SetVisible(true);
  QApplication::processEvents();
  b->Perform(WM_MOUSEMOVE, 0, MakeLParam(2, 2));
  Application->ActivateHint(b->ClientToScreen(TPoint(2, 2)));
  auto* w = dynamic_cast<TMarkupHintWindow*>(Application->HintWindow());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->IsShowing());
  w->Canvas()->Font()->Assign(Form1->MarkupHint1->HintFont());
  EXPECT_EQ(w->Height(), 2 * w->Canvas()->TextHeight("gh") + 2 + 4);
  QImage shot = QtGrabWidget(w->Handle());
  EXPECT_GT(qRed(shot.pixel(shot.width() / 2, 1)), qRed(shot.pixel(shot.width() / 2, shot.height() - 2)));
  Application->CancelHint();
  Form1->Close();
  Project1Done();
}

}  // namespace
