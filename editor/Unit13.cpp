#include "Unit13.h"

#include "platform/CodePage.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(TComponent* owner) : TForm(owner) {
  SetName("Form13");
  SetCaption(Ansi("Создать отступ..."));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(241, 62);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
