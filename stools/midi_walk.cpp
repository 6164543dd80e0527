// The walk through a Standard MIDI File's chunks and events (midi_walk.h).
#include "midi_walk.h"

#include <cstring>

namespace stools {
namespace {

class Reader {
 public:
  Reader(const std::vector<char>& bytes, size_t begin, size_t end)
      : bytes_(bytes), pos_(begin), end_(end) {}

  size_t Position() const { return pos_; }
  const char* Here() const { return bytes_.data() + pos_; }
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

// A body of length bytes at the reader, passed over; false when it does not fit.
bool Body(Reader& track, MidiEvent& event) {
  if (!track.Variable(event.length)) return false;
  event.body = track.Here();
  return track.Skip(event.length);
}

bool WalkTrack(Reader track, const std::function<void(const MidiEvent&)>& onEvent,
               const std::function<void(uint64_t)>& onTrackEnd) {
  uint8_t running = 0;
  uint64_t tick = 0;
  for (;;) {
    uint32_t delta;
    MidiEvent event;
    if (!track.Variable(delta) || !track.Byte(event.status)) return false;
    tick += delta;
    event.tick = tick;
    if (event.status == 0xFF) {
      if (!track.Byte(event.type) || !Body(track, event)) return false;
      if (event.type == 0x2F) {
        onTrackEnd(tick);
        return true;
      }
    } else if (event.status == 0xF0 || event.status == 0xF7) {
      if (!Body(track, event)) return false;
    } else if (event.status >= 0xF0) {
      return false;  // a system message a file cannot hold
    } else {
      uint8_t data[2] = {0, 0};
      int have = 0;
      if (event.status < 0x80) {  // running status: this was the first data byte
        if (running == 0) return false;
        data[have++] = event.status;
        event.status = running;
      }
      running = event.status;
      const int count = (event.status & 0xF0) == 0xC0 || (event.status & 0xF0) == 0xD0 ? 1 : 2;
      for (; have < count; ++have)
        if (!track.Byte(data[have]) || data[have] >= 0x80) return false;
      event.first = data[0];
      event.second = data[1];
    }
    onEvent(event);
  }
}

}  // namespace

bool WalkMidiFile(const std::vector<char>& bytes, MidiHeader& header,
                  const std::function<void(const MidiEvent&)>& onEvent,
                  const std::function<void(uint64_t)>& onTrackEnd) {
  Reader file(bytes, 0, bytes.size());
  uint32_t headerLength;
  if (!file.Tag("MThd") || !file.Big(4, headerLength) || headerLength < 6 ||
      !file.Big(2, header.format) || !file.Big(2, header.tracks) || !file.Big(2, header.division) ||
      !file.Skip(headerLength - 6)) {
    return false;
  }
  for (uint32_t found = 0; found < header.tracks;) {
    const bool isTrack = file.Tag("MTrk");
    uint32_t length;
    if (!file.Big(4, length) || !file.Skip(length)) return false;
    if (!isTrack) continue;  // a chunk of another kind is passed over
    ++found;
    if (!WalkTrack(Reader(bytes, file.Position() - length, file.Position()), onEvent, onTrackEnd))
      return false;
  }
  return true;
}

}  // namespace stools
