// The snippet commands in the running editor (offscreen Qt): items of the
// main menu and the editor menu, a shortcut typed into the editor, the
// enabling rule when the editor menu opens, the tool windows, and a
// read-only document.
#include <QtTest/QTest>

#include <string>

#include "EditorAppFixture.h"
#include "MenuRows.h"
#include "SnippetCommands.h"
#include "SrcMemo.h"
#include "Unit18.h"
#include "Unit20.h"
#include "Unit5.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {

class SnippetAppTest : public EditorAppTest {
 protected:
  void StartWithText(const std::string& text, int caret) {
    Start();
    Memo()->SetText(text);
    Memo()->SetSelectionStart(caret);
    Memo()->SetModified(false);
  }
  TSrcMemo* Memo() const { return Main()->Memo1; }
  TMenuItem* MainItem(const char* path, const char* caption) {
    TMenuItem* item = FindMenuItem(*Main()->MainMenu1, path, caption);
    EXPECT_NE(item, nullptr) << path << " > " << caption;
    return item;
  }
  QWidget* MemoWidget() const { return static_cast<QtWindowPeer*>(Memo()->Handle())->Client(); }
};

TEST_F(SnippetAppTest, MainMenuItemsInsertAtTheCaret) {
  StartWithText("ab\r\ncd", 5);
  MainItem("Теги > Шрифт", "Полужирный <B> </B>")->Click();
  EXPECT_EQ(Memo()->Text(), "ab\r\nc<B></B>d");
  EXPECT_EQ(Memo()->GetSelectionStart(), 8);
  EXPECT_TRUE(Memo()->Focused());
  EXPECT_TRUE(Memo()->Modified());

  MainItem("Вставить > Шрифт > Размер шрифта", "+3")->Click();
  EXPECT_EQ(Memo()->Text(), Ansi("ab\r\nc<B><font size=\"+3\"> </font></B>d"));
  MainItem("Теги > Эффекты текста", "Мелькание текста")->Click();
  EXPECT_NE(Memo()->Text().find(Ansi("<blink>Этот текст на веб-странице будет мелькать</blink>")), std::string::npos);
}

TEST_F(SnippetAppTest, HandlersByNameForButtonsMadeLater) {
  StartWithText("ab", 1);
  TNotifyEvent onClick = Main()->Commands().Handler("N541Click");
  ASSERT_TRUE(onClick);
  onClick(nullptr);
  EXPECT_EQ(Memo()->Text(), "a<IMG src=\"\">b");
  EXPECT_EQ(Memo()->GetSelectionStart(), 11);
  EXPECT_TRUE(Memo()->Focused());
  EXPECT_FALSE(Main()->Commands().Contains("NoSuchClick"));
  EXPECT_THROW(Main()->Commands().Handler("NoSuchClick"), ECommandError);
}

TEST_F(SnippetAppTest, ShortcutTypedInTheEditor) {
  StartWithText("xy", 1);
  Memo()->SetFocus();
  Pump();
  QTest::keyClick(MemoWidget(), Qt::Key_F8);
  Pump();
  EXPECT_EQ(Memo()->Text(), "x<B></B>y");
  EXPECT_EQ(Memo()->GetSelectionStart(), 4);
  QTest::keyClick(MemoWidget(), Qt::Key_F6);
  Pump();
  EXPECT_EQ(Memo()->Text(), "x<B><p></p></B>y");
  EXPECT_EQ(Memo()->GetSelectionStart(), 7);
}

TEST_F(SnippetAppTest, EditorMenuWrapsTheSelection) {
  StartWithText("one two", 4);
  TPopupMenu* menu = Main()->PopupMenu1;
  TMenuItem* selection = menu->Items()->Find(Ansi("Выделенный текст"));
  ASSERT_NE(selection, nullptr);
  ASSERT_TRUE(menu->OnPopup);
  menu->OnPopup(menu);
  EXPECT_FALSE(selection->Enabled());

  Memo()->SetSelectionLength(3);
  menu->OnPopup(menu);
  EXPECT_TRUE(selection->Enabled());
  FindMenuItem(*menu, "Выделенный текст", "Превратить в ссылку")->Click();
  EXPECT_EQ(Memo()->Text(), "one <a href=\"two\">two</a>");
  EXPECT_EQ(Memo()->GetSelectionStart(), int(Memo()->Text().size()));
  EXPECT_FALSE(Memo()->HasSelection());
}

TEST_F(SnippetAppTest, ReadOnlyDocumentIsNotChanged) {
  StartWithText("text", 2);
  Memo()->SetReadOnly(true);
  MainItem("Вставить", "Параграф")->Click();
  MainItem("Теги > Таблица", "Вставить таблицу")->Click();
  FindMenuItem(*Main()->link, "", "[ручная]")->Click();
  EXPECT_EQ(Memo()->Text(), "text");
  EXPECT_EQ(Memo()->GetSelectionStart(), 2);
  EXPECT_FALSE(Memo()->Modified());
}

TEST_F(SnippetAppTest, WizardCommandsOpenTheirWindows) {
  Start();
  TCustomForm* seen = nullptr;
  Ui().ExpectModalForm([&](TCustomForm* f) {
    seen = f;
    f->Close();
  });
  MainItem("Теги > Ссылки", "Мастер ссылок")->Click();
  EXPECT_EQ(seen, Form5);
  EXPECT_FALSE(Form5->Visible());

  MainItem("Сервис", "Навигатор по изображениям")->Click();
  EXPECT_TRUE(Form20->Visible());
  Form20->Hide();
}

TEST_F(SnippetAppTest, NewPageWizardAsksToSaveFirst) {
  StartWithText("changed", 0);
  Memo()->SetModified(true);
  const std::string prompt = Ansi("Текст в следующем документе:\n\r\n\r") + Ansi("Новый файл") + "\n\r\n\r" +
                             Ansi("был изменен, но не сохранён.") + "\n\r" +
                             Ansi("Сохранить сделанные изменения в этом документе? ");
  // Cancel ends the command with the silent abort: no wizard.
  Ui().ExpectMessage(IDCANCEL, prompt, "Brindel Velmora");
  EXPECT_THROW(MainItem("Файл", "Создать при помощи Мастера...")->Click(), EAbort);
  EXPECT_FALSE(Form18->Visible());

  // No goes on to the wizard.
  TCustomForm* seen = nullptr;
  Ui().ExpectMessage(IDNO, prompt, "Brindel Velmora");
  Ui().ExpectModalForm([&](TCustomForm* f) {
    seen = f;
    f->Close();
  });
  MainItem("Теги > Мастера Quillet Studio", "Мастер создания нового HTML...")->Click();
  EXPECT_EQ(seen, Form18);
}

}  // namespace
