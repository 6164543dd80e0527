// Every test program runs with no audio device and no display of its own, whether ctest or a
// developer starts it. Values already set in the environment win.
#include <cstdlib>

namespace {
struct TestEnvironment {
  TestEnvironment() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
  }
} const kTestEnvironment;
}  // namespace
