#include "platform/random_generator.h"

#include <atomic>
#include <ctime>

namespace {

// The linear congruential step of the classic C runtime generator; its bits
// 16-30 spread evenly over 0..32767, all the draws need.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr uint32_t kOutputShift = 16;

uint32_t SystemSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

std::atomic<uint32_t (*)()> g_secondsNow{SystemSeconds};

}  // namespace

void SetRandomClockForTesting(uint32_t (*secondsNow)()) {
  g_secondsNow.store(secondsNow != nullptr ? secondsNow : SystemSeconds);
}

void RandomGenerator::SeedFromClock() { Seed(g_secondsNow.load()()); }

uint32_t RandomGenerator::Next() {
  state_ = state_ * kMultiplier + kIncrement;
  return (state_ >> kOutputShift) & RANDOM_MAX;
}
