#include "Unit16.h"

#include "FormRows.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form16", "HEX to COLOR", bsDialog, TBorderIcons{biSystemMenu}, 0, 0, kKeepColor, poScreenCenter});
}
