// The last stage of the mix. Every voice and the music enter the mixer at a quarter of the
// level they were made at, so SDL_mixer's sum (which clips at full scale) has room for four
// full-scale sounds at once; here the sum is brought back to the level it was made at, and a
// limiter takes down the rare peaks that would pass full scale, so the device never gets a
// clipped sample however many sounds the game starts together.
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "stools_internal.h"

namespace stools {
namespace {

constexpr float kCeiling = 0.94f * 32767.0f;  // about -0.5 dBFS
constexpr int kRate = 44100;
constexpr float kReleaseSeconds = 0.15f;

// The limiter's gain: drops at once to what the loudest sample needs, then recovers smoothly.
float g_gain = 1.0f;

void Limit(void*, Uint8* stream, int length) {
  static const float release = 1.0f - std::exp(-1.0f / (kReleaseSeconds * kRate));
  auto* samples = reinterpret_cast<int16_t*>(stream);
  const int frames = length / 4;
  for (int i = 0; i < frames; ++i) {
    const float left = float(samples[2 * i]) * kHeadroom;
    const float right = float(samples[2 * i + 1]) * kHeadroom;
    const float peak = std::max(std::fabs(left), std::fabs(right));
    const float wanted = peak > kCeiling ? kCeiling / peak : 1.0f;
    if (wanted == 1.0f && g_gain == 1.0f) {  // most of the time: whole numbers, nothing to round
      samples[2 * i] = int16_t(left);
      samples[2 * i + 1] = int16_t(right);
      continue;
    }
    g_gain = wanted < g_gain ? wanted : g_gain + (wanted - g_gain) * release;
    samples[2 * i] = int16_t(std::lround(left * g_gain));
    samples[2 * i + 1] = int16_t(std::lround(right * g_gain));
  }
}

}  // namespace

void StartLimiter() {
  g_gain = 1.0f;
  Mix_SetPostMix(Limit, nullptr);
}

void StopLimiter() {
  Mix_SetPostMix(nullptr, nullptr);
}

}  // namespace stools
