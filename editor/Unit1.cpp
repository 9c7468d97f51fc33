#include "Unit1.h"

#include "FormRows.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form1", "", bsDialog, TBorderIcons{biSystemMenu}, 524, 369, kKeepColor, poScreenCenter});
}
