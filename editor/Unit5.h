// The hyperlink wizard.
#pragma once

#include "platform/Forms.h"

class TForm5 : public TForm {
 public:
  explicit TForm5(TComponent* owner);
  const char* ClassName() const override { return "TForm5"; }
};

extern TForm5* Form5;
