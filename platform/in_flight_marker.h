// The mark of a song written straight under its final name, on a medium
// that refuses renames: a killed copy there leaves a partial song that only
// this mark tells from a whole one.
#pragma once

#include <cstddef>

#include "platform/folder_handle.h"

namespace platform {

// ".kobaru-writing-<song>.mark": hidden, and an extension no player takes.
inline constexpr char IN_FLIGHT_MARKER_PREFIX[] = ".kobaru-writing-";
inline constexpr char IN_FLIGHT_MARKER_SUFFIX[] = ".mark";

// Creates the mark of `song` (a bare name in `folder`) and flushes it, its
// name in `marker` (`capacity` bytes). 0, or the system's error code. The
// mark is removed, never changed: such media can't edit a file.
[[nodiscard]] int CreateInFlightMarker(int folder, const char* song, char* marker, size_t capacity);

// Removes every marked song of the folder `name` in `parent`, whole or not,
// and then its mark: for the holder of the working folder's lock, before it
// writes anything. How many songs went.
int RemoveInterruptedSongs(const char* name, int parent = CURRENT_FOLDER);

}  // namespace platform
