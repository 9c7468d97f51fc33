// Menus, shortcuts and actions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ActnList.h"
#include "platform/Clipboard.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

TEST(ShortCutTest, TextAndBackForTheKeysTheMenusUse) {
  struct TCase {
    uint16_t key;
    TShiftState shift;
    const char* text;
  };
  const TCase cases[] = {
      {'N', {ssCtrl}, "Ctrl+N"},
      {VK_F1, {ssShift}, "Shift+F1"},
      {'S', {ssCtrl, ssAlt}, "Ctrl+Alt+S"},
      {VK_INSERT, {ssCtrl}, "Ctrl+Ins"},
      {VK_INSERT, {ssShift}, "Shift+Ins"},
      {VK_DELETE, {ssCtrl}, "Ctrl+Del"},
      {VK_F12, {}, "F12"},
      {VK_F10, {ssCtrl}, "Ctrl+F10"},
      {'1', {ssCtrl, ssShift}, "Shift+Ctrl+1"},
  };
  for (const TCase& c : cases) {
    TShortCut s = ShortCut(c.key, c.shift);
    EXPECT_EQ(ShortCutToText(s), c.text);
    EXPECT_EQ(TextToShortCut(c.text), s) << c.text;
  }
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
  EXPECT_EQ(StripHotkey("&File && more"), "File & more");
  EXPECT_EQ(GetHotkey("Save &as"), 'A');
}

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    edit = new TEdit(form);
    edit->SetParent(form);
    menu = new TMainMenu(form);
    form->SetMenu(menu);
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override { DoneApplication(); }
  TMenuItem* Add(TMenu* m, const std::string& caption, TShortCut s) {
    TMenuItem* i = NewItem(form, caption, s, [this, caption](TObject*) { log.push_back(caption); });
    m->Items()->Add(i);
    return i;
  }

  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TMainMenu* menu = nullptr;
  std::vector<std::string> log;
};

TEST_F(MenusTest, ShortcutsGoToThePopupMenuThenTheMainMenuThenTheActions) {
  TMenuItem* file = Add(menu, "File", scNone);
  TMenuItem* save = NewItem(form, "Save", ShortCut('S', {ssCtrl}), [this](TObject*) { log.push_back("menu save"); });
  file->Add(save);
  Add(menu, "Find", ShortCut('Q', {ssCtrl}));
  auto* popup = new TPopupMenu(form);
  Add(popup, "popup find", ShortCut('Q', {ssCtrl}));
  edit->SetPopupMenu(popup);
  auto* actions = new TActionList(form);
  auto* open = new TAction(form);
  open->SetShortCut(ShortCut('O', {ssCtrl}));
  open->OnExecute = [this](TObject*) { log.push_back("action open"); };
  open->SetActionList(actions);
  auto* saveAction = new TAction(form);
  saveAction->SetShortCut(ShortCut('S', {ssCtrl}));
  saveAction->OnExecute = [this](TObject*) { log.push_back("action save"); };
  saveAction->SetActionList(actions);

  ws->KeyStroke({VK_CONTROL}, 'S', edit->Handle());
  ws->KeyStroke({VK_CONTROL}, 'Q', edit->Handle());
  ws->KeyStroke({VK_CONTROL}, 'O', edit->Handle());
  EXPECT_EQ(log, (std::vector<std::string>{"menu save", "popup find", "action open"}));

  // A disabled item leaves its key to the next taker; hidden items keep theirs.
  log.clear();
  save->SetEnabled(false);
  ws->KeyStroke({VK_CONTROL}, 'S', edit->Handle());
  EXPECT_EQ(log, std::vector<std::string>{"action save"});
  log.clear();
  save->SetEnabled(true);
  save->SetVisible(false);
  ws->KeyStroke({VK_CONTROL}, 'S', edit->Handle());
  EXPECT_EQ(log, std::vector<std::string>{"menu save"});
}

TEST_F(MenusTest, MenuKeysOfTheMainFormWorkFromOtherForms) {
  Add(menu, "Exit", ShortCut(VK_F12, {}));
  TForm* other = nullptr;
  Application->CreateForm(other);
  auto* box = new TEdit(other);
  box->SetParent(other);
  other->Show();
  box->SetFocus();
  ws->KeyDown(VK_F12, box->Handle());
  EXPECT_EQ(log, std::vector<std::string>{"Exit"});
}

TEST_F(MenusTest, ItemsFollowTheirActionAndRunIt) {
  auto* action = new TAction(form);
  action->SetCaption("Hide");
  action->SetShortCut(ShortCut(VK_F10, {ssCtrl}));
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  auto* item = new TMenuItem(form);
  menu->Items()->Add(item);
  item->SetAction(action);
  EXPECT_EQ(item->Caption(), "Hide");
  EXPECT_EQ(item->ShortCut(), ShortCut(VK_F10, {ssCtrl}));
  action->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  item->Click();
  EXPECT_EQ(runs, 0);
  action->SetEnabled(true);
  item->Click();
  EXPECT_EQ(runs, 1);
  // An OnClick of its own wins over the action.
  item->OnClick = [&](TObject*) { runs += 10; };
  item->Click();
  EXPECT_EQ(runs, 11);
  // A shortcut of the item's own stays when the action changes.
  item->SetShortCut(ShortCut('S', {ssCtrl, ssAlt}));
  action->SetCaption("Hide it");
  EXPECT_EQ(item->Caption(), "Hide it");
  EXPECT_EQ(item->ShortCut(), ShortCut('S', {ssCtrl, ssAlt}));
  delete action;
  EXPECT_EQ(item->Action(), nullptr);
}

TEST_F(MenusTest, DefaultRadioAndAutoCheckItems) {
  TMenuItem* a = Add(menu, "A", scNone);
  TMenuItem* b = Add(menu, "B", scNone);
  a->SetDefault(true);
  b->SetDefault(true);
  EXPECT_FALSE(a->Default());
  EXPECT_TRUE(b->Default());
  a->SetRadioItem(true);
  b->SetRadioItem(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  a->SetAutoCheck(true);
  a->Click();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(menu->Items()->Find("b"), b);
  EXPECT_EQ(a->GetParentMenu(), menu);
  EXPECT_TRUE(a->IsMenuBarItem());
}

TEST_F(MenusTest, ChangesReachTheMenuWatchers) {
  std::vector<std::pair<TMenuItem*, bool>> changes;
  int id = 0;
  menu->AddChangeHandler(&id, [&](TMenu*, const TMenuChange& c) { changes.emplace_back(c.Item, c.Rebuild); });
  TMenuItem* a = Add(menu, "A", scNone);
  changes.clear();
  a->SetCaption("A2");
  a->SetVisible(false);
  TMenuItem* sub = NewItem(form, "sub");
  a->Add(sub);
  delete sub;
  EXPECT_EQ(changes, (std::vector<std::pair<TMenuItem*, bool>>{{a, false}, {a, true}, {a, true}, {a, true}}));
  menu->RemoveChangeHandler(&id);
}

class TRecordingMenus : public IMenuBackend {
 public:
  TMenuItem* TrackPopup(TPopupMenu* menu, TPoint pos) override {
    Shown.push_back(pos);
    return Choice;
  }
  std::vector<TPoint> Shown;
  TMenuItem* Choice = nullptr;
};

TEST_F(MenusTest, ContextMenuOpensTheControlsPopupAndClicksTheChoice) {
  TRecordingMenus backend;
  SetMenuBackend(&backend);
  auto* popup = new TPopupMenu(form);
  backend.Choice = Add(popup, "Copy", scNone);
  int opened = 0;
  popup->OnPopup = [&](TObject*) { ++opened; };
  edit->SetPopupMenu(popup);
  TPoint screen = edit->ClientToScreen(TPoint(5, 6));
  SendMessage(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MakeLParam(screen.X, screen.Y));
  EXPECT_EQ(opened, 1);
  ASSERT_EQ(backend.Shown.size(), 1u);
  EXPECT_EQ(backend.Shown[0], screen);
  EXPECT_EQ(popup->PopupComponent(), edit);
  EXPECT_EQ(log, std::vector<std::string>{"Copy"});
  // Without AutoPopup the menu stays closed.
  popup->SetAutoPopup(false);
  SendMessage(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MakeLParam(screen.X, screen.Y));
  EXPECT_EQ(opened, 1);
  SetMenuBackend(nullptr);
}

// A graphic control has no window of its own: the right button reaches its
// parent, which lets the child under the point open its popup menu; beside
// the child the parent's own opens.
TEST_F(MenusTest, ContextMenuOverAGraphicChildOpensTheChildsPopup) {
  TRecordingMenus backend;
  SetMenuBackend(&backend);
  auto* panel = new TPanel(form);
  panel->SetBounds(100, 10, 200, 100);
  panel->SetParent(form);
  auto* picture = new TImage(form);
  picture->SetBounds(10, 10, 50, 40);
  picture->SetParent(panel);
  auto* pictureMenu = new TPopupMenu(form);
  Add(pictureMenu, "Picture", scNone);
  auto* panelMenu = new TPopupMenu(form);
  Add(panelMenu, "Panel", scNone);
  picture->SetPopupMenu(pictureMenu);
  panel->SetPopupMenu(panelMenu);
  for (const auto& c : {std::make_pair(TPoint(20, 20), pictureMenu), std::make_pair(TPoint(150, 80), panelMenu)}) {
    const TPoint screen = panel->ClientToScreen(c.first);
    SendMessage(panel->Handle(), WM_CONTEXTMENU, WPARAM(panel->Handle()), MakeLParam(screen.X, screen.Y));
    EXPECT_EQ(c.second->PopupComponent(), c.second == pictureMenu ? static_cast<TComponent*>(picture) : panel);
  }
  EXPECT_EQ(backend.Shown.size(), 2u);
  SetMenuBackend(nullptr);
}

// The standard edit actions act on a focused standard edit only: with
// another control focused their items are disabled and the keys reach it.
TEST_F(MenusTest, EditActionShortcutsReachAFocusedControlThatIsNoEdit) {
  auto* copy = new TEditCopy(form);
  copy->SetShortCut(ShortCut('C', {ssCtrl}));
  TMenuItem* item = NewItem(form, "Copy", scNone, nullptr);
  menu->Items()->Add(item);
  item->SetAction(copy);
  auto* pane = new TPanel(form);
  pane->SetParent(form);
  std::vector<uint16_t> keys;
  pane->OnKeyDown = [&keys](TObject*, uint16_t& key, TShiftState) { keys.push_back(key); };
  pane->SetFocus();
  ws->KeyStroke({VK_CONTROL}, 'C', pane->Handle());
  EXPECT_EQ(keys, (std::vector<uint16_t>{VK_CONTROL, 'C'}));
  EXPECT_FALSE(item->Enabled());

  keys.clear();
  edit->SetText("hello");
  edit->SelectAll();
  edit->SetFocus();
  ws->KeyStroke({VK_CONTROL}, 'C', edit->Handle());
  EXPECT_TRUE(item->Enabled());
  EXPECT_EQ(Clipboard()->AsText(), "hello");
}

TEST_F(MenusTest, EditActionsWorkOnTheFocusedEdit) {
  auto* cut = new TEditCut(form);
  auto* paste = new TEditPaste(form);
  edit->SetText("hello world");
  edit->SetSelStart(0);
  edit->SetSelLength(6);
  EXPECT_TRUE(cut->Execute());
  EXPECT_EQ(edit->Text(), "world");
  EXPECT_EQ(Clipboard()->AsText(), "hello ");
  edit->SetSelStart(5);
  EXPECT_TRUE(paste->Execute());
  EXPECT_EQ(edit->Text(), "worldhello ");
}

}  // namespace
