// The insert commands that ask first, in the running editor (offscreen
// Qt): the open, font and colour dialogs and the prompts answered by
// script, the markup inserted in place of the selection as one undo step,
// and every cancel path leaving the document as it was.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "MenuRows.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"

namespace {

class DialogTagsAppTest : public InsertAppTest {
 protected:
  void Run(const char* handler) { Main()->Commands().Handler(handler)(nullptr); }
  // A file in the program folder; its Windows-1251 name.
  std::string MakeFile(const std::string& name, const std::string& bytes = "x") {
    WriteFileBytes(OsPath(name), bytes);
    return AnsiPath(name);
  }
};

TEST_F(DialogTagsAppTest, PictureCommandsInsertTheirTags) {
  struct TCase {
    const char* Handler;
    std::string Expected;  // with {N} for the full name, {S} for the name alone
    int CaretFromEnd;      // caret distance before the end of the tag
    bool Focus;
  };
  const std::vector<TCase> cases = {
      {"N84Click", Ansi("<IMG src=\"{N}\" height=высота width=ширина>"), 0, false},
      {"BODYBACKGROUND1Click", "<BODY BACKGROUND=\"{N}\">", 0, false},
      {"N228Click", "<IMG src=\"file://{N}\">", 0, false},
      {"N298Click", "<IMG src=\"{S}\">", 2, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Handler);
    const std::string path = MakeFile("pic.jpg");
    StartWithText("ab SEL cd", 3, 3);
    Ui().ExpectFileDialog(false, path);
    Run(c.Handler);
    std::string tag = StringReplace(c.Expected, "{N}", path, rfReplaceAll);
    tag = StringReplace(tag, "{S}", "pic.jpg", rfReplaceAll);
    EXPECT_EQ(Memo()->Text(), "ab " + tag + " cd");
    EXPECT_EQ(Memo()->GetSelectionStart(), int(3 + tag.size()) - c.CaretFromEnd);
    if (c.Focus) {
      EXPECT_TRUE(Memo()->Focused());
    }
    EXPECT_TRUE(Memo()->Modified());
    ExpectOneUndoStep("ab SEL cd");
    Finish();
  }
}

TEST_F(DialogTagsAppTest, PictureCommandsOnCancelAndReadOnlyChangeNothing) {
  StartWithText("ab SEL cd", 3, 3);
  for (const char* handler : {"N84Click", "BODYBACKGROUND1Click", "N228Click", "N298Click", "N297Click", "N296Click"}) {
    Ui().ExpectFileDialog(false, "");
    Run(handler);
  }
  Memo()->SetReadOnly(true);
  for (const char* handler : {"N84Click", "N298Click", "N249Click", "N251Click", "N39Click", "Button12Click",
                              "N297Click", "N545Click", "BODY1Click", "N296Click"})
    Run(handler);  // no dialog at all
  EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  EXPECT_EQ(Memo()->GetSelectionStart(), 3);
  EXPECT_EQ(Memo()->GetSelectedText(), "SEL");
  EXPECT_FALSE(Memo()->Modified());
}

TEST_F(DialogTagsAppTest, QuotesInLinuxNamesAreEscaped) {
  const std::string path = MakeFile("a\"b.jpg");
  StartWithText("", 0);
  Ui().ExpectFileDialog(false, path);
  Run("N228Click");
  const std::string dir = AnsiPath("");
  EXPECT_EQ(Memo()->Text(), "<IMG src=\"file://" + dir + "a%22b.jpg\">");
  EXPECT_EQ(Memo()->Text().substr(0, 18), "<IMG src=\"file:///");
}

TEST_F(DialogTagsAppTest, NameTheCodePageCannotHoldIsRefused) {
  // The dialog hands back "?" where the name had a character Windows-1251
  // has not got: such a name names no file.
  StartWithText("ab", 1);
  Ui().ExpectFileDialog(false, AnsiPath("?.jpg"));
  Ui().ExpectMessage(IDOK);
  Run("N298Click");
  EXPECT_EQ(Memo()->Text(), "ab");
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
  EXPECT_EQ(Ui().History().back().Caption, "Brindel Quillet Studio");
}

TEST_F(DialogTagsAppTest, FontAndColourCommands) {
  StartWithText("[]", 1);
  Ui().ExpectFont(true, "Arial", -16);
  Run("N249Click");
  EXPECT_EQ(Memo()->Text(), "[<font face=\"Arial\"> </font>]");
  Ui().ExpectColor(true, 0x0080FF);  // red 255, green 128, blue 0
  Run("N251Click");
  EXPECT_EQ(Memo()->Text(), "[<font face=\"Arial\"> </font><font color=\"#FF8000\"> </font>]");
  Memo()->SetText("");
  Ui().ExpectFont(true, "Arial", -16);
  Run("N39Click");
  EXPECT_EQ(Memo()->Text(), "<BASEFONT size=\"" + IntToStr(Main()->FontDialog1->Font()->Size()) + "\">");
  EXPECT_EQ(Main()->FontDialog1->Font()->Size(), 12);
  // Cancelled: nothing.
  Memo()->SetText("x");
  Ui().ExpectFont(false).ExpectColor(false).ExpectFont(false);
  Run("N249Click");
  Run("N251Click");
  Run("N39Click");
  EXPECT_EQ(Memo()->Text(), "x");
}

TEST_F(DialogTagsAppTest, ArrangeFontGoesOnWithoutAFont) {
  StartWithText("ab", 1);
  Ui().ExpectFont(false).ExpectColor(true, 0x0000FF);
  Run("Button12Click");
  const std::string tag = "<font face=\"\" size=\"\" color=\"#FF0000\"></font>";
  EXPECT_EQ(Memo()->Text(), "a" + tag + "b");
  EXPECT_EQ(Memo()->GetSelectionStart(), int(1 + tag.size() - 7));
  EXPECT_TRUE(Memo()->Focused());

  Ui().ExpectFont(true, "Tahoma", -16).ExpectColor(true, 0x00FF00);
  Run("Button12Click");
  EXPECT_NE(Memo()->Text().find("<font face=\"Tahoma\" size=\"12\" color=\"#00FF00\"></font>"), std::string::npos);
  // A cancelled colour ends it.
  const std::string before = Memo()->Text();
  Ui().ExpectFont(true, "Tahoma", -16).ExpectColor(false);
  Run("Button12Click");
  EXPECT_EQ(Memo()->Text(), before);
}

TEST_F(DialogTagsAppTest, LinkToAnotherPageUsesTheNameAlone) {
  const std::string path = MakeFile("page.html");
  StartWithText("ab SEL", 3, 3);
  Ui().ExpectFileDialog(false, path);
  Run("N297Click");
  EXPECT_EQ(Memo()->Text(), Ansi("ab <A HREF=page.html>ссылка на page.html</A>"));
  EXPECT_TRUE(Memo()->Focused());
  EXPECT_EQ(Ui().History().back().Kind, TUiKind::OpenDialog);
}

TEST_F(DialogTagsAppTest, CompactLinkWithDefaultsAndEveryCancel) {
  const std::string caption = Ansi("\"Компактная\" ссылка");
  StartWithText("", 0);
  Ui().ExpectInput(true, "http://").ExpectInput(true, Ansi("Ссылка на http://")).ExpectInput(true, "_blank");
  Run("N545Click");
  EXPECT_EQ(Memo()->Text(),
            Ansi("<a href = \"http://\" target=\"_blank\" title=\"Ссылка на http://\">Ссылка на http://</a>"));
  const std::vector<TUiRecord>& h = Ui().History();
  ASSERT_EQ(h.size(), 3u);
  EXPECT_EQ(h[0].Caption, caption);
  EXPECT_EQ(h[0].Text, Ansi("Введите сюда адрес сайта:"));
  EXPECT_EQ(h[0].Value, "http://");
  EXPECT_EQ(h[1].Text, Ansi("Введите сюда текст ссылки:"));
  EXPECT_EQ(h[2].Text, Ansi("Параметры открытия ссылки:"));
  EXPECT_EQ(h[2].Value, "_blank");

  Ui().ExpectInput(true, "a.ru").ExpectInput(true, "A").ExpectInput(true, "_top");
  Memo()->SetText("");
  Run("N545Click");
  EXPECT_EQ(Memo()->Text(), Ansi("<a href = \"a.ru\" target=\"_top\" title=\"Ссылка на a.ru\">A</a>"));
  // Cancel in any of the three boxes ends the command.
  for (int cancelAt = 0; cancelAt < 3; ++cancelAt) {
    SCOPED_TRACE(cancelAt);
    Memo()->SetText("keep");
    for (int i = 0; i < cancelAt; ++i) Ui().ExpectInput(true, "v");
    Ui().ExpectInput(false);
    Run("N545Click");
    EXPECT_EQ(Memo()->Text(), "keep");
  }
}

TEST_F(DialogTagsAppTest, BodyWizardAsksFiveColoursInOrder) {
  StartWithText("", 0);
  const TColor colours[] = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
  for (TColor c : colours) Ui().ExpectMessage(IDOK).ExpectColor(true, c);
  Ui().ExpectMessage(IDOK);
  Run("BODY1Click");
  EXPECT_EQ(Memo()->Text(),
            "<body bgcolor=\"#010000\" text=\"#020000\" link=\"#030000\" vlink=\"#050000\" alink=\"#040000\">");
  const std::vector<TUiRecord>& h = Ui().History();
  ASSERT_EQ(h.size(), 11u);
  EXPECT_EQ(h[0].Caption, Ansi("Шаг 1 из 5"));
  EXPECT_NE(h[0].Text.find(Ansi("гамму Вашей странички!")), std::string::npos);
  EXPECT_NE(h[0].Text.find(Ansi("цвета.\r\rИтак, на первом шаге")), std::string::npos);
  EXPECT_EQ(h[2].Caption, Ansi("Шаг 2 из 5"));
  EXPECT_EQ(h[2].Text, Ansi("Теперь выберите цвет текста на Вашей веб-странице..."));
  EXPECT_EQ(h[8].Caption, Ansi("Шаг 5 из 5"));
  EXPECT_EQ(h[8].Text, Ansi("И последний шаг: выберите цвет посещенных ссылок на Вашей веб-странице..."));
  for (int i : {0, 2, 4, 6, 8, 10}) {
    EXPECT_EQ(h[i].Icon, TUiIcon::Information);
    EXPECT_EQ(h[i].Buttons, std::vector<int>{IDOK});
  }
  EXPECT_EQ(h[10].Caption, Ansi("Готово!"));
  EXPECT_EQ(h[10].Text, Ansi("Готово! Мастер создания красочной веб-странички закончил создание цветовой гаммы для "
                             "Вашей веб-страницы."));
  // The dialog keeps the last colour.
  EXPECT_EQ(Main()->ColorDialog1->Color(), 0x000005u);
}

TEST_F(DialogTagsAppTest, BodyWizardWithEveryColourCancelled) {
  StartWithText("", 0);
  for (int i = 0; i < 5; ++i) Ui().ExpectMessage(IDOK).ExpectColor(false);
  Ui().ExpectMessage(IDOK);
  Run("BODY1Click");
  EXPECT_EQ(Memo()->Text(), "<body bgcolor=\"\" text=\"\" link=\"\" vlink=\"\" alink=\"\">");
}

TEST_F(DialogTagsAppTest, AnotherDocumentKeepsItsLines) {
  const std::string bytes = Ansi("aЖb\r\nc\nd\re");
  const std::string path = MakeFile("other.txt", bytes);
  StartWithText("[SEL]", 1, 3);
  Ui().ExpectFileDialog(false, path);
  Run("N296Click");
  EXPECT_EQ(Memo()->Lines()->Count(), 4);
  EXPECT_EQ(Memo()->Lines()->Get(0), Ansi("[aЖb"));
  EXPECT_EQ(Memo()->Lines()->Get(1), "c");
  EXPECT_EQ(Memo()->Lines()->Get(2), "d");
  EXPECT_EQ(Memo()->Lines()->Get(3), "e]");
  EXPECT_EQ(Memo()->GetSelectionStart(), int(Memo()->Text().size()) - 1);  // before "]"
  EXPECT_TRUE(Memo()->Focused());
  Memo()->Undo();
  EXPECT_EQ(Memo()->Text(), "[SEL]");
}

TEST_F(DialogTagsAppTest, AnotherDocumentGoesInByteForByte) {
  // NUL bytes are text like any other; CR LF, LF and CR each end a line
  // (the document then holds CR LF). One undo takes it all away again, and
  // redo puts back the same bytes.
  struct TCase {
    const char* What;
    std::string File;
    std::string Text;  // the document before, with the selection [SelStart, +SelLength)
    int SelStart, SelLength;
    std::string After;
  };
  const std::string nul(1, '\0');
  const TCase cases[] = {
      {"a NUL inside a line, over a selection", "a" + nul + "b\r\nc", "[SEL]", 1, 3, "[a" + nul + "b\r\nc]"},
      {"NULs at both ends, at the caret", nul + "x" + nul, "[]", 1, 0, "[" + nul + "x" + nul + "]"},
      {"only NULs", nul + nul, "", 0, 0, nul + nul},
      {"every line end and a NUL last", "1\r\n2\n3\r4" + nul, "ab", 1, 0, "a1\r\n2\r\n3\r\n4" + nul + "b"},
      {"a NUL before a line end", "p" + nul + "\rq", "SEL", 0, 3, "p" + nul + "\r\nq"},
  };
  StartWithText("", 0);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    const std::string path = MakeFile("nul.bin", c.File);
    Memo()->SetText(c.Text);
    Memo()->SetSelectionStart(c.SelStart);
    Memo()->SetSelectionLength(c.SelLength);
    Memo()->ClearUndoRedo();
    Memo()->SetModified(false);
    Ui().ExpectFileDialog(false, path);
    Run("N296Click");
    EXPECT_EQ(Memo()->Text(), c.After);
    const std::size_t tail = c.Text.size() - std::size_t(c.SelStart + c.SelLength);
    EXPECT_EQ(Memo()->GetSelectionStart(), int(c.After.size() - tail));
    EXPECT_EQ(Memo()->SelLength(), 0);
    EXPECT_TRUE(Memo()->Modified());
    Memo()->Undo();
    EXPECT_EQ(Memo()->Text(), c.Text);
    Memo()->Redo();
    EXPECT_EQ(Memo()->Text(), c.After);
  }
}

TEST_F(DialogTagsAppTest, AnotherDocumentThatCannotBeReadInsertsNothing) {
  StartWithText("keep", 0);
  ::mkdir(OsPath("folder").c_str(), 0700);
  Ui().ExpectFileDialog(false, AnsiPath("folder"));
  EXPECT_THROW(Run("N296Click"), EFOpenError);
  Ui().ExpectFileDialog(false, AnsiPath("missing.txt"));
  EXPECT_THROW(Run("N296Click"), EFOpenError);
  EXPECT_EQ(Memo()->Text(), "keep");
  EXPECT_FALSE(Memo()->Modified());
}

// A document that would take the text past the characters the editor's
// positions hold is refused, unread when its size says so (a sparse file),
// naming it; nothing is inserted.
TEST_F(DialogTagsAppTest, AnotherDocumentTooLargeForTheEditorIsRefused) {
  StartWithText("keep", 0);
  const std::string path = MakeFile("huge.txt", "");
  for (std::int64_t size : {MaxTextChars - 3, MaxTextChars + 1}) {
    ASSERT_EQ(::truncate(OsPath("huge.txt").c_str(), size), 0);
    Ui().ExpectFileDialog(false, path);
    try {
      Run("N296Click");
      ADD_FAILURE() << size;
    } catch (const ESrcEditTextTooLarge& e) {
      EXPECT_EQ(e.Message(), InsertionTooLargeMessage(path));
    }
    EXPECT_EQ(Memo()->Text(), "keep");
    EXPECT_FALSE(Memo()->Modified());
  }
}

TEST_F(DialogTagsAppTest, EveryItemRunsItsCommand) {
  // Each item the commands stand under, found by its caption, opens the
  // command's first dialog.
  struct TItem {
    TPopupMenu* TZod2uAppForm::*Menu;  // null: the main menu
    const char* Path;
    const char* Caption;
    TUiKind First;
  };
  const std::vector<TItem> items = {
      {nullptr, "Теги > Объекты", "Рисунок ( с полным именем - C:\\images\\pic.jpg)", TUiKind::OpenDialog},
      {nullptr, "Теги > Объекты", "Фоновой рисунок <BODY BACKGROUND>", TUiKind::OpenDialog},
      {nullptr, "Теги > Объекты", "Рисунок ( только с именем самой картинки - pic.jpg)", TUiKind::OpenDialog},
      {nullptr, "Вставить > Вставить картинку с...", "полным именем картинки (C:\\images\\pic.jpg)",
       TUiKind::OpenDialog},
      {nullptr, "Вставить > Вставить картинку с...", "с именем самой картинки (pic.jpg)", TUiKind::OpenDialog},
      {nullptr, "Теги > Мастера Quillet Studio", "Еще один мастер вставки изображения", TUiKind::OpenDialog},
      {&TZod2uAppForm::img, "", "Просто вставить рисунок", TUiKind::OpenDialog},
      {nullptr, "Вставить > Шрифт", "Имя шрифта", TUiKind::FontDialog},
      {nullptr, "Вставить > Шрифт", "Цвет шрифта", TUiKind::ColorDialog},
      {nullptr, "Теги > Шрифт", "Задать размер шрифта по умолчанию...", TUiKind::FontDialog},
      {nullptr, "Вставить > Шрифт", "Размер по умолчанию", TUiKind::FontDialog},
      {nullptr, "Теги > Ссылки", "Ссылка на другой документ", TUiKind::OpenDialog},
      {nullptr, "Вставить", "Ссылка на другой документ", TUiKind::OpenDialog},
      {&TZod2uAppForm::link, "", "На другую страницу одного сайта", TUiKind::OpenDialog},
      {nullptr, "Вставить", "\"Компактная\" ссылка...", TUiKind::InputQuery},
      {&TZod2uAppForm::link, "", "\"Компактная\" ссылка", TUiKind::InputQuery},
      {nullptr, "Теги > Мастера Quillet Studio", "Мастер создания красочной странички...", TUiKind::MessageBox},
      {nullptr, "Теги > Начало документа", "Элементы BODY", TUiKind::MessageBox},
      {nullptr, "Правка > Вставить данные", "Другой документ...", TUiKind::OpenDialog},
      {&TZod2uAppForm::PopupMenu1, "Вставить данные", "Другой документ", TUiKind::OpenDialog},
  };
  StartWithText("", 0);
  for (const TItem& i : items) {
    SCOPED_TRACE(i.Caption);
    TMenu* menu = i.Menu ? static_cast<TMenu*>(Main()->*i.Menu) : static_cast<TMenu*>(Main()->MainMenu1);
    TMenuItem* item = FindMenuItem(*menu, i.Path, i.Caption);
    ASSERT_NE(item, nullptr);
    // The first box of the command ends it (another kind fails the test).
    TScriptedUi::TStep step;
    step.Kind = i.First;
    step.Answer = [](TUiRecord&, void*) -> int { throw EAbort(); };
    Ui().Expect(step);
    EXPECT_THROW(item->Click(), EAbort);
  }
  EXPECT_EQ(Memo()->Text(), "");
}

}  // namespace
