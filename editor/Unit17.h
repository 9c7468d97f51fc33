// The image link wizard: a link address, then a picture from the main
// window's picture dialog, as a picture that is a link.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm17 : public TForm {
 public:
  explicit TForm17(TComponent* owner);
  const char* ClassName() const override { return "TForm17"; }

  TEdit* Edit1 = nullptr;                // the link address, "http://"
  TRadioButton* RadioButton1 = nullptr;  // the picture's full path
  TRadioButton* RadioButton2 = nullptr;  // its name alone

  void Button1Click(TObject* Sender);  // "Далее >>"
  void Button2Click(TObject* Sender);  // "Стереть"
  void Button3Click(TObject* Sender);  // "Отмена"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form17"};
};

extern TForm17* Form17;
