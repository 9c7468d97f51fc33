#include "Unit8.h"

#include "FormRows.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form8", "Мастер вставки изображения",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
