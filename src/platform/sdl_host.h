#pragma once
#include <functional>

namespace platform {

// Runs the program in a real window on the real clock: initialises SDL, calls start (which
// builds and shows the first window), then delivers events, fires timers and presents the
// shown window until the program ends. Returns the process exit status.
int RunSdlHost(int argc, char** argv, const std::function<void()>& start);

}  // namespace platform
