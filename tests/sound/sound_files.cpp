#include "sound/sound_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {
void Put16(std::string& s, uint32_t v) {
  s += char(v & 0xFF);
  s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
void Put32Big(std::string& s, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) s += char((v >> shift) & 0xFF);
}
}  // namespace

std::string MakeWave(const std::vector<int16_t>& samples) {
  std::string data;
  for (int16_t v : samples) Put16(data, uint16_t(v));
  std::string s = "RIFF";
  Put32(s, uint32_t(36 + data.size()));
  s += "WAVEfmt ";
  Put32(s, 16);
  Put16(s, 1);          // PCM
  Put16(s, 1);          // mono
  Put32(s, 44100);      // rate
  Put32(s, 44100 * 2);  // bytes per second
  Put16(s, 2);          // block align
  Put16(s, 16);         // bits
  s += "data";
  Put32(s, uint32_t(data.size()));
  return s + data;
}

std::string MakeConstantWave(int16_t value, int frames) {
  return MakeWave(std::vector<int16_t>(size_t(frames), value));
}

std::string MakeFourBeatMidi() {
  std::string track;
  // Tempo 500000 us per beat (120 bpm).
  track += std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7);
  for (int beat = 0; beat < 4; ++beat) {
    // Delta 0 (the previous event ended the beat): note on, channel 10, hand clap, velocity 127.
    track += std::string("\x00\x99\x27\x7F", 4);
    // Delta 120 ticks: note off.
    track += std::string("\x78\x89\x27\x00", 4);
    // Delta 360 ticks to the next beat: a meta text event as a place holder for the wait.
    track += std::string("\x82\x68\xFF\x01\x00", 5);
  }
  track += std::string("\x00\xFF\x2F\x00", 4);  // end of track at 1920 ticks
  std::string s = "MThd";
  Put32Big(s, 6);
  s += std::string("\x00\x00\x00\x01\x01\xE0", 6);  // format 0, one track, 480 ticks per beat
  s += "MTrk";
  Put32Big(s, uint32_t(track.size()));
  return s + track;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string MakeTempDir(const std::string& tag) {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kzv-" + tag + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) return {};
  return buffer.data();
}

std::vector<int16_t> ReadLeftChannel(const std::string& rawPath) {
  std::ifstream in(rawPath, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> left;
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    left.push_back(int16_t(uint16_t(uint8_t(bytes[i])) | (uint16_t(uint8_t(bytes[i + 1])) << 8)));
  }
  return left;
}
