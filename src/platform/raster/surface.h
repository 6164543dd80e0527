#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A 32-bit drawing surface; each pixel is 0x00RRGGBB (the top byte is always 0).
//
// Each surface carries a version that changes whenever its pixels may have changed, so that
// composing can skip a picture that stayed the same without reading it. The drawing functions
// and the writable At() mark the change themselves; code that writes `pixels` directly calls
// Touch().
struct Surface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Surface() = default;
  Surface(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t& At(int x, int y) {
    touched_ = true;
    return pixels[std::size_t(y) * width + x];
  }
  uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  void Fill(uint32_t color) {
    touched_ = true;
    pixels.assign(pixels.size(), color);
  }
  void Touch() { touched_ = true; }
  // Equal versions, equal pixels: a copy shares its original's version until either changes.
  uint64_t Version() const;

 private:
  mutable uint64_t version_ = 0;
  mutable bool touched_ = true;  // changed since version_ was given
};

// A 64-bit fingerprint of the size and every pixel (FNV-1a): equal pictures, equal hashes.
uint64_t PixelHash(const Surface& s);

// The raster operations of the game's block copies.
enum class Rop { SrcCopy, SrcPaint, SrcAnd };

// Copies w x h pixels from (sx, sy) of src to (x, y) of dst, combined by rop.
// Clipped to both surfaces at every edge; negative positions are allowed.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rop rop);

// Copies the sw x sh source rectangle onto the w x h destination rectangle, magnifying or
// shrinking by pixel replication (nearest pixel, as the default stretch mode does).
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, Rop rop);

}  // namespace platform
