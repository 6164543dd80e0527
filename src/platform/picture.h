#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/surface.h"

namespace platform {

// The picture loader: a Windows bitmap, GIF or JPEG file, recognised by its content whatever
// its name. Nothing when the file cannot be read or decoded.
std::optional<Surface> LoadPictureFile(const std::string& path);
std::optional<Surface> LoadPictureBytes(const unsigned char* bytes, std::size_t size);

}  // namespace platform
