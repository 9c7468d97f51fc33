#include "Unit14.h"

#include "FormRows.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form14", "Испробуйте в работе Brindel Ostrelle 3 - релиз 10.09.2008",
                    bsSingle, TBorderIcons{biSystemMenu, biMinimize}, 791, 599, clWhite, poScreenCenter, fStayOnTop});
}
