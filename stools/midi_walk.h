#pragma once
// The one walk through a Standard MIDI File: its header, then every track's events in order.
#include <cstdint>
#include <functional>
#include <vector>

namespace stools {

struct MidiHeader {
  uint32_t format = 0, tracks = 0, division = 0;
};

// One event of a track: a channel message (status 0x80..0xEF and its one or two data bytes),
// a meta event (status 0xFF, its type and body) or a system exclusive one (0xF0 or 0xF7).
struct MidiEvent {
  uint64_t tick = 0;  // since the track's start
  uint8_t status = 0, type = 0;
  uint8_t first = 0, second = 0;  // a channel message's data
  const char* body = nullptr;     // a meta or system exclusive event's bytes
  uint32_t length = 0;
};

// Walks the file: the header, then each track's events up to its end-of-track event (which
// onTrackEnd receives with the track's last tick instead). False, with the walk stopped there,
// as soon as a chunk or an event does not fit in the file, or is not one a file may hold.
bool WalkMidiFile(const std::vector<char>& bytes, MidiHeader& header,
                  const std::function<void(const MidiEvent&)>& onEvent,
                  const std::function<void(uint64_t endTick)>& onTrackEnd);

}  // namespace stools
