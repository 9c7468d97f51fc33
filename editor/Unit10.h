// The heading wizard: a level, an alignment and a text become one heading.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm10 : public TForm {
 public:
  explicit TForm10(TComponent* owner);
  const char* ClassName() const override { return "TForm10"; }

  TEdit* Edit1 = nullptr;          // the opening tag without its ">", "<H1 "
  TEdit* Edit2 = nullptr;          // the closing tag, "</H1>"
  TComboBox* ComboBox1 = nullptr;  // "ALIGN=LEFT", "ALIGN=CENTER", "ALIGN=RIGHT"
  TMemo* Memo1 = nullptr;          // the heading text

  // "H1" .. "H6": the level.
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button8Click(TObject* Sender);   // "Вставить"
  void Button9Click(TObject* Sender);   // "Отменить"
  void Button10Click(TObject* Sender);  // "Очистить все"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  void SetLevel(int level);
  TCommandRegistry FCommands{"Form10"};
};

extern TForm10* Form10;
