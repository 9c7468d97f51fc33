// The Qt platform's modules (the web engine, the sound effects; loaded by
// ModuleSymbol, platform/Modules.h) take the toolkit layer's symbols from
// the program, which exports them.
#pragma once

#include <string>

#include "platform/Modules.h"

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
