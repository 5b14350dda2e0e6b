#include "platform/volume_space.h"

#include <sys/statvfs.h>

namespace platform {
bool FreeBytesOfVolume(const char* path, uint64_t* bytes) {
  struct statvfs volume;
  if (statvfs(path, &volume) != 0) return false;
  *bytes = static_cast<uint64_t>(volume.f_bfree) * static_cast<uint64_t>(volume.f_frsize);
  return true;
}

bool AvailableBytesOfFolder(int folder, uint64_t* bytes) {
  struct statvfs volume;
  if (fstatvfs(folder, &volume) != 0 || volume.f_blocks == 0) return false;
  *bytes = static_cast<uint64_t>(volume.f_bavail) * static_cast<uint64_t>(volume.f_frsize);
  return true;
}

}  // namespace platform
