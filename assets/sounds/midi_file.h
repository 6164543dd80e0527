#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A small Standard MIDI File writer: tracks of timed events, written as format 1.
namespace sounds {

class MidiTrack {
 public:
  void Name(const std::string& name);
  // Tempo in beats per minute, stored as microseconds per quarter note.
  void Tempo(uint32_t tick, double bpm);
  void TimeSignature(uint32_t tick, int numerator, int denominator_power);
  // Key signature: sharps (negative for flats), minor or major.
  void KeySignature(uint32_t tick, int sharps, bool minor);
  void Program(uint32_t tick, int channel, int program);
  void Controller(uint32_t tick, int channel, int controller, int value);
  // All Notes Off, after every other event at that tick (a clean loop point).
  void AllNotesOff(uint32_t tick, int channel);
  // A note from `tick` for `length` ticks: a note-on and its note-off.
  void Note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity);
  // The track ends here (at the latest event when `tick` is earlier).
  void End(uint32_t tick) { end_ = tick; }

  // The track chunk: "MTrk", its length and the events in time order. At one tick note-offs
  // come first and note-ons last, so a note repeated on the beat is released before it sounds.
  std::vector<uint8_t> Encode() const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // 0 meta and set-up, 1 note-off, 2 note-on, 3 all notes off
    size_t sequence;
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);

  std::vector<Event> events_;
  uint32_t end_ = 0;
};

// The whole file: header chunk (format 1, ticks per quarter note) and the tracks.
std::vector<uint8_t> EncodeMidiFile(int ticks_per_quarter, const std::vector<MidiTrack>& tracks);

}  // namespace sounds
