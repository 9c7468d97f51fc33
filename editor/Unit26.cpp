#include "Unit26.h"

#include "FormRows.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

TForm26* Form26 = nullptr;

namespace {
const TFormRow kForm = {"Form26", "Буфер обмена", bsSingle, TBorderIcons{biSystemMenu, biMinimize}, 465, 322, clWhite};
const std::vector<TControlRow> kControls = {
    {"TRichEdit", "view", "", 8, 8, 449, 273, "", "", cVScroll},
    {"TButton", "Button2", "", 184, 288, 171, 25, "Вставить в документ", "", 0, "Button2Click"},
    {"TButton", "Button1", "", 360, 288, 99, 25, "Закрыть", "", 0, "Button1Click"},
};
}  // namespace

TForm26::TForm26(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button2Click", this, &TForm26::Button2Click);
  FCommands.Add("Button1Click", this, &TForm26::Button1Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  view = c.Get<TRichEdit>("view");
  Button2 = c.Get<TButton>("Button2");
  Button1 = c.Get<TButton>("Button1");
  if (Zod2uAppForm) view->SetPopupMenu(Zod2uAppForm->PopupMenu3);
}

void TForm26::Button2Click(TObject*) {
  Zod2uAppForm->Memo1->PasteClipboard();
  Close();
}

void TForm26::Button1Click(TObject*) { Close(); }
