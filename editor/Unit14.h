// The advertisement window.
#pragma once

#include "platform/Forms.h"

class TForm14 : public TForm {
 public:
  explicit TForm14(TComponent* owner);
  const char* ClassName() const override { return "TForm14"; }
};

extern TForm14* Form14;
