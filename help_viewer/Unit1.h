// The help viewer's one window: a row of navigation buttons over the
// embedded browser that shows the help pages beside the program.
#pragma once

#include "TaskPanels.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }

  TTaskPanel* TaskPanel1 = nullptr;  // the banner and button row, 89 pixels high
  TPanel* Web = nullptr;             // the browser's place, filling the rest
  TStatusBar* StatusBar1 = nullptr;
};

extern TForm1* Form1;
