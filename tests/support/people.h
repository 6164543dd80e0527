// One person put on the map by hand, for the tests that arrange the crowd themselves.
#pragma once
#include <cstdint>

#include "world/world_model.h"

// Person n walking on cell (x, y) with the look, shown there on the grid.
inline void StandPerson(int n, int x, int y, int look) {
  People[n][State] = 1;
  People[n][PosX] = uint8_t(x);
  People[n][PosY] = uint8_t(y);
  People[n][Look] = uint8_t(look);
  MapGrid[x][y][Occupant] = uint8_t(look);
}
