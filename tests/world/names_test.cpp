#include <gtest/gtest.h>

#include <string>

#include "flow/game_state.h"
#include "world/names.h"
#include "world/world_model.h"

namespace {

TEST(BuildPersonName, JoinsFamilyAndGivenNameWithOneBlank) {
  People[7][Surname] = 1;
  People[7][GivenName] = 1;
  People[8][Surname] = 152;
  People[8][GivenName] = 114;
  BuildPersonName(7);
  EXPECT_EQ(G.ShotName, "安西 亜由美");
  BuildPersonName(8);
  EXPECT_EQ(G.ShotName, std::string(SurnameTable[152]) + GivenNameTable[114]);

  // A shot person keeps the name columns, so the name stays the same.
  People[7][State] = 0;
  People[7][PosX] = 0;
  People[7][PosY] = 0;
  BuildPersonName(7);
  EXPECT_EQ(G.ShotName, "安西 亜由美");
  ResetWorld();
}

TEST(BuildPersonName, AColumnOutsideItsTableContributesNothing) {
  People[9][Surname] = 153;
  People[9][GivenName] = 2;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, " 晶子");
  People[9][Surname] = 3;
  People[9][GivenName] = 0;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, "足立");
  People[9][GivenName] = 200;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, "足立");
  BuildPersonName(0);  // the unused row 0 is all zero
  EXPECT_EQ(G.ShotName, "");
  ResetWorld();
}

}  // namespace
