#include "Unit10.h"

#include "FormRows.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form10", "Мастер создания заголовков",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
