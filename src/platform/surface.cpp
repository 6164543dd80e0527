#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// One row of a block copy between two different surfaces. Written as plain loops over
// restrict pointers so the compiler turns them into vector code; these rows are the whole
// cost of the scope view.
template <Rop R>
inline void RowOp(uint32_t* __restrict d, const uint32_t* __restrict s, int n) {
  if constexpr (R == Rop::SrcCopy) {
    std::memcpy(d, s, size_t(n) * sizeof(uint32_t));
  } else if constexpr (R == Rop::SrcPaint) {
    for (int i = 0; i < n; ++i) d[i] |= s[i];
  } else {
    for (int i = 0; i < n; ++i) d[i] &= s[i];
  }
}

// One row within a single surface: source and destination may overlap, so the direction is
// chosen that never reads a pixel after it was overwritten.
inline void RowOpOverlapping(uint32_t* d, const uint32_t* s, int n, Rop rop) {
  if (rop == Rop::SrcCopy) {
    std::memmove(d, s, size_t(n) * sizeof(uint32_t));
    return;
  }
  const bool paint = rop == Rop::SrcPaint;
  if (d > s) {
    for (int i = n - 1; i >= 0; --i) d[i] = paint ? (d[i] | s[i]) : (d[i] & s[i]);
  } else {
    for (int i = 0; i < n; ++i) d[i] = paint ? (d[i] | s[i]) : (d[i] & s[i]);
  }
}

template <Rop R>
void BlitRows(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy) {
  uint32_t* d = dst.pixels.data() + size_t(y) * dst.width + x;
  const uint32_t* s = src.pixels.data() + size_t(sy) * src.width + sx;
  for (int row = 0; row < h; ++row, d += dst.width, s += src.width) RowOp<R>(d, s, w);
}

// The visible part of a block copy after clipping, or nothing.
struct Clipped {
  int x, y, w, h, sx, sy;
};

// Clips in 64 bits, so that absurd coordinates are simply outside rather than overflowing.
bool Clip(int64_t x, int64_t y, int64_t w, int64_t h, int64_t sx, int64_t sy, int64_t dstW,
          int64_t dstH, int64_t srcW, int64_t srcH, Clipped& out) {
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  w = std::min({w, srcW - sx, dstW - x});
  h = std::min({h, srcH - sy, dstH - y});
  if (w <= 0 || h <= 0) return false;
  out = {int(x), int(y), int(w), int(h), int(sx), int(sy)};
  return true;
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
  Clipped c;
  if (!Clip(x, y, w, h, sx, sy, dst.width, dst.height, src.width, src.height, c)) return;
  if (&dst == &src) {
    // Copying downwards within one surface runs bottom-up, so no row is read after it was
    // overwritten; within a row RowOpOverlapping picks the safe direction.
    const bool bottomUp = c.y > c.sy;
    for (int i = 0; i < c.h; ++i) {
      const int r = bottomUp ? c.h - 1 - i : i;
      uint32_t* d = dst.pixels.data() + size_t(c.y + r) * dst.width + c.x;
      const uint32_t* s = dst.pixels.data() + size_t(c.sy + r) * dst.width + c.sx;
      RowOpOverlapping(d, s, c.w, rop);
    }
    return;
  }
  switch (rop) {
    case Rop::SrcCopy: BlitRows<Rop::SrcCopy>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy); break;
    case Rop::SrcPaint: BlitRows<Rop::SrcPaint>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy); break;
    case Rop::SrcAnd: BlitRows<Rop::SrcAnd>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy); break;
  }
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, Rop rop) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  if (w == sw && h == sh) {
    BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    return;
  }
  if (&dst == &src) {
    const Surface copy = src;
    StretchBlt(dst, x, y, w, h, copy, sx, sy, sw, sh, rop);
    return;
  }
  // Destination pixel (x + i, y + j) takes source pixel (sx + floor(i * sw / w),
  // sy + floor(j * sh / h)): every source pixel is replicated, none is blended.
  const int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>(int64_t(x) + w, dst.width);
  const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(int64_t(y) + h, dst.height);
  if (x0 >= x1 || y0 >= y1) return;

  // The mapping is monotonic, so the destination columns whose source column lies inside the
  // source form one run; pixels outside it are left alone.
  thread_local std::vector<int> column;
  thread_local std::vector<uint32_t> row;
  column.clear();
  int64_t first = x0;
  for (int64_t dx = x0; dx < x1; ++dx) {
    const int64_t c = sx + (dx - x) * sw / w;
    if (c < 0) {
      first = dx + 1;
      continue;
    }
    if (c >= src.width) break;
    column.push_back(int(c));
  }
  const int n = int(column.size());
  if (n == 0) return;
  row.resize(size_t(n));

  int64_t lastSrcRow = -1;
  for (int64_t dy = y0; dy < y1; ++dy) {
    const int64_t srcRow = sy + (dy - y) * sh / h;
    if (srcRow < 0) continue;
    if (srcRow >= src.height) break;
    if (srcRow != lastSrcRow) {
      // Each source row is sampled once and reused for all the rows that replicate it.
      const uint32_t* s = src.pixels.data() + size_t(srcRow) * src.width;
      for (int i = 0; i < n; ++i) row[size_t(i)] = s[column[size_t(i)]];
      lastSrcRow = srcRow;
    }
    uint32_t* d = dst.pixels.data() + size_t(dy) * dst.width + first;
    switch (rop) {
      case Rop::SrcCopy: RowOp<Rop::SrcCopy>(d, row.data(), n); break;
      case Rop::SrcPaint: RowOp<Rop::SrcPaint>(d, row.data(), n); break;
      case Rop::SrcAnd: RowOp<Rop::SrcAnd>(d, row.data(), n); break;
    }
  }
}

}  // namespace platform
