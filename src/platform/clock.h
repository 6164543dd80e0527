#pragma once
#include <cstdint>
#include <functional>

namespace platform {

// The program's clock in microseconds. The SDL host reads the real monotonic clock; the script
// host and tests install a virtual one.
int64_t NowMicros();
void SetClock(std::function<int64_t()> clock);  // empty function: back to the real clock

// The next due time of something that repeats every period and was due at `due`, taken at now.
// It is counted from the due time, so that a repeat a little late does not drift; after a
// whole period or more missed it starts afresh from now, so it comes once and never catches up
// in a burst. Either way it lies after now.
int64_t NextRepeatDue(int64_t due, int64_t period, int64_t now);

}  // namespace platform
