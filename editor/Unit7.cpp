#include "Unit7.h"

#include "platform/CodePage.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(TComponent* owner) : TForm(owner) {
  SetName("Form7");
  SetCaption(Ansi("Настройка избранного"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(384, 396);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
