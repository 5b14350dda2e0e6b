#include "transfer/transfer_budget.h"

#include <algorithm>

#include "transfer/transfer_texts.h"

bool FreeSpaceBudget(const platform::VolumeSpace& space, uint64_t* budget) {
  if (space.totalBytes == 0) return false;
  uint64_t margin = std::max(space.totalBytes / 100, FREE_SPACE_MARGIN_MIN_BYTES);
  *budget = space.availableBytes > margin ? space.availableBytes - margin : 0;
  return true;
}

uint64_t SpaceTaken(uint32_t fileSize, uint64_t blockBytes) {
  if (blockBytes == 0) return fileSize;
  return (uint64_t{fileSize} + blockBytes - 1) / blockBytes * blockBytes;
}

void TransferBudget::SetCapacity(int32_t capacityMb) {
  bytes_ = capacityMb > 0 ? uint64_t(capacityMb) * BYTES_PER_MEGABYTE : 0;
  used_ = 0;
  blockBytes_ = 0;
}

bool TransferBudget::SetFreeSpace(const platform::VolumeSpace& space) {
  used_ = 0;
  blockBytes_ = std::max<uint64_t>(space.blockBytes, 1);
  bytes_ = 0;
  return FreeSpaceBudget(space, &bytes_);
}
