#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/raster/surface.h"

namespace platform {

// The picture loader: a Windows bitmap, GIF or JPEG file, recognised by its content whatever
// its name. Nothing when the file cannot be read, is of another kind (PNG, ...), is cut short
// or damaged, or is larger than kMaxPictureSide pixels either way.
std::optional<Surface> LoadPictureFile(const std::string& path);
std::optional<Surface> LoadPictureBytes(const unsigned char* bytes, std::size_t size);

constexpr int kMaxPictureSide = 4096;

// Writes a surface as a PNG (screenshots) or a JPEG of the given quality 1..100. The file is
// written beside its final name and renamed into place, so a failure leaves no half file.
bool SavePng(const Surface& surface, const std::string& path);
bool SavePictureJpeg(const Surface& surface, const std::string& path, int quality = 90);

}  // namespace platform
