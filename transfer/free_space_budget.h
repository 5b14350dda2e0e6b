// The budget of a fill up to the free space of kMp3's volume.
#pragma once

#include <cstdint>

#include "platform/volume_space.h"

// The free space this user may fill, less a margin of 1% of the volume
// (at least FREE_SPACE_MARGIN_MIN_BYTES) that keeps room for the card's
// directory. False when the volume reports no size: its free space is
// unknown, not zero.
bool FreeSpaceBudget(const platform::VolumeSpace& space, uint64_t* budget);

// What a song of `fileSize` bytes takes on the volume: its size rounded up
// to whole blocks.
uint64_t SpaceTaken(uint32_t fileSize, uint64_t blockBytes);
