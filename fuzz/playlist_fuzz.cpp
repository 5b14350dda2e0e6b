// An arbitrary kPlayLst.dat, loaded and put through the store's and the
// random player's operations in a scratch folder. The target changes into
// that folder before libFuzzer reads its arguments: give absolute paths.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "platform/random_generator.h"
#include "playback/random_player.h"
#include "store/playlist_file.h"
#include "store/playlist_maintenance.h"
#include "store/playlist_row.h"
#include "store/playlist_stats.h"
#include "store/search_job.h"

namespace {

constexpr int kPicks = 4;
constexpr uint32_t kEditedSlots = 8;

const uint8_t* g_input = nullptr;
size_t g_inputSize = 0;
size_t g_drawCursor = 0;
char g_scratchFolder[64];

// Draws taken from the input itself, so that a run is repeatable.
int32_t DrawFromInput() {
  if (g_inputSize == 0) return 0;
  int32_t draw = g_input[g_drawCursor % g_inputSize] * 131 + static_cast<int32_t>(g_drawCursor);
  ++g_drawCursor;
  return draw & RANDOM_MAX;
}

// The owners a front end holds, made once for the whole run.
struct Owners {
  Playlist playlist;
  SearchJob search{playlist};
  RandomPlayer player{DrawFromInput};
  RowSorter sorter;
};
Owners* g_owners = nullptr;

void WriteInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(PLAYLIST_FILE_NAME, "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

void ShowEverySlot(const Playlist& playlist) {
  const PlaylistTable& table = playlist.workingTable;
  char row[ROW_TEXT_BYTES];
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    FormatPlaylistRow(slot, table.entries[slot], row, sizeof row);
  }
  uint32_t values = playlist.entryCount + FIRST_ENTRY_ROW_VALUE;
  // Entry rows only: a header row sorts first from either side.
  for (uint32_t value = FIRST_ENTRY_ROW_VALUE; value + 1 < values && value < 64; ++value) {
    if (ComparePlaylistRows(table, value, value + 1) !=
        -ComparePlaylistRows(table, value + 1, value)) {
      __builtin_trap();
    }
  }
  char line[128];
  FormatStatsLine(ComputePlaylistStats(table, playlist.entryCount), line, sizeof line);
}

void EditAndAppend(Owners& owners, const uint8_t* data, size_t size) {
  Playlist& playlist = owners.playlist;
  uint32_t entries = playlist.entryCount;
  uint32_t slots[kEditedSlots];
  // The window passes only slots of listed rows.
  for (uint32_t i = 0; i < kEditedSlots; ++i) {
    slots[i] = size > i && entries > 0 ? data[i] % entries : 0;
  }
  uint32_t slotCount = entries < kEditedSlots ? entries : kEditedSlots;
  (void)MarkEntriesUntransferred(playlist, slots, slotCount);
  (void)ExcludeEntries(playlist, slots, slotCount);
  (void)MarkAllUntransferred(playlist);
  if (!owners.search.Prepare("/", true)) std::abort();
  auto& found = const_cast<PlaylistTable&>(owners.search.ScanResult());
  std::memcpy(&found, data, size < TABLE_BYTES ? size : TABLE_BYTES);
  owners.search.AppendScanResult();
}

void PickSongs(RandomPlayer& player) {
  player.Reload();
  g_drawCursor = 0;
  for (int pick = 0; pick < kPicks; ++pick) {
    player.PickRandomSong();
    if (std::memchr(player.ChosenSong(), '\0', PATH_LEN) == nullptr) __builtin_trap();
  }
}

void RemoveScratchFolder() {
  for (const char* name : {"kPlayLst.dat", "kPlayLst.dat.tmp", "a.mp3"}) unlink(name);
  if (chdir("/") == 0) rmdir(g_scratchFolder);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A scratch folder, on tmpfs where there is one: every input rewrites a
  // whole playlist. Relative song paths such as "a.mp3" exist in it.
  const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::snprintf(g_scratchFolder, sizeof g_scratchFolder, "%s/kobaru-fuzz-XXXXXX", base);
  if (mkdtemp(g_scratchFolder) == nullptr || chdir(g_scratchFolder) != 0) std::abort();
  std::atexit(RemoveScratchFolder);
  std::fclose(std::fopen("a.mp3", "wb"));
  g_owners = new Owners;  // for the whole run
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_input = data;
  g_inputSize = size;
  WriteInput(data, size);
  Playlist& playlist = g_owners->playlist;
  PickSongs(g_owners->player);
  if (!playlist.LoadWithCount()) std::abort();
  if (playlist.entryCount != CountEntries(playlist.workingTable)) __builtin_trap();
  ShowEverySlot(playlist);
  EditAndAppend(*g_owners, data, size);
  return 0;
}
