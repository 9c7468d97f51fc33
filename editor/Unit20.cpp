#include "Unit20.h"

#include "FormRows.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form20", "Brindel Quillet Studio - Изображения",
                    bsSingle, TBorderIcons{biSystemMenu, biMinimize}, 704, 488, clWhite, poScreenCenter});
}
