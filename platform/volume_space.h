// Free space of a volume, as the window's title shows it and as a fill up
// to the free space budgets it.
#pragma once

#include <cstdint>

namespace platform {

// Free bytes of the volume holding `path`: every free block, also those
// kept back for the superuser. False when the volume can't be asked.
bool FreeBytesOfVolume(const char* path, uint64_t* bytes);

// A volume's size as this user may fill it, in bytes. A total of 0 is a
// volume that reports no size at all (some FUSE drivers).
struct VolumeSpace {
  uint64_t availableBytes = 0;  // free blocks this user may take
  uint64_t totalBytes = 0;
  uint64_t blockBytes = 0;      // what one file's last block takes at least
};

// The space of the volume holding the open folder `folder`. 0, or the
// system's error code.
int MeasureVolume(int folder, VolumeSpace* space);

}  // namespace platform
