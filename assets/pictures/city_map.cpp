#include "city_map.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "image.h"
#include "terrain.h"

using namespace terrain;

namespace {

// Street lines. The ring road runs on lines 2 and 97, where newcomers walk into the city.
const std::vector<int> kStreetColumns = {2, 13, 24, 35, 46, 57, 68, 79, 90, 97};
const std::vector<int> kStreetRows = {2, 13, 24, 35, 46, 54, 63, 74, 85, 97};
// The river flows east-west between the streets on rows 54 and 63.
constexpr int kRiverTop = 57, kRiverBottom = 60;
const std::vector<int> kBridgeColumns = {2, 13, 35, 57, 79, 97};
// The park covers four blocks between columns 35..57 and rows 13..35.
constexpr int kParkLeft = 35, kParkRight = 57, kParkTop = 13, kParkBottom = 35;

constexpr uint8_t kUnset = 255;

bool IsIn(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

struct Builder {
  CityMap m;
  Rng rng{2000};

  uint8_t& At(int x, int y) { return m.cell[x][y]; }

  void Streets() {
    for (int x = 1; x <= 100; ++x)
      for (int y = 1; y <= 100; ++y) At(x, y) = kUnset;
    for (int x = 2; x <= 97; ++x)
      for (int y = 2; y <= 97; ++y) {
        bool h = IsIn(kStreetRows, y), v = IsIn(kStreetColumns, x);
        if (h && v)
          At(x, y) = Crossroads;
        else if (h)
          At(x, y) = IsIn(kStreetColumns, x - 1) || IsIn(kStreetColumns, x + 1) ? ZebraEW : RoadEW;
        else if (v)
          At(x, y) = IsIn(kStreetRows, y - 1) || IsIn(kStreetRows, y + 1) ? ZebraNS : RoadNS;
      }
    // Pavements along every street, on both sides.
    for (int x = 1; x <= 98; ++x)
      for (int y = 1; y <= 98; ++y) {
        if (At(x, y) != kUnset) continue;
        bool nearStreet = false;
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy) {
            int u = x + dx, w = y + dy;
            if (u >= 1 && w >= 1 && u <= 100 && w <= 100 && At(u, w) != kUnset && At(u, w) <= ZebraNS) nearStreet = true;
          }
        if (nearStreet) At(x, y) = Pavement;
      }
    // Outside the ring road: the city wall.
    for (int x = 1; x <= 100; ++x)
      for (int y = 1; y <= 100; ++y)
        if (At(x, y) == kUnset && (x < 2 || y < 2 || x > 98 || y > 98)) At(x, y) = CityWall;
  }

  void River() {
    for (int x = 1; x <= 100; ++x)
      for (int y = kRiverTop - 1; y <= kRiverBottom + 1; ++y) {
        if (x < 2 || x > 98) continue;
        if (y == kRiverTop - 1 || y == kRiverBottom + 1) {
          if (At(x, y) == kUnset || At(x, y) == Pavement) At(x, y) = Plaza;  // promenade
          continue;
        }
        if (IsIn(kBridgeColumns, x)) {
          At(x, y) = Bridge;
          continue;
        }
        At(x, y) = y == kRiverTop ? RiverNorthBank : y == kRiverBottom ? RiverSouthBank
                   : (x * 7 + y * 3) % 5 == 0 ? RiverRipple : terrain::River;
      }
  }

  void Park() {
    // Roads through the park become paths, its inner pavements lawn.
    for (int x = kParkLeft + 1; x < kParkRight; ++x)
      for (int y = kParkTop + 1; y < kParkBottom; ++y) {
        bool edge = x == kParkLeft + 1 || x == kParkRight - 1 || y == kParkTop + 1 || y == kParkBottom - 1;
        uint8_t c = At(x, y);
        if (edge) continue;  // the pavement round the park stays
        if (c <= ZebraNS)
          At(x, y) = ParkPath;
        else
          At(x, y) = kUnset;
      }
    int cx = (kParkLeft + kParkRight) / 2, cy = (kParkTop + kParkBottom) / 2;
    for (int x = kParkLeft + 2; x <= kParkRight - 2; ++x)
      for (int y = kParkTop + 2; y <= kParkBottom - 2; ++y) {
        if (At(x, y) != kUnset) continue;
        int dx = std::abs(x - cx), dy = std::abs(y - cy);
        if (std::max(dx, dy) == 6)
          At(x, y) = ParkPath;  // the loop walk
        else if (std::max(dx, dy) <= 1)
          At(x, y) = Plaza;
        else if (x == kParkLeft + 2 || x == kParkRight - 2 || y == kParkTop + 2 || y == kParkBottom - 2)
          At(x, y) = Hedge;
        else if (std::max(dx, dy) == 2)
          At(x, y) = Flowers;
        else
          At(x, y) = kUnset;
      }
    At(cx, cy) = Fountain;
    // A pond in the north-west quarter, trees and lawn elsewhere.
    for (int x = cx - 5; x <= cx - 3; ++x)
      for (int y = cy - 5; y <= cy - 3; ++y) At(x, y) = Pond;
    for (int x = kParkLeft + 2; x <= kParkRight - 2; ++x)
      for (int y = kParkTop + 2; y <= kParkBottom - 2; ++y)
        if (At(x, y) == kUnset) {
          int r = rng.Below(10);
          At(x, y) = r < 4 ? Grass : r < 7 ? Tree : r < 9 ? Trees : Flowers;
        }
  }

  // One building of w x h cells; single cells and thin strips become small houses.
  void Building(int x, int y, int w, int h) {
    if (w < 2 || h < 2) {
      for (int i = 0; i < w; ++i)
        for (int j = 0; j < h; ++j) {
          int r = rng.Below(6);
          At(x + i, y + j) = r < 2 ? HouseEW : r < 4 ? HouseNS : r < 5 ? Kiosk : WaterTank;
        }
      return;
    }
    uint8_t base = rng.Below(2) ? RoofA : RoofB;
    for (int i = 0; i < w; ++i)
      for (int j = 0; j < h; ++j) {
        bool n = j == 0, s = j == h - 1, we = i == 0, e = i == w - 1;
        RoofPart p = n && we ? NW : n && e ? NE : s && we ? SW : s && e ? SE : n ? N : s ? S : we ? W : e ? E : Inner;
        At(x + i, y + j) = uint8_t(base + p);
      }
    // Rooftop fittings on the inner cells of larger buildings.
    if (w >= 3 && h >= 3) {
      int fittings = (w - 2) * (h - 2) / 6 + 1;
      for (int k = 0; k < fittings; ++k) {
        int i = 1 + rng.Below(w - 2), j = 1 + rng.Below(h - 2);
        static const uint8_t kFit[] = {Skylight, Antenna, WaterTank, RoofGarden, Helipad, Skylight};
        uint8_t f = kFit[rng.Below(6)];
        if (f == Helipad && (w < 5 || h < 5)) f = Skylight;
        At(x + i, y + j) = f;
      }
    }
  }

  void Houses(int x, int y, int w, int h) {
    // A quarter of small houses in rows, with a lane down the middle.
    int lane = x + w / 2;
    for (int i = 0; i < w; ++i)
      for (int j = 0; j < h; ++j) {
        if (x + i == lane) {
          At(x + i, y + j) = Alley;
          continue;
        }
        int r = rng.Below(10);
        At(x + i, y + j) = r < 4 ? HouseEW : r < 8 ? HouseNS : r < 9 ? Kiosk : Tree;
      }
  }

  void Fill(int x, int y, int w, int h, uint8_t c) {
    for (int i = 0; i < w; ++i)
      for (int j = 0; j < h; ++j) At(x + i, y + j) = c;
  }

  void Parking(int x, int y, int w, int h) {
    for (int i = 0; i < w; ++i)
      for (int j = 0; j < h; ++j) {
        bool aisle = j == h / 2;
        At(x + i, y + j) = aisle ? Alley : rng.Below(3) ? ParkedCar : ParkingBays;
      }
  }

  void Block(int x, int y, int w, int h, int kind) {
    switch (kind) {
      case 0:  // one large building
        Building(x, y, w, h);
        break;
      case 1: {  // two buildings with an alley between
        int a = w / 2 - 1 + rng.Below(2);
        Building(x, y, a, h);
        Fill(x + a, y, 1, h, Alley);
        Building(x + a + 1, y, w - a - 1, h);
        break;
      }
      case 2: {  // four buildings round a cross of alleys
        int a = w / 2 - 1 + rng.Below(2), b = h / 2 - 1 + rng.Below(2);
        Fill(x + a, y, 1, h, Alley);
        Fill(x, y + b, w, 1, Alley);
        Building(x, y, a, b);
        Building(x + a + 1, y, w - a - 1, b);
        Building(x, y + b + 1, a, h - b - 1);
        Building(x + a + 1, y + b + 1, w - a - 1, h - b - 1);
        break;
      }
      case 3:  // three slabs north to south
      {
        int a = h / 3;
        Building(x, y, w, a);
        Fill(x, y + a, w, 1, Alley);
        Building(x, y + a + 1, w, h - 2 * a - 2);
        Fill(x, y + h - a - 1, w, 1, Alley);
        Building(x, y + h - a, w, a);
        break;
      }
      default:
        Houses(x, y, w, h);
    }
  }

  void Blocks() {
    for (size_t i = 0; i + 1 < kStreetColumns.size(); ++i)
      for (size_t j = 0; j + 1 < kStreetRows.size(); ++j) {
        int x0 = kStreetColumns[i] + 2, x1 = kStreetColumns[i + 1] - 2;
        int y0 = kStreetRows[j] + 2, y1 = kStreetRows[j + 1] - 2;
        int w = x1 - x0 + 1, h = y1 - y0 + 1;
        if (w <= 0 || h <= 0) continue;
        if (At(x0, y0) != kUnset) continue;  // park or river
        int special = int(i * 10 + j);
        if (special == 5 * 10 + 3) {  // the station square
          Fill(x0, y0, w, h, Plaza);
          At(x0 + w / 2, y0 + h / 2) = Fountain;
          continue;
        }
        if (special == 1 * 10 + 7 || special == 7 * 10 + 1) {
          Parking(x0, y0, w, h);
          continue;
        }
        if (special == 6 * 10 + 8) {  // the school ground
          Fill(x0, y0, w, h, SportsField);
          Fill(x0, y0 + h - 1, w, 1, Pavement);
          continue;
        }
        if (special == 2 * 10 + 6) {
          Fill(x0, y0, w, h, Construction);
          Fill(x0 + w / 2, y0, 1, h, VacantLot);
          continue;
        }
        int kind;
        if (w < 6 || h < 6)
          kind = rng.Below(2) ? 4 : 1;
        else
          kind = rng.Below(9) < 7 ? rng.Below(4) : 4;
        Block(x0, y0, w, h, kind);
      }
    for (int x = 1; x <= 100; ++x)
      for (int y = 1; y <= 100; ++y)
        if (At(x, y) == kUnset) At(x, y) = VacantLot;
  }

  // Walkable cells that the streets cannot reach are closed off, so the crowd never splits.
  void CloseUnreachable() {
    std::vector<std::vector<bool>> seen(101, std::vector<bool>(101, false));
    std::deque<std::pair<int, int>> q{{2, 2}};
    seen[2][2] = true;
    while (!q.empty()) {
      auto [x, y] = q.front();
      q.pop_front();
      const int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
      for (int d = 0; d < 4; ++d) {
        int u = x + dx[d], w = y + dy[d];
        if (u < 1 || w < 1 || u > 100 || w > 100 || seen[u][w] || !Walkable(At(u, w))) continue;
        seen[u][w] = true;
        q.push_back({u, w});
      }
    }
    for (int x = 1; x <= 100; ++x)
      for (int y = 1; y <= 100; ++y)
        if (Walkable(At(x, y)) && !seen[x][y]) At(x, y) = VacantLot;
  }
};

}  // namespace

CityMap BuildCityMap() {
  Builder b;
  b.Streets();
  b.River();
  b.Park();
  b.Blocks();
  b.CloseUnreachable();
  return b.m;
}

std::string MapFileText(const CityMap& map) {
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string text;
  text.reserve(10002);
  for (int y = 1; y <= 100; ++y)
    for (int x = 1; x <= 100; ++x) text += kDigits[map.cell[x][y]];
  text += "\r\n";
  return text;
}

int PlayableStreetCells(const CityMap& map) {
  int n = 0;
  for (int x = 4; x <= 97; ++x)
    for (int y = 4; y <= 97; ++y) n += Walkable(map.cell[x][y]);
  return n;
}
