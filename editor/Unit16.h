// The colour converter "HEX to COLOR": an HTML code shown in the colour
// dialog, then reported as the colour's number.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm16 : public TForm {
 public:
  explicit TForm16(TComponent* owner);
  const char* ClassName() const override { return "TForm16"; }

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;      // the code, "#RRGGBB"
  TButton* Button1 = nullptr;  // "Высчитать"
  TButton* Button2 = nullptr;  // "Очистить"
  TColorDialog* ColorDialog1 = nullptr;

  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form16"};
};

extern TForm16* Form16;
