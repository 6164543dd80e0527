#include "music.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace sounds {
namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kBar = 4 * kTicksPerBeat;

struct Event {
  int tick;
  int order;  // note-offs before note-ons at the same tick
  std::vector<uint8_t> bytes;
};

class Track {
 public:
  void Note(int channel, int start, int length, int key, int velocity) {
    events_.push_back({start, 1, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)}});
    events_.push_back({start + length, 0, {uint8_t(0x80 | channel), uint8_t(key), 0}});
  }
  void Program(int channel, int program) {
    events_.push_back({0, -1, {uint8_t(0xC0 | channel), uint8_t(program)}});
  }
  void Control(int channel, int controller, int value) {
    events_.push_back({0, -1, {uint8_t(0xB0 | channel), uint8_t(controller), uint8_t(value)}});
  }

  std::vector<uint8_t> Bytes(int endTick) {
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
      return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
    });
    std::vector<uint8_t> out;
    // Tempo and time signature first.
    const uint32_t microsPerBeat = 60000000 / kMusicTempo;
    Put(out, 0, {0xFF, 0x51, 0x03, uint8_t(microsPerBeat >> 16), uint8_t(microsPerBeat >> 8), uint8_t(microsPerBeat)});
    Put(out, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    int last = 0;
    for (const Event& e : events_) {
      Put(out, e.tick - last, e.bytes);
      last = e.tick;
    }
    Put(out, endTick - last, {0xFF, 0x2F, 0x00});
    return out;
  }

 private:
  static void Put(std::vector<uint8_t>& out, int delta, const std::vector<uint8_t>& bytes) {
    uint8_t buffer[4];
    int n = 0;
    uint32_t v = uint32_t(delta);
    buffer[n++] = v & 0x7F;
    while (v >>= 7) buffer[n++] = uint8_t(0x80 | (v & 0x7F));
    while (n) out.push_back(buffer[--n]);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }

  std::vector<Event> events_;
};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

}  // namespace

std::vector<uint8_t> MakeMusic() {
  enum { Pad = 0, Bass = 1, Bell = 2, Strings = 3, Drums = 9 };
  Track t;
  t.Program(Pad, 89);      // warm pad
  t.Program(Bass, 38);     // synth bass
  t.Program(Bell, 11);     // vibraphone
  t.Program(Strings, 48);  // string ensemble
  t.Control(Pad, 7, 70);
  t.Control(Bass, 7, 90);
  t.Control(Bell, 7, 55);
  t.Control(Strings, 7, 60);
  t.Control(Drums, 7, 70);

  // A minor, four bars a phrase: Am | F | Dm | E, the E leading back to the first Am.
  struct Chord {
    int root;
    std::vector<int> pad;
  };
  const Chord chords[] = {{45, {57, 60, 64}}, {41, {57, 60, 65}}, {38, {57, 62, 65}}, {40, {56, 59, 64}}};
  for (int bar = 0; bar < kMusicBars; ++bar) {
    const Chord& c = chords[bar % 4];
    const int start = bar * kBar;
    const int phrase = bar / 4;
    for (int key : c.pad) t.Note(Pad, start, kBar - 10, key, 58);
    // The bass ostinato: root eighths with a fifth and an octave pushing forward.
    const int pattern[8] = {0, 0, 12, 0, 7, 0, 12, 7};
    for (int i = 0; i < 8; ++i)
      t.Note(Bass, start + i * kTicksPerBeat / 2, kTicksPerBeat / 2 - 30, c.root + pattern[i], i % 2 ? 70 : 88);
    // Strings join in the middle phrases; the first and last stay sparse so the loop is calm.
    if (phrase >= 1 && phrase <= 3) t.Note(Strings, start, kBar - 10, c.pad.back() + 12, 45 + 6 * phrase);
    // A cold bell motif answering in the second half of every other bar.
    if (bar % 2 == 1) {
      const int motif[4] = {c.pad[2] + 12, c.pad[1] + 12, c.pad[0] + 12, c.pad[1] + 12};
      for (int i = 0; i < 4; ++i) t.Note(Bell, start + 2 * kTicksPerBeat + i * kTicksPerBeat / 2, 200, motif[i], 60);
    }
    // Sparse drums: a soft kick on one and three, closed hats, a rim shot on four.
    t.Note(Drums, start, 120, 36, 80);
    t.Note(Drums, start + 2 * kTicksPerBeat, 120, 36, 64);
    for (int i = 0; i < 8; ++i) t.Note(Drums, start + i * kTicksPerBeat / 2, 60, 42, i % 2 ? 30 : 44);
    if (phrase >= 1) t.Note(Drums, start + 3 * kTicksPerBeat, 60, 37, 50);
  }
  std::vector<uint8_t> track = t.Bytes(kMusicBars * kBar);

  std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
  PutU32(file, 6);
  file.insert(file.end(), {0, 0, 0, 1, uint8_t(kTicksPerBeat >> 8), uint8_t(kTicksPerBeat & 0xFF)});
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  PutU32(file, uint32_t(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

}  // namespace sounds
