// The side insert panel's own commands: showing and hiding CoolBar1.
#include "W2kMain.h"

void TZod2uAppForm::N119Click(TObject*) { CoolBar1->Show(); }

void TZod2uAppForm::N120Click(TObject*) { CoolBar1->Hide(); }
