#pragma once
// The last stage of the mix, the same on every backend. Every voice and the music enter the
// mixer at 1/kHeadroom of the level they were made at, so a 16-bit sum (which clips at full
// scale) has room for four full-scale sounds at once; the limiter brings the sum back to the
// level it was made at and takes down the rare peaks that would pass full scale, so the device
// never gets a clipped sample however many sounds the game starts together.
#include <cstdint>

namespace stools {

class Limiter {
 public:
  // The loudest sample the limiter lets through: about -0.5 dBFS.
  static constexpr float kCeiling = 0.94f * 32767.0f;

  // Back to unity gain, as for a new device.
  void Reset();
  // In place: 16-bit stereo frames of the mix at 1/kHeadroom of their level in, the same
  // frames at their level out, none above the ceiling.
  void Process(int16_t* stereo, int frames);

 private:
  float gain_ = 1.0f;
};

}  // namespace stools
