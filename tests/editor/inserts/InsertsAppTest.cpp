// The entity, sign, date, number, random, file-name, signature and colour
// inserts in the running editor (offscreen Qt): every row through its
// handler and through every menu item bound to it, the bytes in place of
// the selection, one undo step per insertion, the caret after the text,
// the focus where the command puts it, and nothing at all on a read-only
// document.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "InsertTable.h"
#include "MenuRows.h"
#include "Unit22.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"

namespace {

class InsertsAppTest : public InsertAppTest {
 protected:
  void TearDown() override {
    SetSecureRandomSourceForTesting(nullptr);
    SetNowForTesting(std::nullopt);
    InsertAppTest::TearDown();
  }
  void Run(const std::string& handler) { Main()->Commands().Handler(handler)(nullptr); }
  // Every menu item the rows bind to a handler.
  std::vector<TMenuItem*> ItemsOf(const std::string& handler) const {
    std::vector<TMenuItem*> items;
    for (const auto& [row, item] : Main()->MenuLayout().Items)
      if (handler == row->Handler) items.push_back(item);
    return items;
  }
  // Undoes everything: the number of steps.
  int UndoAll() {
    int steps = 0;
    while (Memo()->CanUndo() && steps < 100) {
      Memo()->Undo();
      ++steps;
    }
    return steps;
  }
  // Runs the handler and then each of its items on "ab SEL cd" with SEL
  // selected: each time the text in place of SEL, the caret after it, one
  // undo step back to the start.
  void ExpectInserts(const std::string& handler, const std::string& text, size_t minItems = 1) {
    SCOPED_TRACE(handler);
    const std::vector<TMenuItem*> items = ItemsOf(handler);
    EXPECT_GE(items.size(), minItems);
    std::vector<std::function<void()>> runs = {[&] { Run(handler); }};
    for (TMenuItem* item : items) runs.push_back([item] { item->Click(); });
    for (size_t i = 0; i < runs.size(); ++i) {
      SCOPED_TRACE(i == 0 ? std::string("handler") : Cp1251ToUtf8(items[i - 1]->Caption()));
      Reset("ab SEL cd", 3, 3);
      runs[i]();
      EXPECT_EQ(Memo()->Text(), "ab " + text + " cd");
      EXPECT_EQ(Memo()->GetSelectionStart(), int(3 + text.size()));
      EXPECT_EQ(Memo()->GetSelectionLength(), 0);
      EXPECT_EQ(UndoAll(), 1);
      EXPECT_EQ(Memo()->Text(), "ab SEL cd");
    }
  }
  void Reset(const std::string& text, int selStart, int selLength = 0) {
    Memo()->SetReadOnly(false);
    Memo()->SetText(text);
    Memo()->SetSelectionStart(selStart);
    Memo()->SetSelectionLength(selLength);
    Memo()->ClearUndoRedo();
    Memo()->SetModified(false);
  }
  // A read-only document: the handler and its items change nothing and
  // ask nothing (the scripted boxes hold no step).
  void ExpectReadOnlyUntouched(const std::string& handler) {
    SCOPED_TRACE(handler);
    Reset("ab SEL cd", 3, 3);
    Memo()->SetReadOnly(true);
    Run(handler);
    for (TMenuItem* item : ItemsOf(handler)) item->Click();
    EXPECT_EQ(Memo()->Text(), "ab SEL cd");
    EXPECT_EQ(Memo()->GetSelectedText(), "SEL");
    EXPECT_FALSE(Memo()->Modified());
    Memo()->SetReadOnly(false);
  }
};

TEST_F(InsertsAppTest, EveryEntityRowInsertsItsEntityFromItsItem) {
  StartWithText("", 0);
  int count = 0;
  std::set<std::string> handlers;
  for (const TInsertTextMenu& menu : EntityMenus())
    for (const TInsertText& row : menu.Rows) {
      ++count;
      EXPECT_TRUE(handlers.insert(row.Handler).second) << row.Handler;
      // The row's item stands in its submenu with its exact caption.
      TMenuItem* item = FindMenuItem(*Main()->MainMenu1, menu.Path, row.Caption);
      ASSERT_NE(item, nullptr) << row.Caption;
      ExpectInserts(row.Handler, row.Text);
      ExpectReadOnlyUntouched(row.Handler);
    }
  EXPECT_EQ(count, 1 + 36 + 9 + 22);
  // Spot checks of the table itself (trailing blanks kept, the signs of
  // "Меньше" and "Больше" their own).
  const std::map<std::string, std::string> spots = {
      {"N330Click", "&lt;"},   {"N331Click", "&gt;"},    {"N356Click", "&#8240;"}, {"N329Click", "&#064;"},
      {"N261Click", "&nbsp;"}, {"N384Click", "&Omega;"}, {"N358Click", "&#9675;"}};
  for (const auto& [handler, text] : spots) {
    Reset("", 0);
    Run(handler);
    EXPECT_EQ(Memo()->Text(), text) << handler;
  }
  EXPECT_NE(FindMenuItem(*Main()->MainMenu1, "Вставить > Специальные символы > Греческий алфавит", "Заглавная альфа "),
            nullptr);
  EXPECT_NE(FindMenuItem(*Main()->MainMenu1, "Вставить > Специальные символы > Общие символы", "Фунт стерлингов "),
            nullptr);
  // "Меньше" and "Больше" stand right after "Собачка".
  TMenuItem* at = FindMenuItem(*Main()->MainMenu1, "Вставить > Специальные символы > Общие символы", "Собачка");
  ASSERT_NE(at, nullptr);
  TMenuItem* parent = at->Parent();
  const int i = parent->IndexOf(at);
  EXPECT_EQ(parent->Items(i + 1)->Caption(), Ansi("Меньше"));
  EXPECT_EQ(parent->Items(i + 2)->Caption(), Ansi("Больше"));
  EXPECT_EQ(parent->Count(), 36);
}

TEST_F(InsertsAppTest, SignsInsertOneWindows1251CharacterFromBothMenus) {
  StartWithText("", 0);
  const std::pair<const char*, char> signs[] = {{"N64Click", '\xAE'}, {"N65Click", '\xA9'}, {"N66Click", '\x99'},
                                                {"N67Click", '\x88'}, {"N68Click", '\xB1'}, {"N69Click", '\xA7'},
                                                {"N428Click", '\x97'}};
  for (const auto& [handler, byte] : signs) {
    ExpectInserts(handler, std::string(1, byte), 2);
    ExpectReadOnlyUntouched(handler);
  }
  EXPECT_NE(FindMenuItem(*Main()->MainMenu1, "Правка > Вставить знак", "© "), nullptr);
  EXPECT_NE(FindMenuItem(*Main()->PopupMenu1, "Вставить знак", "©"), nullptr);
}

TEST_F(InsertsAppTest, DatesAtAFixedClock) {
  StartWithText("", 0);
  // Wednesday, 3 March 2027, 04:05:06.
  SetNowForTesting(EncodeDate(2027, 3, 3) + EncodeTime(4, 5, 6, 0));
  const std::string day = Ansi("среда");
  struct TCase {
    const char* Handler;
    std::string Text;
    bool Focus;
    size_t Items;
  };
  const std::vector<TCase> cases = {
      {"N54Click", day + Ansi(", 03.03.2027 год, время: 04:05:06"), false, 3},
      {"N55Click", day + Ansi(", 03.03.2027 г."), false, 2},
      {"N58Click", day + ", 03.03.2027, 04:05:06", true, 2},
      {"N56Click", "04:05:06", false, 2},
  };
  for (const TCase& c : cases) {
    ExpectInserts(c.Handler, c.Text, c.Items);
    ExpectReadOnlyUntouched(c.Handler);
    if (c.Focus) {
      Main()->StatusBar1->SetFocus();
      Reset("", 0);
      Run(c.Handler);
      EXPECT_TRUE(Memo()->Focused()) << c.Handler;
    }
  }
  // The side panel's "Дата/время" is N58Click.
  auto* button = dynamic_cast<TButton*>(Main()->FindComponent("Button18"));
  ASSERT_NE(button, nullptr);
  Reset("", 0);
  button->Click();
  EXPECT_EQ(Memo()->Text(), day + ", 03.03.2027, 04:05:06");
  // The clock item: status-bar panel 0 as it stands.
  Main()->StatusBar1->Panels()->Items(0)->SetText(" clock");
  ExpectInserts("N464Click", " clock");
  ExpectReadOnlyUntouched("N464Click");
}

TEST_F(InsertsAppTest, NumbersAndRandomDigitsWithAFixedSource) {
  StartWithText("", 0);
  ExpectInserts("Pi1Click", "3,14159265358979");
  ExpectInserts("E1Click", "2,71828182845905");
  // A source counting up: the digits are its words modulo 10, each its
  // own insertion and undo step.
  std::uint32_t next = 0;
  SetSecureRandomSourceForTesting([&] { return next++; });
  struct TCase {
    const char* Handler;
    int Digits;
    size_t Items;
  };
  for (const TCase& c :
       {TCase{"N091Click", 1, 2}, TCase{"N479Click", 2, 3}, TCase{"N480Click", 3, 2}, TCase{"Button22Click", 20, 0}}) {
    SCOPED_TRACE(c.Handler);
    EXPECT_EQ(ItemsOf(c.Handler).size(), c.Items);
    Reset("ab SEL cd", 3, 3);
    next = 7;
    Main()->StatusBar1->SetFocus();
    Run(c.Handler);
    std::string digits;
    for (int i = 0; i < c.Digits; ++i) digits += char('0' + (7 + i) % 10);
    EXPECT_EQ(Memo()->Text(), "ab " + digits + " cd");
    EXPECT_EQ(Memo()->GetSelectionStart(), 3 + c.Digits);
    if (std::string(c.Handler) == "Button22Click") {
      EXPECT_TRUE(Memo()->Focused());
    }
    EXPECT_EQ(UndoAll(), c.Digits);
    EXPECT_EQ(Memo()->Text(), "ab SEL cd");
    ExpectReadOnlyUntouched(c.Handler);
  }
  // The real source: every digit turns up, "9" included.
  SetSecureRandomSourceForTesting(nullptr);
  Reset("", 0);
  for (int i = 0; i < 300; ++i) Run("N091Click");
  const std::string text = Memo()->Text();
  ASSERT_EQ(text.size(), 300u);
  for (char d = '0'; d <= '9'; ++d) EXPECT_NE(text.find(d), std::string::npos) << d;
}

TEST_F(InsertsAppTest, TenRandomCharactersComeFromTheTenListsInOneStep) {
  StartWithText("", 0);
  ASSERT_NE(Form22, nullptr);
  const std::vector<const char*>& items = RandomCharacterItems();
  ASSERT_EQ(items.size(), 38u);
  for (TComboBox* list : Form22->Lists()) {
    ASSERT_EQ(list->Items()->Count(), 38);
    for (int i = 0; i < 38; ++i) EXPECT_EQ(list->Items()->Get(i), items[size_t(i)]);
    EXPECT_EQ(list->ItemIndex(), 0);
  }
  EXPECT_EQ(std::string(items[13]), "D ");
  EXPECT_EQ(std::string(items[14]), "E ");
  // Draws 13, 14, 0, 37, 36, 1, 2, 3, 10, 35 (words past the last whole
  // multiple of 38 would be drawn again).
  const std::vector<std::uint32_t> words = {13, 14, 38, 37, 36 + 38 * 5, 1, 2, 3, 10, 35};
  size_t next = 0;
  SetSecureRandomSourceForTesting([&] { return words.at(next++ % words.size()); });
  ExpectInserts("N424Click", "D E 0$#123AZ", 3);
  EXPECT_EQ(Form22->Lists()[0]->ItemIndex(), 13);
  ExpectReadOnlyUntouched("N424Click");
  // The real source: ten to twenty characters of the alphabet, and two
  // draws differ.
  SetSecureRandomSourceForTesting(nullptr);
  std::set<std::string> seen;
  for (int n = 0; n < 5; ++n) {
    Reset("", 0);
    Run("N424Click");
    const std::string t = Memo()->Text();
    EXPECT_GE(t.size(), 10u);
    EXPECT_LE(t.size(), 20u);
    EXPECT_EQ(t.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ#$ "), std::string::npos) << t;
    seen.insert(t);
  }
  EXPECT_GT(seen.size(), 1u);
}

TEST_F(InsertsAppTest, FileNamesFromTheOpenDialogs) {
  StartWithText("", 0);
  // A name with blanks and Cyrillic goes in unchanged.
  const std::string dir = AnsiPath("папка с пробелами") + "/";
  ForceDirectories(dir);
  const std::string file = dir + Ansi("мой файл.tar.gz");
  WriteFileBytes(SysFileName(file), "x");
  struct TCase {
    const char* Handler;
    std::string Text;
    size_t Items;
    bool Focus;
  };
  const std::vector<TCase> cases = {
      {"N70Click", file, 2, true},   {"N92Click", Ansi("мой файл.tar.gz"), 2, false},
      {"N93Click", dir, 1, false},   {"N174Click", ".gz", 1, false},
      {"DOS2Click", file, 1, false}, {"N526Click", dir, 1, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Handler);
    const size_t runs = 1 + ItemsOf(c.Handler).size();
    EXPECT_EQ(runs - 1, c.Items);
    for (size_t i = 0; i < runs; ++i) Ui().ExpectFileDialog(false, file);
    ExpectInserts(c.Handler, c.Text, c.Items);
    // Cancelled: nothing.
    Reset("ab SEL cd", 3, 3);
    Ui().ExpectFileDialog(false, "");
    Run(c.Handler);
    EXPECT_EQ(Memo()->Text(), "ab SEL cd");
    EXPECT_EQ(Memo()->GetSelectedText(), "SEL");
    ExpectReadOnlyUntouched(c.Handler);
    if (c.Focus) {
      Main()->StatusBar1->SetFocus();
      Ui().ExpectFileDialog(false, file);
      Run(c.Handler);
      EXPECT_TRUE(Memo()->Focused());
    }
    EXPECT_EQ(Ui().Remaining(), 0);
  }
  // A name without an extension: an empty extension.
  const std::string bare = dir + "README";
  WriteFileBytes(SysFileName(bare), "x");
  Reset("[]", 1);
  Ui().ExpectFileDialog(false, bare);
  Run("N174Click");
  EXPECT_EQ(Memo()->Text(), "[]");
  // The pick moves the preview folder: the picture dialog's does not.
  EXPECT_EQ(Main()->OpenDialog->FileName(), bare);
  // This document's name: the untitled name, then the file's.
  ExpectInserts("N60Click", Ansi("Безымянный"), 2);
  Main()->SetCurrentFileName(file);
  ExpectInserts("N60Click", file, 2);
  ExpectReadOnlyUntouched("N60Click");
}

TEST_F(InsertsAppTest, SignaturesInsertTheirItemsCaptions) {
  StartWithText("", 0);
  const std::pair<const char*, std::string> cases[] = {
      {"N486Click", "tester"},
      {"N487Click", Ansi("С уважением, tester")},
      {"ddd1Click", Ansi("С наилучшими пожеланиями, tester")},
      {"com1Click", Ansi("Имя компьютера: workbench")},
  };
  for (const auto& [handler, text] : cases) {
    ExpectInserts(handler, text);
    ExpectReadOnlyUntouched(handler);
  }
}

TEST_F(InsertsAppTest, ColourCodesFromTheColourDialog) {
  StartWithText("", 0);
  for (size_t i = 0; i < 1 + ItemsOf("N59Click").size(); ++i) Ui().ExpectColor(true, 0x0000FF);
  ExpectInserts("N59Click", "255", 3);
  for (size_t i = 0; i < 1 + ItemsOf("N59Click").size(); ++i) Ui().ExpectColor(true, 0xFF0000);
  ExpectInserts("N59Click", "16711680", 3);
  for (size_t i = 0; i < 1 + ItemsOf("HTMLHEX1Click").size(); ++i) Ui().ExpectColor(true, 0x0080FF);
  ExpectInserts("HTMLHEX1Click", "#FF8000", 3);
  // "Цвет HEX" on the side panel, and the focus.
  Reset("", 0);
  Main()->StatusBar1->SetFocus();
  Ui().ExpectColor(true, 0x0080FF);
  dynamic_cast<TButton*>(Main()->FindComponent("Button17"))->Click();
  EXPECT_EQ(Memo()->Text(), "#FF8000");
  EXPECT_TRUE(Memo()->Focused());
  // Cancelled: nothing.
  Reset("ab", 1);
  Ui().ExpectColor(false).ExpectColor(false);
  Run("N59Click");
  Run("HTMLHEX1Click");
  EXPECT_EQ(Memo()->Text(), "ab");
  ExpectReadOnlyUntouched("N59Click");
  ExpectReadOnlyUntouched("HTMLHEX1Click");
  EXPECT_EQ(Ui().Remaining(), 0);
}

TEST_F(InsertsAppTest, TheColourOfASelectedCodeOrTheWarning) {
  StartWithText("", 0);
  // The colour the dialog opens on, for each selection.
  TColor shown = 0;
  auto expectShown = [&] {
    Ui().Expect({TUiKind::ColorDialog,
                 [&](TUiRecord&, void* request) {
                   shown = static_cast<TColorDialogRequest*>(request)->Color;
                   return 0;
                 },
                 "colour shown"});
  };
  const std::pair<const char*, TColor> good[] = {
      {"#FF0000", 0x0000FF}, {"#FF0000 and more", 0x0000FF}, {"#FF", 0x0000FF}, {"#00ff80", 0x80FF00}};
  for (const auto& [code, color] : good) {
    SCOPED_TRACE(code);
    Reset(std::string("x") + code, 1, int(std::string(code).size()));
    expectShown();
    Run("N427Click");
    EXPECT_EQ(shown, color);
    EXPECT_EQ(Memo()->Text(), std::string("x") + code);
  }
  // Nothing, blanks, signs, "0x": the warning, never the toolkit's error
  // box; the document unchanged.
  const std::string warning =
      Ansi("Неверный HEX-код. Выделите правильный HEX-код в документе и повторите выбор этой команды.");
  for (const char* bad : {"", "#", "# FF00", "#-10000", "0xFF00", "#GG0000", "#FF00  "}) {
    SCOPED_TRACE(bad);
    Reset(std::string("x") + bad + "y", 1, int(std::string(bad).size()));
    Ui().ExpectMessage(IDOK, warning, "Brindel Quillet Studio");
    Run("N427Click");
    EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
    EXPECT_EQ(Memo()->Text(), std::string("x") + bad + "y");
  }
  // Its items: Правка and the editor menu (enabled with a selection).
  EXPECT_EQ(ItemsOf("N427Click").size(), 2u);
  for (TMenuItem* item : ItemsOf("N427Click")) {
    Reset("#0000FF", 0, 7);
    expectShown();
    item->Click();
    EXPECT_EQ(shown, 0xFF0000u);
  }
  EXPECT_EQ(Ui().Remaining(), 0);
}

}  // namespace
