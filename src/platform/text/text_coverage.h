// Rendered text as glyph coverage, and its painting onto surfaces in a colour.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"

namespace platform {

// Glyph coverage (0..255) over a w x h box; what a rendering of a caption keeps.
struct Coverage {
  int w = 0, h = 0;
  std::vector<uint8_t> alpha;
  int inkX0 = 0, inkY0 = 0, inkX1 = 0, inkY1 = 0;  // the box around every covered pixel

  void FindInk() {
    inkX0 = w, inkY0 = h, inkX1 = 0, inkY1 = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (alpha[size_t(y) * w + x]) {
          inkX0 = std::min(inkX0, x), inkX1 = std::max(inkX1, x + 1);
          inkY0 = std::min(inkY0, y), inkY1 = std::max(inkY1, y + 1);
        }
  }
};

// Adds src into dst with src's (0, 0) at dst's (x, y).
void AddCoverage(const Coverage& src, int x, int y, Coverage& dst);

// Lays coverage whose (0, 0) is at frame pixel (x, y) onto the frame in colour, inside area.
void Paint(const Coverage& cov, int x, int y, uint32_t color, Surface& frame, const Rect& area);

}  // namespace platform
