// Brindel Norvane starts with its one window, which ends the program when
// it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <set>

#include "MarkupHint.h"
#include "Project1.h"
#include "UiFixture.h"
#include "Unit1.h"
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
  QImage shot = QtGrabWidget(Form1->Handle());
  std::set<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 4)
    for (int x = 0; x < shot.width(); x += 4) colours.insert(shot.pixel(x, y));
  // The banner strip, the browser's place and the status bar.
  EXPECT_GT(colours.size(), 2u);
  EXPECT_TRUE(colours.count(qRgb(154, 236, 255))) << "banner colour";
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
