#include "Unit19.h"

#include "platform/CodePage.h"

TForm19* Form19 = nullptr;

TForm19::TForm19(TComponent* owner) : TForm(owner) {
  SetName("Form19");
  SetCaption(Ansi("Brindel Quillet Studio - Текст"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(697, 499);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
}
