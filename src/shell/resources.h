#pragma once
#include <string>

#include "platform/raster/surface.h"

// Loads the ten pictures of the main window and the nineteen waves, in the fixed order; the
// first file that is missing (or cannot be decoded) stops the program.
void LoadResources();

// The picture of data file `name`, stopping the program when it is absent or undecodable.
platform::Surface LoadDataPicture(const std::string& name);
