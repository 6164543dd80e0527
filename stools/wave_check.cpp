// The shape of a RIFF wave file, checked before a decoder reads it: a damaged size would have
// the decoder reserve memory for all of it (up to 4 GB) before finding the file short, and a
// damaged rate of a few samples a second would grow a sound into gigabytes at the output rate.
#include <cstring>

#include "stools_internal.h"

namespace stools {
namespace {

// The sample rates of real wave files, and at most some six minutes of sound once converted to
// the output (44100 Hz, 16-bit stereo).
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 384000;
constexpr uint64_t kOutputFrameBytes = 4;
constexpr uint64_t kLargestSound = 64u << 20;

uint32_t Little(const std::vector<char>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
  return value;
}

}  // namespace

std::string WaveFault(const std::vector<char>& bytes) {
  // Only RIFF wave files: a decoder might also take music formats (MIDI, Ogg, MP3, ...) that
  // the slots have no use for.
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return "not a wave file";
  }
  const uint64_t size = bytes.size();
  uint64_t format = 0, formatLength = 0, dataLength = 0;
  for (uint64_t at = 12; at + 8 <= size;) {
    const uint64_t length = Little(bytes, size_t(at) + 4, 4);
    if (length > size - at - 8) return "a part of it runs past the end of the file";
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
      format = at + 8;
      formatLength = length;
    } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
      dataLength += length;
    }
    at += 8 + length + (length & 1);
  }
  if (formatLength < 16) return "no sound format in it";
  const uint32_t channels = Little(bytes, size_t(format) + 2, 2);
  const uint32_t rate = Little(bytes, size_t(format) + 4, 4);
  const uint32_t bits = Little(bytes, size_t(format) + 14, 2);
  if (channels == 0 || bits == 0) return "no sound format in it";
  // Compressed formats give their bits per decoded sample, so this is the decoded length.
  const uint64_t frames = dataLength * 8 / (uint64_t(bits) * channels);
  if (rate < kLowestRate || rate > kHighestRate ||
      frames * kOutputFrameBytes * kOutputRate / rate > kLargestSound) {
    return "a sample rate of " + std::to_string(rate) + " Hz for " + std::to_string(frames) +
           " samples";
  }
  return "";
}

}  // namespace stools
