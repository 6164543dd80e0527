#include "sound_effects.h"

#include <algorithm>
#include <cmath>

#include "dsp.h"

namespace sounds {
namespace {

// Peak levels are set so that the sounds the game starts together (the gun, the remark on a
// hit, the whine of the recharge, the music underneath) stay clear of full scale in the mix,
// with the commander's voice on top of everything.

constexpr int kRate = 44100;

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// Rises linearly over `attack` seconds, then falls away with time constant `tau`.
double Pluck(double t, double attack, double tau) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

// Played every time the cursor comes to rest on somebody: must stay out of the way.
Sound HoverBlip() {
  Sound s{kRate, {}};
  s.samples = Tone(
      kRate, 0.07, {1.0, 0.0, 0.12}, [](double t) { return 2100.0 + 500.0 * std::min(t / 0.01, 1.0); },
      [](double t) { return Pluck(t, 0.002, 0.016); });
  NormalisePeak(s.samples, 0.12);
  return s;
}

// The gun charging up after a shot: an exponential glide over the 1.25 s the gauge takes.
Sound RechargeWhine() {
  Sound s{kRate, {}};
  constexpr double kLength = 1.2;
  s.samples = Tone(
      kRate, kLength, {1.0, 0.45, 0.25, 0.12, 0.06},
      [](double t) { return 190.0 * std::pow(10.0, std::min(t / 1.1, 1.0)); },
      [](double t) {
        const double u = t / kLength;
        const double flutter = 1.0 + 0.18 * std::sin(2 * kPi * (10.0 + 25.0 * u) * t);
        return std::min(t / 0.04, 1.0) * (0.55 + 0.45 * u) * flutter;
      });
  // A low hum underneath gives the whine some weight.
  const auto hum = Tone(
      kRate, kLength, {1.0, 0.3}, [](double t) { return 95.0 + 60.0 * t; },
      [](double t) { return 0.25 * std::min(t / 0.05, 1.0) * std::exp(-t / 0.6); });
  MixAt(s.samples, hum, 0);
  NormalisePeak(s.samples, 0.16);
  FadeEdges(s, 0.005, 0.15);
  return s;
}

// Ready to fire: two rising bell notes.
Sound ChargeComplete() {
  Sound s{kRate, {}};
  const auto first = Tone(
      kRate, 0.12, {1.0, 0.45, 0.15}, [](double) { return MidiToHz(91); },  // G6
      [](double t) { return Pluck(t, 0.003, 0.05); });
  const auto second = Tone(
      kRate, 0.40, {1.0, 0.45, 0.15}, [](double) { return MidiToHz(96); },  // C7
      [](double t) { return Pluck(t, 0.003, 0.12); });
  const auto shimmer = Tone(
      kRate, 0.40, {1.0}, [](double) { return MidiToHz(100); },  // E7
      [](double t) { return 0.3 * Pluck(t, 0.003, 0.08); });
  MixAt(s.samples, first, 0);
  MixAt(s.samples, second, static_cast<size_t>(0.08 * kRate));
  MixAt(s.samples, shimmer, static_cast<size_t>(0.08 * kRate));
  NormalisePeak(s.samples, 0.30);
  FadeEdges(s, 0.001, 0.03);
  return s;
}

// The orbital gun: a sharp crack, a falling zap, then a long low rumble.
Sound Shot() {
  Sound s{kRate, {}};
  constexpr double kLength = 1.8;
  const size_t count = static_cast<size_t>(kLength * kRate);
  s.samples.assign(count, 0.0f);

  Noise noise(13);
  auto crack_filter = Biquad::HighPass(kRate, 1500);
  auto rumble_low = Biquad::LowPass(kRate, 380);
  auto rumble_low2 = Biquad::LowPass(kRate, 380);
  auto roll_filter = Biquad::LowPass(kRate, 9);  // slow wobble of the rumble's loudness
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double n = noise.Next();
    const double crack = crack_filter.Process(n) * std::exp(-t / 0.012);
    const double roll = 1.0 + 25.0 * roll_filter.Process(noise.Next());
    const double rumble = rumble_low2.Process(rumble_low.Process(n)) * roll *
                          std::min(t / 0.02, 1.0) * std::exp(-t / 0.45) * 3.5;
    s.samples[i] = static_cast<float>(1.2 * crack + rumble);
  }
  const auto zap = Tone(
      kRate, 0.25, {1.0, 0.5, 0.33, 0.25, 0.2, 0.16},
      [](double t) { return 3200.0 * std::pow(200.0 / 3200.0, std::min(t / 0.18, 1.0)); },
      [](double t) { return 0.7 * Pluck(t, 0.001, 0.05); });
  const auto boom = Tone(
      kRate, kLength, {1.0, 0.2}, [](double t) { return 35.0 + 60.0 * std::exp(-t / 0.25); },
      [](double t) { return 0.9 * Pluck(t, 0.004, 0.35); });
  MixAt(s.samples, zap, 0);
  MixAt(s.samples, boom, 0);
  // Soft saturation glues the layers together the way an overdriven speaker would.
  for (float& x : s.samples) x = static_cast<float>(std::tanh(1.5 * x));
  NormalisePeak(s.samples, 0.26);
  FadeEdges(s, 0.0005, 0.3);
  return s;
}

Sound MenuMove() {
  Sound s{kRate, {}};
  s.samples = Tone(
      kRate, 0.035, {1.0, 0.3}, [](double) { return 1400.0; },
      [](double t) { return Pluck(t, 0.0005, 0.006); });
  Noise noise(14);
  auto tick_filter = Biquad::HighPass(kRate, 3000);
  for (size_t i = 0; i < static_cast<size_t>(0.003 * kRate); ++i) {
    s.samples[i] += static_cast<float>(0.4 * tick_filter.Process(noise.Next()));
  }
  NormalisePeak(s.samples, 0.30);
  FadeEdges(s, 0.0005, 0.005);
  return s;
}

// A note that holds at 70% after its attack and stops without a click.
double Held(double t, double length) {
  const double level = t < 0.003 ? t / 0.003 : 0.7 + 0.3 * std::exp(-(t - 0.003) / 0.03);
  const double release = std::clamp((length - t) / 0.02, 0.0, 1.0);
  return level * release;
}

Sound MenuConfirm() {
  Sound s{kRate, {}};
  const std::vector<double> square_ish = {1.0, 0.0, 0.2, 0.0, 0.08};
  const auto low = Tone(
      kRate, 0.09, square_ish, [](double) { return MidiToHz(83); },  // B5
      [](double t) { return Held(t, 0.09); });
  const auto high = Tone(
      kRate, 0.17, square_ish, [](double) { return MidiToHz(88); },  // E6
      [](double t) { return Held(t, 0.17); });
  MixAt(s.samples, low, 0);
  MixAt(s.samples, high, static_cast<size_t>(0.09 * kRate));
  NormalisePeak(s.samples, 0.12);
  return s;
}

// A brass-like note: the higher harmonics open up with the attack and settle, as a horn does.
std::vector<float> BrassNote(double note, double length) {
  const size_t count = static_cast<size_t>(length * kRate);
  std::vector<float> out(count);
  double phase = 0;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double vibrato = t > 0.2 ? 1.0 + 0.004 * std::sin(2 * kPi * 5.0 * t) : 1.0;
    const double f = MidiToHz(note) * vibrato;
    const double bright = t < 0.03 ? 0.3 + 15.0 * t : 0.55 + 0.2 * std::exp(-(t - 0.03) / 0.1);
    double value = 0;
    double weight = 1.0;
    for (int n = 1; n <= 12 && f * n < kRate / 2.0; ++n) {
      value += weight / n * std::sin(2 * kPi * phase * n);
      weight *= bright;
    }
    const double attack = std::min(t / 0.015, 1.0);
    const double release = std::clamp((length - t) / 0.05, 0.0, 1.0);
    out[i] = static_cast<float>(value * attack * release);
    phase += f / kRate;
    phase -= std::floor(phase);
  }
  return out;
}

// Mission over: a short minor pick-up that lands on a major chord.
Sound ResultJingle() {
  Sound s{kRate, {}};
  struct Note {
    double start, length, pitch, gain;
  };
  const Note notes[] = {
      {0.00, 0.12, 76, 0.8},  {0.12, 0.12, 81, 0.8},  {0.24, 0.12, 83, 0.8},
      {0.36, 0.30, 84, 0.9},  {0.66, 0.14, 83, 0.8},
      {0.80, 1.10, 81, 0.8},  {0.80, 1.10, 85, 0.6},  {0.80, 1.10, 88, 0.5},
      {0.80, 1.10, 69, 0.5},  {0.80, 1.10, 57, 0.45},
  };
  for (const Note& n : notes) {
    auto part = BrassNote(n.pitch, n.length);
    if (n.length > 1.0) {  // the final chord dies away instead of stopping
      for (size_t i = 0; i < part.size(); ++i) {
        part[i] *= static_cast<float>(std::exp(-static_cast<double>(i) / kRate / 0.5));
      }
    }
    MixAt(s.samples, part, static_cast<size_t>(n.start * kRate), n.gain);
  }
  NormalisePeak(s.samples, 0.32);
  FadeEdges(s, 0.001, 0.1);
  return s;
}

// A civilian was hit: three harsh pulses of two clashing square waves.
Sound BystanderAlarm() {
  Sound s{kRate, {}};
  const std::vector<double> square = {1.0, 0.0, 1.0 / 3, 0.0, 1.0 / 5, 0.0, 1.0 / 7, 0.0, 1.0 / 9};
  constexpr double kPulse = 0.16;
  constexpr double kPeriod = 0.22;
  for (int pulse = 0; pulse < 3; ++pulse) {
    for (double pitch : {67.0, 68.0}) {  // G4 against A♭4
      const auto part = Tone(
          kRate, kPulse, square, [pitch](double) { return MidiToHz(pitch); },
          [](double t) {
            return std::min(t / 0.004, 1.0) * std::clamp((kPulse - t) / 0.01, 0.0, 1.0);
          });
      MixAt(s.samples, part, static_cast<size_t>(pulse * kPeriod * kRate), 0.5);
    }
  }
  NormalisePeak(s.samples, 0.15);
  return s;
}

}  // namespace

std::vector<NamedSound> MakeSoundEffects() {
  return {
      {"se10.wav", HoverBlip()},    {"se11.wav", RechargeWhine()}, {"se12.wav", ChargeComplete()},
      {"se13.wav", Shot()},         {"se14.wav", MenuMove()},      {"se15.wav", MenuConfirm()},
      {"se16.wav", ResultJingle()}, {"se17.wav", BystanderAlarm()},
  };
}

}  // namespace sounds
