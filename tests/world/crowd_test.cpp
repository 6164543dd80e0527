#include "world/crowd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "support/people.h"
#include "world/random_draw.h"
#include "world/world_model.h"
#include "world_fixture.h"

namespace {

// Pinned values that draw each direction (or side) of a uniform 1..4 draw.
constexpr double kNorth = 0.1, kEast = 0.3, kSouth = 0.6, kWest = 0.9;

class CrowdTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ParkEveryoneButPersonOne();
  }
  void Block(int x, int y) { MapGrid[x][y][Terrain] = 10; }
  std::pair<int, int> Where(int n) const { return {People[n][PosX], People[n][PosY]}; }
  // Where persons a and b stand.
  using Cells = std::vector<std::pair<int, int>>;
  Cells Where(int a, int b) const { return {Where(a), Where(b)}; }
  // Persons 2..1000 never move in these tests; whatever they draw, they stay parked.
  void ExpectParkedStill() {
    for (int n = 2; n <= kPersonCount; ++n)
      ASSERT_EQ(MapGrid[People[n][PosX]][People[n][PosY]][Occupant], People[n][Look]) << n;
  }
};

// At each edge the only open neighbour lies outside columns and rows 1..99 (row or column 0
// or 100 is street in storage), so the bound alone keeps the person where it is.
TEST_F(CrowdTest, NobodyWalksPastColumnsAndRowsOneAndNinetyNine) {
  const int edges[][2] = {{50, 1}, {99, 50}, {50, 99}, {1, 50}};
  for (const auto& [ex, ey] : edges) {
    // Every neighbour inside columns and rows 1..99 is blocked.
    for (int x = ex - 1; x <= ex + 1; ++x)
      for (int y = ey - 1; y <= ey + 1; ++y)
        if (x >= 1 && x <= 99 && y >= 1 && y <= 99 && (x != ex || y != ey)) Block(x, y);
    StandPerson(1, ex, ey, 7);
    for (int tick = 0; tick < 40; ++tick) {
      StepCrowd();
      ASSERT_EQ(Where(1), std::make_pair(ex, ey));
    }
    EXPECT_EQ(MapGrid[ex][ey][Occupant], 7);
    MapGrid[ex][ey][Occupant] = 0;
  }
  ExpectParkedStill();
}

TEST_F(CrowdTest, APersonWithBlockedOrTakenNeighboursStaysPut) {
  StandPerson(1, 5, 5, 9);
  Block(5, 4);
  Block(6, 5);
  MapGrid[5][6][Occupant] = 3;  // someone stands there
  MapGrid[4][5][Occupant] = 12;
  for (int tick = 0; tick < 40; ++tick) {
    const int64_t reads = clock_reads_;
    StepCrowd();
    ASSERT_EQ(Where(1), std::make_pair(5, 5));
    // One draw for each of the 1000 walking persons, person 1 included.
    ASSERT_EQ(clock_reads_ - reads, kPersonCount);
  }
  EXPECT_EQ(MapGrid[5][5][Occupant], 9);
}

TEST_F(CrowdTest, AStepMovesTheLookFromTheCellLeftToTheCellEntered) {
  StandPerson(1, 5, 5, 9);
  PinRandomDraws({kEast});
  StepCrowd();
  EXPECT_EQ(Where(1), std::make_pair(6, 5));
  EXPECT_EQ(Numbers({MapGrid[5][5][Occupant], MapGrid[6][5][Occupant]}), "0 9");
  for (auto [draw, x, y] :
       {std::tuple{kSouth, 6, 6}, std::tuple{kWest, 5, 6}, std::tuple{kNorth, 5, 5}}) {
    PinRandomDraws({draw});
    StepCrowd();
    EXPECT_EQ(Where(1), std::make_pair(x, y));
  }
  int occupied = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) occupied += MapGrid[x][y][Occupant] != 0;
  EXPECT_EQ(occupied, 1);
}

TEST_F(CrowdTest, ACellFreedByALowerNumberIsTakenInTheSameTickButNotTheOtherWayRound) {
  // Person 2 is taken out of the parking for this test.
  MapGrid[People[2][PosX]][People[2][PosY]][Occupant] = 0;
  StandPerson(1, 5, 5, 6);
  StandPerson(2, 4, 5, 8);
  PinRandomDraws({kEast, kEast});
  StepCrowd();
  EXPECT_EQ(Where(1, 2), (Cells{{6, 5}, {5, 5}}));

  // Now person 1 stands behind person 2: its step is refused, person 2's is not.
  StandPerson(2, 7, 5, 8);
  MapGrid[5][5][Occupant] = 0;
  PinRandomDraws({kEast, kEast});
  StepCrowd();
  EXPECT_EQ(Where(1, 2), (Cells{{6, 5}, {8, 5}}));
}

TEST_F(CrowdTest, ANewcomerOnATakenCellHidesTheOtherUntilOneOfThemStepsAway) {
  // Person 1 is shot; it comes back on the top side at column 40, where person 3 stands.
  MapGrid[People[3][PosX]][People[3][PosY]][Occupant] = 0;
  StandPerson(3, 40, 2, 11);
  Block(41, 2);
  People[1][State] = 0;
  const double along_40 = (40 - 3 + 0.5) / 95;
  // The side and the place along it, five draws of identity (安西 亜由美, a citizen with
  // Look 5), then person 2 (parked) and person 3 (blocked).
  PinRandomDraws({kNorth, along_40, 0.0, 0.5, 0.0, 0.0, 0.0, kNorth, kEast});
  StepCrowd();
  ASSERT_EQ(Where(1, 3), (Cells{{40, 2}, {40, 2}}));
  // The newcomer's look, shown on the cell, which reads as the higher number of the two.
  EXPECT_EQ(Numbers({People[1][Look], MapGrid[40][2][Occupant], PersonAt(40, 2)}), "5 5 3");

  // Person 1 is refused (east is blocked), person 3 walks north: the cell they shared shows
  // nobody although person 1 still stands there.
  PinRandomDraws({kEast, kNorth, kNorth});
  StepCrowd();
  EXPECT_EQ(Where(1, 3), (Cells{{40, 2}, {40, 1}}));
  EXPECT_EQ(Numbers({MapGrid[40][1][Occupant], MapGrid[40][2][Occupant], PersonAt(40, 2)}),
            "11 0 0");
}

TEST_F(CrowdTest, EveryShotPersonReEntersAtTheEdgeInOneTick) {
  // At program start nobody walks: all 1000 come in on the first tick.
  ResetWorld();
  SeedRandom(5);
  StepCrowd();
  int sides[5] = {};
  int min_along = 100, max_along = 0;
  for (int n = 1; n <= kPersonCount; ++n) {
    ASSERT_EQ(People[n][State], 1);
    const int x = People[n][PosX], y = People[n][PosY];
    auto inside = [](int v) { return v >= 3 && v <= 97; };
    // Sides 1..4 are north, east, south and west; 0 is off every side.
    int side = y == 2 && inside(x) ? 1 : x == 97 && inside(y) ? 2 : 0;
    if (side == 0) side = y == 97 && inside(x) ? 3 : x == 2 && inside(y) ? 4 : 0;
    ASSERT_NE(side, 0) << n << " at " << x << "," << y;
    ++sides[side];
    const int along = side == 1 || side == 3 ? x : y;
    min_along = std::min(min_along, along);
    max_along = std::max(max_along, along);
    ASSERT_NE(MapGrid[x][y][Occupant], 0);
  }
  EXPECT_EQ(Numbers({min_along, max_along}), "3 97");
  for (int side = 1; side <= 4; ++side)
    EXPECT_TRUE(sides[side] > 170 && sides[side] < 330) << side << ": " << sides[side];
}

}  // namespace
