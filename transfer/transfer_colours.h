// Colours of the main window's two progress bars during a transfer, as
// 0xRRGGBB, and the percentages where they change.
#pragma once

#include <cstdint>

inline constexpr uint32_t BAR_COLOUR_RED = 0xFF0000;
inline constexpr uint32_t BAR_COLOUR_WHITE = 0xFFFFFF;
inline constexpr uint32_t BAR_COLOUR_YELLOW = 0xFFFF00;
inline constexpr uint32_t BAR_COLOUR_GREEN = 0x00D200;

// Red below the first, white below the second, yellow below the third,
// green from the third on.
inline constexpr int32_t BAR_WHITE_FROM_PERCENT = 10;
inline constexpr int32_t BAR_YELLOW_FROM_PERCENT = 30;
inline constexpr int32_t BAR_GREEN_FROM_PERCENT = 60;
