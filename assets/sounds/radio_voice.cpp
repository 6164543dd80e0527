#include "radio_voice.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "dsp.h"

extern char** environ;

namespace sounds {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

// The synthesiser's sound with the silence it leaves before and after the words cut away,
// keeping a few milliseconds so that the first consonant is not clipped.
Sound TrimSilence(const Sound& sound) {
  const double peak = PeakOf(sound.samples);
  const float threshold = static_cast<float>(peak * 0.02);
  const auto loud = [threshold](float s) { return std::fabs(s) > threshold; };
  const auto first = std::find_if(sound.samples.begin(), sound.samples.end(), loud);
  if (first == sound.samples.end()) return Sound{sound.rate, {}};
  const auto last = std::find_if(sound.samples.rbegin(), sound.samples.rend(), loud).base();
  const auto margin = static_cast<std::ptrdiff_t>(0.01 * sound.rate);
  const auto begin = std::max(sound.samples.begin(), first - margin);
  const auto end = std::min(sound.samples.end(), last + margin);
  return Sound{sound.rate, std::vector<float>(begin, end)};
}

// The hiss of an open channel: noise in the radio's band, with the odd crackle.
std::vector<float> Static(int rate, size_t count, Noise& noise) {
  std::vector<float> out(count);
  auto high = Biquad::HighPass(rate, 500);
  auto low = Biquad::LowPass(rate, 3000);
  for (size_t i = 0; i < count; ++i) {
    double n = noise.Next();
    if (noise.Unit() < 0.0004) n *= 12.0;  // crackle
    out[i] = static_cast<float>(low.Process(high.Process(n)));
  }
  return out;
}

// The squelch: a click as the carrier opens or drops, then a short rush of noise.
std::vector<float> SquelchBurst(int rate, double length, Noise& noise) {
  const size_t count = static_cast<size_t>(length * rate);
  std::vector<float> out(count);
  auto band = Biquad::BandPass(rate, 2200, 0.8);
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double click = i < 3 ? (i == 1 ? -0.9 : 0.9) : 0.0;
    const double rush = band.Process(noise.Next()) * std::exp(-t / (length * 0.45));
    out[i] = static_cast<float>(click + 0.9 * rush);
  }
  return out;
}

// Evens out loud and quiet syllables, as a radio's automatic gain does.
void Compress(std::vector<float>& samples, int rate) {
  const double attack = std::exp(-1.0 / (0.003 * rate));
  const double release = std::exp(-1.0 / (0.08 * rate));
  constexpr double kThreshold = 0.2;
  constexpr double kRatio = 3.0;
  double envelope = 0;
  for (float& s : samples) {
    const double level = std::fabs(static_cast<double>(s));
    const double k = level > envelope ? attack : release;
    envelope = k * envelope + (1 - k) * level;
    if (envelope > kThreshold) {
      s = static_cast<float>(s * std::pow(envelope / kThreshold, 1.0 / kRatio - 1.0));
    }
  }
}

}  // namespace

std::optional<std::vector<VoiceLine>> ReadVoiceLines(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::vector<VoiceLine> lines;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const auto fields = SplitTabs(line);
    if (fields.size() != 4 || fields[0].empty() || fields[3].empty()) {
      error = path + ":" + std::to_string(number) + ": expected file, slot, line and kana";
      return std::nullopt;
    }
    VoiceLine voice{fields[0], 0, fields[2], fields[3]};
    try {
      voice.slot = std::stoi(fields[1]);
    } catch (...) {
      error = path + ":" + std::to_string(number) + ": the slot is not a number";
      return std::nullopt;
    }
    lines.push_back(voice);
  }
  return lines;
}

std::optional<Sound> Speak(const std::string& espeak, const std::string& text, std::string& error,
                           const std::string& language) {
  // A calm, low, brisk officer: lower pitch, a little faster than the default.
  std::vector<std::string> args = {espeak, "-v", language, "-s", "170", "-p", "30", "--stdout", text};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int out[2];
  if (pipe(out) != 0) {
    error = "cannot make a pipe for " + espeak;
    return std::nullopt;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, espeak.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    error = "cannot run " + espeak;
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  ssize_t got = 0;
  while ((got = read(out[0], buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = espeak + " failed on \"" + text + "\"";
    return std::nullopt;
  }
  auto sound = ParseWave(bytes);
  if (!sound || PeakOf(sound->samples) < 0.01) {
    error = espeak + " gave no speech for \"" + text + "\"";
    return std::nullopt;
  }
  return sound;
}

Sound RadioFilter(const Sound& speech, uint64_t seed) {
  const int rate = speech.rate;
  Sound voice = TrimSilence(speech);
  NormalisePeak(voice.samples, 1.0);

  // Telephone band, steep on both sides.
  for (int pass = 0; pass < 2; ++pass) {
    Biquad::HighPass(rate, 300).Apply(voice.samples);
    Biquad::LowPass(rate, 3400).Apply(voice.samples);
  }
  NormalisePeak(voice.samples, 1.0);
  Compress(voice.samples, rate);
  NormalisePeak(voice.samples, 1.0);
  constexpr double kDrive = 2.5;
  for (float& s : voice.samples) s = static_cast<float>(std::tanh(kDrive * s) / std::tanh(kDrive));
  // The overdrive's harmonics are cut back to the band again.
  Biquad::HighPass(rate, 300).Apply(voice.samples);
  Biquad::LowPass(rate, 3400).Apply(voice.samples);
  NormalisePeak(voice.samples, 0.8);

  // Layout: a moment of open carrier, squelch open, the words, squelch close.
  Noise noise(seed);
  const auto at = [rate](double seconds) { return static_cast<size_t>(seconds * rate); };
  const size_t speech_start = at(0.09);
  const size_t tail_start = speech_start + voice.samples.size() + at(0.05);
  const double tail_length = 0.11;
  const size_t total = tail_start + at(tail_length);

  Sound clip{rate, std::vector<float>(total, 0.0f)};
  auto hiss = Static(rate, tail_start, noise);
  NormalisePeak(hiss, 0.02);
  MixAt(clip.samples, hiss, 0);
  MixAt(clip.samples, SquelchBurst(rate, 0.05, noise), at(0.02), 0.3);
  MixAt(clip.samples, voice.samples, speech_start);
  MixAt(clip.samples, SquelchBurst(rate, tail_length, noise), tail_start, 0.35);

  // Louder than any effect, so a remark over the gun and the music stays clear.
  NormalisePeak(clip.samples, 0.65);
  FadeEdges(clip, 0.004, 0.004);
  return clip;
}

}  // namespace sounds
