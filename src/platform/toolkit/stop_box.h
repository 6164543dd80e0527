#pragma once
#include <string>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// The stop box's picture: a title bar with the title, the stop icon, the text and one OK
// button, drawn with the game's own fonts, so that it reads the same whatever the desktop's
// language. Sizes are at 1x; the host shows it at the game's scale.
struct StopBoxPicture {
  Surface picture;
  Rect ok;  // the OK button, in the picture's pixels
};
StopBoxPicture DrawStopBox(const std::string& title, const std::string& text);

// Makes form the one a backend opens to show the stop box's picture: shown, captioned title,
// of the picture's size, with the picture as its whole face.
void SetUpStopBoxForm(Form& form, const std::string& title, const Surface& picture);

}  // namespace platform
