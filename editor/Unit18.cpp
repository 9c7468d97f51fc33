#include "Unit18.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(TComponent* owner) : TForm(owner) {
  SetName("Form18");
  SetCaption("Brindel Quillet Studio - VivOriror");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
