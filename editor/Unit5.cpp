#include "Unit5.h"

#include "FormRows.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form5", "Мастер создания гиперссылки",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
