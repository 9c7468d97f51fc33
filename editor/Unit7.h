// The favourite programs window.
#pragma once

#include "platform/Forms.h"

class TForm7 : public TForm {
 public:
  explicit TForm7(TComponent* owner);
  const char* ClassName() const override { return "TForm7"; }
};

extern TForm7* Form7;
