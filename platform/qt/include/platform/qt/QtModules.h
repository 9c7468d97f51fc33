// Parts of the Qt platform that most runs never use (the web engine, the
// sound effects) are modules beside the executables, loaded when first
// needed: the programs start without their libraries. A module takes the
// toolkit layer's symbols from the program, which exports them.
#pragma once

#include <string>

// The symbol `symbol` of the module `file` (a name beside the running
// executable), the module loaded on first use and kept to the end; null,
// with the reason on the error stream, when it cannot be loaded.
void* QtModuleSymbol(const char* file, const char* symbol);

// What the sound module plays a wave resource with (QtSound.cpp holds
// the program's side, QtSoundEffects.cpp the module).
class IQtSoundPlayer {
 public:
  virtual ~IQtSoundPlayer() = default;
  virtual bool Play(const std::string& name, const std::string& wave) = 0;
  // As QtSoundBackend::TPlayed.
  virtual void Played(const std::string& name, std::string& file, std::string& source, bool& loaded,
                      bool& failed) const = 0;
};
