// The quick-insert palette.
#pragma once

#include "platform/Forms.h"

class TForm9 : public TForm {
 public:
  explicit TForm9(TComponent* owner);
  const char* ClassName() const override { return "TForm9"; }
};

extern TForm9* Form9;
