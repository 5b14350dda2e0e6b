#include "playback/random_play_generator.h"

namespace {

// The classic LCG step; its bits 16-30 cover 0..32767 evenly.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr int kOutputShift = 16;

uint32_t g_state = 1;
RandomPlayDraw g_draw = nullptr;

}  // namespace

void SeedRandomPlay(uint32_t seed) { g_state = seed; }

int32_t NextRandomPlay() {
  if (g_draw != nullptr) return g_draw();
  g_state = g_state * kMultiplier + kIncrement;
  return static_cast<int32_t>((g_state >> kOutputShift) & RANDOM_PLAY_MAX);
}

void SetRandomPlayDraw(RandomPlayDraw draw) { g_draw = draw; }
