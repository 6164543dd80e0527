#pragma once
#include <ctime>
#include <optional>
#include <string>

#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// F12 in the real window: the shown form's frame saved as a PNG named by the date and time.

// Where screenshots go when the player has no pictures folder: the record's folder.
void SetScreenshotFallbackFolder(const std::string& dir);

// The player's pictures folder ($XDG_PICTURES_DIR, else the one ~/.config/user-dirs.dirs
// names) when it exists or can be made, else the fallback folder.
std::string ScreenshotFolder();

// Saves frame in folder as "kzv-YYYYMMDD-HHMMSS.png" of the local time when, with "-2", "-3", ...
// added when that name is taken: an earlier screenshot is never overwritten. The path, or
// nothing when it cannot be written.
std::optional<std::string> SaveScreenshot(const Surface& frame, const std::string& folder,
                                          std::time_t when);

// Composes form, saves it in ScreenshotFolder() and says where on stdout (why not, on stderr).
void TakeScreenshot(Form& form);

}  // namespace platform
