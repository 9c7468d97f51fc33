// The image wizard.
#pragma once

#include "platform/Forms.h"

class TForm8 : public TForm {
 public:
  explicit TForm8(TComponent* owner);
  const char* ClassName() const override { return "TForm8"; }
};

extern TForm8* Form8;
