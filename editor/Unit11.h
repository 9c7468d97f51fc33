// The timed redirect wizard.
#pragma once

#include "platform/Forms.h"

class TForm11 : public TForm {
 public:
  explicit TForm11(TComponent* owner);
  const char* ClassName() const override { return "TForm11"; }
};

extern TForm11* Form11;
