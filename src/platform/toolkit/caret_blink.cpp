#include "platform/toolkit/caret_blink.h"

namespace platform {

void CaretBlink::Start(int64_t now) {
  due_ = now;
  Restart(now);
}

void CaretBlink::Stop() { due_.reset(); }

void CaretBlink::Restart(int64_t now) {
  if (!due_) return;
  on_ = true;
  due_ = now + kPeriodMicros;
}

bool CaretBlink::Tick(int64_t now) {
  if (!due_ || *due_ > now) return false;
  on_ = !on_;
  due_ = now + kPeriodMicros;
  return true;
}

}  // namespace platform
