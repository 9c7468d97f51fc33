#include "Unit8.h"

#include "platform/CodePage.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(TComponent* owner) : TForm(owner) {
  SetName("Form8");
  SetCaption(Ansi("Мастер вставки изображения"));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
