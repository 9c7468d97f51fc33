// The find, replace and edit commands in the running editor (offscreen
// Qt): every menu item with its caption and shortcut, the items' commands,
// and find and replace through the platform's own dialogs, opened with
// their shortcut keys and worked with the mouse and keyboard.
#include <QtTest/QTest>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "EditorAppFixture.h"
#include "MainEditCommands.h"
#include "MenuRows.h"
#include "SnippetCommands.h"
#include "SrcMemo.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit26.h"
#include "W2kMain.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/FindDialogs.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"
#include "platform/testing/ScriptedFindDialog.h"

namespace {

enum TMenuKind { kMain, kEditor, kCutCopyPaste };

struct TItem {
  TMenuKind Menu;
  const char* Path;
  const char* Caption;
  const char* ShortCut;  // as ShortCutToText writes it, "" for none
};

const TItem kItems[] = {
    {kMain, "Правка", "Отменить", "Ctrl+Z"},
    {kMain, "Правка", "Вырезать", "Ctrl+X"},
    {kMain, "Правка", "Копировать", "Ctrl+C"},
    {kMain, "Правка", "Вставить", "Ctrl+V"},
    {kMain, "Правка", "Удалить...", ""},
    {kMain, "Правка", "Очистить выделенное", ""},
    {kMain, "Правка", "Выделить всё", "Ctrl+A"},
    {kMain, "Правка", "Копировать всё", "Ctrl+Ins"},
    {kMain, "Правка", "Вырезать всё", "Ctrl+Del"},
    {kMain, "Правка", "Вставить, заменив всё", "Shift+Ins"},
    {kMain, "Правка", "Очистить всё... ", ""},
    {kMain, "Правка", "Найти...", "Ctrl+Q"},
    {kMain, "Правка", "Найти и заменить...", "Ctrl+H"},
    {kMain, "Правка > Перейти", "Перейти в конец", ""},
    {kMain, "Правка > Перейти", "Перейти на строку...", ""},
    {kMain, "Правка > Перейти", "Узнать сколько строк", ""},
    {kMain, "Правка > Перейти", "Перейти далеко вниз", ""},
    {kMain, "Правка > Перейти", "Перейти на строчку вниз", ""},
    {kMain, "Правка > Перейти", "Перейти на строчку вверх", ""},
    {kMain, "Просмотр", "Просмотр буфера обмена...", ""},
    {kMain, "Настройки", "Количество строк в файле", ""},
    {kMain, "Настройки", "Отсортировать всё", ""},
    {kMain, "Настройки", "Создать отступ...", ""},
    {kMain, "Настройки", "Удалить отступ", ""},
    {kMain, "Настройки", "Только для чтения", ""},
    {kMain, "Сервис > Буферы Quillet Studio > Копировать", "Слот 1", ""},
    {kMain, "Сервис > Буферы Quillet Studio > Копировать", "Слот 10", ""},
    {kMain, "Сервис > Буферы Quillet Studio > Вставить", "Слот 1", ""},
    {kMain, "Сервис > Буферы Quillet Studio > Вставить", "Слот 10", ""},
    {kMain, "Сервис > Буферы Quillet Studio", "Очистить всё", ""},
    {kMain, "Сервис", "Просмотр буфера обмена...", ""},
    {kEditor, "", "Отменить...", ""},
    {kEditor, "", "Вырезать", "Ctrl+X"},
    {kEditor, "", "Удалить...", ""},
    {kEditor, "", "Очистить выделенное", ""},
    {kEditor, "", "Выделить всё", ""},
    {kEditor, "", "Очистить всё...", ""},
    {kEditor, "", "Найти...", "Ctrl+Q"},
    {kEditor, "", "Найти и заменить...", "Ctrl+H"},
    {kEditor, "Перейти", "Перейти в конец", ""},
    {kEditor, "Перейти", "Перейти на строку...", ""},
    {kEditor, "Перейти", "Перейти далеко вниз", ""},
    {kEditor, "Перейти", "Перейти на строчку вниз", ""},
    {kEditor, "Перейти", "Перейти на строчку вверх", ""},
    {kEditor, "Перейти", "Количество строк в документе", ""},
    {kCutCopyPaste, "", "Вырезать", "Ctrl+X"},
    {kCutCopyPaste, "", "Копировать", "Ctrl+C"},
    {kCutCopyPaste, "", "Вставить", "Ctrl+V"},
};

class FindEditAppTest : public EditorAppTest {
 protected:
  void StartWithText(const std::string& text, int caret) {
    Start();
    Memo()->SetText(text);
    Memo()->ClearUndoRedo();
    Memo()->SetSelectionStart(caret);
    Memo()->SetModified(false);
    Memo()->SetFocus();
    Pump();
  }
  TSrcMemo* Memo() const { return Main()->Memo1; }
  TMenu* MenuOf(TMenuKind kind) const {
    switch (kind) {
      case kMain: return Main()->MainMenu1;
      case kEditor: return Main()->PopupMenu1;
      default: return Main()->PopupMenu3;
    }
  }
  TMenuItem* Item(TMenuKind kind, const char* path, const char* caption) {
    TMenuItem* item = FindMenuItem(*MenuOf(kind), path, caption);
    EXPECT_NE(item, nullptr) << path << " > " << caption;
    return item;
  }
  QWidget* MemoWidget() const { return static_cast<QtWindowPeer*>(Memo()->Handle())->Client(); }

  // The scripted step of a find or replace dialog opens the platform's own.
  void ExpectPlatformDialog(bool replace) {
    Ui().Expect(ExpectFindDialogShown(replace, [this](TFindDialog& d) { FPlatform->Ui().ShowFindDialog(&d); }));
  }
  static QDialog* Dialog(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == name && w->isVisible()) return qobject_cast<QDialog*>(w);
    return nullptr;
  }
  template <typename T>
  static T* Child(QDialog* dialog, const char* name) {
    T* child = dialog ? dialog->findChild<T*>(name) : nullptr;
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::pair<int, int> Sel() const { return {Memo()->SelStart(), Memo()->SelLength()}; }
};

TEST_F(FindEditAppTest, EveryItemWithItsShortcut) {
  Start();
  for (const TItem& i : kItems) {
    TMenuItem* item = Item(i.Menu, i.Path, i.Caption);
    if (!item) continue;
    EXPECT_EQ(ShortCutToText(item->ShortCut()), i.ShortCut) << i.Path << " > " << i.Caption;
    EXPECT_TRUE(item->OnClick || item->Action()) << i.Path << " > " << i.Caption;
  }
  EXPECT_NE(EditCommandsOf(*Main()), nullptr);
  EXPECT_TRUE(Main()->Commands().Contains("N309Click"));
  // The edit commands stand before the wrap items in the editor menu.
  TMenuItem* root = Main()->PopupMenu1->Items();
  EXPECT_EQ(StripHotkey(root->Items(0)->Caption()), Ansi("Отменить..."));
  EXPECT_LT(root->IndexOf(root->Find(Ansi("Найти..."))), root->IndexOf(root->Find(Ansi("Выделенный текст"))));
}

TEST_F(FindEditAppTest, ItemsRunTheirCommands) {
  StartWithText("b\r\na", 0);
  const std::string title = "Brindel Quillet Studio";
  // Three items give the line count.
  const std::string count = Ansi("В \"Новый файл\" сейчас 2 активных строк.");
  for (int n = 0; n < 3; ++n) Ui().ExpectMessage(IDOK, count, title);
  Item(kMain, "Настройки", "Количество строк в файле")->Click();
  Item(kMain, "Правка > Перейти", "Узнать сколько строк")->Click();
  Item(kEditor, "Перейти", "Количество строк в документе")->Click();

  // Sorting, answered Yes, marks the document.
  Ui().Expect({TUiKind::MessageBox, [](TUiRecord&, void*) { return IDYES; }, "sort prompt"});
  Item(kMain, "Настройки", "Отсортировать всё")->Click();
  EXPECT_EQ(Memo()->Text(), "a\r\nb");
  EXPECT_TRUE(Memo()->Modified());
  Item(kMain, "Правка", "Отменить")->Click();
  EXPECT_EQ(Memo()->Text(), "b\r\na");

  // Slot 10: copy the selection, paste it at the end.
  Memo()->SelectAll();
  Item(kMain, "Сервис > Буферы Quillet Studio > Копировать", "Слот 10")->Click();
  EXPECT_EQ(ClipboardSlots[9], "b\r\na");
  Item(kEditor, "Перейти", "Перейти в конец")->Click();
  Item(kMain, "Сервис > Буферы Quillet Studio > Вставить", "Слот 10")->Click();
  EXPECT_EQ(Memo()->Text(), "b\r\nab\r\na");
  Item(kMain, "Сервис > Буферы Quillet Studio", "Очистить всё")->Click();
  EXPECT_EQ(ClipboardSlots[9], "");

  // The read-only switch, both ways.
  Ui().ExpectMessage(IDOK, Ansi("Теперь этот документ используется только для чтения."), title);
  Item(kMain, "Настройки", "Только для чтения")->Click();
  EXPECT_TRUE(Memo()->ReadOnly());
  Ui().ExpectMessage(IDOK, Ansi("Теперь этот документ можно редактировать."), title);
  Item(kMain, "Настройки", "Только для чтения")->Click();
  EXPECT_FALSE(Memo()->ReadOnly());

  // Clear all asks; No keeps the text.
  Ui().ExpectMessage(IDNO, Ansi("Вы уверены?\rВосстановить потерянный текст будет НЕВОЗМОЖНО!"), title);
  Item(kEditor, "", "Очистить всё...")->Click();
  EXPECT_EQ(Memo()->Text(), "b\r\nab\r\na");

  // The go-to-line and indent dialogs open modally.
  std::vector<TCustomForm*> shown;
  for (int n = 0; n < 2; ++n)
    Ui().ExpectModalForm([&](TCustomForm* f) {
      shown.push_back(f);
      f->Close();
    });
  Item(kMain, "Правка > Перейти", "Перейти на строку...")->Click();
  Item(kMain, "Настройки", "Создать отступ...")->Click();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], Form122);
  EXPECT_EQ(shown[1], Form13);
}

// Inside the editor Ctrl+C, Ctrl+X and Ctrl+V are the editing control's own
// commands: the Правка items of the standard edit actions have no target
// there and leave the keys to it. In the go-to-line box they are the box's.
TEST_F(FindEditAppTest, CutCopyPasteKeysReachTheEditorAndTheEditBoxes) {
  StartWithText("hello world", 0);
  Memo()->SetSelStart(0);
  Memo()->SetSelLength(5);
  QTest::keyClick(MemoWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->AsText(), "hello");
  QTest::keyClick(MemoWidget(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Memo()->Text(), " world");
  QTest::keyClick(MemoWidget(), Qt::Key_End);
  QTest::keyClick(MemoWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Memo()->Text(), " worldhello");
  EXPECT_FALSE(Item(kMain, "Правка", "Копировать")->Enabled());

  Form122->Show();
  Form122->Edit1->SetText("12");
  Form122->Edit1->SetFocus();
  Form122->Edit1->SelectAll();
  Pump();
  auto* box = static_cast<QtWindowPeer*>(Form122->Edit1->Handle())->Client();
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->AsText(), "12");
  EXPECT_EQ(Memo()->Text(), " worldhello") << "the editor is not touched";
  Form122->Hide();
}

TEST_F(FindEditAppTest, ClipboardViewerShowsTheClipboard) {
  StartWithText(Ansi("на буфере"), 0);
  Memo()->SelectAll();
  Memo()->CopySelection();
  Form26->view->SetText("old");
  std::string seen;
  Ui().ExpectModalForm([&](TCustomForm* f) {
    EXPECT_EQ(f, Form26);
    seen = Form26->view->PlainLines()->GetTextStr();
    f->Close();
  });
  Item(kMain, "Сервис", "Просмотр буфера обмена...")->Click();
  EXPECT_EQ(seen.substr(0, seen.find_last_not_of("\r\n") + 1), Ansi("на буфере"));
  EXPECT_EQ(Memo()->Text(), Ansi("на буфере")) << "the document is not touched";
}

TEST_F(FindEditAppTest, FindThroughTheDialog) {
  StartWithText("ab x\r\nab y\r\nz ab", 0);
  ExpectPlatformDialog(false);
  QTest::keyClick(MemoWidget(), Qt::Key_Q, Qt::ControlModifier);
  Pump();
  EXPECT_TRUE(Main()->FindDialog1->Showing());
  QDialog* dialog = Dialog("FindDialog");
  ASSERT_NE(dialog, nullptr);
  auto* text = Child<QLineEdit>(dialog, "FindText");
  auto* next = Child<QPushButton>(dialog, "FindNext");
  ASSERT_TRUE(text && next);
  // In the program's dialog font, as the other windows.
  for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(next)}) {
    EXPECT_EQ(QFontInfo(w->font()).family().toStdString(), QFontInfo(QtDialogFont()).family().toStdString());
    EXPECT_EQ(QFontInfo(w->font()).pixelSize(), QFontInfo(QtDialogFont()).pixelSize());
  }
  EXPECT_FALSE(next->isEnabled()) << "nothing to find yet";
  EXPECT_TRUE(Child<QCheckBox>(dialog, "MatchCase")->isVisible());
  EXPECT_TRUE(Child<QGroupBox>(dialog, "Direction")->isVisible());

  QTest::keyClicks(text, "ab");
  EXPECT_TRUE(next->isEnabled());
  const std::pair<int, int> expected[] = {{0, 2}, {6, 2}, {14, 2}, {0, 2}};
  for (const auto& e : expected) {
    QTest::mouseClick(next, Qt::LeftButton);
    Pump();
    EXPECT_EQ(Sel(), e);
  }
  EXPECT_FALSE(Memo()->HideSelection());
  EXPECT_EQ(Main()->FindDialog1->FindText(), "ab");
  EXPECT_TRUE(Main()->FindDialog1->Options().Contains(frFindNext));

  // Not found: the message names the text (Enter presses Find Next).
  text->clear();
  QTest::keyClicks(text, "zz");
  Ui().ExpectMessage(IDOK, Ansi("Ничего похожего c введенным Вами \"zz\" найдено не было."), "Brindel Velmora");
  QTest::keyClick(text, Qt::Key_Return);
  Pump();
  EXPECT_EQ(Sel(), std::make_pair(0, 2));

  // Cancel closes the dialog and tells the component.
  QTest::mouseClick(Child<QPushButton>(dialog, "Cancel"), Qt::LeftButton);
  Pump();
  EXPECT_FALSE(Main()->FindDialog1->Showing());
  EXPECT_EQ(Dialog("FindDialog"), nullptr);

  // Shown again, it starts from the last text.
  ExpectPlatformDialog(false);
  Item(kMain, "Правка", "Найти...")->Click();
  Pump();
  dialog = Dialog("FindDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Child<QLineEdit>(dialog, "FindText")->text(), "zz");
  FPlatform->Ui().CloseFindDialog(Main()->FindDialog1);
}

TEST_F(FindEditAppTest, ReplaceThroughTheDialog) {
  StartWithText(Ansi("один aa два aa\r\naaaa"), 0);
  ExpectPlatformDialog(true);
  QTest::keyClick(MemoWidget(), Qt::Key_H, Qt::ControlModifier);
  Pump();
  QDialog* dialog = Dialog("ReplaceDialog");
  ASSERT_NE(dialog, nullptr);
  auto* find = Child<QLineEdit>(dialog, "FindText");
  auto* with = Child<QLineEdit>(dialog, "ReplaceText");
  auto* one = Child<QPushButton>(dialog, "Replace");
  auto* all = Child<QPushButton>(dialog, "ReplaceAll");
  ASSERT_TRUE(find && with && one && all);
  EXPECT_EQ(dialog->findChild<QGroupBox*>("Direction"), nullptr);
  QTest::keyClicks(find, "aa");
  QTest::keyClicks(with, "a");

  // Replace: the first occurrence, then the next is selected.
  QTest::mouseClick(one, Qt::LeftButton);
  Pump();
  EXPECT_EQ(Memo()->Text(), Ansi("один a два aa\r\naaaa"));
  EXPECT_EQ(Memo()->SelText(), "aa");
  EXPECT_EQ(Sel(), std::make_pair(11, 2));
  EXPECT_FALSE(Memo()->HideSelection());

  // Replace All: one pass over what is there (aaaa gives aa).
  QTest::mouseClick(all, Qt::LeftButton);
  Pump();
  EXPECT_EQ(Memo()->Text(), Ansi("один a два a\r\naa"));
  EXPECT_TRUE(Memo()->Modified());
  EXPECT_TRUE(Main()->ReplaceDialog1->Options().Contains(frReplaceAll));
  EXPECT_FALSE(Main()->ReplaceDialog1->Options().Contains(frReplace));

  // Find Next of the replace dialog looks for its own text.
  Main()->FindDialog1->SetFindText(Ansi("два"));
  find->clear();
  QTest::keyClicks(find, "a");
  Memo()->SetSelStart(0);
  QTest::mouseClick(Child<QPushButton>(dialog, "FindNext"), Qt::LeftButton);
  Pump();
  EXPECT_EQ(Sel(), std::make_pair(5, 1));

  // Undo takes back Replace All, then Replace.
  Item(kMain, "Правка", "Отменить")->Click();
  EXPECT_EQ(Memo()->Text(), Ansi("один a два aa\r\naaaa"));
  Item(kMain, "Правка", "Отменить")->Click();
  EXPECT_EQ(Memo()->Text(), Ansi("один aa два aa\r\naaaa"));
  FPlatform->Ui().CloseFindDialog(Main()->ReplaceDialog1);
}

}  // namespace
