#include "Unit12.h"

#include "platform/CodePage.h"

TForm122* Form122 = nullptr;

TForm122::TForm122(TComponent* owner) : TForm(owner) {
  SetName("Form122");
  SetCaption(Ansi("Перейти..."));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(298, 96);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
