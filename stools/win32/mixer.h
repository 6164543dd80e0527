#pragma once
// The Windows backend's mixer: the voices of the waves added up as SDL_mixer adds them on
// Linux (each at 1/kHeadroom of its level), then the library's limiter.
#include <cstdint>
#include <mutex>
#include <vector>

#include "limiter.h"

namespace stools::win32 {

// A decoded sound: 16-bit stereo frames at 44100 Hz.
using Sound = std::vector<int16_t>;

class Mixer {
 public:
  static constexpr int kMostVoices = 64;  // a sound beyond this many at once is dropped

  void Play(const Sound* sound);
  void Stop(const Sound* sound);  // every voice of it; nullptr: every voice
  void SetVolume(int32_t percent);
  void Reset();                   // silence, full volume, the limiter afresh
  // The next frames of the mix, as the device takes them.
  void Render(int16_t* stereo, int frames);

 private:
  struct Voice {
    const Sound* sound;
    size_t next;  // the next sample
  };
  std::mutex lock_;
  std::vector<Voice> voices_;
  int volume_ = 128;  // of 128, as SDL_mixer counts
  Limiter limiter_;
};

}  // namespace stools::win32
