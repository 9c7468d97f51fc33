// Menus on Qt: menu bars and popup menus built from the toolkit's menus.
// Shortcuts are shown as text only: the toolkit's key handler finds them.
#include "platform/qt/QtMenus.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <cmath>
#include <cstring>

#include "platform/ActnList.h"
#include "platform/Graphics.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

// The hosts remember the action whose style option they build, so that
// the style can ask the item behind it.
template <typename Base>
class QtViewHost : public Base {
 public:
  explicit QtViewHost(QWidget* parent) : Base(parent) {}
  QtMenuView* View = nullptr;
  mutable const QAction* Current = nullptr;

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
    Base::initStyleOption(option, action);
    Current = action;
  }
};

using QtViewMenu = QtViewHost<QMenu>;
using QtViewMenuBar = QtViewHost<QMenuBar>;

TMenuItem* OwnerDrawnItem(const QWidget* widget) {
  TMenuItem* item = nullptr;
  if (auto* m = dynamic_cast<const QtViewMenu*>(widget)) {
    if (m->View && m->Current) item = m->View->ItemOf(const_cast<QAction*>(m->Current));
  } else if (auto* b = dynamic_cast<const QtViewMenuBar*>(widget)) {
    if (b->View && b->Current) item = b->View->ItemOf(const_cast<QAction*>(b->Current));
  }
  return item && item->HasOwnerDraw() ? item : nullptr;
}

constexpr int SubMenuArrowRoom = 16;

class QtOwnerDrawStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem) return s;
    TMenuItem* item = OwnerDrawnItem(widget);
    // Menu-bar items keep the system's measuring.
    if (!item || item->IsMenuBarItem() || !item->OnMeasureItem) return s;
    int w = s.width();
    int h = s.height();
    GuardEvent([&] {
      TBitmap bmp(1, 1);
      item->DoMeasureItem(bmp.Canvas(), w, h);
    });
    // Room for the submenu arrow the system draws beside the item.
    auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (mi && mi->menuItemType == QStyleOptionMenuItem::SubMenu) w += SubMenuArrowRoom;
    return QSize(std::max(0, w), std::max(0, h));
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    TMenuItem* item = (element == CE_MenuItem || element == CE_MenuBarItem) ? OwnerDrawnItem(widget) : nullptr;
    if (!item || (!item->OnAdvancedDrawItem && !item->OnDrawItem) || option->rect.isEmpty()) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    QRect r = option->rect;
    TOwnerDrawState state;
    bool selected = option->state & State_Selected;
    if (element == CE_MenuBarItem) {
      if (option->state & State_Sunken)
        state.Include(odSelected);
      else if (selected)
        state.Include(odHotLight);
    } else if (selected) {
      state.Include(odSelected);
    }
    if (!(option->state & State_Enabled)) state.Include(odDisabled).Include(odGrayed);
    if (item->Checked()) state.Include(odChecked);
    if (item->Default()) state.Include(odDefault);
    GuardEvent([&] {
      TBitmap bmp(r.width(), r.height());
      item->DoDrawItem(bmp.Canvas(), TRect(0, 0, r.width(), r.height()), state);
      painter->drawImage(r.topLeft(), BitmapImage(bmp.Handle()));
    });
    // The system adds the submenu arrow to an owner-drawn item.
    auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && mi && mi->menuItemType == QStyleOptionMenuItem::SubMenu) {
      QStyleOption arrow(*option);
      int size = std::min(r.height(), SubMenuArrowRoom - 4);
      arrow.rect = QRect(r.right() - size - 2, r.top() + (r.height() - size) / 2, size, size);
      arrow.palette.setColor(QPalette::ButtonText, Qt::black);
      arrow.palette.setColor(QPalette::WindowText, Qt::black);
      arrow.palette.setColor(QPalette::Text, Qt::black);
      QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
  }
};

QStyle* OwnerDrawStyle() {
  static QtOwnerDrawStyle* style = new QtOwnerDrawStyle;
  return style;
}

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

namespace {

// A menu bar left lit by Escape keeps the keys; a key it does not use (a
// command key: F1 to F12, one with Ctrl, the editing keys) ends that and
// goes on to the window's focus, as the first key after the menu.
class QtMenuBarKeys : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto* bar = qobject_cast<QMenuBar*>(watched);
    auto* k = static_cast<QKeyEvent*>(e);
    if (!bar || bar->activeAction() == nullptr || QApplication::activePopupWidget()) return false;
    if (!BarIgnores(k)) return false;
    // Escape ends the bar's key mode and gives the focus back.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &escape);
    if (bar->hasFocus()) bar->clearFocus();
    QWidget* target = QApplication::focusWidget();
    if (!target || target == bar) return false;
    QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->nativeScanCode(), k->nativeVirtualKey(),
                   k->nativeModifiers(), k->text(), k->isAutoRepeat(), ushort(k->count()));
    QApplication::sendEvent(target, &copy);
    return true;
  }

 private:
  static bool BarIgnores(const QKeyEvent* k) {
    const int key = k->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return true;
    if (k->modifiers() & Qt::ControlModifier) return true;
    switch (key) {
      case Qt::Key_Insert:
      case Qt::Key_Delete:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Backspace:
      case Qt::Key_Tab: return true;
      default: return false;
    }
  }
};

}  // namespace

QMenuBar* NewViewMenuBar(QWidget* parent) {
  auto* bar = new QtViewMenuBar(parent);
  bar->setStyle(OwnerDrawStyle());
  bar->installEventFilter(new QtMenuBarKeys(bar));
  return bar;
}

QMenu* NewViewMenu(QWidget* parent) {
  auto* menu = new QtViewMenu(parent);
  menu->setStyle(OwnerDrawStyle());
  return menu;
}

QtMenuView::QtMenuView(TMenu* menu, QWidget* host, bool clickItems)
    : FMenu(menu), FHost(host), FClickItems(clickItems) {
  if (auto* m = dynamic_cast<QtViewMenu*>(host)) m->View = this;
  if (auto* b = dynamic_cast<QtViewMenuBar*>(host)) b->View = this;
  if (FMenu) FMenu->AddChangeHandler(this, [this](TMenu*, const TMenuChange& c) { Changed(c); });
  Rebuild();
}

QtMenuView::~QtMenuView() {
  if (FMenu) FMenu->RemoveChangeHandler(this);
  if (auto* m = dynamic_cast<QtViewMenu*>(FHost.data())) m->View = nullptr;
  if (auto* b = dynamic_cast<QtViewMenuBar*>(FHost.data())) b->View = nullptr;
  for (QPointer<QObject>& o : FOwned)
    if (auto* sub = dynamic_cast<QtViewMenu*>(o.data())) sub->View = nullptr;
  // The submenus inside them too: one may still come up and fill itself.
  if (FHost)
    for (QMenu* menu : FHost->findChildren<QMenu*>())
      if (auto* sub = dynamic_cast<QtViewMenu*>(menu); sub && sub->View == this) sub->View = nullptr;
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
  if (a->isSeparator()) return;
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
      // Separators are items too: an owner-drawn menu paints them.
      a = new QAction(parent);
      a->setSeparator(true);
      parent->addAction(a);
      if (parent == FHost) FOwned.emplace_back(a);
      FItems[a] = child;
      FActions[child] = a;
      continue;
    }
    if (child->Count() > 0) {
      auto* sub = static_cast<QtViewMenu*>(NewViewMenu(parent));
      sub->View = this;
      owned = sub;
      a = sub->menuAction();
      // A submenu gets its actions when it first comes up: a program's
      // menus hold far more items than a start should wait for.
      QPointer<QtViewMenu> guard(sub);
      QObject::connect(sub, &QMenu::aboutToShow, sub, [this, guard, child] {
        GuardEvent([this, guard, child] {
          // The actions of the items about to show update first.
          for (int k = 0; k < child->Count(); ++k)
            if (TBasicAction* act = child->Items(k)->Action()) act->Update();
          if (child->OnClick) child->OnClick(child);
          if (guard && guard->View == this && guard->actions().isEmpty()) AddItems(guard, child);
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
  std::unique_ptr<QMenu> qmenu(NewViewMenu(nullptr));
  QtMenuView view(menu, qmenu.get(), false);
  for (int k = 0; k < menu->Items()->Count(); ++k)
    if (TBasicAction* act = menu->Items()->Items(k)->Action()) act->Update();
  QAction* chosen = qmenu->exec(QPoint(screenPos.X, screenPos.Y));
  return chosen ? view.ItemOf(chosen) : nullptr;
}

void InstallQtMenuFont() {
  QFont f = QApplication::font("QMenu");
  LOGFONT lf{};
  std::string face = QStringToAnsi(f.family()).substr(0, LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, face.data(), face.size());
  int px = f.pixelSize();
  if (px <= 0) px = int(std::lround(f.pointSizeF() * ScreenPixelsPerInch() / 72.0));
  lf.lfHeight = -std::max(1, px);
  lf.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.italic() ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  SetSystemMenuFont(lf);
}
