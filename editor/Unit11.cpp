#include "Unit11.h"

#include "FormRows.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form11", "Активная ссылка",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
