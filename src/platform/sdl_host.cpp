#include "platform/sdl_host.h"

namespace platform {
int RunSdlHost(int, char**, const std::function<void()>& start) {
  start();
  return 0;
}
}  // namespace platform
