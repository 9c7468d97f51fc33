// The new-page wizard.
#pragma once

#include "platform/Forms.h"

class TForm18 : public TForm {
 public:
  explicit TForm18(TComponent* owner);
  const char* ClassName() const override { return "TForm18"; }
};

extern TForm18* Form18;
