// The side insert panel CoolBar1: its controls as rows, the four list
// buttons that fill its ready-made list from the data window TForm21, the
// pick that inserts from that list, showing and hiding the panel, and the
// link and picture buttons' pop-up menus. The insert buttons take their
// captions, hints and commands from the panel's button rows
// (MainWindowRows.cpp).
#include "FormRows.h"
#include "InsertTable.h"
#include "SrcMemo.h"
#include "Unit21.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

namespace {

constexpr const char* kColumn = "Колонка библиотек";

// Top to bottom. The buttons' captions and hints are their rows'.
const std::vector<TControlRow> kPanelControls = {
    {"TLabel", "Label6", "", 64, 8, 0, 0, "Режим вставки", kColumn, cShowHint},
    {"TLabel", "Label21", "", 6, 22, 0, 0, "тегов, текста и других данных", kColumn, cShowHint},
    {"TButton", "Button1", "", 3, 50, 35, 20, nullptr, "", cShowHint},
    {"TButton", "Button2", "", 48, 50, 35, 20, nullptr, "", cShowHint},
    {"TButton", "Button3", "", 92, 50, 35, 20, nullptr, "", cShowHint},
    {"TButton", "Button4", "", 137, 50, 35, 20, nullptr, "", cShowHint},
    {"TComboBox", "ComboBox1", "", 3, 78, 169, 21, nullptr, "Панель вставки HTML тегов", cShowHint, "ComboBox1Click",
     "", "", 0, clWhite},
    {"TLabel", "Label1", "", 8, 106, 0, 0, "Шрифт", kColumn, cShowHint},
    {"TButton", "Button5", "", 3, 136, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button6", "", 46, 136, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button7", "", 89, 136, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button8", "", 132, 136, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button9", "", 3, 168, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button10", "", 46, 168, 40, 25, nullptr, "", cShowHint},
    {"TButton", "Button12", "", 89, 168, 83, 25, nullptr, "", cShowHint},
    {"TLabel", "Label2", "", 8, 205, 0, 0, "Важное", kColumn, cShowHint},
    {"TButton", "Button11", "", 3, 236, 50, 25, nullptr, "", cShowHint},
    {"TButton", "Button13", "", 56, 236, 50, 25, nullptr, "", cShowHint},
    {"TButton", "Button16", "", 109, 236, 63, 25, nullptr, "", cShowHint},
    {"TButton", "Button14", "", 3, 268, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button15", "", 89, 268, 83, 25, nullptr, "", cShowHint},
    {"TLabel", "Label4", "", 8, 304, 0, 0, "Вставка", kColumn, cShowHint},
    {"TButton", "Button17", "", 3, 332, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button18", "", 89, 332, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button19", "", 3, 364, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button20", "", 89, 364, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button21", "", 3, 396, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button22", "", 89, 396, 83, 25, nullptr, "", cShowHint},
    {"TLabel", "Label3", "", 8, 433, 0, 0, "Результат", kColumn, cShowHint},
    {"TButton", "Button23", "", 3, 460, 83, 25, nullptr, "", cShowHint},
    {"TButton", "Button24", "", 89, 460, 83, 25, nullptr, "", cShowHint},
};

// The font sizes of the list buttons: the pressed one reads larger.
constexpr int kListButtonSize = 8;
constexpr int kCurrentListButtonSize = 9;

}  // namespace

void TZod2uAppForm::BuildSidePanel() {
  const TFormControls c = BuildControls(*this, *CoolBar1, kPanelControls, FCommands);
  Label6 = c.Get<TLabel>("Label6");
  Label21 = c.Get<TLabel>("Label21");
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Label4 = c.Get<TLabel>("Label4");
  Label3 = c.Get<TLabel>("Label3");
  for (TLabel* label : {Label6, Label21, Label1, Label2, Label4, Label3}) label->SetTransparent(true);
  Button1 = c.Get<TButton>("Button1");
  Button2 = c.Get<TButton>("Button2");
  Button3 = c.Get<TButton>("Button3");
  Button4 = c.Get<TButton>("Button4");
  ComboBox1 = c.Get<TComboBox>("ComboBox1");
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->SetDropDownCount(35);
  // The list's own start-up content: html tags, the first shown. The
  // program's selection of item 0 is no pick (only the user's pick clicks).
  for (const char* item : SidePanelLists()[0]) ComboBox1->Items()->Add(Ansi(item));
  ComboBox1->SetItemIndex(0);
  for (TButton* b : {Button1, Button2, Button3, Button4}) b->Font()->SetSize(kListButtonSize);
  Button1->Font()->SetSize(kCurrentListButtonSize);
}

void TZod2uAppForm::N119Click(TObject*) {
  CoolBar1->Show();
  ComboBox1->SetDroppedDown(true);
}

void TZod2uAppForm::N120Click(TObject*) {
  ComboBox1->SetDroppedDown(false);
  CoolBar1->Hide();
}

void TZod2uAppForm::ShowSidePanelList(int index, TButton* pressed) {
  ComboBox1->Items()->BeginUpdate();
  ComboBox1->Clear();
  if (Form21) {
    ComboBox1->Items()->Assign(Form21->Lists()[static_cast<size_t>(index)]->Items());
  } else {
    for (const char* item : SidePanelLists()[static_cast<size_t>(index)]) ComboBox1->Items()->Add(Ansi(item));
  }
  ComboBox1->Items()->EndUpdate();
  ComboBox1->SetItemIndex(0);
  for (TButton* b : {Button1, Button2, Button3, Button4})
    b->Font()->SetSize(b == pressed ? kCurrentListButtonSize : kListButtonSize);
}

void TZod2uAppForm::Label1Click(TObject*) { ShowSidePanelList(0, Button1); }
void TZod2uAppForm::Label4Click(TObject*) { ShowSidePanelList(3, Button2); }
void TZod2uAppForm::Label5Click(TObject*) { ShowSidePanelList(1, Button3); }
void TZod2uAppForm::Label2Click(TObject*) { ShowSidePanelList(2, Button4); }

void TZod2uAppForm::ComboBox1Click(TObject*) {
  const int i = ComboBox1->ItemIndex();
  if (i < 0 || i >= ComboBox1->Items()->Count()) return;
  InsertText(ComboBox1->Items()->Get(i), true);
}

void TZod2uAppForm::PopUpBeside(TPopupMenu* menu, TControl* button) {
  // The panel's left edge, at the pressed button's top.
  const TPoint at = ClientToScreen(TPoint(CoolBar1->Left(), button->Top()));
  menu->Popup(at.X, at.Y);
}

void TZod2uAppForm::Button14Click(TObject*) { PopUpBeside(link, static_cast<TControl*>(FindComponent("Button14"))); }

void TZod2uAppForm::Button15Click(TObject*) { PopUpBeside(img, static_cast<TControl*>(FindComponent("Button15"))); }
