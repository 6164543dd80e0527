#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// The text box's caret blinks at the desktop's usual rate while a text box has the focus, and
// shows at once on typing and editing keys. Pure: the host tells it the time and shows what
// it says.
class CaretBlink {
 public:
  static constexpr int64_t kPeriodMicros = 530000;

  void Start(int64_t now);  // a text box took the focus: caret on
  void Stop();
  void Restart(int64_t now);  // a key went to the box: caret on, a fresh period
  // True when the caret changed at now; Visible() then says how it shows.
  bool Tick(int64_t now);
  bool Visible() const { return on_; }
  std::optional<int64_t> NextDue() const { return due_; }

 private:
  std::optional<int64_t> due_;  // while a text box has the focus
  bool on_ = true;
};

}  // namespace platform
