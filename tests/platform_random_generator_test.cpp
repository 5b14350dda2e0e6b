// The generator behind the transfer's draws and the random player's picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/random_generator.h"

namespace {

TEST(RandomGeneratorTest, GivesTheClassicRuntimeSequence) {
  RandomGenerator random;
  random.Seed(1);
  std::vector<uint32_t> values;
  for (int i = 0; i < 5; ++i) values.push_back(random.Next());
  EXPECT_EQ(values, (std::vector<uint32_t>{41, 18467, 6334, 26500, 19169}));
}

TEST(RandomGeneratorTest, CoversTheWholeRangeEvenly) {
  RandomGenerator random;
  random.Seed(12345);
  int counts[8] = {};
  uint32_t largest = 0;
  for (int i = 0; i < 80000; ++i) {
    uint32_t value = random.Next();
    largest = std::max(largest, value);
    ++counts[value / 4096];
  }
  EXPECT_EQ(largest, RANDOM_MAX);
  for (int count : counts) EXPECT_NEAR(count, 10000, 500);
}

}  // namespace
