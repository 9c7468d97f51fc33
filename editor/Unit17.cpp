#include "Unit17.h"

#include "platform/CodePage.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(TComponent* owner) : TForm(owner) {
  SetName("Form17");
  SetCaption(Ansi("Мастер создания ссылки-картинки"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
