#include "Unit15.h"

#include "FormRows.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form15", "Мастер вставки музыки...",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
