// The script library window ("Scrivane").
#pragma once

#include "platform/Forms.h"

class TForm27 : public TForm {
 public:
  explicit TForm27(TComponent* owner);
  const char* ClassName() const override { return "TForm27"; }
};

extern TForm27* Form27;
