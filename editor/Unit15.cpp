#include "Unit15.h"

#include "platform/CodePage.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(TComponent* owner) : TForm(owner) {
  SetName("Form15");
  SetCaption(Ansi("Мастер вставки музыки..."));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
