#include "sound/sound_fixture.h"

namespace {
void Put(std::string& s, uint32_t v, int bytes, bool bigEndian = false) {
  for (int i = 0; i < bytes; ++i) s += char(v >> (8 * (bigEndian ? bytes - 1 - i : i)) & 0xFF);
}
}  // namespace

std::string MakeConstantWave(int16_t value, int frames) {
  std::string s = "RIFF";
  Put(s, uint32_t(36 + 2 * frames), 4);
  s += "WAVEfmt ";
  for (uint32_t v : {16u, 1u << 16 | 1u, 44100u, 44100u * 2, 16u << 16 | 2u}) Put(s, v, 4);
  s += "data";
  Put(s, uint32_t(2 * frames), 4);
  for (int i = 0; i < frames; ++i) Put(s, uint16_t(value), 2);
  return s;
}

std::string MakeFourBeatMidi() {
  std::string track("\x00\xFF\x51\x03\x07\xA1\x20", 7);  // 500000 us per beat
  for (int beat = 0; beat < 4; ++beat) {
    track += std::string("\x00\x99\x27\x7F", 4);      // hand clap on, channel 10
    track += std::string("\x78\x89\x27\x00", 4);      // off 120 ticks later
    track += std::string("\x82\x68\xFF\x01\x00", 5);  // 360 ticks on: an empty text event
  }
  track += std::string("\x00\xFF\x2F\x00", 4);  // the end of the track at 1920 ticks
  std::string s = "MThd";
  Put(s, 6, 4, true);
  s += std::string("\x00\x00\x00\x01\x01\xE0", 6);  // format 0, one track, 480 ticks per beat
  s += "MTrk";
  Put(s, uint32_t(track.size()), 4, true);
  return s + track;
}
