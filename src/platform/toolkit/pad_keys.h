#pragma once
#include <cstdint>
#include <optional>

#include "platform/toolkit/shift_repeat.h"

namespace platform {

// What a game controller's buttons and left stick mean to the game, as keys: the d-pad and the
// stick are the arrow keys, the south face button is Shift, Start is Enter, and Back and Start
// together are Escape (one button alone never quits). A held direction or south button repeats
// as a held key does: the first repeat 500 ms after the press, then about 30 a second, until it
// is released or another button is pressed. Pure: the host tells it what happened and when.
enum class PadButton { Up, Down, Left, Right, South, Start, Back };

class PadKeys {
 public:
  static constexpr int64_t kDelayMicros = ShiftRepeater::kDelayMicros;
  static constexpr int64_t kPeriodMicros = ShiftRepeater::kPeriodMicros;
  static constexpr int kStickPress = 16000;   // how far the stick must go to press a direction
  static constexpr int kStickRelease = 8000;  // and to come back to release it

  // A button pressed or released at now; the virtual-key code to deliver now, or 0.
  int Press(PadButton button, int64_t now);
  void Release(PadButton button);
  // The left stick's position on one axis (x: false, y: true), -32768..32767, down positive;
  // the key to deliver now when it enters a direction, or 0.
  int Stick(bool vertical, int value, int64_t now);
  // Everything let go, as when the window loses the focus or the controller goes.
  void Stop();

  // When the held key's next repeat is due, while one is.
  std::optional<int64_t> NextDue() const;
  // The held key when its repeat is due at now (the next is scheduled from now: a late host
  // gets one repeat, never a burst), else 0.
  int TakeDue(int64_t now);

 private:
  // The d-pad and the stick are separate sources of the same directions.
  enum Source {
    kUp,
    kDown,
    kLeft,
    kRight,
    kSouth,
    kStart,
    kBack,  // as PadButton
    kStickUp,
    kStickDown,
    kStickLeft,
    kStickRight,
    kSources
  };
  static int KeyOf(int source);  // the key a held source repeats
  int PressSource(int source, int64_t now);
  void ReleaseSource(int source);

  bool down_[kSources] = {};
  int repeating_ = -1;  // the source whose key repeats
  std::optional<int64_t> due_;
};

}  // namespace platform
