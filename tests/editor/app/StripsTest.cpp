// The main window's three strips are task panels; the side panel follows
// the settings box at show time and its commands show and hide it.
#include <QImage>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {

TEST_F(EditorAppTest, TheThreeStripsAreOfficeTaskPanelsWithoutTitles) {
  Start();
  TZod2uAppForm* m = Main();
  for (TTaskPanel* p : {m->ToolBar1, m->TaskPanel1, m->CoolBar1}) {
    EXPECT_EQ(p->Style(), xpOffice) << p->Name();
    EXPECT_FALSE(p->Title()->Visible());
    EXPECT_EQ(p->ColorFrame(), clWindow);
    EXPECT_EQ(p->Parent(), m);
  }
  EXPECT_EQ(m->ToolBar1->Align(), alTop);
  EXPECT_EQ(m->ToolBar1->Height(), 33);
  EXPECT_EQ(m->TaskPanel1->Align(), alLeft);
  EXPECT_EQ(m->TaskPanel1->Width(), 18);
  EXPECT_EQ(m->CoolBar1->Align(), alRight);
  EXPECT_EQ(m->CoolBar1->Width(), 175);
  EXPECT_TRUE(m->CoolBar1->Animated());
  EXPECT_TRUE(m->CoolBar1->Sound());
  EXPECT_FALSE(m->CoolBar1->Moveable());
  EXPECT_EQ(m->CoolBar1->PopupMenu(), m->PopupMenu2);
  // Without a settings file the panel takes the button face (collcolor).
  EXPECT_EQ(m->CoolBar1->Color(), clBtnFace);
}

TEST_F(EditorAppTest, SidePanelCommandsShowAndHideIt) {
  ForceDirectories(AnsiPath("Config files"));
  WriteFileBytes(OsPath("Config files/config.ini"), "[options]\r\ncheck=0\r\n");
  Start();
  TZod2uAppForm* m = Main();
  EXPECT_FALSE(m->CoolBar1->Visible());  // the box is not ticked
  struct TCase {
    TMenu* Menu;
    const char* Path;
    const char* Caption;
    bool Shows;
  };
  const TCase cases[] = {
      {m->MainMenu1, "Правка", "Режим вставки тегов...", true},
      {m->MainMenu1, "Теги", "Выйти из режима вставки", false},
      {m->MainMenu1, "Теги", "Вставить тег...", true},
      {m->PopupMenu2, "", "Закрыть панель", false},
      {m->PopupMenu1, "", "Режим вставки тегов...", true},
      {m->PopupMenu2, "", "Закрыть панель", false},
      {m->PopupMenu2, "", "Раскрыть список...", true},
  };
  for (const TCase& c : cases) {
    TMenuItem* item = FindMenuItem(*c.Menu, c.Path, c.Caption);
    ASSERT_NE(item, nullptr) << c.Caption;
    item->Click();
    EXPECT_EQ(m->CoolBar1->Visible(), c.Shows) << c.Caption;
  }
  // The memo gives the panel its room back.
  Pump();
  EXPECT_EQ(m->Memo1->Left() + m->Memo1->Width(), m->CoolBar1->Left());
}

TEST_F(EditorAppTest, StripsPaintTheirBodyInsideAWhiteFrame) {
  Start();
  Main()->SetBounds(Main()->Left(), Main()->Top(), 640, 480);
  Main()->ToolBar1->SetColor(RGB(30, 60, 90));
  Pump();
  QImage shot = QtGrabWidget(Main()->ToolBar1->Handle());
  ASSERT_FALSE(shot.isNull());
  ASSERT_EQ(shot.height(), 33);
  const QRgb frame = ColorToQColor(ColorToRGB(clWindow)).rgb();
  EXPECT_EQ(shot.pixel(0, 0), frame);
  EXPECT_EQ(shot.pixel(shot.width() - 1, 32), frame);
  EXPECT_EQ(shot.pixel(shot.width() / 2, 16), qRgb(30, 60, 90));
}

}  // namespace
