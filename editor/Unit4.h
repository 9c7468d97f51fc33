// The font and text-block wizard.
#pragma once

#include "platform/Forms.h"

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* owner);
  const char* ClassName() const override { return "TForm4"; }
};

extern TForm4* Form4;
