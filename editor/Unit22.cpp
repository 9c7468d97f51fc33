#include "Unit22.h"

#include "FormRows.h"

TForm22* Form22 = nullptr;

TForm22::TForm22(TComponent* owner) : TForm(owner) {
  BuildForm(*this, {"Form22", "", bsNone});
}
