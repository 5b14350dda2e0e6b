#include "playback/song_opener.h"

#include <cstdlib>

#include "store/folder_names.h"
#include "store/stored_path.h"

static_assert(platform::HANDOFF_PATH_BYTES >= PATH_LEN + 1);

void CollapseSeparators(const char* storedPath, char* out) {
  const char separator[] = {PATH_SEPARATOR, '\0'};
  CollapseSeparatorRuns(storedPath, PATH_LEN, separator, out, PATH_LEN + 1);
}

bool BuildPlayerCommand(const char* player, const char* storedPath,
                        platform::HandoffCommand* command) {
  char path[PATH_LEN + 1];
  CollapseSeparators(storedPath, path);
  return platform::BuildHandoffCommand(player, path, command);
}

bool OpenSongInShell(const char* storedPath) {
  char path[PATH_LEN + 1];
  CollapseSeparators(storedPath, path);
  return platform::HandOff(PLAYER_VARIABLE, path);
}
