// The limiter's arithmetic (limiter.h).
//
// For each frame in, the gain it needs (1, or what brings its louder channel to the ceiling).
// The least of these over the look-ahead is held, and recovers towards 1 with a release of
// 0.15 s; the frame going out is scaled by the mean of the last kLookAhead + 1 held gains. Each
// of those held gains was at most what the outgoing frame needed, so their mean is too: the
// ceiling holds, and the gain moves smoothly, over the whole look-ahead, into every peak.
#include "limiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "stools_internal.h"

namespace stools {
namespace {
constexpr float kReleaseSeconds = 0.15f;
constexpr int kWindow = Limiter::kLookAhead + 1;

// The gain keeps every sample at or below the ceiling; the bounds only keep a 16-bit value.
int16_t Rounded(float sample) {
  return int16_t(std::lround(std::clamp(sample, -32767.0f, 32767.0f)));
}
}  // namespace

void Limiter::Reset() {
  frame_ = 0;
  for (auto& frame : delayed_) frame[0] = frame[1] = 0;
  needsBegin_ = needsEnd_ = 0;
  held_ = 1.0;
  std::fill(std::begin(recent_), std::end(recent_), 1.0);
  recentSum_ = kWindow;
  recentBelowOne_ = 0;
}

void Limiter::Process(int16_t* samples, int frames) {
  static const double release = 1.0 - std::exp(-1.0 / (kReleaseSeconds * kOutputRate));
  for (int i = 0; i < frames; ++i, ++frame_) {
    int16_t* sample = samples + 2 * i;
    const float peak = float(std::max(std::abs(int(sample[0])), std::abs(int(sample[1])))) *
                       kHeadroom;
    const float need = peak > kCeiling ? kCeiling / peak : 1.0f;

    // The least need within the look-ahead: needs no lower than this one can never be the least
    // again, and the front leaves once its frame has gone out.
    while (needsEnd_ != needsBegin_ && needs_[(needsEnd_ - 1) & kMask].gain >= need) --needsEnd_;
    needs_[needsEnd_++ & kMask] = {frame_, need};
    while (needs_[needsBegin_ & kMask].frame <= frame_ - kWindow) ++needsBegin_;
    const double least = needs_[needsBegin_ & kMask].gain;
    held_ = least < held_ ? least : held_ + (least - held_) * release;
    if (held_ > 0.99999) held_ = 1.0;  // so close that no 16-bit sample would change



    const double oldest = recent_[(frame_ - kWindow) & kMask];
    recentBelowOne_ += (held_ < 1.0) - (oldest < 1.0);
    recentSum_ += held_ - oldest;
    recent_[frame_ & kMask] = held_;
    if (recentBelowOne_ == 0) recentSum_ = kWindow;  // no rounding left over from the last peak

    int16_t* out = delayed_[(frame_ - kLookAhead) & kMask];
    const int16_t left = out[0], right = out[1];
    int16_t* in = delayed_[frame_ & kMask];
    in[0] = sample[0];
    in[1] = sample[1];
    if (recentBelowOne_ == 0) {  // most of the time: whole numbers, nothing to round
      sample[0] = int16_t(left * kHeadroom);
      sample[1] = int16_t(right * kHeadroom);
      continue;
    }
    const float gain = float(recentSum_ / kWindow);
    sample[0] = Rounded(left * kHeadroom * gain);
    sample[1] = Rounded(right * kHeadroom * gain);
  }
}

}  // namespace stools
