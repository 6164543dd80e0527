// The picture loader on arbitrary bytes: a picture or nothing, never a crash.
#include <cstdint>
#include <cstdio>

#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto picture = platform::LoadPictureBytes(data, size);
  if (picture && picture->pixels.size() != size_t(picture->width) * picture->height) {
    std::fprintf(stderr, "picture of the wrong size\n");
    __builtin_trap();
  }
  return 0;
}
