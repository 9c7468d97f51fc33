// The main window's speed buttons and progress strip as the program makes
// them, a real click on the tool bar's New button, and the settings
// dialog's section headings.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "EditorAppFixture.h"
#include "EtchedLabels.h"
#include "SrcMemo.h"
#include "Unit2.h"
#include "W2kMain.h"
#include "XpProgress.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/qt/QtWidgetset.h"

namespace {

TXpSpeedButton* Button(TZod2uAppForm* form, const std::string& name) {
  return dynamic_cast<TXpSpeedButton*>(form->FindComponent(name));
}

void ClickAt(TWinControl* parent, TPoint p) {
  QWidget* w = static_cast<QtWindowPeer*>(parent->Handle())->Client();
  QPointF local(p.X, p.Y);
  QPointF global = w->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

TEST_F(EditorAppTest, ToolBarButtonsStandInTheirOrderAndRunTheirCommands) {
  Start();
  TZod2uAppForm* m = Main();
  const char* order[] = {"1",  "2",  "3",  "4",  "19", "5",  "6",  "7",  "8", "9",
                         "10", "11", "12", "13", "14", "15", "18", "16", "17"};
  for (int i = 0; i < 19; ++i) {
    TXpSpeedButton* b = Button(m, std::string("XpSpeedButton") + order[i]);
    ASSERT_NE(b, nullptr) << order[i];
    EXPECT_EQ(b->Parent(), m->ToolBar1);
    EXPECT_EQ(b->Left(), 4 + 32 * i);
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->ShowHint());
    EXPECT_FALSE(b->Hint().empty());
    EXPECT_EQ(b->Glyph()->Width(), 24);
  }
  EXPECT_EQ(m->XpSpeedButton1->Hint(), Ansi("Создать пустой (Ctrl+N)"));
  EXPECT_TRUE(bool(m->XpSpeedButton17->OnClick));  // About
  EXPECT_TRUE(bool(m->XpSpeedButton15->OnClick));  // settings

  // A click on New gives a new, empty document.
  m->Memo1->SetText("old text");
  m->Memo1->SetModified(false);
  m->progres->SetPosition(2500);
  DocName = "old";
  Pump();
  ClickAt(m->ToolBar1, TPoint(m->XpSpeedButton1->Left() + 15, m->XpSpeedButton1->Top() + 15));
  Pump();
  EXPECT_EQ(m->Memo1->Text(), "");
  EXPECT_EQ(DocName, Ansi("Новый файл"));
  EXPECT_EQ(m->progres->Position(), 0);
}

TEST_F(EditorAppTest, SidePanelButtonsAndTheProgressStrip) {
  Start();
  TZod2uAppForm* m = Main();
  const struct {
    const char* name;
    int left;
    const char* caption;
  } panel[] = {{"XpSpeedButton20", 16, "N"}, {"XpSpeedButton21", 41, "C"},  {"XpSpeedButton22", 67, "S"},
               {"XpSpeedButton23", 92, "L"}, {"XpSpeedButton24", 118, "I"}, {"XpSpeedButton25", 144, "D"}};
  for (const auto& p : panel) {
    TXpSpeedButton* b = Button(m, p.name);
    ASSERT_NE(b, nullptr) << p.name;
    EXPECT_EQ(b->Parent(), m->CoolBar1);
    EXPECT_EQ(b->BoundsRect(), TRect(p.left, 522, p.left + 17, 522 + 17));
    EXPECT_EQ(b->Caption(), p.caption);
    EXPECT_NE(b->Hint().find("\r\n"), std::string::npos);
    EXPECT_TRUE(b->Flat());
  }
  EXPECT_TRUE(bool(m->XpSpeedButton23->OnClick));  // go to line
  EXPECT_TRUE(bool(m->XpSpeedButton20->OnClick));  // Num Lock
  // Offscreen the lock keys cannot be toggled.
  EXPECT_FALSE(m->XpSpeedButton20->Enabled());

  ASSERT_NE(m->progres, nullptr);
  EXPECT_EQ(m->progres->Parent(), m->TaskPanel1);
  EXPECT_EQ(m->progres->Orientation(), pbVertical);
  EXPECT_EQ(m->progres->Min(), 0);
  EXPECT_EQ(m->progres->Max(), 5000);
  EXPECT_EQ(m->progres->BorderColor(), TColor(10461087));
  // It fills the strip inside the task panel's one-pixel frame.
  EXPECT_EQ(m->progres->BoundsRect(), TRect(1, 1, m->TaskPanel1->ClientWidth() - 1, m->TaskPanel1->ClientHeight() - 1));
  // Half the range fills the lower half of the strip with blocks.
  m->progres->SetPosition(2500);
  Pump();
  QImage strip = QtGrabWidget(m->progres->Handle());
  ASSERT_FALSE(strip.isNull());
  const int h = strip.height();
  EXPECT_NE(strip.pixel(strip.width() / 2, h - 8), qRgb(255, 255, 255));
  EXPECT_EQ(strip.pixel(strip.width() / 2, 8), qRgb(255, 255, 255));
}

TEST_F(EditorAppTest, SettingsDialogShowsItsSectionHeadings) {
  Start();
  ASSERT_NE(Form2, nullptr);
  ASSERT_NE(Form2->EtchedLabel2, nullptr);
  ASSERT_NE(Form2->EtchedLabel1, nullptr);
  EXPECT_EQ(Form2->EtchedLabel2->Caption(), Ansi("Задачи"));
  EXPECT_EQ(Form2->EtchedLabel1->Caption(), Ansi("Дополнительные задачи"));
  EXPECT_EQ(Form2->EtchedLabel2->Parent(), Form2);
  EXPECT_LE(Form2->EtchedLabel1->Left() + Form2->EtchedLabel1->Width(), Form2->ClientWidth());
  EXPECT_LE(Form2->EtchedLabel2->Left() + Form2->EtchedLabel2->Width(), Form2->ClientWidth());
}

}  // namespace
