// Edits that put songs back into the pool of unsent songs or take them out.
// Each takes the working folder's lock, loads kPlayLst.dat afresh into
// the working table, changes it and saves it whole; none adds, removes or
// moves a record. Loading afresh keeps what another operation saved since
// the view was drawn (a fill's records above all): slots never move.
#pragma once

#include <cstdint>

#include "store/playlist.h"

// Sets every slot not excluded to untransferred and clears every transfer
// number. False when the folder is locked or the file could not be read or
// written.
[[nodiscard]] bool MarkAllUntransferred(Playlist& playlist);

// Sets the given 0-based slots to untransferred with no transfer number,
// whatever their state. Slots past MAX_ENTRIES are passed over.
[[nodiscard]] bool MarkEntriesUntransferred(Playlist& playlist, const uint32_t* chosen,
                                            uint32_t chosenCount);

// Sets the given slots to excluded, keeping their numbers.
[[nodiscard]] bool ExcludeEntries(Playlist& playlist, const uint32_t* chosen,
                                  uint32_t chosenCount);
