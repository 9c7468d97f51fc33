// The Qt view of a toolkit menu: a QMenuBar or QMenu that shows the menu's
// items (captions, shortcut texts, check marks, default items in bold,
// images of the menu's image list) and follows its changes. Items with
// owner-draw handlers (or of an owner-drawn menu) are measured by their
// OnMeasureItem and painted by their OnAdvancedDrawItem / OnDrawItem on a
// canvas the size of the item.
#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <vector>

#include "platform/Menus.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// A menu bar or menu that a view fills (the hosts a view should be given,
// so that owner-drawn items can be measured and painted).
QMenuBar* NewViewMenuBar(QWidget* parent);
QMenu* NewViewMenu(QWidget* parent);

class QtMenuView : public QObject {
 public:
  // `host` is a QMenuBar (main menus) or a QMenu (popups). With
  // `clickItems` the view clicks the chosen item itself (menu bars);
  // otherwise the caller asks ChosenItem after the menu ran.
  QtMenuView(TMenu* menu, QWidget* host, bool clickItems);
  ~QtMenuView() override;
  TMenu* Menu() const { return FMenu; }
  // Builds the host's actions from the menu now.
  void Rebuild();
  // The item of an action of this view (null for others).
  TMenuItem* ItemOf(QAction* action) const;
  QAction* ActionOf(TMenuItem* item) const;

 private:
  void Changed(const TMenuChange& change);
  void ScheduleRebuild();
  void AddItems(QWidget* parent, TMenuItem* item);
  void UpdateAction(QAction* a, TMenuItem* item);

  TMenu* FMenu;
  QPointer<QWidget> FHost;
  bool FClickItems;
  bool FRebuildPending = false;
  std::vector<QPointer<QObject>> FOwned;  // the actions and sub-menus made for the host
  std::map<QAction*, TMenuItem*> FItems;
  std::map<TMenuItem*, QAction*> FActions;
};
