// The hidden data window of the random characters.
#pragma once

#include "platform/Forms.h"

class TForm22 : public TForm {
 public:
  explicit TForm22(TComponent* owner);
  const char* ClassName() const override { return "TForm22"; }
};

extern TForm22* Form22;
