#include "platform/raster/surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace platform {
namespace {

// Four pixels at a time through the compiler's generic vectors (SSE2 on x86-64, NEON on ARM);
// memcpy keeps the loads and stores free of alignment and aliasing assumptions.
#if defined(__GNUC__)
#define KZV_VECTOR_ROWS 1
using Pixels4 = uint32_t __attribute__((vector_size(16)));
inline Pixels4 Load4(const uint32_t* p) {
  Pixels4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store4(uint32_t* p, Pixels4 v) {
  std::memcpy(p, &v, sizeof v);
}
#endif

template <Rop R, typename T>
inline T Apply(T d, T s) {
  if constexpr (R == Rop::SrcCopy)
    return s;
  else if constexpr (R == Rop::SrcPaint)
    return d | s;
  else
    return d & s;
}

// One row of a block copy between two different surfaces; these rows are the whole cost of
// the scope view, most of them 15 pixels long. All three operations are idempotent (applying
// one twice with the same source changes nothing more), so the last four pixels of a row are
// done as one more vector overlapping the previous one instead of a scalar tail.
template <Rop R>
inline void RowOp(uint32_t* __restrict d, const uint32_t* __restrict s, int n) {
#if KZV_VECTOR_ROWS
  if (n >= 4) {
    if constexpr (R == Rop::SrcCopy) {
      if (n >= 64) {
        std::memcpy(d, s, size_t(n) * sizeof(uint32_t));
        return;
      }
    }
    // The tail is read before anything is stored: reading it back from a store still in
    // flight would stall the processor.
    const Pixels4 tail = Apply<R>(Load4(d + n - 4), Load4(s + n - 4));
    for (int i = 0; i + 4 <= n; i += 4) Store4(d + i, Apply<R>(Load4(d + i), Load4(s + i)));
    Store4(d + n - 4, tail);
    return;
  }
#endif
  for (int i = 0; i < n; ++i) d[i] = Apply<R>(d[i], s[i]);
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
  // A start before 0 on either side moves both starts on and shortens the run by as much.
  auto clipStart = [](int64_t& start, int64_t& other, int64_t& length) {
    if (start >= 0) return;
    other -= start;
    length += start;
    start = 0;
  };
  clipStart(sx, x, w);
  clipStart(sy, y, h);
  clipStart(x, sx, w);
  clipStart(y, sy, h);
  w = std::min({w, srcW - sx, dstW - x});
  h = std::min({h, srcH - sy, dstH - y});
  if (w <= 0 || h <= 0) return false;
  out = {int(x), int(y), int(w), int(h), int(sx), int(sy)};
  return true;
}

// start + floor(i * num / den) for i, i + 1, i + 2, ..., one division for the whole run.
struct Step {
  int64_t value, remainder, whole, fraction, den;
  Step(int64_t start, int64_t i, int64_t num, int64_t den_)
      : value(start + i * num / den_),
        remainder(i * num % den_),
        whole(num / den_),
        fraction(num % den_),
        den(den_) {}
  void Next() {
    value += whole;
    remainder += fraction;
    if (remainder >= den) {
      remainder -= den;
      ++value;
    }
  }
};

}  // namespace

uint64_t Surface::Version() const {
  static std::atomic<uint64_t> last{0};
  if (touched_) {
    version_ = last.fetch_add(1, std::memory_order_relaxed) + 1;
    touched_ = false;
  }
  return version_;
}

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
  Clipped c;
  if (!Clip(x, y, w, h, sx, sy, dst.width, dst.height, src.width, src.height, c)) return;
  dst.Touch();
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
    case Rop::SrcCopy:
      BlitRows<Rop::SrcCopy>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy);
      break;
    case Rop::SrcPaint:
      BlitRows<Rop::SrcPaint>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy);
      break;
    case Rop::SrcAnd:
      BlitRows<Rop::SrcAnd>(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy);
      break;
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
  // sy + floor(j * sh / h)): every source pixel is replicated, none is blended. Pixels whose
  // source lies outside the source surface are left alone.
  const int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>(int64_t(x) + w, dst.width);
  const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(int64_t(y) + h, dst.height);
  if (x0 >= x1 || y0 >= y1) return;
  dst.Touch();

  // One destination row as spans: source column `column` fills `count` pixels from `start`
  // (relative to the first drawn column). Magnifying, a span is a run of one source pixel;
  // otherwise every span is one pixel. Scratch kept between calls, reached once through a
  // reference since every use of a thread_local in position-independent code is a call.
  struct Span {
    int column, start, count;
  };
  thread_local std::vector<Span> spanScratch;
  thread_local std::vector<uint32_t> rowScratch;
  std::vector<Span>& spans = spanScratch;
  std::vector<uint32_t>& row = rowScratch;
  spans.clear();
  int64_t first = -1, last = -1;  // drawn destination columns [first, last)
  auto add = [&](int64_t column, int64_t from, int64_t to) {
    from = std::max(from, x0);
    to = std::min(to, x1);
    if (from >= to || column < 0 || column >= src.width) return;
    if (first < 0) first = from;
    spans.push_back({int(column), int(from - first), int(to - from)});
    last = to;
  };
  if (w >= 2 * int64_t(sw)) {
    // Source column sx + k covers destination offsets ceil(k * w / sw) .. ceil((k + 1) * w / sw).
    Step edge(0, 0, w, sw);
    int64_t from = 0;
    for (int64_t k = 0; k < sw && x + from < x1; ++k) {
      edge.Next();
      const int64_t to = edge.value + (edge.remainder != 0);
      add(sx + k, x + from, x + to);
      from = to;
    }
  } else {
    Step c(sx, x0 - x, sw, w);
    for (int64_t dx = x0; dx < x1; ++dx, c.Next()) add(c.value, dx, dx + 1);
  }
  if (spans.empty()) return;
  const int n = int(last - first);
  row.resize(size_t(n));

  auto sample = [&](const uint32_t* s) {
    uint32_t* out = row.data();
    for (const Span& sp : spans) {
      const uint32_t v = s[sp.column];
#if KZV_VECTOR_ROWS
      if (sp.count >= 4 && sp.count <= 8) {  // the scope's runs of 4 and 5: two stores
        const Pixels4 same = {v, v, v, v};
        Store4(out + sp.start, same);
        Store4(out + sp.start + sp.count - 4, same);
        continue;
      }
#endif
      std::fill_n(out + sp.start, sp.count, v);
    }
  };

  Step srcRow(sy, y0 - y, sh, h);
  int64_t lastSrcRow = -1;
  for (int64_t dy = y0; dy < y1; ++dy, srcRow.Next()) {
    if (srcRow.value < 0) continue;
    if (srcRow.value >= src.height) break;
    if (srcRow.value != lastSrcRow) {
      // Each source row is sampled once and reused for all the rows that replicate it.
      sample(src.pixels.data() + size_t(srcRow.value) * src.width);
      lastSrcRow = srcRow.value;
    }
    uint32_t* d = dst.pixels.data() + size_t(dy) * dst.width + first;
    switch (rop) {
      case Rop::SrcCopy:
        RowOp<Rop::SrcCopy>(d, row.data(), n);
        break;
      case Rop::SrcPaint:
        RowOp<Rop::SrcPaint>(d, row.data(), n);
        break;
      case Rop::SrcAnd:
        RowOp<Rop::SrcAnd>(d, row.data(), n);
        break;
    }
  }
}

uint64_t PixelHash(const Surface& s) {
  uint64_t h = 14695981039346656037ull;
  auto add = [&h](uint32_t v) {
    for (int k = 0; k < 4; ++k) {
      h ^= (v >> (8 * k)) & 0xff;
      h *= 1099511628211ull;
    }
  };
  add(uint32_t(s.width));
  add(uint32_t(s.height));
  for (uint32_t p : s.pixels) add(p);
  return h;
}

}  // namespace platform
