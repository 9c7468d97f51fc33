#include "Unit4.h"

#include "platform/CodePage.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  SetName("Form4");
  SetCaption(Ansi("Мастер стилей шрифта"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
