// Playing the program's wave resources (PlaySound with SND_RESOURCE).
//
// A sound is the WAVE bytes registered under a resource name
// (platform/Resources.h). PlaySound hands them to the installed sound
// backend and returns at once: the backend plays them on its own, never
// making the caller wait. A missing resource, a missing backend or a
// device that cannot play is reported by the result only; nothing is
// raised or shown.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32.h"

constexpr uint32_t SND_SYNC = 0x0000;
constexpr uint32_t SND_ASYNC = 0x0001;
constexpr uint32_t SND_NODEFAULT = 0x0002;
constexpr uint32_t SND_MEMORY = 0x0004;
constexpr uint32_t SND_LOOP = 0x0008;
constexpr uint32_t SND_NOSTOP = 0x0010;
constexpr uint32_t SND_PURGE = 0x0040;
constexpr uint32_t SND_RESOURCE = 0x00040004;

class ISoundBackend {
 public:
  virtual ~ISoundBackend() = default;
  // Starts playing the WAVE bytes of the named resource; false when the
  // device refused them. Never waits for the sound to end.
  virtual bool Play(const std::string& name, const std::string& wave) = 0;
};
void SetSoundBackend(ISoundBackend* backend);
ISoundBackend* SoundBackend();

// Plays a wave resource by name (`flags` SND_RESOURCE with or without
// SND_ASYNC: the backend never blocks either way). True when the backend
// took the sound.
bool PlaySound(const std::string& name, HINSTANCE module, uint32_t flags);

// The fields of a WAVE file's format chunk.
struct TWaveFormat {
  int Channels = 0;
  int SampleRate = 0;
  int BitsPerSample = 0;
  // Bytes of sample data in the "data" chunk.
  uint32_t DataBytes = 0;
};
// Reads the RIFF/WAVE header; false when the bytes are not a PCM wave.
bool ReadWaveFormat(const std::string& wave, TWaveFormat& format);
// A 16-bit PCM mono WAVE file of the given samples.
std::string MakeWave16Mono(int sampleRate, const int16_t* samples, size_t count);
