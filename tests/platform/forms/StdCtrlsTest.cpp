// The standard controls' state and events.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/Clipboard.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(EditPositionsTest, LineBreaksCountTwiceInTheWinView) {
  const std::string t = "ab\r\ncd\ne";
  struct TCase {
    int win, flat;
  };
  for (TCase c : {TCase{0, 0}, TCase{2, 2}, TCase{4, 3}, TCase{6, 5}, TCase{7, 6}, TCase{8, 7}}) {
    EXPECT_EQ(WinToFlatPos(t, c.win), c.flat) << c.win;
    EXPECT_EQ(FlatToWinPos(t, c.flat), c.win) << c.flat;
  }
  EXPECT_EQ(TextToFlat(t), "ab\ncd\ne");
  EXPECT_EQ(FlatToText("a\nb"), "a\r\nb");
}

class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    form->Show();
  }
  void TearDown() override { DoneApplication(); }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
};

// Text and list boxes keep the window colour on a grey page; other
// controls take their parent's colour.
TEST_F(StdCtrlsTest, BoxesKeepTheWindowColourOnAColouredParent) {
  form->SetColor(clBtnFace);
  std::vector<std::pair<TControl*, TColor>> cases = {{new TEdit(form), clWindow},      {new TMemo(form), clWindow},
                                                     {new TListBox(form), clWindow},   {new TComboBox(form), clWindow},
                                                     {new TCheckBox(form), clBtnFace}, {new TLabel(form), clBtnFace}};
  for (auto& [control, colour] : cases) {
    control->SetParent(form);
    EXPECT_EQ(control->Color(), colour) << control->ClassName();
  }
  form->SetColor(clWhite);
  for (auto& [control, colour] : cases)
    EXPECT_EQ(control->Color(), colour == clWindow ? clWindow : clWhite) << control->ClassName();
}

TEST_F(StdCtrlsTest, EditSelectionReplacementUndoAndLimits) {
  auto* e = new TEdit(form);
  e->SetParent(form);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText("hello world");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(e->SelStart(), 0);
  e->SetSelStart(6);
  e->SetSelLength(99);
  EXPECT_EQ(e->SelText(), "world");
  e->SetSelText("there");
  EXPECT_EQ(e->Text(), "hello there");
  EXPECT_EQ(e->SelStart(), 11);
  EXPECT_TRUE(e->Modified());
  EXPECT_EQ(changes, 2);
  e->Undo();
  EXPECT_EQ(e->Text(), "hello world");
  e->Undo();  // the edit control's undo toggles
  EXPECT_EQ(e->Text(), "hello there");

  e->SetMaxLength(8);
  e->SetText("abc");
  e->SetSelStart(3);
  e->SetSelText("defghijk");
  EXPECT_EQ(e->Text(), "abcdefgh");

  // A single-line edit pastes the first line only; a read-only one nothing.
  Clipboard()->SetAsText("one\r\ntwo");
  e->SetMaxLength(0);
  e->SetText("");
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "one");
  e->SetReadOnly(true);
  e->SelectAll();
  e->CutToClipboard();
  EXPECT_EQ(e->Text(), "one");
  EXPECT_EQ(Clipboard()->AsText(), "one");
}

TEST_F(StdCtrlsTest, MemoLinesLiveInTheText) {
  auto* m = new TMemo(form);
  m->SetParent(form);
  m->Lines()->Add("first");
  m->Lines()->Add("second");
  EXPECT_EQ(m->Text(), "first\r\nsecond\r\n");
  m->Lines()->Insert(1, "middle");
  m->Lines()->Delete(0);
  EXPECT_EQ(m->Lines()->Count(), 2);
  EXPECT_EQ(m->Lines()->Strings(0), "middle");
  m->SetText("a\nb");
  EXPECT_EQ(m->Lines()->Count(), 2);
  m->Lines()->Add("c");
  EXPECT_EQ(m->Text(), "a\nb\r\nc\r\n");
  m->SetSelStart(static_cast<int>(std::string("a\nb\r\nc").size()));
  EXPECT_EQ(m->CaretPos(), TPoint(1, 2));
}

TEST_F(StdCtrlsTest, CheckBoxAndRadioButtonsFireOnClickWhenTheyChange) {
  auto* c = new TCheckBox(form);
  c->SetParent(form);
  int clicks = 0;
  c->OnClick = [&](TObject*) { ++clicks; };
  c->SetChecked(true);
  c->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  // The user's click toggles.
  c->Perform(CN_COMMAND, MakeWParam(0, BN_CLICKED), 0);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(c->Perform(BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));

  auto* r1 = new TRadioButton(form);
  auto* r2 = new TRadioButton(form);
  r1->SetParent(form);
  r2->SetParent(form);
  r1->SetChecked(true);
  r2->Perform(CN_COMMAND, MakeWParam(0, BN_CLICKED), 0);
  EXPECT_FALSE(r1->Checked());
  EXPECT_TRUE(r2->Checked());
}

TEST_F(StdCtrlsTest, ComboBoxChoiceSetsTheTextAndFiresSelectOrChange) {
  auto* cb = new TComboBox(form);
  cb->SetParent(form);
  cb->Items()->Add("http://");
  cb->Items()->Add("ftp://");
  std::vector<std::string> log;
  cb->OnChange = [&](TObject*) { log.push_back("change " + cb->Text()); };
  cb->SetItemIndex(1);
  EXPECT_EQ(cb->Text(), "ftp://");
  EXPECT_TRUE(log.empty());
  // The user picks item 0 in the window.
  cb->Perform(BQM_ITEMINDEX, 0, 0);
  cb->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(log, std::vector<std::string>{"change http://"});
  cb->OnSelect = [&](TObject*) { log.push_back("select"); };
  cb->Perform(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(log.back(), "select");
  cb->Items()->Clear();
  EXPECT_EQ(cb->ItemIndex(), -1);
}

TEST_F(StdCtrlsTest, DefaultAndCancelButtonsTakeEnterAndEscape) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetDefault(true);
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetCancel(true);
  std::vector<std::string> log;
  ok->OnClick = [&](TObject*) { log.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
  edit->SetFocus();
  ws->KeyDown(VK_RETURN, edit->Handle());
  ws->KeyDown(VK_ESCAPE, edit->Handle());
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(StdCtrlsTest, LabelSizesItselfToItsCaption) {
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetCaption("abcd");
  EXPECT_EQ(l->Width(), 4 * ws->CharWidth);
  EXPECT_EQ(l->Height(), ws->CharHeight);
}

TEST_F(StdCtrlsTest, CheckBoxesAndRadioButtonsTakeTheirParentsColour) {
  form->SetColor(clWhite);
  auto* check = new TCheckBox(form);
  check->SetParent(form);
  auto* radio = new TRadioButton(form);
  radio->SetParent(form);
  EXPECT_EQ(check->Color(), clWhite);
  EXPECT_EQ(radio->Color(), clWhite);
}

TEST_F(StdCtrlsTest, LabelTakesClicksAndDoubleClicksInItsBounds) {
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetBounds(20, 10, 30, 13);
  l->SetCaption("c!");
  std::vector<std::string> log;
  l->OnClick = [&](TObject*) { log.push_back("click"); };
  l->OnDblClick = [&](TObject*) { log.push_back("double"); };
  // The form's window gets the mouse; the label under it answers.
  ws->Click(form->Handle(), l->Left() + 2, l->Top() + 2);
  ws->Click(form->Handle(), l->Left() + l->Width() + 5, l->Top() + 2);
  ws->MouseDown(form->Handle(), mbLeft, l->Left() + 2, l->Top() + 2, 0, true);
  ws->MouseUp(form->Handle(), mbLeft, l->Left() + 2, l->Top() + 2);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "double"}));
}

}  // namespace
