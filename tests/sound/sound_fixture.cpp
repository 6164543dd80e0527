#include "sound/sound_fixture.h"

#include <sndfile.h>

namespace {
void Put(std::string& s, uint32_t v, int bytes, bool bigEndian = false) {
  for (int i = 0; i < bytes; ++i) s += char(v >> (8 * (bigEndian ? bytes - 1 - i : i)) & 0xFF);
}
}  // namespace

void WriteConstantWave(const std::string& path, int16_t value, int frames, int rate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  const std::vector<short> samples(size_t(frames), value);
  sf_write_short(file, samples.data(), frames);
  sf_close(file);
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
