#pragma once
#include <cstdint>

// The terrain codes of our city: one tile of "map.mcg" per code. Codes 0..9 are walkable
// ground, 10 and up are blocked, as the game's walking rule wants.
namespace terrain {
enum Code : uint8_t {
  Alley = 0,        // plain asphalt between buildings
  RoadEW = 1,       // road running east-west, centre line
  RoadNS = 2,       // road running north-south, centre line
  Crossroads = 3,
  ZebraEW = 4,      // pedestrian crossing on an east-west road
  ZebraNS = 5,      // pedestrian crossing on a north-south road
  Pavement = 6,
  Plaza = 7,        // paved square and riverside promenade
  Bridge = 8,       // deck of a north-south bridge
  ParkPath = 9,
  RoofA = 10,       // 10..18: concrete roof, parts in RoofPart order
  RoofB = 19,       // 19..27: tar roof, parts in RoofPart order
  HouseEW = 28,     // small house, ridge east-west
  HouseNS = 29,     // small house, ridge north-south
  Kiosk = 30,
  WaterTank = 31,
  Grass = 32,
  Tree = 33,
  Trees = 34,
  Flowers = 35,
  Hedge = 36,
  River = 37,
  RiverNorthBank = 38,
  RiverSouthBank = 39,
  Pond = 40,
  Fountain = 41,
  ParkedCar = 42,
  ParkingBays = 43,
  SportsField = 44,
  Helipad = 45,
  Construction = 46,
  RoofGarden = 47,
  Skylight = 48,
  Antenna = 49,
  VacantLot = 50,
  CityWall = 51,
  RiverRipple = 52,
  Count = 53
};
// Parts of a roof of several cells, added to RoofA or RoofB.
enum RoofPart : uint8_t { Inner = 0, N, S, W, E, NW, NE, SW, SE };

constexpr bool Walkable(int code) { return code < 10; }
}  // namespace terrain
