#pragma once
// XInput controllers as the window backend's pad events: each connected controller's d-pad,
// south button (A), Start, Back and left stick, and its pulling out.
#include <cstdint>
#include <vector>

#include "platform/window_backend.h"

namespace platform {

class XInputPads {
 public:
  // Reads every controller at now (microseconds) when a reading is due; appends what changed.
  void Poll(int64_t now, std::vector<WindowEvent>& events);
  // How long until the next reading: short while a controller is connected, else now and then
  // to notice one plugged in.
  int64_t NextPoll() const { return nextPoll_; }

 private:
  static constexpr int kSlots = 4;
  bool connected_[kSlots] = {};
  uint16_t buttons_[kSlots] = {};
  int stick_[kSlots][2] = {};
  int64_t nextPoll_ = 0;
  int64_t nextSearch_ = 0;
};

}  // namespace platform
