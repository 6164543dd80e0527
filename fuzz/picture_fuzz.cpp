// The picture loader on arbitrary bytes: a picture or nothing, never a crash.
#include <cstdint>
#include <cstdio>

#include "fuzz_support.h"
#include "platform/raster/picture.h"

namespace {
bool PixelsAreColours(const platform::Surface& picture) {
  uint32_t bits = 0;
  for (uint32_t pixel : picture.pixels) bits |= pixel;
  return bits <= 0x00FFFFFF;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto picture = platform::LoadPictureBytes(data, size);
  if (!picture) return 0;
  if (picture->width <= 0 || picture->height <= 0 || picture->width > platform::kMaxPictureSide ||
      picture->height > platform::kMaxPictureSide) {
    Fail("a picture of a side the loader refuses");
  }
  if (picture->pixels.size() != size_t(picture->width) * picture->height) {
    Fail("picture of the wrong size");
  }
  if (!PixelsAreColours(*picture)) Fail("a pixel with bits above the colour");
  return 0;
}
