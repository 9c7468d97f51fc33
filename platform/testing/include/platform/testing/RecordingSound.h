// A sound backend for tests: remembers what was played, plays nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/Sound.h"

class TRecordingSound : public ISoundBackend {
 public:
  bool Play(const std::string& name, const std::string& wave) override {
    Played.push_back(name);
    return Result;
  }
  std::vector<std::string> Played;
  bool Result = true;
};

// Installs a recording sound backend for the life of the object.
class TRecordingSoundScope {
 public:
  TRecordingSoundScope() : FPrevious(SoundBackend()) { SetSoundBackend(&Sound); }
  ~TRecordingSoundScope() { SetSoundBackend(FPrevious); }
  TRecordingSoundScope(const TRecordingSoundScope&) = delete;
  TRecordingSoundScope& operator=(const TRecordingSoundScope&) = delete;
  TRecordingSound Sound;

 private:
  ISoundBackend* FPrevious;
};
