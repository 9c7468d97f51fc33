#include "Unit13.h"

#include "FormRows.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm13* Form13 = nullptr;

namespace {
const TFormRow kForm = {
    "Form13", "Создать отступ...", bsDialog, TBorderIcons{biSystemMenu}, 241, 62, clWhite, poScreenCenter, fShowHint,
    "",       "FormShow"};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 225, 13, "Укажите степень отступа."},
    {"TEdit", "Edit1", "", 8, 30, 137, 21, "20", "Укажите степень отступа."},
    {"TButton", "Button1", "", 152, 28, 81, 25, "ОК", "Создать отступ", cDefault, "Button1Click"},
};
}  // namespace

TForm13::TForm13(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormShow", this, &TForm13::FormShow);
  FCommands.Add("Button1Click", this, &TForm13::Button1Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Label1 = c.Get<TLabel>("Label1");
  Edit1 = c.Get<TEdit>("Edit1");
  Button1 = c.Get<TButton>("Button1");
}

void TForm13::FormShow(TObject*) { SetActiveControl(Edit1); }

void TForm13::Button1Click(TObject*) {
  Close();
  TSrcMemo* memo = Zod2uAppForm->Memo1;
  TRect r;
  memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  // A text that is no number raises the conversion error here, before
  // the rectangle is handed back.
  r.Left = StrToInt(Edit1->Text());
  memo->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  memo->Repaint();
}
