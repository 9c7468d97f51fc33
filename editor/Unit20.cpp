#include "Unit20.h"

#include "platform/CodePage.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(TComponent* owner) : TForm(owner) {
  SetName("Form20");
  SetCaption(Ansi("Brindel Quillet Studio - Изображения"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(704, 488);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
