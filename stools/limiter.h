#pragma once
// The last stage of the mix, the same on every backend. Every voice and the music enter the
// mixer at 1/kHeadroom of the level they were made at, so a 16-bit sum (which clips at full
// scale) has room for four full-scale sounds at once; the limiter brings the sum back to the
// level it was made at and takes down the rare peaks that would pass full scale, so the device
// never gets a clipped sample however many sounds the game starts together.
//
// It looks ahead: the sound leaves kLookAhead frames (under 3 ms) after it came in, and the gain
// starts to fall that long before a peak, so the peak is lowered with the sound around it, its
// shape kept, instead of being cut flat at the ceiling.
#include <cstdint>

namespace stools {

class Limiter {
 public:
  // The loudest sample the limiter lets through: about -0.5 dBFS.
  static constexpr float kCeiling = 0.94f * 32767.0f;
  static constexpr int kLookAhead = 128;

  Limiter() { Reset(); }
  // Unity gain and silence in the delay, as for a new device.
  void Reset();
  // In place: 16-bit stereo frames of the mix at 1/kHeadroom of their level in; out, the
  // frames of kLookAhead frames before at their level, none above the ceiling.
  void Process(int16_t* stereo, int frames);

 private:
  static constexpr int kRing = 256;  // a power of two above kLookAhead + 1
  static constexpr int kMask = kRing - 1;

  struct Need {
    int64_t frame;
    float gain;
  };

  int64_t frame_ = 0;
  int16_t delayed_[kRing][2];  // the frames on their way through
  // The gains the coming frames need, a queue of rising values whose front is the least
  // needed by any frame within the look-ahead.
  Need needs_[kRing];
  uint32_t needsBegin_ = 0, needsEnd_ = 0;  // counting on, used modulo kRing
  // That least gain, recovering slowly once the peak has passed; in double, since float steps
  // near 1 are too coarse for a slow recovery, which would stop short of 1 for good.
  double held_ = 1.0;
  double recent_[kRing];      // the last kLookAhead + 1 held gains
  double recentSum_ = 0.0;    // their sum
  int recentBelowOne_ = 0;    // how many of them lower the sound
};

}  // namespace stools
