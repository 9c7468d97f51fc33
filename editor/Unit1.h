// An empty fixed-size dialog window whose only use is as the owner window of
// some shell calls.
#pragma once

#include "platform/Forms.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }
};

extern TForm1* Form1;
