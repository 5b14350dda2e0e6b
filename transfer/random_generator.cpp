#include "transfer/random_generator.h"

#include <ctime>

namespace {

// The linear congruential step of the classic C runtime generator; the
// draws only need a cheap, seedable spread over 0..32767.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr uint32_t kOutputShift = 16;

uint32_t Step(uint32_t state) { return state * kMultiplier + kIncrement; }

}  // namespace

void RandomGenerator::SeedFromClock() {
  Seed(static_cast<uint32_t>(std::time(nullptr)));
}

uint32_t RandomGenerator::Next() {
  uint32_t state = state_.load(std::memory_order_relaxed);
  while (!state_.compare_exchange_weak(state, Step(state), std::memory_order_relaxed)) {
  }
  return (Step(state) >> kOutputShift) & RANDOM_MAX;
}
