// The background sound wizard.
#pragma once

#include "platform/Forms.h"

class TForm15 : public TForm {
 public:
  explicit TForm15(TComponent* owner);
  const char* ClassName() const override { return "TForm15"; }
};

extern TForm15* Form15;
