// The go-to-line dialog: shows the document's line count and moves the
// caret of the main window's editor to the line typed in.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm122 : public TForm {
 public:
  explicit TForm122(TComponent* owner);
  const char* ClassName() const override { return "TForm122"; }

  TLabel* Label2 = nullptr;  // "В этом документе сейчас N строк(и)."
  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;      // the line number
  TButton* Button1 = nullptr;  // "Перейти"

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Button1Click(TObject* Sender);
  // Label2 := the line count of the main window's editor.
  void ShowLineCount();

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form122"};
};

extern TForm122* Form122;
