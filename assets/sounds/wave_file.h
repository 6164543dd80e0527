#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Mono sound as the generator works on it: samples in -1..1 at a fixed rate.
namespace sounds {

struct Sound {
  int rate = 44100;
  std::vector<float> samples;

  double Seconds() const { return static_cast<double>(samples.size()) / rate; }
};

// Writes 16-bit PCM mono WAV. Samples are clamped to full scale; callers normalise first so
// that nothing reaches it. The file is written beside the target and renamed into place, so
// a failed run never leaves half a file. Returns false (with the reason in `error`) on failure.
bool WriteWave16(const std::string& path, const Sound& sound, std::string& error);

// Reads WAV bytes (mono, or the first channel of several). A data chunk whose stated size
// runs past the end, as a synthesiser writing to a pipe leaves it, is taken up to the end of
// the bytes. Returns nothing when the bytes are not such a file.
std::optional<Sound> ParseWave(const std::vector<uint8_t>& bytes);

}  // namespace sounds
