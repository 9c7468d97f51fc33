// The favourite programs window: four slots of program paths kept in
// "runsave.ini" in the program folder, started one at a time or all at once.
#pragma once

#include <string>

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm7 : public TForm {
 public:
  explicit TForm7(TComponent* owner);
  const char* ClassName() const override { return "TForm7"; }

  TEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;  // slots 1-4
  TOpenDialog* OpenDialog1 = nullptr;

  // "runsave.ini" in the program folder.
  std::string SettingsFileName() const;
  void FormCreate(TObject* Sender);
  // "..." of slots 1-4.
  void Button1Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  // "Запустить!" of slots 1-4.
  void Button2Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void Button12Click(TObject* Sender);  // "Запустить": every slot in order
  void Button11Click(TObject* Sender);  // "Очистить"
  void Button10Click(TObject* Sender);  // "Сохранить"
  void Button9Click(TObject* Sender);   // "Закрыть"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  void Browse(TEdit* edit);
  void StartSlot(TEdit* edit);
  TCommandRegistry FCommands{"Form7"};
};

extern TForm7* Form7;
