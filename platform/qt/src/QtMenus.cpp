// Menus on Qt: menu bars and popup menus built from the toolkit's menus.
// Shortcuts are shown as text only: the toolkit's key handler finds them.
#include "platform/qt/QtMenus.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include "platform/ActnList.h"
#include "platform/Graphics.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {
QString ActionText(TMenuItem* item, bool inBar) {
  QString text = AnsiToQString(item->Caption());
  if (!inBar && item->ShortCut() != scNone) text += "\t" + AnsiToQString(ShortCutToText(item->ShortCut()));
  return text;
}

QIcon ImageFor(TMenu* menu, int index) {
  TImageList* images = menu ? menu->Images() : nullptr;
  if (!images || index < 0 || index >= images->Count()) return QIcon();
  TBitmap bmp;
  images->GetBitmap(index, &bmp);
  QImage img = BitmapImage(bmp.Handle());
  return QIcon(QPixmap::fromImage(img.copy()));
}
}  // namespace

QtMenuView::QtMenuView(TMenu* menu, QWidget* host, bool clickItems)
    : FMenu(menu), FHost(host), FClickItems(clickItems) {
  if (FMenu) FMenu->AddChangeHandler(this, [this](TMenu*, const TMenuChange& c) { Changed(c); });
  Rebuild();
}

QtMenuView::~QtMenuView() {
  if (FMenu) FMenu->RemoveChangeHandler(this);
}

TMenuItem* QtMenuView::ItemOf(QAction* action) const {
  auto it = FItems.find(action);
  return it == FItems.end() ? nullptr : it->second;
}

QAction* QtMenuView::ActionOf(TMenuItem* item) const {
  auto it = FActions.find(item);
  return it == FActions.end() ? nullptr : it->second;
}

void QtMenuView::Changed(const TMenuChange& c) {
  if (c.Destroyed) {
    FMenu = nullptr;
    FItems.clear();
    FActions.clear();
    if (FHost) {
      if (auto* bar = qobject_cast<QMenuBar*>(FHost.data())) bar->clear();
      if (auto* m = qobject_cast<QMenu*>(FHost.data())) m->clear();
    }
    return;
  }
  if (c.Rebuild || !c.Item) {
    ScheduleRebuild();
    return;
  }
  if (FRebuildPending) return;
  if (QAction* a = ActionOf(c.Item)) UpdateAction(a, c.Item);
}

void QtMenuView::ScheduleRebuild() {
  if (FRebuildPending) return;
  FRebuildPending = true;
  QMetaObject::invokeMethod(
      this, [this] { GuardEvent([this] { Rebuild(); }); }, Qt::QueuedConnection);
}

void QtMenuView::UpdateAction(QAction* a, TMenuItem* item) {
  bool inBar = item->IsMenuBarItem();
  a->setText(ActionText(item, inBar));
  a->setEnabled(item->Enabled());
  bool checkable = item->Checked() || item->RadioItem() || item->AutoCheck();
  a->setCheckable(checkable);
  if (checkable) a->setChecked(item->Checked());
  QFont f = a->font();
  f.setBold(item->Default());
  a->setFont(f);
  if (!inBar) a->setIcon(ImageFor(FMenu, item->ImageIndex()));
  if (!item->Hint().empty()) a->setStatusTip(AnsiToQString(item->Hint()));
}

void QtMenuView::AddItems(QWidget* parent, TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (!child->Visible()) continue;
    QAction* a = nullptr;
    QObject* owned = nullptr;
    if (child->IsLine()) {
      a = new QAction(parent);
      a->setSeparator(true);
      parent->addAction(a);
      if (parent == FHost) FOwned.emplace_back(a);
      continue;
    }
    if (child->Count() > 0) {
      auto* sub = new QMenu(parent);
      owned = sub;
      a = sub->menuAction();
      AddItems(sub, child);
      QObject::connect(sub, &QMenu::aboutToShow, sub, [child] {
        GuardEvent([child] {
          // The actions of the items about to show update first.
          for (int k = 0; k < child->Count(); ++k)
            if (TBasicAction* act = child->Items(k)->Action()) act->Update();
          if (child->OnClick) child->OnClick(child);
        });
      });
    } else {
      a = new QAction(parent);
      owned = a;
      if (FClickItems)
        QObject::connect(a, &QAction::triggered, a, [child] { GuardEvent([child] { child->Click(); }); });
    }
    UpdateAction(a, child);
    parent->addAction(a);
    if (parent == FHost) FOwned.emplace_back(owned);
    FItems[a] = child;
    FActions[child] = a;
  }
}

void QtMenuView::Rebuild() {
  FRebuildPending = false;
  if (!FHost) return;
  FItems.clear();
  FActions.clear();
  if (auto* bar = qobject_cast<QMenuBar*>(FHost.data())) {
    bar->clear();
  } else if (auto* m = qobject_cast<QMenu*>(FHost.data())) {
    m->clear();
  }
  for (QPointer<QObject>& o : FOwned)
    if (o) o->deleteLater();
  FOwned.clear();
  if (FMenu) AddItems(FHost, FMenu->Items());
}

TMenuItem* QtMenuBackend::TrackPopup(TPopupMenu* menu, TPoint screenPos) {
  QMenu qmenu;
  QtMenuView view(menu, &qmenu, false);
  for (int k = 0; k < menu->Items()->Count(); ++k)
    if (TBasicAction* act = menu->Items()->Items(k)->Action()) act->Update();
  QAction* chosen = qmenu.exec(QPoint(screenPos.X, screenPos.Y));
  return chosen ? view.ItemOf(chosen) : nullptr;
}
