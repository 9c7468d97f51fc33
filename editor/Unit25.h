// The rich-text viewer.
#pragma once

#include "platform/Forms.h"

class TForm25 : public TForm {
 public:
  explicit TForm25(TComponent* owner);
  const char* ClassName() const override { return "TForm25"; }
};

extern TForm25* Form25;
