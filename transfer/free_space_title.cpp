#include "transfer/free_space_title.h"

#include <climits>
#include <cstdio>

#include "platform/volume_space.h"
#include "transfer/transfer_texts.h"

namespace {

constexpr double kMegabytesPerByte = 1.0 / BYTES_PER_MEGABYTE;

// Megabytes as the title's %d takes them; a volume past 2^31 MB (2 PB)
// shows the largest value rather than an undefined one.
int32_t WholeMegabytes(uint64_t freeBytes) {
  if (freeBytes < BYTES_PER_MEGABYTE) return 0;
  double megabytes = static_cast<double>(freeBytes) * kMegabytesPerByte;
  return megabytes >= static_cast<double>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(megabytes);
}

}  // namespace

void FormatFreeSpaceTitle(uint64_t freeBytes, char* out, size_t outSize) {
  std::snprintf(out, outSize, FREE_SPACE_TITLE_FORMAT, static_cast<int>(WholeMegabytes(freeBytes)));
}

bool MakeFreeSpaceTitle(const TransferProgress& progress, char* out, size_t outSize) {
  if (progress.status.load(std::memory_order_acquire) != TransferStatus::Idle) return false;
  uint64_t freeBytes = 0;
  if (!platform::FreeBytesOfVolume(".", &freeBytes)) return false;
  FormatFreeSpaceTitle(freeBytes, out, outSize);
  return true;
}
