#include "Unit16.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(TComponent* owner) : TForm(owner) {
  SetName("Form16");
  SetCaption("HEX to COLOR");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
}
