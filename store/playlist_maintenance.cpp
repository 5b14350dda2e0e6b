#include "store/playlist_maintenance.h"

#include "store/playlist_file.h"
#include "store/table_images.h"
#include "store/working_folder_lock.h"

namespace {

// Lock, load, edit every chosen slot, save: the lock is released once the
// save is done.
template <typename Edit>
bool EditWorkingTable(Edit edit) {
  ClearPlaylistFailure();
  platform::FolderLock lock;
  if (!LockWorkingFolder(&lock)) return false;
  PlaylistPlace place{lock.Folder(), {}};
  if (!LoadWorkingTableWithCount(&place)) return false;
  edit();
  return SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES, &place) == 0;
}

template <typename Change>
bool EditSlots(const uint32_t* chosen, uint32_t chosenCount, Change change) {
  return EditWorkingTable([&] {
    for (uint32_t i = 0; i < chosenCount; ++i) {
      if (chosen[i] < MAX_ENTRIES) change(g_workingTable.entries[chosen[i]]);
    }
  });
}

}  // namespace

bool MarkAllUntransferred() {
  return EditWorkingTable([] {
    for (PlaylistEntry& entry : g_workingTable.entries) {
      if (entry.state != STATE_EXCLUDED) entry.state = STATE_UNTRANSFERRED;
      entry.transferNumber = 0;
    }
  });
}

bool MarkEntriesUntransferred(const uint32_t* chosen, uint32_t chosenCount) {
  return EditSlots(chosen, chosenCount, [](PlaylistEntry& entry) {
    entry.state = STATE_UNTRANSFERRED;
    entry.transferNumber = 0;
  });
}

bool ExcludeEntries(const uint32_t* chosen, uint32_t chosenCount) {
  return EditSlots(chosen, chosenCount, [](PlaylistEntry& entry) { entry.state = STATE_EXCLUDED; });
}
