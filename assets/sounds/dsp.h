#pragma once
#include <cstdint>
#include <vector>

#include "wave_file.h"

// Small building blocks for synthesising and shaping sounds. Everything is deterministic:
// noise comes from a seeded generator of our own, never from the clock.
namespace sounds {

constexpr double kPi = 3.14159265358979323846;

// xorshift64* noise; the same seed always gives the same sequence.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  // Uniform in [-1, 1).
  double Next();
  // Uniform in [0, 1).
  double Unit();

 private:
  uint64_t state_;
};

// Second-order filter section (the usual audio cookbook shapes).
class Biquad {
 public:
  static Biquad LowPass(double rate, double freq, double q = 0.7071);
  static Biquad HighPass(double rate, double freq, double q = 0.7071);
  static Biquad BandPass(double rate, double freq, double q);
  double Process(double x);
  // Runs the filter over the whole sound in place.
  void Apply(std::vector<float>& samples);

 private:
  // The filter whose numerator is b0 b1 b2 and whose denominator is the cookbook's usual one.
  static Biquad WithNumerator(double b0, double b1, double b2, double alpha, double cw);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double PeakOf(const std::vector<float>& samples);
double RmsOf(const std::vector<float>& samples);
// Scales so that the largest magnitude is `peak` (a silent sound stays silent).
void NormalisePeak(std::vector<float>& samples, double peak);
// Linear fades at both ends, in seconds, so that no sound starts or stops with a click.
void FadeEdges(Sound& sound, double fade_in, double fade_out);
// Adds `part` into `into` starting at sample `offset`, growing `into` when needed.
void MixAt(std::vector<float>& into, const std::vector<float>& part, size_t offset,
           double gain = 1.0);

// A band-limited tone at a frequency that may change over time: harmonic n has weight
// weights[n-1]; harmonics at or above the Nyquist frequency are left out so nothing aliases.
// freq(t) and amp(t) are sampled per sample, t in seconds.
template <typename FreqFn, typename AmpFn>
std::vector<float> Tone(int rate, double seconds, const std::vector<double>& weights,
                        FreqFn freq, AmpFn amp);

}  // namespace sounds

#include "dsp_tone.inl"
