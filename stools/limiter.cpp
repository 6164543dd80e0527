// The limiter's arithmetic (limiter.h).
#include "limiter.h"

#include <algorithm>
#include <cmath>

#include "stools_internal.h"

namespace stools {
namespace {
constexpr float kReleaseSeconds = 0.15f;
}  // namespace

void Limiter::Reset() {
  gain_ = 1.0f;
}

// The gain drops at once to what the loudest sample needs, then recovers smoothly.
void Limiter::Process(int16_t* samples, int frames) {
  static const float release = 1.0f - std::exp(-1.0f / (kReleaseSeconds * kOutputRate));
  for (int i = 0; i < frames; ++i) {
    const float left = float(samples[2 * i]) * kHeadroom;
    const float right = float(samples[2 * i + 1]) * kHeadroom;
    const float peak = std::max(std::fabs(left), std::fabs(right));
    const float wanted = peak > kCeiling ? kCeiling / peak : 1.0f;
    if (wanted == 1.0f && gain_ == 1.0f) {  // most of the time: whole numbers, nothing to round
      samples[2 * i] = int16_t(left);
      samples[2 * i + 1] = int16_t(right);
      continue;
    }
    gain_ = wanted < gain_ ? wanted : gain_ + (wanted - gain_) * release;
    samples[2 * i] = int16_t(std::lround(left * gain_));
    samples[2 * i + 1] = int16_t(std::lround(right * gain_));
  }
}

}  // namespace stools
