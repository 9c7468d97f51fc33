// The horizontal rule wizard: width, size, colour and shade of one rule.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm23 : public TForm {
 public:
  explicit TForm23(TComponent* owner);
  const char* ClassName() const override { return "TForm23"; }

  TEdit* Edit1 = nullptr;          // width
  TEdit* Edit2 = nullptr;          // size
  TEdit* Edit3 = nullptr;          // the colour (read-only), "щелкни тута!" until one is chosen
  TLabel* Label3 = nullptr;        // "c!": copies the colour
  TCheckBox* CheckBox1 = nullptr;  // "Без отброски тени"
  TColorDialog* ColorDialog1 = nullptr;

  void Edit3Click(TObject* Sender);
  void Label3Click(TObject* Sender);
  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Отмена"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form23"};
};

extern TForm23* Form23;
