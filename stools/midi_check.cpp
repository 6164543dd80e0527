// The shape of a Standard MIDI File, checked before FluidSynth reads it: its reader can be kept
// busy for ever by a file whose chunks and events do not fit together.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "stools_internal.h"

namespace stools {
namespace {

class Reader {
 public:
  Reader(const std::vector<char>& bytes, size_t begin, size_t end)
      : bytes_(bytes), pos_(begin), end_(end) {}

  size_t Position() const { return pos_; }
  bool Byte(uint8_t& out) {
    if (pos_ >= end_) return false;
    out = uint8_t(bytes_[pos_++]);
    return true;
  }
  bool Skip(uint64_t n) {
    if (n > end_ - pos_) return false;
    pos_ += size_t(n);
    return true;
  }
  // A variable-length quantity: at most four bytes of seven bits.
  bool Variable(uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!Byte(b)) return false;
      out = (out << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool Big(int bytes, uint32_t& out) {
    out = 0;
    for (int i = 0; i < bytes; ++i) {
      uint8_t b;
      if (!Byte(b)) return false;
      out = (out << 8) | b;
    }
    return true;
  }
  // Reads four bytes; true when they are the tag.
  bool Tag(const char* tag) {
    if (end_ - pos_ < 4) return false;
    const bool same = std::memcmp(bytes_.data() + pos_, tag, 4) == 0;
    pos_ += 4;
    return same;
  }

 private:
  const std::vector<char>& bytes_;
  size_t pos_;
  size_t end_;
};

// One track's events, each whole, up to its end-of-track event.
bool TrackIsWhole(Reader track) {
  uint8_t running = 0;
  for (;;) {
    uint32_t delta, length;
    uint8_t status, data;
    if (!track.Variable(delta) || !track.Byte(status)) return false;
    if (status == 0xFF) {
      uint8_t type;
      if (!track.Byte(type) || !track.Variable(length) || !track.Skip(length)) return false;
      if (type == 0x2F) return true;
    } else if (status == 0xF0 || status == 0xF7) {
      if (!track.Variable(length) || !track.Skip(length)) return false;
    } else if (status >= 0xF0) {
      return false;  // a system message a file cannot hold
    } else {
      int dataBytes = 0;
      if (status < 0x80) {  // running status: this was the first data byte
        if (running == 0) return false;
        status = running;
        dataBytes = -1;
      }
      running = status;
      dataBytes += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      for (int i = 0; i < dataBytes; ++i) {
        if (!track.Byte(data) || data >= 0x80) return false;
      }
    }
  }
}

}  // namespace

bool MidiFileIsWhole(const std::vector<char>& bytes) {
  Reader file(bytes, 0, bytes.size());
  uint32_t headerLength, format, tracks, division;
  if (!file.Tag("MThd") || !file.Big(4, headerLength) || headerLength < 6 ||
      !file.Big(2, format) || !file.Big(2, tracks) || !file.Big(2, division) ||
      !file.Skip(headerLength - 6)) {
    return false;
  }
  // Time in SMPTE frames (the top bit of the division) is beyond FluidSynth's player.
  if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000) != 0) return false;
  for (uint32_t found = 0; found < tracks;) {
    const bool isTrack = file.Tag("MTrk");
    uint32_t length;
    if (!file.Big(4, length) || !file.Skip(length)) return false;
    if (!isTrack) continue;  // a chunk of another kind is passed over
    ++found;
    if (!TrackIsWhole(Reader(bytes, file.Position() - length, file.Position()))) return false;
  }
  return true;
}

}  // namespace stools
