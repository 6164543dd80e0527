// Decoding a wave file into the mixer's frames (wave_decode.h).
#include "win32/wave_decode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "stools_internal.h"

namespace stools::win32 {
namespace {

uint32_t Little(const char* at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | uint8_t(at[i]);
  return value;
}

// One sample as -1..1.
float Sample(const char* at, uint32_t bits, bool isFloat) {
  if (isFloat) {
    float value;
    std::memcpy(&value, at, 4);
    return std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f;
  }
  if (bits == 8) return (float(uint8_t(*at)) - 128.0f) / 128.0f;
  const uint32_t raw = Little(at, int(bits / 8)) << (32 - bits);
  return float(int32_t(raw)) / 2147483648.0f;
}

}  // namespace

bool DecodeWave(const std::vector<char>& bytes, std::vector<int16_t>& stereo, std::string& why) {
  const char* format = nullptr;
  std::vector<char> data;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const size_t length = Little(bytes.data() + at + 4, 4);
    if (length > bytes.size() - at - 8) break;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && length >= 16) format = bytes.data() + at + 8;
    if (std::memcmp(bytes.data() + at, "data", 4) == 0)
      data.insert(data.end(), bytes.begin() + long(at) + 8, bytes.begin() + long(at + 8 + length));
    at += 8 + length + (length & 1);
  }
  if (!format) {
    why = "no sound format in it";
    return false;
  }
  uint32_t tag = Little(format, 2);
  const uint32_t channels = Little(format + 2, 2), rate = Little(format + 4, 4);
  const uint32_t bits = Little(format + 14, 2);
  if (tag == 0xFFFE) tag = Little(format + 24, 2);  // the extensible header's own format
  const bool isFloat = tag == 3 && bits == 32;
  if (!(tag == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) && !isFloat) {
    why = "a wave format other than PCM or float (" + std::to_string(tag) + ", " +
          std::to_string(bits) + " bits)";
    return false;
  }
  if (channels == 0 || rate == 0) {
    why = "no sound format in it";
    return false;
  }
  const size_t frameBytes = size_t(channels) * bits / 8;
  const size_t frames = data.size() / frameBytes;
  // Linear interpolation to the output rate.
  const size_t outFrames = size_t(uint64_t(frames) * kOutputRate / rate);
  stereo.assign(2 * outFrames, 0);
  auto at = [&](size_t frame, uint32_t channel) {
    return Sample(data.data() + frame * frameBytes + std::min(channel, channels - 1) * bits / 8,
                  bits, isFloat);
  };
  for (size_t i = 0; i < outFrames; ++i) {
    const double position = double(i) * rate / kOutputRate;
    const size_t first = size_t(position);
    const size_t second = std::min(first + 1, frames - 1);
    const float part = float(position - double(first));
    for (uint32_t c = 0; c < 2; ++c) {
      const float value = at(first, c) + (at(second, c) - at(first, c)) * part;
      stereo[2 * i + c] = int16_t(std::lround(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
    }
  }
  return true;
}

}  // namespace stools::win32
