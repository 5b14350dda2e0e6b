#include "transfer/free_space_budget.h"

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
