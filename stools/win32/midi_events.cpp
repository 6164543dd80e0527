// Merging a MIDI file's tracks into one stream of events (midi_events.h).
#include "win32/midi_events.h"

#include <algorithm>

#include "midi_walk.h"

namespace stools::win32 {
namespace {

struct Timed {
  uint64_t tick;
  uint32_t event;
};

uint32_t Tempo(const MidiEvent& e) {
  return uint32_t(uint8_t(e.body[0])) << 16 | uint32_t(uint8_t(e.body[1])) << 8 | uint8_t(e.body[2]);
}

}  // namespace

StreamPiece ReadStreamPiece(const std::vector<char>& midi, bool keepTempo) {
  StreamPiece piece;
  MidiHeader header;
  std::vector<Timed> timed;
  WalkMidiFile(
      midi, header,
      [&](const MidiEvent& e) {
        if (e.status == 0xFF && e.type == 0x51 && e.length == 3)
          timed.push_back({e.tick, keepTempo ? kTempoChange << 24 | Tempo(e) : kNothing << 24});
        else if (e.status < 0xF0)
          timed.push_back({e.tick, kShortMessage << 24 | uint32_t(e.second) << 16 |
                                       uint32_t(e.first) << 8 | e.status});
      },
      [&](uint64_t end) { piece.ticks = std::max(piece.ticks, end); });
  piece.division = header.division;
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
