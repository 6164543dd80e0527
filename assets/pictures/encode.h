#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

using Bytes = std::vector<unsigned char>;

// Windows bitmap, 24 bits per pixel (through SDL).
Bytes EncodeBmp24(const Image& im);
// Windows bitmap with a palette of 256 (bits = 8, through SDL) or 16 (bits = 4) entries. Every
// colour is kept exactly; a picture with more colours than the palette holds is a generator fault.
Bytes EncodeBmpPalette(const Image& im, int bits);
// GIF89a through giflib. Pictures of up to 256 colours keep them exactly; pictures with
// more are reduced to their 256 most frequent colours first (see ReduceColours).
Bytes EncodeGif(const Image& im);
// JPEG through SDL2_image, for photographic pictures that no block copy combines bitwise.
Bytes EncodeJpeg(const Image& im, int quality);

// The distinct colours of a picture in a fixed order (the order of first appearance).
std::vector<uint32_t> Palette(const Image& im);
// Maps every pixel to one of at most n colours: the n most frequent, others to the nearest.
Image ReduceColours(const Image& im, int n);
