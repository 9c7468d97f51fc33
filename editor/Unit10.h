// The heading wizard.
#pragma once

#include "platform/Forms.h"

class TForm10 : public TForm {
 public:
  explicit TForm10(TComponent* owner);
  const char* ClassName() const override { return "TForm10"; }
};

extern TForm10* Form10;
