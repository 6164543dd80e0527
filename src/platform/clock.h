#pragma once
#include <cstdint>
#include <functional>

namespace platform {

// The program's clock in microseconds. The SDL host reads the real monotonic clock; the script
// host and tests install a virtual one.
int64_t NowMicros();
void SetClock(std::function<int64_t()> clock);  // empty function: back to the real clock

}  // namespace platform
