#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// Timers behave as on Windows: an enabled timer fires when its period has passed; a timer that
// is late fires once, never in a burst, and its next period starts when it fired.

// The earliest moment an enabled timer of a loaded form is due, if any.
std::optional<int64_t> NextTimerDue();

// Fires the earliest timer due at or before now (ties: creation order), once. False when none
// is due. The handler runs to its end before this returns.
bool FireOneDueTimer(int64_t now);

}  // namespace platform
