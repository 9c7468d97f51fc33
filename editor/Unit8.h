// The image wizard: a picture's address, size, alignment, spacing, border
// and ALT text as one image tag.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm8 : public TForm {
 public:
  explicit TForm8(TComponent* owner);
  const char* ClassName() const override { return "TForm8"; }

  TEdit* Edit1 = nullptr;                                      // the picture's address
  TEdit* Edit2 = nullptr;                                      // WIDTH
  TEdit* Edit3 = nullptr;                                      // HEIGHT
  TComboBox* ComboBox2 = nullptr;                              // ALIGN
  TEdit *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr;  // HSPACE, VSPACE, BORDER
  TEdit* Edit4 = nullptr;                                      // ALT
  TRadioButton* RadioButton1 = nullptr;                        // "Полное имя"
  TRadioButton* RadioButton2 = nullptr;                        // "короткое имя"
  TImage* Image1 = nullptr;                                    // the preview
  TOpenDialog* pic = nullptr;

  void Button1Click(TObject* Sender);  // "Вставить"
  void Button2Click(TObject* Sender);  // "Отменить"
  void Button3Click(TObject* Sender);  // "Открыть"
  void RadioButton1Click(TObject* Sender);
  void RadioButton2Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form8"};
};

extern TForm8* Form8;
