// Colours of the playlist window, as 0xRRGGBB: its rows by state and
// selection, and the bar of songs not yet transferred.
#pragma once

#include <cstdint>

#include "store/playlist_entry.h"

inline constexpr uint32_t ROW_TEXT_COLOUR = 0x000000;
inline constexpr uint32_t ROW_BACKGROUND_PLAIN = 0xFFFFFF;        // header, unsent, unknown state
inline constexpr uint32_t ROW_BACKGROUND_TRANSFERRED = 0xDCFFDC;  // light green
inline constexpr uint32_t ROW_BACKGROUND_UNUSABLE = 0xFFDCDC;     // light red: missing, too long
inline constexpr uint32_t ROW_BACKGROUND_EXCLUDED = 0xDCDCFF;     // light blue
inline constexpr uint32_t ROW_SELECTED_TEXT_COLOUR = 0xFFFFFF;
inline constexpr uint32_t ROW_SELECTED_BACKGROUND = 0x000080;  // navy

struct RowColours {
  uint32_t background;
  uint32_t text;
};

// A selected row is navy whatever it holds; a header row is plain.
constexpr RowColours PlaylistRowColours(bool header, uint16_t state, bool selected) {
  if (selected) return {ROW_SELECTED_BACKGROUND, ROW_SELECTED_TEXT_COLOUR};
  if (header) return {ROW_BACKGROUND_PLAIN, ROW_TEXT_COLOUR};
  switch (state) {
    case STATE_TRANSFERRED:
      return {ROW_BACKGROUND_TRANSFERRED, ROW_TEXT_COLOUR};
    case STATE_SOURCE_MISSING:
    case STATE_PATH_TOO_LONG:
      return {ROW_BACKGROUND_UNUSABLE, ROW_TEXT_COLOUR};
    case STATE_EXCLUDED:
      return {ROW_BACKGROUND_EXCLUDED, ROW_TEXT_COLOUR};
    default:
      return {ROW_BACKGROUND_PLAIN, ROW_TEXT_COLOUR};
  }
}

// The bar of remainingPercent: red below the first, yellow below the
// second, blue from there on.
inline constexpr uint32_t REMAINING_BAR_RED = 0xFF0000;
inline constexpr uint32_t REMAINING_BAR_YELLOW = 0xFFFF00;
inline constexpr uint32_t REMAINING_BAR_BLUE = 0x0000FF;
inline constexpr uint32_t REMAINING_BAR_YELLOW_FROM_PERCENT = 10;
inline constexpr uint32_t REMAINING_BAR_BLUE_FROM_PERCENT = 20;

constexpr uint32_t RemainingBarColour(uint32_t remainingPercent) {
  if (remainingPercent < REMAINING_BAR_YELLOW_FROM_PERCENT) return REMAINING_BAR_RED;
  if (remainingPercent < REMAINING_BAR_BLUE_FROM_PERCENT) return REMAINING_BAR_YELLOW;
  return REMAINING_BAR_BLUE;
}
