#include "Unit23.h"

#include "FormRows.h"

TForm23* Form23 = nullptr;

TForm23::TForm23(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form23", "Горизонтальная черта",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
