// The main window's title while no run is in progress: the free space of
// the volume being filled (the working folder's), wherever the program is
// installed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transfer/transfer_progress.h"

// "Kobaru MP3 (%dMB空き)" for `freeBytes`: whole megabytes (2^20 bytes),
// truncated, 0 below 1,048,576 bytes. Writes at most `outSize` bytes.
void FormatFreeSpaceTitle(uint64_t freeBytes, char* out, size_t outSize);

// The title to show now, in `out` (TITLE_BYTES). False when the title must
// stay as it is: a run of `progress` is in progress or not yet completed,
// or the free space can't be found.
bool MakeFreeSpaceTitle(const TransferProgress& progress, char* out, size_t outSize);
