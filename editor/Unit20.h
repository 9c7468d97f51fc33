// The image browser.
#pragma once

#include "platform/Forms.h"

class TForm20 : public TForm {
 public:
  explicit TForm20(TComponent* owner);
  const char* ClassName() const override { return "TForm20"; }
};

extern TForm20* Form20;
