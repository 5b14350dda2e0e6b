// Free space of a volume, as the window's title shows it.
#pragma once

#include <cstdint>

namespace platform {

// Free bytes of the volume holding `path`: every free block, also those
// kept back for the superuser. False when the volume can't be asked.
bool FreeBytesOfVolume(const char* path, uint64_t* bytes);

}  // namespace platform
