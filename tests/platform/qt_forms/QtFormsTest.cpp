// Forms' windows on Qt: caption, menu bar, close and window states.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <QImage>
#include <QMouseEvent>
#include "QtFixture.h"
#include "platform/CodePage.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"

namespace {

TEST_F(QtFormsTest, FormWindowShowsItsCaptionAndMenuBar) {
  auto* menu = new TMainMenu(Form);
  TMenuItem* file = NewItem(Form, Ansi("&Файл"));
  menu->Items()->Add(file);
  int saves = 0;
  TMenuItem* save = NewItem(Form, Ansi("Сохранить"), ShortCut('S', {ssCtrl}), [&](TObject*) { ++saves; });
  file->Add(save);
  Form->SetMenu(menu);
  Form->SetCaption(Ansi("Новый файл - Probe"));
  ShowForm();
  QWidget* window = QtFormWidget(Form->Handle());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Новый файл - Probe"));
  QMenuBar* bar = QtFormMenuBar(Form->Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), QString::fromUtf8("&Файл"));
  // The menu bar takes its height from the client area.
  EXPECT_EQ(Form->ClientHeight(), Form->Height() - bar->height());
  QMenu* sub = bar->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  // A submenu is filled when it first comes up.
  EXPECT_TRUE(sub->actions().isEmpty());
  emit sub->aboutToShow();
  ASSERT_EQ(sub->actions().size(), 1);
  EXPECT_EQ(sub->actions()[0]->text(), QString::fromUtf8("Сохранить\tCtrl+S"));
  sub->actions()[0]->trigger();
  EXPECT_EQ(saves, 1);
  // Changes of the items show.
  save->SetEnabled(false);
  EXPECT_FALSE(sub->actions()[0]->isEnabled());
  file->Add(NewItem(Form, Ansi("Выход")));
  Pump();
  sub = bar->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  emit sub->aboutToShow();
  EXPECT_EQ(sub->actions().size(), 2);
  // Opening it again adds nothing twice.
  emit sub->aboutToShow();
  EXPECT_EQ(sub->actions().size(), 2);
}

TEST_F(QtFormsTest, ClosingTheWindowAsksTheForm) {
  TForm* second = nullptr;
  Application->CreateForm(second);
  int closes = 0;
  second->OnClose = [&](TObject*, TCloseAction& a) {
    ++closes;
    a = closes == 1 ? caNone : caHide;
  };
  second->Show();
  Pump();
  QWidget* window = QtFormWidget(second->Handle());
  window->close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(second->Visible());
  window->close();
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(second->Visible());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(QtFormsTest, MinimisingTheMainWindowMinimisesTheApplication) {
  ShowForm();
  QWidget* window = QtFormWidget(Form->Handle());
  window->showMinimized();
  Pump();
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(Form->WindowState(), wsMinimized);
  Application->Restore();
  Pump();
  EXPECT_FALSE(window->isMinimized());
  EXPECT_EQ(Form->WindowState(), wsNormal);
}

TEST_F(QtFormsTest, BoundsAndFixedSizeDialogs) {
  TForm* dialog = nullptr;
  Application->CreateForm(dialog);
  dialog->SetBorderStyle(bsDialog);
  dialog->SetBounds(10, 20, 300, 150);
  dialog->Show();
  Pump();
  QWidget* window = QtFormWidget(dialog->Handle());
  EXPECT_EQ(window->size(), QSize(300, 150));
  EXPECT_EQ(window->minimumSize(), QSize(300, 150));
  EXPECT_EQ(window->maximumSize(), QSize(300, 150));
  dialog->SetBounds(10, 20, 320, 160);
  EXPECT_EQ(window->size(), QSize(320, 160));
  // A sizeable form follows the window system's resizes.
  ShowForm();
  QtFormWidget(Form->Handle())->resize(500, 350);
  Pump();
  EXPECT_EQ(Form->Width(), 500);
  EXPECT_EQ(Form->Height(), 350);
}

}  // namespace

namespace {

TEST_F(QtFormsTest, HintsShowInATooltipWindowThatTakesNoFocus) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetHint(Ansi("Сохранить|Сохранить документ"));
  panel->SetShowHint(true);
  ShowForm();
  QWidget* client = static_cast<QtWindowPeer*>(panel->Handle())->Client();
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), client->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(client, &move);
  Application->ActivateHint(TPoint(150, 150));
  THintWindow* hint = Application->HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->Caption(), Ansi("Сохранить"));
  QWidget* window = QtFormWidget(hint->Handle());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::ToolTip));
  EXPECT_TRUE(window->isVisible());
  EXPECT_GT(hint->Width(), 0);
}

}  // namespace

namespace {

TEST_F(QtFormsTest, OwnerDrawnItemsAreMeasuredAndPaintedByTheirHandlers) {
  auto* menu = new TMainMenu(Form);
  TMenuItem* file = NewItem(Form, "File");
  menu->Items()->Add(file);
  TMenuItem* drawn = NewItem(Form, "Drawn");
  file->Add(drawn);
  file->Add(NewItem(Form, "Plain"));
  std::vector<TOwnerDrawState> states;
  drawn->OnMeasureItem = [](TObject*, TCanvas*, int& w, int& h) {
    w = 150;
    h = 30;
  };
  drawn->OnAdvancedDrawItem = [&](TObject*, TCanvas* c, TRect r, TOwnerDrawState st) {
    states.push_back(st);
    c->Brush()->SetColor(clRed);
    c->FillRect(r);
  };
  Form->SetMenu(menu);
  ShowForm();
  QMenu* sub = QtFormMenuBar(Form->Handle())->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  sub->popup(QPoint(0, 0));
  Pump();
  EXPECT_EQ(sub->actionGeometry(sub->actions()[0]).height(), 30);
  EXPECT_NE(sub->actionGeometry(sub->actions()[1]).height(), 30);
  QImage shot = sub->grab().toImage();
  QRect r = sub->actionGeometry(sub->actions()[0]);
  EXPECT_EQ(QColor(shot.pixel(r.center())), QColor(Qt::red));
  EXPECT_FALSE(states.empty());
  sub->hide();
}

}  // namespace

namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

TEST_F(QtFormsTest, AShownWindowIsPaintedOnce) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(10, 10, 120, 60);
  Form->SetBounds(0, 0, 300, 200);
  Form->HandleNeeded();
  PaintCounter counter;
  WidgetOf(panel)->installEventFilter(&counter);
  ShowForm();
  Pump();
  // The panel's picture goes to the screen in the paint event that drew it:
  // no second round for the same pixels.
  EXPECT_EQ(counter.Paints, 1);
  // A later change of the picture is shown once more.
  panel->Invalidate();
  Pump();
  EXPECT_EQ(counter.Paints, 2);
}

}  // namespace
