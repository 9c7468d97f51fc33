// The horizontal rule wizard.
#pragma once

#include "platform/Forms.h"

class TForm23 : public TForm {
 public:
  explicit TForm23(TComponent* owner);
  const char* ClassName() const override { return "TForm23"; }
};

extern TForm23* Form23;
