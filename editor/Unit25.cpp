#include "Unit25.h"

#include "W2kMain.h"

TForm25* Form25 = nullptr;

TForm25::TForm25(TComponent* owner) : TForm(owner) {
  SetName("Form25");
  SetCaption("Brindel Quillet Studio - Rich Viewer");
  SetBorderStyle(bsSizeable);
  SetBounds(0, 0, 795, 580);
  SetPosition(poScreenCenter);

  RichEdit1 = new TRichEdit(this);
  RichEdit1->SetName("RichEdit1");
  RichEdit1->SetParent(this);
  RichEdit1->SetAlign(alClient);
  RichEdit1->Font()->SetName("Times New Roman");
  RichEdit1->Font()->SetHeight(-16);
  RichEdit1->SetReadOnly(true);
  RichEdit1->SetScrollBars(ssVertical);
  RichEdit1->SetText(std::string());
  if (Zod2uAppForm) RichEdit1->SetPopupMenu(Zod2uAppForm->PopupMenu3);
}
