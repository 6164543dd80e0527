// The shape of a Standard MIDI File, checked before a synthesiser reads it: FluidSynth's reader
// can be kept busy for ever by a file whose chunks and events do not fit together.
#include "midi_walk.h"
#include "stools_internal.h"

namespace stools {

bool MidiFileIsWhole(const std::vector<char>& bytes) {
  MidiHeader header;
  if (!WalkMidiFile(bytes, header, [](const MidiEvent&) {}, [](uint64_t) {})) return false;
  // Time in SMPTE frames (the top bit of the division) is beyond FluidSynth's player.
  return header.format <= 1 && header.tracks > 0 && header.division != 0 &&
         (header.division & 0x8000) == 0;
}

}  // namespace stools
