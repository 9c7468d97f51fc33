// The timed redirect wizard: after so many seconds the page opens an
// address.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm11 : public TForm {
 public:
  explicit TForm11(TComponent* owner);
  const char* ClassName() const override { return "TForm11"; }

  TEdit* Edit1 = nullptr;  // seconds, "5"
  TEdit* Edit2 = nullptr;  // the address, "http://"

  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Отменить"
  void Button3Click(TObject* Sender);  // "Очистить всё"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form11"};
};

extern TForm11* Form11;
