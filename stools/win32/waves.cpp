// Wave sounds on Windows: each wave decoded once, every play a voice of the mixer.
#include "backend.h"
#include "win32/wave_decode.h"
#include "win32/win32_backend.h"

namespace stools::backend {

struct Wave {
  win32::Sound sound;
};

Wave* LoadWave(const std::vector<char>& bytes, std::string& why) {
  auto* wave = new Wave;
  if (win32::DecodeWave(bytes, wave->sound, why)) return wave;
  delete wave;
  return nullptr;
}

void FreeWave(Wave* wave) {
  win32::TheMixer().Stop(&wave->sound);
  delete wave;
}

void PlayWave(Wave* wave) {
  win32::TheMixer().Play(&wave->sound);
}

void StopWave(Wave* wave) {
  win32::TheMixer().Stop(wave ? &wave->sound : nullptr);
}

void SetWaveVolume(int32_t percent) {
  win32::TheMixer().SetVolume(percent);
}

}  // namespace stools::backend
