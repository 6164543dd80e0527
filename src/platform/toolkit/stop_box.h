#pragma once
#include <string>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"

namespace platform {

// The stop box's picture: a title bar with the title, the stop icon, the text and one OK
// button, drawn with the game's own fonts, so that it reads the same whatever the desktop's
// language. Sizes are at 1x; the host shows it at the game's scale.
struct StopBoxPicture {
  Surface picture;
  Rect ok;  // the OK button, in the picture's pixels
};
StopBoxPicture DrawStopBox(const std::string& title, const std::string& text);

}  // namespace platform
