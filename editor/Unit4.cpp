#include "Unit4.h"

#include "FormRows.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form4", "Мастер стилей шрифта",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
