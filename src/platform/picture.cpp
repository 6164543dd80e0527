#include "platform/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

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

// Walks a run of GIF data sub-blocks starting at `at`, handing each one's bytes to `each`
// (offset, length), and moves past the run; false when it runs past the end or `each` refuses.
template <class Each>
bool WalkSubBlocks(const Bytes& b, size_t& at, Each each) {
  for (;;) {
    if (!b.Has(at, 1)) return false;
    const unsigned n = b.U8(at);
    ++at;
    if (n == 0) return true;
    if (!b.Has(at, n) || !each(at, n)) return false;
    at += n;
  }
}

bool SkipSubBlocks(const Bytes& b, size_t& at) {
  return WalkSubBlocks(b, at, [](size_t, unsigned) { return true; });
}

// The LZW codes of an image, read across its sub-blocks as the decoder reads them (low bits
// first, one bit wider each time the table fills a power of two, 12 bits at most). Every code
// must name an entry the table already has or the one it is about to make, and the code after a
// clear code must be a colour. SDL_image's decoder trusts both: a code beyond the table lets it
// link entries into a loop, which it then follows until it writes past its own buffers.
// Moves past the sub-blocks; false when they run past the end or a code is refused.
bool LzwCodesSound(const Bytes& b, size_t& at, unsigned minCodeSize) {
  const unsigned clear = 1u << minCodeSize;
  const unsigned end = clear + 1;
  unsigned width = minCodeSize + 1;
  unsigned next = clear + 2;  // the entry the next code makes
  bool start = true;          // before the first colour: the decoder skips clear codes here
  bool afterClear = false;    // the decoder takes the code after a clear as a colour
  bool ended = false;
  uint32_t pending = 0;
  unsigned pendingBits = 0;
  return WalkSubBlocks(b, at, [&](size_t from, unsigned n) {
    for (unsigned i = 0; i < n && !ended; ++i) {
      pending |= uint32_t(b.U8(from + i)) << pendingBits;
      pendingBits += 8;
      while (pendingBits >= width && !ended) {
        const unsigned code = pending & ((1u << width) - 1);
        pending >>= width;
        pendingBits -= width;
        if (start || afterClear) {
          if (start && code == clear) continue;
          if (code >= clear) return false;
          start = afterClear = false;
        } else if (code == clear) {
          width = minCodeSize + 1;
          next = clear + 2;
          afterClear = true;
        } else if (code == end) {
          ended = true;
        } else if (code > next) {
          return false;
        } else if (next < 4096) {
          ++next;
          if (next == (1u << width) && width < 12) ++width;
        }
      }
    }
    return true;
  });
}

// GIF: the first image (the one shown) must be complete; the decoder would otherwise show
// whatever part of it arrived.
bool GifLooksWhole(const Bytes& b) {
  if (!b.Has(0, 13)) return false;
  if (!SideOk(b.U16le(6)) || !SideOk(b.U16le(8))) return false;
  size_t at = 13;
  const unsigned flags = b.U8(10);
  if (flags & 0x80) at += 3u << ((flags & 7) + 1);
  for (;;) {
    if (!b.Has(at, 1)) return false;
    const unsigned block = b.U8(at++);
    if (block == 0x21) {  // extension: label, then sub-blocks
      ++at;
      if (!SkipSubBlocks(b, at)) return false;
    } else if (block == 0x2C) {  // image descriptor
      if (!b.Has(at, 9)) return false;
      if (!SideOk(b.U16le(at + 4)) || !SideOk(b.U16le(at + 6))) return false;
      const unsigned local = b.U8(at + 8);
      at += 9;
      if (local & 0x80) at += 3u << ((local & 7) + 1);
      if (!b.Has(at, 1)) return false;
      const unsigned minCodeSize = b.U8(at++);
      if (minCodeSize < 2 || minCodeSize > 11) return false;
      return LzwCodesSound(b, at, minCodeSize);
    } else {
      return false;  // the trailer or garbage before any image
    }
  }
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
    return GifLooksWhole(b) ? Kind::Gif : Kind::Unknown;
  if (b.Has(0, 3) && b.p[0] == 0xFF && b.p[1] == 0xD8 && b.p[2] == 0xFF)
    return JpegLooksWhole(b) ? Kind::Jpeg : Kind::Unknown;
  return Kind::Unknown;
}

std::optional<Surface> ToSurface(SDL_Surface* loaded) {
  if (!loaded) return std::nullopt;
  // A GIF's transparent colour is kept as the colour it stands for.
  SDL_SetColorKey(loaded, SDL_FALSE, 0);
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

template <typename Write>
bool SaveBeside(const Surface& surface, const std::string& path, Write write) {
  SDL_Surface* view = View(surface);
  if (!view) return false;
  const std::string temporary = path + ".part";
  const bool written = write(view, temporary.c_str()) == 0;
  SDL_FreeSurface(view);
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
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
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw) return std::nullopt;
  SDL_Surface* loaded = kind == Kind::Bmp   ? IMG_LoadBMP_RW(rw)
                        : kind == Kind::Gif ? IMG_LoadGIF_RW(rw)
                                            : IMG_LoadJPG_RW(rw);
  SDL_RWclose(rw);
  return ToSurface(loaded);
}

bool SavePng(const Surface& surface, const std::string& path) {
  return SaveBeside(surface, path,
                    [](SDL_Surface* s, const char* file) { return IMG_SavePNG(s, file); });
}

bool SavePictureJpeg(const Surface& surface, const std::string& path, int quality) {
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  return SaveBeside(surface, path, [quality](SDL_Surface* s, const char* file) {
    return IMG_SaveJPG(s, file, quality);
  });
}

}  // namespace platform
