// Loading the platform's modules (see Modules.h).
#include "platform/Modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>
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

void* ModuleSymbol(const char* file, const char* symbol, bool shareSymbols) {
  // Loaded once, never unloaded (the modules' objects live to the end).
  static std::mutex lock;
  static std::map<std::string, void*> modules;
  std::lock_guard<std::mutex> hold(lock);
  auto it = modules.find(file);
  if (it == modules.end()) {
    void* module = dlopen((ExecutableFolder() + file).c_str(), RTLD_NOW | (shareSymbols ? RTLD_GLOBAL : RTLD_LOCAL));
    // The part of the program stays without it; the reason goes to the
    // error stream, as Qt's own reports do.
    if (!module) std::fprintf(stderr, "module %s not loaded: %s\n", file, dlerror());
    it = modules.emplace(file, module).first;
  }
  return it->second ? dlsym(it->second, symbol) : nullptr;
}
