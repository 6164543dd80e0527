#include "world/random_draw.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "platform/clock.h"

namespace {

uint64_t state = 0;
std::deque<double> pinned;

// SplitMix64's finaliser: a bijection that spreads every input bit over the whole word.
uint64_t Mix64(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

double Rnd() {
  if (!pinned.empty()) {
    const double r = pinned.front();
    pinned.pop_front();
    return r;
  }
  // The reseed: the clock reading, mixed, is added to the state as an odd step. Adding an odd
  // number walks through all 2^64 states before coming back, so even with the clock standing
  // still the sequence goes on instead of restarting.
  state += Mix64(uint64_t(platform::NowMicros())) | 1;
  return double(Mix64(state) >> 11) * 0x1.0p-53;
}

int DrawUniform(int n) { return int(std::floor(Rnd() * n)) + 1; }

void SeedRandom(uint64_t seed) { state = seed; }

uint64_t RandomState() { return state; }

void PinRandomDraws(std::vector<double> values) {
  // A value outside [0, 1) would draw outside 1..n; keep every pinned value inside.
  pinned.clear();
  for (double r : values) {
    pinned.push_back(std::isnan(r) ? 0.0 : std::clamp(r, 0.0, std::nextafter(1.0, 0.0)));
  }
}

void ResetRandom() {
  state = 0;
  pinned.clear();
}
