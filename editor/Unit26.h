// The clipboard viewer.
#pragma once

#include "platform/Forms.h"

class TForm26 : public TForm {
 public:
  explicit TForm26(TComponent* owner);
  const char* ClassName() const override { return "TForm26"; }
};

extern TForm26* Form26;
