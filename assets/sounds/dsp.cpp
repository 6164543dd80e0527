#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace sounds {

double Noise::Next() { return Unit() * 2.0 - 1.0; }

double Noise::Unit() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const uint64_t r = state_ * 0x2545F4914F6CDD1Dull;
  return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

// The terms every second-order filter of the audio cookbook shares at a frequency and Q.
struct FilterTerms {
  double alpha, cw;
};

FilterTerms TermsOf(double rate, double freq, double q) {
  const double w = 2 * kPi * freq / rate;
  return {std::sin(w) / (2 * q), std::cos(w)};
}

}  // namespace

Biquad Biquad::WithNumerator(double b0, double b1, double b2, double alpha, double cw) {
  Biquad f;
  const double a0 = 1 + alpha;
  f.b0_ = b0 / a0;
  f.b1_ = b1 / a0;
  f.b2_ = b2 / a0;
  f.a1_ = -2 * cw / a0;
  f.a2_ = (1 - alpha) / a0;
  return f;
}

Biquad Biquad::LowPass(double rate, double freq, double q) {
  const auto [alpha, cw] = TermsOf(rate, freq, q);
  return WithNumerator((1 - cw) / 2, 1 - cw, (1 - cw) / 2, alpha, cw);
}

Biquad Biquad::HighPass(double rate, double freq, double q) {
  const auto [alpha, cw] = TermsOf(rate, freq, q);
  return WithNumerator((1 + cw) / 2, -(1 + cw), (1 + cw) / 2, alpha, cw);
}

Biquad Biquad::BandPass(double rate, double freq, double q) {
  const auto [alpha, cw] = TermsOf(rate, freq, q);
  return WithNumerator(alpha, 0, -alpha, alpha, cw);
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void Biquad::Apply(std::vector<float>& samples) {
  for (float& s : samples) s = static_cast<float>(Process(s));
}

double PeakOf(const std::vector<float>& samples) {
  double peak = 0;
  for (float s : samples) peak = std::max(peak, std::fabs(static_cast<double>(s)));
  return peak;
}

double RmsOf(const std::vector<float>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

void NormalisePeak(std::vector<float>& samples, double peak) {
  const double current = PeakOf(samples);
  if (current <= 0) return;
  const double gain = peak / current;
  for (float& s : samples) s = static_cast<float>(s * gain);
}

void FadeEdges(Sound& sound, double fade_in, double fade_out) {
  const size_t n = sound.samples.size();
  const size_t in = std::min(n, static_cast<size_t>(fade_in * sound.rate));
  const size_t out = std::min(n, static_cast<size_t>(fade_out * sound.rate));
  for (size_t i = 0; i < in; ++i) {
    sound.samples[i] *= static_cast<float>(static_cast<double>(i) / in);
  }
  for (size_t i = 0; i < out; ++i) {
    sound.samples[n - 1 - i] *= static_cast<float>(static_cast<double>(i) / out);
  }
}

void MixAt(std::vector<float>& into, const std::vector<float>& part, size_t offset,
           double gain) {
  if (into.size() < offset + part.size()) into.resize(offset + part.size(), 0.0f);
  for (size_t i = 0; i < part.size(); ++i) {
    into[offset + i] += static_cast<float>(part[i] * gain);
  }
}

}  // namespace sounds
