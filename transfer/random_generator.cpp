#include "transfer/random_generator.h"

#include <ctime>

namespace {

// The linear congruential step of the classic C runtime generator; the
// draws only need a cheap, seedable spread over 0..32767.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr uint32_t kOutputShift = 16;

uint32_t Step(uint32_t state) { return state * kMultiplier + kIncrement; }

uint32_t SystemSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

std::atomic<uint32_t (*)()> g_secondsNow{SystemSeconds};

}  // namespace

void SetRandomClockForTesting(uint32_t (*secondsNow)()) {
  g_secondsNow.store(secondsNow != nullptr ? secondsNow : SystemSeconds);
}

void RandomGenerator::SeedFromClock() { Seed(g_secondsNow.load()()); }

uint32_t RandomGenerator::Next() {
  uint32_t state = state_.load(std::memory_order_relaxed);
  while (!state_.compare_exchange_weak(state, Step(state), std::memory_order_relaxed)) {
  }
  return (Step(state) >> kOutputShift) & RANDOM_MAX;
}
