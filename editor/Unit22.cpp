#include "Unit22.h"

#include "FormRows.h"
#include "InsertTable.h"
#include "platform/CodePage.h"

TForm22* Form22 = nullptr;

namespace {
const TFormRow kForm = {"Form22", "", bsNone};
const std::vector<TControlRow> kControls = {
    {"TComboBox", "ComboBox1", "", 8, 8, 60, 21},    {"TComboBox", "ComboBox2", "", 72, 8, 60, 21},
    {"TComboBox", "ComboBox3", "", 136, 8, 60, 21},  {"TComboBox", "ComboBox4", "", 200, 8, 60, 21},
    {"TComboBox", "ComboBox5", "", 264, 8, 60, 21},  {"TComboBox", "ComboBox6", "", 8, 40, 60, 21},
    {"TComboBox", "ComboBox7", "", 72, 40, 60, 21},  {"TComboBox", "ComboBox8", "", 136, 40, 60, 21},
    {"TComboBox", "ComboBox9", "", 200, 40, 60, 21}, {"TComboBox", "ComboBox10", "", 264, 40, 60, 21},
};
}  // namespace

TForm22::TForm22(TComponent* owner) : TForm(owner) {
  const TFormControls c = BuildForm(*this, kForm, kControls, TCommandRegistry("Form22"));
  for (size_t i = 0; i < FLists.size(); ++i) {
    TComboBox* list = c.Get<TComboBox>("ComboBox" + std::to_string(i + 1));
    list->SetStyle(csDropDownList);
    for (const char* item : RandomCharacterItems()) list->Items()->Add(item);
    list->SetItemIndex(0);
    FLists[i] = list;
  }
}
