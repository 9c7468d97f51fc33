#include "Unit10.h"

#include "platform/CodePage.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(TComponent* owner) : TForm(owner) {
  SetName("Form10");
  SetCaption(Ansi("Мастер создания заголовков"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
