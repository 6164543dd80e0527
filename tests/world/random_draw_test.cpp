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
    platform::SetClock([this, reading] {
      ++reads_;
      return reading;
    });
  }
  int reads_ = 0;
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

TEST_F(RandomDrawTest, UniformDrawsCoverOneToNEvenly) {
  FreezeClock(777);
  SeedRandom(2024);
  std::vector<int> counts(7, 0);
  for (int i = 0; i < 60000; ++i) {
    const int d = DrawUniform(6);
    ASSERT_GE(d, 1);
    ASSERT_LE(d, 6);
    ++counts[d];
  }
  for (int d = 1; d <= 6; ++d) {
    EXPECT_GT(counts[d], 9000) << d;
    EXPECT_LT(counts[d], 11000) << d;
  }
  EXPECT_EQ(DrawUniform(1), 1);
}

}  // namespace
