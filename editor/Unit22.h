// The hidden data window of the random characters: ten drop-down lists of
// the same 38 items, one draw from each making the ten characters of
// "Сгенерировать 10 любых знаков". Never shown.
#pragma once

#include <array>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm22 : public TForm {
 public:
  explicit TForm22(TComponent* owner);
  const char* ClassName() const override { return "TForm22"; }

  // ComboBox1 .. ComboBox10, in order.
  const std::array<TComboBox*, 10>& Lists() const { return FLists; }

 private:
  std::array<TComboBox*, 10> FLists{};
};

extern TForm22* Form22;
