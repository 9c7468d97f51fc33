// The help viewer's one window: a row of navigation buttons over the
// embedded browser that shows the help pages beside the program.
#pragma once

#include "MarkupHint.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }

  TPanel* TaskPanel1 = nullptr;  // the banner and button row, 89 pixels high
  TPanel* Web = nullptr;         // the browser's place, filling the rest
  TStatusBar* StatusBar1 = nullptr;
  TMarkupHint* MarkupHint1 = nullptr;  // renders every hint of the program
};

extern TForm1* Form1;
