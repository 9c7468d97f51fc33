#include "Unit19.h"

#include "FormRows.h"

TForm19* Form19 = nullptr;

TForm19::TForm19(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form19", "Brindel Quillet Studio - Текст",
                    bsSingle, TBorderIcons{biSystemMenu, biMinimize}, 697, 499, clWhite, poScreenCenter});
}
