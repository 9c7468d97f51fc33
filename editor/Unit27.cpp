#include "Unit27.h"

#include "FormRows.h"

TForm27* Form27 = nullptr;

TForm27::TForm27(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form27", "Brindel Quillet Studio - Scrivane",
                    bsSingle, TBorderIcons{biSystemMenu, biMinimize}, 681, 531, clWhite, poScreenCenter});
}
