#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "platform/clock.h"
#include "world/random_draw.h"

namespace {

class RandomDrawTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRandom(); }
  void TearDown() override {
    platform::SetClock({});
    ResetRandom();
  }
  void FreezeClock(int64_t reading) {
    platform::SetClock([reading] { return reading; });
  }
};

std::vector<double> Draws(int count) {
  std::vector<double> draws;
  for (int i = 0; i < count; ++i) draws.push_back(Rnd());
  return draws;
}

TEST_F(RandomDrawTest, HundredsOfDrawsWithinOneClockReadingAllDiffer) {
  FreezeClock(123456);
  SeedRandom(99);
  const std::vector<double> draws = Draws(500);
  const std::set<double> distinct(draws.begin(), draws.end());
  EXPECT_EQ(distinct.size(), draws.size());
  for (double r : draws) {
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
  }
}

// Whether DrawUniform spreads evenly over 1..n the world tests find: the odds of who is who,
// the placement square reached to both ends, the sides the newcomers enter by.

}  // namespace
