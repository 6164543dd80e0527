// SDL's keys by name, for tests.
#include "support/sdl_keys.h"

#include <SDL.h>

namespace platform {

int32_t SdlKeyFromName(const char* name) { return SDL_GetKeyFromName(name); }

int SdlModifiers(bool shift, bool ctrl, bool alt, bool numLock) {
  return (shift ? KMOD_LSHIFT : 0) | (ctrl ? KMOD_LCTRL : 0) | (alt ? KMOD_LALT : 0) |
         (numLock ? KMOD_NUM : 0);
}

}  // namespace platform
