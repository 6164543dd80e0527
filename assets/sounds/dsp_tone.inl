#pragma once
#include <algorithm>
#include <cmath>

namespace sounds {

template <typename FreqFn, typename AmpFn>
std::vector<float> Tone(int rate, double seconds, const std::vector<double>& weights,
                        FreqFn freq, AmpFn amp) {
  const size_t count = static_cast<size_t>(seconds * rate);
  std::vector<float> out(count);
  double phase = 0;  // in cycles, kept in [0, 1)
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double f = freq(t);
    double value = 0;
    for (size_t n = 1; n <= weights.size(); ++n) {
      if (f * static_cast<double>(n) >= rate / 2.0) break;
      value += weights[n - 1] * std::sin(2 * kPi * phase * static_cast<double>(n));
    }
    // The last 2 ms fade out, so a tone cut off mid-cycle never clicks.
    const double tail = std::min(1.0, static_cast<double>(count - i) / (0.002 * rate));
    out[i] = static_cast<float>(value * amp(t) * tail);
    phase += f / rate;
    phase -= std::floor(phase);
  }
  return out;
}

}  // namespace sounds
