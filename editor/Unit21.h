// The hidden data window of the side panel's lists: four drop-down lists
// (html tags, smileys, special characters, CSS properties) that the
// panel's list buttons copy into its own list. It is never shown; its
// timer closes it, which changes nothing while it is hidden.
#pragma once

#include <array>

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm21 : public TForm {
 public:
  explicit TForm21(TComponent* owner);
  const char* ClassName() const override { return "TForm21"; }

  TComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr;
  TTimer* Timer1 = nullptr;
  // The lists by number - 1.
  std::array<TComboBox*, 4> Lists() const { return {ComboBox1, ComboBox2, ComboBox3, ComboBox4}; }
  void Timer1Timer(TObject* Sender);

 private:
  TCommandRegistry FCommands{"Form21"};
};

extern TForm21* Form21;
