#include "Unit22.h"

TForm22* Form22 = nullptr;

TForm22::TForm22(TComponent* owner) : TForm(owner) {
  SetName("Form22");
  SetCaption(std::string());
  SetBorderStyle(bsNone);
}
