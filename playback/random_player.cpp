#include "playback/random_player.h"

#include <cstring>

#include "platform/file_system.h"
#include "playback/random_play_generator.h"
#include "store/playlist_file.h"
#include "store/table_images.h"

int32_t g_randomTableLoads = 0;
char g_chosenSong[PATH_LEN];

namespace {

constexpr uint32_t kNotFound = MAX_ENTRIES;

bool IsCandidate(const PlaylistEntry& entry) { return entry.state <= STATE_TRANSFERRED; }

bool LoadOnce() {
  if (g_randomTableLoads != 0) return true;
  std::memset(&g_randomPlayTable, 0, sizeof g_randomPlayTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &g_randomPlayTable) == -1) return false;
  SeedRandomPlayFromClock();
  ++g_randomTableLoads;
  return true;
}

int32_t CountCandidates(uint32_t* entries) {
  uint32_t filled = 0;
  uint32_t barred = 0;
  for (const PlaylistEntry& entry : g_randomPlayTable.entries) {
    if (!IsEmptySlot(entry)) ++filled;
    if (!IsCandidate(entry)) ++barred;
  }
  *entries = filled;
  return static_cast<int32_t>(filled) - static_cast<int32_t>(barred);
}

uint32_t FindCandidate(uint32_t entries, int32_t rank) {
  int32_t met = 0;
  for (uint32_t slot = 0; slot < entries; ++slot) {
    if (!IsCandidate(g_randomPlayTable.entries[slot])) continue;
    if (met++ == rank) return slot;
  }
  return kNotFound;
}

// A path that fills its field without a terminator names no stored song.
bool SongFileExists(const PlaylistEntry& entry) {
  if (std::memchr(entry.path, '\0', PATH_LEN) == nullptr) return false;
  return platform::PathExists(entry.path);
}

}  // namespace

int32_t PickRandomSong() {
  if (!LoadOnce()) return -1;
  std::memset(g_chosenSong, 0, sizeof g_chosenSong);
  uint32_t entries = 0;
  int32_t reachable = CountCandidates(&entries);
  while (reachable >= 1) {
    uint32_t slot = FindCandidate(entries, NextRandomPlay() % reachable);
    if (slot == kNotFound) continue;  // cannot happen: n never exceeds the walk's candidates
    PlaylistEntry& entry = g_randomPlayTable.entries[slot];
    if (!SongFileExists(entry)) {
      --reachable;  // the last in slot order drop out of reach: bounded
      continue;
    }
    std::memcpy(g_chosenSong, entry.path, PATH_LEN);
    entry.state = STATE_EXCLUDED;
    return 0;
  }
  return 0;
}
