// Pictures: recognised by their first bytes, checked whole, loaded and saved through the codec.
#include "platform/raster/picture.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/picture_codec.h"

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
  // A GIF's logical screen must be of a sensible size too: a codec that shows only the first
  // image may never look at it.
  if (b.Has(0, 6) && (std::memcmp(b.p, "GIF87a", 6) == 0 || std::memcmp(b.p, "GIF89a", 6) == 0))
    return SideOk(b.U16le(6)) && SideOk(b.U16le(8)) ? Kind::Gif : Kind::Unknown;
  if (b.Has(0, 3) && b.p[0] == 0xFF && b.p[1] == 0xD8 && b.p[2] == 0xFF)
    return JpegLooksWhole(b) ? Kind::Jpeg : Kind::Unknown;
  return Kind::Unknown;
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
  return DecodePicture(kind == Kind::Bmp   ? PictureKind::Bmp
                       : kind == Kind::Gif ? PictureKind::Gif
                                           : PictureKind::Jpeg,
                       bytes, size);
}

bool SavePng(const Surface& surface, const std::string& path) {
  std::optional<std::string> bytes = EncodePng(surface);
  return bytes && WriteFileAtomically(path, *bytes);
}

bool SavePictureJpeg(const Surface& surface, const std::string& path, int quality) {
  std::optional<std::string> bytes = EncodeJpeg(surface, std::clamp(quality, 1, 100));
  return bytes && WriteFileAtomically(path, *bytes);
}

}  // namespace platform
