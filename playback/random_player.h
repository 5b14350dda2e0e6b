// Random songs from a private copy of the playlist, loaded once a run and
// never saved. Window thread only.
#pragma once

#include <cstdint>

#include "store/playlist_entry.h"

extern int32_t g_randomTableLoads;  // 0: not loaded yet
// The last chosen song's stored path, NUL-terminated; empty: none.
extern char g_chosenSong[PATH_LEN];

// Draws among the entries in state 0 or 1; a song whose file is gone
// narrows the draw by one, a found one is copied to g_chosenSong and marked
// excluded in the copy. -1 when the first load failed (g_chosenSong kept).
int32_t PickRandomSong();
