// The advertisement window: a picture presenting Brindel Ostrelle 3.
#pragma once

#include "CommandRegistry.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

class TForm14 : public TForm {
 public:
  explicit TForm14(TComponent* owner);
  const char* ClassName() const override { return "TForm14"; }

  TImage* Image1 = nullptr;  // 809 x 609 at (0, 0)

  // The picture is decoded the first time the window shows.
  void FormShow(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form14"};
};

extern TForm14* Form14;
