// Glyph coverage added together and painted onto surfaces.
#include "platform/text/text_coverage.h"

#include <algorithm>

namespace platform {
namespace {

uint32_t Blend(uint32_t dst, uint32_t fore, uint32_t a) {
  const uint32_t na = 255 - a;
  const uint32_t r = (((fore >> 16) & 0xFF) * a + ((dst >> 16) & 0xFF) * na + 127) / 255;
  const uint32_t g = (((fore >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * na + 127) / 255;
  const uint32_t b = ((fore & 0xFF) * a + (dst & 0xFF) * na + 127) / 255;
  return (r << 16) | (g << 8) | b;
}

}  // namespace

void AddCoverage(const Coverage& src, int x, int y, Coverage& dst) {
  for (int sy = src.inkY0; sy < src.inkY1; ++sy) {
    if (y + sy < 0 || y + sy >= dst.h) continue;
    for (int sx = src.inkX0; sx < src.inkX1; ++sx) {
      if (x + sx < 0 || x + sx >= dst.w) continue;
      uint8_t& a = dst.alpha[size_t(y + sy) * dst.w + x + sx];
      a = std::max(a, src.alpha[size_t(sy) * src.w + sx]);
    }
  }
}

void Paint(const Coverage& cov, int x, int y, uint32_t color, Surface& frame, const Rect& area) {
  const Rect ink{x + cov.inkX0, y + cov.inkY0, cov.inkX1 - cov.inkX0, cov.inkY1 - cov.inkY0};
  if (ink.w <= 0 || ink.h <= 0) return;
  const Rect r = Intersect(area, ink);
  for (int fy = r.y; fy < r.y + r.h; ++fy) {
    const uint8_t* a = &cov.alpha[size_t(fy - y) * cov.w + (r.x - x)];
    uint32_t* d = &frame.At(r.x, fy);
    for (int i = 0; i < r.w; ++i) {
      if (a[i] == 0) continue;
      d[i] = a[i] == 255 ? color : Blend(d[i], color, a[i]);
    }
  }
}

}  // namespace platform
