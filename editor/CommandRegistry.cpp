#include "CommandRegistry.h"

TCommandRegistry::TCommandRegistry(std::string window) : FWindow(std::move(window)) {}

void TCommandRegistry::Store(const std::string& name, std::any handler) {
  if (name.empty()) throw ECommandError(FWindow + ": a command without a name");
  if (!FHandlers.emplace(name, std::move(handler)).second) Refuse(name, "is registered twice");
}

const std::any& TCommandRegistry::Find(const std::string& name) const {
  auto it = FHandlers.find(name);
  if (it == FHandlers.end()) throw ECommandError(FWindow + ": no command \"" + name + "\"");
  return it->second;
}

void TCommandRegistry::Refuse(const std::string& name, const char* why) const {
  throw ECommandError(FWindow + ": command \"" + name + "\" " + why);
}

std::vector<std::string> TCommandRegistry::Names() const {
  std::vector<std::string> names;
  names.reserve(FHandlers.size());
  for (const auto& entry : FHandlers) names.push_back(entry.first);
  return names;
}
