// The picture codec on SDL_image (BMP, JPEG, PNG) and giflib (GIF).
#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "platform/raster/picture.h"
#include "platform/picture_codec.h"
#include "platform/sdl/memory_stream.h"

namespace platform {
namespace {

bool SideOk(int64_t side) {
  return side > 0 && side <= kMaxPictureSide;
}

// GIF through giflib, which checks the codes it decodes. Only the first image is shown, drawn
// from the top left corner at its own size; a transparent colour is kept as the colour it
// stands for. It must be whole: every row decoded and its data closed by the end block.
struct GifInput {
  const unsigned char* p;
  size_t size, at;
};

int ReadGifInput(GifFileType* gif, GifByteType* into, int wanted) {
  auto* in = static_cast<GifInput*>(gif->UserData);
  const size_t n = std::min(size_t(wanted), in->size - in->at);
  std::memcpy(into, in->p + in->at, n);
  in->at += n;
  return int(n);
}

std::optional<Surface> DecodeFirstGifImage(GifFileType* gif) {
  if (!SideOk(gif->SWidth) || !SideOk(gif->SHeight)) return std::nullopt;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return std::nullopt;
    if (record == EXTENSION_RECORD_TYPE) {
      int code;
      GifByteType* block;
      if (DGifGetExtension(gif, &code, &block) != GIF_OK) return std::nullopt;
      while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return std::nullopt;
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) return std::nullopt;
    const GifImageDesc& image = gif->Image;
    if (!SideOk(image.Width) || !SideOk(image.Height)) return std::nullopt;
    const ColorMapObject* map = image.ColorMap ? image.ColorMap : gif->SColorMap;
    std::vector<GifPixelType> indices(size_t(image.Width) * image.Height);
    // Interlaced rows arrive in four passes: every 8th from 0, every 8th from 4, every 4th
    // from 2, every 2nd from 1.
    static constexpr int kFirst[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = image.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const int first = image.Interlace ? kFirst[pass] : 0, step = image.Interlace ? kStep[pass] : 1;
      for (int y = first; y < image.Height; y += step)
        if (DGifGetLine(gif, &indices[size_t(y) * image.Width], image.Width) != GIF_OK)
          return std::nullopt;
    }
    Surface out(image.Width, image.Height);
    for (size_t i = 0; i < indices.size(); ++i) {
      if (!map || indices[i] >= map->ColorCount) continue;  // black
      const GifColorType& c = map->Colors[indices[i]];
      out.pixels[i] = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
    }
    return out;
  }
}

std::optional<Surface> LoadGif(const unsigned char* bytes, size_t size) {
  GifInput input{bytes, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadGifInput, &error);
  if (!gif) return std::nullopt;
  std::optional<Surface> picture = DecodeFirstGifImage(gif);
  DGifCloseFile(gif, &error);
  return picture;
}

std::optional<Surface> ToSurface(SDL_Surface* loaded) {
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

// A borrowed SDL view of a surface's pixels, for the writers.
SDL_Surface* View(const Surface& s) {
  if (s.Empty() || s.pixels.size() < size_t(s.width) * s.height) return nullptr;
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(s.pixels.data()), s.width,
                                            s.height, 32, s.width * 4, SDL_PIXELFORMAT_RGB888);
}

// The bytes an SDL writer makes of the surface.
template <typename Write>
std::optional<std::string> Encode(const Surface& surface, Write write) {
  SDL_Surface* view = View(surface);
  if (!view) return std::nullopt;
  std::optional<std::string> bytes = WriteToMemory([&](SDL_RWops* rw) { return write(view, rw); });
  SDL_FreeSurface(view);
  return bytes;
}

}  // namespace

std::optional<Surface> DecodePicture(PictureKind kind, const unsigned char* bytes, std::size_t size) {
  if (kind == PictureKind::Gif) return LoadGif(bytes, size);
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw) return std::nullopt;
  SDL_Surface* loaded = kind == PictureKind::Bmp ? IMG_LoadBMP_RW(rw) : IMG_LoadJPG_RW(rw);
  SDL_RWclose(rw);
  return ToSurface(loaded);
}

std::optional<std::string> EncodePng(const Surface& surface) {
  return Encode(surface, [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); });
}

std::optional<std::string> EncodeJpeg(const Surface& surface, int quality) {
  return Encode(surface, [quality](SDL_Surface* s, SDL_RWops* rw) {
    return IMG_SaveJPG_RW(s, rw, 0, quality);
  });
}

}  // namespace platform
