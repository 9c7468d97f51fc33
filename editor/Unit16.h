// The colour converter.
#pragma once

#include "platform/Forms.h"

class TForm16 : public TForm {
 public:
  explicit TForm16(TComponent* owner);
  const char* ClassName() const override { return "TForm16"; }
};

extern TForm16* Form16;
