#include "Unit3.h"

#include "FormRows.h"

Tabout_forma* about_forma = nullptr;

Tabout_forma::Tabout_forma(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"about_forma", "О продукте",
                    bsDialog, TBorderIcons{biSystemMenu}, 501, 277, clWhite, poScreenCenter});
}
