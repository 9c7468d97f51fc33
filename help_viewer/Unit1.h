// The help viewer's one window: a row of navigation buttons over the
// embedded browser that shows the help pages beside the program.
#pragma once

#include <string>
#include <vector>

#include "TaskPanels.h"
#include "MarkupHint.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

class TXpSpeedButton;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }

  TTaskPanel* TaskPanel1 = nullptr;  // the banner and button row, 89 pixels high
  TPanel* Web = nullptr;             // the browser's place, filling the rest
  TStatusBar* StatusBar1 = nullptr;
  TMarkupHint* MarkupHint1 = nullptr;  // renders every hint of the program

  // The navigation buttons on TaskPanel1, left to right: back, forward,
  // stop, save, print, home, properties.
  TXpSpeedButton *XpSpeedButton1 = nullptr, *XpSpeedButton2 = nullptr, *XpSpeedButton5 = nullptr,
                 *XpSpeedButton3 = nullptr, *XpSpeedButton6 = nullptr, *XpSpeedButton9 = nullptr,
                 *XpSpeedButton4 = nullptr;

  // The buttons whose handlers are not built yet, by button name.
  const std::vector<std::string>& PendingButtons() const { return FPendingButtons; }

 private:
  void BuildButtons();
  std::vector<std::string> FPendingButtons;
};

extern TForm1* Form1;
