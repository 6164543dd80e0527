#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/window.h"

// A mission kept so that it can be played again exactly. The program is single-threaded and
// event-driven, and its only chance is the clock each random draw folds in; so the deliveries
// that both hosts make (input.h, timers.h) with every clock reading the program takes while
// one of them runs are all there is to keep.
//
// A replay file is text, one item a line:
//   KZV-REPLAY 1
//   ...the game's own lines: what the replay starts from...
//   events
//   K <dt> <code> <mask>     a key-down
//   X <dt> <text>            typed text (percent-encoded: no blank, no control character)
//   C <dt> <x> <y>           a click at a client pixel
//   T <dt> <timer>           a timer firing
//   Q <dt>                   the close box
//   @ <d> <d>*<n> ...        the clock readings of the delivery above: each the step from the
//                            one before (the first from the delivery's time); d*n is n steps of d
//   end
//   ...the game's own lines: how the mission ended...
// dt is the step of the delivery's clock from the delivery before (the first: from 0), in
// microseconds. Every time lies between 0 and kReplayLatestClock, and a file holds at most
// kReplayMostReadings clock readings; a file that says otherwise cannot be read. A delivery is written when it begins and its readings when it is over, so a
// program that dies leaves its replay up to the delivery it died in.

namespace platform {

// Some thirty years: a timer's period added to any time a replay holds stays far from the
// limits of the numbers.
constexpr int64_t kReplayLatestClock = 1'000'000'000'000'000;
// Days of play, and a bound against a damaged run count.
constexpr size_t kReplayMostReadings = 16'000'000;

struct ReplayEvent {
  enum Kind : char { Key = 'K', Text = 'X', Click = 'C', Timer = 'T', Close = 'Q' };
  Kind kind = Key;
  int64_t micros = 0;  // the clock when it was delivered
  int a = 0, b = 0;    // key: code and mask; click: x and y
  std::string name;    // typed text; the timer's name
  std::vector<int64_t> readings;  // every clock reading the program took during it
  bool cut = false;  // the program died during it: its readings may stop short
};

struct ReplayFile {
  std::vector<std::string> start;   // the lines before "events"
  std::vector<ReplayEvent> events;
  std::vector<std::string> end;     // the lines after "end"
  bool finished = false;            // "end" was reached
};

// --- Recording ------------------------------------------------------------------------------

// Asks for replays in the folder (created when missing). Until then nothing is kept.
void AskForReplays(const std::string& folder);
bool ReplaysAsked();

// Called during a delivery: opens a new file in the folder, "kzv-YYYYMMDD-HHMMSS.replay" (a
// number added when that is taken; nothing is overwritten), writes the start lines and then
// the delivery under way. The path, or nothing (with one warning on stderr) when it cannot be
// written; the game goes on either way.
std::optional<std::string> BeginReplayFile(const std::vector<std::string>& startLines);

// Called during a delivery: when it is over, its readings and the end lines (asked for then)
// are written and the file is closed.
void EndReplayFileAfterDelivery(std::function<std::vector<std::string>()> endLines);

// The boundary: input.h and timers.h make one of these for each delivery to the program. It
// records the delivery while a replay file is open, and while a replay plays it checks that
// the delivery is the one the replay holds. Nested deliveries count as part of the outer one.
class DeliveryNote {
 public:
  DeliveryNote(ReplayEvent::Kind kind, int64_t micros, int a = 0, int b = 0, std::string name = {});
  ~DeliveryNote();
  DeliveryNote(const DeliveryNote&) = delete;
  DeliveryNote& operator=(const DeliveryNote&) = delete;
};

// The clock passes every reading through here (clock.cpp): a recorded delivery keeps it, a
// replayed one gets the recorded reading instead.
int64_t PassClockReading(int64_t reading);

// --- Playing --------------------------------------------------------------------------------

// Reads a replay file; a message naming the file and the line when it cannot be read.
std::optional<ReplayFile> ReadReplayFile(const std::string& path, std::string& error);

// Delivers one recorded event to the form in front (timers and the close box need none) with
// its recorded clock readings; ProgramEnded passes through. The first way in which the
// program did not do what it did when it was recorded is kept (ReplayDivergence).
void DeliverReplayEvent(Form* front, const ReplayEvent& event);
// "" while every replayed delivery went as recorded.
const std::string& ReplayDivergence();
void ClearReplayDivergence();

// A replay watched in the window. The program starts as usual; once ready() says it waits
// where the replay begins, begin() puts back what the mission started from, and the events
// follow at their recorded pace, speed times faster; end() runs after the last one.
struct WindowReplay {
  std::vector<ReplayEvent> events;
  std::function<bool()> ready;
  std::function<void()> begin;
  std::function<void()> end;
  double speed = 1;
};

// When each event of a window replay is due on the host's clock.
class ReplayPacer {
 public:
  explicit ReplayPacer(WindowReplay& replay) : replay_(replay) {}
  bool Begun() const { return begun_; }
  // Begins the replay at now once the program is ready for it.
  void BeginWhenReady(int64_t now);
  // The host's time of the next event; nothing before the beginning and after the last one.
  std::optional<int64_t> NextDue() const;
  // The next event when it is due at now (the caller delivers it), else nullptr; after the
  // last one, end() runs once.
  const ReplayEvent* TakeDue(int64_t now);

 private:
  WindowReplay& replay_;
  bool begun_ = false, ended_ = false;
  size_t next_ = 0;
  int64_t hostStart_ = 0;
};

// Text as one word of a replay line and back.
std::string EncodeReplayText(const std::string& text);
std::string DecodeReplayText(const std::string& word);

// Back to program start: nothing asked, no file open, nothing playing.
void ResetReplays();

}  // namespace platform
