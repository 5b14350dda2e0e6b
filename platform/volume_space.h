// Free space of a volume, as the window's title shows it.
#pragma once

#include <cstdint>

namespace platform {

// Free bytes of the volume holding `path`: every free block, also those
// kept back for the superuser. False when the volume can't be asked.
bool FreeBytesOfVolume(const char* path, uint64_t* bytes);

// Bytes this user may still write on the volume of the open `folder`.
// False when the volume can't be asked or reports no size at all, as some
// FUSE drivers do.
bool AvailableBytesOfFolder(int folder, uint64_t* bytes);

}  // namespace platform
