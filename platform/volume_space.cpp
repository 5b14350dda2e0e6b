#include "platform/volume_space.h"

#include <cerrno>
#include <sys/statvfs.h>

namespace platform {
bool FreeBytesOfVolume(const char* path, uint64_t* bytes) {
  struct statvfs volume;
  if (statvfs(path, &volume) != 0) return false;
  *bytes = static_cast<uint64_t>(volume.f_bfree) * static_cast<uint64_t>(volume.f_frsize);
  return true;
}

int MeasureVolume(int folder, VolumeSpace* space) {
  struct statvfs volume;
  if (fstatvfs(folder, &volume) != 0) return errno;
  uint64_t block = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
  space->availableBytes = static_cast<uint64_t>(volume.f_bavail) * block;
  space->totalBytes = static_cast<uint64_t>(volume.f_blocks) * block;
  space->blockBytes = block;
  return 0;
}

}  // namespace platform
