#include "Unit14.h"

#include "platform/CodePage.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(TComponent* owner) : TForm(owner) {
  SetName("Form14");
  SetCaption(Ansi("Испробуйте в работе Brindel Ostrelle 3 - релиз 10.09.2008"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(791, 599);
  SetColor(clWhite);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
}
