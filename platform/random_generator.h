// Seedable random numbers 0..RANDOM_MAX, the same sequence for the same seed,
// as the classic C runtime's generator gave them. One instance per user and
// thread: the transfer run and the random player each keep their own.
#pragma once

#include <cstdint>

inline constexpr uint32_t RANDOM_MAX = 32767;

// The seed for a clock reading and a process: any change of either, down to
// one nanosecond, gives another seed (but for a 2^-32 chance).
uint32_t MixSeed(uint64_t nanoseconds, uint32_t processId);

// MixSeed of the wall clock now and this process: two fills started
// within the same second, or by two processes at once, differ.
uint32_t ClockSeed();

// Where SeedFromClock takes its seed: the clock, or a test's own.
using SeedSource = uint32_t (*)();

class RandomGenerator {
 public:
  explicit RandomGenerator(SeedSource seedNow = ClockSeed) : seedNow_(seedNow) {}
  void Seed(uint32_t seed) { state_ = seed; }
  void SeedFromClock() { Seed(seedNow_()); }
  uint32_t Next();

 private:
  SeedSource seedNow_;
  uint32_t state_ = 1;
};
