#include "world/random_draw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "platform/clock.h"

namespace {

class RandomDrawTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRandom(); }
  void TearDown() override {
    platform::SetClock({});
    ResetRandom();
  }
};

TEST_F(RandomDrawTest, HundredsOfDrawsWithinOneClockReadingAllDiffer) {
  platform::SetClock([] { return int64_t(123456); });  // the clock frozen on one reading
  SeedRandom(99);
  std::vector<double> draws;
  for (int i = 0; i < 500; ++i) draws.push_back(Rnd());
  const std::set<double> distinct(draws.begin(), draws.end());
  EXPECT_EQ(distinct.size(), draws.size());
  for (double r : draws) EXPECT_TRUE(r >= 0.0 && r < 1.0) << r;
}

// Whether DrawUniform spreads evenly over 1..n the world tests find: the odds of who is who,
// the placement square reached to both ends, the sides the newcomers enter by.

}  // namespace
