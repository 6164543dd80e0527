#include "platform/surface.h"

#include <algorithm>

namespace platform {
namespace {

inline uint32_t Combine(uint32_t dst, uint32_t src, Rop rop) {
  switch (rop) {
    case Rop::SrcCopy: return src;
    case Rop::SrcPaint: return dst | src;
    case Rop::SrcAnd: return dst & src;
  }
  return src;
}

template <Rop R>
void CopyRow(uint32_t* d, const uint32_t* s, int n) {
  if constexpr (R == Rop::SrcCopy) {
    std::copy(s, s + n, d);
  } else {
    for (int i = 0; i < n; ++i) d[i] = Combine(d[i], s[i], R);
  }
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
  // Clip against the source, then the destination, moving both rectangles together.
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  w = std::min({w, src.width - sx, dst.width - x});
  h = std::min({h, src.height - sy, dst.height - y});
  if (w <= 0 || h <= 0) return;
  const bool sameSurface = &dst == &src;
  for (int row = 0; row < h; ++row) {
    // Copying within one surface downwards must run bottom-up so no row is read after it
    // was overwritten.
    int r = (sameSurface && y > sy) ? h - 1 - row : row;
    uint32_t* d = &dst.pixels[size_t(y + r) * dst.width + x];
    const uint32_t* s = &src.pixels[size_t(sy + r) * src.width + sx];
    if (sameSurface) {
      std::vector<uint32_t> tmp(s, s + w);
      for (int i = 0; i < w; ++i) d[i] = Combine(d[i], tmp[i], rop);
      continue;
    }
    switch (rop) {
      case Rop::SrcCopy: CopyRow<Rop::SrcCopy>(d, s, w); break;
      case Rop::SrcPaint: CopyRow<Rop::SrcPaint>(d, s, w); break;
      case Rop::SrcAnd: CopyRow<Rop::SrcAnd>(d, s, w); break;
    }
  }
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, Rop rop) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  if (&dst == &src) {
    Surface copy = src;
    StretchBlt(dst, x, y, w, h, copy, sx, sy, sw, sh, rop);
    return;
  }
  // Destination pixel (x + i) samples source column sx + floor(i * sw / w): replication.
  const int x0 = std::max(x, 0), x1 = std::min(x + w, dst.width);
  const int y0 = std::max(y, 0), y1 = std::min(y + h, dst.height);
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<int> column(size_t(x1 - x0));
  for (int dx = x0; dx < x1; ++dx) column[size_t(dx - x0)] = sx + int(int64_t(dx - x) * sw / w);
  for (int dy = y0; dy < y1; ++dy) {
    int srcRow = sy + int(int64_t(dy - y) * sh / h);
    if (srcRow < 0 || srcRow >= src.height) continue;
    uint32_t* d = &dst.pixels[size_t(dy) * dst.width];
    const uint32_t* s = &src.pixels[size_t(srcRow) * src.width];
    for (int dx = x0; dx < x1; ++dx) {
      int c = column[size_t(dx - x0)];
      if (c < 0 || c >= src.width) continue;
      d[dx] = Combine(d[dx], s[c], rop);
    }
  }
}

}  // namespace platform
