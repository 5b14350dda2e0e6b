#include "platform/random_generator.h"

#include <chrono>
#include <unistd.h>

namespace {

// The linear congruential step of the classic C runtime generator; its bits
// 16-30 spread evenly over 0..32767, all the draws need.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr uint32_t kOutputShift = 16;

// SplitMix64's constants: its finaliser changes about half of the output
// bits for every input bit, so nearby clock readings give unrelated seeds.
constexpr uint64_t kGoldenGamma = 0x9E3779B97F4A7C15u;
constexpr uint64_t kFirstMix = 0xBF58476D1CE4E5B9u;
constexpr uint64_t kSecondMix = 0x94D049BB133111EBu;

uint64_t Scramble(uint64_t value) {
  value = (value ^ (value >> 30)) * kFirstMix;
  value = (value ^ (value >> 27)) * kSecondMix;
  return value ^ (value >> 31);
}

}  // namespace

uint32_t MixSeed(uint64_t nanoseconds, uint32_t processId) {
  return static_cast<uint32_t>(Scramble(Scramble(nanoseconds) ^ (processId * kGoldenGamma)));
}

uint32_t ClockSeed() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  return MixSeed(static_cast<uint64_t>(nanoseconds), static_cast<uint32_t>(getpid()));
}

uint32_t RandomGenerator::Next() {
  state_ = state_ * kMultiplier + kIncrement;
  return (state_ >> kOutputShift) & RANDOM_MAX;
}
