// Application events any number of components can listen to: the
// application's own OnShowHint is one slot, while every TApplicationEvents
// object is called in turn (creation order) after it, each seeing what the
// ones before it made of the hint.
#pragma once

#include "platform/Forms.h"

class TApplicationEvents : public TComponent {
 public:
  explicit TApplicationEvents(TComponent* owner);
  ~TApplicationEvents() override;
  const char* ClassName() const override { return "TApplicationEvents"; }
  TShowHintEvent OnShowHint;
};

// Runs the application's OnShowHint, then every TApplicationEvents
// object's (TApplication calls it for every hint it is about to show).
void DispatchShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
