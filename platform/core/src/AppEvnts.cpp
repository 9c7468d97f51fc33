#include "platform/AppEvnts.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<TApplicationEvents*>& Listeners() {
  static std::vector<TApplicationEvents*> list;
  return list;
}
}  // namespace

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) { Listeners().push_back(this); }

TApplicationEvents::~TApplicationEvents() {
  auto& l = Listeners();
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

void DispatchShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo) {
  if (Application && Application->OnShowHint) Application->OnShowHint(hintStr, canShow, hintInfo);
  // A handler may free listeners; walk a copy and skip the ones gone.
  std::vector<TApplicationEvents*> list = Listeners();
  for (TApplicationEvents* e : list) {
    auto& now = Listeners();
    if (std::find(now.begin(), now.end(), e) == now.end()) continue;
    if (e->OnShowHint) e->OnShowHint(hintStr, canShow, hintInfo);
  }
}
