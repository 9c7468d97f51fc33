#include "CommandRegistry.h"

#include <utility>

TCommandRegistry::TCommandRegistry(std::string window) : FWindow(std::move(window)) {}

void TCommandRegistry::Add(const std::string& name, TNotifyEvent handler) {
  if (name.empty()) throw ECommandError(FWindow + ": a command without a name");
  if (!handler) throw ECommandError(FWindow + ": command \"" + name + "\" has no handler");
  if (!FHandlers.emplace(name, std::move(handler)).second)
    throw ECommandError(FWindow + ": command \"" + name + "\" is registered twice");
}

const TNotifyEvent& TCommandRegistry::Handler(const std::string& name) const {
  auto it = FHandlers.find(name);
  if (it == FHandlers.end()) throw ECommandError(FWindow + ": no command \"" + name + "\"");
  return it->second;
}

std::vector<std::string> TCommandRegistry::Names() const {
  std::vector<std::string> names;
  names.reserve(FHandlers.size());
  for (const auto& entry : FHandlers) names.push_back(entry.first);
  return names;
}
