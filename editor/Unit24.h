// The browser window.
#pragma once

#include "platform/Forms.h"

class TForm24 : public TForm {
 public:
  explicit TForm24(TComponent* owner);
  const char* ClassName() const override { return "TForm24"; }
};

extern TForm24* Form24;
