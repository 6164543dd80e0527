#include "midi_file.h"

#include <algorithm>
#include <cmath>

namespace sounds {
namespace {

void PutVariableLength(std::vector<uint8_t>& out, uint32_t value) {
  uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<uint8_t>(value & 0x7f);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint8_t Low7(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 127)); }
uint8_t Status(int kind, int channel) { return static_cast<uint8_t>(kind | (channel & 0x0f)); }

}  // namespace

void MidiTrack::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  events_.push_back({tick, order, events_.size(), std::move(bytes)});
}

void MidiTrack::Name(const std::string& name) {
  std::vector<uint8_t> bytes = {0xff, 0x03};
  PutVariableLength(bytes, static_cast<uint32_t>(name.size()));
  bytes.insert(bytes.end(), name.begin(), name.end());
  Add(0, 0, bytes);
}

void MidiTrack::Tempo(uint32_t tick, double bpm) {
  std::vector<uint8_t> bytes = {0xff, 0x51, 0x03};
  PutBigEndian(bytes, static_cast<uint32_t>(std::lround(60000000.0 / bpm)), 3);
  Add(tick, 0, bytes);
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominator_power) {
  Add(tick, 0,
      {0xff, 0x58, 0x04, Low7(numerator), Low7(denominator_power), 24, 8});
}

void MidiTrack::KeySignature(uint32_t tick, int sharps, bool minor) {
  Add(tick, 0, {0xff, 0x59, 0x02, static_cast<uint8_t>(static_cast<int8_t>(sharps)),
                static_cast<uint8_t>(minor ? 1 : 0)});
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
  Add(tick, 0, {Status(0xc0, channel), Low7(program)});
}

void MidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 0, {Status(0xb0, channel), Low7(controller), Low7(value)});
}

void MidiTrack::AllNotesOff(uint32_t tick, int channel) {
  Add(tick, 3, {Status(0xb0, channel), 123, 0});
}

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity) {
  Add(tick, 2, {Status(0x90, channel), Low7(pitch), static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
  Add(tick + length, 1, {Status(0x80, channel), Low7(pitch), 0x40});
}

std::vector<uint8_t> MidiTrack::Encode() const {
  std::vector<Event> sorted = events_;
  std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    if (a.order != b.order) return a.order < b.order;
    return a.sequence < b.sequence;
  });
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const Event& e : sorted) {
    PutVariableLength(body, e.tick - now);
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  PutVariableLength(body, std::max(end_, now) - now);
  body.insert(body.end(), {0xff, 0x2f, 0x00});

  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  PutBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> EncodeMidiFile(int ticks_per_quarter, const std::vector<MidiTrack>& tracks) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
  PutBigEndian(out, 6, 4);
  PutBigEndian(out, 1, 2);
  PutBigEndian(out, static_cast<uint32_t>(tracks.size()), 2);
  PutBigEndian(out, static_cast<uint32_t>(ticks_per_quarter), 2);
  for (const MidiTrack& track : tracks) {
    const auto chunk = track.Encode();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace sounds
