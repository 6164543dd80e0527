#include "platform/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include "platform/files.h"

namespace platform {
namespace {

std::optional<Surface> Decode(SDL_RWops* rw) {
  if (!rw) return std::nullopt;
  // Recognised by content: BMP, GIF and JPEG only, whatever the file is called.
  bool known = IMG_isBMP(rw) || IMG_isGIF(rw) || IMG_isJPG(rw);
  if (!known) {
    SDL_RWclose(rw);
    return std::nullopt;
  }
  SDL_Surface* loaded = IMG_Load_RW(rw, 1);
  if (!loaded) return std::nullopt;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) return std::nullopt;
  Surface out(argb->w, argb->h);
  for (int y = 0; y < argb->h; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                  size_t(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x) out.At(x, y) = row[x] & 0x00FFFFFF;
  }
  SDL_FreeSurface(argb);
  return out;
}

}  // namespace

std::optional<Surface> LoadPictureFile(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes || bytes->empty()) return std::nullopt;
  return LoadPictureBytes(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size());
}

std::optional<Surface> LoadPictureBytes(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size == 0) return std::nullopt;
  return Decode(SDL_RWFromConstMem(bytes, int(size)));
}

}  // namespace platform
