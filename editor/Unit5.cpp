#include "Unit5.h"

#include "platform/CodePage.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* owner) : TForm(owner) {
  SetName("Form5");
  SetCaption(Ansi("Мастер создания гиперссылки"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
