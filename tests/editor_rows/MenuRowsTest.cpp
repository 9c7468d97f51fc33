// The command registry and the menu and button rows: the layout follows the
// table, and every fault of a row (a misspelt handler, action, path or
// control, a stale pending mark) is an error naming the row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRegistry.h"
#include "MenuRows.h"
#include "platform/ActnList.h"
#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

constexpr TMenuPlace mMain = TMenuPlace::MainMenu;
constexpr TMenuPlace mTray = TMenuPlace::TrayMenu;
constexpr TMenuPlace bTool = TMenuPlace::ToolBar;

class MenuRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Commands.Add("OpenClick", [this](TObject*) { Ran += "open;"; });
    Commands.Add("SaveClick", [this](TObject*) { Ran += "save;"; });
    Save = new TAction(&Window);
    Save->SetName("Save1");
    Save->SetCaption(Ansi("Сохранить"));
    Save->SetShortCut(ShortCut('S', {ssCtrl}));
    Save->OnExecute = Commands.Handler("SaveClick");
    Targets.Owner = &Window;
    Targets[mMain] = Main;
    Targets[mTray] = Tray;
  }

  // The message of the error a layout of these rows raises ("" for none).
  std::string LayOutError(const std::vector<TMenuRow>& rows) {
    try {
      LayOutMenus(rows, Targets, Commands);
    } catch (const ECommandError& e) {
      return e.Message();
    }
    return "";
  }
  static std::string Captions(TMenuItem* parent) {
    std::string s;
    for (int i = 0; i < parent->Count(); ++i) s += Cp1251ToUtf8(parent->Items(i)->Caption()) + "|";
    return s;
  }

  TFakeWidgetsetScope Widgets;
  TComponent Window{nullptr};
  TMainMenu* Main = new TMainMenu(&Window);
  TPopupMenu* Tray = new TPopupMenu(&Window);
  TAction* Save = nullptr;
  TCommandRegistry Commands{"Form1"};
  TMenuTargets Targets;
  std::string Ran;
};

TEST(CommandRegistryTest, NamesAreRegisteredOnceAndUnknownNamesFail) {
  TCommandRegistry r("Form1");
  int runs = 0;
  r.Add("N1Click", [&](TObject*) { ++runs; });
  EXPECT_TRUE(r.Contains("N1Click"));
  r.Run("N1Click");
  r.Handler("N1Click")(nullptr);
  EXPECT_EQ(runs, 2);
  EXPECT_THROW(r.Add("N1Click", [](TObject*) {}), ECommandError);
  EXPECT_THROW(r.Add("", [](TObject*) {}), ECommandError);
  EXPECT_THROW(r.Add("N2Click", nullptr), ECommandError);
  EXPECT_FALSE(r.Contains("N2Click"));
  try {
    r.Handler("N1Clik");
    FAIL() << "no error";
  } catch (const ECommandError& e) {
    EXPECT_EQ(e.Message(), "Form1: no command \"N1Clik\"");
  }
  EXPECT_EQ(r.Names(), std::vector<std::string>{"N1Click"});
}

TEST_F(MenuRowsTest, RowsStandInTableOrderWithTheirFlags) {
  const std::vector<TMenuRow> rows = {
      {mMain, "", "Файл", 0, "", "MenuFile"},
      {mMain, "Файл", "Открыть...", ShortCut('O', {ssCtrl}), "OpenClick", "Open1"},
      {mMain, "Файл", "Печать"},
      {mMain, "Файл", "-"},
      {mMain, "Файл", "Сохранить", 0, "Save1", "SaveItem", kAction},
      {mMain, "Файл > Печать", "Текст", VK_F5, "PrintClick", "Print1", kPending},
      {mMain, "Файл > Печать", "Страница", 0, "OpenClick", "", kRadio | kChecked | kDisabled, "подсказка"},
      {mMain, "", "Справка", 0, "", "", kHidden},
      {mTray, "", "Показать окно", 0, "ShowClick", "", kDefault | kPending},
  };
  const TMenuLayout layout = LayOutMenus(rows, Targets, Commands);
  TMenuItem* file = Main->Items()->Items(0);
  EXPECT_EQ(Captions(Main->Items()), "Файл|Справка|");
  EXPECT_EQ(Captions(file), "Открыть...|Печать|-|Сохранить|");
  EXPECT_EQ(Captions(file->Items(1)), "Текст|Страница|");
  EXPECT_EQ(Window.FindComponent("MenuFile"), file);
  EXPECT_FALSE(Main->Items()->Items(1)->Visible());

  static_cast<TMenuItem*>(Window.FindComponent("Open1"))->Click();
  static_cast<TMenuItem*>(Window.FindComponent("SaveItem"))->Click();
  EXPECT_EQ(Ran, "open;save;");
  // The action's caption and shortcut show on its item.
  EXPECT_EQ(ShortCutToText(static_cast<TMenuItem*>(Window.FindComponent("SaveItem"))->ShortCut()), "Ctrl+S");

  // Pending rows stand inert and take no shortcut.
  auto* print = static_cast<TMenuItem*>(Window.FindComponent("Print1"));
  EXPECT_FALSE(print->OnClick);
  EXPECT_EQ(print->ShortCut(), 0);
  ASSERT_EQ(layout.Pending.size(), 2u);
  EXPECT_EQ(std::string(layout.Pending[0]->Handler), "PrintClick");
  EXPECT_TRUE(Tray->Items()->Items(0)->Default());

  TMenuItem* page = file->Items(1)->Items(1);
  EXPECT_TRUE(page->RadioItem());
  EXPECT_TRUE(page->Checked());
  EXPECT_FALSE(page->Enabled());
  EXPECT_EQ(page->Hint(), Ansi("подсказка"));
}

TEST_F(MenuRowsTest, AFaultyRowIsAnErrorNamingIt) {
  struct TCase {
    TMenuRow Row;
    const char* Error;
  };
  const TCase cases[] = {
      {{mMain, "Файл", "Открыть...", 0, "OpenClik"}, "Form1: no command \"OpenClik\""},
      {{mMain, "Файл", "Сохранить", 0, "Save2", "", kAction}, "Form1: MainMenu1 > Файл > Сохранить: no action \"Save2\""},
      {{mMain, "Файл", "Сохранить как", 0, "Save1", "", kAction},
       "Form1: MainMenu1 > Файл > Сохранить как: the action shows \"Сохранить\""},
      {{mMain, "Фаил", "Открыть...", 0, "OpenClick"}, "Form1: MainMenu1 > Фаил > Открыть...: no earlier row makes the submenu"},
      {{mMain, "", "Файл"}, "Form1: MainMenu1 > Файл: the submenu is made twice"},
      {{mMain, "Файл", "Открыть...", 0, "OpenClick", "", kPending},
       "Form1: MainMenu1 > Файл > Открыть...: marked pending, but \"OpenClick\" is registered"},
      {{TMenuPlace::ImgMenu, "", "Картинка", 0, "OpenClick"}, "Form1: img > Картинка: the window has no such menu"},
  };
  for (const TCase& c : cases) {
    Main->Items()->Clear();
    EXPECT_EQ(LayOutError({{mMain, "", "Файл"}, c.Row}), Ansi(c.Error)) << c.Row.Caption;
  }
}

TEST_F(MenuRowsTest, ButtonRowsBindOnceTheirControlsStand) {
  Commands.Add("CopyClick", [this](TObject*) { Ran += "copy;"; });
  const std::vector<TMenuRow> rows = {
      {bTool, "", "", 0, "OpenClick", "XpSpeedButton2"},
      {bTool, "", "", 0, "CopyClick", "XpSpeedButton7"},
      {bTool, "", "", 0, "PreviewClick", "XpSpeedButton19", kPending},
  };
  // No button made yet: nothing to bind, and a name no row gives is an error.
  EXPECT_FALSE(BindButtonRows(rows, bTool, Window, Commands));
  EXPECT_FALSE(ButtonCreated(rows, Window, "XpSpeedButton7"));
  EXPECT_THROW(ButtonCreated(rows, Window, "XpSpeedButon7"), ECommandError);

  // A misspelt control: the place is half made.
  auto make = [this](const char* name) {
    auto* c = new TControl(&Window);
    c->SetName(name);
    return c;
  };
  TControl* open = make("XpSpeedButton2");
  TControl* copy = make("XpSpeedButon7");
  TControl* preview = make("XpSpeedButton19");
  try {
    BindButtonRows(rows, bTool, Window, Commands);
    FAIL() << "no error";
  } catch (const ECommandError& e) {
    EXPECT_EQ(e.Message(), "Form1: ToolBar1 lacks XpSpeedButton7");
  }
  copy->SetName("XpSpeedButton7");
  EXPECT_TRUE(ButtonCreated(rows, Window, "XpSpeedButton7"));
  EXPECT_TRUE(BindButtonRows(rows, bTool, Window, Commands));
  open->OnClick(nullptr);
  copy->OnClick(nullptr);
  EXPECT_EQ(Ran, "open;copy;");
  EXPECT_FALSE(preview->OnClick);

  // An unknown handler on a button row.
  const std::vector<TMenuRow> misspelt = {{bTool, "", "", 0, "OpenClik", "XpSpeedButton2"}};
  EXPECT_THROW(BindButtonRows(misspelt, bTool, Window, Commands), ECommandError);
}

}  // namespace
