// The random player's own numbers, apart from the transfer's. Window thread.
#pragma once

#include <cstdint>

inline constexpr int32_t RANDOM_PLAY_MAX = 32767;

void SeedRandomPlay(uint32_t seed);
int32_t NextRandomPlay();  // 0..RANDOM_PLAY_MAX

// Lets a test choose the draws; nullptr restores the generator.
using RandomPlayDraw = int32_t (*)();
void SetRandomPlayDraw(RandomPlayDraw draw);
