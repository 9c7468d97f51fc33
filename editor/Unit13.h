// The indent dialog.
#pragma once

#include "platform/Forms.h"

class TForm13 : public TForm {
 public:
  explicit TForm13(TComponent* owner);
  const char* ClassName() const override { return "TForm13"; }
};

extern TForm13* Form13;
