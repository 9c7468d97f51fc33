#include "Unit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(TComponent* owner) : TForm(owner) {
  SetName("Form6");
  SetCaption("Brindel Quillet Studio - Sender");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(393, 308);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
