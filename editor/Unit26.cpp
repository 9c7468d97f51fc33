#include "Unit26.h"

#include "platform/CodePage.h"

TForm26* Form26 = nullptr;

TForm26::TForm26(TComponent* owner) : TForm(owner) {
  SetName("Form26");
  SetCaption(Ansi("Буфер обмена"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(465, 322);
  SetColor(clWhite);
}
