// The image link wizard.
#pragma once

#include "platform/Forms.h"

class TForm17 : public TForm {
 public:
  explicit TForm17(TComponent* owner);
  const char* ClassName() const override { return "TForm17"; }
};

extern TForm17* Form17;
