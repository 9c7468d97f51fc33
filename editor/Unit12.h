// The go-to-line dialog.
#pragma once

#include "platform/Forms.h"

class TForm122 : public TForm {
 public:
  explicit TForm122(TComponent* owner);
  const char* ClassName() const override { return "TForm122"; }
};

extern TForm122* Form122;
