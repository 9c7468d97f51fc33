// The rich-text viewer: a read-only rich edit filling the window. The
// main window's RTF commands fill it and save it as RTF.
#pragma once

#include "platform/Forms.h"
#include "platform/RichEdit.h"

class TForm25 : public TForm {
 public:
  explicit TForm25(TComponent* owner);
  const char* ClassName() const override { return "TForm25"; }

  TRichEdit* RichEdit1 = nullptr;
};

extern TForm25* Form25;
