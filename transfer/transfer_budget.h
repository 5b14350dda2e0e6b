// The bytes one run may send, and what each song takes of them.
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

// A capacity counts the songs' recorded sizes, and the first drawn song
// that does not fit ends the run. The free space counts whole blocks, and
// a song that does not fit is passed over while smaller ones may still go.
class TransferBudget {
 public:
  void SetCapacity(int32_t capacityMb);
  // False, leaving nothing to send, when the free space is unknown.
  bool SetFreeSpace(const platform::VolumeSpace& space);

  bool FillsFreeSpace() const { return blockBytes_ != 0; }
  uint64_t Bytes() const { return bytes_; }
  bool Fits(uint32_t fileSize) const { return used_ + Taken(fileSize) <= bytes_; }
  void Take(uint32_t fileSize) { used_ += Taken(fileSize); }
  // Gives back what Take took, for a copy that could not be kept.
  void Return(uint32_t fileSize) { used_ -= Taken(fileSize); }

 private:
  uint64_t Taken(uint32_t fileSize) const { return SpaceTaken(fileSize, blockBytes_); }

  uint64_t bytes_ = 0;
  uint64_t used_ = 0;
  uint64_t blockBytes_ = 0;  // 0 for a capacity
};
