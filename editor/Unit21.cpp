#include "Unit21.h"

#include "FormRows.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form21", "", bsNone, std::nullopt, 361, 101, clWhite});
}
