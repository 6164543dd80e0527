#include "platform/toolkit/shift_repeat.h"

#include "platform/clock.h"
#include "platform/toolkit/window.h"

namespace platform {

void ShiftRepeater::KeyDown(int key, bool isRepeat, int64_t now) {
  if (key == vk::Shift && !isRepeat)
    due_ = now + kDelayMicros;
  else
    due_.reset();  // Shift is no longer alone, or the desktop repeats it by itself
}

void ShiftRepeater::KeyUp(int key) {
  if (key == vk::Shift) due_.reset();
}

void ShiftRepeater::Stop() { due_.reset(); }

std::optional<int64_t> ShiftRepeater::NextDue() const { return due_; }

bool ShiftRepeater::TakeDue(int64_t now) {
  if (!due_ || *due_ > now) return false;
  due_ = NextRepeatDue(*due_, kPeriodMicros, now);
  return true;
}

}  // namespace platform
