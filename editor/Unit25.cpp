#include "Unit25.h"

#include "FormRows.h"
#include "W2kMain.h"

TForm25* Form25 = nullptr;

namespace {
const TFormRow kForm = {
    "Form25",  "Brindel Quillet Studio - Rich Viewer", bsSizeable, std::nullopt, 795, 580, kKeepColor, poScreenCenter,
    fOuterSize};
const std::vector<TControlRow> kControls = {
    {"TRichEdit", "RichEdit1", "", 0, 0, 0, 0, "", "", cAlignClient | cReadOnly | cVScroll, "", "", "Times New Roman",
     -16},
};
}  // namespace

TForm25::TForm25(TComponent* owner) : TForm(owner) {
  const TFormControls c = BuildForm(*this, kForm, kControls, TCommandRegistry("Form25"));
  RichEdit1 = c.Get<TRichEdit>("RichEdit1");
  if (Zod2uAppForm) RichEdit1->SetPopupMenu(Zod2uAppForm->PopupMenu3);
}
