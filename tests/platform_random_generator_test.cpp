// The generator behind the transfer's draws and the random player's picks,
// and its seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "platform/random_generator.h"

namespace {

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

// Two fills started within one second, or by two processes in the same
// instant, must not draw the same order.
TEST(RandomGeneratorTest, SeedsDifferWithinASecondAndBetweenProcesses) {
  std::vector<uint32_t> draws[2];
  for (time_t second = 0; second != std::time(nullptr);) {
    second = std::time(nullptr);
    for (std::vector<uint32_t>& run : draws) {
      RandomGenerator random;
      random.SeedFromClock();
      run = {random.Next(), random.Next(), random.Next(), random.Next()};
    }
  }
  EXPECT_NE(draws[0], draws[1]);
  constexpr uint64_t kInstant = 1700000000123456789u;
  EXPECT_NE(MixSeed(kInstant, 4242), MixSeed(kInstant + 1, 4242));  // a nanosecond later
  EXPECT_NE(MixSeed(kInstant, 4242), MixSeed(kInstant, 4243));      // another process
}

}  // namespace
