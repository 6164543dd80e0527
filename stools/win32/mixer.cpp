// The Windows backend's mixer (mixer.h).
#include "win32/mixer.h"

#include <algorithm>

#include "stools_internal.h"

namespace stools::win32 {

void Mixer::Play(const Sound* sound) {
  std::lock_guard<std::mutex> guard(lock_);
  if (int(voices_.size()) < kMostVoices && !sound->empty()) voices_.push_back({sound, 0});
}

void Mixer::Stop(const Sound* sound) {
  std::lock_guard<std::mutex> guard(lock_);
  std::erase_if(voices_, [&](const Voice& v) { return !sound || v.sound == sound; });
}

void Mixer::SetVolume(int32_t percent) {
  std::lock_guard<std::mutex> guard(lock_);
  volume_ = percent * 128 / 100;
}

void Mixer::Reset() {
  std::lock_guard<std::mutex> guard(lock_);
  voices_.clear();
  volume_ = 128;
  limiter_.Reset();
}

void Mixer::Render(int16_t* out, int frames) {
  std::lock_guard<std::mutex> guard(lock_);
  const int level = (128 / kHeadroom) * volume_ / 128;  // a wave's share, of 128
  const size_t samples = size_t(frames) * 2;
  std::fill(out, out + samples, int16_t(0));
  for (Voice& voice : voices_) {
    const Sound& sound = *voice.sound;
    const size_t count = std::min(samples, sound.size() - voice.next);
    for (size_t i = 0; i < count; ++i) {
      const int sum = out[i] + sound[voice.next + i] * level / 128;
      out[i] = int16_t(std::clamp(sum, -32768, 32767));
    }
    voice.next += count;
  }
  std::erase_if(voices_, [](const Voice& v) { return v.next >= v.sound->size(); });
  limiter_.Process(out, frames);
}

}  // namespace stools::win32
