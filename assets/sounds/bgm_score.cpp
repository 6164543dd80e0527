#include "bgm_score.h"

#include <array>
#include <string>

#include "midi_file.h"

namespace sounds {
namespace {

constexpr int kQuarter = 480;
constexpr uint32_t kEighth = kQuarter / 2;
constexpr uint32_t kBar = 4 * kQuarter;
constexpr uint32_t kEnd = kMusicBars * kBar;

// Channels and General MIDI programs (numbered from 0).
constexpr int kPadChannel = 0, kPadProgram = 89;            // warm pad
constexpr int kOstinatoChannel = 1, kOstinatoProgram = 11;  // vibraphone
constexpr int kBassChannel = 2, kBassProgram = 38;          // synth bass 1
constexpr int kStringsChannel = 3, kStringsProgram = 49;    // slow strings
constexpr int kDrumChannel = 9;

struct Chord {
  int bass;
  std::array<int, 4> pad;
  std::array<int, 3> arpeggio;  // played against the pedal E5
};

const Chord kAm{45, {57, 60, 64, 71}, {69, 72, 71}};
const Chord kF{41, {53, 57, 60, 64}, {69, 72, 67}};
const Chord kDm{38, {50, 57, 60, 65}, {69, 72, 74}};
const Chord kEsus{40, {52, 57, 59, 64}, {69, 71, 74}};
const Chord kE{40, {52, 56, 59, 62}, {68, 71, 74}};
const Chord kG{43, {55, 59, 62, 67}, {67, 71, 74}};
const Chord kC{48, {55, 60, 64, 67}, {67, 72, 71}};
const Chord kBb{46, {53, 58, 62, 65}, {70, 74, 65}};

// One chord a bar: a quiet opening, a middle with the string line, a darker close that turns
// on the dominant back to the start.
const std::array<const Chord*, kMusicBars> kProgression = {
    &kAm, &kAm, &kF, &kF, &kDm, &kDm, &kEsus, &kE,  //
    &kAm, &kG, &kF, &kE, &kAm, &kC, &kDm, &kE,      //
    &kF, &kDm, &kBb, &kEsus, &kE,
};

constexpr int kPedal = 76;  // E5, the note the ostinato keeps returning to

uint32_t BarStart(int bar) { return static_cast<uint32_t>(bar) * kBar; }

// Pads hold each chord for as long as it lasts, so repeated chords are not struck again.
void WritePads(MidiTrack& track) {
  int bar = 0;
  while (bar < kMusicBars) {
    int until = bar + 1;
    while (until < kMusicBars && kProgression[until] == kProgression[bar]) ++until;
    const int velocity = bar < 8 ? 58 : 64;
    for (int pitch : kProgression[bar]->pad) {
      track.Note(BarStart(bar), BarStart(until) - BarStart(bar), kPadChannel, pitch, velocity);
    }
    bar = until;
  }
}

void WriteOstinato(MidiTrack& track) {
  constexpr std::array<int, 8> kVelocity = {62, 40, 52, 40, 58, 40, 52, 40};
  for (int bar = 0; bar < kMusicBars; ++bar) {
    const auto& tones = kProgression[bar]->arpeggio;
    const std::array<int, 8> line = {tones[0], kPedal, tones[1], kPedal,
                                     tones[2], kPedal, tones[1], kPedal};
    for (int step = 0; step < 8; ++step) {
      track.Note(BarStart(bar) + step * kEighth, 200, kOstinatoChannel, line[step],
                 kVelocity[step]);
    }
  }
}

// A soft pulse of eighths on the root; before a return to A minor the last eighth is the
// leading note G♯.
void WriteBass(MidiTrack& track) {
  constexpr std::array<int, 8> kVelocity = {84, 46, 58, 46, 72, 46, 58, 50};
  for (int bar = 0; bar < kMusicBars; ++bar) {
    const int next = (bar + 1) % kMusicBars;
    const bool leads_home = kProgression[bar] == &kE && kProgression[next] == &kAm;
    for (int step = 0; step < 8; ++step) {
      int pitch = kProgression[bar]->bass;
      if (step == 7 && leads_home) pitch = 44;
      track.Note(BarStart(bar) + step * kEighth, 200, kBassChannel, pitch, kVelocity[step]);
    }
  }
}

// The string line of the middle and the close: long notes, (bar, beat, beats, pitch).
void WriteStrings(MidiTrack& track) {
  struct Tone {
    int bar, beat, beats, pitch;
  };
  constexpr Tone kLine[] = {
      {8, 0, 2, 69},  {8, 2, 2, 72},  {9, 0, 3, 71},  {9, 3, 1, 67},  {10, 0, 4, 69},
      {11, 0, 2, 68}, {11, 2, 2, 71}, {12, 0, 2, 72}, {12, 2, 2, 76}, {13, 0, 3, 79},
      {13, 3, 1, 76}, {14, 0, 2, 77}, {14, 2, 2, 74}, {15, 0, 4, 76}, {16, 0, 4, 72},
      {17, 0, 2, 74}, {17, 2, 2, 69}, {18, 0, 2, 74}, {18, 2, 2, 77}, {19, 0, 4, 76},
  };
  for (const Tone& t : kLine) {
    const uint32_t start = BarStart(t.bar) + t.beat * kQuarter;
    track.Note(start, t.beats * kQuarter - 20, kStringsChannel, t.pitch, 70);
  }
}

void WriteDrums(MidiTrack& track) {
  constexpr int kKick = 36, kSideStick = 37, kClosedHat = 42, kTriangle = 81;
  constexpr int kFloorTomLow = 41, kFloorTomHigh = 43, kLowTom = 45, kLowMidTom = 47;
  constexpr uint32_t kHit = 60;
  const auto at = [](int bar, double beat) {
    return BarStart(bar) + static_cast<uint32_t>(beat * kQuarter);
  };
  for (int bar = 0; bar < kMusicBars; ++bar) {
    const bool middle = bar >= 8 && bar < 20;
    track.Note(at(bar, 0), kHit, kDrumChannel, kKick, 64);
    if (middle) track.Note(at(bar, 2.5), kHit, kDrumChannel, kKick, 44);
    if (bar >= 4) track.Note(at(bar, 2), kHit, kDrumChannel, kSideStick, 40);
    if (middle) {
      for (int step = 0; step < 4; ++step) {
        track.Note(at(bar, step + 0.5), kHit, kDrumChannel, kClosedHat, step % 2 ? 32 : 26);
      }
    } else {
      track.Note(at(bar, 1.5), kHit, kDrumChannel, kClosedHat, 24);
      track.Note(at(bar, 3.5), kHit, kDrumChannel, kClosedHat, 24);
    }
  }
  track.Note(at(8, 0), kHit, kDrumChannel, kTriangle, 40);
  track.Note(at(16, 0), kHit, kDrumChannel, kTriangle, 40);
  // Small tom fills: half a one before the close, a whole one into the loop.
  track.Note(at(15, 3), kHit, kDrumChannel, kLowTom, 42);
  track.Note(at(15, 3.5), kHit, kDrumChannel, kFloorTomHigh, 46);
  const int last = kMusicBars - 1;
  track.Note(at(last, 2.5), kHit, kDrumChannel, kLowMidTom, 44);
  track.Note(at(last, 3), kHit, kDrumChannel, kLowTom, 48);
  track.Note(at(last, 3.5), kHit, kDrumChannel, kFloorTomHigh, 52);
  track.Note(at(last, 3.75), kHit, kDrumChannel, kFloorTomLow, 50);
}

// One instrument's track: its set-up, the notes `write` puts in, and its close at the loop's end.
MidiTrack Part(const std::string& name, int channel, int program, int volume, int pan,
               int reverb, int chorus, void (*write)(MidiTrack&)) {
  MidiTrack track;
  track.Name(name);
  track.Controller(0, channel, 121, 0);  // reset controllers, so every loop starts the same
  if (program >= 0) track.Program(0, channel, program);
  track.Controller(0, channel, 7, volume);
  track.Controller(0, channel, 10, pan);
  track.Controller(0, channel, 91, reverb);
  track.Controller(0, channel, 93, chorus);
  write(track);
  track.AllNotesOff(kEnd, channel);
  track.End(kEnd);
  return track;
}

}  // namespace

std::vector<uint8_t> ComposeBackgroundMusic() {
  MidiTrack conductor;
  conductor.Name("KZV orbital watch");
  conductor.Tempo(0, kMusicTempo);
  conductor.TimeSignature(0, 4, 2);
  conductor.KeySignature(0, 0, true);
  conductor.End(kEnd);

  return EncodeMidiFile(
      kQuarter,
      {conductor, Part("pad", kPadChannel, kPadProgram, 100, 64, 60, 40, WritePads),
       Part("ostinato", kOstinatoChannel, kOstinatoProgram, 80, 84, 60, 0, WriteOstinato),
       Part("bass", kBassChannel, kBassProgram, 96, 64, 30, 0, WriteBass),
       Part("strings", kStringsChannel, kStringsProgram, 86, 44, 70, 0, WriteStrings),
       Part("drums", kDrumChannel, -1, 92, 64, 40, 0, WriteDrums)});
}

}  // namespace sounds
