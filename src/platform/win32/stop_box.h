#pragma once
// The stop box's picture shown modally over the game's window until the player closes it.
#include <windows.h>

#include <string>

#include "platform/raster/rect.h"
#include "platform/raster/surface.h"

namespace platform {

void RunStopBox(const std::string& title, const Surface& picture, const Rect& ok, HWND owner);

}  // namespace platform
