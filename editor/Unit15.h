// The background sound wizard: a sound file and how often it plays.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm15 : public TForm {
 public:
  explicit TForm15(TComponent* owner);
  const char* ClassName() const override { return "TForm15"; }

  TEdit* Edit1 = nullptr;                // the file's address
  TEdit* Edit2 = nullptr;                // repetitions, "1"; hidden while CheckBox1 is on
  TCheckBox* CheckBox1 = nullptr;        // "Повторять музыку бесконечно"
  TRadioButton* RadioButton1 = nullptr;  // "локальное имя": file:// and the full path
  TRadioButton* RadioButton2 = nullptr;  // "серверное имя": the name alone
  TOpenDialog* od = nullptr;

  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Очистить всё"
  void Button3Click(TObject* Sender);  // "Отмена"
  void Button4Click(TObject* Sender);  // "...": the file
  void CheckBox1Click(TObject* Sender);
  void RadioButton1Click(TObject* Sender);
  void RadioButton2Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form15"};
};

extern TForm15* Form15;
