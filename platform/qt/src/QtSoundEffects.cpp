// Wave resources played with Qt Multimedia: the bytes go to a temporary
// file once per resource and a QSoundEffect plays it on its own; a device
// that cannot play leaves the effect silent. This file is the module
// libbqs-qtsound.so, loaded at the first sound (QtSound.cpp): Qt
// Multimedia and the audio libraries under it are not part of the start.
#include <QDir>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>
#include <map>
#include <memory>

#include "platform/qt/QtModules.h"

namespace {

struct TSound {
  std::string Wave;
  std::unique_ptr<QTemporaryFile> File;
  std::unique_ptr<QSoundEffect> Effect;
};

class QtSoundEffects : public IQtSoundPlayer {
 public:
  bool Play(const std::string& name, const std::string& wave) override;
  void Played(const std::string& name, std::string& file, std::string& source, bool& loaded,
              bool& failed) const override;

 private:
  std::map<std::string, std::unique_ptr<TSound>> FSounds;
};

bool QtSoundEffects::Play(const std::string& name, const std::string& wave) {
  std::unique_ptr<TSound>& sound = FSounds[name];
  if (!sound || sound->Wave != wave) {
    auto fresh = std::make_unique<TSound>();
    fresh->Wave = wave;
    fresh->File = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/bqs-sound-XXXXXX.wav");
    if (!fresh->File->open()) return false;
    if (fresh->File->write(wave.data(), qint64(wave.size())) != qint64(wave.size())) return false;
    fresh->File->flush();
    fresh->Effect = std::make_unique<QSoundEffect>();
    fresh->Effect->setSource(QUrl::fromLocalFile(fresh->File->fileName()));
    sound = std::move(fresh);
  }
  if (sound->Effect->status() == QSoundEffect::Error) return false;
  // A sound still loading starts as soon as it is ready.
  sound->Effect->play();
  return true;
}

void QtSoundEffects::Played(const std::string& name, std::string& file, std::string& source, bool& loaded,
                            bool& failed) const {
  auto it = FSounds.find(name);
  if (it == FSounds.end() || !it->second) return;
  const TSound& sound = *it->second;
  file = sound.File->fileName().toStdString();
  source = sound.Effect->source().toLocalFile().toStdString();
  loaded = sound.Effect->status() == QSoundEffect::Ready;
  failed = sound.Effect->status() == QSoundEffect::Error;
}

}  // namespace

// The module's one entry, found by name once the module is loaded.
extern "C" __attribute__((visibility("default"))) IQtSoundPlayer* BqsMakeQtSoundPlayer() {
  return new QtSoundEffects;
}
