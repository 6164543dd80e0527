#include "platform/picture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/memory_stream.h"

namespace platform {
namespace {

enum class Kind { Unknown, Bmp, Gif, Jpeg };

// A byte reader that never reads past the end: reads beyond it give 0 and mark it short.
struct Bytes {
  const unsigned char* p;
  size_t size;
  bool Has(size_t at, size_t n) const { return at <= size && n <= size - at; }
  unsigned U8(size_t at) const { return at < size ? p[at] : 0; }
  unsigned U16le(size_t at) const { return U8(at) | U8(at + 1) << 8; }
  unsigned U16be(size_t at) const { return U8(at) << 8 | U8(at + 1); }
  int32_t I32le(size_t at) const {
    return int32_t(uint32_t(U16le(at)) | uint32_t(U16le(at + 2)) << 16);
  }
};

bool SideOk(int64_t side) {
  return side > 0 && side <= kMaxPictureSide;
}

// Windows bitmap: the headers must be whole and the size sensible; SDL_image checks the rest
// and refuses pixel data that is cut short.
bool BmpLooksWhole(const Bytes& b) {
  if (!b.Has(0, 18)) return false;
  const uint32_t headerSize = uint32_t(b.I32le(14));
  if (!b.Has(14, headerSize)) return false;
  int64_t w, h;
  if (headerSize == 12) {
    w = b.U16le(18);
    h = b.U16le(20);
  } else if (headerSize >= 16) {
    w = b.I32le(18);
    h = b.I32le(22);
    if (h < 0) h = -h;  // top-down rows
  } else {
    return false;
  }
  const uint32_t pixelsAt = uint32_t(b.I32le(10));
  return SideOk(w) && SideOk(h) && pixelsAt < b.size;
}

// JPEG: a frame header of a sensible size before the first scan, and the end-of-image marker
// after it. The decoder would otherwise fill a cut-short picture with grey and call it good.
bool JpegLooksWhole(const Bytes& b) {
  size_t at = 2;
  bool frame = false;
  for (;;) {
    if (!b.Has(at, 2) || b.U8(at) != 0xFF) return false;
    while (b.U8(at + 1) == 0xFF && b.Has(at + 1, 2)) ++at;  // fill bytes
    const unsigned marker = b.U8(at + 1);
    at += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD8 || marker == 0xD9) return false;
    if (!b.Has(at, 2)) return false;
    const unsigned length = b.U16be(at);
    if (length < 2 || !b.Has(at, length)) return false;
    const bool startOfFrame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (length < 8) return false;
      if (!SideOk(b.U16be(at + 3)) || !SideOk(b.U16be(at + 5))) return false;
      frame = true;
    }
    if (marker == 0xDA) {
      if (!frame) return false;
      // Entropy-coded data never holds FF D9 (an FF in it is followed by 00 or a restart).
      for (size_t i = at + length; i + 1 < b.size; ++i)
        if (b.p[i] == 0xFF && b.p[i + 1] == 0xD9) return true;
      return false;
    }
    at += length;
  }
}

Kind Recognise(const Bytes& b) {
  if (b.Has(0, 2) && b.p[0] == 'B' && b.p[1] == 'M')
    return BmpLooksWhole(b) ? Kind::Bmp : Kind::Unknown;
  if (b.Has(0, 6) && (std::memcmp(b.p, "GIF87a", 6) == 0 || std::memcmp(b.p, "GIF89a", 6) == 0))
    return Kind::Gif;
  if (b.Has(0, 3) && b.p[0] == 0xFF && b.p[1] == 0xD8 && b.p[2] == 0xFF)
    return JpegLooksWhole(b) ? Kind::Jpeg : Kind::Unknown;
  return Kind::Unknown;
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

// Writes what an SDL writer makes of the surface through the one atomic file writer.
template <typename Write>
bool SaveThrough(const Surface& surface, const std::string& path, Write write) {
  SDL_Surface* view = View(surface);
  if (!view) return false;
  std::optional<std::string> bytes = WriteToMemory([&](SDL_RWops* rw) { return write(view, rw); });
  SDL_FreeSurface(view);
  return bytes && WriteFileAtomically(path, *bytes);
}

}  // namespace

std::optional<Surface> LoadPictureFile(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes || bytes->empty()) return std::nullopt;
  return LoadPictureBytes(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size());
}

std::optional<Surface> LoadPictureBytes(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size == 0 || size > size_t(INT_MAX)) return std::nullopt;
  const Kind kind = Recognise(Bytes{bytes, size});
  if (kind == Kind::Unknown) return std::nullopt;
  if (kind == Kind::Gif) return LoadGif(bytes, size);
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw) return std::nullopt;
  SDL_Surface* loaded = kind == Kind::Bmp ? IMG_LoadBMP_RW(rw) : IMG_LoadJPG_RW(rw);
  SDL_RWclose(rw);
  return ToSurface(loaded);
}

bool SavePng(const Surface& surface, const std::string& path) {
  return SaveThrough(surface, path,
                     [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 0); });
}

bool SavePictureJpeg(const Surface& surface, const std::string& path, int quality) {
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  return SaveThrough(surface, path, [quality](SDL_Surface* s, SDL_RWops* rw) {
    return IMG_SaveJPG_RW(s, rw, 0, quality);
  });
}

}  // namespace platform
