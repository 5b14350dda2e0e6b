#include "store/playlist_maintenance.h"

#include <cstring>

#include "store/playlist_file.h"
#include "store/table_images.h"

namespace {

bool SaveWorkingTable() { return SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES) == 0; }

}  // namespace

bool MarkAllUntransferred() {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &g_workingTable) == -1) return false;
  for (PlaylistEntry& entry : g_workingTable.entries) {
    if (entry.state != STATE_EXCLUDED) entry.state = STATE_UNTRANSFERRED;
    entry.transferNumber = 0;
  }
  return SaveWorkingTable();
}

bool MarkEntriesUntransferred(const uint32_t* chosen, uint32_t chosenCount) {
  for (uint32_t i = 0; i < chosenCount; ++i) {
    if (chosen[i] >= MAX_ENTRIES) continue;
    g_workingTable.entries[chosen[i]].state = STATE_UNTRANSFERRED;
    g_workingTable.entries[chosen[i]].transferNumber = 0;
  }
  return SaveWorkingTable();
}

bool ExcludeEntries(const uint32_t* chosen, uint32_t chosenCount) {
  for (uint32_t i = 0; i < chosenCount; ++i) {
    if (chosen[i] < MAX_ENTRIES) g_workingTable.entries[chosen[i]].state = STATE_EXCLUDED;
  }
  return SaveWorkingTable();
}
