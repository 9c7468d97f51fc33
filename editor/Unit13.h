// The indent dialog: asks the main window's editor for a left text margin
// of the typed number of pixels.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm13 : public TForm {
 public:
  explicit TForm13(TComponent* owner);
  const char* ClassName() const override { return "TForm13"; }

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;      // the indent in pixels, "20" at start
  TButton* Button1 = nullptr;  // "ОК"

  void FormShow(TObject* Sender);
  void Button1Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form13"};
};

extern TForm13* Form13;
