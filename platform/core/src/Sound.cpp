#include "platform/Sound.h"

#include <cstring>

#include "platform/Resources.h"

namespace {

ISoundBackend* gSoundBackend = nullptr;

uint32_t ReadLE(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + size_t(i)]);
  return v;
}

void PutLE(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

void SetSoundBackend(ISoundBackend* backend) { gSoundBackend = backend; }
ISoundBackend* SoundBackend() { return gSoundBackend; }

bool PlaySound(const std::string& name, HINSTANCE, uint32_t flags) {
  if ((flags & SND_RESOURCE) != SND_RESOURCE || !gSoundBackend) return false;
  std::string wave;
  if (!FindResourceData(name, wave)) return false;
  TWaveFormat format;
  if (!ReadWaveFormat(wave, format)) return false;
  try {
    return gSoundBackend->Play(name, wave);
  } catch (...) {
    // A sound that cannot be played is no error of the caller's.
    return false;
  }
}

bool ReadWaveFormat(const std::string& wave, TWaveFormat& format) {
  if (wave.size() < 12 || wave.compare(0, 4, "RIFF") != 0 || wave.compare(8, 4, "WAVE") != 0) return false;
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= wave.size()) {
    std::string id = wave.substr(at, 4);
    uint32_t size = ReadLE(wave, at + 4, 4);
    size_t body = at + 8;
    if (size > wave.size() - body) return false;
    if (id == "fmt ") {
      if (size < 16 || ReadLE(wave, body, 2) != 1) return false;  // PCM only
      format.Channels = int(ReadLE(wave, body + 2, 2));
      format.SampleRate = int(ReadLE(wave, body + 4, 4));
      format.BitsPerSample = int(ReadLE(wave, body + 14, 2));
      haveFormat = format.Channels > 0 && format.SampleRate > 0 && format.BitsPerSample > 0;
    } else if (id == "data") {
      format.DataBytes = size;
      return haveFormat;
    }
    at = body + size + (size & 1);
  }
  return false;
}

std::string MakeWave16Mono(int sampleRate, const int16_t* samples, size_t count) {
  const uint32_t dataBytes = uint32_t(count * 2);
  std::string w;
  w.reserve(44 + dataBytes);
  w += "RIFF";
  PutLE(w, 36 + dataBytes, 4);
  w += "WAVEfmt ";
  PutLE(w, 16, 4);
  PutLE(w, 1, 2);  // PCM
  PutLE(w, 1, 2);  // mono
  PutLE(w, uint32_t(sampleRate), 4);
  PutLE(w, uint32_t(sampleRate) * 2, 4);  // bytes per second
  PutLE(w, 2, 2);                         // block align
  PutLE(w, 16, 2);
  w += "data";
  PutLE(w, dataBytes, 4);
  for (size_t i = 0; i < count; ++i) PutLE(w, uint16_t(samples[i]), 2);
  return w;
}
