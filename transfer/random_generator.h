// The random numbers of the draws: values 0..RANDOM_MAX, the same sequence
// for the same seed, as the original runtime's generator gave them.
#pragma once

#include <atomic>
#include <cstdint>

inline constexpr uint32_t RANDOM_MAX = 32767;

// Safe to share between threads: each value is taken by one atomic step.
// Test hook: the clock that SeedFromClock reads, in whole seconds; null
// restores the real one.
void SetRandomClockForTesting(uint32_t (*secondsNow)());

class RandomGenerator {
 public:
  void Seed(uint32_t seed) { state_.store(seed, std::memory_order_relaxed); }
  // Seeds from the clock in whole seconds, so two runs started within the
  // same second draw the same songs.
  void SeedFromClock();
  uint32_t Next();

 private:
  std::atomic<uint32_t> state_{1};
};
