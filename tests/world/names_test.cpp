#include <gtest/gtest.h>

#include <string>

#include "flow/game_state.h"
#include "world/names.h"
#include "world/world_model.h"

namespace {

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
