#include "limiter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// The limiter alone, on a mix as the mixer hands it over (at a quarter of its level, blocks of
// 2048 frames): half a second of a quiet tone, a quarter second of four loud tones summing to
// almost three times full scale, then the quiet tone again for 2.5 s.

namespace {
constexpr int kRate = 44100;
constexpr int kLoudBegin = kRate / 2, kLoudEnd = kLoudBegin + kRate / 4, kFrames = 3 * kRate;
constexpr double kPi = 3.14159265358979;

double Tone(int frame, double hz, double level) {
  return level * 32767.0 * std::sin(2 * kPi * hz * frame / kRate);
}

// The full-level mix of one frame; the right channel a little different from the left.
double Mix(int frame, int channel) {
  if (frame < kLoudBegin || frame >= kLoudEnd) return Tone(frame, 440 + channel, 0.5);
  return Tone(frame, 110, 0.9) + Tone(frame, 440 + channel, 0.8) + Tone(frame, 1250, 0.7) +
         Tone(frame, 3100 - 7 * channel, 0.4);
}

// Runs of three or more equal samples above 30000 in magnitude: peaks cut flat.
int FlatTops(const std::vector<int16_t>& out, int channel) {
  int runs = 0;
  for (size_t i = size_t(channel); i + 4 < out.size(); i += 2)
    if (std::abs(out[i]) > 30000 && out[i] == out[i + 2] && out[i] == out[i + 4] &&
        (i < 2 || out[i - 2] != out[i]))
      ++runs;
  return runs;
}
}  // namespace

TEST(Limiter, LowersALoudMixSmoothlyBelowTheCeilingKeepsItsLoudnessAndRecovers) {
  std::vector<int16_t> in(2 * kFrames);
  for (int f = 0; f < kFrames; ++f)
    for (int c = 0; c < 2; ++c) in[size_t(2 * f + c)] = int16_t(std::lround(Mix(f, c) / 4));
  std::vector<int16_t> out = in;
  stools::Limiter limiter;
  for (int f = 0; f < kFrames; f += 2048)
    limiter.Process(out.data() + 2 * f, std::min(2048, kFrames - f));
  const int delay = stools::Limiter::kLookAhead;
  double loudIn = 0, loudOut = 0;
  int highest = 0, changedWhileQuiet = 0;
  for (int f = 0; f + delay < kFrames; ++f)
    for (int c = 0; c < 2; ++c) {
      const int before = in[size_t(2 * f + c)] * 4, after = out[size_t(2 * (f + delay) + c)];
      highest = std::max(highest, std::abs(after));
      const bool farFromTheLoudPart = f < kLoudBegin - delay || f >= kFrames - kRate / 2;
      changedWhileQuiet += farFromTheLoudPart && after != before;
      if (f >= kLoudBegin && f < kLoudEnd) {
        loudIn += double(before) * before;
        loudOut += double(after) * after;
      }
    }
  EXPECT_LE(highest, std::lround(stools::Limiter::kCeiling));
  EXPECT_EQ(FlatTops(out, 0) + FlatTops(out, 1), 0);
  EXPECT_EQ(changedWhileQuiet, 0) << "the quiet tone is changed (or not delayed by " << delay
                                  << " frames) before the peaks or long after them";
  // The loud part keeps its loudness: no more taken than the peaks need.
  const double peakIn = 2.8 * 32767, kept = std::sqrt(loudOut / loudIn);
  EXPECT_GT(kept, 0.95 * stools::Limiter::kCeiling / peakIn)
      << "only " << kept << " of the level kept";
}
