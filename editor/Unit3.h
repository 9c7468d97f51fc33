// The about window.
#pragma once

#include "platform/Forms.h"

class Tabout_forma : public TForm {
 public:
  explicit Tabout_forma(TComponent* owner);
  const char* ClassName() const override { return "Tabout_forma"; }
};

extern Tabout_forma* about_forma;
