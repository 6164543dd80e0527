// The map tiles of "map.mcg", as an orbital camera sees the city at night through its
// light amplifier: dark, greenish, with the streets a little brighter than the roofs.
#include <cmath>

#include "art.h"
#include "terrain.h"

using namespace terrain;

namespace {

constexpr int T = 15;

constexpr uint32_t kAsphalt = Rgb(14, 28, 18);
constexpr uint32_t kMarking = Rgb(70, 120, 78);
constexpr uint32_t kPave = Rgb(30, 48, 34);
constexpr uint32_t kPaveJoint = Rgb(22, 36, 26);
constexpr uint32_t kGrass = Rgb(14, 44, 20);
constexpr uint32_t kWater = Rgb(8, 26, 30);

void Speckle(Image& t, uint32_t base, int amount, Rng& rng) {
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      double f = 1.0 + (rng.Below(2 * amount + 1) - amount) / 100.0;
      t.Set(x, y, Scale(base, f));
    }
}

void Asphalt(Image& t, Rng& rng) { Speckle(t, kAsphalt, 14, rng); }

void Pavement(Image& t, Rng& rng) {
  Speckle(t, kPave, 6, rng);
  for (int i = 0; i < T; i += 5) {
    FillRect(t, i, 0, 1, T, kPaveJoint);
    FillRect(t, 0, i, T, 1, kPaveJoint);
  }
}

void Zebra(Image& t, bool onEastWestRoad, Rng& rng) {
  Asphalt(t, rng);
  for (int k = 1; k < T; k += 4) {
    if (onEastWestRoad)
      FillRect(t, 2, k, 11, 2, kMarking);
    else
      FillRect(t, k, 2, 2, 11, kMarking);
  }
}

void Grass(Image& t, Rng& rng) {
  Speckle(t, kGrass, 12, rng);
  for (int k = 0; k < 14; ++k) t.Set(rng.Below(T), rng.Below(T), Rgb(26, 70, 32));
}

void Canopy(Image& t, double cx, double cy, double r) {
  SoftDisc(t, cx + 1.2, cy + 1.5, r, Rgb(4, 16, 8), 0.8);  // shadow
  SoftDisc(t, cx, cy, r, Rgb(24, 74, 34), 1.0);
  SoftDisc(t, cx - r * 0.3, cy - r * 0.3, r * 0.55, Rgb(40, 104, 50), 0.9);
  SoftDisc(t, cx - r * 0.4, cy - r * 0.45, r * 0.2, Rgb(66, 140, 72), 0.8);
}

void Water(Image& t, Rng& rng, bool ripple) {
  Speckle(t, kWater, 8, rng);
  for (int k = 0; k < (ripple ? 4 : 2); ++k) {
    int y = 2 + rng.Below(11), x = rng.Below(9);
    FillRect(t, x, y, 3 + rng.Below(4), 1, Rgb(26, 62, 66));
  }
}

void Roof(Image& t, int base, int part, Rng& rng) {
  bool concrete = base == RoofA;
  uint32_t face = concrete ? Rgb(40, 60, 46) : Rgb(26, 40, 32);
  uint32_t rim = concrete ? Rgb(78, 110, 84) : Rgb(58, 86, 66);
  uint32_t shade = concrete ? Rgb(24, 38, 28) : Rgb(14, 24, 18);
  Speckle(t, face, 5, rng);
  if (!concrete)  // tar sheets
    for (int y = 3; y < T; y += 5) FillRect(t, 0, y, T, 1, Scale(face, 0.8));
  bool n = part == N || part == NW || part == NE, s = part == S || part == SW || part == SE;
  bool w = part == W || part == NW || part == SW, e = part == E || part == NE || part == SE;
  // Parapet on the outer edges, with its shadow falling inwards (light from the north-west).
  if (n) FillRect(t, 0, 0, T, 2, rim), FillRect(t, 0, 2, T, 1, shade);
  if (w) FillRect(t, 0, 0, 2, T, rim), FillRect(t, 2, n ? 3 : 0, 1, T, shade);
  if (s) FillRect(t, 0, T - 2, T, 2, Scale(rim, 0.7));
  if (e) FillRect(t, T - 2, 0, 2, T, Scale(rim, 0.7));
  if (part == Inner && concrete && rng.Below(2)) FillRect(t, 5, 5, 4, 3, Rgb(54, 78, 60));
}

void House(Image& t, bool ridgeEastWest, Rng& rng) {
  Speckle(t, Rgb(18, 30, 22), 6, rng);  // garden round the house
  uint32_t lit = Rgb(62, 92, 66), dark = Rgb(32, 50, 36);
  if (ridgeEastWest) {
    FillRect(t, 1, 2, 13, 5, lit);
    FillRect(t, 1, 7, 13, 6, dark);
    FillRect(t, 1, 7, 13, 1, Rgb(90, 126, 92));
  } else {
    FillRect(t, 2, 1, 5, 13, lit);
    FillRect(t, 7, 1, 6, 13, dark);
    FillRect(t, 7, 1, 1, 13, Rgb(90, 126, 92));
  }
  FrameRect(t, ridgeEastWest ? 1 : 2, ridgeEastWest ? 2 : 1, ridgeEastWest ? 13 : 11, ridgeEastWest ? 11 : 13, Rgb(10, 18, 12));
}

void Car(Image& t, int x, int y, bool vertical, uint32_t body) {
  int w = vertical ? 5 : 10, h = vertical ? 10 : 5;
  FillRect(t, x, y, w, h, body);
  FrameRect(t, x, y, w, h, Rgb(6, 12, 8));
  if (vertical)
    FillRect(t, x + 1, y + 3, 3, 3, Rgb(100, 150, 110));  // windscreen glints
  else
    FillRect(t, x + 3, y + 1, 3, 3, Rgb(100, 150, 110));
}

void Tile(Image& t, int code, Rng& rng) {
  switch (code) {
    case Alley:
      Speckle(t, Rgb(18, 30, 22), 16, rng);
      break;
    case RoadEW:
      Asphalt(t, rng);
      DashedHLine(t, 0, T - 1, 7, 5, 3, kMarking);
      break;
    case RoadNS:
      Asphalt(t, rng);
      DashedVLine(t, 7, 0, T - 1, 5, 3, kMarking);
      break;
    case Crossroads:
      Asphalt(t, rng);
      for (int k = 0; k < T; k += 2) t.Set(k, k, Rgb(24, 44, 28)), t.Set(T - 1 - k, k, Rgb(24, 44, 28));
      break;
    case ZebraEW: Zebra(t, true, rng); break;
    case ZebraNS: Zebra(t, false, rng); break;
    case terrain::Pavement: Pavement(t, rng); break;
    case Plaza:
      Speckle(t, Rgb(34, 52, 38), 5, rng);
      for (int y = 0; y < T; y += 3) {
        FillRect(t, 0, y, T, 1, Rgb(24, 38, 28));
        for (int x = (y / 3 % 2) * 3; x < T; x += 6) FillRect(t, x, y, 1, 3, Rgb(24, 38, 28));
      }
      break;
    case Bridge:
      Speckle(t, Rgb(36, 50, 40), 4, rng);
      for (int y = 1; y < T; y += 3) FillRect(t, 2, y, 11, 1, Rgb(26, 38, 30));
      FillRect(t, 0, 0, 2, T, Rgb(84, 120, 90));
      FillRect(t, T - 2, 0, 2, T, Rgb(84, 120, 90));
      break;
    case ParkPath:
      Speckle(t, Rgb(44, 56, 34), 18, rng);
      break;
    case HouseEW: House(t, true, rng); break;
    case HouseNS: House(t, false, rng); break;
    case Kiosk:
      Speckle(t, kPave, 6, rng);
      FillRect(t, 2, 3, 11, 9, Rgb(46, 70, 52));
      FillRect(t, 2, 3, 11, 3, Rgb(96, 138, 84));  // awning
      for (int x = 3; x < 13; x += 2) FillRect(t, x, 3, 1, 3, Rgb(50, 80, 46));
      break;
    case WaterTank:
      Roof(t, RoofA, Inner, rng);
      SoftDisc(t, 8.5, 8.5, 5, Rgb(10, 18, 12), 0.8);
      SoftDisc(t, 7.5, 7.5, 5, Rgb(70, 100, 76), 1.0);
      Ring(t, 7.5, 7.5, 4.5, 1, Rgb(100, 140, 104));
      break;
    case terrain::Grass: Grass(t, rng); break;
    case Tree:
      Grass(t, rng);
      Canopy(t, 7.5, 7.5, 6);
      break;
    case Trees:
      Grass(t, rng);
      Canopy(t, 5, 5, 4.2);
      Canopy(t, 10.5, 9.5, 4.5);
      break;
    case Flowers:
      Grass(t, rng);
      for (int k = 0; k < 12; ++k) {
        int x = 1 + rng.Below(13), y = 1 + rng.Below(13);
        static const uint32_t kBloom[] = {Rgb(150, 200, 110), Rgb(120, 170, 140), Rgb(180, 220, 150)};
        t.Set(x, y, kBloom[rng.Below(3)]);
      }
      break;
    case Hedge:
      Speckle(t, Rgb(16, 52, 24), 20, rng);
      FillRect(t, 0, 13, T, 2, Rgb(6, 20, 10));
      for (int k = 0; k < 10; ++k) t.Set(rng.Below(T), rng.Below(12), Rgb(34, 90, 40));
      break;
    case River: Water(t, rng, false); break;
    case RiverRipple: Water(t, rng, true); break;
    case RiverNorthBank:
      Water(t, rng, false);
      FillRect(t, 0, 0, T, 3, Rgb(52, 70, 58));
      FillRect(t, 0, 3, T, 1, Rgb(4, 12, 14));
      break;
    case RiverSouthBank:
      Water(t, rng, false);
      FillRect(t, 0, T - 3, T, 3, Rgb(52, 70, 58));
      FillRect(t, 0, T - 4, T, 1, Rgb(30, 60, 62));
      break;
    case Pond:
      Grass(t, rng);
      SoftDisc(t, 7.5, 7.5, 7.2, Rgb(10, 34, 38), 1.0);
      SoftDisc(t, 6, 6, 2.5, Rgb(30, 70, 72), 0.6);
      break;
    case Fountain:
      Speckle(t, Rgb(34, 52, 38), 5, rng);
      SoftDisc(t, 7.5, 7.5, 7, Rgb(70, 96, 76), 1.0);
      SoftDisc(t, 7.5, 7.5, 5.5, Rgb(14, 40, 44), 1.0);
      SoftDisc(t, 7.5, 7.5, 2, Rgb(140, 200, 170), 1.0);
      break;
    case ParkedCar:
      Speckle(t, Rgb(20, 32, 24), 10, rng);
      FillRect(t, 0, 0, 1, T, Rgb(60, 90, 64));
      Car(t, 5, 2, true, rng.Below(2) ? Rgb(60, 90, 70) : Rgb(40, 64, 50));
      break;
    case ParkingBays:
      Speckle(t, Rgb(20, 32, 24), 10, rng);
      FillRects(t, {{0, 0, 1, T}, {7, 0, 1, T}}, Rgb(60, 90, 64));
      break;
    case SportsField:
      Speckle(t, Rgb(40, 50, 30), 8, rng);
      FillRect(t, 0, 7, T, 1, Rgb(90, 120, 80));
      break;
    case Helipad:
      Roof(t, RoofA, Inner, rng);
      Ring(t, 7.5, 7.5, 5.8, 1.2, Rgb(110, 150, 110));
      FillRects(t, {{5, 4, 1, 7}, {9, 4, 1, 7}, {5, 7, 5, 1}}, Rgb(110, 150, 110));  // H
      break;
    case Construction:
      Speckle(t, Rgb(36, 40, 26), 24, rng);
      for (int k = -T; k < T; k += 5) Line(t, k, T - 1, k + T - 1, 0, Rgb(80, 96, 50));
      break;
    case RoofGarden:
      Roof(t, RoofA, Inner, rng);
      FillRect(t, 3, 3, 9, 9, Rgb(20, 60, 28));
      SoftDisc(t, 6, 6, 2.4, Rgb(40, 104, 50), 1.0);
      SoftDisc(t, 9.5, 9.5, 2.4, Rgb(40, 104, 50), 1.0);
      break;
    case Skylight:
      Roof(t, RoofB, Inner, rng);
      FillRect(t, 3, 4, 9, 7, Rgb(70, 110, 90));
      FillRects(t, {{3, 7, 9, 1}, {7, 4, 1, 7}}, Rgb(30, 50, 40));  // glazing bars
      FillRect(t, 4, 5, 2, 1, Rgb(150, 200, 160));
      break;
    case Antenna:
      Roof(t, RoofB, Inner, rng);
      Line(t, 3, 11, 11, 3, Rgb(120, 160, 120));
      Line(t, 4, 5, 9, 10, Rgb(90, 130, 96));
      t.Set(11, 3, Rgb(220, 255, 200));
      break;
    case VacantLot:
      Speckle(t, Rgb(26, 34, 22), 30, rng);
      for (int k = 0; k < 5; ++k) FillRect(t, rng.Below(13), rng.Below(13), 2, 2, Rgb(40, 50, 32));
      break;
    case CityWall:
      Speckle(t, Rgb(10, 16, 12), 10, rng);
      for (int y = 2; y < T; y += 6) FillRect(t, 0, y, T, 1, Rgb(20, 30, 22));
      break;
    default:
      if (code >= RoofA && code < RoofB) Roof(t, RoofA, code - RoofA, rng);
      else if (code >= RoofB && code < HouseEW) Roof(t, RoofB, code - RoofB, rng);
  }
}

// A shot leaves a scorched crater: burnt ring, ash, and a glowing pit.
void Scorch(Image& t, Rng& rng) {
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      double d = std::hypot(x + 0.5 - 7.5, y + 0.5 - 7.5);
      double burn = d < 6.5 ? 1.0 - d / 8.0 : 0;
      if (burn > 0) t.Set(x, y, Mix(t.Get(x, y), Rgb(3, 6, 4), burn));
    }
  for (int k = 0; k < 6; ++k) {
    double a = k * 1.047 + rng.Unit() * 0.5, len = 5 + rng.Below(3);
    Line(t, 7, 7, int(7.5 + std::cos(a) * len), int(7.5 + std::sin(a) * len), Rgb(2, 4, 2));
  }
  Ring(t, 7.5, 7.5, 4.0, 1.0, Rgb(60, 84, 60));
  SoftDisc(t, 7.5, 7.5, 2.0, Rgb(150, 190, 120), 0.9);
  t.Set(7, 7, Rgb(220, 255, 190));
}

}  // namespace

Image MakeTileSheet() {
  Image sheet(800, 30, 0);
  for (int code = 0; code < Count; ++code) {
    Rng rng(1000 + code);
    Image t(T, T);
    Tile(t, code, rng);
    Paste(sheet, code * T, 0, t);
    Scorch(t, rng);
    Paste(sheet, code * T, T, t);
  }
  return sheet;
}
