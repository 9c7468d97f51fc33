// Loading the Qt platform's modules (see QtModules.h).
#include "platform/qt/QtModules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

namespace {
// The folder of the running executable (not the program folder a test may
// have set: modules are build products beside the binary).
std::string ExecutableFolder() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  std::string path(buf, static_cast<std::size_t>(n));
  return path.substr(0, path.find_last_of('/') + 1);
}
}  // namespace

void* QtModuleSymbol(const char* file, const char* symbol) {
  // Loaded once, never unloaded (Qt keeps the modules' objects to the end).
  static std::map<std::string, void*> modules;
  auto it = modules.find(file);
  if (it == modules.end()) {
    void* module = dlopen((ExecutableFolder() + file).c_str(), RTLD_NOW | RTLD_GLOBAL);
    // The part of the program stays without it; the reason goes to the
    // error stream, as Qt's own reports do.
    if (!module) std::fprintf(stderr, "module %s not loaded: %s\n", file, dlerror());
    it = modules.emplace(file, module).first;
  }
  return it->second ? dlsym(it->second, symbol) : nullptr;
}
