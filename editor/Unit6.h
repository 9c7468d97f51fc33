// The sender window.
#pragma once

#include "platform/Forms.h"

class TForm6 : public TForm {
 public:
  explicit TForm6(TComponent* owner);
  const char* ClassName() const override { return "TForm6"; }
};

extern TForm6* Form6;
