// The sender window: a new mail to a typed address (optionally with the
// document on the clipboard), or a typed web address, through the desktop.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm6 : public TForm {
 public:
  explicit TForm6(TComponent* owner);
  const char* ClassName() const override { return "TForm6"; }

  TEdit* Edit1 = nullptr;          // the mail address
  TCheckBox* CheckBox1 = nullptr;  // copy the document first
  TEdit* Edit2 = nullptr;          // the web address

  void Button1Click(TObject* Sender);  // "Отправить"
  void Button3Click(TObject* Sender);  // "Очистить" the address
  void Button4Click(TObject* Sender);  // "Открыть"
  void Button5Click(TObject* Sender);  // "Очистить" the web address
  void Button2Click(TObject* Sender);  // "Закрыть"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form6"};
};

extern TForm6* Form6;
