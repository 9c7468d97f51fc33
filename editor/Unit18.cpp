#include "Unit18.h"

#include "FormRows.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form18", "Brindel Quillet Studio - VivOriror",
                    bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
