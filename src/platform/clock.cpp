#include "platform/clock.h"

#include <chrono>

#include "platform/replay/replay_log.h"

namespace platform {
namespace {
std::function<int64_t()>& Source() {
  static std::function<int64_t()> source;
  return source;
}
}  // namespace

int64_t NowMicros() {
  using namespace std::chrono;
  int64_t reading = Source() ? Source()()
                             : duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
  return PassClockReading(reading);
}

void SetClock(std::function<int64_t()> clock) { Source() = std::move(clock); }

int64_t NextRepeatDue(int64_t due, int64_t period, int64_t now) {
  return due + period > now ? due + period : now + period;
}

}  // namespace platform
