#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace sounds {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t GetU16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
bool TagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + at);
}

int16_t ToPcm(float x) {
  const double scaled = std::round(std::clamp(static_cast<double>(x), -1.0, 1.0) * 32767.0);
  return static_cast<int16_t>(scaled);
}

}  // namespace

bool WriteWave16(const std::string& path, const Sound& sound, std::string& error) {
  const uint32_t data_bytes = static_cast<uint32_t>(sound.samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutU32(out, 36 + data_bytes);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, static_cast<uint32_t>(sound.rate));
  PutU32(out, static_cast<uint32_t>(sound.rate * 2));
  PutU16(out, 2);
  PutU16(out, 16);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutU32(out, data_bytes);
  for (float s : sound.samples) PutU16(out, static_cast<uint16_t>(ToPcm(s)));

  const std::string temp = path + ".part";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) {
    error = "cannot create " + temp;
    return false;
  }
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!written || !closed) {
    std::filesystem::remove(temp, ec);
    error = "cannot write " + temp;
    return false;
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    error = "cannot rename " + temp + " to " + path;
    return false;
  }
  return true;
}

std::optional<Sound> ParseWave16(const std::vector<uint8_t>& bytes) {
  if (!TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) return std::nullopt;
  uint16_t channels = 0;
  uint16_t bits = 0;
  uint32_t rate = 0;
  bool have_format = false;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = GetU32(bytes, at + 4);
    const size_t body = at + 8;
    if (TagAt(bytes, at, "fmt ")) {
      if (size < 16 || body + 16 > bytes.size()) return std::nullopt;
      if (GetU16(bytes, body) != 1) return std::nullopt;  // PCM only
      channels = GetU16(bytes, body + 2);
      rate = GetU32(bytes, body + 4);
      bits = GetU16(bytes, body + 14);
      have_format = true;
    } else if (TagAt(bytes, at, "data")) {
      if (!have_format || bits != 16 || channels == 0 || rate == 0) return std::nullopt;
      const size_t available = bytes.size() - body;
      const size_t length = std::min<size_t>(size, available);
      const size_t frame = 2u * channels;
      Sound sound;
      sound.rate = static_cast<int>(rate);
      sound.samples.reserve(length / frame);
      for (size_t i = 0; i + frame <= length; i += frame) {
        const auto v = static_cast<int16_t>(GetU16(bytes, body + i));
        sound.samples.push_back(static_cast<float>(v / 32768.0));
      }
      return sound;
    }
    at = body + size + (size & 1u);
  }
  return std::nullopt;
}

}  // namespace sounds
