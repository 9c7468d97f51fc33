// The commands laid out in the main window's menus: every menu row of a
// snippet command under its path with its caption and shortcut, clicking
// it runs its row, button rows bind their controls, and the editor menu's
// enabling rule.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "MainWindowRows.h"
#include "MenuRows.h"
#include "SnippetCommands.h"
#include "SnippetTable.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

bool IsMenu(TMenuPlace place) {
  return place == TMenuPlace::MainMenu || place == TMenuPlace::EditorMenu || place == TMenuPlace::LinkMenu ||
         place == TMenuPlace::ImgMenu;
}

// The main window's rows of the snippet commands, with the ten top-level
// items and the submenus that hold them (and nothing else of the window).
std::vector<TMenuRow> SnippetRows() {
  std::set<std::pair<TMenuPlace, std::string>> paths;
  for (const TMenuRow& r : MainWindowRows()) {
    if (!FindSnippetCommand(r.Handler)) continue;
    std::string path;
    for (const std::string& part : SplitMenuPath(r.Path)) {
      path += (path.empty() ? "" : " > ") + part;
      paths.emplace(r.Place, path);
    }
  }
  std::vector<TMenuRow> rows;
  for (const TMenuRow& r : MainWindowRows()) {
    const std::string full = *r.Path ? std::string(r.Path) + " > " + r.Caption : std::string(r.Caption);
    const bool command = FindSnippetCommand(r.Handler) && (IsMenu(r.Place) || IsButtonPlace(r.Place));
    const bool topLevel = r.Place == TMenuPlace::MainMenu && !*r.Path;
    if (command || (r.IsSubmenu() && IsMenu(r.Place) && (topLevel || paths.count({r.Place, full})))) rows.push_back(r);
  }
  return rows;
}

class SnippetMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.SetBounds(0, 0, 600, 400);
    Memo = new TSrcMemo(&Window);
    Memo->SetParent(&Window);
    Memo->SetBounds(0, 0, 500, 300);
    Window.Show();
    Window.HandleNeeded();

    Host.Memo = Memo;
    Host.ShowWindow = [this](const std::string& cls, bool modal) { Shown.push_back(cls + (modal ? "" : " show")); };
    Host.ConfirmSaveChanges = [this] { Shown.push_back("save?"); };
    for (const TSnippetCommand& c : SnippetCommands()) Commands.Add(c.Handler, SnippetHandler(c.Handler, Host));
    Targets.Owner = &Window;
    Targets[TMenuPlace::MainMenu] = MainMenu1;
    Targets[TMenuPlace::EditorMenu] = PopupMenu1;
    Targets[TMenuPlace::LinkMenu] = link;
    Targets[TMenuPlace::ImgMenu] = img;
    Rows = SnippetRows();
  }

  TMenu* MenuOf(TMenuPlace place) { return Targets[place]; }

  // Lays the rows out and makes and binds the buttons they name.
  void Install() {
    Layout = LayOutMenus(Rows, Targets, Commands);
    for (const TMenuRow& r : Rows)
      if (IsButtonPlace(r.Place)) (new TControl(&Window))->SetName(r.Name);
    ASSERT_TRUE(BindButtonRows(Rows, TMenuPlace::SidePanel, Window, Commands));
    ASSERT_TRUE(BindButtonRows(Rows, TMenuPlace::ToolBar, Window, Commands));
  }
  // Adds a row of the test's own just after the row making `afterPath`.
  void AddRowAfter(const char* afterPath, const TMenuRow& row) {
    for (auto it = Rows.begin(); it != Rows.end(); ++it) {
      const std::string full = *it->Path ? std::string(it->Path) + " > " + it->Caption : std::string(it->Caption);
      if (it->Place == row.Place && full == afterPath) {
        Rows.insert(it + 1, row);
        return;
      }
    }
    Rows.insert(Rows.begin(), row);
  }

  // Runs an event on a fresh "ab|cd" (or "ab[XY]cd") and returns the text
  // with "|" at the caret.
  std::string RunOnDocument(const TNotifyEvent& onClick, const std::string& sel = "") {
    Memo->SetText("ab" + sel + "cd");
    Memo->SetSelectionStart(2);
    Memo->SetSelectionLength(int(sel.size()));
    onClick(nullptr);
    std::string text = Memo->Text();
    return text.insert(std::size_t(Memo->GetSelectionStart()), "|");
  }

  TFakeWidgetsetScope Widgets;
  TWinControl Window{nullptr};
  TSrcMemo* Memo = nullptr;
  TMainMenu* MainMenu1 = new TMainMenu(&Window);
  TPopupMenu* PopupMenu1 = new TPopupMenu(&Window);
  TPopupMenu* link = new TPopupMenu(&Window);
  TPopupMenu* img = new TPopupMenu(&Window);
  TSnippetHost Host;
  TCommandRegistry Commands{"test"};
  TMenuTargets Targets;
  std::vector<TMenuRow> Rows;
  TMenuLayout Layout;
  std::vector<std::string> Shown;
};

TEST_F(SnippetMenusTest, EveryItemStandsUnderItsPathAndRunsItsRow) {
  Install();
  std::set<std::tuple<TMenuPlace, std::string, std::string>> seen;
  int items = 0;
  for (const TSnippetCommand& c : SnippetCommands()) {
    // What the row does, run directly.
    Shown.clear();
    const std::string direct = RunOnDocument([&](TObject*) { RunSnippetCommand(c, Host); }, "XY");
    const std::vector<std::string> directShown = Shown;
    for (const TMenuRow& b : Rows) {
      if (std::string(b.Handler) != c.Handler) continue;
      TNotifyEvent onClick;
      if (IsButtonPlace(b.Place)) {
        auto* button = dynamic_cast<TControl*>(Window.FindComponent(b.Name));
        ASSERT_NE(button, nullptr) << c.Handler << " " << b.Name;
        onClick = button->OnClick;
      } else {
        EXPECT_TRUE(seen.emplace(b.Place, b.Path, b.Caption).second) << "twice: " << b.Caption;
        TMenuItem* item = FindMenuItem(*MenuOf(b.Place), b.Path, b.Caption);
        ASSERT_NE(item, nullptr) << c.Handler << ": " << b.Path << " > " << b.Caption;
        EXPECT_EQ(item->ShortCut(), b.ShortCut) << b.Caption;
        EXPECT_EQ(item->Count(), 0) << b.Caption;
        onClick = [item](TObject*) { item->Click(); };
        ++items;
      }
      Shown.clear();
      EXPECT_EQ(RunOnDocument(onClick, "XY"), direct) << c.Handler << " from " << b.Caption;
      EXPECT_EQ(Shown, directShown) << c.Handler << " from " << b.Caption;
    }
  }
  EXPECT_EQ(items, 179);
  // The ten top-level items, each made once.
  EXPECT_EQ(MainMenu1->Items()->Count(), 10);
}

TEST_F(SnippetMenusTest, MenuOrderFollowsTheTable) {
  Install();
  TMenuItem* tags = MainMenu1->Items()->Items(3);
  std::vector<std::string> submenus;
  for (int i = 0; i < tags->Count(); ++i) submenus.push_back(tags->Items(i)->Caption());
  const std::vector<std::string> expected = {Ansi("Мастера Quillet Studio"),
                                             Ansi("Шрифт"),
                                             Ansi("Начало документа"),
                                             Ansi("Текстовые блоки"),
                                             Ansi("Объекты"),
                                             Ansi("Оформление фразы"),
                                             Ansi("Выравнивание объектов"),
                                             Ansi("Эффекты текста"),
                                             Ansi("Таблица"),
                                             Ansi("Фреймы"),
                                             Ansi("Ссылки"),
                                             Ansi("Форма"),
                                             Ansi("Список")};
  EXPECT_EQ(submenus, expected);

  TMenuItem* font = tags->Items(1);
  ASSERT_EQ(font->Count(), 8);
  EXPECT_EQ(font->Items(0)->Caption(), Ansi("Шрифт <FONT> </FONT>"));
  EXPECT_EQ(font->Items(6)->Caption(), Ansi("Нижний индекс <SUB></SUB>"));
  EXPECT_EQ(font->Items(7)->Caption(), Ansi("Мастер вставки текстового блока"));

  TMenuItem* sizes = FindMenuItem(*MainMenu1, "Вставить > Шрифт", "Размер шрифта");
  ASSERT_NE(sizes, nullptr);
  ASSERT_EQ(sizes->Count(), 21);
  EXPECT_EQ(sizes->Items(0)->Caption(), "1");
  EXPECT_EQ(sizes->Items(7)->Caption(), "+1");
  EXPECT_EQ(sizes->Items(20)->Caption(), "-7");

  TMenuItem* selection = PopupMenu1->Items()->Find(Ansi("Выделенный текст"));
  ASSERT_NE(selection, nullptr);
  ASSERT_EQ(selection->Count(), 22);
  EXPECT_EQ(selection->Items(0)->Caption(), Ansi("Сделать жирным"));
  EXPECT_EQ(selection->Items(21)->Caption(), Ansi("Распределить по правому краю (для текста)"));

  ASSERT_EQ(link->Items()->Count(), 2);
  EXPECT_EQ(link->Items()->Items(0)->Caption(), Ansi("[ручная]"));
  EXPECT_EQ(link->Items()->Items(1)->Caption(), Ansi("На другой сайт, файл, страницу"));
}

TEST_F(SnippetMenusTest, TheWizardItemStandsOnceInTheFileMenu) {
  Install();
  TMenuItem* file = MainMenu1->Items()->Items(0);
  ASSERT_EQ(file->Count(), 1);
  TMenuItem* wizard = file->Items(0);
  EXPECT_EQ(wizard->Caption(), Ansi("Создать при помощи Мастера..."));
  wizard->Click();
  EXPECT_EQ(Shown, (std::vector<std::string>{"save?", "TForm18"}));
}

TEST_F(SnippetMenusTest, ShortcutsOfTheMainMenu) {
  // The palette toggle comes first in menu order and keeps F9.
  Commands.Add("N332Click", [](TObject*) {});
  AddRowAfter("Просмотр", {TMenuPlace::MainMenu, "Просмотр", "Плавающая панель", VK_F9, "N332Click", "N332"});
  Install();
  TMenuItem* palette = dynamic_cast<TMenuItem*>(Window.FindComponent("N332"));
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F9), palette);
  EXPECT_EQ(FindMenuItem(*MainMenu1, "Теги > Выравнивание объектов", "<center> </center>")->ShortCut(), VK_F9);
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F8), FindMenuItem(*MainMenu1, "Вставить", "Полужирный шрифт"));
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F7), FindMenuItem(*MainMenu1, "Вставить", "Перевод строки"));
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F6), FindMenuItem(*MainMenu1, "Вставить", "Параграф"));
  MainMenu1->FindItemByShortCut(VK_F8)->Click();
  EXPECT_EQ(Memo->Text(), "<B></B>");
  EXPECT_EQ(Memo->GetSelectionStart(), 3);
}

TEST_F(SnippetMenusTest, EditorMenuEnablesSelectionItemsOnlyWithASelection) {
  Commands.Add("TestFind", [](TObject*) {});
  Commands.Add("TestHex", [](TObject*) {});
  Rows.insert(Rows.begin(), {TMenuPlace::EditorMenu, "", "Определить цвет HEX... ", 0, "TestHex", "Hex", kSelection});
  Rows.insert(Rows.begin(), {TMenuPlace::EditorMenu, "", "Найти...", 0, "TestFind", "Find"});
  Install();
  TMenuItem* hex = dynamic_cast<TMenuItem*>(Window.FindComponent("Hex"));
  TMenuItem* find = dynamic_cast<TMenuItem*>(Window.FindComponent("Find"));
  int earlier = 0;
  PopupMenu1->OnPopup = [&](TObject*) {
    ++earlier;
    UpdateEditorMenuItems(Layout.SelectionItems, *Memo);
  };
  TMenuItem* selection = PopupMenu1->Items()->Find(Ansi("Выделенный текст"));
  ASSERT_NE(selection, nullptr);

  Memo->SetText("one two");
  Memo->SetSelectionStart(1);
  PopupMenu1->OnPopup(PopupMenu1);
  EXPECT_FALSE(selection->Enabled());
  EXPECT_FALSE(hex->Enabled());
  EXPECT_TRUE(find->Enabled());

  Memo->SetSelectionLength(3);
  PopupMenu1->OnPopup(PopupMenu1);
  EXPECT_TRUE(selection->Enabled());
  EXPECT_TRUE(hex->Enabled());
  EXPECT_TRUE(find->Enabled());
  EXPECT_EQ(earlier, 2);

  // The wrap items stay reachable from code even while disabled; with
  // nothing selected a wrap inserts its two halves.
  EXPECT_EQ(RunOnDocument([&](TObject*) { selection->Items(9)->Click(); }), Ansi("ab<a href=\"\"></a>|cd"));
}

}  // namespace
