#pragma once
#include "platform/raster/surface.h"

constexpr int kCell = 15;       // pixels per map cell
constexpr int kViewCells = 15;  // the view shows 15 x 15 cells

// The map cells of the view: for each of the 15 x 15 cells (scopeX + i, scopeY + j), i and j
// 1..15, at (15 (i - 1), 15 (j - 1)) of `work`: its terrain tile from `cip` by OR (the marked
// row where a shot was fired), then its blood sprite from `chi` and its person sprite from
// `peple`, each by mask AND and image OR. Every cell draws both sprites, sprite 0 included.
struct CellSheets {
  platform::Surface& work;
  const platform::Surface& cip;
  const platform::Surface& chi;
  const platform::Surface& peple;
};

void DrawMapCells(const CellSheets& s, int scopeX, int scopeY);
