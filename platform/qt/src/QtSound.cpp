// Wave resources through the sound module (QtSoundEffects.cpp), loaded at
// the first sound: a program that plays none never loads Qt Multimedia.
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtModules.h"

QtSoundBackend::QtSoundBackend() = default;
QtSoundBackend::~QtSoundBackend() = default;

IQtSoundPlayer* QtSoundBackend::Player() {
  if (!FTriedPlayer) {
    FTriedPlayer = true;
    using TMake = IQtSoundPlayer* (*)();
    if (auto make = reinterpret_cast<TMake>(ModuleSymbol("libbqs-qtsound.so", "BqsMakeQtSoundPlayer", true)))
      FPlayer.reset(make());
  }
  return FPlayer.get();
}

bool QtSoundBackend::Play(const std::string& name, const std::string& wave) {
  // Without the module nothing plays, and the result says so.
  IQtSoundPlayer* player = Player();
  return player != nullptr && player->Play(name, wave);
}

QtSoundBackend::TPlayed QtSoundBackend::Played(const std::string& name) const {
  TPlayed played;
  if (FPlayer) FPlayer->Played(name, played.File, played.Source, played.Loaded, played.Failed);
  return played;
}
