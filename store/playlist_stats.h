// How much of the collection is still waiting to be sent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/playlist_entry.h"

struct PlaylistStats {
  uint32_t remaining;         // entries in state 0
  uint32_t total;             // the entry count
  uint32_t remainingPercent;  // remaining * 100 / total, truncated; 0 when empty
  uint32_t consumedPercent;   // 100 - remainingPercent
};

PlaylistStats ComputePlaylistStats(const PlaylistTable& table, uint32_t entryCount);

// "Empty!" when nothing remains, else "残 %d / %d件中 (消化率%d％)".
void FormatStatsLine(const PlaylistStats& stats, char* out, size_t outSize);
