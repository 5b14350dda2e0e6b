#include "store/playlist_maintenance.h"

#include "store/playlist_file.h"
#include "store/working_folder_lock.h"

namespace {

// Lock, load, edit every chosen slot, save: the lock is released once the
// save is done.
template <typename Edit>
bool EditWorkingTable(Playlist& playlist, Edit edit) {
  playlist.failure.Clear();
  platform::FolderLock lock;
  if (!LockWorkingFolder(&lock, playlist.failure)) return false;
  PlaylistPlace place{lock.Folder(), {}};
  if (!playlist.LoadWithCount(&place)) return false;
  edit(playlist.workingTable);
  return SaveTable(PLAYLIST_FILE_NAME, &playlist.workingTable, TABLE_BYTES, &place,
                   &playlist.failure) == 0;
}

template <typename Change>
bool EditSlots(Playlist& playlist, const uint32_t* chosen, uint32_t chosenCount, Change change) {
  return EditWorkingTable(playlist, [&](PlaylistTable& table) {
    for (uint32_t i = 0; i < chosenCount; ++i) {
      if (chosen[i] < MAX_ENTRIES) change(table.entries[chosen[i]]);
    }
  });
}

}  // namespace

bool MarkAllUntransferred(Playlist& playlist) {
  return EditWorkingTable(playlist, [](PlaylistTable& table) {
    for (PlaylistEntry& entry : table.entries) {
      if (entry.state != STATE_EXCLUDED) entry.state = STATE_UNTRANSFERRED;
      entry.transferNumber = 0;
    }
  });
}

bool MarkEntriesUntransferred(Playlist& playlist, const uint32_t* chosen, uint32_t chosenCount) {
  return EditSlots(playlist, chosen, chosenCount, [](PlaylistEntry& entry) {
    entry.state = STATE_UNTRANSFERRED;
    entry.transferNumber = 0;
  });
}

bool ExcludeEntries(Playlist& playlist, const uint32_t* chosen, uint32_t chosenCount) {
  return EditSlots(playlist, chosen, chosenCount,
                   [](PlaylistEntry& entry) { entry.state = STATE_EXCLUDED; });
}
