#include "Unit23.h"

#include "platform/CodePage.h"

TForm23* Form23 = nullptr;

TForm23::TForm23(TComponent* owner) : TForm(owner) {
  SetName("Form23");
  SetCaption(Ansi("Горизонтальная черта"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
