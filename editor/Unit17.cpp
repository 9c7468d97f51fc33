#include "Unit17.h"

#include "FormRows.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form17", "Мастер создания ссылки-картинки",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
