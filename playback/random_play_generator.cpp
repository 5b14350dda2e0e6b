#include "playback/random_play_generator.h"

#include "platform/random_generator.h"

namespace {

RandomGenerator g_generator;
RandomPlayDraw g_draw = nullptr;

}  // namespace

void SeedRandomPlayFromClock() { g_generator.SeedFromClock(); }

int32_t NextRandomPlay() {
  if (g_draw != nullptr) return g_draw();
  return static_cast<int32_t>(g_generator.Next());
}

void SetRandomPlayDraw(RandomPlayDraw draw) { g_draw = draw; }
