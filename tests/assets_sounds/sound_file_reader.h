#pragma once
// Readers for the files the sound generator writes, written independently of it so that the
// tests check the bytes the game will load, not the generator's own idea of them.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sound_check {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
inline uint16_t Be16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>((b[at] << 8) | b[at + 1]);
}
inline bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::string(b.begin() + at, b.begin() + at + 4) == tag;
}

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;  // first channel

  double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
  int Peak() const {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
  }
  // RMS over [from, to) seconds, as a fraction of full scale.
  double Rms(double from = 0, double to = 1e9) const {
    const size_t a = std::min(samples.size(), static_cast<size_t>(from * rate));
    const size_t b = std::min(samples.size(), static_cast<size_t>(to * rate));
    if (b <= a) return 0;
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(b - a)) / 32768.0;
  }
};

// A RIFF WAVE file with a PCM format chunk before its data chunk; the data must be whole.
inline std::optional<Wave> ParseWave(const std::vector<uint8_t>& b, std::string& why) {
  if (!Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) {
    why = "not a RIFF WAVE file";
    return std::nullopt;
  }
  if (Le32(b, 4) + 8 != b.size()) {
    why = "the RIFF size does not match the file size";
    return std::nullopt;
  }
  Wave w;
  bool have_format = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t size = Le32(b, at + 4);
    const size_t body = at + 8;
    if (body + size > b.size()) {
      why = "a chunk runs past the end of the file";
      return std::nullopt;
    }
    if (Tag(b, at, "fmt ") && size >= 16) {
      w.format = Le16(b, body);
      w.channels = Le16(b, body + 2);
      w.rate = static_cast<int>(Le32(b, body + 4));
      w.bits = Le16(b, body + 14);
      have_format = true;
    } else if (Tag(b, at, "data")) {
      if (!have_format || w.channels < 1 || w.bits != 16) {
        why = "data before a usable format chunk";
        return std::nullopt;
      }
      const size_t frame = 2u * w.channels;
      for (size_t i = 0; i + frame <= size; i += frame) {
        w.samples.push_back(static_cast<int16_t>(Le16(b, body + i)));
      }
      return w;
    }
    at = body + size + (size & 1u);
  }
  why = "no data chunk";
  return std::nullopt;
}

struct MidiNote {
  int channel, pitch;
  uint32_t on, off;
};

struct Midi {
  int format = -1, tracks = 0, division = 0;
  std::vector<uint32_t> tempos;  // microseconds per quarter note, in file order
  std::vector<MidiNote> notes;
  int unmatched_note_offs = 0, notes_left_on = 0;
  uint32_t end_tick = 0;  // latest end-of-track
  std::vector<int> programs_at_zero;  // channels that get a program change at tick 0
  std::vector<std::pair<int, uint32_t>> all_notes_off;  // channel and tick of each All Notes Off
};

inline uint32_t ReadVariable(const std::vector<uint8_t>& b, size_t& at, size_t end, bool& ok) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) break;
    const uint8_t c = b[at++];
    value = (value << 7) | (c & 0x7f);
    if (!(c & 0x80)) return value;
  }
  ok = false;
  return 0;
}

// A Standard MIDI File: header chunk and its tracks, with running status, meta and sysex
// events. Notes are paired on and off per channel and pitch.
inline std::optional<Midi> ParseMidi(const std::vector<uint8_t>& b, std::string& why) {
  if (!Tag(b, 0, "MThd") || b.size() < 14 || Be32(b, 4) != 6) {
    why = "no MThd header";
    return std::nullopt;
  }
  Midi m;
  m.format = Be16(b, 8);
  m.tracks = Be16(b, 10);
  m.division = Be16(b, 12);
  size_t at = 14;
  for (int t = 0; t < m.tracks; ++t) {
    if (!Tag(b, at, "MTrk") || at + 8 > b.size()) {
      why = "track " + std::to_string(t) + " has no MTrk chunk";
      return std::nullopt;
    }
    const size_t end = at + 8 + Be32(b, at + 4);
    if (end > b.size()) {
      why = "track " + std::to_string(t) + " runs past the end";
      return std::nullopt;
    }
    size_t p = at + 8;
    uint32_t tick = 0;
    uint8_t status = 0;
    bool ended = false, ok = true;
    std::vector<std::vector<std::vector<uint32_t>>> open(16, std::vector<std::vector<uint32_t>>(128));
    while (p < end && !ended) {
      tick += ReadVariable(b, p, end, ok);
      if (!ok || p >= end) break;
      if (b[p] & 0x80) status = b[p++];
      if (status == 0xff) {
        if (p + 1 > end) break;
        const uint8_t type = b[p++];
        const uint32_t len = ReadVariable(b, p, end, ok);
        if (!ok || p + len > end) break;
        if (type == 0x51 && len == 3) m.tempos.push_back((b[p] << 16) | (b[p + 1] << 8) | b[p + 2]);
        if (type == 0x2f) {
          ended = true;
          m.end_tick = std::max(m.end_tick, tick);
        }
        p += len;
        status = 0;
      } else if (status == 0xf0 || status == 0xf7) {
        const uint32_t len = ReadVariable(b, p, end, ok);
        p += len;
        status = 0;
      } else if (status >= 0x80) {
        const int kind = status & 0xf0, channel = status & 0x0f;
        const int data_bytes = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        if (p + data_bytes > end) break;
        const int d1 = b[p], d2 = data_bytes == 2 ? b[p + 1] : 0;
        p += data_bytes;
        if (kind == 0x90 && d2 > 0) {
          open[channel][d1].push_back(tick);
        } else if (kind == 0x80 || kind == 0x90) {
          auto& starts = open[channel][d1];
          if (starts.empty()) {
            ++m.unmatched_note_offs;
          } else {
            m.notes.push_back({channel, d1, starts.front(), tick});
            starts.erase(starts.begin());
          }
        } else if (kind == 0xc0 && tick == 0) {
          m.programs_at_zero.push_back(channel);
        } else if (kind == 0xb0 && d1 == 123) {
          m.all_notes_off.push_back({channel, tick});
        }
      } else {
        why = "track " + std::to_string(t) + " has data without a status byte";
        return std::nullopt;
      }
    }
    if (!ended || p != end) {
      why = "track " + std::to_string(t) + " does not end with end-of-track at its chunk's end";
      return std::nullopt;
    }
    for (auto& pitches : open)
      for (auto& starts : pitches) m.notes_left_on += static_cast<int>(starts.size());
    at = end;
  }
  return m;
}

// Runs a command through the shell and says whether it exited with 0.
inline bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

inline bool ProgramAvailable(const std::string& name) {
  return Run("command -v " + name + " >/dev/null 2>&1");
}

}  // namespace sound_check
