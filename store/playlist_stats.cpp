#include "store/playlist_stats.h"

#include <cstdio>

#include "store/store_texts.h"

PlaylistStats ComputePlaylistStats(const PlaylistTable& table, uint32_t entryCount) {
  PlaylistStats stats{0, entryCount, 0, 100};
  for (uint32_t i = 0; i < entryCount && i < MAX_ENTRIES; ++i) {
    const PlaylistEntry& entry = table.entries[i];
    if (IsEmptySlot(entry)) break;
    if (entry.state == STATE_UNTRANSFERRED) ++stats.remaining;
  }
  if (stats.total != 0) stats.remainingPercent = stats.remaining * 100 / stats.total;
  stats.consumedPercent = 100 - stats.remainingPercent;
  return stats;
}

void FormatStatsLine(const PlaylistStats& stats, char* out, size_t outSize) {
  if (stats.remaining == 0) {
    std::snprintf(out, outSize, "%s", STATS_EMPTY_TEXT);
  } else {
    std::snprintf(out, outSize, STATS_LINE_FORMAT, static_cast<int>(stats.remaining),
                  static_cast<int>(stats.total), static_cast<int>(stats.consumedPercent));
  }
}
