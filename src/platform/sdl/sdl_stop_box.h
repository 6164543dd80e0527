// The stop box in a window of its own on SDL2, waited on until it is closed.
#pragma once
#include <SDL.h>

#include <string>

#include "platform/raster/rect.h"
#include "platform/raster/surface.h"

namespace platform {

// Shows the stop box's picture in a window of its own, centred on the screen above owner (when
// there is one) at the game's scale, and waits until it is closed: its OK button (ok, in the
// picture's pixels), Enter, Space or Escape, or its close box. Nothing else of the program runs
// meanwhile.
void RunStopBox(const std::string& title, const Surface& picture, const Rect& ok, SDL_Window* owner);

}  // namespace platform
