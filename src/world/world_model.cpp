#include "world/world_model.h"

#include <cstring>

#include "language/language.h"

uint8_t MapGrid[kMapCells][kMapCells][4];
uint8_t People[kPersonCount + 1][7];

const char* const kMapLayerNames[4] = {"Terrain", "ShotMark", "Blood", "Occupant"};
const char* const kPersonColumnNames[7] = {"State", "X", "Y", "Look", "Surname", "GivenName", "Kind"};

void ResetWorld() {
  std::memset(MapGrid, 0, sizeof MapGrid);
  std::memset(People, 0, sizeof People);
}

std::string KindWord(int kind) {
  switch (kind) {
    case Citizen: return Tr("一般市民");
    case Child: return Tr("子供");
    case Elder: return Tr("老人");
    case Target: return Tr("ガングロ");
  }
  return "";
}

int PersonAt(int x, int y) {
  if (x < 0 || x >= kMapCells || y < 0 || y >= kMapCells) return 0;
  if (MapGrid[x][y][Occupant] == 0) return 0;
  int found = 0;
  for (int n = 1; n <= kPersonCount; ++n) {
    if (People[n][PosX] == x && People[n][PosY] == y) found = n;
  }
  return found;
}

namespace {
template <int N>
int IndexOf(const char* const (&names)[N], const char* name) {
  if (name == nullptr) return -1;
  for (int i = 0; i < N; ++i) {
    if (std::strcmp(names[i], name) == 0) return i;
  }
  return -1;
}
}  // namespace

int MapLayerByName(const char* name) { return IndexOf(kMapLayerNames, name); }
int PersonColumnByName(const char* name) { return IndexOf(kPersonColumnNames, name); }
