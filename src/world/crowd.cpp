#include "world/crowd.h"

#include "world/random_draw.h"
#include "world/world_creation.h"
#include "world/world_model.h"

namespace {

enum Direction { North = 1, East = 2, South = 3, West = 4 };

// Walking persons stay inside columns and rows 1..99.
constexpr int kWalkLow = 1;
constexpr int kWalkHigh = 99;

void TryStep(int n) {
  uint8_t* row = People[n];
  int x = row[PosX];
  int y = row[PosY];
  switch (DrawUniform(4)) {
    case North:
      if (y <= kWalkLow) return;
      --y;
      break;
    case East:
      if (x >= kWalkHigh) return;
      ++x;
      break;
    case South:
      if (y >= kWalkHigh) return;
      ++y;
      break;
    case West:
      if (x <= kWalkLow) return;
      --x;
      break;
  }
  if (!CellFree(x, y)) return;
  MapGrid[row[PosX]][row[PosY]][Occupant] = 0;
  row[PosX] = uint8_t(x);
  row[PosY] = uint8_t(y);
  MapGrid[x][y][Occupant] = row[Look];
}

// A newcomer enters on row 2 or column 2 (top, left) or on row 97 or column 97 (bottom,
// right); the other coordinate is 3..97. The entry cell is not tested.
void ReEnter(int n) {
  const int side = DrawUniform(4);
  const int along = DrawUniform(95) + 2;
  int spawn_x = 0;
  int spawn_y = 0;
  switch (side) {
    case 1: spawn_x = along; spawn_y = 2; break;
    case 2: spawn_x = 97; spawn_y = along; break;
    case 3: spawn_x = along; spawn_y = 97; break;
    default: spawn_x = 2; spawn_y = along; break;
  }
  InitPerson(n, spawn_x, spawn_y);
}

}  // namespace

void StepCrowd() {
  for (int n = 1; n <= kPersonCount; ++n) {
    if (People[n][State] == 1) {
      TryStep(n);
    } else {
      ReEnter(n);
    }
  }
}
