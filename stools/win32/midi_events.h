#pragma once
// A Standard MIDI File as the Windows MIDI stream calls take it: one list of MIDIEVENT records
// (delta ticks, stream 0, event) with every track merged in time order.
#include <cstdint>
#include <vector>

namespace stools::win32 {

// The event kinds of a MIDIEVENT's top byte, as mmsystem.h numbers them.
constexpr uint32_t kShortMessage = 0x00, kTempoChange = 0x01, kNothing = 0x02;

struct StreamPiece {
  uint32_t division = 0;        // ticks per quarter note
  std::vector<uint32_t> words;  // MIDIEVENT records, three words each
  uint64_t ticks = 0;           // the length: the last track's end
};

// Reads a checked file (MidiFileIsWhole). The channel messages become short messages; the
// file's tempo changes become tempo events when keepTempo, else events that do nothing (a
// tempo of the caller's own then holds throughout); the last record lies at the piece's end,
// so that a repeat starts one whole piece after the last.
StreamPiece ReadStreamPiece(const std::vector<char>& midi, bool keepTempo);

}  // namespace stools::win32
