#include "Unit3.h"

#include "platform/CodePage.h"

Tabout_forma* about_forma = nullptr;

Tabout_forma::Tabout_forma(TComponent* owner) : TForm(owner) {
  SetName("about_forma");
  SetCaption(Ansi("О продукте"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(501, 277);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
