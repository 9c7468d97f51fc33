// The clipboard viewer: shows what the clipboard holds and pastes it into
// the document.
#pragma once

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"

class TForm26 : public TForm {
 public:
  explicit TForm26(TComponent* owner);
  const char* ClassName() const override { return "TForm26"; }

  TRichEdit* view = nullptr;   // filled by the clipboard-view command
  TButton* Button2 = nullptr;  // "Вставить в документ"
  TButton* Button1 = nullptr;  // "Закрыть"

  // Pastes the clipboard itself (not what may have been edited in `view`)
  // into the main window's editor, then closes.
  void Button2Click(TObject* Sender);
  void Button1Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form26"};
};

extern TForm26* Form26;
