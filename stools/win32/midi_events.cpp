// Merging a MIDI file's tracks into one stream of events (midi_events.h).
#include "win32/midi_events.h"

#include <algorithm>

namespace stools::win32 {
namespace {

struct Timed {
  uint64_t tick;
  uint32_t event;
};

class Cursor {
 public:
  Cursor(const std::vector<char>& bytes, size_t at, size_t end)
      : b_(bytes), at_(at), end_(std::min(end, bytes.size())) {}
  bool More() const { return at_ < end_; }
  uint8_t Byte() { return at_ < end_ ? uint8_t(b_[at_++]) : 0; }
  uint8_t Peek() const { return at_ < end_ ? uint8_t(b_[at_]) : 0; }
  uint32_t Big(int count) {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v << 8 | Byte();
    return v;
  }
  uint32_t Variable() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = Byte();
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) break;
    }
    return v;
  }
  void Skip(uint32_t n) { at_ = n > end_ - at_ ? end_ : at_ + n; }
  size_t At() const { return at_; }

 private:
  const std::vector<char>& b_;
  size_t at_, end_;
};

// One track's events into timed, returning the tick of its end.
uint64_t ReadTrack(Cursor track, bool keepTempo, std::vector<Timed>& timed) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (track.More()) {
    tick += track.Variable();
    uint8_t status = track.Peek() & 0x80 ? track.Byte() : running;
    if (status == 0xFF) {
      const uint8_t type = track.Byte();
      const uint32_t length = track.Variable();
      if (type == 0x2F) break;
      if (type == 0x51 && length == 3) {
        const uint32_t tempo = track.Big(3);
        timed.push_back({tick, keepTempo ? kTempoChange << 24 | tempo : kNothing << 24});
      } else {
        track.Skip(length);
      }
    } else if (status == 0xF0 || status == 0xF7) {
      track.Skip(track.Variable());  // system exclusive: not for the stream
    } else if (status >= 0x80) {
      running = status;
      const uint32_t first = track.Byte();
      const bool oneByte = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
      const uint32_t second = oneByte ? 0 : track.Byte();
      timed.push_back({tick, kShortMessage << 24 | second << 16 | first << 8 | status});
    } else {
      break;  // a data byte without a status: the checked file has none
    }
  }
  return tick;
}

}  // namespace

StreamPiece ReadStreamPiece(const std::vector<char>& midi, bool keepTempo) {
  StreamPiece piece;
  Cursor file(midi, 0, midi.size());
  file.Skip(4);
  const uint32_t headerLength = file.Big(4);
  file.Big(2);  // the format
  const uint32_t tracks = file.Big(2);
  piece.division = file.Big(2);
  file.Skip(headerLength - 6);
  std::vector<Timed> timed;
  for (uint32_t found = 0; found < tracks && file.More();) {
    const bool isTrack = file.Big(4) == 0x4D54726B;  // "MTrk"
    const uint32_t length = file.Big(4);
    if (isTrack) {
      piece.ticks = std::max(piece.ticks, ReadTrack(Cursor(midi, file.At(), file.At() + length),
                                                    keepTempo, timed));
      ++found;
    }
    file.Skip(length);
  }
  std::stable_sort(timed.begin(), timed.end(),
                   [](const Timed& a, const Timed& b) { return a.tick < b.tick; });
  timed.push_back({piece.ticks, kNothing << 24});
  uint64_t last = 0;
  for (const Timed& t : timed) {
    piece.words.insert(piece.words.end(), {uint32_t(t.tick - last), 0u, t.event});
    last = t.tick;
  }
  return piece;
}

}  // namespace stools::win32
