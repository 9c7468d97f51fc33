// The side insert panel in the running editor (offscreen Qt): its
// controls where the rows put them, the data window's four lists byte for
// byte, the list buttons (nothing inserted, the pressed one larger), the
// user's pick (inserted, focus to the editor; the
// program's own selection inserts nothing), showing and hiding the panel
// from every item bound to it, and the link and picture menus.
#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "InsertTable.h"
#include "MenuRows.h"
#include "Unit21.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/Messages.h"

namespace {

class TChoosingMenus : public IMenuBackend {
 public:
  TMenuItem* TrackPopup(TPopupMenu* menu, TPoint at) override {
    Menus.push_back(menu);
    Points.push_back(at);
    return Choose ? menu->Items()->Items(0) : nullptr;
  }
  std::vector<TPopupMenu*> Menus;
  std::vector<TPoint> Points;
  bool Choose = true;
};

class SidePanelAppTest : public InsertAppTest {
 protected:
  void Run(const std::string& handler) { Main()->Commands().Handler(handler)(nullptr); }
  TButton* Button(const std::string& name) const {
    auto* b = dynamic_cast<TButton*>(Main()->FindComponent(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
  TComboBox* List() const { return Main()->ComboBox1; }
  std::vector<std::string> Items(TComboBox* box) const {
    std::vector<std::string> v;
    for (int i = 0; i < box->Items()->Count(); ++i) v.push_back(box->Items()->Get(i));
    return v;
  }
  static std::vector<std::string> Expected(size_t list) {
    std::vector<std::string> v;
    for (const char* item : SidePanelLists()[list]) v.push_back(Ansi(item));
    return v;
  }
};

TEST_F(SidePanelAppTest, TheControlsStandWhereTheRowsPutThem) {
  StartWithText("", 0);
  struct TCase {
    const char* Name;
    int Left, Top;
    const char* Caption;
    const char* Hint;
  };
  const std::vector<TCase> cases = {
      {"Label6", 64, 8, "Режим вставки", "Колонка библиотек"},
      {"Label21", 6, 22, "тегов, текста и других данных", "Колонка библиотек"},
      {"Button1", 3, 50, "html", "Режим вставки html тегов"},
      {"Button2", 48, 50, "css", "Режим вставки css"},
      {"Button3", 92, 50, ":-))", "Режим вставки смайликов"},
      {"Button4", 137, 50, "®", "Режим вставки спец. символов"},
      {"ComboBox1", 3, 78, nullptr, "Панель вставки HTML тегов"},
      {"Label1", 8, 106, "Шрифт", "Колонка библиотек"},
      {"Button5", -1, 136, "Ж", "Жирный"},
      {"Button9", -1, 168, "АА", "Большой шрифт"},
      {"Button12", -1, 168, "Настроить", "Оформить шрифт"},
      {"Label2", 8, 205, "Важное", "Колонка библиотек"},
      {"Button16", -1, 236, "<center>", "Выравнивание по центру"},
      {"Button14", -1, 268, "ссылка", "Режимы вставки ссылок"},
      {"Button15", -1, 268, "картинка", "Режимы вставки картинок"},
      {"Label4", 8, 304, "Вставка", "Колонка библиотек"},
      {"Button17", -1, 332, "Цвет HEX", "Вставить цвет"},
      {"Button20", -1, 364, "Путь до...", "Вставить путь до выбранного объекта"},
      {"Button22", -1, 396, "Пароль", "Сгенерировать пароль"},
      {"Label3", 8, 433, "Результат", "Колонка библиотек"},
      {"Button23", -1, 460, "Посмотреть", "Посмотреть в Lunvista Plug-in"},
      {"Button24", -1, 460, "Сохранить", "Сохранить как веб-страничку"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* control = dynamic_cast<TControl*>(Main()->FindComponent(c.Name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Parent(), Main()->CoolBar1);
    if (c.Left >= 0) {
      EXPECT_EQ(control->Left(), c.Left);
    }
    EXPECT_EQ(control->Top(), c.Top);
    if (c.Caption) {
      EXPECT_EQ(control->Caption(), Ansi(c.Caption));
    }
    EXPECT_EQ(control->Hint(), Ansi(c.Hint));
  }
  // Every insert button runs a command.
  for (int i = 1; i <= 24; ++i) EXPECT_TRUE(Button("Button" + std::to_string(i))->OnClick) << i;
  EXPECT_EQ(List()->Style(), csDropDownList);
  EXPECT_EQ(List()->DropDownCount(), 35);
  EXPECT_EQ(List()->Color(), clWhite);
  EXPECT_EQ(List()->Width(), 169);
}

TEST_F(SidePanelAppTest, TheDataWindowsListsByteForByte) {
  StartWithText("", 0);
  ASSERT_NE(Form21, nullptr);
  const size_t sizes[] = {74, 71, 25, 122};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i + 1);
    TComboBox* box = Form21->Lists()[i];
    EXPECT_EQ(Items(box).size(), sizes[i]);
    EXPECT_EQ(Items(box), Expected(i));
    EXPECT_EQ(box->ItemIndex(), 0);
  }
  const std::vector<std::string> html = Items(Form21->ComboBox1);
  EXPECT_EQ(html[0], "<acronym></acronym>");
  EXPECT_EQ(html[1], "<!--  -->");
  EXPECT_EQ(html[4], "<applet code=\"\" width=\"\" height=\"\">  </applet>");
  EXPECT_EQ(html[73], "<var></var>");
  const std::vector<std::string> smileys = Items(Form21->ComboBox2);
  EXPECT_EQ(smileys[10], ":\xEE)");  // the Cyrillic о
  EXPECT_EQ(smileys[37], ":-`");
  EXPECT_EQ(smileys[54], ":-\\");
  EXPECT_EQ(smileys[70], "(X-(");
  EXPECT_EQ(std::count(smileys.begin(), smileys.end(), ":-["), 2);
  EXPECT_EQ(std::count(smileys.begin(), smileys.end(), ":-X"), 2);
  const unsigned char codes[] = {0xAE, 0xA9, 0x99, 0x88, 0xB1, 0xA7, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xAB,
                                 0xAC, 0xAF, 0xB0, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xBA, 0xBB, 0xBC, 0xBF};
  const std::vector<std::string> signs = Items(Form21->ComboBox3);
  for (size_t i = 0; i < 25; ++i) EXPECT_EQ(signs[i], std::string(1, char(codes[i]))) << i;
  const std::vector<std::string> css = Items(Form21->ComboBox4);
  EXPECT_EQ(css.front(), "azimuth:");
  EXPECT_EQ(css[99], "speak-header:");
  EXPECT_EQ(css.back(), "z-index:");
  for (const std::string& p : css) EXPECT_EQ(p.back(), ':') << p;
  // The panel's list starts with the same html tags, item 0 selected.
  EXPECT_EQ(Items(List()), Expected(0));
  EXPECT_EQ(List()->ItemIndex(), 0);
  EXPECT_EQ(List()->Text(), "<acronym></acronym>");
  // Its timer leaves the hidden window hidden and alive.
  ASSERT_NE(Form21->Timer1, nullptr);
  EXPECT_TRUE(Form21->Timer1->Enabled());
  EXPECT_EQ(Form21->Timer1->Interval(), 1000u);
  Form21->Timer1->OnTimer(Form21->Timer1);
  EXPECT_FALSE(Form21->Visible());
  EXPECT_EQ(Items(Form21->ComboBox1).size(), 74u);
}

TEST_F(SidePanelAppTest, ListButtonsLoadTheirListAndInsertNothing) {
  StartWithText("ab", 1);
  EXPECT_EQ(Button("Button1")->Font()->Size(), 9);
  struct TCase {
    const char* Button;
    size_t List;
  };
  for (const TCase& c : {TCase{"Button2", 3}, TCase{"Button3", 1}, TCase{"Button4", 2}, TCase{"Button1", 0}}) {
    SCOPED_TRACE(c.Button);
    Button(c.Button)->Click();
    EXPECT_EQ(Items(List()), Expected(c.List));
    EXPECT_EQ(List()->ItemIndex(), 0);
    EXPECT_EQ(Memo()->Text(), "ab");
    EXPECT_FALSE(Memo()->Modified());
    for (const char* b : {"Button1", "Button2", "Button3", "Button4"})
      EXPECT_EQ(Button(b)->Font()->Size(), std::string(b) == c.Button ? 9 : 8) << b;
  }
}

TEST_F(SidePanelAppTest, AUsersPickInsertsAndFocusesTheEditor) {
  StartWithText("ab SEL cd", 3, 3);
  Main()->Show();
  Main()->CoolBar1->Show();
  Pump();
  // "css", then "color:" by mouse (the window reports the pick).
  Button("Button2")->Click();
  const int color = List()->Items()->IndexOf("color:");
  ASSERT_GE(color, 0);
  List()->Perform(BQM_ITEMINDEX, static_cast<WPARAM>(color), 0);
  List()->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(Memo()->Text(), "ab color: cd");
  EXPECT_EQ(Memo()->GetSelectionStart(), 9);
  EXPECT_TRUE(Memo()->Focused());
  Memo()->Undo();
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");

  // A second pick (the arrow keys report theirs the same way; the running
  // program's keys are checked end to end) goes in at once.
  Button("Button1")->Click();
  Memo()->SetText("[]");
  Memo()->SetSelectionStart(1);
  List()->Perform(BQM_ITEMINDEX, 1, 0);
  List()->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(Memo()->Text(), "[<!--  -->]");
  EXPECT_TRUE(Memo()->Focused());

  // The program's own selections insert nothing.
  Memo()->SetText("x");
  List()->SetItemIndex(5);
  Button("Button3")->Click();
  Pump();
  EXPECT_EQ(Memo()->Text(), "x");

  // Read-only: nothing.
  Memo()->SetReadOnly(true);
  List()->Perform(BQM_ITEMINDEX, 1, 0);
  List()->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(Memo()->Text(), "x");
}

TEST_F(SidePanelAppTest, ShowingAndHidingFromEveryItem) {
  StartWithText("", 0);
  Main()->Show();
  Pump();
  size_t shows = 0, hides = 0;
  for (const auto& [row, item] : Main()->MenuLayout().Items) {
    const std::string handler = row->Handler;
    if (handler != "N119Click" && handler != "N120Click") continue;
    SCOPED_TRACE(Cp1251ToUtf8(item->Caption()));
    const bool show = handler == "N119Click";
    Main()->CoolBar1->SetVisible(!show);
    item->Click();
    Pump();
    EXPECT_EQ(Main()->CoolBar1->Visible(), show);
    EXPECT_EQ(List()->DroppedDown(), show);
    if (show) {
      List()->SetDroppedDown(false);
      Pump();
    }
    (show ? shows : hides)++;
  }
  EXPECT_EQ(shows, 4u);  // Правка, Теги, the editor menu, the panel menu
  EXPECT_EQ(hides, 2u);  // Теги, the panel menu
  // The panel menu's third item toggles the palette.
  TMenuItem* palette = FindMenuItem(*Main()->PopupMenu2, "", "Панель Быстрой вставки");
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Count(), 0);
}

TEST_F(SidePanelAppTest, LinkAndPictureButtonsOpenTheirMenusBesideThePanel) {
  StartWithText("", 0);
  Main()->Show();
  Main()->CoolBar1->Show();
  Pump();
  TChoosingMenus menus;
  IMenuBackend* previous = MenuBackend();
  SetMenuBackend(&menus);
  Button("Button14")->Click();
  Button("Button15")->Click();
  SetMenuBackend(previous);
  ASSERT_EQ(menus.Menus.size(), 2u);
  EXPECT_EQ(menus.Menus[0], Main()->link);
  EXPECT_EQ(menus.Menus[1], Main()->img);
  const TPoint at14 = Main()->ClientToScreen(TPoint(Main()->CoolBar1->Left(), 268));
  EXPECT_EQ(menus.Points[0].X, at14.X);
  EXPECT_EQ(menus.Points[0].Y, at14.Y);
  EXPECT_EQ(menus.Points[1].Y, at14.Y);
  // The chosen first items ("[ручная]") ran their commands.
  EXPECT_NE(Memo()->Text().find("<a href="), std::string::npos) << Memo()->Text();
  EXPECT_NE(Memo()->Text().find("<IMG src="), std::string::npos) << Memo()->Text();
  // The menus hold the items in order with their separators.
  const std::vector<std::pair<TPopupMenu*, std::vector<const char*>>> orders = {
      {Main()->link,
       {"[ручная]", "На другой сайт, файл, страницу", "\"Компактная\" ссылка", "-", "На другую страницу одного сайта"}},
      {Main()->img, {"[ручная]", "-", "С помощью мастера", "Просто вставить рисунок"}},
  };
  for (const auto& [menu, captions] : orders) {
    ASSERT_EQ(menu->Items()->Count(), int(captions.size()));
    for (size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(menu->Items()->Items(int(i))->Caption(), Ansi(captions[i]));
  }
}

}  // namespace
