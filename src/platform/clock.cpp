#include "platform/clock.h"

#include <chrono>

namespace platform {
namespace {
std::function<int64_t()>& Source() {
  static std::function<int64_t()> source;
  return source;
}
}  // namespace

int64_t NowMicros() {
  if (Source()) return Source()();
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetClock(std::function<int64_t()> clock) { Source() = std::move(clock); }

}  // namespace platform
