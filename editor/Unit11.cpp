#include "Unit11.h"

#include "platform/CodePage.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(TComponent* owner) : TForm(owner) {
  SetName("Form11");
  SetCaption(Ansi("Активная ссылка"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
