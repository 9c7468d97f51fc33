#include "Unit21.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(TComponent* owner) : TForm(owner) {
  SetName("Form21");
  SetCaption(std::string());
  SetBorderStyle(bsNone);
  SetClientSize(361, 101);
  SetColor(clWhite);
}
