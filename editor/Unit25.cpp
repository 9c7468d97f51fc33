#include "Unit25.h"

TForm25* Form25 = nullptr;

TForm25::TForm25(TComponent* owner) : TForm(owner) {
  SetName("Form25");
  SetCaption("Brindel Quillet Studio - Rich Viewer");
  SetBorderStyle(bsSizeable);
  SetBounds(0, 0, 795, 580);
  SetPosition(poScreenCenter);
}
