#pragma once
#include <functional>

#include "platform/replay_log.h"

namespace platform {

// Runs the program in a real window on the real clock: initialises SDL, calls start (which
// builds and shows the first window), then delivers events, fires timers and presents the
// shown window until the program ends. Returns the process exit status. With a replay, the
// replay's events take the place of the player's and of the timers once it has begun; the
// player's keys then do nothing but Escape, which ends the program.
int RunSdlHost(int argc, char** argv, const std::function<void()>& start,
               WindowReplay* replay = nullptr);

}  // namespace platform
