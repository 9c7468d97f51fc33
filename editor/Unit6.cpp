#include "Unit6.h"

#include "FormRows.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form6", "Brindel Quillet Studio - Sender",
                    bsDialog, TBorderIcons{biSystemMenu}, 393, 308, clWhite, poScreenCenter});
}
