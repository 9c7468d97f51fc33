// The about window: the program's picture with its name, version, credits,
// rights and thanks written over it in white.
#pragma once

#include "CommandRegistry.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class Tabout_forma : public TForm {
 public:
  explicit Tabout_forma(TComponent* owner);
  const char* ClassName() const override { return "Tabout_forma"; }

  TImage* Image1 = nullptr;  // 541 x 385 at (-5, 0), cropped by the window
  TLabel* Label1 = nullptr;  // name, version, credits
  TLabel* Label9 = nullptr;  // rights
  TLabel* Label2 = nullptr;  // thanks

  // The picture is decoded the first time the window shows.
  void FormShow(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"about_forma"};
};

extern Tabout_forma* about_forma;
