// Pictures as bytes: the decoders and encoders behind picture.h's loading and saving.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/raster/surface.h"

namespace platform {

// The kinds of picture the game reads, recognised by picture.cpp from their first bytes.
enum class PictureKind { Bmp, Gif, Jpeg };

// The picture in bytes of a recognised kind, decoded to a surface (0x00RRGGBB; a GIF's first
// image over its background); nothing when the bytes are cut short or damaged.
std::optional<Surface> DecodePicture(PictureKind kind, const unsigned char* bytes, std::size_t size);

// A surface encoded as the bytes of a PNG file, or of a JPEG file of quality 1..100; nothing
// when it cannot be encoded.
std::optional<std::string> EncodePng(const Surface& surface);
std::optional<std::string> EncodeJpeg(const Surface& surface, int quality);

}  // namespace platform
