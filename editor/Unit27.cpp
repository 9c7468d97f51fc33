#include "Unit27.h"

TForm27* Form27 = nullptr;

TForm27::TForm27(TComponent* owner) : TForm(owner) {
  SetName("Form27");
  SetCaption("Brindel Quillet Studio - Scrivane");
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(681, 531);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
