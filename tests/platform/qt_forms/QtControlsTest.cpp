// The standard controls' native widgets: the control's state shows in the
// widget, and what the user does in the widget reaches the control.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>

#include "QtFixture.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

TEST_F(QtFormsTest, EditShowsItsTextAndTakesTheUsersTyping) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  ShowForm();
  auto* line = qobject_cast<QLineEdit*>(WidgetOf(edit));
  ASSERT_NE(line, nullptr);
  edit->SetText(Ansi("Да abc"));
  EXPECT_EQ(line->text(), QString::fromUtf8("Да abc"));
  EXPECT_EQ(changes, 1);
  // After a new text the caret is at its start, as in the Win32 edit.
  EXPECT_EQ(line->cursorPosition(), 0);
  edit->SetFocus();
  Key(line, Qt::Key_X, "x");
  EXPECT_EQ(edit->Text(), Ansi("xДа abc"));
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 2);
  // A character a handler takes never reaches the widget.
  edit->OnKeyPress = [](TObject*, char& key) {
    if (key == 'q') key = 0;
  };
  Key(line, Qt::Key_Q, "q");
  EXPECT_EQ(edit->Text(), Ansi("xДа abc"));
  // The selection set in code shows in the widget.
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(line->selectedText(), QString::fromUtf8("Да"));
  edit->SetReadOnly(true);
  EXPECT_TRUE(line->isReadOnly());
}

TEST_F(QtFormsTest, ShortcutsWorkWhileAnEditHasTheFocus) {
  auto* menu = new TMainMenu(Form);
  int exits = 0;
  TMenuItem* file = NewItem(Form, "&File");
  menu->Items()->Add(file);
  file->Add(NewItem(Form, "Exit", ShortCut(VK_F12, {}), [&](TObject*) { ++exits; }));
  Form->SetMenu(menu);
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  ShowForm();
  edit->SetFocus();
  Key(WidgetOf(edit), Qt::Key_F12, QString());
  EXPECT_EQ(exits, 1);
}

TEST_F(QtFormsTest, MemoPositionsCountLineBreaksAsTwo) {
  auto* memo = new TMemo(Form);
  memo->SetParent(Form);
  ShowForm();
  auto* text = qobject_cast<QPlainTextEdit*>(WidgetOf(memo));
  ASSERT_NE(text, nullptr);
  memo->Lines()->Add("ab");
  memo->Lines()->Add("cd");
  EXPECT_EQ(text->toPlainText(), "ab\ncd\n");
  memo->SetSelStart(4);
  memo->SetSelLength(2);
  EXPECT_EQ(text->textCursor().selectedText(), "cd");
  QTextCursor c = text->textCursor();
  c.setPosition(5);
  text->setTextCursor(c);
  EXPECT_EQ(memo->SelStart(), 6);
  EXPECT_EQ(memo->SelLength(), 0);
  // Typing in the widget gives the control a text with CR LF breaks.
  memo->SetFocus();
  Key(text, Qt::Key_Z, "z");
  EXPECT_EQ(memo->Text(), "ab\r\ncdz\r\n");
}

// The memo's scroll bars are the widget's own; the window adds none and
// the widget takes the room of the window's own.
TEST_F(QtFormsTest, MemoShowsOneVerticalScrollBar) {
  auto* memo = new TMemo(Form);
  memo->SetParent(Form);
  memo->SetBounds(0, 0, 200, 100);
  memo->SetScrollBars(ssVertical);
  ShowForm();
  auto* text = qobject_cast<QPlainTextEdit*>(WidgetOf(memo));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  int visibleBars = 0;
  for (QScrollBar* bar : text->parentWidget()->findChildren<QScrollBar*>())
    if (bar->isVisibleTo(text->parentWidget()) && bar->orientation() == Qt::Vertical) ++visibleBars;
  EXPECT_EQ(visibleBars, 1);
}

TEST_F(QtFormsTest, CheckBoxAndRadioButtonsFollowTheUsersClicks) {
  auto* check = new TCheckBox(Form);
  check->SetParent(Form);
  check->SetCaption(Ansi("Да, сворачивать"));
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  auto* r1 = new TRadioButton(Form);
  r1->SetParent(Form);
  auto* r2 = new TRadioButton(Form);
  r2->SetParent(Form);
  r2->SetTop(40);
  ShowForm();
  auto* qc = qobject_cast<QCheckBox*>(WidgetOf(check));
  ASSERT_NE(qc, nullptr);
  EXPECT_EQ(qc->text(), QString::fromUtf8("Да, сворачивать"));
  qc->click();
  EXPECT_TRUE(check->Checked());
  EXPECT_TRUE(qc->isChecked());
  EXPECT_EQ(clicks, 1);
  check->SetChecked(false);
  EXPECT_FALSE(qc->isChecked());
  EXPECT_EQ(clicks, 2);

  r1->SetChecked(true);
  qobject_cast<QRadioButton*>(WidgetOf(r2))->click();
  EXPECT_TRUE(r2->Checked());
  EXPECT_FALSE(r1->Checked());
  EXPECT_FALSE(qobject_cast<QRadioButton*>(WidgetOf(r1))->isChecked());
}

TEST_F(QtFormsTest, CheckBoxAndRadioButtonShowTheFormsColour) {
  Form->SetColor(clWhite);
  auto* check = new TCheckBox(Form);
  check->SetParent(Form);
  check->SetCaption("white");
  auto* radio = new TRadioButton(Form);
  radio->SetParent(Form);
  radio->SetTop(40);
  ShowForm();
  for (TWinControl* c : {static_cast<TWinControl*>(check), static_cast<TWinControl*>(radio)}) {
    QWidget* w = WidgetOf(c);
    ASSERT_NE(w, nullptr);
    QImage shot = w->grab().toImage();
    // Right of the caption: the background the widget fills.
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() / 2), QColor(Qt::white)) << c->ClassName();
  }
}

TEST_F(QtFormsTest, ComboAndListBoxItemsAndTheUsersChoice) {
  auto* combo = new TComboBox(Form);
  combo->SetParent(Form);
  combo->Items()->Add("http://");
  auto* list = new TListBox(Form);
  list->SetParent(Form);
  list->SetTop(40);
  ShowForm();
  combo->Items()->Add("ftp://");
  combo->Items()->Add(Ansi("почта"));
  auto* qcombo = qobject_cast<QComboBox*>(WidgetOf(combo));
  ASSERT_NE(qcombo, nullptr);
  EXPECT_EQ(qcombo->count(), 3);
  EXPECT_EQ(qcombo->itemText(2), QString::fromUtf8("почта"));
  std::string changed;
  combo->OnChange = [&](TObject*) { changed = combo->Text(); };
  qcombo->setCurrentIndex(2);
  emit qcombo->activated(2);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changed, Ansi("почта"));
  combo->SetItemIndex(0);
  EXPECT_EQ(qcombo->currentText(), "http://");

  list->Items()->Add("one");
  list->Items()->Add("two");
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  auto* qlist = qobject_cast<QListWidget*>(WidgetOf(list));
  ASSERT_NE(qlist, nullptr);
  EXPECT_EQ(qlist->count(), 2);
  qlist->setCurrentRow(1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  list->SetItemIndex(0);
  EXPECT_EQ(qlist->currentRow(), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(QtFormsTest, ButtonsClickAndTheDefaultOneTakesEnter) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  auto* ok = new TButton(Form);
  ok->SetParent(Form);
  ok->SetTop(40);
  ok->SetCaption(Ansi("Перейти"));
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  auto* push = qobject_cast<QPushButton*>(WidgetOf(ok));
  ASSERT_NE(push, nullptr);
  EXPECT_EQ(push->text(), QString::fromUtf8("Перейти"));
  push->click();
  EXPECT_EQ(clicks, 1);
  edit->SetFocus();
  Key(WidgetOf(edit), Qt::Key_Return, "\r");
  EXPECT_EQ(clicks, 2);
}

}  // namespace
