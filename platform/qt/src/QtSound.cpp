// Wave resources played with Qt Multimedia: the bytes go to a temporary
// file once per resource and a QSoundEffect plays it on its own; a device
// that cannot play leaves the effect silent.
#include <QDir>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>
#include <map>
#include <memory>

#include "platform/qt/QtApplication.h"

struct QtSoundBackend::TSound {
  std::string Wave;
  std::unique_ptr<QTemporaryFile> File;
  std::unique_ptr<QSoundEffect> Effect;
};

QtSoundBackend::QtSoundBackend() = default;
QtSoundBackend::~QtSoundBackend() = default;

bool QtSoundBackend::Play(const std::string& name, const std::string& wave) {
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

QtSoundBackend::TPlayed QtSoundBackend::Played(const std::string& name) const {
  TPlayed played;
  auto it = FSounds.find(name);
  if (it == FSounds.end() || !it->second) return played;
  const TSound& sound = *it->second;
  played.File = sound.File->fileName().toStdString();
  played.Source = sound.Effect->source().toLocalFile().toStdString();
  played.Loaded = sound.Effect->status() == QSoundEffect::Ready;
  played.Failed = sound.Effect->status() == QSoundEffect::Error;
  return played;
}
