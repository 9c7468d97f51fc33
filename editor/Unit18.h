// The new-page wizard: title, description, author, keywords and a
// background become the skeleton of a new untitled page.
#pragma once

#include "CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class THoverLabel;

class TForm18 : public TForm {
 public:
  explicit TForm18(TComponent* owner);
  const char* ClassName() const override { return "TForm18"; }

  TEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;  // title .. keywords
  TRadioButton* RadioButton1 = nullptr;                                          // a background colour
  TRadioButton* RadioButton2 = nullptr;                                          // a background picture
  TLabel* Label1 = nullptr;                                                      // the chosen colour's code
  TLabel* Label2 = nullptr;                                                      // "Выбрано:"
  TButton* Button1 = nullptr;                                                    // "Определить"
  TEdit* Edit5 = nullptr;              // the picture's name; its hint the full path
  TButton* Button2 = nullptr;          // "..."
  TImage* Image1 = nullptr;            // the picture's preview
  THoverLabel* HoverLabel1 = nullptr;  // "воспользуйтесь": the script library
  TColorDialog* Cl = nullptr;
  TOpenDialog* pic = nullptr;

  void RadioButton1Click(TObject* Sender);
  void RadioButton2Click(TObject* Sender);
  void Button1Click(TObject* Sender);  // "Определить"
  void Button2Click(TObject* Sender);  // "..."
  void Button3Click(TObject* Sender);  // "Создать!"
  void Button4Click(TObject* Sender);  // "Отмена"
  void Button5Click(TObject* Sender);  // "Очистить всё"
  void Button6Click(TObject* Sender);  // "Шаблоны"
  void Label5Click(TObject* Sender);   // the hover label

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form18"};
};

extern TForm18* Form18;
