#include "playback/random_player.h"

#include <cstring>

#include "platform/file_system.h"
#include "store/playlist_file.h"

namespace {

constexpr uint32_t kNotFound = MAX_ENTRIES;

bool IsCandidate(const PlaylistEntry& entry) { return entry.state <= STATE_TRANSFERRED; }

// A path that fills its field without a terminator names no stored song.
bool SongFileExists(const PlaylistEntry& entry) {
  if (std::memchr(entry.path, '\0', PATH_LEN) == nullptr) return false;
  return platform::PathExists(entry.path);
}

}  // namespace

bool RandomPlayer::LoadOnce() {
  if (randomTableLoads != 0) return true;
  std::memset(&randomPlayTable, 0, sizeof randomPlayTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &randomPlayTable) == -1) return false;
  generator_.SeedFromClock();
  ++randomTableLoads;
  return true;
}

int32_t RandomPlayer::CountCandidates(uint32_t* entries) const {
  uint32_t filled = 0;
  uint32_t barred = 0;
  for (const PlaylistEntry& entry : randomPlayTable.entries) {
    if (!IsEmptySlot(entry)) ++filled;
    if (!IsCandidate(entry)) ++barred;
  }
  *entries = filled;
  return static_cast<int32_t>(filled) - static_cast<int32_t>(barred);
}

uint32_t RandomPlayer::FindCandidate(uint32_t entries, int32_t rank) const {
  int32_t met = 0;
  for (uint32_t slot = 0; slot < entries; ++slot) {
    if (!IsCandidate(randomPlayTable.entries[slot])) continue;
    if (met++ == rank) return slot;
  }
  return kNotFound;
}

int32_t RandomPlayer::NextDraw() {
  return draw_ ? draw_() : static_cast<int32_t>(generator_.Next());
}

int32_t RandomPlayer::PickRandomSong() {
  if (!LoadOnce()) return -1;
  std::memset(chosenSong, 0, sizeof chosenSong);
  uint32_t entries = 0;
  int32_t reachable = CountCandidates(&entries);
  while (reachable >= 1) {
    uint32_t slot = FindCandidate(entries, NextDraw() % reachable);
    if (slot == kNotFound) continue;  // cannot happen: n never exceeds the walk's candidates
    PlaylistEntry& entry = randomPlayTable.entries[slot];
    if (!SongFileExists(entry)) {
      --reachable;  // the last in slot order drop out of reach: bounded
      continue;
    }
    std::memcpy(chosenSong, entry.path, PATH_LEN);
    entry.state = STATE_EXCLUDED;
    return 0;
  }
  return 0;
}
