#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// Desktops do not auto-repeat Shift, but the game fires and turns pages on Shift's repeats.
// While Shift is held alone this produces the repeats a held key would give: the first
// 500 ms after the press, then about 30 a second. Another key pressed meanwhile, a repeat the
// desktop sends itself, Shift's release or the window losing the focus stop it. Pure: the
// host tells it what happened and when, and asks when the next repeat is due.
class ShiftRepeater {
 public:
  static constexpr int64_t kDelayMicros = 500000;
  static constexpr int64_t kPeriodMicros = 33333;

  // A key-down from the desktop (a first press or its own repeat) or a key-up, by
  // virtual-key code, at now (microseconds).
  void KeyDown(int vk, bool isRepeat, int64_t now);
  void KeyUp(int vk);
  void Stop();

  // When the next synthesised repeat is due, while one is pending.
  std::optional<int64_t> NextDue() const;
  // True when a repeat is due at now; it counts as delivered and the next is scheduled from
  // now (a late host gets one repeat, never a burst).
  bool TakeDue(int64_t now);

 private:
  std::optional<int64_t> due_;
};

}  // namespace platform
