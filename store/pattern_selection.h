// A selection of songs by a shell pattern over their shown paths.
#pragma once

#include <cstdint>

#include "store/playlist_entry.h"

// Puts into `selected` (room for MAX_ENTRIES) the slots 0..count-1 whose
// shown path (separators collapsed, as the lists show it) matches the shell
// pattern `pattern`: '*' crosses folders, case counts. Ascending; how many.
uint32_t SelectMatchingSlots(const PlaylistTable& table, uint32_t count, const char* pattern,
                             uint32_t* selected);
