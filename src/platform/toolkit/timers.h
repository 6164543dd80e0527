#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct Control;

// Timers behave as on Windows: an enabled timer fires when its period has passed (an interval
// below the platform tick of 15.625 ms fires at the tick); enabling starts a fresh period. A
// timer that is late fires once, never in a burst: its next period is counted from when it was
// due, or from when it fired if it missed a whole period, so the next due time is always later.

// A timer's period: its interval, or the tick when the interval is shorter.
int64_t PeriodMicros(const Control& timer);

// The earliest moment an enabled timer of a loaded form is due, if any.
std::optional<int64_t> NextTimerDue();

// Fires the earliest timer due at or before now (ties: creation order), once. False when none
// is due. The handler runs to its end before this returns. firedName, when given, receives the
// timer's name before its handler runs.
bool FireOneDueTimer(int64_t now, std::string* firedName = nullptr);

}  // namespace platform
