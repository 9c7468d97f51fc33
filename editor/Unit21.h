// The hidden data window of the side panel's lists.
#pragma once

#include "platform/Forms.h"

class TForm21 : public TForm {
 public:
  explicit TForm21(TComponent* owner);
  const char* ClassName() const override { return "TForm21"; }
};

extern TForm21* Form21;
