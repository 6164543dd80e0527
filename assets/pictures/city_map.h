#pragma once
#include <cstdint>
#include <string>

// Our city: 100 x 100 cells, indexed [column][row] from 1 as the game's map grid is.
struct CityMap {
  uint8_t cell[101][101] = {};
};

// Lays out the city: a grid of streets with pavements, blocks of buildings, a park, a river
// with bridges; every street cell is reachable from every other.
CityMap BuildCityMap();

// The text of "map.dat": 10000 base-62 digits, row by row, then CR LF.
std::string MapFileText(const CityMap& map);

// Walkable cells inside columns and rows 4..97, where the game places people.
int PlayableStreetCells(const CityMap& map);
