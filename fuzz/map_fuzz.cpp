// The map reader with CreateWorld on arbitrary bytes as "map.dat": a refused map stops the
// program with a message naming the file and leaves the world as it was; an accepted one
// places all 1000 people on free street cells inside columns and rows 4..97.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "flow/game_state.h"
#include "fuzz_support.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"
#include "world/random_draw.h"
#include "world/world_creation.h"
#include "world/world_model.h"

namespace {

const std::filesystem::path& AppFolder() { return ScratchFolder("map"); }

// The clock the placement reads; a placement that never ends is a fault, not a slow input.
int64_t clockReads = 0;
constexpr int64_t kClockReadLimit = 20'000'000;

int boxes = 0;
bool boxNamesMap = false;

// What the previous mission left: terrain everywhere (column and row 0 too), marks and blood
// that CreateWorld must not touch, old person rows, nobody standing on the map.
uint8_t previousGrid[sizeof MapGrid];
uint8_t previousPeople[sizeof People];
constexpr uint8_t kPreviousDigit = 41;

void Setup() {
  std::error_code ec;
  std::filesystem::create_directories(AppFolder() / "data", ec);
  platform::SetAppDir(AppFolder().string());
  platform::SetClock([] {
    if (++clockReads > kClockReadLimit) Fail("the placement never finished");
    return int64_t(5'000'000) + clockReads / 8;
  });
  platform::SetMessageBoxHandler([](const std::string&, const std::string& text) {
    ++boxes;
    boxNamesMap = text.find("map.dat") != std::string::npos;
  });
  ResetWorld();
  for (int x = 0; x <= 100; ++x) {
    for (int y = 0; y <= 100; ++y) {
      MapGrid[x][y][Terrain] = uint8_t((x * 7 + y * 3) % 62);
      MapGrid[x][y][ShotMark] = uint8_t((x + y) % 3);
      MapGrid[x][y][Blood] = uint8_t((x * y) % 6);
    }
  }
  for (int n = 1; n <= kPersonCount; ++n) {
    for (int column = 0; column < 7; ++column) People[n][column] = uint8_t(n * 13 + column);
  }
  std::memcpy(previousGrid, MapGrid, sizeof MapGrid);
  std::memcpy(previousPeople, People, sizeof People);
}

void RestorePreviousMission() {
  std::memcpy(MapGrid, previousGrid, sizeof MapGrid);
  std::memcpy(People, previousPeople, sizeof People);
  DecodedDigit = kPreviousDigit;
  G.MapText = "previous";
  G.TargetKills = 3;
  G.CivilianKills = 4;
  clockReads = 0;
  boxes = 0;
  boxNamesMap = false;
  SeedRandom(1);
}

void CheckRefused() {
  if (boxes != 1 || !boxNamesMap) Fail("a refused map without one message naming map.dat");
  if (std::memcmp(MapGrid, previousGrid, sizeof MapGrid) != 0) Fail("a refused map changed the grid");
  if (std::memcmp(People, previousPeople, sizeof People) != 0) Fail("a refused map changed people");
  if (DecodedDigit != kPreviousDigit) Fail("a refused map changed the decoded digit");
  if (G.MapText != "previous" || G.TargetKills != 3 || G.CivilianKills != 4) {
    Fail("a refused map changed the game state");
  }
  if (clockReads != 0) Fail("the placement started on a refused map");
}

void CheckAccepted() {
  if (boxes != 0) Fail("an accepted map showed a message");
  if (G.TargetKills != 0 || G.CivilianKills != 0) Fail("the kill counters did not start at 0");
  if (G.MapText.empty() || G.MapText.find_first_of(",\r\n") != std::string::npos) {
    Fail("the map text is not the file's first field");
  }
  for (int x = 0; x <= 100; ++x) {
    for (int y = 0; y <= 100; ++y) {
      const uint8_t* cell = MapGrid[x][y];
      const uint8_t* before = previousGrid + (size_t(x) * 101 + y) * 4;
      if (cell[ShotMark] != before[ShotMark] || cell[Blood] != before[Blood]) {
        Fail("CreateWorld touched the marks or the blood");
      }
      if ((x == 0 || y == 0) && cell[Terrain] != before[Terrain]) {
        Fail("CreateWorld wrote column or row 0");
      }
      if (cell[Terrain] > 61) Fail("a terrain code beyond the 62 digits");
    }
  }
  int occupied = 0;
  for (int x = 0; x <= 100; ++x) {
    for (int y = 0; y <= 100; ++y) occupied += MapGrid[x][y][Occupant] != 0;
  }
  if (occupied != kPersonCount) Fail("not exactly 1000 occupied cells");
  for (int n = 1; n <= kPersonCount; ++n) {
    const uint8_t* row = People[n];
    const int x = row[PosX], y = row[PosY];
    if (row[State] != 1) Fail("a person not standing");
    if (x < 4 || x > 97 || y < 4 || y > 97) Fail("a person outside columns and rows 4..97");
    if (MapGrid[x][y][Terrain] >= 10) Fail("a person on a blocked cell");
    if (MapGrid[x][y][Occupant] != row[Look]) Fail("a cell not showing its person's look");
    if (row[Kind] > 3) Fail("a kind that does not exist");
    const bool target = row[Kind] == Target;
    if (target ? (row[Look] < 1 || row[Look] > 4) : (row[Look] < 5 || row[Look] > 12)) {
      Fail("a look that does not go with the kind");
    }
  }
  bool taken[101][101] = {};
  for (int n = 1; n <= kPersonCount; ++n) {
    bool& cell = taken[People[n][PosX]][People[n][PosY]];
    if (cell) Fail("two persons on one cell");
    cell = true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (Setup(), true);
  (void)ready;
  WriteBytes(AppFolder() / "data" / "map.dat",
             std::string_view(reinterpret_cast<const char*>(data), size));
  RestorePreviousMission();
  bool refused = false;
  try {
    CreateWorld();
  } catch (const platform::ProgramEnded&) {
    refused = true;
  }
  if (refused) {
    CheckRefused();
  } else {
    CheckAccepted();
  }
  return 0;
}
