#include "world/names.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "flow/game_state.h"
#include "world/world_model.h"

namespace {

TEST(BuildPersonName, AColumnOutsideItsTableContributesNothing) {
  // Surname 153 lies past its table, given names 0 and 200 outside theirs.
  const std::tuple<int, int, std::string> cases[] = {
      {153, 2, " 晶子"}, {3, 0, "足立"}, {3, 200, "足立"}};
  for (const auto& [surname, given, name] : cases) {
    People[9][Surname] = uint8_t(surname);
    People[9][GivenName] = uint8_t(given);
    BuildPersonName(9);
    EXPECT_EQ(G.ShotName, name) << surname << " " << given;
  }
  BuildPersonName(0);  // the unused row 0 is all zero
  EXPECT_EQ(G.ShotName, "");
  ResetWorld();
}

}  // namespace
