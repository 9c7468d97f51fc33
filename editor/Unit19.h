// The text-file browser.
#pragma once

#include "platform/Forms.h"

class TForm19 : public TForm {
 public:
  explicit TForm19(TComponent* owner);
  const char* ClassName() const override { return "TForm19"; }
};

extern TForm19* Form19;
