#include "platform/replay/replay_log.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/timers.h"
#include "platform/unique_file.h"
#include "platform/warning.h"
#include "platform/text/words.h"

namespace platform {
namespace {

constexpr const char* kMagic = "KZV-REPLAY 1";

struct Recorder {
  std::string folder;  // empty: nothing asked
  FILE* file = nullptr;
  std::string path;
  int64_t lastMicros = 0;  // the clock of the delivery written last
  std::function<std::vector<std::string>()> endLines;  // set: close after this delivery
};

struct Player {
  const ReplayEvent* expected = nullptr;  // the recorded event being delivered
  bool seen = false;
  size_t nextReading = 0;
  std::string divergence;
};

Recorder g_rec;
Player g_play;
int g_depth = 0;            // deliveries under way (nested ones count as one)
ReplayEvent g_current;      // the delivery under way, while it is recorded
bool g_noting = false;

void Diverge(const std::string& what) {
  if (g_play.divergence.empty()) g_play.divergence = what;
}

std::string Describe(const ReplayEvent& e) {
  std::string s(1, char(e.kind));
  switch (e.kind) {
    case ReplayEvent::Key:
    case ReplayEvent::Click: s += " " + std::to_string(e.a) + " " + std::to_string(e.b); break;
    case ReplayEvent::Text:
    case ReplayEvent::Timer: s += " " + EncodeReplayText(e.name); break;
    case ReplayEvent::Close: break;
  }
  return s;
}

void WriteLine(const std::string& line) {
  if (!g_rec.file) return;
  std::fwrite(line.data(), 1, line.size(), g_rec.file);
  std::fputc('\n', g_rec.file);
}

void WriteEvent(const ReplayEvent& e) {
  std::string line(1, char(e.kind));
  line += " " + std::to_string(e.micros - g_rec.lastMicros);
  g_rec.lastMicros = e.micros;
  std::string rest = Describe(e).substr(1);
  WriteLine(line + rest);
  std::fflush(g_rec.file);
}

// "@ d d*n ...": the steps between readings, runs of one step folded.
void WriteReadings(const ReplayEvent& e) {
  if (e.readings.empty()) return;
  std::string line = "@";
  int64_t previous = e.micros;
  size_t i = 0;
  while (i < e.readings.size()) {
    int64_t step = e.readings[i] - previous;
    size_t run = 1;
    while (i + run < e.readings.size() && e.readings[i + run] - e.readings[i + run - 1] == step) ++run;
    line += " " + std::to_string(step);
    if (run > 1) line += "*" + std::to_string(run);
    previous = e.readings[i + run - 1];
    i += run;
  }
  WriteLine(line);
}

void CloseFile() {
  if (g_rec.file) std::fclose(g_rec.file);
  g_rec.file = nullptr;
  g_rec.endLines = nullptr;
}

// The clock moved on by step; false when that leaves the times a replay may hold.
bool Advance(int64_t& clock, int64_t step) {
  if (step < -kReplayLatestClock || step > kReplayLatestClock) return false;
  clock += step;
  return clock >= 0 && clock <= kReplayLatestClock;
}

// One event line; false when it is not one.
bool ParseEvent(const std::vector<std::string>& w, int64_t& clock, ReplayEvent& e) {
  if (w.size() < 2 || w[0].size() != 1) return false;
  int64_t dt = 0;
  if (!ParseNumber(w[1], dt) || !Advance(clock, dt)) return false;
  e.micros = clock;
  e.kind = ReplayEvent::Kind(w[0][0]);
  switch (e.kind) {
    case ReplayEvent::Key:
    case ReplayEvent::Click:
      return w.size() == 4 && ParseNumber(w[2], e.a) && ParseNumber(w[3], e.b);
    case ReplayEvent::Text:
    case ReplayEvent::Timer:
      if (w.size() != 3) return false;
      e.name = DecodeReplayText(w[2]);
      return true;
    case ReplayEvent::Close: return w.size() == 2;
  }
  return false;
}

// "@ d d*n ...": total counts the readings of the whole file so far.
bool ParseReadings(const std::vector<std::string>& w, ReplayEvent& e, size_t& total) {
  int64_t reading = e.micros;
  for (size_t i = 1; i < w.size(); ++i) {
    size_t star = w[i].find('*');
    int64_t step = 0;
    size_t run = 1;
    if (!ParseNumber(w[i].substr(0, star), step)) return false;
    if (star != std::string::npos && (!ParseNumber(w[i].substr(star + 1), run) || run == 0))
      return false;
    if (run > kReplayMostReadings - total) return false;
    total += run;
    for (size_t k = 0; k < run; ++k) {
      if (!Advance(reading, step)) return false;
      e.readings.push_back(reading);
    }
  }
  return w.size() > 1;
}

}  // namespace

void AskForReplays(const std::string& folder) { g_rec.folder = folder.empty() ? "." : folder; }

bool ReplaysAsked() { return !g_rec.folder.empty(); }

std::optional<std::string> BeginReplayFile(const std::vector<std::string>& startLines) {
  if (!ReplaysAsked()) return std::nullopt;
  CloseFile();
  std::error_code ec;
  std::filesystem::create_directories(g_rec.folder, ec);
  std::optional<std::string> path =
      MakeUniqueFile(g_rec.folder, "kzv", std::time(nullptr), ".replay", [](const std::string& p) {
        g_rec.file = std::fopen(p.c_str(), "wx");  // never over a file that is there
        return g_rec.file ? Claim::Made : errno == EEXIST ? Claim::Taken : Claim::Failed;
      });
  if (path) g_rec.path = *path;
  if (!g_rec.file) {
    Warn("cannot write a replay in " + g_rec.folder);
    return std::nullopt;
  }
  WriteLine(kMagic);
  for (const std::string& line : startLines) WriteLine(line);
  WriteLine("events");
  g_rec.lastMicros = 0;
  if (g_noting) WriteEvent(g_current);
  std::fflush(g_rec.file);
  return g_rec.path;
}

void EndReplayFileAfterDelivery(std::function<std::vector<std::string>()> endLines) {
  if (g_rec.file) g_rec.endLines = std::move(endLines);
}

DeliveryNote::DeliveryNote(ReplayEvent::Kind kind, int64_t micros, int a, int b, std::string name) {
  if (g_depth++ > 0) return;
  ReplayEvent event;
  event.kind = kind;
  event.micros = micros;
  event.a = a;
  event.b = b;
  event.name = std::move(name);
  if (g_play.expected) {
    const ReplayEvent& want = *g_play.expected;
    if (g_play.seen || Describe(event) != Describe(want))
      Diverge("the program was given " + Describe(event) + " where the replay holds " +
              Describe(want));
    g_play.seen = true;
    return;
  }
  if (!ReplaysAsked()) return;
  g_current = std::move(event);
  g_noting = true;
  if (g_rec.file) WriteEvent(g_current);
}

DeliveryNote::~DeliveryNote() {
  if (--g_depth > 0 || !g_noting) return;
  g_noting = false;
  if (!g_rec.file) return;
  WriteReadings(g_current);
  if (g_rec.endLines) {
    WriteLine("end");
    for (const std::string& line : g_rec.endLines()) WriteLine(line);
    CloseFile();
    return;
  }
  std::fflush(g_rec.file);
}

int64_t PassClockReading(int64_t reading) {
  if (g_depth == 0) return reading;
  if (g_play.expected) {
    const std::vector<int64_t>& recorded = g_play.expected->readings;
    if (g_play.nextReading < recorded.size()) return recorded[g_play.nextReading++];
    if (!g_play.expected->cut)
      Diverge("the program read the clock more often than when it was recorded, during " +
              Describe(*g_play.expected));
    return recorded.empty() ? g_play.expected->micros : recorded.back();
  }
  if (g_noting) g_current.readings.push_back(reading);
  return reading;
}

std::optional<ReplayFile> ReadReplayFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the replay " + path;
    return std::nullopt;
  }
  ReplayFile file;
  enum { Magic, Start, Events, End } part = Magic;
  int64_t clock = 0;
  size_t readings = 0;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (in.eof() && part == Events) break;  // a last line cut off where the program died
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto fail = [&](const std::string& why) {
      error = path + ", line " + std::to_string(number) + ": " + why;
      return std::nullopt;
    };
    switch (part) {
      case Magic:
        if (line != kMagic) return fail("this is not a K.Z.V replay");
        part = Start;
        break;
      case Start:
        if (line == "events") {
          part = Events;
        } else {
          file.start.push_back(line);
        }
        break;
      case Events: {
        if (line == "end") {
          part = End;
          file.finished = true;
          break;
        }
        std::vector<std::string> w = SplitWords(line);
        if (!w.empty() && w[0] == "@") {
          if (file.events.empty() || !file.events.back().readings.empty() ||
              !ParseReadings(w, file.events.back(), readings))
            return fail("clock readings that cannot be read");
          break;
        }
        ReplayEvent e;
        if (!ParseEvent(w, clock, e)) return fail("no event: " + line.substr(0, 40));
        file.events.push_back(std::move(e));
        break;
      }
      case End: file.end.push_back(line); break;
    }
  }
  if (part == Magic || part == Start) {
    error = path + ": the replay holds no events";
    return std::nullopt;
  }
  if (!file.finished && !file.events.empty()) file.events.back().cut = true;
  return file;
}

void DeliverReplayEvent(Form* front, const ReplayEvent& event) {
  g_play.expected = &event;
  g_play.seen = false;
  g_play.nextReading = 0;
  struct Done {
    ~Done() {
      const ReplayEvent& e = *g_play.expected;
      if (!g_play.seen)
        Diverge("the program did not take " + Describe(e) + " as it did when it was recorded");
      else if (g_play.nextReading < e.readings.size())
        Diverge("the program read the clock less often than when it was recorded, during " +
                Describe(e));
      g_play.expected = nullptr;
    }
  } done;
  switch (event.kind) {
    case ReplayEvent::Key:
      if (front) DeliverKeyDown(*front, event.a, event.b);
      break;
    case ReplayEvent::Text:
      if (front) DeliverText(*front, event.name);
      break;
    case ReplayEvent::Click:
      if (front) DeliverClick(*front, event.a, event.b);
      break;
    case ReplayEvent::Timer: FireOneDueTimer(event.micros); break;
    case ReplayEvent::Close: DeliverClose(); break;
  }
}

void ReplayPacer::BeginWhenReady(int64_t now) {
  if (begun_ || !replay_.ready || !replay_.ready()) return;
  begun_ = true;
  hostStart_ = now;
  if (replay_.begin) replay_.begin();
}

std::optional<int64_t> ReplayPacer::NextDue() const {
  if (!begun_ || next_ >= replay_.events.size()) return std::nullopt;
  double recorded = double(replay_.events[next_].micros - replay_.events[0].micros);
  return hostStart_ + int64_t(recorded / (replay_.speed > 0 ? replay_.speed : 1));
}

const ReplayEvent* ReplayPacer::TakeDue(int64_t now) {
  if (begun_ && next_ >= replay_.events.size() && !ended_) {
    ended_ = true;
    if (replay_.end) replay_.end();
  }
  std::optional<int64_t> due = NextDue();
  if (!due || *due > now) return nullptr;
  return &replay_.events[next_++];
}

const std::string& ReplayDivergence() { return g_play.divergence; }

void ClearReplayDivergence() { g_play.divergence.clear(); }

std::string EncodeReplayText(const std::string& text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (c <= ' ' || c == '%' || c == 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += char(c);
    }
  }
  return out.empty() ? "%" : out;  // an empty text still makes one word
}

std::string DecodeReplayText(const std::string& word) {
  if (word == "%") return "";
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    unsigned value = 0;
    if (word[i] == '%' && i + 2 < word.size() &&
        std::from_chars(word.data() + i + 1, word.data() + i + 3, value, 16).ptr ==
            word.data() + i + 3) {
      out += char(value);
      i += 2;
    } else {
      out += word[i];
    }
  }
  return out;
}

void ResetReplays() {
  CloseFile();
  g_rec = Recorder();
  g_play = Player();
  g_depth = 0;
  g_noting = false;
  g_current = ReplayEvent();
}

}  // namespace platform
