// The hyperlink wizard, with three saved addresses kept in
// "velmoraset.ini" in the program folder.
#pragma once

#include <string>

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm5 : public TForm {
 public:
  explicit TForm5(TComponent* owner);
  const char* ClassName() const override { return "TForm5"; }

  TComboBox* ComboBox1 = nullptr;                              // the protocol put in front of the address
  TEdit* Edit1 = nullptr;                                      // the address
  TEdit* Edit2 = nullptr;                                      // the link text
  TCheckBox* CheckBox1 = nullptr;                              // bold
  TEdit *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr;  // the saved addresses

  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Отмена"
  void Button3Click(TObject* Sender);  // "Очистить всё"
  void Edit1DblClick(TObject* Sender);
  void Edit3DblClick(TObject* Sender);
  void Edit4DblClick(TObject* Sender);
  void Edit5DblClick(TObject* Sender);

  // "velmoraset.ini" in the program folder.
  static std::string SavedAddressesFile();

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  void ReadSavedAddresses();
  TCommandRegistry FCommands{"Form5"};
};

extern TForm5* Form5;
