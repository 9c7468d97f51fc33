#include "Unit9.h"

#include "FormRows.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form9", "Быстрая вставка", bsToolWindow, std::nullopt, 606, 86, clWhite, poDesigned, fStayOnTop});
}
