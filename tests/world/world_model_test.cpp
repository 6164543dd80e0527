#include <gtest/gtest.h>

#include <string>

#include "world/world_model.h"

namespace {

class WorldModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetWorld(); }
  void TearDown() override { ResetWorld(); }
};

TEST_F(WorldModelTest, ResetClearsEveryLayerAndEveryPerson) {
  MapGrid[100][100][Occupant] = 4;
  MapGrid[0][0][Terrain] = 61;
  People[1000][Kind] = Target;
  People[0][State] = 1;
  ResetWorld();
  for (int x = 0; x <= 100; ++x)
    for (int y = 0; y <= 100; ++y)
      for (int layer = 0; layer < 4; ++layer) ASSERT_EQ(MapGrid[x][y][layer], 0);
  for (int n = 0; n <= kPersonCount; ++n)
    for (int column = 0; column < 7; ++column) ASSERT_EQ(People[n][column], 0);
}

TEST_F(WorldModelTest, PersonAtTakesTheLastMatchAndOnlyWhereSomeoneIsShown) {
  People[10][PosX] = 20;
  People[10][PosY] = 30;
  People[700][PosX] = 20;
  People[700][PosY] = 30;
  EXPECT_EQ(PersonAt(20, 30), 0);  // Occupant says nobody
  MapGrid[20][30][Occupant] = 6;
  EXPECT_EQ(PersonAt(20, 30), 700);
  People[700][State] = 0;  // State is not looked at
  EXPECT_EQ(PersonAt(20, 30), 700);
  MapGrid[21][30][Occupant] = 6;
  EXPECT_EQ(PersonAt(21, 30), 0);
  EXPECT_EQ(PersonAt(-1, 30), 0);
  EXPECT_EQ(PersonAt(20, 101), 0);
}

TEST_F(WorldModelTest, KindWordsAndDriverNames) {
  EXPECT_STREQ(KindWord(Citizen), "一般市民");
  EXPECT_STREQ(KindWord(Child), "子供");
  EXPECT_STREQ(KindWord(Elder), "老人");
  EXPECT_STREQ(KindWord(Target), "ガングロ");
  EXPECT_STREQ(KindWord(4), "");
  EXPECT_EQ(MapLayerByName("Terrain"), Terrain);
  EXPECT_EQ(MapLayerByName("Occupant"), Occupant);
  EXPECT_EQ(MapLayerByName("occupant"), -1);
  EXPECT_EQ(MapLayerByName(nullptr), -1);
  EXPECT_EQ(PersonColumnByName("X"), PosX);
  EXPECT_EQ(PersonColumnByName("Y"), PosY);
  EXPECT_EQ(PersonColumnByName("Kind"), Kind);
  EXPECT_EQ(PersonColumnByName("GivenName"), GivenName);
  EXPECT_EQ(PersonColumnByName("Name"), -1);
}

}  // namespace
