#include "platform/toolkit/pad_keys.h"

#include "platform/clock.h"
#include "platform/toolkit/window.h"

namespace platform {

int PadKeys::KeyOf(int source) {
  static constexpr int kKeys[kSources] = {
      vk::Up, vk::Down, vk::Left, vk::Right, vk::Shift, 0, 0,  // d-pad, south, start, back
      vk::Up, vk::Down, vk::Left, vk::Right,                   // the stick
  };
  return source >= 0 && source < kSources ? kKeys[source] : 0;
}

int PadKeys::Press(PadButton button, int64_t now) {
  return PressSource(int(button), now);
}

void PadKeys::Release(PadButton button) {
  ReleaseSource(int(button));
}

int PadKeys::PressSource(int source, int64_t now) {
  if (down_[source]) return 0;
  down_[source] = true;
  repeating_ = -1;  // another button ends the repeats, as another key does
  due_.reset();
  // Back and Start together quit; whichever comes second decides.
  if (source == kStart) return down_[kBack] ? vk::Escape : vk::Enter;
  if (source == kBack) return down_[kStart] ? vk::Escape : 0;
  repeating_ = source;
  due_ = now + kDelayMicros;
  return KeyOf(source);
}

void PadKeys::ReleaseSource(int source) {
  down_[source] = false;
  if (source == repeating_) {
    repeating_ = -1;
    due_.reset();
  }
}

int PadKeys::Stick(bool vertical, int value, int64_t now) {
  const int minus = vertical ? kStickUp : kStickLeft, plus = vertical ? kStickDown : kStickRight;
  if (value >= kStickPress) {
    ReleaseSource(minus);
    return PressSource(plus, now);
  }
  if (value <= -kStickPress) {
    ReleaseSource(plus);
    return PressSource(minus, now);
  }
  if (value > -kStickRelease && value < kStickRelease) {
    ReleaseSource(minus);
    ReleaseSource(plus);
  }
  return 0;
}

void PadKeys::Stop() {
  for (bool& d : down_) d = false;
  repeating_ = -1;
  due_.reset();
}

std::optional<int64_t> PadKeys::NextDue() const {
  return due_;
}

int PadKeys::TakeDue(int64_t now) {
  if (!due_ || *due_ > now) return 0;
  due_ = NextRepeatDue(*due_, kPeriodMicros, now);
  return KeyOf(repeating_);
}

}  // namespace platform
