// The commands laid out in the main window's menus: every item of the table
// under its path with its caption and shortcut, clicking it runs its row,
// buttons are handed to the window, and the editor menu's enabling rule.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "SnippetCommands.h"
#include "SnippetTable.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

const char* const kTopLevel[] = {"Файл",      "Правка",    "Просмотр", "Теги",    "Вставить",
                                 "Выполнить", "Настройки", "Сервис",   "Справка", "Brindel Ostrelle"};

class SnippetMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.SetBounds(0, 0, 600, 400);
    Memo = new TSrcMemo(&Window);
    Memo->SetParent(&Window);
    Memo->SetBounds(0, 0, 500, 300);
    Window.Show();
    Window.HandleNeeded();

    for (const char* caption : kTopLevel) {
      TMenuItem* item = new TMenuItem(&Window);
      item->SetCaption(Ansi(caption));
      MainMenu1->Items()->Add(item);
    }
    Host.Memo = Memo;
    Host.ShowWindow = [this](const std::string& cls, bool modal) { Shown.push_back(cls + (modal ? "" : " show")); };
    Host.ConfirmSaveChanges = [this] { Shown.push_back("save?"); };
    Menus.Owner = &Window;
    Menus.MainMenu = MainMenu1;
    Menus.EditorMenu = PopupMenu1;
    Menus.LinkMenu = link;
    Menus.ImgMenu = img;
    Menus.BindButton = [this](const TSnippetBinding& b, const TNotifyEvent& onClick) {
      Buttons[b.Caption] = onClick;
    };
  }

  TMenu* MenuOf(TSnippetPlace place) {
    switch (place) {
      case TSnippetPlace::MainMenu:
        return MainMenu1;
      case TSnippetPlace::EditorMenu:
        return PopupMenu1;
      case TSnippetPlace::LinkMenu:
        return link;
      case TSnippetPlace::ImgMenu:
        return img;
      default:
        return nullptr;
    }
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
  TSnippetMenus Menus;
  std::vector<std::string> Shown;
  std::map<std::string, TNotifyEvent> Buttons;
};

TEST_F(SnippetMenusTest, EveryItemStandsUnderItsPathAndRunsItsRow) {
  InstallSnippetMenus(Menus, Host);
  std::set<std::tuple<TSnippetPlace, std::string, std::string>> seen;
  int items = 0;
  for (const TSnippetCommand& c : SnippetCommands()) {
    // What the row does, run directly.
    Shown.clear();
    const std::string direct = RunOnDocument([&](TObject*) { RunSnippetCommand(c, Host); }, "XY");
    const std::vector<std::string> directShown = Shown;
    for (const TSnippetBinding& b : c.Items) {
      TNotifyEvent onClick;
      if (b.Place == TSnippetPlace::SidePanel || b.Place == TSnippetPlace::ToolBar) {
        ASSERT_EQ(Buttons.count(b.Caption), 1u) << c.Handler << " " << b.Caption;
        onClick = Buttons[b.Caption];
      } else {
        EXPECT_TRUE(seen.emplace(b.Place, b.Path, b.Caption).second) << "twice: " << b.Caption;
        TMenuItem* item = FindSnippetMenuItem(*MenuOf(b.Place), b.Path, b.Caption);
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
  // The top-level items were found, not made again.
  EXPECT_EQ(MainMenu1->Items()->Count(), 10);
}

TEST_F(SnippetMenusTest, MenuOrderFollowsTheTable) {
  InstallSnippetMenus(Menus, Host);
  TMenuItem* tags = MainMenu1->Items()->Items(3);
  std::vector<std::string> submenus;
  for (int i = 0; i < tags->Count(); ++i) submenus.push_back(tags->Items(i)->Caption());
  const std::vector<std::string> expected = {
      Ansi("Мастера Quillet Studio"), Ansi("Шрифт"),         Ansi("Начало документа"),
      Ansi("Текстовые блоки"),        Ansi("Объекты"),       Ansi("Оформление фразы"),
      Ansi("Выравнивание объектов"),  Ansi("Эффекты текста"), Ansi("Таблица"),
      Ansi("Фреймы"),                 Ansi("Ссылки"),        Ansi("Форма"),
      Ansi("Список")};
  EXPECT_EQ(submenus, expected);

  TMenuItem* font = tags->Items(1);
  ASSERT_EQ(font->Count(), 8);
  EXPECT_EQ(font->Items(0)->Caption(), Ansi("Шрифт <FONT> </FONT>"));
  EXPECT_EQ(font->Items(6)->Caption(), Ansi("Нижний индекс <SUB></SUB>"));
  EXPECT_EQ(font->Items(7)->Caption(), Ansi("Мастер вставки текстового блока"));

  TMenuItem* sizes = FindSnippetMenuItem(*MainMenu1, "Вставить > Шрифт", "Размер шрифта");
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

TEST_F(SnippetMenusTest, ItemsTheWindowPlacedAreBoundNotDuplicated) {
  TMenuItem* file = MainMenu1->Items()->Items(0);
  TMenuItem* exit = NewItem(&Window, Ansi("Выход"));
  TMenuItem* wizard = NewItem(&Window, Ansi("Создать при помощи Мастера..."));
  file->Add(wizard);
  file->Add(exit);
  InstallSnippetMenus(Menus, Host);
  ASSERT_EQ(file->Count(), 2);
  EXPECT_EQ(file->Items(0), wizard);
  wizard->Click();
  EXPECT_EQ(Shown, (std::vector<std::string>{"save?", "TForm18"}));
}

TEST_F(SnippetMenusTest, ShortcutsOfTheMainMenu) {
  // The palette toggle comes first in menu order and keeps F9.
  TMenuItem* palette = NewItem(&Window, Ansi("Плавающая панель"), VK_F9);
  MainMenu1->Items()->Items(2)->Add(palette);
  InstallSnippetMenus(Menus, Host);
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F9), palette);
  EXPECT_EQ(FindSnippetMenuItem(*MainMenu1, "Теги > Выравнивание объектов", "<center> </center>")->ShortCut(),
            VK_F9);
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F8), FindSnippetMenuItem(*MainMenu1, "Вставить", "Полужирный шрифт"));
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F7), FindSnippetMenuItem(*MainMenu1, "Вставить", "Перевод строки"));
  EXPECT_EQ(MainMenu1->FindItemByShortCut(VK_F6), FindSnippetMenuItem(*MainMenu1, "Вставить", "Параграф"));
  MainMenu1->FindItemByShortCut(VK_F8)->Click();
  EXPECT_EQ(Memo->Text(), "<B></B>");
  EXPECT_EQ(Memo->GetSelectionStart(), 3);
}

TEST_F(SnippetMenusTest, EditorMenuEnablesSelectionItemsOnlyWithASelection) {
  TMenuItem* hex = NewItem(&Window, Ansi("Определить цвет HEX... "));
  TMenuItem* find = NewItem(&Window, Ansi("Найти..."));
  PopupMenu1->Items()->Add(find);
  PopupMenu1->Items()->Add(hex);
  int earlier = 0;
  PopupMenu1->OnPopup = [&](TObject*) { ++earlier; };
  InstallSnippetMenus(Menus, Host);
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
