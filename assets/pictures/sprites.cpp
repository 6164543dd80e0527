// The small stored pictures: blood, cursor, target marker, overview map, icon, cross-hairs.
#include <cmath>

#include "art.h"
#include "terrain.h"
#include "text.h"

namespace {

constexpr uint32_t kBlood = Rgb(150, 12, 12), kBloodDark = Rgb(86, 4, 6), kBloodWet = Rgb(200, 40, 36);

// Blood coverage of pixel (x, y) of splash b: 1..4 lie along the edge that faces the victim
// (bottom, left, top, right), 5 fills the victim's own cell.
bool Bloody(int b, int x, int y, Rng& rng) {
  if (b == 0) return false;
  double noise = rng.Unit();
  if (b == 5) {
    double d = std::hypot(x + 0.5 - 7.5, y + 0.5 - 7.5);
    return d < 6.2 + noise * 2.2;
  }
  // Distance from the edge facing the victim, and offset along it.
  double depth = b == 1 ? 14 - y : b == 2 ? x : b == 3 ? y : 14 - x;
  double along = b == 1 || b == 3 ? x - 7 : y - 7;
  double reach = 4.5 - std::abs(along) * 0.35 + noise * 2.5;
  if (depth < reach) return true;
  return noise > 0.93 && depth < 10;  // droplets thrown further out
}

}  // namespace

Image MakeBlood() {
  Image sheet(90, 30, 0);
  for (int b = 0; b <= 5; ++b) {
    Rng rng(700 + b);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 15; ++x) {
        bool on = Bloody(b, x, y, rng);
        uint32_t c = rng.Below(5) == 0 ? kBloodDark : rng.Below(7) == 0 ? kBloodWet : kBlood;
        sheet.Set(15 * b + x, y, on ? c : ink::Black);
        sheet.Set(15 * b + x, 15 + y, on ? ink::Black : ink::White);
      }
  }
  return sheet;
}

Image MakeCursor() {
  // ORed onto the view: black leaves the map as it is. Frame 0 idles, frame 15 has a lock.
  Image im(30, 15, ink::Black);
  auto brackets = [&](int ox, uint32_t c, int thick, int len) {
    for (int t = 0; t < thick; ++t) {
      FillRect(im, ox, t, len, 1, c), FillRect(im, ox + t, 0, 1, len, c);
      FillRect(im, ox + 15 - len, t, len, 1, c), FillRect(im, ox + 14 - t, 0, 1, len, c);
      FillRect(im, ox, 14 - t, len, 1, c), FillRect(im, ox + t, 15 - len, 1, len, c);
      FillRect(im, ox + 15 - len, 14 - t, len, 1, c), FillRect(im, ox + 14 - t, 15 - len, 1, len, c);
    }
  };
  brackets(0, Rgb(0, 160, 64), 1, 4);
  brackets(15, Rgb(255, 240, 64), 2, 5);
  im.Set(15 + 7, 0, Rgb(255, 96, 48));
  im.Set(15 + 7, 14, Rgb(255, 96, 48));
  im.Set(15, 7, Rgb(255, 96, 48));
  im.Set(29, 7, Rgb(255, 96, 48));
  return im;
}

Image MakeMarkerBack() {
  Image im(64, 64, Rgb(64, 64, 64));
  for (int y = 0; y < 64; y += 2) FillRect(im, 0, y, 64, 1, Rgb(56, 58, 56));
  FrameRect(im, 0, 0, 64, 64, Rgb(34, 36, 34));
  FrameRect(im, 3, 3, 58, 58, Rgb(80, 84, 80));
  Ring(im, 32, 32, 18, 1, Rgb(84, 92, 84));
  FillRects(im, {{31, 10, 2, 8}, {31, 46, 2, 8}, {10, 31, 8, 2}, {46, 31, 8, 2}}, Rgb(84, 92, 84));
  TextStyle st{Face::Gothic, 10, false, false};
  DrawTextCentered(im, 32, 27, "NO LOCK", Rgb(110, 122, 110), st);
  return im;
}

Image MakeTargetMarker() {
  Image im(64, 64, Rgb(24, 6, 4));
  for (int y = 0; y < 64; y += 2) FillRect(im, 0, y, 64, 1, Rgb(34, 8, 6));
  uint32_t red = Rgb(255, 48, 32), hot = Rgb(255, 200, 96);
  FrameRect(im, 0, 0, 64, 64, red);
  FrameRect(im, 2, 2, 60, 60, Rgb(120, 20, 14));
  Ring(im, 32, 34, 15, 2, red);
  Ring(im, 32, 34, 6, 1, hot);
  FillRects(im, {{31, 14, 2, 10}, {31, 44, 2, 10}, {12, 33, 10, 2}, {42, 33, 10, 2}}, red);
  FillRect(im, 31, 33, 2, 2, hot);
  TextStyle st{Face::Gothic, 11, true, false};
  FillRect(im, 4, 4, 56, 12, Rgb(200, 30, 20));
  DrawTextCentered(im, 32, 4, "TARGET", Rgb(255, 240, 220), st);
  TextStyle small{Face::Gothic, 9, false, false};
  DrawTextCentered(im, 32, 52, "LOCK ON", hot, small);
  return im;
}

Image MakeOverview(const CityMap& m) {
  using namespace terrain;
  Image im(94, 94, 0);
  for (int j = 0; j < 94; ++j)
    for (int i = 0; i < 94; ++i) {
      int t = m.cell[i + 4][j + 4];
      uint32_t c;
      if (t == Alley) c = Rgb(40, 84, 50);
      else if (t <= ZebraNS) c = Rgb(70, 140, 80);
      else if (t == Pavement) c = Rgb(46, 96, 56);
      else if (t == Plaza) c = Rgb(60, 110, 68);
      else if (t == Bridge) c = Rgb(110, 170, 120);
      else if (t == ParkPath) c = Rgb(66, 110, 52);
      else if (t >= RoofA && t < RoofB) c = Rgb(20, 42, 26);
      else if (t >= RoofB && t < HouseEW) c = Rgb(14, 30, 20);
      else if (t == Grass || t == Flowers) c = Rgb(16, 74, 30);
      else if (t == Tree || t == Trees || t == Hedge) c = Rgb(10, 56, 22);
      else if (t >= River && t <= Pond) c = t == RiverNorthBank || t == RiverSouthBank ? Rgb(20, 60, 66) : Rgb(10, 44, 58);
      else if (t == RiverRipple) c = Rgb(10, 44, 58);
      else if (t == CityWall) c = Rgb(6, 10, 8);
      else c = Rgb(24, 36, 26);
      im.Set(i, j, c);
    }
  return im;
}

Image MakeIcon() {
  Image im(16, 16, ink::Black);
  uint32_t panel = Rgb(40, 160, 80), frame = Rgb(128, 255, 128);
  FillRects(im, {{0, 6, 5, 4}, {11, 6, 5, 4}}, panel);  // the solar panels
  FrameRect(im, 0, 6, 5, 4, frame);
  FrameRect(im, 11, 6, 5, 4, frame);
  FillRects(im, {{5, 7, 1, 2}, {10, 7, 1, 2}, {7, 11, 2, 2}, {7, 1, 2, 4}}, frame);  // arms, barrel, mast
  FillRect(im, 6, 5, 4, 6, Rgb(200, 255, 200));
  FillRects(im, {{6, 13, 4, 1}, {7, 14, 2, 2}}, Rgb(255, 80, 48));  // the beam
  im.Set(7, 0, Rgb(255, 255, 160));
  return im;
}

Image MakeCrossHair(bool vertical) { return vertical ? Image(1, 225, ink::Phosphor) : Image(225, 1, ink::Phosphor); }
