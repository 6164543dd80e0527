// The program in the real window: the host loop that runs over the build's window backend.
#pragma once
#include <functional>

#include "platform/replay/replay_log.h"

namespace platform {

// Runs the program in a real window on the real clock: connects to the desktop, calls start
// (which builds and shows the first window), then delivers events, fires timers and presents
// the shown window until the program ends. Returns the process exit status. With a replay, the
// replay's events take the place of the player's and of the timers once it has begun; the
// player's keys then do nothing but Escape, which ends the program.
int RunWindowHost(const std::function<void()>& start, WindowReplay* replay = nullptr);

}  // namespace platform
