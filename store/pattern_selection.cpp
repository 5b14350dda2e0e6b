#include "store/pattern_selection.h"

#include <fnmatch.h>

#include "store/playlist_row.h"

uint32_t SelectMatchingSlots(const PlaylistTable& table, uint32_t count, const char* pattern,
                             uint32_t* selected) {
  uint32_t matched = 0;
  char shown[DISPLAY_PATH_BYTES];
  for (uint32_t slot = 0; slot < count && slot < MAX_ENTRIES; ++slot) {
    if (IsEmptySlot(table.entries[slot])) continue;
    MakeDisplayPath(table.entries[slot], shown, sizeof shown);
    // No FNM_PATHNAME: "*/Audiobooks/*" takes every song below such a folder.
    if (fnmatch(pattern, shown, 0) == 0) selected[matched++] = slot;
  }
  return matched;
}
