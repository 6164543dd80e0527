// Sound files made byte by byte for the sound tests, here and in the Windows check program.
#pragma once
#include <cstdint>
#include <string>

namespace sound_bytes {

inline void Put(std::string& s, uint32_t v, int bytes, bool bigEndian = false) {
  for (int i = 0; i < bytes; ++i) s += char(v >> (8 * (bigEndian ? bytes - 1 - i : i)) & 0xFF);
}

// A mono 16-bit PCM wave of one constant sample value: overlapping voices add up to exact
// multiples of it.
inline std::string ConstantWave(int16_t value, int frames, int rate = 44100) {
  std::string s = "RIFF";
  Put(s, 36 + 2 * frames, 4);
  s += "WAVEfmt ";
  Put(s, 16, 4);
  Put(s, 1, 2);  // PCM
  Put(s, 1, 2);  // mono
  Put(s, rate, 4);
  Put(s, rate * 2, 4);
  Put(s, 2, 2);
  Put(s, 16, 2);
  s += "data";
  Put(s, 2 * frames, 4);
  for (int i = 0; i < frames; ++i) Put(s, uint16_t(value), 2);
  return s;
}

// A one-bar MIDI file (480 ticks per beat, tempo 120 in the file) with a short, loud percussion
// hit on each of its four beats.
inline std::string FourBeatMidi() {
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

}  // namespace sound_bytes
