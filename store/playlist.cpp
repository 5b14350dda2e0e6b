#include "store/playlist.h"

#include <cstring>

#include "store/playlist_file.h"

PlaylistFailure FailureRecord::Last() const {
  return {static_cast<PlaylistAccess>(access_.load()), error_.load()};
}

void FailureRecord::Record(PlaylistAccess access, int error) {
  error_.store(error);
  access_.store(static_cast<int32_t>(access));
}

bool Playlist::LoadWithCount(PlaylistPlace* place) {
  std::memset(&workingTable, 0, sizeof workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &workingTable, place, &failure) == -1) return false;
  entryCount = CountEntries(workingTable);
  return true;
}
