#include "sniping/map_cells.h"

#include <cstdint>
#include <cstring>

#include "world/world_model.h"

using platform::BitBlt;
using platform::Rop;
using platform::Surface;

namespace {


// The layers of a view cell; a cell off the grid (never reached with the play keys' bounds)
// reads as empty.
struct CellLayers {
  uint8_t terrain = 0, shotMark = 0, blood = 0, occupant = 0;
};

CellLayers ReadCell(int x, int y) {
  if (x < 0 || x >= kMapCells || y < 0 || y >= kMapCells) return {};
  const uint8_t* c = MapGrid[x][y];
  return {c[Terrain], c[ShotMark], c[Blood], c[Occupant]};
}

// A masked sprite: its mask row (y = 15) by AND, then its image row (y = 0) by OR.
void DrawMasked(Surface& dst, int x, int y, const Surface& sheet, int sprite) {
  BitBlt(dst, x, y, kCell, kCell, sheet, kCell * sprite, kCell, Rop::SrcAnd);
  BitBlt(dst, x, y, kCell, kCell, sheet, kCell * sprite, 0, Rop::SrcPaint);
}

bool SquareInside(const Surface& s, int x, int y) {
  return x >= 0 && y >= 0 && x + kCell <= s.width && y + kCell <= s.height;
}

// Whether drawing the sprite changes nothing: a mask with every colour bit set and a black
// image, as sprite 0 of the blood and people sheets is meant to be.
bool SpriteLeavesCellAlone(const Surface& sheet, int sprite) {
  if (!SquareInside(sheet, kCell * sprite, kCell)) return false;
  for (int y = 0; y < kCell; ++y) {
    for (int x = kCell * sprite; x < kCell * (sprite + 1); ++x) {
      if (sheet.At(x, y) != 0 || (sheet.At(x, y + kCell) & 0xFFFFFF) != 0xFFFFFF) return false;
    }
  }
  return true;
}

// One row of a cell's five copies: the tile's OR, then the mask AND and image OR of the blood
// and the person sprite (each left out when it changes nothing), written once.
template <bool kBlood, bool kPerson>
struct CellRow {
  const uint32_t *tile, *bloodMask, *bloodImage, *personMask, *personImage;

  template <typename T>
  T Combine(T d, int i, T (*load)(const uint32_t*)) const {
    T p = d | load(tile + i);
    if constexpr (kBlood) p = (p & load(bloodMask + i)) | load(bloodImage + i);
    if constexpr (kPerson) p = (p & load(personMask + i)) | load(personImage + i);
    return p;
  }

  void Apply(uint32_t* d) const {
#if defined(__GNUC__)
    // Four pixels at a time through the compiler's generic vectors. A row of 15 is done as
    // four vectors, the last one overlapping the third by one pixel: all four are computed
    // from the pixels as they were before any is stored, so the shared pixel gets the same
    // value twice.
    using Pixels4 = uint32_t __attribute__((vector_size(16)));
    auto load = [](const uint32_t* p) {
      Pixels4 v;
      std::memcpy(&v, p, sizeof v);
      return v;
    };
    constexpr int kStarts[4] = {0, 4, 8, kCell - 4};
    Pixels4 out[4];
    for (int k = 0; k < 4; ++k) out[k] = Combine<Pixels4>(load(d + kStarts[k]), kStarts[k], load);
    for (int k = 0; k < 4; ++k) std::memcpy(d + kStarts[k], &out[k], sizeof out[k]);
#else
    auto load = [](const uint32_t* p) { return *p; };
    for (int i = 0; i < kCell; ++i) d[i] = Combine<uint32_t>(d[i], i, load);
#endif
  }
};

// The five block copies of one cell, fused: each pixel goes through the five operations in
// their order and is written once, which gives the result of the five copies since the
// sheets are other surfaces than `work`. Every square must lie inside its surface.
template <bool kBlood, bool kPerson>
void FuseCell(const CellSheets& s, int x, int y, int tileX, int tileY, int bloodX, int personX) {
  for (int row = 0; row < kCell; ++row) {
    const uint32_t* bloodImage = &s.chi.pixels[size_t(row) * s.chi.width + bloodX];
    const uint32_t* personImage = &s.peple.pixels[size_t(row) * s.peple.width + personX];
    const CellRow<kBlood, kPerson> cellRow{&s.cip.pixels[size_t(tileY + row) * s.cip.width + tileX],
                                           bloodImage + size_t(kCell) * s.chi.width, bloodImage,
                                           personImage + size_t(kCell) * s.peple.width,
                                           personImage};
    cellRow.Apply(&s.work.pixels[size_t(y + row) * s.work.width + x]);
  }
}

struct EmptySprites {
  bool blood, person;  // sprite 0 of `chi`, of `peple` leaves a cell alone
};

void DrawCell(const CellSheets& s, const EmptySprites& empty, int x, int y,
              const CellLayers& cell) {
  const int tileX = kCell * cell.terrain, tileY = cell.shotMark ? kCell : 0;
  const int bloodX = kCell * cell.blood, personX = kCell * cell.occupant;
  if (!SquareInside(s.work, x, y) || !SquareInside(s.cip, tileX, tileY) ||
      !SquareInside(s.chi, bloodX, kCell) || !SquareInside(s.peple, personX, kCell)) {
    // A sheet smaller than designed: the copies one by one, clipped as the platform clips.
    BitBlt(s.work, x, y, kCell, kCell, s.cip, tileX, tileY, Rop::SrcPaint);
    DrawMasked(s.work, x, y, s.chi, cell.blood);
    DrawMasked(s.work, x, y, s.peple, cell.occupant);
    return;
  }
  const bool blood = !(cell.blood == 0 && empty.blood);
  const bool person = !(cell.occupant == 0 && empty.person);
  if (blood && person)
    FuseCell<true, true>(s, x, y, tileX, tileY, bloodX, personX);
  else if (blood)
    FuseCell<true, false>(s, x, y, tileX, tileY, bloodX, personX);
  else if (person)
    FuseCell<false, true>(s, x, y, tileX, tileY, bloodX, personX);
  else
    FuseCell<false, false>(s, x, y, tileX, tileY, bloodX, personX);
}

}  // namespace

void DrawMapCells(const CellSheets& s, int scopeX, int scopeY) {
  const EmptySprites empty{SpriteLeavesCellAlone(s.chi, 0), SpriteLeavesCellAlone(s.peple, 0)};
  s.work.Touch();  // the cells are written straight into its pixels
  // Cells do not overlap, so the order is free: row by row walks the surface as it lies in
  // memory.
  for (int j = 1; j <= kViewCells; ++j) {
    for (int i = 1; i <= kViewCells; ++i) {
      DrawCell(s, empty, kCell * (i - 1), kCell * (j - 1), ReadCell(scopeX + i, scopeY + j));
    }
  }
}
