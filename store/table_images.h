// The three table images the program keeps for its whole run.
#pragma once

#include <atomic>
#include <cstdint>

#include "store/playlist_entry.h"

// Every load-change-save operation, the scan and the transfer use this one.
extern PlaylistTable g_workingTable;
// An addition's scan result, kept until the user confirms or cancels it.
extern PlaylistTable g_scanResultTable;
// The random player's private copy; loaded once a run, never saved.
extern PlaylistTable g_randomPlayTable;

// Entries of g_workingTable. Written by the scan and transfer workers while
// the window thread may read it, hence atomic.
extern std::atomic<uint32_t> g_entryCount;
