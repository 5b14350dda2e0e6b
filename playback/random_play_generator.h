// The random player's own numbers, apart from the transfer's. Window thread.
#pragma once

#include <cstdint>

void SeedRandomPlayFromClock();
int32_t NextRandomPlay();  // 0..RANDOM_MAX

// Lets a test choose the draws; nullptr restores the generator.
using RandomPlayDraw = int32_t (*)();
void SetRandomPlayDraw(RandomPlayDraw draw);
