// Seedable random numbers 0..RANDOM_MAX, the same sequence for the same seed,
// as the classic C runtime's generator gave them. One instance per user and
// thread: the transfer run and the random player each keep their own.
#pragma once

#include <cstdint>

inline constexpr uint32_t RANDOM_MAX = 32767;

// Test hook: the clock that SeedFromClock reads, in whole seconds; null
// restores the real one.
void SetRandomClockForTesting(uint32_t (*secondsNow)());

class RandomGenerator {
 public:
  void Seed(uint32_t seed) { state_ = seed; }
  // Seeds from the clock in whole seconds, so two runs started within the
  // same second draw the same numbers.
  void SeedFromClock();
  uint32_t Next();

 private:
  uint32_t state_ = 1;
};
