// The program's tables resolve. Every row of the main window: each menu row
// stands in its menu, each handler it names is registered (or the row is
// pending), each button row names its control once; every menu item of
// every window runs a command or is a pending row; the window table makes,
// finds and clears every window.
#include <set>
#include <string>

#include "EditorAppFixture.h"
#include "MainWindowRows.h"
#include "MenuRows.h"
#include "SnippetTable.h"
#include "W2kMain.h"
#include "WindowRegistry.h"
#include "platform/ActnList.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

namespace {

TMenu* MenuOf(TZod2uAppForm& f, TMenuPlace place) {
  switch (place) {
    case TMenuPlace::MainMenu:
      return f.MainMenu1;
    case TMenuPlace::EditorMenu:
      return f.PopupMenu1;
    case TMenuPlace::PanelMenu:
      return f.PopupMenu2;
    case TMenuPlace::CutCopyMenu:
      return f.PopupMenu3;
    case TMenuPlace::StatusMenu:
      return f.PopupMenu4;
    case TMenuPlace::TrayMenu:
      return f.tray;
    case TMenuPlace::LinkMenu:
      return f.link;
    case TMenuPlace::ImgMenu:
      return f.img;
    default:
      return nullptr;
  }
}

// Every item without sub-items that is no separator, no submenu (which
// may still be empty) and runs nothing.
void CollectInert(TMenuItem* parent, const std::set<TMenuItem*>& submenus, std::set<TMenuItem*>& inert) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->Count() > 0)
      CollectInert(item, submenus, inert);
    else if (!item->IsLine() && !item->OnClick && !item->Action() && !submenus.count(item))
      inert.insert(item);
  }
}

TEST_F(EditorAppTest, EveryRowOfTheMainWindowResolves) {
  Start();
  TZod2uAppForm& f = *Main();
  std::set<std::string> buttons;
  int menuRows = 0, pendingItems = 0;
  for (const TMenuRow& r : MainWindowRows()) {
    const std::string where = Cp1251ToUtf8(r.Where());
    if (r.Is(kPending)) {
      pendingItems += IsButtonPlace(r.Place) ? 0 : 1;
      EXPECT_FALSE(f.Commands().Contains(r.Handler)) << where << " is no longer pending";
    } else if (r.Is(kAction)) {
      EXPECT_NE(dynamic_cast<TBasicAction*>(f.FindComponent(r.Handler)), nullptr) << where;
    } else if (*r.Handler) {
      EXPECT_TRUE(f.Commands().Contains(r.Handler)) << where << ": " << r.Handler;
    }
    if (IsButtonPlace(r.Place)) {
      EXPECT_TRUE(buttons.insert(r.Name).second) << where << " twice";
      EXPECT_NO_THROW(ButtonCreated(MainWindowRows(), f, r.Name));
      if (auto* control = dynamic_cast<TControl*>(f.FindComponent(r.Name))) {
        EXPECT_EQ(bool(control->OnClick), !r.Is(kPending)) << where;
      }
      continue;
    }
    ++menuRows;
  }
  // Each menu row made one item, in its menu.
  ASSERT_EQ(int(f.MenuLayout().Items.size()), menuRows);
  for (const auto& [row, item] : f.MenuLayout().Items)
    EXPECT_EQ(item->GetParentMenu(), MenuOf(f, row->Place)) << Cp1251ToUtf8(row->Where());
  EXPECT_EQ(buttons.size(), 19u + 30u);
  EXPECT_GT(menuRows, 300);
  EXPECT_EQ(int(f.MenuLayout().Pending.size()), pendingItems);
}

TEST_F(EditorAppTest, EveryMenuItemOfEveryWindowRunsACommandOrIsPending) {
  Start();
  const std::vector<TMenuItem*>& items = Main()->MenuLayout().PendingItems;
  const std::set<TMenuItem*> pending(items.begin(), items.end());
  std::set<TMenuItem*> submenus;
  for (const auto& [row, item] : Main()->MenuLayout().Items)
    if (row->IsSubmenu()) submenus.insert(item);
  int menus = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    for (int c = 0; c < form->ComponentCount(); ++c) {
      auto* menu = dynamic_cast<TMenu*>(form->Components(c));
      if (!menu) continue;
      ++menus;
      std::set<TMenuItem*> inert;
      CollectInert(menu->Items(), submenus, inert);
      for (TMenuItem* item : inert)
        EXPECT_TRUE(pending.count(item)) << form->Name() << " > " << menu->Name() << " > "
                                         << Cp1251ToUtf8(item->Caption());
    }
  }
  EXPECT_GE(menus, 8);
}

}  // namespace

namespace {

TEST_F(EditorAppTest, TheWindowTableMakesFindsAndClearsEveryWindow) {
  const std::vector<TWindowRow>& rows = ProgramWindows();
  ASSERT_EQ(rows.size(), 28u);
  EXPECT_EQ(std::string(rows.front().Class), "TZod2uAppForm");
  for (const TWindowRow& r : rows) EXPECT_EQ(r.Window(), nullptr) << r.Global;
  Start(false);
  ASSERT_EQ(Application->CreatedForms().size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TWindowRow& r = rows[i];
    TForm* w = r.Window();
    ASSERT_NE(w, nullptr) << r.Global;
    EXPECT_EQ(static_cast<TCustomForm*>(w), Application->CreatedForms()[i]) << r.Global;
    EXPECT_EQ(std::string(w->ClassName()), r.Class);
    EXPECT_EQ(w->Name(), r.Global);
    EXPECT_EQ(ProgramWindow(r.Class), w);
    EXPECT_EQ(ProgramWindow(r.Global), w);
  }
  EXPECT_THROW(ProgramWindow("TForm28"), EWindowError);
  // Every window a command shows is one of the table's.
  for (const TSnippetCommand& c : SnippetCommands())
    if (!c.InsertsText()) {
      EXPECT_NE(ProgramWindow(c.Text), nullptr) << c.Handler;
    }
  Finish();
  for (const TWindowRow& r : rows) EXPECT_EQ(r.Window(), nullptr) << r.Global;
}

}  // namespace
