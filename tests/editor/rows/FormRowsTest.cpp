// Windows built from rows: the window's properties, each control of its
// class under its parent with its bounds, texts, flags, font and colour,
// the handlers the rows name; and every faulty row refused with its name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormRows.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class FormRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Commands.Add("FormShow", [this](TObject*) { Ran += "show;"; });
    Commands.Add("Button1Click", [this](TObject*) { Ran += "click;"; });
    Commands.Add("Edit1Change", [this](TObject*) { Ran += "change;"; });
  }
  void TearDown() override {
    Form.reset();
    DoneApplication();
  }
  // The message of the error building these rows raises ("" for none).
  std::string BuildError(const std::vector<TControlRow>& rows) {
    Form = std::make_unique<TForm>(nullptr);
    try {
      BuildForm(*Form, {"Form7"}, rows, Commands);
    } catch (const ECommandError& e) {
      return e.Message();
    }
    return "";
  }

  TFakeWidgetsetScope Widgets;
  TCommandRegistry Commands{"Form7"};
  std::unique_ptr<TForm> Form;
  std::string Ran;
};

TEST_F(FormRowsTest, TheWindowAndItsControlsAsTheRowsGiveThem) {
  const TFormRow window = {"Form7",   "Окно",  bsDialog,       TBorderIcons{biSystemMenu}, 300,
                           120,       clWhite, poScreenCenter, fShowHint | fStayOnTop,     "",
                           "FormShow"};
  const std::vector<TControlRow> rows = {
      {"TPanel", "Panel1", "", 0, 0, 300, 60, "", "", cAlignClient, "", "", "", 0, clYellow},
      {"TLabel", "Label1", "Panel1", 8, 8, 200, 32, "Длинная подпись", "", cFixedSize | cWordWrap, "", "", "Arial",
       -11},
      {"TEdit", "Edit1", "Panel1", 8, 40, 100, 21, "20", "Число", cReadOnly, "", "Edit1Change"},
      {"TButton", "Button1", "", 200, 80, 90, 25, "ОК", "Сделать", cDefault | cDisabled, "Button1Click"},
      {"TCheckBox", "Check1", "", 8, 80, 150, 17, "Флажок", "", cChecked | cHidden},
      {"TRichEdit", "Rich1", "", 8, 100, 100, 20, "", "", cVScroll},
  };
  Form = std::make_unique<TForm>(nullptr);
  const TFormControls c = BuildForm(*Form, window, rows, Commands);
  EXPECT_EQ(c.Count(), 6);
  EXPECT_EQ(Form->Name(), "Form7");
  EXPECT_EQ(Form->Caption(), Ansi("Окно"));
  EXPECT_EQ(Form->BorderStyle(), bsDialog);
  EXPECT_EQ(Form->BorderIcons(), TBorderIcons{biSystemMenu});
  EXPECT_EQ(Form->ClientWidth(), 300);
  EXPECT_EQ(Form->ClientHeight(), 120);
  EXPECT_EQ(Form->Color(), clWhite);
  EXPECT_EQ(Form->Position(), poScreenCenter);
  EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
  EXPECT_TRUE(Form->ShowHint());

  TPanel* panel = c.Get<TPanel>("Panel1");
  EXPECT_EQ(panel->Align(), alClient);
  EXPECT_EQ(panel->Color(), clYellow);
  TLabel* label = c.Get<TLabel>("Label1");
  EXPECT_EQ(label->Parent(), panel);
  EXPECT_EQ(label->BoundsRect(), Rect(8, 8, 208, 40));
  EXPECT_FALSE(label->AutoSize());
  EXPECT_TRUE(label->WordWrap());
  EXPECT_EQ(label->Font()->Name(), "Arial");
  EXPECT_EQ(label->Font()->Height(), -11);
  TEdit* edit = c.Get<TEdit>("Edit1");
  EXPECT_EQ(edit->Text(), "20");
  EXPECT_EQ(edit->Hint(), Ansi("Число"));
  EXPECT_TRUE(edit->ReadOnly());
  TButton* button = c.Get<TButton>("Button1");
  EXPECT_EQ(button->Parent(), Form.get());
  EXPECT_TRUE(button->Default());
  EXPECT_FALSE(button->Enabled());
  TCheckBox* check = c.Get<TCheckBox>("Check1");
  EXPECT_TRUE(check->Checked());
  EXPECT_FALSE(check->Visible());
  EXPECT_EQ(c.Get<TRichEdit>("Rich1")->ScrollBars(), ssVertical);
  EXPECT_EQ(Form->FindComponent("Button1"), button);

  button->OnClick(button);
  edit->OnChange(edit);
  Form->OnShow(Form.get());
  EXPECT_EQ(Ran, "click;change;show;");
  // A member of another class than the row's is refused.
  EXPECT_THROW(c.Get<TButton>("Edit1"), ECommandError);
  EXPECT_THROW(c.Get<TButton>("Button2"), ECommandError);
}

TEST_F(FormRowsTest, AFaultyRowIsAnErrorNamingIt) {
  struct TCase {
    std::vector<TControlRow> Rows;
    const char* Error;
  };
  const TCase cases[] = {
      {{{"TButon", "Button1"}}, "Form7: control Button1 (TButon): no such class in the class table"},
      {{{"TButton", "Button1", "", 0, 0, 0, 0, "ОК", "", 0, "Button1Clik"}}, "Form7: no command \"Button1Clik\""},
      {{{"TButton", "Button1", "Panel1"}}, "Form7: control Button1 (TButton): no earlier windowed control \"Panel1\""},
      {{{"TLabel", "Label1"}, {"TButton", "Button1", "Label1"}},
       "Form7: control Button1 (TButton): no earlier windowed control \"Label1\""},
      {{{"TButton", "Button1"}, {"TButton", "Button1"}}, "Form7: control Button1 (TButton): the name is taken"},
      {{{"TButton", "Button1", "", 0, 0, 0, 0, nullptr, "", 0, "", "Edit1Change"}},
       "Form7: control Button1 (TButton): the class has no OnChange"},
  };
  for (const TCase& c : cases) EXPECT_EQ(BuildError(c.Rows), c.Error);
  EXPECT_EQ(BuildError({{"TButton", "Button1"}}), "");
}

TEST_F(FormRowsTest, AWindowMenuFromRows) {
  Commands.Add("N1Click", [this](TObject*) { Ran += "close;"; });
  Form = std::make_unique<TForm>(nullptr);
  TMainMenu* menu = BuildMainMenu(*Form,
                                  {{TMenuPlace::MainMenu, "", "Окно"},
                                   {TMenuPlace::MainMenu, "Окно", "Закрыть", ShortCut('X', {ssCtrl}), "N1Click", "N1"},
                                   {TMenuPlace::MainMenu, "", "Справка"},
                                   {TMenuPlace::MainMenu, "Справка", "О программе...", 0, "N2Click", "N2", kPending}},
                                  Commands);
  EXPECT_EQ(Form->Menu(), menu);
  EXPECT_EQ(menu->Items()->Count(), 2);
  menu->FindItemByShortCut(ShortCut('X', {ssCtrl}))->Click();
  EXPECT_EQ(Ran, "close;");
  EXPECT_FALSE(static_cast<TMenuItem*>(Form->FindComponent("N2"))->OnClick);
  // A row of a menu the window has not: refused.
  Form = std::make_unique<TForm>(nullptr);
  EXPECT_THROW(BuildMainMenu(*Form, {{TMenuPlace::TrayMenu, "", "Выход", 0, "N1Click"}}, Commands), ECommandError);
}

// The worked example of docs/EDITOR_APP.md: ten controls and five menu
// items, nothing but rows and the handlers' registration.
TEST_F(FormRowsTest, ANewWindowIsRowsAndItsHandlers) {
  const TFormRow kForm = {
      "Form28", "Мастер таблиц", bsDialog, TBorderIcons{biSystemMenu}, 360, 220, clWhite, poScreenCenter, fShowHint,
      "",       "FormShow"};
  const std::vector<TControlRow> kControls = {
      {"TGroupBox", "GroupBox1", "", 8, 8, 344, 120, "Размер"},
      {"TLabel", "Label1", "GroupBox1", 12, 24, 60, 13, "Строк:"},
      {"TEdit", "Edit1", "GroupBox1", 80, 20, 60, 21, "2", "Число строк", 0, "", "Edit1Change"},
      {"TLabel", "Label2", "GroupBox1", 12, 56, 60, 13, "Столбцов:"},
      {"TEdit", "Edit2", "GroupBox1", 80, 52, 60, 21, "2", "Число столбцов"},
      {"TCheckBox", "CheckBox1", "GroupBox1", 12, 88, 200, 17, "С рамкой", "", cChecked},
      {"TComboBox", "ComboBox1", "", 8, 136, 160, 21, nullptr, "Выравнивание"},
      {"TLabel", "Label3", "", 180, 140, 170, 13, ""},
      {"TButton", "Button1", "", 184, 184, 80, 25, "Вставить", "", cDefault, "Button1Click"},
      {"TButton", "Button2", "", 272, 184, 80, 25, "Закрыть", "", cCancel, "Button2Click"},
  };
  const std::vector<TMenuRow> kMenu = {
      {TMenuPlace::MainMenu, "", "Окно"},
      {TMenuPlace::MainMenu, "Окно", "Вставить", Ctrl(VK_RETURN), "Button1Click"},
      {TMenuPlace::MainMenu, "Окно", "-"},
      {TMenuPlace::MainMenu, "Окно", "Закрыть", Ctrl('X'), "Button2Click"},
      {TMenuPlace::MainMenu, "", "Справка"},
      {TMenuPlace::MainMenu, "Справка", "О программе...", Ctrl(VK_F1), "N8Click", "N8", kPending},
  };
  Commands.Add("Button2Click", [this](TObject*) { Ran += "close;"; });
  Form = std::make_unique<TForm>(nullptr);
  const TFormControls c = BuildForm(*Form, kForm, kControls, Commands);
  TMainMenu* menu = BuildMainMenu(*Form, kMenu, Commands);
  EXPECT_EQ(c.Count(), 10);
  EXPECT_EQ(c.Get<TEdit>("Edit1")->Parent(), c.Get<TGroupBox>("GroupBox1"));
  EXPECT_TRUE(c.Get<TCheckBox>("CheckBox1")->Checked());
  EXPECT_TRUE(c.Get<TButton>("Button2")->Cancel());
  menu->FindItemByShortCut(Ctrl('X'))->Click();
  c.Get<TButton>("Button1")->OnClick(nullptr);
  menu->FindItemByShortCut(Ctrl(VK_RETURN))->Click();
  EXPECT_EQ(Ran, "close;click;click;");
  EXPECT_EQ(menu->FindItemByShortCut(Ctrl(VK_F1)), nullptr);  // pending: no shortcut yet
}

TEST_F(FormRowsTest, EveryClassOfTheTableMakesItsOwnClass) {
  std::unique_ptr<TForm> owner = std::make_unique<TForm>(nullptr);
  for (const TControlClass& cls : ControlClasses()) {
    TControl* control = cls.Create(owner.get());
    EXPECT_EQ(std::string(control->ClassName()), cls.Name);
  }
  EXPECT_THROW(ControlClass("TXpSpeedButon"), ECommandError);
  // A speed button's own flag.
  TControl* button = ControlClass("TXpSpeedButton").Create(owner.get());
  TControlRow flat{"TXpSpeedButton", "XpSpeedButton1"};
  flat.Flags = cFlat;
  ControlClass("TXpSpeedButton").Apply(*button, flat);
  EXPECT_TRUE(static_cast<TXpSpeedButton*>(button)->Flat());
}

}  // namespace
