#include "Unit7.h"

#include "FormRows.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form7", "Настройка избранного",
                    bsDialog, TBorderIcons{biSystemMenu}, 384, 396, clWhite, poScreenCenter});
}
