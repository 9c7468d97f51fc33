#include "Unit21.h"

#include "FormRows.h"
#include "InsertTable.h"
#include "platform/CodePage.h"

TForm21* Form21 = nullptr;

namespace {
const TFormRow kForm = {"Form21", "", bsNone, std::nullopt, 361, 101, clWhite};
const std::vector<TControlRow> kControls = {
    {"TComboBox", "ComboBox1", "", 8, 8, 169, 21},
    {"TComboBox", "ComboBox2", "", 184, 8, 169, 21},
    {"TComboBox", "ComboBox3", "", 8, 40, 169, 21},
    {"TComboBox", "ComboBox4", "", 184, 40, 169, 21},
};
}  // namespace

TForm21::TForm21(TComponent* owner) : TForm(owner) {
  FCommands.Add("Timer1Timer", this, &TForm21::Timer1Timer);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  ComboBox1 = c.Get<TComboBox>("ComboBox1");
  ComboBox2 = c.Get<TComboBox>("ComboBox2");
  ComboBox3 = c.Get<TComboBox>("ComboBox3");
  ComboBox4 = c.Get<TComboBox>("ComboBox4");
  const auto lists = Lists();
  for (size_t i = 0; i < lists.size(); ++i) {
    TComboBox* list = lists[i];
    list->SetStyle(csDropDownList);
    for (const char* item : SidePanelLists()[i]) list->Items()->Add(Ansi(item));
    list->SetItemIndex(0);
  }
  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(1000);
  Timer1->OnTimer = FCommands.Handler("Timer1Timer");
}

void TForm21::Timer1Timer(TObject*) {
  // Closing hides the window; it stays created (and hidden) until the
  // program ends.
  if (Visible()) Close();
}
